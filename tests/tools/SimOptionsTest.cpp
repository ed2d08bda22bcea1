// The simulator's command line and the fault plans it produces.
#include "tools/headsim/model/FaultPlan.h"
#include "tools/headsim/model/SimOptions.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace hx;
using namespace hx::sim;

namespace {

ParsedOptions parse(std::vector<std::string> args) { return parseSimOptions(args); }

}  // namespace

TEST(SimOptions, DefaultsServeFourHeadsOnLoopback) {
    const auto p = parse({});
    ASSERT_EQ(p.error, "");
    EXPECT_EQ(p.options.addresses[0], "127.0.0.2");
    EXPECT_EQ(p.options.addresses[3], "127.0.0.5");
    EXPECT_EQ(p.options.port, 4040);
    EXPECT_EQ(p.options.present, (std::array<bool, 4>{true, true, true, true}));
    EXPECT_TRUE(p.options.orientationSensor);
    EXPECT_FALSE(p.options.noDelay);
    EXPECT_EQ(p.options.faults.silentHead, -1);
}

TEST(SimOptions, EveryOptionIsRead) {
    const auto p = parse({"--addresses", "127.0.20.1,127.0.20.2,127.0.20.3,127.0.20.4", "--port", "0", "--heads", "LE",
                          "--no-orientation", "--serial", "XY9", "--frequencies", "110,250,600,205", "--limits",
                          "90-130,200-300,500-700,190-210", "--no-delay", "--seconds", "2.5", "--pings", "40",
                          "--silent-head", "E", "--split-replies", "--error-every", "3", "--close-after", "7",
                          "--no-sysinfo", "--extra-byte", "--garbage-every", "5", "--delay-ms", "15", "--silent-every", "9", "--gps-garbage-every", "4", "--gps-pty",
                          "--gps-udp", "10110", "--replay-xtf", "wreck.xtf"});
    ASSERT_EQ(p.error, "");
    const SimOptions& o = p.options;
    EXPECT_EQ(o.addresses[2], "127.0.20.3");
    EXPECT_EQ(o.port, 0);
    EXPECT_EQ(o.present, (std::array<bool, 4>{true, false, false, true}));
    EXPECT_FALSE(o.orientationSensor);
    EXPECT_EQ(o.serial, "XY9");
    EXPECT_EQ(o.nominalKHz, (std::array<unsigned, 4>{110, 250, 600, 205}));
    EXPECT_EQ(o.lowestKHz[0], 90u);
    EXPECT_EQ(o.highestKHz[3], 210u);
    EXPECT_TRUE(o.noDelay);
    EXPECT_DOUBLE_EQ(o.seconds, 2.5);
    EXPECT_EQ(o.pings, 40);
    EXPECT_EQ(o.faults.silentHead, kHeadES);
    EXPECT_TRUE(o.faults.splitReplies);
    EXPECT_EQ(o.faults.errorEvery, 3);
    EXPECT_EQ(o.faults.closeAfter, 7);
    EXPECT_TRUE(o.faults.noSysinfo);
    EXPECT_TRUE(o.faults.extraByte);
    EXPECT_EQ(o.faults.garbageEvery, 5);
    EXPECT_EQ(o.faults.delayMs, 15);
    EXPECT_EQ(o.faults.silentEvery, 9);
    EXPECT_EQ(o.faults.gpsGarbageEvery, 4);
    EXPECT_TRUE(o.gpsPty);
    EXPECT_EQ(o.gpsUdpPort, 10110);
    EXPECT_EQ(o.replayXtfPath, "wreck.xtf");
}

TEST(SimOptions, RefusesNonLoopbackAddressesUnlessAllowed) {
    const std::vector<std::string> hardware = {"--addresses", "192.168.0.2,192.168.0.3,192.168.0.4,192.168.0.5"};
    auto p = parse(hardware);
    EXPECT_NE(p.error.find("loopback"), std::string::npos) << p.error;
    // An absent head's address is never bound, so it does not matter.
    p = parse({"--addresses", "127.0.0.2,10.0.0.1,127.0.0.4,127.0.0.5", "--heads", "LHE"});
    EXPECT_EQ(p.error, "");
    p = parse({"--addresses", "0.0.0.0,127.0.0.3,127.0.0.4,127.0.0.5"});
    EXPECT_NE(p.error, "");
    auto allowed = hardware;
    allowed.push_back("--allow-non-loopback");
    // The loopback-only switch overrules it (CTest sets it for every test).
    setenv("HX642_LOOPBACK_ONLY", "1", 1);
    EXPECT_NE(parse(allowed).error.find("HX642_LOOPBACK_ONLY"), std::string::npos);
    setenv("HX642_LOOPBACK_ONLY", "0", 1);
    EXPECT_EQ(parse(allowed).error, "");
    setenv("HX642_LOOPBACK_ONLY", "1", 1);
}

