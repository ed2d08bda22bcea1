// What an operator sees of the simulated sidescan at the program's default
// settings (range 50 m, gain 6 dB, 120, 260 and 675 kHz): a dark water
// column, a bright first bottom return, a seabed in the middle of the scale
// that darkens towards the far edge, and each frequency with its own grain
// and reach.
#include "tools/headsim/model/EchoSounderSynth.h"
#include "tools/headsim/model/SonarWorld.h"
#include "tools/headsim/model/SystemSetup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <vector>

using namespace hx;
using namespace hx::sim;

namespace {

struct HeadCase {
    int head;
    const char* name;
    std::uint32_t frequencyHz;
};
constexpr HeadCase kSidescans[] = {{kHeadL, "L", 120000}, {kHeadM, "M", 260000}, {kHeadH, "H", 675000}};

HeadRequest request(std::uint32_t frequencyHz, std::uint16_t rangeM = 50) {
    HeadRequest r;
    r.rangeM = rangeM;
    r.gainDb = 6;
    r.frequencyHz = frequencyHz;
    r.transmitControl = 0x10;
    return r;
}

double quantile(std::vector<double> v, double q) {
    if (v.empty()) return 0.0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<std::size_t>(q * static_cast<double>(v.size())))];
}

void append(std::vector<double>& to, const std::array<std::uint8_t, kSideDataPoints>& line, std::size_t from, std::size_t end) {
    for (std::size_t j = from; j < std::min(end, line.size()); ++j) to.push_back(line[j]);
}

// Both sides of a head's pings spread over the first survey line: mud,
// sand, ripples, gravel and the wreck.
struct Zones {
    std::vector<double> water, firstReturn, brightSeabed, outer, farEdge;
};

Zones zonesOf(const HeadCase& c, std::uint16_t rangeM = 50) {
    Zones z;
    SonarWorld w(frequencyLimits(SimOptions{}));
    for (int i = 0; i < 60; ++i) {
        const HeadLines& l = w.firstHalf(c.head, request(c.frequencyHz, rangeM), 2.0 * i);
        // The first return comes from straight below: the slant range of the bottom under the towfish.
        const double bin = echoAltitudeM(w.seabed(), w.vehicle()) / rangeM * kSideDataPoints;
        if (bin < 60 || bin > 400) continue;
        const auto b = static_cast<std::size_t>(bin);
        for (const auto* side : {&l.firstHalf, &l.secondHalf}) {
            append(z.water, *side, 20, b - 10);
            const auto peak = std::max_element(side->begin() + static_cast<std::ptrdiff_t>(b) - 4, side->begin() + static_cast<std::ptrdiff_t>(b) + 8);
            z.firstReturn.push_back(*peak);
            // Between about 50 and 30 degrees of grazing the seabed is at its brightest.
            append(z.brightSeabed, *side, static_cast<std::size_t>(bin * 1.3), static_cast<std::size_t>(bin * 2.0));
            append(z.outer, *side, 600, 800);
            append(z.farEdge, *side, kSideDataPoints - 100, kSideDataPoints);
        }
    }
    return z;
}

// Correlation of neighbouring samples in the difference between two heads'
// lines of the same ping: both see the same seabed, so its texture cancels
// and what is left is each head's own speckle and blur.
double grainCorrelation(const HeadCase& a, const HeadCase& b, double t0) {
    double sum = 0;
    int n = 0;
    SonarWorld w(frequencyLimits(SimOptions{}));
    for (int i = 0; i < 20; ++i) {
        const double t = t0 + 3.0 * i;
        const auto la = w.firstHalf(a.head, request(a.frequencyHz), t).secondHalf;
        const auto lb = w.firstHalf(b.head, request(b.frequencyHz), t).secondHalf;
        std::vector<double> d;
        for (std::size_t j = 300; j < 700; ++j) {
            double local = 0;
            for (std::size_t k = j - 8; k <= j + 8; ++k) local += la[k] - lb[k];
            d.push_back(la[j] - lb[j] - local / 17.0);
        }
        const double mean = std::accumulate(d.begin(), d.end(), 0.0) / static_cast<double>(d.size());
        double c0 = 0, c1 = 0;
        for (std::size_t j = 0; j + 1 < d.size(); ++j) {
            c0 += (d[j] - mean) * (d[j] - mean);
            c1 += (d[j] - mean) * (d[j + 1] - mean);
        }
        sum += c1 / c0;
        ++n;
    }
    return sum / n;
}

}  // namespace

TEST(SidescanLook, DefaultGainShowsDarkWaterBrightFirstReturnMidScaleSeabed) {
    for (const HeadCase& c : kSidescans) {
        SCOPED_TRACE(c.name);
        const Zones z = zonesOf(c);
        ASSERT_GT(z.firstReturn.size(), 60u);
        const double seabed = quantile(z.brightSeabed, 0.5);
        // The sample scale is 4 counts per dB.
        EXPECT_LE(quantile(z.water, 0.5), 20.0);
        EXPECT_LE(quantile(z.water, 0.9), 45.0);
        // The middle of the scale: about 24 dB above the floor, give or take 4.
        EXPECT_GE(seabed, 76.0);
        EXPECT_LE(seabed, 112.0);
        EXPECT_LE(quantile(z.brightSeabed, 0.95), 165.0);  // texture, not glare
        EXPECT_GE(quantile(z.firstReturn, 0.5), seabed + 32.0);
        // Lower grazing and a longer way through the water: the far edge is darker.
        EXPECT_LE(quantile(z.farEdge, 0.5), seabed - 20.0);
        EXPECT_GE(quantile(z.farEdge, 0.5), quantile(z.water, 0.5));
    }
}

TEST(SidescanLook, LowFrequencyGrainIsCoarserThanHigh) {
    // Against the fine 675 kHz line, the 120 kHz line fades in grains of
    // two to three samples; the 260 kHz line, one cell a sample, does not.
    const double lowAgainstHigh = grainCorrelation(kSidescans[0], kSidescans[2], 100.0);
    const double midAgainstHigh = grainCorrelation(kSidescans[1], kSidescans[2], 100.0);
    EXPECT_GT(lowAgainstHigh, midAgainstHigh + 0.15);
}

TEST(SidescanLook, LowFrequencyReachesFurtherThanHigh) {
    // At 100 m, between 60 and 80 m out, the 675 kHz returns have faded into
    // the receiver noise; the 120 kHz seabed is still there.
    const Zones l = zonesOf(kSidescans[0], 100);
    const Zones h = zonesOf(kSidescans[2], 100);
    const double noise = quantile(h.water, 0.5);
    EXPECT_GE(quantile(l.outer, 0.5), noise + 16.0);
    EXPECT_LE(quantile(h.outer, 0.5), noise + 4.0);
}
