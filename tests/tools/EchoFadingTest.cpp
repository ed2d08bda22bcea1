// Speckle of the synthetic sidescan: its grain follows the pulse, its mean
// never changes the level, and its contrast is that of the looks averaged.
#include "tools/headsim/model/EchoFading.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numeric>
#include <vector>

using namespace hx::sim;

namespace {

struct Moments {
    double mean = 0;
    double contrast = 0;  // variance over the squared mean
    double lag1 = 0;      // correlation of neighbours
    double lagCell = 0;   // correlation one cell apart
};

Moments moments(const std::vector<float>& v, int cell) {
    Moments m;
    const double n = static_cast<double>(v.size());
    m.mean = std::accumulate(v.begin(), v.end(), 0.0) / n;
    double var = 0;
    for (const float x : v) var += (x - m.mean) * (x - m.mean);
    var /= n;
    m.contrast = var / (m.mean * m.mean);
    const auto corr = [&](std::size_t lag) {
        double c = 0;
        for (std::size_t i = 0; i + lag < v.size(); ++i) c += (v[i] - m.mean) * (v[i + lag] - m.mean);
        return c / static_cast<double>(v.size() - lag) / var;
    };
    m.lag1 = corr(1);
    m.lagCell = corr(static_cast<std::size_t>(cell));
    return m;
}

}  // namespace

TEST(Speckle, GrainFollowsThePulseAgainstTheSample) {
    struct Case {
        const char* what;
        double resolutionM, binM;
        int cellBins, looks;
    };
    const Case cases[] = {
        // 1000 samples over the range: 5 cm at 50 m, 10 cm at 100 m, 1 cm at 10 m.
        {"120 kHz at 50 m: a cell spans 2.5 samples", 0.125, 0.05, 3, 1},
        {"120 kHz at 10 m: capped at 8 samples", 0.125, 0.01, 8, 1},
        {"260 kHz at 50 m: one cell a sample", 0.0577, 0.05, 1, 1},
        {"260 kHz at 100 m: two cells a sample", 0.0577, 0.1, 1, 3},
        {"675 kHz at 30 m: between one and two cells a sample", 0.0222, 0.03, 1, 2},
        {"675 kHz at 50 m: two cells a sample", 0.0222, 0.05, 1, 3},
        {"675 kHz at 500 m: capped at 4 looks", 0.0222, 0.5, 1, 4},
        {"no pulse length", 0.0, 0.05, 1, 1},
        {"no range", 0.125, 0.0, 1, 1},
        {"not a number", std::numeric_limits<double>::quiet_NaN(), 0.05, 1, 1},
    };
    for (const Case& c : cases) {
        const SpeckleGrain g = speckleGrain(c.resolutionM, c.binM);
        EXPECT_EQ(g.cellBins, c.cellBins) << c.what;
        EXPECT_EQ(g.looks, c.looks) << c.what;
    }
}

TEST(Speckle, FadingKeepsTheMeanAndHasTheContrastOfItsLooks) {
    struct Case {
        SpeckleGrain grain;
        double contrast;  // 1 / looks for independent samples
        double lag1;      // ((n - 1) / n)^2 for a cell of n samples
    };
    const Case cases[] = {
        {{1, 1}, 1.0, 0.0},
        {{1, 2}, 0.5, 0.0},
        {{1, 4}, 0.25, 0.0},
        {{3, 1}, 1.0, 4.0 / 9.0},
        {{8, 1}, 1.0, 49.0 / 64.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "cell " << c.grain.cellBins << " looks " << c.grain.looks);
        std::vector<float> line(40000);
        fadingLine(c.grain, 642, line);
        for (const float f : line) ASSERT_TRUE(std::isfinite(f) && f >= 0.0f);
        const Moments m = moments(line, c.grain.cellBins);
        // A shift of the mean would change the picture's level with frequency and range.
        EXPECT_NEAR(m.mean, 1.0, 0.03);
        EXPECT_NEAR(m.contrast, c.contrast, 0.08 * c.contrast + 0.02);
        EXPECT_NEAR(m.lag1, c.lag1, 0.04);
        // Samples a whole cell apart fade independently.
        if (c.grain.cellBins > 1) {
            EXPECT_NEAR(m.lagCell, 0.0, 0.04);
        }
    }
}
