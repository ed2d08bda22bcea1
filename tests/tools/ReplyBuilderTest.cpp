// Reply layouts as the surface program reads them. The decoding here is
// written out independently of the builder: offsets, byte order, and the
// client's own arithmetic for the sensor block.
#include "tools/headsim/model/ReplyBuilder.h"
#include "tools/headsim/model/SystemSetup.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

using namespace hx;
using namespace hx::sim;

namespace {

unsigned u16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }
unsigned long u32(const std::uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<unsigned long>(p[3]) << 24); }

// The surface program's decode: r > 32767 becomes r - 65535 (sic), then
// scaled; pitch and roll limited to +-90, temperature to -5..35, depth to 0..1000.
struct Decoded { double pitch, roll, heading, temperature, depth; };
Decoded clientDecode(const std::uint8_t* block, double declinationDeg) {
    auto s = [](unsigned r) { return r > 32767 ? static_cast<double>(r) - 65535.0 : static_cast<double>(r); };
    Decoded d;
    d.pitch = std::clamp(s(u16(block + 0)) * 360.0 / 65536.0, -90.0, 90.0);
    d.roll = std::clamp(s(u16(block + 2)) * 360.0 / 65536.0, -90.0, 90.0);
    d.heading = s(u16(block + 4)) * 360.0 / 65536.0 - declinationDeg;
    if (d.heading < 0) d.heading += 360.0;
    if (d.heading > 360) d.heading -= 360.0;
    d.temperature = std::clamp(s(u16(block + 8)) * 100.0 / 65536.0, -5.0, 35.0);
    d.depth = std::clamp(u16(block + 10) * 1000.0 / 65536.0, 0.0, 1000.0);
    return d;
}

}  // namespace

TEST(DataReply, LayoutLengthAndHalfEcho) {
    std::array<std::uint8_t, kDataReplyBytes> out;
    out.fill(0xEE);
    std::array<std::uint8_t, kSideDataPoints> samples;
    for (std::size_t j = 0; j < samples.size(); ++j) samples[j] = static_cast<std::uint8_t>(j % 251);
    for (const bool second : {false, true}) {
        ReplyHeaderFields h;
        h.id = headIdentifier(kHeadES);
        h.status = 0x08;
        h.pingNumber = 0x01020304;
        h.headNumber = kHeadES;
        h.secondHalf = second;
        h.transmitControl = 0x11;
        h.frequencyHz = 200000;
        h.rangeM = 300;
        h.gainDb = 12;
        buildDataReply(out, h, samples);
        static_assert(std::tuple_size_v<decltype(out)> == 1128);
        EXPECT_EQ(std::string(out.begin(), out.begin() + 3), "ES1");
        EXPECT_EQ(out[3], 0x08);
        EXPECT_EQ(u32(&out[4]), 0x01020304u);
        EXPECT_EQ(out[10], second ? 0x10 : 0x00);
        EXPECT_EQ(out[12], 0x11);
        EXPECT_EQ(out[15], 0x80);
        EXPECT_EQ(u32(&out[30]), 200000u);
        EXPECT_EQ(u16(&out[34]), 300u);
        EXPECT_EQ(out[38], 12);
        // Data from byte 127, nearest range first; the last byte is spare.
        EXPECT_EQ(out[127], samples[0]);
        EXPECT_EQ(out[127 + 999], samples[999]);
        EXPECT_EQ(out[1127], 0);
        // Nothing left over from the buffer's previous contents in the header.
        for (std::size_t i = 39; i < 127; ++i) EXPECT_EQ(out[i], 0) << i;
    }
}

