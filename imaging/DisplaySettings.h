// The operator's choices that shape the waterfall lines: which sides are
// shown, the display gain per head, the zoom's interpolation factor and Hold.
// Changed by the view commands, the control bars and the settings load.
#pragma once

#include <algorithm>
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
    // Display switches kept and shown as check marks; the imaging does not
    // consult them: "Display image use single R, G or B color", "Display
    // Beam Test" (each clears the other when set) and the toolbar's "Display
    // Low freq DIB or High Freq DIB".
    std::int32_t singleColourDisplay = 0;
    std::int32_t beamTestDisplay = 0;
    std::int32_t lowHighDib = 0;
};

// "Display image use single R, G or B color": toggles; set, it clears "Display Beam Test".
inline void ToggleSingleColourDisplay(DisplaySettings& display) {
    display.singleColourDisplay = display.singleColourDisplay ? 0 : 1;
    if (display.singleColourDisplay) display.beamTestDisplay = 0;
}

// "Display Beam Test": toggles; set, it clears the single colour switch.
inline void ToggleBeamTestDisplay(DisplaySettings& display) {
    display.beamTestDisplay = display.beamTestDisplay ? 0 : 1;
    if (display.beamTestDisplay) display.singleColourDisplay = 0;
}

// A display gain spin: the head's factor moves by deltaPercent / 100 and
// stays within 0.0..2.0. Heads other than the sidescans are ignored.
inline void StepDisplayGain(DisplaySettings& display, int head, int deltaPercent) {
    if (head < 0 || head >= kSideScanHeadCount) return;
    double& gain = display.displayGain[static_cast<std::size_t>(head)];
    gain = std::clamp(gain + deltaPercent / 100.0, 0.0, 2.0);
}

// Display flags shared by every sidescan view. Hold, playback, the pending
// system information and the good-cycle count are read where they live
// (DisplaySettings::holdDisplay, LinkFields, CycleValues).
struct SidescanViewFlags {
    std::int32_t grid = 1;            // "&Grid": full grid lines, else ticks
    std::int32_t units = 0;           // 0 metres, 1 feet
    std::int32_t showRange = 1;       // range and frequency text of the main view
    std::int32_t showMarkShadow = 1;  // shown as a check mark only
    std::int32_t displayTimeMs = 0;   // main view's paint time, averaged
    std::int32_t scrollX = 0;         // the main view's scroll, followed by the
    std::int32_t scrollY = 0;         // M and H views and read by the marks
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
