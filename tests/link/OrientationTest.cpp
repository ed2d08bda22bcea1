// The sensor block decode and the six outlier filters.
#include <gtest/gtest.h>

#include <cmath>

#include "core/ByteIO.h"
#include "link/OrientationFilter.h"
#include "link/SensorBlock.h"

namespace hx {
namespace {

std::array<std::uint8_t, 12> block(std::uint16_t pitch, std::uint16_t roll, std::uint16_t heading,
                                   std::uint16_t temperature, std::uint16_t depth) {
    std::array<std::uint8_t, 12> b{};
    writeU16Le(b, 0, pitch);
    writeU16Le(b, 2, roll);
    writeU16Le(b, 4, heading);
    writeU16Le(b, 6, 0xBEEF);  // not interpreted
    writeU16Le(b, 8, temperature);
    writeU16Le(b, 10, depth);
    return b;
}

TEST(SensorBlock, ExamplesAndLimits) {
    // 0x8000 is (32768 - 65535) * 360 / 65536 = -179.99..., limited to -90.
    SensorValues v = decodeSensorBlock(block(0x8000, 0x4000, 0, 0x6000, 0xFFFF), 22.0);
    EXPECT_EQ(v.pitchDeg, -90.0);
    EXPECT_EQ(v.rollDeg, 90.0);
    EXPECT_DOUBLE_EQ(v.headingDeg, 338.0);  // 0 - 22 + 360
    EXPECT_EQ(v.temperatureC, 35.0);        // 37.5 limited
    EXPECT_NEAR(v.depthM, 999.98, 0.005);

    v = decodeSensorBlock(block(0x0400, 0xFC00, 0x4000, 0x0A00, 0x0100), 22.0);
    EXPECT_DOUBLE_EQ(v.pitchDeg, 1024.0 * 360 / 65536);                 // 5.625
    EXPECT_DOUBLE_EQ(v.rollDeg, (64512.0 - 65535.0) * 360 / 65536);     // the 65535 quirk: -5.6195...
    EXPECT_DOUBLE_EQ(v.headingDeg, 90.0 - 22.0);
    EXPECT_DOUBLE_EQ(v.temperatureC, 2560.0 * 100 / 65536);
    EXPECT_DOUBLE_EQ(v.depthM, 256.0 * 1000 / 65536);

    // Raw 0xFFFF is 0 after the quirk, not -1.
    v = decodeSensorBlock(block(0xFFFF, 0, 0, 0xFFFF, 0), 0.0);
    EXPECT_EQ(v.pitchDeg, 0.0);
    EXPECT_EQ(v.temperatureC, 0.0);
    // Cold water is limited to -5.
    v = decodeSensorBlock(block(0, 0, 0, 0xE000, 0), 0.0);
    EXPECT_EQ(v.temperatureC, -5.0);
}

TEST(SensorBlock, HeadingWrapsOnceEachWay) {
    // A negative declination can push the heading past 360: subtracted once.
    SensorValues v = decodeSensorBlock(block(0, 0, 0x7FFF, 0, 0), -200.0);
    EXPECT_NEAR(v.headingDeg, 32767.0 * 360 / 65536 + 200.0 - 360.0, 1e-9);
    // Far below zero is raised by 360 only once.
    v = decodeSensorBlock(block(0, 0, 0x8001, 0, 0), 200.0);
    EXPECT_NEAR(v.headingDeg, (32769.0 - 65535.0) * 360 / 65536 - 200.0 + 360.0, 1e-9);
    EXPECT_LT(v.headingDeg, 0.0);
}

TEST(SensorBlock, ShortBlockGivesZeros) {
    const std::array<std::uint8_t, 3> shortBlock{0x00, 0x40, 0x12};
    const SensorValues v = decodeSensorBlock(shortBlock, 0.0);
    EXPECT_DOUBLE_EQ(v.pitchDeg, 0x4000 * 360.0 / 65536);
    EXPECT_EQ(v.rollDeg, 0.0);
    EXPECT_EQ(v.depthM, 0.0);
}

TEST(OutlierFilter, MedianOfElevenIsTheSixthSmallest) {
    const std::array<double, 11> v{9, 1, 8, 2, 7, 3, 6, 4, 5, 10, 0};
    EXPECT_EQ(medianOf(v), 5.0);
}

TEST(OutlierFilter, TimingOfFirstFilteredOutputAndFirstAverage) {
    OutlierFilter f;
    // A steady 10 with a spike at every decode from the 13th on is visible
    // in the result until the averaging starts at the 17th decode.
    for (int decode = 1; decode <= 20; ++decode) {
        const int counter = decode - 1;  // incremented after the filters ran
        const double x = decode >= 13 ? 10.0 + 50.0 * (decode == 13) : 10.0;
        const double result = runOutlierFilter(f, x, counter);
        SCOPED_TRACE(decode);
        if (decode < 13) {
            EXPECT_EQ(f.output[0], 0.0) << "no filtered output before the 13th decode";
            EXPECT_EQ(result, x);
        } else if (decode < 17) {
            EXPECT_EQ(f.output[0], 10.0);
            EXPECT_EQ(result, x) << "the result is the raw value until the 17th decode";
        } else {
            EXPECT_EQ(result, 10.0);
        }
    }
}

TEST(OutlierFilter, FirstAverageMixesInTheOutputsBeforeIt) {
    OutlierFilter f;
    double result = 0;
    for (int decode = 1; decode <= 17; ++decode) result = runOutlierFilter(f, 4.0, decode - 1);
    EXPECT_EQ(result, 4.0);
    EXPECT_EQ(f.output, (std::array<double, 3>{4.0, 4.0, 4.0}));
    // One decode in: outputs at the 13th..15th were all 4.
    OutlierFilter g;
    for (int decode = 1; decode <= 15; ++decode) runOutlierFilter(g, 4.0, decode - 1);
    EXPECT_EQ(g.output, (std::array<double, 3>{4.0, 4.0, 4.0}));
    OutlierFilter h;
    for (int decode = 1; decode <= 13; ++decode) runOutlierFilter(h, 4.0, decode - 1);
    EXPECT_EQ(h.output, (std::array<double, 3>{4.0, 0.0, 0.0}));
}

TEST(OutlierFilter, ConstantPassesAndASpikeIsReplacedByTheMedian) {
    OutlierFilter f;
    for (int i = 0; i < 40; ++i) EXPECT_EQ(runOutlierFilter(f, 7.25, i), 7.25);

    // A noisy steady series: values 10 +- 1 and one spike of 100.
    OutlierFilter g;
    const double noise[] = {0.5, -0.5, 1.0, -1.0, 0.25, -0.25, 0.75, -0.75};
    for (int i = 0; i < 30; ++i) runOutlierFilter(g, 10.0 + noise[i % 8], i);
    runOutlierFilter(g, 100.0, 30);
    EXPECT_NEAR(g.output[0], 10.0, 1.0) << "the spike is replaced by the median";
    EXPECT_NE(g.output[0], 100.0);
    // A value inside 1.4826 MAD of the median passes as it is.
    OutlierFilter h;
    for (int i = 0; i < 30; ++i) runOutlierFilter(h, 10.0 + noise[i % 8], i);
    runOutlierFilter(h, 10.1, 30);
    EXPECT_EQ(h.output[0], 10.1);
}

HeadTable withSensorBlock(const std::array<std::uint8_t, 12>& b) {
    HeadTable heads;
    std::copy(b.begin(), b.end(), heads.headDisplayLine[kHeadES].begin() + kSensorBlockOffset);
    return heads;
}

TEST(SensorDecode, FeedsFiltersKeepsResultOnlyWhenSwitchedOn) {
    const HeadTable steady = withSensorBlock(block(0x0400, 0x0200, 0x4000, 0x0A00, 0x0100));
    const HeadTable spike = withSensorBlock(block(0x3000, 0x0200, 0x4000, 0x0A00, 0x0100));
    OrientationState o;
    o.altitudeM = 12.0;
    o.filters[OrientationChannel::Pitch].enabled = 1;
    for (int i = 0; i < 20; ++i) decodeSensorBlockInto(steady, o);
    EXPECT_EQ(o.filters.sampleCounter, 20);
    EXPECT_DOUBLE_EQ(o.pitchDeg, 5.625);
    EXPECT_DOUBLE_EQ(o.pingHeadingDeg, 68.0);
    EXPECT_EQ(o.pingAltitudeM, 12.0);

    decodeSensorBlockInto(spike, o);
    // Pitch is filtered: the spike is replaced by the median, and the mean of
    // three equal outputs is the steady value.
    EXPECT_DOUBLE_EQ(o.pitchDeg, 5.625);
    // The filter history saw the raw spike all the same.
    EXPECT_DOUBLE_EQ(o.filters[OrientationChannel::Pitch].raw[0], 0x3000 * 360.0 / 65536);
    // Roll is not switched on but its filter was fed.
    EXPECT_DOUBLE_EQ(o.filters[OrientationChannel::Roll].raw[0], 0x0200 * 360.0 / 65536);
}

TEST(SensorDecode, AltitudeFedOnlyWhenAboveZero) {
    const HeadTable heads = withSensorBlock(block(0, 0, 0, 0, 0));
    OrientationState o;
    o.altitudeM = 0.0;
    decodeSensorBlockInto(heads, o);
    EXPECT_EQ(o.filters[OrientationChannel::Altitude].raw[0], 0.0);
    o.altitudeM = 3.5;
    decodeSensorBlockInto(heads, o);
    EXPECT_EQ(o.filters[OrientationChannel::Altitude].raw[0], 3.5);
    EXPECT_EQ(o.filters[OrientationChannel::Depth].raw[1], 0.0);
    EXPECT_EQ(o.filters.sampleCounter, 2);
}

}  // namespace
}  // namespace hx
