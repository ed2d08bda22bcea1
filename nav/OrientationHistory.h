// The orientation history strip chart: five lanes (depth, temperature,
// pitch, roll, heading) down the window, time running leftwards, one new
// column per ping at the left edge of the 30-pixel right margin. Held as a
// ring of columns in row-major memory so that a ping costs the window's
// height, not its area. Changed by resize (which loses the history) and by
// AppendHistoryColumn once per ping while the history window exists.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "nav/OrientationInstruments.h"

namespace hx {

inline constexpr int kHistRightMarginPx = 30;
inline constexpr int kHistTopMarginPx = 10;
inline constexpr int kHistLaneCount = 5;

enum class HistLane : int { Depth = 0, Temperature = 1, Pitch = 2, Roll = 3, Heading = 4 };

// Colour indexes of the traces; 251, 252 and 255 are drawn pure blue, green
// and red whatever the palette says.
inline constexpr std::uint8_t kHistDepthIndex = 240;
inline constexpr std::uint8_t kHistTemperatureIndex = 150;
inline constexpr std::uint8_t kHistPitchIndex = 251;
inline constexpr std::uint8_t kHistRollIndex = 252;
inline constexpr std::uint8_t kHistHeadingIndex = 255;
inline constexpr std::uint8_t kHistCentreDotIndex = 50;

class OrientationHistory {
public:
    // Resize (width x height at least 1): W is the client width rounded up
    // to a multiple of 4, H the client height; the picture is cleared and
    // each trace starts from its reference row.
    void resize(int clientWidthPx, int clientHeightPx);

    int widthPx() const { return width_; }
    int heightPx() const { return height_; }
    // L = (H - 20) / 5; below 1 nothing is plotted.
    int laneHeightPx() const { return lane_; }
    // Columns 0..W-30 scroll; column W-30 is the newest.
    int stripColumns() const { return columns_; }
    int newestColumnX() const { return width_ - kHistRightMarginPx; }

    // The colour index at picture position (x, y); the right margin is 0.
    std::uint8_t at(int x, int y) const;
    // Physical row y of the strip; the picture's row is the part from
    // oldestColumn() on followed by the part before it.
    std::span<const std::uint8_t> physicalRow(int y) const;
    int oldestColumn() const { return oldest_; }

    int previousRow(HistLane lane) const { return previous_[static_cast<std::size_t>(lane)]; }

    // One ping: the strip moves one column left and the new column gets, per
    // trace, the vertical run from its previous row to its new row.
    void AppendHistoryColumn(const OrientationValues& v);

private:
    int width_ = 0, height_ = 0, lane_ = 0, columns_ = 0, oldest_ = 0;
    std::vector<std::uint8_t> pixels_;  // height_ rows of columns_ bytes
    std::array<int, kHistLaneCount> previous_{};
};

// The row at which a trace plots a value, for lane height L: 0 m at the top
// of the depth lane and 100 m at its bottom; 35 C at the top of the
// temperature lane and -5 C at its bottom; +5 and -5 degrees at the tops and
// bottoms of the pitch and roll lanes; 0 and 360 degrees for heading. Values
// beyond a lane run into its neighbours. The result is truncated; a value
// that is not a number has no row (returns false).
bool historyRowFor(HistLane lane, double value, int laneHeightPx, int& row);

}  // namespace hx
