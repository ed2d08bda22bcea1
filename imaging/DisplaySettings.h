// The operator's choices that shape the waterfall lines: which sides are
// shown, the display gain per head, the zoom's interpolation factor and Hold.
// Changed by the view commands, the control bars and the settings load.
#pragma once

#include <array>
#include <cstdint>

#include "core/Heads.h"

namespace hx {

// sideDisplayMode values.
inline constexpr std::int32_t kPortOnly = 1;
inline constexpr std::int32_t kStarboardOnly = 2;
inline constexpr std::int32_t kBothSides = 3;

struct DisplaySettings {
    std::int32_t sideDisplayMode = kBothSides;
    std::array<double, kSideScanHeadCount> displayGain{1.0, 1.0, 1.0};  // factor 0.0..2.0
    double interpolationFactor = 1.0;                                   // 2, 3 or 4 interpolate magnified lines
    std::int32_t holdDisplay = 0;       // 1: no new rows; the views read the frozen row data
    std::int32_t verticalBlending = 0;  // "&Vertical Blending": shown only, the vertical fill always runs
};

// Where the along-track speed comes from; the navigation settings hand these
// over as plain values.
struct SpeedSource {
    std::int32_t speedCorrectionEnabled = 1;
    std::int32_t useManualSpeed = 0;
    double manualShipSpeedKn = 3.0;
    std::int32_t useGpsSpeed = 1;
};

}  // namespace hx
