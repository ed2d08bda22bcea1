// The simulated sonar as the surface program sees it through the samples:
// which ping each head answers from, and how range, gain, frequency and the
// transmit bits act on the picture.
#include "tools/headsim/model/Acoustics.h"
#include "tools/headsim/model/EchoSounderSynth.h"
#include "tools/headsim/model/SonarWorld.h"
#include "tools/headsim/model/SystemSetup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <cmath>
#include <numeric>

using namespace hx;
using namespace hx::sim;

namespace {

HeadRequest request(std::uint16_t rangeM = 50, std::uint8_t gainDb = 6, std::uint32_t frequencyHz = 120000,
                    std::uint8_t transmit = 0x10) {
    HeadRequest r;
    r.rangeM = rangeM;
    r.gainDb = gainDb;
    r.frequencyHz = frequencyHz;
    r.transmitControl = transmit;
    return r;
}

SonarWorld makeWorld() { return SonarWorld(frequencyLimits(SimOptions{})); }

using Line = std::array<std::uint8_t, kSideDataPoints>;

// Both halves of one ping of one head at time t, from a fresh world.
HeadLines pingAt(int head, double timeS, const HeadRequest& r) {
    SonarWorld w = makeWorld();
    return w.firstHalf(head, r, timeS);
}

double mean(const Line& l, std::size_t from = 0, std::size_t to = kSideDataPoints) {
    return std::accumulate(l.begin() + static_cast<std::ptrdiff_t>(from), l.begin() + static_cast<std::ptrdiff_t>(to), 0.0) /
           static_cast<double>(to - from);
}

std::size_t firstAtLeast(const Line& l, int level) {
    return static_cast<std::size_t>(std::find_if(l.begin(), l.end(), [&](std::uint8_t v) { return v >= level; }) - l.begin());
}

// Averages of `width` samples beyond the first bottom return, with the slow
// trend across the swath (bright near, darker far) taken out: the seabed's
// own detail.
std::vector<double> detail(const Line& l, int width) {
    std::vector<double> avg;
    for (std::size_t j = 300; j + static_cast<std::size_t>(width) <= l.size(); j += static_cast<std::size_t>(width))
        avg.push_back(std::accumulate(l.begin() + static_cast<std::ptrdiff_t>(j), l.begin() + static_cast<std::ptrdiff_t>(j) + width, 0.0));
    std::vector<double> out;
    for (std::size_t i = 4; i + 4 < avg.size(); ++i) {
        double trend = 0;
        for (std::size_t k = i - 4; k <= i + 4; ++k) trend += avg[k];
        out.push_back(avg[i] - trend / 9.0);
    }
    return out;
}

double correlation(const std::vector<double>& a, const std::vector<double>& b) {
    const double ma = std::accumulate(a.begin(), a.end(), 0.0) / static_cast<double>(a.size());
    const double mb = std::accumulate(b.begin(), b.end(), 0.0) / static_cast<double>(b.size());
    double sab = 0, saa = 0, sbb = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        sab += (a[i] - ma) * (b[i] - mb);
        saa += (a[i] - ma) * (a[i] - ma);
        sbb += (b[i] - mb) * (b[i] - mb);
    }
    return sab / std::sqrt(saa * sbb);
}

}  // namespace

TEST(SonarWorld, AllHeadsOfAPollCycleShareOnePing) {
    SonarWorld w = makeWorld();
    for (std::uint32_t cycle = 1; cycle <= 3; ++cycle) {
        for (int head = 0; head < kHeadCount; ++head) {
            EXPECT_EQ(w.firstHalfStartsPing(head), head == kHeadL) << cycle << " " << head;
            EXPECT_EQ(w.firstHalf(head, request(), cycle * 0.3).pingNumber, cycle);
            EXPECT_EQ(w.secondHalf(head, request(), cycle * 0.3 + 0.01).pingNumber, cycle);
        }
    }
    EXPECT_EQ(w.pingNumber(), 3u);
}

