// Colour index 255 belongs to the overlays (yellow in every table): whatever
// the samples, gains, sides, zoom and row counts, no waterfall pixel drawn
// live or rebuilt is 255, and no composite byte either.
#include <gtest/gtest.h>

#include <random>

#include "ImagingTestSupport.h"
#include "imaging/Rebuild.h"
#include "imaging/StorePing.h"

namespace hx {
namespace {

int countOverlayIndex(const WaterfallStore& store) {
    int found = 0;
    for (int h = 0; h < kSideScanHeadCount; ++h)
        for (int r = 0; r < store.imageHeight; ++r)
            for (std::uint8_t p : HeadImageRow(store, h, r)) found += p == 255;
    for (int r = 0; r < store.imageHeight; ++r)
        for (std::uint8_t p : CompositeRow(store, r)) found += p == 255;
    return found;
}

struct OverlayCase {
    bool threeHeads;
    int width;
    std::int32_t sideMode;
    double gain;
    double interpolation;
    bool speedCorrection;
};

class NoOverlayIndex : public ::testing::TestWithParam<OverlayCase> {};

TEST_P(NoOverlayIndex, InAnyRowDrawnLiveOrRebuilt) {
    const OverlayCase c = GetParam();
    std::mt19937 rng(static_cast<unsigned>(c.width * 7 + c.sideMode));
    ImagingState imaging;
    const LinkFields link = c.threeHeads ? testing::threeHeadLink() : testing::twoHeadLink();
    testing::readyImages(imaging, link, c.width, c.width / 2000.0);
    imaging.display.sideDisplayMode = c.sideMode;
    imaging.display.displayGain = {c.gain, c.gain, c.gain};
    imaging.display.interpolationFactor = c.interpolation;
    SpeedSource speed;
    speed.speedCorrectionEnabled = c.speedCorrection ? 1 : 0;
    HeadTable heads;
    heads.headFrequency = {120000, 260000, 540000, 200000};
    heads.sideScanRange = 150;  // the 540 kHz limit blanks the far edges too
    CycleValues cycle = testing::cycleAt(3, 0, 0);
    PingExtras extras;
    std::uniform_int_distribution<int> interval(0, 900);
    for (int p = 0; p < 60; ++p) {
        for (int h = 0; h < kSideScanHeadCount; ++h) testing::setEchoLine(heads, h, testing::randomLine(rng));
        cycle.pingInterval = interval(rng);
        extras.gpsSpeedKn = p % 7;
        extras.tickMs = static_cast<std::uint32_t>(p * 250);
        StorePing(imaging, cycle, heads, link, speed, extras);
        cycle.pingInterval = interval(rng);  // the next record's interval as the test wants it
    }
    EXPECT_EQ(countOverlayIndex(imaging.store), 0) << "drawn live";
    RebuildImages(imaging.store, imaging.work, imaging.lines, imaging.history, imaging.display, speed, heads, link);
    EXPECT_EQ(countOverlayIndex(imaging.store), 0) << "rebuilt";
}

INSTANTIATE_TEST_SUITE_P(Settings, NoOverlayIndex,
                         ::testing::Values(OverlayCase{false, 400, kBothSides, 2.0, 1.0, true},
                                           OverlayCase{false, 4000, kBothSides, 1.7, 2.0, false},
                                           OverlayCase{true, 3000, kPortOnly, 2.0, 3.0, false},
                                           OverlayCase{true, 1000, kStarboardOnly, 1.0, 1.0, true},
                                           OverlayCase{false, 4000, kPortOnly, 1.99, 4.0, false}),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

}  // namespace
}  // namespace hx
