// The echo sounder's echogram and altitude: bottom detection on columns with
// known first returns, the ring of columns against the plain moved-pixel
// picture, resampling to the window's height, Hold, and small windows.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <vector>

#include "imaging/EchoGram.h"
#include "imaging/EchoSounderText.h"

namespace hx {
namespace {

using Samples = std::array<std::uint8_t, kEchoSampleCount>;

Samples bottomAt(int firstStrongSample, std::uint8_t water, std::uint8_t bottom) {
    Samples s{};
    for (std::size_t i = 0; i < s.size(); ++i) s[i] = static_cast<int>(i) < firstStrongSample ? water : bottom;
    return s;
}

EchoSounderState windowOf(int w, int h) {
    EchoSounderState e;
    ResizeEchoGram(e, w, h);
    return e;
}

TEST(EchoAltitude, WorkedExampleFifteenMetresAt120Of400) {
    // H = 460 gives 400 rows, 2.5 samples a row: row 120 is the first whose
    // window (samples 301, 302) holds the bottom.
    EchoSounderState e = windowOf(200, 460);
    ASSERT_EQ(e.live.rows(), 400);
    const auto altitude = AppendEchoColumn(e, bottomAt(301, 30, 200), 1.0, 50);
    ASSERT_TRUE(altitude.has_value());
    EXPECT_DOUBLE_EQ(*altitude, 15.0);
    EXPECT_EQ(EchoAltitudeText(*altitude, false), "A: 15.0 m");
    EXPECT_EQ(e.live.at(e.live.columns() - 1, 119), 30);
    EXPECT_EQ(e.live.at(e.live.columns() - 1, 120), 200);
}

struct AltitudeCase {
    const char* name;
    std::vector<std::uint8_t> column;
    std::optional<double> altitude;  // range 100 m
};

class DetectAltitude : public ::testing::TestWithParam<AltitudeCase> {};

TEST_P(DetectAltitude, FirstReturnAboveTheMeanOfTheStrongOnes) {
    const AltitudeCase& c = GetParam();
    const auto got = DetectAltitudeM(c.column, 100);
    ASSERT_EQ(got.has_value(), c.altitude.has_value());
    if (got) {
        EXPECT_DOUBLE_EQ(*got, *c.altitude);
    }
}

std::vector<std::uint8_t> column(std::initializer_list<std::pair<int, std::uint8_t>> runs) {
    std::vector<std::uint8_t> v;
    for (const auto& [count, value] : runs) v.insert(v.end(), static_cast<std::size_t>(count), value);
    return v;
}

INSTANTIATE_TEST_SUITE_P(
    Columns, DetectAltitude,
    ::testing::Values(
        // mean of (30 x 10 + 200 x 10) / 20 = 115: the first 200 is at 10 of 40.
        AltitudeCase{"bottomAtQuarter", column({{10, 30}, {10, 200}, {20, 0}}), 25.0},
        AltitudeCase{"nothingAbove20", column({{40, 20}}), std::nullopt},
        AltitudeCase{"silence", column({{40, 0}}), std::nullopt},
        // All saturated returns are the mean itself: none lies above it.
        AltitudeCase{"saturatedEverywhere", column({{40, 254}}), std::nullopt},
        AltitudeCase{"saturatedBottomUnderNoise", column({{30, 40}, {10, 254}}), 75.0},
        // Weak samples (20 and below) do not pull the mean down.
        AltitudeCase{"weakSamplesIgnored", column({{5, 21}, {15, 20}, {5, 23}, {15, 0}}), 50.0},
        AltitudeCase{"firstSampleIsTheBottom", column({{1, 250}, {39, 25}}), 0.0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EchoGram, NoBottomLeavesTheAltitudeAndStillScrolls) {
    EchoSounderState e = windowOf(100, 100);
    EXPECT_FALSE(AppendEchoColumn(e, bottomAt(0, 0, 15), 1.0, 50).has_value());
    EXPECT_FALSE(AppendEchoColumn(e, bottomAt(0, 255, 255), 1.0, 50).has_value());
    // The saturated ping was drawn, as 254: 255 stays free for overlays. The
    // window-maximum resampler runs out of samples before the last row, as
    // it does for sidescan lines.
    const int last = e.live.columns() - 1;
    for (int r = 0; r + 1 < e.live.rows(); ++r) EXPECT_EQ(e.live.at(last, r), 254);
    EXPECT_EQ(e.live.at(last, e.live.rows() - 1), 0);
    EXPECT_EQ(e.live.at(e.live.columns() - 2, 0), 15);
}

// The picture as the plain algorithm builds it: every pixel moves one column
// left per ping and the new column goes in at the right.
struct MovedPixels {
    int columns, rows;
    std::vector<std::uint8_t> px;
    MovedPixels(int c, int r) : columns(c), rows(r), px(static_cast<std::size_t>(c * r), 0) {}
    void push(const std::vector<std::uint8_t>& col) {
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c + 1 < columns; ++c) px[static_cast<std::size_t>(r * columns + c)] = px[static_cast<std::size_t>(r * columns + c + 1)];
            px[static_cast<std::size_t>(r * columns + columns - 1)] = col[static_cast<std::size_t>(r)];
        }
    }
};

TEST(EchoGram, RingMatchesMovedPixelsOneColumnPerPing) {
    EchoSounderState e = windowOf(57, 93);  // W 60, H 96: 30 columns, 36 rows
    ASSERT_EQ(e.imageWidthPx, 60);
    ASSERT_EQ(e.imageHeightPx, 96);
    ASSERT_EQ(e.live.columns(), 30);
    ASSERT_EQ(e.live.rows(), 36);
    MovedPixels reference(30, 36);
    std::mt19937 rng(7);
    for (int ping = 0; ping < 75; ++ping) {
        Samples s{};
        for (auto& v : s) v = static_cast<std::uint8_t>(rng() % 256);
        AppendEchoColumn(e, s, 1.0, 50);
        reference.push(e.work);
        for (int r = 0; r < 36; ++r)
            for (int c = 0; c < 30; ++c)
                ASSERT_EQ(e.live.at(c, r), reference.px[static_cast<std::size_t>(r * 30 + c)])
                    << "ping " << ping << " column " << c << " row " << r;
    }
}

TEST(EchoGram, TallWindowsStretchTheSamples) {
    EchoSounderState e = windowOf(100, 1100);  // 1040 rows for 1000 samples
    ASSERT_EQ(e.live.rows(), 1040);
    Samples s{};
    s[999] = 200;
    AppendEchoColumn(e, s, 1.0, 50);
    EXPECT_LT(e.sampleRatio, 1.0);
    const int last = e.live.columns() - 1;
    EXPECT_EQ(e.live.at(last, 1039), 200);
    EXPECT_EQ(e.live.at(last, 900), 0);
}

TEST(EchoGram, ResizeClearsAndWindowsTooSmallHoldNothing) {
    EchoSounderState e = windowOf(100, 100);
    AppendEchoColumn(e, bottomAt(0, 50, 50), 1.0, 50);
    ResizeEchoGram(e, 101, 100);
    EXPECT_EQ(e.imageWidthPx, 104);
    EXPECT_EQ(e.live.at(e.live.columns() - 1, 0), 0);
    ResizeEchoGram(e, 0, 100);  // ignored
    EXPECT_EQ(e.imageWidthPx, 104);
    for (auto [w, h] : {std::pair{20, 300}, std::pair{300, 60}, std::pair{1, 1}}) {
        EchoSounderState small = windowOf(w, h);
        EXPECT_TRUE(small.live.empty());
        EXPECT_FALSE(AppendEchoColumn(small, bottomAt(10, 30, 200), 1.0, 50).has_value());
    }
}

TEST(EchoSounderText, ScaleLabelsAndTextsInBothUnits) {
    const auto metres = EchoScaleMarks(460, 50, false, true);
    const auto feet = EchoScaleMarks(460, 50, true, false);
    const char* m[] = {"0", "10", "20", "30", "40", "50"};
    const char* f[] = {"0", "30", "60", "90", "120", "150"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(metres[static_cast<std::size_t>(i)].label, m[i]);
        EXPECT_EQ(feet[static_cast<std::size_t>(i)].label, f[i]);
        EXPECT_TRUE(metres[static_cast<std::size_t>(i)].drawLine);
        EXPECT_EQ(feet[static_cast<std::size_t>(i)].drawLine, i == 0);  // grid hidden: top line only
    }
    // usable 398: a division is 79.6 rows, or 72.78 rows for 30 ft.
    EXPECT_EQ(metres[1].lineY, 109);
    EXPECT_EQ(metres[5].lineY, 428);
    EXPECT_EQ(metres[1].labelY, 99);
    EXPECT_EQ(feet[1].lineY, 102);
    EXPECT_EQ(EchoRangeText(50, 6, true), "150 ft(6 dB)");
    EXPECT_EQ(EchoRangeText(50, 6, false), "50 m(6 dB)");
    EXPECT_EQ(EchoAltitudeText(15.0, true), "A: 49.2 ft");
    EXPECT_EQ(EchoAltitudeText(123.45, false), "A:123.5 m");
}

}  // namespace
}  // namespace hx
