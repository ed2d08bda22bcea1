// The orientation read-outs in both unit systems, the gauges' arithmetic,
// and the history strip: rows per lane, continuous traces, one column per
// ping against the plain moved-pixel picture, and hostile values.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "nav/OrientationHistory.h"
#include "nav/OrientationInstruments.h"

namespace hx {
namespace {

struct ReadoutCase {
    const char* name;
    OrientationValues v;
    bool feet;
    OrientationTexts expected;
};

class Readouts : public ::testing::TestWithParam<ReadoutCase> {};

TEST_P(Readouts, Formats) {
    const ReadoutCase& c = GetParam();
    const OrientationTexts t = orientationTexts(c.v, c.feet);
    EXPECT_EQ(t.pitch, c.expected.pitch);
    EXPECT_EQ(t.roll, c.expected.roll);
    EXPECT_EQ(t.heading, c.expected.heading);
    EXPECT_EQ(t.depth, c.expected.depth);
    EXPECT_EQ(t.temperature, c.expected.temperature);
}

INSTANTIATE_TEST_SUITE_P(
    BothUnits, Readouts,
    ::testing::Values(
        ReadoutCase{"metres", {-2.25, 13.0, 359.96, 12.5, 8.4}, false,
                    {"P:  -2.2", "R:  13.0", "H: 360.0", "D:  12.5 m", "T:   8.4  C"}},
        // 30.48 m is 100 ft; 20 C is 68 F.
        ReadoutCase{"feet", {4.0, -7.5, 90.0, 30.48, 20.0}, true,
                    {"P:   4.0", "R:  -7.5", "H:  90.0", "D: 100.0 ft", "T:  68.0  F"}},
        ReadoutCase{"feetBelowFreezing", {0, 0, 0, 1000.0, -5.0}, true,
                    {"P:   0.0", "R:   0.0", "H:   0.0", "D: 3280.8 ft", "T:  23.0  F"}},
        ReadoutCase{"notANumber", {std::nan(""), 0, std::numeric_limits<double>::infinity(), 0, 0}, false,
                    {"P:   0.0", "R:   0.0", "H:   0.0", "D:   0.0 m", "T:   0.0  C"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Gauges, FractionsLabelsAndDials) {
    EXPECT_DOUBLE_EQ(gaugeFraction(250.0, kDepthGaugeSpan), 0.25);
    EXPECT_DOUBLE_EQ(gaugeFraction(15.0, kTemperatureGaugeSpan), 0.5);
    EXPECT_DOUBLE_EQ(gaugeFraction(std::nan(""), kDepthGaugeSpan), 0.0);
    EXPECT_DOUBLE_EQ(gaugeFraction(5000.0, kDepthGaugeSpan), 1.0);
    EXPECT_EQ(gaugeEndLabel(1000, true), "3000");
    EXPECT_DOUBLE_EQ(pitchLevelOffsetPx(-180.0, 24.0), 24.0);  // kept inside the dial
}

OrientationHistory historyOf(int w, int h) {
    OrientationHistory hist;
    hist.resize(w, h);
    return hist;
}

TEST(HistoryRows, LanesFromTheirScales) {
    struct Case {
        HistLane lane;
        double value;
        int row;  // lane height 100
    } cases[] = {
        {HistLane::Depth, 50.0, 60},        {HistLane::Depth, 0.0, 10},        {HistLane::Depth, 100.0, 110},
        {HistLane::Temperature, 35.0, 110}, {HistLane::Temperature, -5.0, 210}, {HistLane::Temperature, 15.0, 160},
        {HistLane::Pitch, 5.0, 210},        {HistLane::Pitch, 0.0, 260},       {HistLane::Pitch, -5.0, 310},
        {HistLane::Roll, 2.5, 335},         {HistLane::Heading, 0.0, 410},     {HistLane::Heading, 360.0, 510},
        {HistLane::Heading, 90.0, 435},     {HistLane::Depth, 150.0, 160},  // beyond the lane: into the next
    };
    for (const Case& c : cases) {
        int row = 0;
        ASSERT_TRUE(historyRowFor(c.lane, c.value, 100, row));
        EXPECT_EQ(row, c.row) << static_cast<int>(c.lane) << " " << c.value;
    }
    int row = 0;
    EXPECT_FALSE(historyRowFor(HistLane::Roll, std::nan(""), 100, row));
}

TEST(History, TraceRunsFromThePreviousRowSoItStaysContinuous) {
    OrientationHistory h = historyOf(397, 520);
    ASSERT_EQ(h.widthPx(), 400);
    ASSERT_EQ(h.laneHeightPx(), 100);
    EXPECT_EQ(h.previousRow(HistLane::Temperature), 10 + 50 + 100);  // the reference rows
    EXPECT_EQ(h.previousRow(HistLane::Heading), 460);
    OrientationValues v;
    v.depthM = 50.0;
    v.temperatureC = 15.0;
    v.headingDeg = 360.0;
    h.AppendHistoryColumn(v);
    const int x = h.newestColumnX();
    for (int y = 10; y <= 60; ++y) EXPECT_EQ(h.at(x, y), kHistDepthIndex) << y;
    EXPECT_EQ(h.at(x, 61), 0);
    EXPECT_EQ(h.at(x, 160), kHistTemperatureIndex);
    EXPECT_EQ(h.at(x, 510), kHistHeadingIndex);  // 360 degrees: the lane's bottom line
    EXPECT_EQ(h.at(x, 260), kHistPitchIndex);     // pitch 0 covers the centre dot
    EXPECT_EQ(h.at(x, 360), kHistRollIndex);
    v.depthM = 20.0;
    h.AppendHistoryColumn(v);
    for (int y = 30; y <= 60; ++y) EXPECT_EQ(h.at(x, y), kHistDepthIndex) << y;
    EXPECT_EQ(h.at(x, 29), 0);
    EXPECT_EQ(h.at(x - 1, 10), kHistDepthIndex);  // the previous column moved left
    // Pitch away from 0 leaves the centre dot visible.
    v.pitchDeg = 4.0;
    h.AppendHistoryColumn(v);
    EXPECT_EQ(h.at(x, 260), kHistPitchIndex);  // the run from 260 up to 220
    v.pitchDeg = 4.0;
    h.AppendHistoryColumn(v);
    EXPECT_EQ(h.at(x, 260), kHistCentreDotIndex);
    EXPECT_EQ(h.at(x, 220), kHistPitchIndex);
}

TEST(History, ValuesOffThePictureAndNotANumberDrawNothing) {
    OrientationHistory h = historyOf(100, 120);  // lane 20
    OrientationValues v;
    v.depthM = 1.0e300;
    v.headingDeg = -1.0e9;
    v.pitchDeg = std::nan("");
    v.rollDeg = std::numeric_limits<double>::infinity();
    v.temperatureC = 15.0;
    h.AppendHistoryColumn(v);
    EXPECT_EQ(h.previousRow(HistLane::Depth), 10);
    EXPECT_EQ(h.previousRow(HistLane::Heading), 10 + 90);
    EXPECT_EQ(h.previousRow(HistLane::Temperature), 40);
    OrientationHistory tiny = historyOf(1, 15);  // no lane fits
    tiny.AppendHistoryColumn(v);
    EXPECT_EQ(tiny.laneHeightPx(), -1);
    OrientationHistory unsized;
    unsized.AppendHistoryColumn(v);  // before the first resize
    EXPECT_EQ(unsized.at(0, 0), 0);
}

}  // namespace
}  // namespace hx
