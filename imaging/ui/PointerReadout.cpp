#include "imaging/ui/PointerReadout.h"

#include <cstdlib>

#include "imaging/DisplaySettings.h"

namespace hx {

CursorRange ComputeCursorRange(std::int64_t imageX, std::int32_t imageWidth, std::int32_t rangeM,
                               std::int32_t sideDisplayMode) {
    CursorRange c;
    if (imageWidth <= 0) return c;
    std::int64_t nadir = imageWidth / 2;
    std::int64_t span = imageWidth / 2;
    if (sideDisplayMode == kPortOnly) {
        nadir = imageWidth;
        span = imageWidth;
        c.starboard = false;
    } else if (sideDisplayMode == kStarboardOnly) {
        nadir = 0;
        span = imageWidth;
        c.starboard = true;
    } else {
        c.starboard = imageX >= nadir;
    }
    if (span <= 0) return c;
    // R × |x − nadir| is whole; only the division is in floating point.
    const std::int64_t product = static_cast<std::int64_t>(rangeM) * std::llabs(imageX - nadir);
    c.rangeM = static_cast<double>(product) / static_cast<double>(span);
    return c;
}

PointerReadout ReadPointer(const WaterfallStore& store, std::int32_t sideDisplayMode, std::int32_t rangeM, bool hold,
                           std::int64_t imageX, std::int64_t imageY, const std::string& currentDateText,
                           std::int32_t imageWidthPx) {
    PointerReadout r;
    r.inView = true;
    const std::int32_t width = imageWidthPx >= 0 ? imageWidthPx : store.imageWidth;
    const CursorRange c = ComputeCursorRange(imageX, width, rangeM, sideDisplayMode);
    r.starboard = c.starboard;
    r.rangeM = c.rangeM;
    if (imageX < 0 || imageY < 0 || imageX >= width || imageY >= store.imageHeight) return r;
    r.inImage = true;
    const RowMeta* meta = DisplayedRowMeta(store, static_cast<int>(imageY), hold);
    if (!meta) return r;
    r.timeText = StampTimeText(meta->stamp);
    if (!r.timeText.empty()) r.dateText = currentDateText;
    r.gpsText = meta->gps.text;
    return r;
}

}  // namespace hx
