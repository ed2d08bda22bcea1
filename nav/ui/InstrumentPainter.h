// Drawing the orientation window's instruments across its client area, in
// one row: the depth and temperature gauges, the pitch and roll dials and
// the heading compass with its rose, each with its read-out below it.
#pragma once

#include <QPainter>
#include <QRect>

#include <array>

#include "nav/OrientationInstruments.h"

namespace hx {

enum class Instrument : int { Depth = 0, Temperature = 1, Pitch = 2, Roll = 3, Heading = 4 };
inline constexpr int kInstrumentCount = 5;

inline constexpr double kDialOuterRadiusPx = 36.0;
inline constexpr double kDialInnerRadiusPx = 24.0;
inline constexpr double kRoseBladePx = 41.0;
inline constexpr int kReadoutFontPx = 24;

struct InstrumentLayout {
    std::array<QPoint, kInstrumentCount> centre{};     // instrument centres
    std::array<QRect, kInstrumentCount> readout{};     // read-out boxes below them
};
// Five equal cells across the client width; instruments at mid-height less
// room for the read-outs.
InstrumentLayout layoutInstruments(QSize client);

// Fills the area black and draws the five instruments.
void PaintInstruments(QPainter& p, QSize client, const OrientationValues& v, bool feet);

}  // namespace hx
