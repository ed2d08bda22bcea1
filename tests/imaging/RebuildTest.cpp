// Rebuilding the images from the ping history: after a resize or the end of
// Hold the picture shows the same pings as the live one did.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "ImagingTestSupport.h"
#include "imaging/ColourTables.h"
#include "imaging/ImageGeometry.h"
#include "imaging/Rebuild.h"

namespace hx {
namespace {

using testing::readyImages;
using testing::setEchoLine;

struct Snapshot {
    std::vector<std::vector<std::uint8_t>> rows;
    std::vector<int> pings;
};

Snapshot snapshot(const WaterfallStore& store, int head) {
    Snapshot s;
    for (int r = 0; r < store.imageHeight; ++r) {
        const auto row = head < 0 ? CompositeRow(store, r) : HeadImageRow(store, head, r);
        s.rows.emplace_back(row.begin(), row.end());
        s.pings.push_back(store.rowMeta.at(r).pingNumber);
    }
    return s;
}

void feed(ImagingState& imaging, const LinkFields& link, const SpeedSource& speed, int pings, std::mt19937& rng) {
    HeadTable heads;
    heads.headFrequency = {120000, 260000, 540000, 200000};
    heads.sideScanRange = 150;  // the 540 kHz head is blanked beyond 120 m
    LinkFields played = link;
    played.playbackMode = 1;
    CycleValues c = testing::cycleAt(0, 0, 250);
    PingExtras extras;
    extras.gpsSpeedKn = 4.0;
    for (int p = 1; p <= pings; ++p) {
        for (int h = 0; h < 3; ++h) setEchoLine(heads, h, testing::randomLine(rng));
        extras.pingNumber = p;
        c = testing::cycleAt(p, p % 1000, 250);
        StorePing(imaging, c, heads, played, speed, extras);
    }
}

void rebuild(ImagingState& imaging, const LinkFields& link, const SpeedSource& speed) {
    HeadTable heads;
    heads.headFrequency = {120000, 260000, 540000, 200000};
    PaletteState palette;
    palette.colourTables = GenerateColourTables();
    const int width = imaging.store.imageWidth;
    AllocateImages(imaging.store, palette, link.allSideScansAvailable != 0, link.displayHeadA, link.displayHeadB, width,
                   width);
    ClearScreen(imaging.store, imaging.lines);
    RebuildImages(imaging.store, imaging.work, imaging.lines, imaging.history, imaging.display, speed, heads, link);
}

SpeedSource correctionOff() {
    SpeedSource s;
    s.speedCorrectionEnabled = 0;
    return s;
}

TEST(Rebuild, BothSidesAt2000PixelsShowsTheSamePingsAsLive) {
    std::mt19937 rng(1);
    ImagingState imaging;
    const LinkFields link = testing::twoHeadLink(kHeadM, kHeadH);
    readyImages(imaging, link, 2000, 1.0);
    imaging.display.displayGain = {1.0, 1.3, 0.7};
    feed(imaging, link, correctionOff(), 700, rng);
    const Snapshot liveA = snapshot(imaging.store, kHeadM);
    const Snapshot liveB = snapshot(imaging.store, kHeadH);
    ASSERT_EQ(liveA.pings[0], 700);
    ASSERT_EQ(liveA.pings[699], 1);
    rebuild(imaging, link, correctionOff());
    const Snapshot rebuiltA = snapshot(imaging.store, kHeadM);
    EXPECT_EQ(rebuiltA.pings, liveA.pings);
    EXPECT_TRUE(rebuiltA.rows == liveA.rows);
    EXPECT_TRUE(snapshot(imaging.store, kHeadH).rows == liveB.rows);
    EXPECT_EQ(imaging.store.validRows, 700);
}

TEST(Rebuild, OneSideAt1000PixelsAndTheCompositeShowTheSamePingsAsLive) {
    std::mt19937 rng(2);
    ImagingState imaging;
    const LinkFields link = testing::threeHeadLink();
    readyImages(imaging, link, 1000, 0.5);
    imaging.display.sideDisplayMode = kStarboardOnly;
    feed(imaging, link, correctionOff(), 400, rng);
    const Snapshot live[4] = {snapshot(imaging.store, 0), snapshot(imaging.store, 1), snapshot(imaging.store, 2),
                              snapshot(imaging.store, -1)};
    rebuild(imaging, link, correctionOff());
    for (int h = -1; h < 3; ++h) {
        const Snapshot now = snapshot(imaging.store, h);
        for (int r = 0; r < 399; ++r)
            ASSERT_EQ(now.rows[static_cast<std::size_t>(r)], live[h < 0 ? 3 : h].rows[static_cast<std::size_t>(r)])
                << "head " << h << " row " << r;
        EXPECT_EQ(now.pings, live[0].pings);
    }
}

TEST(Rebuild, PingsThatAddNoRowAreMergedNotDropped) {
    // 1000 pixels, both sides, correction off: a row every second ping. With
    // an odd number of pings the live pairs and the rebuilt pairs coincide.
    std::mt19937 rng(3);
    ImagingState imaging;
    const LinkFields link = testing::twoHeadLink();
    readyImages(imaging, link, 1000, 0.5);
    feed(imaging, link, correctionOff(), 301, rng);
    const Snapshot live = snapshot(imaging.store, kHeadL);
    EXPECT_EQ(imaging.store.validRows, 150);
    rebuild(imaging, link, correctionOff());
    const Snapshot now = snapshot(imaging.store, kHeadL);
    for (int r = 0; r <= 150; ++r)
        ASSERT_EQ(now.rows[static_cast<std::size_t>(r)], live.rows[static_cast<std::size_t>(r)]) << "row " << r;
    EXPECT_EQ(imaging.store.validRows, 150);
}

TEST(Rebuild, StopsWhenTheImageIsFullAndFillsItToTheBottom) {
    std::mt19937 rng(4);
    ImagingState imaging;
    const LinkFields link = testing::threeHeadLink();
    readyImages(imaging, link, 200, 1.0);
    feed(imaging, link, SpeedSource{}, 4100, rng);  // wraps the history
    rebuild(imaging, link, SpeedSource{});
    EXPECT_EQ(imaging.store.validRows, 200);
    // 200 px over 300 m, 4 kn, 250 ms: about 0.34 rows a ping.
    const RowMeta& bottom = imaging.store.rowMeta.at(199);
    EXPECT_GT(bottom.pingNumber, 4100 - 700);
    EXPECT_LT(bottom.pingNumber, 4100 - 500);
    for (int h = 0; h < 3; ++h) {
        const auto last = HeadImageRow(imaging.store, h, 199);
        EXPECT_GT(*std::max_element(last.begin(), last.end()), 0) << "bottom row drawn, head " << h;
    }
    EXPECT_EQ(imaging.store.frozenRowMeta[199].lineCount, bottom.lineCount);
}

TEST(Rebuild, ResizeRebuildsAtTheNewScale) {
    std::mt19937 rng(5);
    ImagingState imaging;
    PaletteState palette;
    palette.colourTables = GenerateColourTables();
    const LinkFields link = testing::twoHeadLink();
    HeadTable heads;
    ViewZoom zoom;
    imaging.store.viewReady = 1;
    ASSERT_TRUE(ResizeImages(imaging, palette, zoom, 1001, heads, link, correctionOff()));
    EXPECT_EQ(imaging.store.imageWidth, 1004);
    feed(imaging, link, correctionOff(), 50, rng);
    const int before = imaging.store.rowMeta.at(0).pingNumber;
    ASSERT_TRUE(SelectZoomMode(zoom, kZoom200));
    ASSERT_TRUE(ResizeImages(imaging, palette, zoom, 1001, heads, link, correctionOff()));
    EXPECT_EQ(HeadImageFor(imaging.store, kHeadL)->width(), 4000);
    EXPECT_EQ(imaging.display.interpolationFactor, 2.0);
    EXPECT_EQ(imaging.store.imageScale, 2.0);
    EXPECT_EQ(imaging.store.rowMeta.at(0).pingNumber, before);
    EXPECT_EQ(imaging.store.validRows, 100) << "two rows per ping at 200 %, both sides";
}

}  // namespace
}  // namespace hx
