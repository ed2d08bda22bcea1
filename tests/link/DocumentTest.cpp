// Defaults, the display pair and the system information decode.
#include <gtest/gtest.h>

#include <string>

#include "LinkTestMessages.h"
#include "link/CommandMessages.h"
#include "link/DisplayPair.h"
#include "link/LinkDefaults.h"
#include "link/SystemInfoDecode.h"

namespace hx {
namespace {

struct Doc {
    HeadTable heads;
    LinkFields link;
    CycleValues cycle;
    OrientationState orientation;
    LinkDocument refs() { return {heads, link, cycle, orientation}; }
    Doc() { initialiseLinkDefaults(refs()); }
};

TEST(LinkDefaults, BeforeAnyConnection) {
    Doc d;
    for (std::size_t h = 0; h < 4; ++h) {
        EXPECT_EQ(d.heads.headAvailable[h], 1);
        EXPECT_EQ(d.heads.headIdText[h], "n/a");
        EXPECT_EQ(d.heads.headGain[h], 6);
        EXPECT_EQ(d.heads.headXmitControl[h], 0x10);
        EXPECT_EQ(d.link.headConnected[h], 0);
    }
    EXPECT_EQ(d.heads.headIpAddress[0], "192.168.0.2");
    EXPECT_EQ(d.heads.headIpAddress[3], "192.168.0.5");
    EXPECT_EQ(d.heads.headFrequency, (PerHead<std::int32_t>{120000, 260000, 675000, 200000}));
    EXPECT_EQ(d.heads.sideScanRange, 50);
    EXPECT_EQ(d.heads.sideScanRangeIndex, 9);
    EXPECT_EQ(d.heads.echoSounderRange, 50);
    EXPECT_EQ(d.link.linkStale, 1);
    EXPECT_EQ(d.link.sysInfoPending, 1);
    EXPECT_EQ(d.link.displayHeadA, 0);
    EXPECT_EQ(d.link.displayHeadB, 2);
    EXPECT_EQ(d.orientation.compassDeclination, 22.0);
    EXPECT_EQ(d.orientation.filters.sampleCounter, 0);
}

TEST(LinkDefaults, InitialiseClearsAPreviousSession) {
    Doc d;
    d.heads.headGain[2] = 33;
    d.heads.headIdText[1] = "MFB";
    d.link.linkStale = 0;
    d.cycle.goodCycleCount = 99;
    d.orientation.filters.sampleCounter = 40;
    d.orientation.filters[OrientationChannel::Roll].raw[3] = 7.0;
    initialiseLinkDefaults(d.refs());
    EXPECT_EQ(d.heads.headGain[2], 6);
    EXPECT_EQ(d.heads.headIdText[1], "n/a");
    EXPECT_EQ(d.link.linkStale, 1);
    EXPECT_EQ(d.cycle.goodCycleCount, 0);
    EXPECT_EQ(d.orientation.filters.sampleCounter, 0);
    EXPECT_EQ(d.orientation.filters[OrientationChannel::Roll].raw[3], 0.0);
    EXPECT_EQ(d.heads.headCommand[0][0], 0xFE);
}

struct PairCase {
    PerHead<std::int32_t> available;
    int count, all, two, a, b;
};

TEST(DisplayPair, Table) {
    const PairCase cases[] = {
        {{1, 1, 1, 1}, 4, 1, 0, 2, 2},  // all three sidescans: both display heads are H
        {{1, 1, 1, 0}, 3, 1, 0, 2, 2},
        {{1, 0, 1, 1}, 3, 0, 1, 0, 2},  // L and H with ES
        {{1, 1, 0, 1}, 3, 0, 1, 0, 1},
        {{0, 1, 1, 1}, 3, 0, 1, 1, 2},
        {{1, 0, 1, 0}, 2, 0, 1, 0, 2},  // L and H, no ES
        {{0, 1, 1, 0}, 2, 0, 1, 1, 2},
        {{1, 1, 0, 0}, 2, 0, 1, 0, 1},
        {{0, 1, 0, 0}, 1, 0, 0, 1, 1},  // M only
        {{0, 1, 0, 1}, 2, 0, 0, 1, 1},
        {{1, 0, 0, 1}, 2, 0, 0, 0, 0},  // L and ES
        {{0, 0, 1, 1}, 2, 0, 0, 2, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.available[0] << c.available[1] << c.available[2] << c.available[3]);
        const DisplayPair p = deriveDisplayPair(c.available, 0, 2);
        EXPECT_EQ(p.availableHeadCount, c.count);
        EXPECT_EQ(p.allSideScansAvailable, c.all);
        EXPECT_EQ(p.twoSideScansAvailable, c.two);
        EXPECT_EQ(p.displayHeadA, c.a);
        EXPECT_EQ(p.displayHeadB, c.b);
    }
    // No sidescan head at all: the pair stays what it was.
    const DisplayPair esOnly = deriveDisplayPair({0, 0, 0, 1}, 1, 2);
    EXPECT_EQ(esOnly.availableHeadCount, 1);
    EXPECT_EQ(esOnly.displayHeadA, 1);
    EXPECT_EQ(esOnly.displayHeadB, 2);
}

TEST(SystemInfo, ConfigurationByte0x0B) {
    Doc d;
    const auto raw = test::makeLoopbackSystemInfo(0x0B);
    const auto info = parseSystemInfo(raw);
    ASSERT_TRUE(info);
    applySystemInfo(*info, std::span<const std::uint8_t, 256>(raw.data(), 256), d.heads, d.link);
    EXPECT_EQ(d.heads.headAvailable, (PerHead<std::int32_t>{1, 1, 0, 1}));
    EXPECT_EQ(d.link.orientationAvailable, 0);
    EXPECT_EQ(d.link.availableHeadCount, 3);
    EXPECT_EQ(d.link.allSideScansAvailable, 0);
    EXPECT_EQ(d.link.twoSideScansAvailable, 1);
    EXPECT_EQ(d.link.displayHeadA, 0);
    EXPECT_EQ(d.link.displayHeadB, 1);
    EXPECT_EQ(d.link.sysInfoPending, 0);
    EXPECT_EQ(d.link.sysInfoReceived, 1);
    EXPECT_EQ(d.heads.headIpAddress[0], "127.0.10.2");
    EXPECT_EQ(d.heads.headIpAddress[1], "127.0.10.3");
    EXPECT_EQ(d.heads.headIpAddress[2], "192.168.0.4");  // absent: keeps its address
    EXPECT_EQ(d.heads.headIpAddress[3], "127.0.10.5");
    EXPECT_EQ(std::string(d.link.headSerialNumber.begin(), d.link.headSerialNumber.end()), "SN0042");
    EXPECT_TRUE(std::equal(raw.begin(), raw.end(), d.link.systemInfo.begin()));
}

TEST(SystemInfo, OrientationBitAndFrequencyClamping) {
    std::array<test::HeadBlockValues, 4> blocks{};
    blocks[0] = {100, 110, 130, {10, 1, 2, 3}};    // below the lowest: raised
    blocks[1] = {300, 240, 280, {10, 1, 2, 4}};    // above the highest: lowered
    blocks[2] = {500, 600, 550, {10, 1, 2, 5}};    // crossed limits: the highest wins
    blocks[3] = {200, 190, 210, {255, 254, 0, 1}};  // in range; octets read unsigned
    const auto raw = test::makeSystemInfo(0x1F, blocks, "ABC");
    Doc d;
    const auto info = parseSystemInfo(raw);
    ASSERT_TRUE(info);
    applySystemInfo(*info, std::span<const std::uint8_t, 256>(raw.data(), 256), d.heads, d.link);
    EXPECT_EQ(d.link.orientationAvailable, 1);
    EXPECT_EQ(d.heads.headFrequency, (PerHead<std::int32_t>{110000, 280000, 550000, 200000}));
    EXPECT_EQ(d.heads.headFrequencyMin, (PerHead<std::int32_t>{110000, 240000, 600000, 190000}));
    EXPECT_EQ(d.heads.headFrequencyMax, (PerHead<std::int32_t>{130000, 280000, 550000, 210000}));
    EXPECT_EQ(d.heads.headIpAddress[3], "255.254.0.1");
    EXPECT_EQ(d.link.headSerialNumber[3], 0);
}

TEST(SystemInfo, RecognisesOnlyExact256ByteTQZ) {
    auto raw = test::makeLoopbackSystemInfo(0x0F);
    EXPECT_TRUE(isSystemInfoReply(raw));
    auto longer = raw;
    longer.push_back(0);
    EXPECT_FALSE(isSystemInfoReply(longer));
    EXPECT_FALSE(parseSystemInfo(std::span<const std::uint8_t>(raw).first(255)));
    raw[2] = 'X';
    EXPECT_FALSE(isSystemInfoReply(raw));
    EXPECT_FALSE(parseSystemInfo(raw));
    EXPECT_FALSE(parseSystemInfo({}));
    EXPECT_EQ(formatIpv4(0xC0A80002u), "192.168.0.2");
}

}  // namespace
}  // namespace hx
