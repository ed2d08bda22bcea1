#include <gtest/gtest.h>

#include "link/DiagnosticsText.h"

using namespace hx;

namespace {

struct Fixture {
    HeadTable heads;
    LinkFields link;
    CycleValues cycle;
    Fixture() {
        heads.headIdText = {"SSL", "SSM", "SSH", "ES1"};
        heads.headStatus = {0x00, 0x04, 0x7c, 0x01};
        heads.headGain = {6, 7, 8, 9};
        heads.headFrequency = {120000, 260000, 540000, 200000};
        heads.headXmitControl = {0x10, 0x12, 0x11, 0x10};
        link.headConnected = {1, 1, 1, 1};
        link.headSerialNumber = {'A', 'B', '1', '2', '3', 0};
        cycle.pingInterval = 180;
        cycle.pingIntervalAverage = 181;
    }
};

}  // namespace

TEST(DiagnosticsText, FourHeadLayout) {
    Fixture f;
    const auto t = buildDiagnosticsTexts(f.heads, f.link, f.cycle, 7, 0, {});
    EXPECT_EQ(t.serialNumber, "AB123");
    EXPECT_EQ(t.serialStat, "0x00,0x04,0x7c,0x01");
    EXPECT_EQ(t.header, "SSL,  SSM,  SSH,  ES1");
    EXPECT_EQ(t.range, "50 m,   50 m");
    EXPECT_EQ(t.gain, "6,  7,  8,  9 dB");
    EXPECT_EQ(t.connection, "Y,  Y,  Y,  Y");
    EXPECT_EQ(t.frequency, "120,  260,  540,  200 kHz");
    EXPECT_EQ(t.realTimePrf, "180 ms");
    EXPECT_EQ(t.loopTime, "181 ms");
    EXPECT_EQ(t.dispTime, "7 ms");
    EXPECT_EQ(t.runMode, "0x10,  0x12,  0x11");
}

TEST(DiagnosticsText, PairLayoutAndUnits) {
    Fixture f;
    // L and ES only: the pair is (0, 0).
    f.link.allSideScansAvailable = 0;
    f.link.displayHeadA = 0;
    f.link.displayHeadB = 0;
    f.link.headConnected = {1, 0, 0, 0};
    auto t = buildDiagnosticsTexts(f.heads, f.link, f.cycle, 0, 1, {});
    EXPECT_EQ(t.gain, "6,  6,  9 dB");
    EXPECT_EQ(t.connection, "Y,  Y,  N");
    EXPECT_EQ(t.frequency, "120,  120,  200 kHz");
    EXPECT_EQ(t.serialStat, "0x00,0x00,0x01");
    EXPECT_EQ(t.runMode, "0x10,  0x10");
    EXPECT_EQ(t.range, "150 ft,   150 ft");
    // Neither metric nor imperial: the range text stays as it was.
    auto again = buildDiagnosticsTexts(f.heads, f.link, f.cycle, 0, 7, t);
    EXPECT_EQ(again.range, "150 ft,   150 ft");
    // A damaged pair index never reads outside the table.
    f.link.displayHeadB = 42;
    EXPECT_NO_THROW(buildDiagnosticsTexts(f.heads, f.link, f.cycle, 0, 0, {}));
}

TEST(TransmitBoxes, TickedMeansOnAndOnlyTheBoxBitsChange) {
    Fixture f;
    f.link.allSideScansAvailable = 0;
    f.link.displayHeadA = 1;
    f.link.displayHeadB = 2;
    f.heads.headXmitControl = {0x10, 0x10, 0x11, 0x11};
    auto boxes = transmitBoxesFrom(f.heads, f.link);
    EXPECT_TRUE(boxes.aPort);
    EXPECT_TRUE(boxes.aStbd);
    EXPECT_TRUE(boxes.bPort);
    EXPECT_FALSE(boxes.bStbd);
    EXPECT_FALSE(boxes.echoSounder);
    // Unticking "Port" in row 1 sets bit 1 of A's byte.
    boxes.aPort = false;
    boxes.bStbd = true;
    boxes.echoSounder = true;
    applyTransmitBoxes(boxes, f.heads, f.link);
    EXPECT_EQ(f.heads.headXmitControl[1], 0x12);
    EXPECT_EQ(f.heads.headXmitControl[2], 0x10);
    EXPECT_EQ(f.heads.headXmitControl[3], 0x10);
    EXPECT_EQ(f.heads.headXmitControl[0], 0x10);  // not shown: untouched
}
