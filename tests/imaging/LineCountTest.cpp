// Speed correction: rows per ping from speed, interval and range, with the
// fractions carried from ping to ping.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "imaging/LineCount.h"

namespace hx {
namespace {

std::vector<int> counts(LineCountState& s, const LineCountPing& ping, int pings, std::int32_t mode,
                        const LineCountImage& image, const SpeedSource& speed, int head = 0) {
    std::vector<int> out;
    for (int i = 0; i < pings; ++i) {
        ComputeLineCount(s, ping, head, mode, image, speed);
        out.push_back(ChosenLineCount(s, speed));
    }
    return out;
}

SpeedSource correctionOff() {
    SpeedSource s;
    s.speedCorrectionEnabled = 0;
    return s;
}

TEST(LineCount, WithoutSpeedCorrectionEachPingAdvancesOneSampleWidth) {
    // 2000 pixels, both sides: one row per ping.
    LineCountState s;
    EXPECT_EQ(counts(s, {50, 200, 4.0}, 5, kBothSides, {2000, 1.0}, correctionOff()),
              (std::vector<int>{1, 1, 1, 1, 1}));
    EXPECT_EQ(s.fixedCarry[0], 0.0);

    // 1000 pixels (scale 0.5): a row every second ping, the carry alternating 0.5 and 0.
    LineCountState half;
    std::vector<double> carries;
    std::vector<int> rows;
    for (int i = 0; i < 4; ++i) {
        ComputeLineCount(half, {50, 200, 4.0}, 0, kBothSides, {1000, 0.5}, correctionOff());
        rows.push_back(half.fixedLineCount);
        carries.push_back(half.fixedCarry[0]);
    }
    EXPECT_EQ(rows, (std::vector<int>{0, 1, 0, 1}));
    EXPECT_EQ(carries, (std::vector<double>{0.5, 0.0, 0.5, 0.0}));

    // One side spreads 1000 samples over the width: 2 × scale per ping.
    LineCountState oneSide;
    EXPECT_EQ(counts(oneSide, {50, 200, 4.0}, 3, kPortOnly, {1000, 0.5}, correctionOff()), (std::vector<int>{1, 1, 1}));
    LineCountState wide;
    EXPECT_EQ(counts(wide, {50, 200, 4.0}, 2, kStarboardOnly, {2000, 1.0}, correctionOff()), (std::vector<int>{2, 2}));
}

TEST(LineCount, SpeedCorrectionAddsSevenOrEightRowsWithTheFractionCarried) {
    // 50 m, 1000 pixels, both sides, 3.0 kn, 500 ms: L = 10 px/m,
    // D = 0.77166666666 m, P = 7.7166666666 rows.
    LineCountState s;
    EXPECT_EQ(counts(s, {50, 500, 3.0}, 10, kBothSides, {1000, 1.0}, SpeedSource{}),
              (std::vector<int>{7, 8, 8, 7, 8, 8, 8, 7, 8, 8}));
    LineCountState first;
    ComputeLineCount(first, {50, 500, 3.0}, 0, kBothSides, {1000, 1.0}, SpeedSource{});
    EXPECT_NEAR(first.speedCarry[0], 0.7166666666, 1e-9);
    EXPECT_EQ(first.fixedLineCount, 0) << "untouched with speed correction on";

    // One side: twice the pixels per metre.
    LineCountState port;
    EXPECT_EQ(counts(port, {50, 500, 3.0}, 4, kPortOnly, {1000, 1.0}, SpeedSource{}),
              (std::vector<int>{15, 15, 16, 15}));
}

TEST(LineCount, SpeedSourceRules) {
    const LineCountImage image{1000, 1.0};
    auto firstCount = [&](const SpeedSource& speed, double recordedKn) {
        LineCountState s;
        ComputeLineCount(s, {50, 500, recordedKn}, 0, kBothSides, image, speed);
        return s.speedLineCount;
    };
    // A GPS speed of 0 (or less) counts as 3.0 kn, not a frozen image.
    EXPECT_EQ(firstCount(SpeedSource{}, 0.0), 7);
    EXPECT_EQ(firstCount(SpeedSource{}, -2.0), 7);
    EXPECT_EQ(firstCount(SpeedSource{}, 6.0), 15);

    SpeedSource manual;
    manual.useManualSpeed = 1;
    manual.manualShipSpeedKn = 6.0;
    EXPECT_EQ(firstCount(manual, 1.0), 15) << "manual speed replaces the GPS speed";
    manual.useGpsSpeed = 0;
    EXPECT_EQ(firstCount(manual, 1.0), 15) << "manual speed takes precedence";

    SpeedSource none;
    none.useGpsSpeed = 0;
    EXPECT_EQ(firstCount(none, 8.0), 7) << "no speed source: program default 3.0 kn";

    EXPECT_DOUBLE_EQ(EffectiveSpeedKn(correctionOff(), 8.0), 3.0);
    SpeedSource offManual = correctionOff();
    offManual.useManualSpeed = 1;
    offManual.manualShipSpeedKn = 9.0;
    EXPECT_DOUBLE_EQ(EffectiveSpeedKn(offManual, 8.0), 3.0) << "speed correction off: always 3.0 kn";
}

TEST(LineCount, SpeedCorrectionOffAlsoRescalesTheSpeedCount) {
    // With correction off the speed count is the distance at 3.0 kn in input
    // samples: step 5 leaves 0.7167, then X = P / 0.5 = 15.4333 gives 16.
    LineCountState s;
    ComputeLineCount(s, {50, 500, 5.0}, 0, kBothSides, {1000, 0.5}, correctionOff());
    EXPECT_EQ(s.speedLineCount, 16);
    EXPECT_NEAR(s.speedCarry[0], 0.15, 1e-9);
}

TEST(LineCount, CarriesArePerHead) {
    LineCountState s;
    ComputeLineCount(s, {50, 500, 3.0}, 0, kBothSides, {1000, 1.0}, SpeedSource{});
    ComputeLineCount(s, {50, 500, 3.0}, 2, kBothSides, {1000, 1.0}, SpeedSource{});
    EXPECT_EQ(s.speedLineCount, 7) << "head H starts from its own zero carry";
    EXPECT_NEAR(s.speedCarry[0], s.speedCarry[2], 1e-12);
    EXPECT_EQ(s.speedCarry[1], 0.0);
}

TEST(LineCount, RangeZeroAddsNoRowsAndKeepsTheCarries) {
    LineCountState s;
    ComputeLineCount(s, {50, 500, 3.0}, 0, kBothSides, {1000, 1.0}, SpeedSource{});
    const double carry = s.speedCarry[0];
    ComputeLineCount(s, {0, 500, 3.0}, 0, kBothSides, {1000, 1.0}, SpeedSource{});
    EXPECT_EQ(s.speedLineCount, 0);
    EXPECT_EQ(s.fixedLineCount, 0);
    EXPECT_EQ(s.speedCarry[0], carry);
    ComputeLineCount(s, {0, 500, 3.0}, 0, kBothSides, {1000, 0.5}, correctionOff());
    EXPECT_EQ(ChosenLineCount(s, correctionOff()), 0);
}

TEST(LineCount, HostileValuesGiveBoundedCounts) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (double speed : {nan, inf, -inf, 1e300, -5.0}) {
        for (int interval : {0, -500, 500, std::numeric_limits<int>::max()}) {
            LineCountState s;
            SpeedSource manual;
            manual.useManualSpeed = 1;
            manual.manualShipSpeedKn = speed;
            ComputeLineCount(s, {1, interval, 3.0}, 1, kBothSides, {4000, 2.0}, manual);
            EXPECT_GE(s.speedLineCount, 0);
            EXPECT_LE(s.speedLineCount, kMaxLineCount);
            EXPECT_TRUE(std::isfinite(s.speedCarry[1]));
        }
    }
    LineCountState s;
    ComputeLineCount(s, {50, 500, 3.0}, 7, kBothSides, {1000, 1.0}, SpeedSource{});  // no such head
    ComputeLineCount(s, {50, 500, 3.0}, 0, 9, {1000, 1.0}, SpeedSource{});           // no such mode
    EXPECT_EQ(s.speedLineCount, 0);
    ComputeLineCount(s, {50, 500, 3.0}, 0, kBothSides, {1000, 0.0}, correctionOff());  // no scale
    EXPECT_EQ(s.speedLineCount, 0);
}

}  // namespace
}  // namespace hx
