// The orientation history window (CHistView): the strip chart of depth,
// temperature, pitch, roll and heading, one column per ping, with lane lines,
// lane letters and scale labels. The strip belongs to the document
// (OrientationHistory); the view re-sizes it with the window (which clears
// it) and draws it through the current drawing palette, with the pitch,
// roll and heading traces in pure blue, green and red.
#pragma once

#include <QImage>
#include <QRgb>
#include <QWidget>

#include <array>

#include "imaging/ColourTables.h"
#include "nav/OrientationHistory.h"

namespace hx {

// The history shares the orientation window's caption: both show the sensor.
inline constexpr const char* kHistoryTitle = "HX642 - Orientation";

// The drawing palette with the three trace overrides.
std::array<QRgb, kPaletteEntries> HistoryLut(const Palette& palette);

// Draws the strip and its overlay into frame (RGB32, the client size).
void PaintHistory(QImage& frame, const OrientationHistory& history, const std::array<QRgb, kPaletteEntries>& lut);

class CHistView : public QWidget {
    Q_OBJECT
public:
    CHistView(OrientationHistory& history, const PaletteState& palette, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    OrientationHistory& history_;
    const PaletteState& palette_;
    QImage frame_;
};

}  // namespace hx