TEST(SonarWorld, AnyHeadDrivesThePingsWhenOthersAreNotPolled) {
    // Only M and H polled (L and ES absent): M's repeated first half moves on.
    SonarWorld w = makeWorld();
    EXPECT_EQ(w.firstHalf(kHeadM, request(), 0.0).pingNumber, 1u);
    EXPECT_EQ(w.firstHalf(kHeadH, request(), 0.1).pingNumber, 1u);
    EXPECT_EQ(w.firstHalf(kHeadM, request(), 0.2).pingNumber, 2u);
    EXPECT_EQ(w.firstHalf(kHeadH, request(), 0.3).pingNumber, 2u);
    // A second half with no first half before it is answered too.
    SonarWorld fresh = makeWorld();
    EXPECT_EQ(fresh.secondHalf(kHeadES, request(), 0.0).pingNumber, 1u);
}

TEST(SonarWorld, SecondHalfComesFromTheSamePingAsTheFirst) {
    SonarWorld w = makeWorld();
    const Line port = w.firstHalf(kHeadL, request(), 5.0).firstHalf;
    const HeadLines& both = w.secondHalf(kHeadL, request(), 5.2);
    EXPECT_EQ(both.firstHalf, port);
    EXPECT_EQ(both.pingNumber, 1u);
    // The same ping computed afresh gives the same starboard side.
    EXPECT_EQ(pingAt(kHeadL, 5.0, request()).secondHalf, both.secondHalf);
}

TEST(SonarWorld, RequestsAreHeldToWhatTheHeadSupports) {
    const FrequencyLimits limits{120000, 100000, 150000};
    EXPECT_EQ(applyRequest(request(50, 6, 1000000), limits).frequencyHz, 150000u);
    EXPECT_EQ(applyRequest(request(50, 6, 0), limits).frequencyHz, 100000u);
    EXPECT_EQ(applyRequest(request(0), limits).rangeM, 1);
    EXPECT_EQ(applyRequest(request(65535), limits).rangeM, 1000);
    EXPECT_EQ(applyRequest(request(50, 255), limits).gainDb, 40);
    EXPECT_EQ(applyRequest(request(50, 6, 120000, 0x13), limits).transmitControl, 0x13);
}

TEST(SonarWorld, RangeScalesTheGeometry) {
    // Sample j lies at slant range (j + 0.5) * range / 1000: the first bottom
    // return sits at the altitude on every range.
    const double t = 3.0;
    SonarWorld w = makeWorld();
    w.firstHalf(kHeadL, request(), t);
    const double altitude = echoAltitudeM(w.seabed(), w.vehicle());
    ASSERT_GT(altitude, 4.0);
    for (const std::uint16_t range : {20, 30, 50, 100}) {
        const HeadLines ss = pingAt(kHeadL, t, request(range));
        const double expected = altitude / range * 1000.0;
        for (const Line* side : {&ss.firstHalf, &ss.secondHalf})
            EXPECT_NEAR(static_cast<double>(firstAtLeast(*side, 110)), expected, 0.01 * expected + 3) << range;
        const HeadLines es = pingAt(kHeadES, t, request(range, 6, 200000));
        const auto peak = std::max_element(es.firstHalf.begin(), es.firstHalf.end()) - es.firstHalf.begin();
        EXPECT_NEAR(static_cast<double>(peak), expected, 0.02 * expected + 3) << range;
    }
}

TEST(SonarWorld, GainRaisesEverySampleAndSaturatesWithoutWrapping) {
    const double t = 12.0;
    const HeadLines g0 = pingAt(kHeadM, t, request(50, 0, 260000));
    const HeadLines g10 = pingAt(kHeadM, t, request(50, 10, 260000));
    const HeadLines g40 = pingAt(kHeadM, t, request(50, 40, 260000));
    int saturated = 0;
    for (std::size_t j = 0; j < kSideDataPoints; ++j) {
        EXPECT_LE(g0.firstHalf[j], g10.firstHalf[j]) << j;
        EXPECT_LE(g10.firstHalf[j], g40.firstHalf[j]) << j;
        EXPECT_LE(g0.secondHalf[j], g10.secondHalf[j]) << j;
        EXPECT_LE(g10.secondHalf[j], g40.secondHalf[j]) << j;
        saturated += g40.secondHalf[j] == 255;
    }
    // At the top gain the brightest seabed clips at 255 rather than wrapping.
    EXPECT_GT(saturated, 50);
    // Four counts per dB where nothing clips: 10 dB is 40 counts.
    double diff = 0;
    int n = 0;
    for (std::size_t j = 0; j < kSideDataPoints; ++j)
        if (g0.secondHalf[j] > 0 && g10.secondHalf[j] < 255) {
            diff += g10.secondHalf[j] - g0.secondHalf[j];
            ++n;
        }
    ASSERT_GT(n, 500);
    EXPECT_NEAR(diff / n, 40.0, 1.0);
}

