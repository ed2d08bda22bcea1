#include "imaging/WaterfallImage.h"

#include <algorithm>

namespace hx {

WaterfallImage::WaterfallImage(int widthPx, int heightPx, int bytesPerPixel)
    : width_(std::max(widthPx, 0)), bytesPerPixel_(std::max(bytesPerPixel, 1)), ring_{std::max(heightPx, 0), 0} {
    pixels_.assign(rowBytes() * static_cast<std::size_t>(ring_.rows), 0);
}

std::span<std::uint8_t> WaterfallImage::row(int r) {
    const std::size_t p = static_cast<std::size_t>(ring_.physical(r));
    return {pixels_.data() + p * rowBytes(), rowBytes()};
}

std::span<const std::uint8_t> WaterfallImage::row(int r) const {
    const std::size_t p = static_cast<std::size_t>(ring_.physical(r));
    return {pixels_.data() + p * rowBytes(), rowBytes()};
}

void WaterfallImage::clear() {
    std::fill(pixels_.begin(), pixels_.end(), std::uint8_t{0});
    ring_.top = 0;
}

RowBlocks WaterfallImage::blocks() const {
    RowBlocks b;
    b.rowBytes = rowBytes();
    if (empty()) return b;
    const int firstRows = ring_.rows - ring_.top;
    b.upper = {pixels_.data() + static_cast<std::size_t>(ring_.top) * rowBytes(), 0, firstRows};
    b.lower = {pixels_.data(), firstRows, ring_.top};
    return b;
}

}  // namespace hx
