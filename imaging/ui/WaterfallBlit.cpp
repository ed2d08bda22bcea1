#include "imaging/ui/WaterfallBlit.h"

#include <algorithm>
#include <cstdint>

namespace hx {

namespace {

// The frame rows and image columns an image at (originX, originY) covers.
struct Visible {
    int firstRow = 0;  // logical image rows [firstRow, endRow)
    int endRow = 0;
    int firstCol = 0;  // image columns [firstCol, endCol)
    int endCol = 0;
    bool empty() const { return firstRow >= endRow || firstCol >= endCol; }
};

Visible visiblePart(const QImage& frame, const WaterfallImage& image, int originX, int originY) {
    Visible v;
    const long long ox = originX;
    const long long oy = originY;
    v.firstCol = static_cast<int>(std::clamp<long long>(-ox, 0, image.width()));
    v.endCol = static_cast<int>(std::clamp<long long>(frame.width() - ox, 0, image.width()));
    v.firstRow = static_cast<int>(std::clamp<long long>(-oy, 0, image.height()));
    v.endRow = static_cast<int>(std::clamp<long long>(frame.height() - oy, 0, image.height()));
    return v;
}

// Calls draw(source row, frame row) for every visible row, walking the ring's
// two spans in order so that rows are read sequentially from memory.
template <typename RowFn>
void forVisibleRows(QImage& frame, const WaterfallImage& image, int originX, int originY, RowFn&& draw) {
    if (image.empty() || frame.isNull()) return;
    const Visible v = visiblePart(frame, image, originX, originY);
    if (v.empty()) return;
    const RowBlocks blocks = image.blocks();
    const std::size_t bpp = static_cast<std::size_t>(image.bytesPerPixel());
    for (const RowBlock& block : {blocks.upper, blocks.lower}) {
        const int from = std::max(v.firstRow, block.firstRow);
        const int to = std::min(v.endRow, block.firstRow + block.rows);
        for (int r = from; r < to; ++r) {
            const std::uint8_t* src = block.data + static_cast<std::size_t>(r - block.firstRow) * blocks.rowBytes +
                                      static_cast<std::size_t>(v.firstCol) * bpp;
            auto* dst = reinterpret_cast<QRgb*>(frame.scanLine(originY + r)) + (originX + v.firstCol);
            draw(src, dst, v.endCol - v.firstCol);
        }
    }
}

bool rgb32(const QImage& frame) {
    return frame.format() == QImage::Format_RGB32 || frame.format() == QImage::Format_ARGB32 ||
           frame.format() == QImage::Format_ARGB32_Premultiplied;
}

}  // namespace

ColourLut MakeColourLut(const Palette& palette) {
    ColourLut lut{};
    for (int i = 0; i < kPaletteEntries; ++i) {
        const PaletteEntry& e = palette[static_cast<std::size_t>(i)];
        lut[static_cast<std::size_t>(i)] = qRgb(e.red, e.green, e.blue);
    }
    return lut;
}

void PrepareFrame(QImage& frame, QSize size) {
    if (frame.size() != size || frame.format() != QImage::Format_RGB32)
        frame = QImage(size, QImage::Format_RGB32);
    frame.fill(qRgb(0, 0, 0));
}

void BlitIndexed(QImage& frame, const WaterfallImage& image, const ColourLut& lut, int originX, int originY) {
    if (image.bytesPerPixel() != 1 || !rgb32(frame)) return;
    const QRgb* table = lut.data();
    forVisibleRows(frame, image, originX, originY, [table](const std::uint8_t* src, QRgb* dst, int n) {
        for (int x = 0; x < n; ++x) dst[x] = table[src[x]];
    });
}

void BlitComposite(QImage& frame, const WaterfallImage& composite, int originX, int originY) {
    if (composite.bytesPerPixel() != 3 || !rgb32(frame)) return;
    forVisibleRows(frame, composite, originX, originY, [](const std::uint8_t* src, QRgb* dst, int n) {
        for (int x = 0; x < n; ++x, src += 3)
            dst[x] = 0xff000000u | (static_cast<QRgb>(src[2]) << 16) | (static_cast<QRgb>(src[1]) << 8) | src[0];
    });
}

void BlitCompositeThrough(QImage& frame, const WaterfallImage& composite, const ColourLut& lut, int originX,
                          int originY) {
    if (composite.bytesPerPixel() != 3 || !rgb32(frame)) return;
    forVisibleRows(frame, composite, originX, originY, [&lut](const std::uint8_t* src, QRgb* dst, int n) {
        for (int x = 0; x < n; ++x, src += 3) dst[x] = lut[std::max({src[0], src[1], src[2]})];
    });
}

}  // namespace hx
