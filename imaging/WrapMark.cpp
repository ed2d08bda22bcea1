#include "imaging/WrapMark.h"

#include <algorithm>

namespace hx {

void InsertWrapRow(WaterfallStore& store) {
    if (!store.imagesReady || !store.waterfallEnabled || store.validRows <= 0) return;
    constexpr std::uint8_t kOverlay = 255;
    bool added = false;
    for (int h = 0; h < kSideScanHeadCount; ++h) {
        WaterfallImage* image = HeadImageFor(store, h);
        if (!image || image->height() < 2) continue;
        image->scroll(1);
        std::ranges::fill(image->row(0), kOverlay);
        store.wrapMarkOnTop[static_cast<std::size_t>(h)] = 1;
        added = true;
    }
    if (!added) return;
    WaterfallImage& composite = store.compositeImage;
    if (store.threeHeadSet && composite.height() >= 2) {
        composite.scroll(1);
        const auto row = composite.row(0);
        for (std::size_t x = 0; x + kCompositeBytesPerPixel <= row.size(); x += kCompositeBytesPerPixel) {
            row[x] = 0;             // blue
            row[x + 1] = kOverlay;  // green
            row[x + 2] = kOverlay;  // red
        }
    }
    if (store.rowMeta.size() >= 2) {
        store.rowMeta.ring.scroll(1);
        store.rowMeta.at(0) = RowMeta{};
    }
    store.totalRows += 1;
    store.validRows = std::min<std::int64_t>(store.validRows + 1, store.imageHeight);
}

}  // namespace hx