TEST(SimOptions, BadValuesAreReportedNotGuessed) {
    const std::vector<std::vector<std::string>> bad = {
        {"--port"},
        {"--port", "65536"},
        {"--port", "-1"},
        {"--port", "40x"},
        {"--addresses", "127.0.0.2,127.0.0.3,127.0.0.4"},
        {"--addresses", "127.0.0.2,127.0.0.3,127.0.0.4,127.0.0.256"},
        {"--addresses", "127.0.0.2,127.0.0.3,127.0.0.4,127.0.0"},
        {"--addresses", "127.0.0.2,127.0.0.3,127.0.0.4,127.0.0.5.6"},
        {"--addresses", "127.0.0.2,127.0.0.2,127.0.0.4,127.0.0.5"},  // two heads on one address and port
        {"--heads", "LX"},
        {"--heads", ""},
        {"--serial", "1234567"},
        {"--frequencies", "120,260,540"},
        {"--frequencies", "120,260,0,200"},
        {"--limits", "100-150,230-300,700-480,180-220"},
        {"--seconds", "0"},
        {"--seconds", "abc"},
        {"--pings", "0"},
        {"--silent-head", "X"},
        {"--heads", "LM", "--silent-head", "H"},
        {"--error-every", "0"},
        {"--delay-ms", "999999"},
        {"--gps-udp", "0"},
        {"--replay-xtf"},
        {"--replay-xtf", ""},
        {"--frobnicate"},
    };
    for (const auto& args : bad) {
        std::string joined;
        for (const auto& a : args) joined += a + " ";
        EXPECT_NE(parse(args).error, "") << joined;
    }
    // Two heads may share an address when each server picks its own port.
    EXPECT_EQ(parse({"--addresses", "127.0.0.2,127.0.0.2,127.0.0.2,127.0.0.2", "--port", "0"}).error, "");
    EXPECT_TRUE(parse({"--help"}).help);
}

TEST(Ipv4, ParsesDottedQuadsOnly) {
    EXPECT_EQ(parseIpv4("127.0.0.1"), 0x7F000001u);
    EXPECT_EQ(parseIpv4("255.255.255.255"), 0xFFFFFFFFu);
    for (const char* bad : {"", "1.2.3", "1.2.3.4.", ".1.2.3", "1..2.3", "1.2.3.a", "1.2.3.1000", "1.2.3.-1", " 1.2.3.4"})
        EXPECT_FALSE(parseIpv4(bad)) << bad;
    EXPECT_TRUE(isLoopback(*parseIpv4("127.255.0.9")));
    EXPECT_FALSE(isLoopback(*parseIpv4("128.0.0.1")));
}

TEST(FaultPlan, EachFaultComesWhenAsked) {
    FaultOptions o;
    o.errorEvery = 2;
    o.garbageEvery = 3;
    o.closeAfter = 6;
    o.extraByte = true;
    FaultPlan plan(o, kHeadM);
    EXPECT_TRUE(plan.answersData());
    EXPECT_TRUE(plan.answersSystemInfo());
    std::uint8_t seenBits = 0;
    for (int n = 1; n <= 6; ++n) {
        const ReplyFaults f = plan.nextReply(true, 1128);
        EXPECT_EQ(f.statusErrorBits != 0, n % 2 == 0) << n;
        EXPECT_EQ(f.statusErrorBits & ~0x7C, 0) << n;
        seenBits |= f.statusErrorBits;
        EXPECT_EQ(f.garbageBytes > 0, n % 3 == 0) << n;
        EXPECT_LE(f.garbageBytes, 64u);
        EXPECT_TRUE(f.extraByte);
        EXPECT_EQ(f.splitAt, 0u);
        EXPECT_EQ(f.closeAfter, n == 6) << n;
    }
    EXPECT_EQ(seenBits, 0x04 | 0x08 | 0x10);
}

TEST(FaultPlan, SplitsFallInsideTheReplyAndSilenceIsPerHead) {
    FaultOptions o;
    o.splitReplies = true;
    o.silentHead = kHeadH;
    o.noSysinfo = true;
    FaultPlan plan(o, kHeadL);
    for (int n = 0; n < 200; ++n) {
        const ReplyFaults f = plan.nextReply(n % 2 == 0, n % 2 == 0 ? 1128 : 256);
        EXPECT_GT(f.splitAt, 0u);
        EXPECT_LT(f.splitAt, n % 2 == 0 ? 1128u : 256u);
        EXPECT_EQ(f.statusErrorBits, 0);
    }
    EXPECT_TRUE(plan.answersData());
    EXPECT_FALSE(plan.answersSystemInfo());
    EXPECT_FALSE(FaultPlan(o, kHeadH).answersData());
}
