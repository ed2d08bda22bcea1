// Resampling a head's 2000 samples to the image width, and the 540 kHz
// head's range limit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "ImagingTestSupport.h"
#include "imaging/DisplaySettings.h"
#include "imaging/ResampleLine.h"

namespace hx {
namespace {

// Samples on the heap with nothing after them, so a read past sample 1999
// shows up under the address sanitizer.
struct HeapLine {
    std::vector<std::uint8_t> samples = std::vector<std::uint8_t>(2000, 0);
    std::span<const std::uint8_t, 2000> span() const {
        return std::span<const std::uint8_t, 2000>(samples.data(), 2000);
    }
};

std::vector<std::uint8_t> resample(const HeapLine& line, int width, std::int32_t mode, double factor = 1.0) {
    std::vector<std::uint8_t> out(static_cast<std::size_t>(width) + kLineSlackBytes, 0);
    ResampleLine(line.span(), width, mode, factor, out);
    return {out.begin(), out.begin() + width};
}

TEST(ResampleLine, ReductionKeepsThePeakOfEachColumn) {
    // 1000 columns for both sides: two samples per column; the first column
    // closes after the third sample, the last column is never closed.
    HeapLine line;
    line.samples[1] = 100;
    line.samples[3] = 50;
    line.samples[4] = 60;
    line.samples[1997] = 70;
    line.samples[1999] = 200;
    const auto out = resample(line, 1000, kBothSides);
    EXPECT_EQ(out[0], 100);
    EXPECT_EQ(out[1], 60);
    EXPECT_EQ(out[998], 70);
    EXPECT_EQ(out[999], 0);
    EXPECT_EQ(std::count(out.begin(), out.end(), 0), 997);
}

TEST(ResampleLine, OneSamplePerColumn) {
    // 2000 columns, both sides: column 0 takes samples 0 and 1, column k
    // sample k + 1, the last column stays 0.
    HeapLine line;
    for (int i = 0; i < 2000; ++i) line.samples[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i % 200);
    line.samples[0] = 150;
    const auto out = resample(line, 2000, kBothSides);
    EXPECT_EQ(out[0], 150);
    EXPECT_EQ(out[1], 2);
    EXPECT_EQ(out[500], 101);
    EXPECT_EQ(out[1998], 199);
    EXPECT_EQ(out[1999], 0);
}

TEST(ResampleLine, SideModesPutTheFarPortSampleAtTheLeftEdge) {
    HeapLine line;
    line.samples[0] = 11;     // farthest port
    line.samples[999] = 22;   // nearest port
    line.samples[1000] = 33;  // nearest starboard
    line.samples[1999] = 44;  // farthest starboard
    const auto port = resample(line, 2000, kPortOnly);
    EXPECT_EQ(port.front(), 11);
    EXPECT_EQ(port.back(), 22);
    const auto starboard = resample(line, 2000, kStarboardOnly);
    EXPECT_EQ(starboard.front(), 33);
    EXPECT_EQ(starboard.back(), 44);
    const auto both = resample(line, 4000, kBothSides);
    EXPECT_EQ(both.front(), 11);
    EXPECT_EQ(both.back(), 44);
}

TEST(ResampleLine, ExpansionRepeatsSamplesAndClampsTheLastColumn) {
    // 4000 columns for both sides: each sample covers two columns, shifted by
    // one; the last column would read sample 2000 and repeats 1999 instead.
    HeapLine line;
    line.samples[0] = 10;
    line.samples[1] = 20;
    line.samples[2] = 30;
    line.samples[1999] = 99;
    const auto out = resample(line, 4000, kBothSides);
    EXPECT_EQ((std::vector<int>{out[0], out[1], out[2], out[3], out[4]}), (std::vector<int>{10, 20, 20, 30, 30}));
    EXPECT_EQ(out[3997], 99);
    EXPECT_EQ(out[3998], 99);
    EXPECT_EQ(out[3999], 99);
}

TEST(ResampleLine, InterpolationByTwoThreeAndFour) {
    HeapLine line;
    line.samples[0] = 10;
    line.samples[1] = 20;
    line.samples[2] = 31;
    // Factor 2 ("200 %"): the repeated pixel becomes the mean of its neighbours.
    const auto two = resample(line, 4000, kBothSides, 2.0);
    EXPECT_EQ((std::vector<int>{two[0], two[1], two[2], two[3], two[4]}), (std::vector<int>{10, 15, 20, 25, 31}));

    // Port only at 4000 columns: four columns per sample (s0 s0 s0 s1 s1 s1 s1 s2 ...).
    HeapLine ramp;
    ramp.samples[0] = 100;
    ramp.samples[1] = 200;
    ramp.samples[2] = 0;
    const auto four = resample(ramp, 4000, kPortOnly, 4.0);
    EXPECT_EQ((std::vector<int>(four.begin(), four.begin() + 9)),
              (std::vector<int>{100, 125, 150, 175, 200, 150, 100, 50, 0}));
    const auto three = resample(ramp, 4000, kPortOnly, 3.0);
    EXPECT_EQ((std::vector<int>(three.begin(), three.begin() + 9)),
              (std::vector<int>{100, 125, 175, 200, 200, 200, 200, 150, 50}));
    const auto none = resample(ramp, 4000, kPortOnly, 2.5);
    EXPECT_EQ((std::vector<int>(none.begin(), none.begin() + 9)),
              (std::vector<int>{100, 100, 100, 200, 200, 200, 200, 0, 0}));
}

// The reduction as a sample-by-sample loop: consume sample i into a running
// maximum; once i + 1 exceeds the threshold, emit it and raise the threshold.
std::vector<std::uint8_t> stepwiseReduction(const std::uint8_t* src, int sideSamples, int width) {
    const double s = sideSamples / static_cast<double>(width);
    std::vector<std::uint8_t> out(static_cast<std::size_t>(width), 0);
    std::size_t o = 0;
    int m = 0;
    double t = s;
    for (int i = 0; i < sideSamples && o < out.size(); ++i) {
        m = std::max<int>(m, src[i]);
        if (i + 1 > t) {
            out[o++] = static_cast<std::uint8_t>(m == 255 ? 254 : m);
            m = 0;
            t += s;
        }
    }
    return out;
}

TEST(ResampleLine, ReductionMatchesTheStepwiseLoopAtEveryWidth) {
    std::mt19937 rng(12);
    HeapLine line;
    const auto samples = testing::randomLine(rng);
    std::copy(samples.begin(), samples.end(), line.samples.begin());
    for (int width = 1; width <= 2000; width += (width < 40 ? 1 : 37)) {
        EXPECT_EQ(resample(line, width, kBothSides), stepwiseReduction(line.samples.data(), 2000, width)) << width;
        if (width <= 1000) {
            EXPECT_EQ(resample(line, width, kPortOnly), stepwiseReduction(line.samples.data(), 1000, width)) << width;
            EXPECT_EQ(resample(line, width, kStarboardOnly), stepwiseReduction(line.samples.data() + 1000, 1000, width))
                << width;
        }
    }
    for (int width : {3, 7, 333, 999, 1000, 1004, 1999, 2000})
        EXPECT_EQ(resample(line, width, kBothSides), stepwiseReduction(line.samples.data(), 2000, width)) << width;
}

// The expansion as a column-by-column loop with the accumulator, the source
// position held at the side's last sample.
std::vector<std::uint8_t> stepwiseExpansion(const std::uint8_t* src, int sideSamples, int width) {
    const double s = sideSamples / static_cast<double>(width);
    std::vector<std::uint8_t> out(static_cast<std::size_t>(width), 0);
    double a = 0.0;
    int p = 0;
    for (int i = 0; i < width; ++i) {
        a += s;
        if (std::trunc(a) >= 1) p = std::min(p + 1, sideSamples - 1);
        out[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(src[p] == 255 ? 254 : src[p]);
        a -= std::trunc(a);
    }
    return out;
}

TEST(ResampleLine, ExpansionMatchesTheStepwiseLoopAtEveryWidth) {
    std::mt19937 rng(13);
    HeapLine line;
    const auto samples = testing::randomLine(rng);
    std::copy(samples.begin(), samples.end(), line.samples.begin());
    for (int width : {1001, 1004, 1500, 2000, 2001, 2999, 3000, 4000, 4004, 5120, 8000, 8192}) {
        EXPECT_EQ(resample(line, width, kPortOnly), stepwiseExpansion(line.samples.data(), 1000, width)) << width;
        EXPECT_EQ(resample(line, width, kStarboardOnly), stepwiseExpansion(line.samples.data() + 1000, 1000, width))
            << width;
        if (width > 2000) {
            EXPECT_EQ(resample(line, width, kBothSides), stepwiseExpansion(line.samples.data(), 2000, width)) << width;
        }
    }
}

TEST(ResampleLine, SampleValue255BecomesTwoFiftyFourBothWays) {
    HeapLine line;
    std::fill(line.samples.begin(), line.samples.end(), std::uint8_t{255});
    for (int width : {500, 1000, 2000, 4000}) {
        for (double f : {1.0, 2.0, 3.0, 4.0}) {
            for (std::int32_t mode : {kPortOnly, kStarboardOnly, kBothSides}) {
                const auto out = resample(line, width, mode, f);
                EXPECT_EQ(*std::max_element(out.begin(), out.end()), 254) << width << " " << mode;
            }
        }
    }
}

TEST(ResampleLine, NoWidthReadsOrWritesOutsideTheLine) {
    std::mt19937 rng(7);
    HeapLine line;
    const auto samples = testing::randomLine(rng);
    std::copy(samples.begin(), samples.end(), line.samples.begin());
    for (int width : {1, 2, 3, 5, 7, 999, 1000, 1001, 1999, 2000, 2001, 2999, 3001, 3999, 4000, 4001, 4003, 8192}) {
        for (double f : {1.0, 2.0, 3.0, 4.0}) {
            for (std::int32_t mode : {kPortOnly, kStarboardOnly, kBothSides}) {
                std::vector<std::uint8_t> out(static_cast<std::size_t>(width), 0);
                ResampleLine(line.span(), width, mode, f, out);
                EXPECT_LE(*std::max_element(out.begin(), out.end()), 254);
            }
        }
    }
    // A width beyond the buffer is cut to the buffer.
    std::vector<std::uint8_t> small(10, 0);
    ResampleLine(line.span(), 4000, kBothSides, 2.0, small);
    ResampleLine(line.span(), 0, kBothSides, 2.0, small);
}

TEST(ResampleLine, HighFrequencyHeadIsBlankedBeyond120Metres) {
    // 540 kHz at 150 m, both sides, 1000 pixels: n = trunc(30 × 1000 × 0.5 / 150) = 100.
    std::vector<std::uint8_t> line(1000, 9);
    ApplyHighFrequencyLimit(line, 540000, 150, kBothSides);
    EXPECT_EQ(std::count(line.begin(), line.end(), 0), 200);
    EXPECT_EQ(line[99], 0);
    EXPECT_EQ(line[100], 9);
    EXPECT_EQ(line[899], 9);
    EXPECT_EQ(line[900], 0);

    std::vector<std::uint8_t> port(1000, 9);
    ApplyHighFrequencyLimit(port, 675000, 150, kPortOnly);
    EXPECT_EQ(port[199], 0);
    EXPECT_EQ(port[200], 9);
    EXPECT_EQ(port[999], 9);

    std::vector<std::uint8_t> starboard(1000, 9);
    ApplyHighFrequencyLimit(starboard, 540000, 150, kStarboardOnly);
    EXPECT_EQ(starboard[799], 9);
    EXPECT_EQ(starboard[800], 0);

    std::vector<std::uint8_t> untouched(1000, 9);
    ApplyHighFrequencyLimit(untouched, 539999, 150, kBothSides);
    ApplyHighFrequencyLimit(untouched, 540000, 120, kBothSides);
    EXPECT_EQ(std::count(untouched.begin(), untouched.end(), 9), 1000);
}

}  // namespace
}  // namespace hx