TEST(SonarWorld, TransmitBitsSilenceOneSideOnly) {
    const double t = 8.0;
    const HeadLines both = pingAt(kHeadH, t, request(50, 6, 540000, 0x10));
    const HeadLines portOff = pingAt(kHeadH, t, request(50, 6, 540000, 0x12));
    const HeadLines stbdOff = pingAt(kHeadH, t, request(50, 6, 540000, 0x11));
    const HeadLines bothOff = pingAt(kHeadH, t, request(50, 6, 540000, 0x13));
    EXPECT_GT(mean(both.firstHalf), 45.0);
    EXPECT_GT(mean(both.secondHalf), 45.0);
    // Receiver noise only on the silenced side; the other side is untouched.
    EXPECT_LT(mean(portOff.firstHalf), 25.0);
    EXPECT_LT(*std::max_element(portOff.firstHalf.begin(), portOff.firstHalf.end()), 70);
    EXPECT_EQ(portOff.secondHalf, both.secondHalf);
    EXPECT_LT(mean(stbdOff.secondHalf), 25.0);
    EXPECT_EQ(stbdOff.firstHalf, both.firstHalf);
    EXPECT_LT(mean(bothOff.firstHalf), 25.0);
    EXPECT_LT(mean(bothOff.secondHalf), 25.0);
}

TEST(SonarWorld, EchoSounderTransmitterOffLeavesTheSensorBlock) {
    const double t = 8.0;
    const HeadLines on = pingAt(kHeadES, t, request(50, 6, 200000, 0x10));
    const HeadLines off = pingAt(kHeadES, t, request(50, 6, 200000, 0x11));
    EXPECT_GT(*std::max_element(on.firstHalf.begin(), on.firstHalf.end()), 180);
    EXPECT_LT(*std::max_element(off.firstHalf.begin(), off.firstHalf.end()), 70);
    EXPECT_EQ(off.secondHalf, on.secondHalf);
    // The port bit means nothing to the echo sounder.
    EXPECT_EQ(pingAt(kHeadES, t, request(50, 6, 200000, 0x12)).firstHalf, on.firstHalf);
}

TEST(SonarWorld, EchoSounderSecondHalfCarriesTheVehiclesSensorBlock) {
    SonarWorld w = makeWorld();
    w.firstHalf(kHeadES, request(50, 6, 200000), 30.0);
    const HeadLines& l = w.secondHalf(kHeadES, request(50, 6, 200000), 30.05);
    const VehicleState& v = w.vehicle();
    const auto raw = [&](std::size_t i) { return static_cast<std::int16_t>(l.secondHalf[i] | (l.secondHalf[i + 1] << 8)); };
    EXPECT_NEAR(raw(0) * 360.0 / 65536.0, v.pitchDeg, 0.01);
    EXPECT_NEAR(raw(2) * 360.0 / 65536.0, v.rollDeg, 0.01);
    EXPECT_NEAR(std::remainder(raw(4) * 360.0 / 65536.0 - v.headingDeg, 360.0), 0.0, 0.01);
    EXPECT_NEAR(raw(8) * 100.0 / 65536.0, v.temperatureC, 0.01);
    EXPECT_NEAR(static_cast<std::uint16_t>(raw(10)) * 1000.0 / 65536.0, v.depthM, 0.02);
    for (std::size_t i = 12; i < kSideDataPoints; ++i) ASSERT_EQ(l.secondHalf[i], 0) << i;
}

TEST(SonarWorld, HigherFrequenciesFadeSoonerWithRange) {
    double nearL = 0, farL = 0, nearH = 0, farH = 0;
    for (int i = 0; i < 20; ++i) {
        const double t = 40.0 + i;
        const HeadLines l = pingAt(kHeadL, t, request(50, 6, 120000));
        const HeadLines h = pingAt(kHeadH, t, request(50, 6, 540000));
        nearL += mean(l.secondHalf, 250, 400);
        farL += mean(l.secondHalf, 800, 1000);
        nearH += mean(h.secondHalf, 250, 400);
        farH += mean(h.secondHalf, 800, 1000);
    }
    // Absorption at 540 kHz is about 0.1 dB/m more than at 120 kHz: over the
    // extra ~30 m there and back, some 6 dB; at least 3 dB (12 counts) shows
    // above the receiver noise.
    EXPECT_GT((nearH - farH) - (nearL - farL), 12.0 * 20);
}

