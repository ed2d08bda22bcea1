// Command framing and decoding: the simulator must pick whole commands out
// of any byte stream a client (or a fault) produces and never act on junk.
#include "tools/headsim/model/HeadCommand.h"

#include <gtest/gtest.h>

#include <vector>

using namespace hx;
using namespace hx::sim;

namespace {

// A data request as the surface program sends it: 120 kHz, 50 m, gain 6.
std::vector<std::uint8_t> command(std::uint8_t code = 0x44, std::uint8_t half = 0x00, std::uint16_t rangeM = 50) {
    std::vector<std::uint8_t> m(128, 0);
    m[0] = 0xFE;
    m[1] = code;
    m[10] = half;
    m[12] = 0x10;
    m[30] = 0xC0; m[31] = 0xD4; m[32] = 0x01; m[33] = 0x00;  // 120000 Hz
    m[34] = static_cast<std::uint8_t>(rangeM & 0xFF);
    m[35] = static_cast<std::uint8_t>(rangeM >> 8);
    m[36] = 0x0A;
    m[38] = 6;
    m[50] = 0x10;
    m[52] = 0x01;
    m[127] = 0xFD;
    return m;
}

std::vector<CommandMessage> drain(CommandFramer& f) {
    std::vector<CommandMessage> out;
    while (auto m = f.next()) out.push_back(*m);
    return out;
}

}  // namespace

TEST(ParseCommand, DecodesTheFieldsOfADataRequest) {
    auto m = command(0x44, 0x10, 300);
    m[12] = 0x13;
    m[15] = 0x80;
    m[38] = 40;
    const auto r = parseCommand(m);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->kind, HeadRequest::Kind::Data);
    EXPECT_TRUE(r->secondHalf);
    EXPECT_EQ(r->transmitControl, 0x13);
    EXPECT_EQ(r->headKind, 0x80);
    EXPECT_EQ(r->frequencyHz, 120000u);
    EXPECT_EQ(r->rangeM, 300);
    EXPECT_EQ(r->gainDb, 40);
}

TEST(ParseCommand, RejectsWhatIsNotACommand) {
    struct Case { const char* what; std::size_t index; std::uint8_t value; };
    const Case cases[] = {
        {"start byte", 0, 0x00},
        {"end byte", 127, 0x00},
        {"unknown code", 1, 0x45},
        {"half selector", 10, 0x01},
        {"half selector 0xFF", 10, 0xFF},
    };
    for (const Case& c : cases) {
        auto m = command();
        m[c.index] = c.value;
        EXPECT_FALSE(parseCommand(m)) << c.what;
    }
    EXPECT_FALSE(parseCommand(std::vector<std::uint8_t>(127, 0xFE))) << "short";
    EXPECT_FALSE(parseCommand(std::vector<std::uint8_t>())) << "empty";
    // The system information request ignores the half selector.
    auto sys = command(0x99, 0x33);
    const auto r = parseCommand(sys);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->kind, HeadRequest::Kind::SystemInfo);
}

TEST(CommandFramer, ReassemblesOneByteAtATime) {
    CommandFramer f;
    const auto m = command(0x44, 0x10);
    std::vector<CommandMessage> got;
    for (std::uint8_t b : m) {
        f.push({&b, 1});
        auto more = drain(f);
        got.insert(got.end(), more.begin(), more.end());
    }
    ASSERT_EQ(got.size(), 1u);
    EXPECT_TRUE(std::equal(m.begin(), m.end(), got[0].begin()));
    EXPECT_EQ(f.discardedBytes(), 0u);
}

TEST(CommandFramer, SplitsMergedCommandsAndSkipsLeadingGarbage) {
    std::vector<std::uint8_t> stream = {0x00, 0x13, 0xFD, 0x44};
    for (int i = 0; i < 3; ++i) {
        const auto m = command(0x44, i % 2 ? 0x10 : 0x00, static_cast<std::uint16_t>(10 * (i + 1)));
        stream.insert(stream.end(), m.begin(), m.end());
    }
    CommandFramer f;
    f.push(stream);
    const auto got = drain(f);
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(parseCommand(got[2])->rangeM, 30);
    EXPECT_EQ(f.discardedBytes(), 4u);
    EXPECT_EQ(f.pendingBytes(), 0u);
}

TEST(CommandFramer, ResynchronisesAfterAnInterruptedCommand) {
    // Half a command (the client died mid-send), then garbage holding stray
    // start and end bytes, then a whole command.
    auto broken = command();
    broken.resize(60);
    std::vector<std::uint8_t> stream = broken;
    const std::uint8_t junk[] = {0xFE, 0xFD, 0xFE, 0x99, 0x00, 0xFD};
    stream.insert(stream.end(), std::begin(junk), std::end(junk));
    const auto good = command(0x99);
    stream.insert(stream.end(), good.begin(), good.end());
    CommandFramer f;
    // In two reads cut at an awkward place.
    f.push(std::span(stream).first(100));
    auto got = drain(f);
    f.push(std::span(stream).subspan(100));
    auto more = drain(f);
    got.insert(got.end(), more.begin(), more.end());
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0][1], 0x99);
    EXPECT_EQ(f.discardedBytes(), stream.size() - 128);
}

TEST(CommandFramer, DropsFramesWithAnUnknownCodeWithoutLosingTheNext) {
    // 0xFE ... 0xFD with an unknown code, immediately followed by a request.
    auto unknown = command(0x55);
    const auto good = command(0x44, 0x10);
    unknown.insert(unknown.end(), good.begin(), good.end());
    CommandFramer f;
    f.push(unknown);
    const auto got = drain(f);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0][10], 0x10);
}

TEST(CommandFramer, GarbageOnlyLeavesNothingBehindButAPossibleStart) {
    std::vector<std::uint8_t> garbage(100000);
    for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<std::uint8_t>((i * 2654435761u) >> 13);
    CommandFramer f;
    f.push(garbage);
    EXPECT_TRUE(drain(f).empty());
    EXPECT_LT(f.pendingBytes(), 128u);  // bounded however much junk arrives
}
