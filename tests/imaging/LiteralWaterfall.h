// A straightforward waterfall for checking the ring store against: whole
// images in plain row-major buffers, row 0 the newest, and every new line
// moving all older rows down as a block copy per row. Slow on purpose; the
// benchmarks use it as the baseline.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "imaging/AppendLine.h"
#include "imaging/ResampleLine.h"
#include "imaging/RowMeta.h"

namespace hx::testing {

struct LiteralImageSet {
    int width = 0;
    int height = 0;
    bool threeHeads = false;
    std::array<std::vector<std::uint8_t>, 3> head;  // empty when not allocated
    std::vector<std::uint8_t> composite;            // three heads: B, G, R
    std::vector<RowMeta> meta;
    std::int64_t validRows = 0;
    std::int64_t totalRows = 0;

    LiteralImageSet(int w, int h, bool three, int headA = 0, int headB = 2)
        : width(w), height(h), threeHeads(three), meta(static_cast<std::size_t>(h)) {
        const std::size_t area = static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
        if (three) {
            for (auto& image : head) image.assign(area, 0);
            composite.assign(area * 3, 0);
        } else {
            head[static_cast<std::size_t>(headA)].assign(area, 0);
            head[static_cast<std::size_t>(headB)].assign(area, 0);
        }
    }

    std::uint8_t* row(int h, int r) {
        return head[static_cast<std::size_t>(h)].data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(width);
    }
    std::uint8_t* compositeRow(int r) {
        return composite.data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(width) * 3;
    }
};

inline std::uint8_t literalGain(std::uint8_t p, double g) {
    const double v = std::trunc(std::min(p * g, 254.0));
    return v > 0 ? static_cast<std::uint8_t>(v) : 0;
}

// The composite byte of a gain-scaled pixel.
inline std::uint8_t literalComposite(std::uint8_t p) {
    const double v = std::min(254.0, std::trunc(255 * std::sin(p * 0.5 * 3.1415926 / 256)));
    return v > 0 ? static_cast<std::uint8_t>(v) : 0;
}

// Appends one line the long way: moves rows i − n to i for i from the bottom
// up, then writes row 0 and fills rows n − 1 .. 1.
inline void LiteralAppendLine(LiteralImageSet& set, const DisplaySettings& display, const LineInput& input,
                              const LineTarget& target, int n, const RowMeta& ping, std::int32_t speedLineCount) {
    const int h = target.head;
    if (set.head[static_cast<std::size_t>(h)].empty()) return;
    const int w = set.width;
    const int rows = set.height;
    const std::size_t rowBytes = static_cast<std::size_t>(w);
    const double g = display.displayGain[static_cast<std::size_t>(h)];
    n = std::max(n, 0);

    std::vector<std::uint8_t> line(static_cast<std::size_t>(w) + kLineSlackBytes, 0);
    ResampleLine(input.samples, w, display.sideDisplayMode, display.interpolationFactor, line);
    ApplyHighFrequencyLimit(std::span<std::uint8_t>(line).first(rowBytes), input.frequencyHz, input.rangeM,
                            display.sideDisplayMode);

    const std::vector<std::uint8_t> former(set.row(h, 0), set.row(h, 0) + w);
    const bool three = set.threeHeads;
    if (n >= 1 && rows - 1 >= n) {
        for (int i = rows - 1; i >= n; --i) {
            std::memcpy(set.row(h, i), set.row(h, i - n), rowBytes);
            if (target.primary) {
                set.meta[static_cast<std::size_t>(i)] = set.meta[static_cast<std::size_t>(i - n)];
                if (three) std::memcpy(set.compositeRow(i), set.compositeRow(i - n), rowBytes * 3);
            }
        }
    }
    // New composite rows start black, so an absent head's channel stays dark.
    if (target.primary && three && n >= 1)
        for (int r = 0; r < std::min(n, rows); ++r) std::memset(set.compositeRow(r), 0, rowBytes * 3);

    std::uint8_t* row0 = set.row(h, 0);
    for (int x = 0; x < w; ++x) {
        const std::uint8_t scaled = literalGain(line[static_cast<std::size_t>(x)], g);
        row0[x] = n >= 1 ? scaled : std::max(row0[x], scaled);
    }
    const bool feeds = three && input.headPresent;
    auto composite = [&](int r) {
        if (!feeds) return;
        for (int x = 0; x < w; ++x) set.compositeRow(r)[3 * x + 2 - h] = literalComposite(set.row(h, r)[x]);
    };
    composite(0);
    RowMeta meta = ping;
    meta.lineCount = static_cast<std::uint8_t>(speedLineCount & 0xFF);
    if (target.primary) set.meta[0] = meta;

    for (int i = std::min(n - 1, rows - 1); i >= 1; --i) {
        const std::uint8_t* below = i + 1 < rows ? set.row(h, i + 1) : former.data();
        // trunc(min(254, ((n − i)/n)·row0 + (i/n)·below)) in double precision.
        const double a = static_cast<double>(n - i) / n;
        const double b = static_cast<double>(i) / n;
        for (int x = 0; x < w; ++x) {
            const double v = std::min(254.0, a * row0[x] + b * below[x]);
            set.row(h, i)[x] = static_cast<std::uint8_t>(v);
        }
        composite(i);
        if (target.primary) set.meta[static_cast<std::size_t>(i)] = meta;
    }
    if (target.primary) {
        set.totalRows += n;
        set.validRows = std::min<std::int64_t>(set.validRows + n, rows);
    }
}

}  // namespace hx::testing
