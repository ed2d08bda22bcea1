#include "imaging/BitmapPage.h"

#include <algorithm>

namespace hx {

BitmapPageSetUp SetUpBitmapPage(WaterfallStore& store, LineCountState& lines, std::uint64_t recordPosition,
                                std::uint32_t recordLength, std::int64_t recordCount, bool speedCorrectionEnabled) {
    ClearScreen(store, lines);
    BitmapPageSetUp s;
    const std::int64_t offset = speedCorrectionEnabled ? 0 : store.imageHeight;
    const std::int64_t records = recordLength > 0 ? static_cast<std::int64_t>(recordPosition / recordLength) : 0;
    s.page.position = records - offset;
    if (s.page.position < 0) {
        s.page.position = 0;
        s.rewindFile = true;
    }
    s.page.range = std::max<std::int64_t>(recordCount, 0) + (speedCorrectionEnabled ? store.imageHeight : 0);
    return s;
}

void ScrollBitmapPage(BitmapPage& page, WaterfallStore& store, PageScroll action, std::int64_t value) {
    const std::int64_t height = store.imageHeight;
    switch (action) {
        case PageScroll::LineUp:
            page.position += 64;
            break;
        case PageScroll::LineDown:
            page.position -= 64;
            break;
        case PageScroll::PageUp:
            page.position += 512;
            break;
        case PageScroll::PageDown:
            page.position -= 512;
            break;
        case PageScroll::Thumb:
            page.position = page.range - height - value;
            break;
        case PageScroll::Wheel:
            page.position += value;
            break;
    }
    page.position = std::clamp<std::int64_t>(page.position, 0, std::max<std::int64_t>(page.range - height, 0));
    store.validRows = height;
}

}  // namespace hx
