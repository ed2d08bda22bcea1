// Writing one ping's line into a head's waterfall image: resample, range
// limit, gain, n new rows at the top with a vertical fill between the new
// line and the former newest row, the composite's colour byte, and for the
// primary head the row metadata and row counters.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "core/Heads.h"
#include "imaging/DisplaySettings.h"
#include "imaging/PixelTables.h"
#include "imaging/ResampleLine.h"
#include "imaging/RowMeta.h"
#include "imaging/WaterfallStore.h"

namespace hx {

// Buffers and tables the line processing reuses from ping to ping, so that
// no ping allocates (the line grows only when the image gets wider).
struct LineWork {
    std::vector<std::uint8_t> scratchLine;   // one resampled line: image width + kLineSlackBytes
    double samplesPerPixel = 1.0;
    std::vector<std::uint8_t> formerRow;     // former newest row when n fills the image
    std::vector<std::uint8_t> previousLine;  // rebuild: the newer line above
    std::vector<std::uint8_t> pendingLine;   // rebuild: pings that added no row
    std::array<CachedPixelTable, kSideScanHeadCount> gainTable{
        CachedPixelTable(MakeGainTable), CachedPixelTable(MakeGainTable), CachedPixelTable(MakeGainTable)};

    // The scratch line for an image of this width, with its slack behind it.
    std::span<std::uint8_t> lineFor(int widthPx);
};

// One row of the vertical fill, the same arithmetic live and in a rebuild:
// out = trunc(min(254, gain × (((n − j)/n)·newer + (j/n)·older))) per pixel.
// Live rows blend the gain-scaled newest row (gain 1 here); a rebuild blends
// the unscaled lines and scales the result.
void BlendFillRow(std::span<std::uint8_t> out, std::span<const std::uint8_t> newer,
                  std::span<const std::uint8_t> older, int n, int j, double gain);

// One head's line of one ping.
struct LineInput {
    std::span<const std::uint8_t, 2000> samples;
    std::int32_t rangeM = 0;
    std::int32_t frequencyHz = 0;  // 540 kHz and above: range limit beyond 120 m
    bool headPresent = true;       // feeds the composite only when present
};

// Which image the line goes to and what it drives.
struct LineTarget {
    int head = 0;
    bool threeHeads = false;  // also feeds the composite
    bool primary = false;     // moves the row metadata (and the composite) and counts rows
};

// Appends the line with n new rows (n = 0 merges it into the newest row by
// maximum). `ping` gives the stamp, GPS data and ping number of the new rows;
// their line count is the low byte of speedLineCount.
void AppendLine(WaterfallStore& store, LineWork& work, const DisplaySettings& display, const LineInput& line,
                const LineTarget& target, std::int32_t n, const RowMeta& ping, std::int32_t speedLineCount);

}  // namespace hx
