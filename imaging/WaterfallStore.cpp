#include "imaging/WaterfallStore.h"

#include <algorithm>

#include "imaging/ColourTables.h"
#include "imaging/LineCount.h"

namespace hx {

namespace {

bool validHead(int head) {
    return head >= 0 && head < kSideScanHeadCount;
}

void clearMeta(RowMeta& m) {
    m = RowMeta{};
}

}  // namespace

void RowMetaRing::resize(int count) {
    ring = RingIndex{std::max(count, 0), 0};
    rows.assign(static_cast<std::size_t>(ring.rows), RowMeta{});
}

void RowMetaRing::clear() {
    for (auto& m : rows) clearMeta(m);
    ring.top = 0;
}

WaterfallImage* HeadImageFor(WaterfallStore& store, int head) {
    return const_cast<WaterfallImage*>(HeadImageFor(static_cast<const WaterfallStore&>(store), head));
}

const WaterfallImage* HeadImageFor(const WaterfallStore& store, int head) {
    if (!validHead(head)) return nullptr;
    const auto& set = store.threeHeadSet ? store.threeHeadImage : store.headImage;
    const WaterfallImage& image = set[static_cast<std::size_t>(head)];
    return image.empty() ? nullptr : &image;
}

std::span<const std::uint8_t> HeadImageRow(const WaterfallStore& store, int head, int row) {
    const WaterfallImage* image = HeadImageFor(store, head);
    if (!image || row < 0 || row >= image->height()) return {};
    return image->row(row);
}

std::span<const std::uint8_t> CompositeRow(const WaterfallStore& store, int row) {
    const WaterfallImage& image = store.compositeImage;
    if (image.empty() || row < 0 || row >= image.height()) return {};
    return image.row(row);
}

void AllocateImages(WaterfallStore& store, PaletteState& palette, bool threeHeads, int displayHeadA, int displayHeadB,
                    std::int32_t widthPx, std::int32_t heightPx) {
    const int w = std::max(widthPx, 1);
    const int h = std::max(heightPx, 1);
    for (auto& image : store.headImage) image = WaterfallImage{};
    for (auto& image : store.threeHeadImage) image = WaterfallImage{};
    store.compositeImage = WaterfallImage{};

    auto record = [&](int head) {
        const auto k = static_cast<std::size_t>(head);
        store.headImageWidth[k] = w;
        store.headImageHeight[k] = h;
        store.headImageScale[k] = store.imageScale;
    };
    store.threeHeadSet = threeHeads ? 1 : 0;
    if (threeHeads) {
        for (int head = 0; head < kSideScanHeadCount; ++head) {
            store.threeHeadImage[static_cast<std::size_t>(head)] = WaterfallImage(w, h, 1);
            record(head);
        }
        store.compositeImage = WaterfallImage(w, h, kCompositeBytesPerPixel);
    } else {
        for (int head : {displayHeadA, displayHeadB}) {
            if (!validHead(head)) continue;
            store.headImage[static_cast<std::size_t>(head)] = WaterfallImage(w, h, 1);
            record(head);
        }
    }
    store.rowMeta.resize(h);
    store.frozenRowMeta.assign(static_cast<std::size_t>(h), RowMeta{});
    store.imagePaletteHeader = ImageHeader{w, -h, 8};
    ReplaceCustomPaletteWithTable(palette);
}

void ClearScreen(WaterfallStore& store, LineCountState& lines) {
    for (auto& image : store.headImage) image.clear();
    for (auto& image : store.threeHeadImage) image.clear();
    store.compositeImage.clear();
    lines.speedCarry.fill(0.0);
    lines.fixedCarry.fill(0.0);
    store.rowMeta.clear();
    for (auto& m : store.frozenRowMeta) clearMeta(m);
    store.validRows = 0;
    store.totalRows = 0;
    store.frozenTotalRows = 0;
    store.wrapMarkOnTop.fill(0);
}

void ClearImagePixels(WaterfallStore& store) {
    // Zeroing the pixels keeps each ring's newest row where it is, so the
    // row metadata still lines up with the (now black) rows.
    auto zero = [](WaterfallImage& image) {
        for (int r = 0; r < image.height(); ++r) std::ranges::fill(image.row(r), std::uint8_t{0});
    };
    for (auto& image : store.headImage) zero(image);
    for (auto& image : store.threeHeadImage) zero(image);
    zero(store.compositeImage);
}

void FreezeRowMeta(WaterfallStore& store) {
    const int n = store.rowMeta.size();
    store.frozenRowMeta.resize(static_cast<std::size_t>(n));
    for (int r = 0; r < n; ++r) store.frozenRowMeta[static_cast<std::size_t>(r)] = store.rowMeta.at(r);
    store.frozenTotalRows = store.totalRows;
}

const RowMeta* DisplayedRowMeta(const WaterfallStore& store, int row, bool hold) {
    if (row < 0) return nullptr;
    if (hold) {
        if (static_cast<std::size_t>(row) >= store.frozenRowMeta.size()) return nullptr;
        return &store.frozenRowMeta[static_cast<std::size_t>(row)];
    }
    if (row >= store.rowMeta.size()) return nullptr;
    return &store.rowMeta.at(row);
}

}  // namespace hx
