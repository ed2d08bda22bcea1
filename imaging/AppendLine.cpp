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

// Fill rows up to this line count use the single-precision form below.
constexpr int kFloatBlendMaxRows = 8192;

// row = trunc(((n − i)/n)·newest + (i/n)·below) per pixel, the exact value.
// The numerator (n − i)·newest + i·below is an integer; floor(num / n) is
// computed as trunc((num + 0.5) × (1/n)) in single precision, which keeps at
// least 0.5/n from every integer while its rounding error stays below 3.1e-5,
// so it is exact for n up to 8192 and vectorises. Larger n use a table of
// floor(i·d/n) over the differences d = below − newest, built by stepping
// the remainder.
void blendRow(std::span<std::uint8_t> row, std::span<const std::uint8_t> newest, std::span<const std::uint8_t> below,
              int n, int i, BlendTable& table) {
    const std::size_t w = row.size();
    std::uint8_t* __restrict out = row.data();
    const std::uint8_t* __restrict a = newest.data();
    const std::uint8_t* __restrict b = below.data();
    if (n <= kFloatBlendMaxRows) {
        const float wa = static_cast<float>(n - i);
        const float wb = static_cast<float>(i);
        const float reciprocal = 1.0f / static_cast<float>(n);
        for (std::size_t x = 0; x < w; ++x) {
            const float num = wa * static_cast<float>(a[x]) + wb * static_cast<float>(b[x]);
            out[x] = static_cast<std::uint8_t>(static_cast<int>((num + 0.5f) * reciprocal));
        }
        return;
    }
    std::int64_t q = -254LL * i / n;
    std::int64_t r = -254LL * i % n;
    if (r < 0) {
        r += n;
        --q;
    }
    for (auto& t : table) {
        t = static_cast<std::int16_t>(q);
        r += i;
        if (r >= n) {
            r -= n;
            ++q;
        }
    }
    for (std::size_t x = 0; x < w; ++x) {
        const int base = a[x];
        out[x] = static_cast<std::uint8_t>(base + table[static_cast<std::size_t>(b[x] - base + 254)]);
    }
}

}  // namespace

void AppendLine(WaterfallStore& store, LineWork& work, const DisplaySettings& display, const LineInput& line,
                const LineTarget& target, std::int32_t n, const RowMeta& ping, std::int32_t speedLineCount) {
    WaterfallImage* image = HeadImageFor(store, target.head);
    if (!image) return;
    const int h = target.head;
    const int width = image->width();
    const int height = image->height();
    n = std::max(n, 0);

    work.samplesPerPixel =
        ResampleLine(line.samples, width, display.sideDisplayMode, display.interpolationFactor, work.scratchLine);
    const auto scratch = std::span<std::uint8_t>(work.scratchLine).first(static_cast<std::size_t>(width));
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
            const std::span<const std::uint8_t> below = i + 1 < height
                                                            ? std::span<const std::uint8_t>(image->row(i + 1))
                                                            : std::span<const std::uint8_t>(work.formerRow);
            auto row = image->row(i);
            blendRow(row, image->row(0), below, n, i, work.blendTable);
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