TEST(SonarWorld, SeabedIsContinuousFromPingToPing) {
    // 0.1 s apart the towfish has moved 20 cm: the same seabed, new speckle.
    // A minute later it is somewhere else.
    const Line a = pingAt(kHeadM, 50.0, request(50, 6, 260000)).secondHalf;
    const Line b = pingAt(kHeadM, 50.1, request(50, 6, 260000)).secondHalf;
    const Line far = pingAt(kHeadM, 110.0, request(50, 6, 260000)).secondHalf;
    EXPECT_NE(a, b);
    const double near = correlation(detail(a, 10), detail(b, 10));
    const double distant = correlation(detail(a, 10), detail(far, 10));
    EXPECT_GT(near, 0.8);
    EXPECT_LT(distant, near - 0.3);
    // The bottom under the towfish moves by centimetres, not metres.
    SonarWorld w = makeWorld();
    double last = -1;
    for (int i = 0; i < 100; ++i) {
        w.firstHalf(kHeadES, request(), 200.0 + 0.2 * i);
        const double alt = echoAltitudeM(w.seabed(), w.vehicle());
        if (last >= 0 && alt > 2.0 && last > 2.0) {
            EXPECT_NEAR(alt, last, 2.0) << i;  // a boulder is at most ~1.7 m
        }
        last = alt;
    }
}

TEST(SonarWorld, TheWreckCastsAnAcousticShadow) {
    // Passing the wreck on the first line, a bright return from the hull is
    // followed by a long run of near-silence behind it on the starboard side.
    bool found = false;
    for (double t = 5.0; t < 35.0 && !found; t += 0.5) {
        const Line s = pingAt(kHeadL, t, request(50)).secondHalf;
        for (std::size_t j = 300; j + 100 < s.size() && !found; ++j) {
            if (s[j] < 170) continue;
            std::size_t run = 0, best = 0;
            for (std::size_t k = j + 1; k < std::min(s.size(), j + 300); ++k) {
                run = s[k] < 45 ? run + 1 : 0;
                best = std::max(best, run);
            }
            found = best >= 60;  // 3 m of shadow at 50 m range
        }
    }
    EXPECT_TRUE(found);
}

TEST(Acoustics, SamplesAreClampedNeverWrapped) {
    // Four counts per dB above the floor; nothing below 0 or above 255.
    EXPECT_EQ(powerToSample(0.0, 40.0), 0);
    EXPECT_EQ(powerToSample(-1.0, 40.0), 0);
    EXPECT_EQ(powerToSample(std::nan(""), 40.0), 0);
    EXPECT_EQ(powerToSample(1e-30, 40.0), 0);
    EXPECT_EQ(powerToSample(1e30, 0.0), 255);
    EXPECT_EQ(powerToSample(std::numeric_limits<double>::infinity(), 0.0), 255);
    const double oneCount = std::pow(10.0, 0.25 / 10.0);
    const double p = std::pow(10.0, -40.0 / 10.0);
    EXPECT_EQ(powerToSample(p * oneCount, 6.0) - powerToSample(p, 6.0), 1);
    EXPECT_EQ(powerToSample(p, 16.0) - powerToSample(p, 6.0), 40);
}

TEST(Acoustics, AbsorptionGrowsWithFrequency) {
    // Sea water near 10 degC: a few tens of dB/km at 100 kHz, over 100 at 500 kHz.
    EXPECT_GT(absorptionDbPerM(100000, 10), 0.02);
    EXPECT_LT(absorptionDbPerM(100000, 10), 0.05);
    EXPECT_GT(absorptionDbPerM(500000, 10), 0.10);
    EXPECT_LT(absorptionDbPerM(500000, 10), 0.20);
    double last = 0;
    for (double f = 50000; f <= 800000; f += 25000) {
        const double a = absorptionDbPerM(f, 10);
        EXPECT_GT(a, last) << f;
        last = a;
    }
    EXPECT_GT(rangeResolutionM(120000), rangeResolutionM(540000));
}
