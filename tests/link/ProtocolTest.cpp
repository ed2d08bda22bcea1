// Command messages and where data replies land in the display lines.
#include <gtest/gtest.h>

#include "core/ByteIO.h"
#include "link/CommandMessages.h"
#include "link/DataReply.h"
#include "link/LinkDefaults.h"
#include "LinkTestMessages.h"

namespace hx {
namespace {

struct Doc {
    HeadTable heads;
    LinkFields link;
    CycleValues cycle;
    OrientationState orientation;
    Doc() { initialiseLinkDefaults({heads, link, cycle, orientation}); }
};

TEST(CommandTemplate, BytesOfEveryHead) {
    Doc d;
    for (int h = 0; h < 4; ++h) {
        SCOPED_TRACE(h);
        const CommandMessage& c = d.heads.headCommand[static_cast<std::size_t>(h)];
        EXPECT_EQ(c[0], 0xFE);
        EXPECT_EQ(c[1], 0x44);
        EXPECT_EQ(c[10], 0x00);
        EXPECT_EQ(c[12], 0x10);
        EXPECT_EQ(c[15], h == 3 ? 0x80 : 0x00);
        EXPECT_EQ(c[36], h == 0 ? 0x0A : 0x00);
        EXPECT_EQ(c[38], 6);
        EXPECT_EQ(c[50], 0x10);
        EXPECT_EQ(c[52], 0x01);
        EXPECT_EQ(c[127], 0xFD);
        // The template carries the sidescan range for L, M and H only.
        EXPECT_EQ(*readU16Le(c, 34), h == 3 ? 0 : 50);
        int nonZero = 0;
        for (std::size_t i = 0; i < c.size(); ++i)
            if (c[i] != 0 && i != 0 && i != 1 && i != 12 && i != 15 && i != 34 && i != 36 && i != 38 && i != 50 &&
                i != 52 && i != 127)
                ++nonZero;
        EXPECT_EQ(nonZero, 0);
    }
    EXPECT_EQ(d.link.commandLength, 128);
    EXPECT_EQ(d.link.replyHeaderLength, 128);
    EXPECT_EQ(d.link.sideDataPoints, 1000);
}

TEST(CommandTemplate, UpdateFromSettingsWritesFrequencyRangeGainAndXmit) {
    Doc d;
    d.heads.headFrequency = {110000, 250000, 540000, 205000};
    d.heads.headGain = {0, 40, 17, 300};  // a hostile 300 keeps its low byte
    d.heads.headXmitControl = {0x10, 0x12, 0x13, 0x11};
    d.heads.sideScanRange = 300;
    d.heads.echoSounderRange = 20;
    d.heads.headCommand[1][1] = 0x99;
    d.heads.headCommand[2][10] = 0x10;
    updateCommandsFromSettings(d.heads);

    const std::uint8_t gains[] = {0, 40, 17, 300 & 0xFF};
    for (std::size_t h = 0; h < 4; ++h) {
        const CommandMessage& c = d.heads.headCommand[h];
        EXPECT_EQ(*readU32Le(c, 30), static_cast<std::uint32_t>(d.heads.headFrequency[h]));
        EXPECT_EQ(c[38], gains[h]);
        EXPECT_EQ(c[12], d.heads.headXmitControl[h]);
        EXPECT_EQ(*readU16Le(c, 34), h == 3 ? 20 : 300);
    }
    // L's 120 kHz default lands as 0xC0 0xD4 0x01 0x00.
    d.heads.headFrequency[0] = 120000;
    updateCommandsFromSettings(d.heads);
    EXPECT_EQ(d.heads.headCommand[0][30], 0xC0);
    EXPECT_EQ(d.heads.headCommand[0][31], 0xD4);
    EXPECT_EQ(d.heads.headCommand[0][32], 0x01);
    // The poll sequence's bytes are left alone.
    EXPECT_EQ(d.heads.headCommand[1][1], 0x99);
    EXPECT_EQ(d.heads.headCommand[2][10], 0x10);
}

TEST(DataReplyStore, PortReversedStarboardInOrder) {
    Doc d;
    const auto first = test::makeDataReply(1, 0x00);
    const auto second = test::makeDataReply(1, 0x10);
    ASSERT_TRUE(storeDataReply(1, first, d.heads));
    // The first half of a sidescan head leaves the header store alone.
    EXPECT_EQ(d.heads.headReplyHeader[1][0], 0);
    ASSERT_TRUE(storeDataReply(1, second, d.heads));

    const DisplayLine& line = d.heads.headDisplayLine[1];
    EXPECT_EQ(line[1023], test::samplePattern(1, 0, 0));
    EXPECT_EQ(line[24], test::samplePattern(1, 0, 999));
    EXPECT_EQ(line[1024], test::samplePattern(1, 1, 0));
    EXPECT_EQ(line[2023], test::samplePattern(1, 1, 999));
    for (std::size_t j = 0; j < 1000; ++j) {
        ASSERT_EQ(line[1023 - j], test::samplePattern(1, 0, j));
        ASSERT_EQ(line[1024 + j], test::samplePattern(1, 1, j));
    }
    // Bytes outside the echo line are never written.
    for (std::size_t i = 0; i < 24; ++i) EXPECT_EQ(line[i], 0);
    for (std::size_t i = 2024; i < 2048; ++i) EXPECT_EQ(line[i], 0);
    // The second half's header bytes 0..126 are stored, byte 127 is not.
    for (std::size_t i = 0; i < 127; ++i) ASSERT_EQ(d.heads.headReplyHeader[1][i], second[i]);
    EXPECT_EQ(d.heads.headReplyHeader[1][127], 0);
}

TEST(DataReplyStore, EchoSounderUnreversedWithHeaderBothHalves) {
    Doc d;
    auto first = test::makeDataReply(3, 0x00, 0x00);
    first[5] = 0x77;
    ASSERT_TRUE(storeDataReply(3, first, d.heads));
    EXPECT_EQ(d.heads.headReplyHeader[3][5], 0x77);
    const DisplayLine& line = d.heads.headDisplayLine[3];
    for (std::size_t j = 0; j < 1000; ++j) ASSERT_EQ(line[24 + j], test::samplePattern(3, 0, j));

    auto second = test::makeDataReply(3, 0x10);
    second[127] = 0x12;  // sensor block byte 0
    ASSERT_TRUE(storeDataReply(3, second, d.heads));
    EXPECT_EQ(line[1024], 0x12);
    EXPECT_EQ(d.heads.headReplyHeader[3][10], 0x10);
}

TEST(DataReplyStore, RefusesShortUnknownHalfAndBadHead) {
    Doc d;
    const DisplayLine before = d.heads.headDisplayLine[0];
    EXPECT_FALSE(storeDataReply(0, test::makeDataReply(0, 0x00, 0, 1127), d.heads));
    EXPECT_FALSE(storeDataReply(0, test::makeDataReply(0, 0x20), d.heads));
    EXPECT_FALSE(storeDataReply(4, test::makeDataReply(0, 0x00), d.heads));
    EXPECT_FALSE(storeDataReply(-1, test::makeDataReply(0, 0x00), d.heads));
    EXPECT_EQ(d.heads.headDisplayLine[0], before);
    // 1129 bytes: the last byte is not looked at.
    EXPECT_TRUE(storeDataReply(0, test::makeDataReply(0, 0x10, 0, 1129), d.heads));
    EXPECT_EQ(replyHalf(test::makeDataReply(0, 0x10)), ReplyHalf::Second);
    EXPECT_EQ(replyHalf(test::makeDataReply(0, 0x00)), ReplyHalf::First);
    EXPECT_EQ(replyHalf(test::makeDataReply(0, 0x01)), ReplyHalf::Other);
}

}  // namespace
}  // namespace hx
