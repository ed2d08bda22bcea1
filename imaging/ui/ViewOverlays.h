// What the sidescan views draw over the waterfall: the range scale, the range
// and frequency text and the status marks (system information pending,
// activity, "Held", "sc"). Drawn into the off-screen frame after the image.
#pragma once

#include <QColor>
#include <QFont>
#include <QSize>
#include <QString>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>

#include "link/HeadHealth.h"
#include "platform/OverlayInk.h"

class QPainter;

namespace hx {

// Overlay colours by day: the scale's two pens and label colour, the texts'
// yellow (OverlayInk holds them with their night counterparts).
inline const QColor kScaleDarkRed{120, 30, 0};
inline const QColor kScaleYellow{200, 200, 0};
inline const QColor kTextYellow{250, 250, 0};

// The overlay fonts are sized in pixels so the layout offsets (labels 18
// pixels above the bottom, text lines 23 pixels apart) hold on every screen.
QFont OverlayFont(int pixelSize);
inline constexpr int kScaleFontPx = 16;
inline constexpr int kRangeFontPx = 24;
inline constexpr int kSmallMarkFontPx = 22;

// Ranges beyond this are taken as this when drawn, so that hostile values
// cannot overflow the label arithmetic.
inline constexpr std::int32_t kMaxDrawnRangeM = 100000;

struct RangeScaleParams {
    std::int32_t imageWidth = 0;
    std::int32_t scrollX = 0;
    std::int32_t rangeM = 0;
    std::int32_t sideDisplayMode = 3;
    bool feet = false;
    bool grid = true;
    std::int32_t clientHeight = 0;
};

void DrawRangeScale(QPainter& painter, const RangeScaleParams& params, const OverlayInk& ink = {});

// "%d m (%d dB)" or, in feet, "%d ft (%d dB)" with three feet a metre;
// compact drops the space before the parenthesis ("%d m(%d dB)").
QString RangeText(std::int32_t rangeM, std::int32_t gainDb, bool feet, bool compact);
// "%d kHz".
QString FrequencyText(std::int32_t frequencyHz);

// The two range lines at (8, 5) and (8, 28).
void DrawRangeText(QPainter& painter, const QString& rangeLine, const QString& frequencyLine,
                   const OverlayInk& ink = {});

struct StatusMarks {
    bool sysInfoPending = false;  // real time, waiting for the system information
    bool hold = false;
    bool speedCorrection = false;
    std::int32_t goodCycleCount = 0;
    // Over the pending text: who has not answered, how often, since when.
    std::string sysInfoWait;
};

// "\", "|", "/", "-" by the good-cycle count.
QChar ActivityMark(std::int32_t goodCycleCount);

void DrawStatusMarks(QPainter& painter, QSize client, const StatusMarks& marks, const OverlayInk& ink = {});

// The link health badge of each head a view shows (none in playback).
using HealthBadgeSource = std::function<std::optional<HeadBadge>(int head)>;
// Top of the main view's badges: under the activity mark and "Held".
inline constexpr int kMainViewBadgeTop = 30;
void DrawViewBadges(QPainter& painter, const HealthBadgeSource& source, std::initializer_list<int> heads, int right,
                    int top, const OverlayInk& ink);

// Text with its top-left corner at (x, y), as the overlays place it.
void DrawTextAt(QPainter& painter, int x, int y, const QString& text);

}  // namespace hx
