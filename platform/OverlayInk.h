// The colours drawn over the waterfalls and the echogram. By day the texts
// and scale labels are yellow; while the night red table is in use they are
// dim red at the night brightness, so nothing on the screen is brighter than
// the seabed the operator is looking at.
#pragma once

#include <QColor>

namespace hx {

struct PaletteState;

struct OverlayInk {
    QColor scaleLine{120, 30, 0};     // the range scale's plain lines
    QColor scaleLabel{200, 200, 0};   // its labels and marked lines
    QColor text{250, 250, 0};         // range, frequency, status texts
    QColor markText{250, 250, 250};   // measurement and mark texts
    // Scales the link health badges' colours: 1 by day.
    double badgeBrightness = 1.0;
    bool night = false;
};

OverlayInk overlayInkFor(const PaletteState& palette);

}  // namespace hx
