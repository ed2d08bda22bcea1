#include "imaging/AppendLine.h"

#include <algorithm>

namespace hx {

namespace {

void prefetchForWrite(std::span<std::uint8_t> bytes) {
    for (std::size_t i = 0; i < bytes.size(); i += 64) __builtin_prefetch(bytes.data() + i, 1, 3);
}

void writeCompositeByte(WaterfallImage& composite, int row, int head, std::span<const std::uint8_t> pixels,
                        const PixelTable& table) {
    auto dst = composite.row(row);
    const std::size_t channel = static_cast<std::size_t>(2 - head);  // L red, M green, H blue
    const std::size_t w = std::min(pixels.size(), dst.size() / kCompositeBytesPerPixel);
    for (std::size_t x = 0; x < w; ++x) dst[x * kCompositeBytesPerPixel + channel] = table[pixels[x]];
}

}  // namespace

std::span<std::uint8_t> LineWork::lineFor(int widthPx) {
    const std::size_t width = static_cast<std::size_t>(std::max(widthPx, 1));
    if (scratchLine.size() < width + kLineSlackBytes) scratchLine.assign(width + kLineSlackBytes, 0);
    return scratchLine;
}

void BlendFillRow(std::span<std::uint8_t> out, std::span<const std::uint8_t> newer,
                  std::span<const std::uint8_t> older, int n, int j, double gain) {
    const double a = static_cast<double>(n - j) / n;
    const double b = static_cast<double>(j) / n;
    const std::size_t w = std::min({out.size(), newer.size(), older.size()});
    for (std::size_t x = 0; x < w; ++x) {
        const double v = std::min(254.0, gain * (a * newer[x] + b * older[x]));
        out[x] = v > 0.0 ? static_cast<std::uint8_t>(v) : 0;
    }
}

void AppendLine(WaterfallStore& store, LineWork& work, const DisplaySettings& display, const LineInput& line,
                const LineTarget& target, std::int32_t n, const RowMeta& ping, std::int32_t speedLineCount) {
    WaterfallImage* image = HeadImageFor(store, target.head);
    if (!image) return;
    const int h = target.head;
    const int width = image->width();
    const int height = image->height();
    n = std::max(n, 0);
    // Below a wrap mark the line starts a row of its own and fills toward itself.
    std::uint8_t& markOnTop = store.wrapMarkOnTop[static_cast<std::size_t>(h)];
    const bool belowMark = markOnTop != 0;
    markOnTop = 0;
    if (belowMark && n == 0) n = 1;

    const std::span<std::uint8_t> lineBuffer = work.lineFor(width);
    work.samplesPerPixel =
        ResampleLine(line.samples, width, display.sideDisplayMode, display.interpolationFactor, lineBuffer);
    const auto scratch = lineBuffer.first(static_cast<std::size_t>(width));
    ApplyHighFrequencyLimit(scratch, line.frequencyHz, line.rangeM, display.sideDisplayMode);
    const PixelTable& gain =
        work.gainTable[static_cast<std::size_t>(h)].forGain(display.displayGain[static_cast<std::size_t>(h)]);

    WaterfallImage& composite = store.compositeImage;
    const bool hasComposite =
        target.threeHeads && !composite.empty() && composite.width() == width && composite.height() == height;
    const bool feedsComposite = hasComposite && line.headPresent;
    const bool primary = target.primary;

    // Make room for the new rows. More rows than the image holds move
    // nothing: every row is rewritten, and the fill's lowest row blends
    // toward the former newest row kept aside here.
    if (n >= 1 && n <= height - 1) {
        image->scroll(n);
        if (primary) {
            store.rowMeta.ring.scroll(n);
            if (hasComposite) composite.scroll(n);
        }
    } else if (n >= height) {
        const auto former = image->row(0);
        work.formerRow.assign(former.begin(), former.end());
    }
    // The new rows were the oldest and are long out of the cache: ask for
    // all their lines at once instead of missing on them one by one.
    if (n >= 1) {
        const int rows = std::min(n, height);
        for (int r = 0; r < rows; ++r) {
            prefetchForWrite(image->row(r));
            if (primary && hasComposite) prefetchForWrite(composite.row(r));
        }
    }

    if (hasComposite && !line.headPresent && n >= 1) {
        // An absent head's channel is black in the new rows.
        const std::size_t channel = static_cast<std::size_t>(2 - h);
        for (int r = 0; r < std::min(n, height); ++r) {
            auto px = composite.row(r);
            for (std::size_t x = channel; x < px.size(); x += kCompositeBytesPerPixel) px[x] = 0;
        }
    }

    auto row0 = image->row(0);
    if (n >= 1)
        for (std::size_t x = 0; x < scratch.size(); ++x) row0[x] = gain[scratch[x]];
    else
        for (std::size_t x = 0; x < scratch.size(); ++x) row0[x] = std::max(row0[x], gain[scratch[x]]);

    // The composite byte follows the gain-scaled pixel; the gain is not
    // applied twice, so a rebuild gives the same colours.
    const PixelTable* compositeTable = feedsComposite ? &CompositeSineTable() : nullptr;
    if (compositeTable) writeCompositeByte(composite, 0, h, row0, *compositeTable);

    RowMeta* meta0 = nullptr;
    if (primary && store.rowMeta.size() > 0) {
        meta0 = &store.rowMeta.at(0);
        *meta0 = ping;
        meta0->lineCount = static_cast<std::uint8_t>(speedLineCount & 0xFF);
    }

    // Vertical fill: each row from n − 1 up to 1 blends the new line with the
    // row just below it, which the previous step filled.
    if (n >= 2) {
        const int topFill = std::min(n - 1, height - 1);
        for (int i = topFill; i >= 1; --i) {
            const std::span<const std::uint8_t> below =
                belowMark && i == topFill ? std::span<const std::uint8_t>(image->row(0))
                : i + 1 < height          ? std::span<const std::uint8_t>(image->row(i + 1))
                                          : std::span<const std::uint8_t>(work.formerRow);
            auto row = image->row(i);
            BlendFillRow(row, image->row(0), below, n, i, 1.0);
            if (compositeTable) writeCompositeByte(composite, i, h, row, *compositeTable);
            if (meta0 && i < store.rowMeta.size()) store.rowMeta.at(i) = *meta0;
        }
    }

    if (primary) {
        store.totalRows += n;
        store.validRows = std::min<std::int64_t>(store.validRows + n, height);
    }
}

}  // namespace hx