TEST(SystemInfoReply, FieldsAndAddressesInWireOrder) {
    SimOptions o;
    o.addresses = {"127.0.20.1", "127.1.2.3", "127.0.0.4", "127.250.251.252"};
    o.present = {true, false, true, true};
    o.orientationSensor = false;
    o.serial = "AB12";
    o.nominalKHz = {110, 250, 600, 210};
    std::array<std::uint8_t, kSystemInfoBytes> out;
    out.fill(0xEE);
    buildSystemInfo(out, systemDescription(o));
    EXPECT_EQ(std::string(out.begin(), out.begin() + 3), "TQZ");
    EXPECT_EQ(std::string(out.begin() + 10, out.begin() + 16), "AB12  ");
    EXPECT_EQ(out[50], 0x0D);  // L, H and ES present; no orientation sensor
    const unsigned nominal[] = {110, 250, 600, 210};
    for (int k = 0; k < 4; ++k) {
        const std::uint8_t* block = &out[90 + 30 * k];
        EXPECT_EQ(u16(block + 0), nominal[k]);
        EXPECT_EQ(u16(block + 2), o.lowestKHz[static_cast<std::size_t>(k)]);
        EXPECT_EQ(u16(block + 4), o.highestKHz[static_cast<std::size_t>(k)]);
        char text[20];
        std::snprintf(text, sizeof text, "%d.%d.%d.%d", block[13], block[12], block[11], block[10]);
        EXPECT_EQ(text, k == 1 ? std::string("0.0.0.0") : o.addresses[static_cast<std::size_t>(k)]) << k;
    }
    for (std::size_t i = 210; i < 256; ++i) EXPECT_EQ(out[i], 0) << i;
}

TEST(SensorBlock, RoundTripsThroughTheClientsDecode) {
    const SensorReading cases[] = {
        {0.0, 0.0, 0.0, 0.0, 0.0},
        {3.5, -2.25, 123.4, 9.4, 15.8},
        {-12.0, 45.0, 359.9, -1.5, 250.0},
        {89.0, -89.0, 180.0, 34.9, 999.0},
        {-0.01, 0.01, 200.0, 21.0, 0.5},
    };
    const double lsbAngle = 360.0 / 65536.0;
    for (const SensorReading& r : cases) {
        std::array<std::uint8_t, 12> block{};
        ASSERT_TRUE(encodeSensorBlock(block, r));
        const Decoded d = clientDecode(block.data(), 0.0);
        // One step of rounding, plus one from the client's 65535 for negatives.
        EXPECT_NEAR(d.pitch, r.pitchDeg, 2 * lsbAngle);
        EXPECT_NEAR(d.roll, r.rollDeg, 2 * lsbAngle);
        const double dh = std::remainder(d.heading - r.headingDeg, 360.0);
        EXPECT_NEAR(dh, 0.0, 2 * lsbAngle) << r.headingDeg;
        EXPECT_NEAR(d.temperature, r.temperatureC, 2 * 100.0 / 65536.0);
        EXPECT_NEAR(d.depth, r.depthM, 1000.0 / 65536.0);
        EXPECT_EQ(block[6], 0);
        EXPECT_EQ(block[7], 0);
    }
}

TEST(SensorBlock, OutOfRangeValuesAreHeldNotWrapped) {
    std::array<std::uint8_t, 12> block{};
    ASSERT_TRUE(encodeSensorBlock(block, {0, 0, 0, 80.0, 1500.0}));
    EXPECT_EQ(u16(&block[8]), 32767u);   // +50 degC, the largest a signed field holds
    EXPECT_EQ(u16(&block[10]), 65535u);  // 999.98 m
    ASSERT_TRUE(encodeSensorBlock(block, {0, 0, 0, -80.0, -3.0}));
    EXPECT_EQ(u16(&block[8]), 32768u);
    EXPECT_EQ(u16(&block[10]), 0u);
    // Headings are angles: -10 and 350 are the same reading.
    std::array<std::uint8_t, 12> other{};
    encodeSensorBlock(block, {0, 0, 350.0, 0, 0});
    encodeSensorBlock(other, {0, 0, -10.0, 0, 0});
    EXPECT_EQ(block, other);
    std::array<std::uint8_t, 11> tooShort{};
    EXPECT_FALSE(encodeSensorBlock(tooShort, {}));
}

TEST(SystemSetup, ReplyDelayIsTheTwoWayTravelTimeOfTheRange) {
    SimOptions o;
    PingSettings s;
    s.rangeM = 150;
    EXPECT_EQ(dataReplyDelayMs(o, s, false), 200);  // 2 * 150 m / 1500 m/s
    EXPECT_EQ(dataReplyDelayMs(o, s, true), 0);
    o.faults.delayMs = 35;
    EXPECT_EQ(dataReplyDelayMs(o, s, false), 235);
    EXPECT_EQ(dataReplyDelayMs(o, s, true), 35);
    o.noDelay = true;
    EXPECT_EQ(dataReplyDelayMs(o, s, false), 35);
}
