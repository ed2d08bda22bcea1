// Speed correction: how many waterfall rows one ping adds, from the ship's
// speed, the ping interval and the range, with the fractions carried per head
// to the next ping. ComputeLineCount writes it; ClearScreen and the rebuild
// zero the carries.
#pragma once

#include <array>
#include <cstdint>

#include "core/Heads.h"
#include "imaging/DisplaySettings.h"

namespace hx {

struct LineCountState {
    std::int32_t speedLineCount = 0;  // rows for the distance run at the across-track scale
    std::int32_t fixedLineCount = 0;  // rows for one input sample's width (speed correction off)
    std::array<double, kSideScanHeadCount> speedCarry{};
    std::array<double, kSideScanHeadCount> fixedCarry{};
};

// What one ping brings to the count.
struct LineCountPing {
    std::int32_t rangeM = 0;
    std::int32_t pingIntervalMs = 0;
    double shipSpeedKn = 0.0;
};

// The image the count is for: its width in pixels and its pixels per input
// sample (imageWidth and imageScale in three-head operation, else the head's
// own width and scale).
struct LineCountImage {
    std::int32_t widthPx = 2000;
    double scale = 1.0;
};

// Largest row count one ping may report; beyond it a count means a damaged
// record or a hostile setting, not a ship.
inline constexpr std::int32_t kMaxLineCount = 1 << 20;

// The speed in knots the count uses for a ping's recorded GPS speed.
double EffectiveSpeedKn(const SpeedSource& speed, double recordedSpeedKn);

// Updates speedLineCount, fixedLineCount and head h's carries. A ping with
// no range (0 m or less) adds no rows and leaves the carries alone.
void ComputeLineCount(LineCountState& state, const LineCountPing& ping, int head, std::int32_t sideDisplayMode,
                      const LineCountImage& image, const SpeedSource& speed);

// The rows a ping adds: speedLineCount with speed correction, else fixedLineCount.
inline std::int32_t ChosenLineCount(const LineCountState& state, const SpeedSource& speed) {
    return speed.speedCorrectionEnabled ? state.speedLineCount : state.fixedLineCount;
}

}  // namespace hx
