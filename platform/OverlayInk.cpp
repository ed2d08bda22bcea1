#include "platform/OverlayInk.h"

#include "imaging/ColourTables.h"

namespace hx {

namespace {
QColor dimRed(int red, double factor) { return QColor(static_cast<int>(red * factor + 0.5), 0, 0); }
}  // namespace

OverlayInk overlayInkFor(const PaletteState& palette) {
    if (palette.nightRed == 0) return OverlayInk{};
    const double f = NightBrightnessFactor(palette.nightBrightness);
    OverlayInk ink;
    ink.scaleLine = dimRed(110, f);
    ink.scaleLabel = dimRed(200, f);
    ink.text = dimRed(230, f);
    ink.markText = dimRed(255, f);
    ink.badgeBrightness = f;
    ink.night = true;
    return ink;
}

}  // namespace hx
