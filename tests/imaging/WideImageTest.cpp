// The widest images a window can ask for: the line the processing works in
// is as wide as the image, so a 540 kHz head beyond 120 m blanks its edges
// inside the line at any width (the sanitizers catch a write past it).
#include <gtest/gtest.h>

#include <algorithm>

#include "ImagingTestSupport.h"
#include "imaging/AppendLine.h"
#include "imaging/ImageGeometry.h"
#include "imaging/LineCount.h"
#include "imaging/Rebuild.h"
#include "imaging/WaterfallStore.h"

namespace hx {
namespace {

using testing::constantLine;

constexpr int kRows = 6;  // a few rows suffice: the width is what is tested

struct WideStore {
    WaterfallStore store;
    LineCountState lines;
    LineWork work;
    PaletteState palette;

    explicit WideStore(int width) {
        palette.colourTables = GenerateColourTables();
        store.imageWidth = width;
        store.imageHeight = kRows;
        store.imageScale = width / 2000.0;
        AllocateImages(store, palette, false, kHeadH, kHeadL, width, kRows);
        ClearScreen(store, lines);
        store.imagesReady = 1;
    }
};

int blackAtLeft(std::span<const std::uint8_t> row) {
    return static_cast<int>(std::find_if(row.begin(), row.end(), [](std::uint8_t p) { return p != 0; }) - row.begin());
}

int blackAtRight(std::span<const std::uint8_t> row) {
    return static_cast<int>(std::find_if(row.rbegin(), row.rend(), [](std::uint8_t p) { return p != 0; }) - row.rbegin());
}

struct WideCase {
    int windowWidth;
    std::int32_t sideMode;
};

class WideImage : public ::testing::TestWithParam<WideCase> {};

TEST_P(WideImage, TheHighFrequencyLimitBlanksInsideTheLine) {
    const auto [window, mode] = GetParam();
    const auto g = ComputeImageGeometry(window, ViewZoom{}, true);
    ASSERT_TRUE(g);
    const int w = g->imageWidth;
    ASSERT_LE(w, kMaxImageWidthPx);
    WideStore s(w);
    DisplaySettings d;
    d.sideDisplayMode = mode;
    const LineSamples samples = constantLine(90);
    const RowMeta meta;
    // 540 kHz at 150 m: n = trunc(30 × W × 0.5 / 150) pixels past 120 m.
    const int n = static_cast<int>(30.0 * w * 0.5 / 150.0);
    AppendLine(s.store, s.work, d, LineInput{samples, 150, 540000, true}, LineTarget{kHeadH, false, true}, 2, meta, 2);
    const auto row = HeadImageRow(s.store, kHeadH, 0);
    ASSERT_EQ(static_cast<int>(row.size()), w);
    if (mode == kBothSides) {
        EXPECT_EQ(blackAtLeft(row), n);
        EXPECT_GE(blackAtRight(row), n);
    } else if (mode == kPortOnly) {
        EXPECT_EQ(blackAtLeft(row), 2 * n);
    } else {
        EXPECT_GE(blackAtRight(row), 2 * n);
        EXPECT_EQ(row[0], 90);
    }
    EXPECT_LE(s.work.scratchLine.size(), static_cast<std::size_t>(w) + kLineSlackBytes + 8);

    // The rebuild works in the same line.
    PingHistory history;
    PingHistoryRecord& r = history.records[0];
    r.samples[kHeadH] = samples;
    r.rangeM = 150;
    r.pingIntervalMs = 200;
    AdvanceHistory(history);
    SpeedSource speed;
    speed.speedCorrectionEnabled = 0;
    RebuildFromHistory(s.store, s.work, s.lines, history, d, speed, 540000, LineTarget{kHeadH, false, true});
    const auto rebuilt = HeadImageRow(s.store, kHeadH, 0);
    EXPECT_EQ(mode == kStarboardOnly ? blackAtRight(rebuilt) >= 2 * n : blackAtLeft(rebuilt) >= n, true);
}

INSTANTIATE_TEST_SUITE_P(
    WidestWindows, WideImage,
    ::testing::Values(WideCase{8192, kBothSides}, WideCase{8193, kBothSides}, WideCase{9000, kPortOnly},
                      WideCase{11001, kStarboardOnly}, WideCase{kMaxImageWidthPx, kBothSides},
                      WideCase{1 << 20, kPortOnly}, WideCase{1 << 20, kStarboardOnly}),
    [](const auto& info) {
        return "window" + std::to_string(info.param.windowWidth) + "_mode" + std::to_string(info.param.sideMode);
    });

// The line buffer grows with the image and never shrinks below it.
TEST(LineWork, TheLineIsAsWideAsTheImage) {
    LineWork work;
    EXPECT_GE(work.lineFor(100).size(), 100 + kLineSlackBytes);
    EXPECT_GE(work.lineFor(kMaxImageWidthPx).size(), static_cast<std::size_t>(kMaxImageWidthPx) + kLineSlackBytes);
    EXPECT_GE(work.lineFor(100).size(), static_cast<std::size_t>(kMaxImageWidthPx)) << "no allocation going back";
    EXPECT_GE(work.lineFor(0).size(), 1 + kLineSlackBytes);
}

}  // namespace
}  // namespace hx
