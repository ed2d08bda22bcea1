// Damaged XTF made here: cut off at every packet boundary and inside
// packets, garbage between packets, lost magic, impossible sizes, channels
// the header does not describe, random bytes. The reader must never crash
// or read outside the file (the sanitizers watch), must account for every
// byte and must find the packets after the damage.
#include <gtest/gtest.h>

#include <random>

#include "XtfCollector.h"
#include "XtfSamples.h"
#include "export/ByteSource.h"
#include "export/XtfFormat.h"
#include "export/XtfReader.h"
#include "export/XtfWriter.h"

namespace hx {
namespace {

using namespace xtftest;

// Header, then per ping: ping (2432 bytes with two channels), serial (128).
std::vector<std::uint8_t> smallFile(std::uint32_t pings) {
    MemorySink sink;
    XtfWriter w(sink);
    w.begin(sixChannelInfo());
    for (std::uint32_t p = 1; p <= pings; ++p) {
        const PingSamples s = samplesFor(p);
        w.writePing(pingFor(p, s, 2));
        w.writeSerial({timeOfPing(p), 0, "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47"});
    }
    return sink.bytes();
}

struct Read {
    XtfCollector c;
    XtfReadReport report;
};

Read readBytes(const std::vector<std::uint8_t>& bytes) {
    Read r;
    MemorySource src(bytes);
    r.report = readXtf(src, r.c);
    return r;
}

std::vector<std::uint32_t> pingNumbers(const XtfCollector& c) {
    std::vector<std::uint32_t> out;
    for (const auto& p : c.pings) out.push_back(p.record.header.pingNumber);
    return out;
}

constexpr std::size_t kPing = 2432, kSerial = 128, kPair = kPing + kSerial;

TEST(XtfDamage, CutOffAtEveryBoundaryAndInsideReadsWhatIsWhole) {
    const auto whole = smallFile(3);
    ASSERT_EQ(whole.size(), 1024 + 3 * kPair);
    // Every packet boundary, and places inside packet starts, ping headers,
    // channel headers, samples and serial text.
    std::vector<std::size_t> boundaries{1024};
    for (std::size_t i = 0; i < 3; ++i) {
        boundaries.push_back(1024 + i * kPair + kPing);
        boundaries.push_back(1024 + (i + 1) * kPair);
    }
    std::vector<std::size_t> cuts = boundaries;
    for (std::size_t inside : {1, 13, 14, 100, 255, 256, 300, 320, 1000, 1400, 2431})
        cuts.push_back(1024 + kPair + inside);
    for (std::size_t inside : {2, 29, 30, 40, 127}) cuts.push_back(1024 + kPair + kPing + inside);
    for (std::size_t cut : cuts) {
        SCOPED_TRACE(cut);
        std::size_t end = 0;  // the end of the last whole packet
        for (std::size_t b : boundaries)
            if (b <= cut) end = b;
        const std::vector<std::uint8_t> b(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut));
        const Read r = readBytes(b);
        ASSERT_TRUE(r.report.headerOk);
        EXPECT_TRUE(r.report.accountsForEveryByte());
        EXPECT_EQ(r.report.headerBytes + r.report.packetBytes(), end);
        if (end == cut) {
            EXPECT_EQ(r.report.damageCount, 0u);
        } else {
            ASSERT_EQ(r.report.damageCount, 1u);
            EXPECT_EQ(r.report.damage[0].offset, end);
            EXPECT_EQ(r.report.damage[0].skippedBytes, cut - end);
        }
        EXPECT_EQ(r.c.pings.size(), (end - 1024 + kSerial) / kPair);
    }
}

TEST(XtfDamage, GarbageBetweenPacketsIsSkippedAndReported) {
    auto b = smallFile(3);
    const std::size_t at = 1024 + kPair;  // before ping 2
    std::vector<std::uint8_t> junk(777);
    for (std::size_t i = 0; i < junk.size(); ++i) junk[i] = static_cast<std::uint8_t>(i * 37 + 11);
    junk[100] = 0xCE;  // a lone half of the magic, and a whole one with a size past the end
    junk[300] = 0xCE;
    junk[301] = 0xFA;
    junk[310] = 0xFF;
    junk[311] = 0xFF;
    junk[312] = 0xFF;
    junk[313] = 0x7F;
    b.insert(b.begin() + static_cast<std::ptrdiff_t>(at), junk.begin(), junk.end());
    const Read r = readBytes(b);
    EXPECT_EQ(pingNumbers(r.c), (std::vector<std::uint32_t>{1, 2, 3}));
    EXPECT_EQ(r.c.serials.size(), 3u);
    ASSERT_EQ(r.report.damageCount, 1u);
    EXPECT_EQ(r.report.damage[0].offset, at);
    EXPECT_EQ(r.report.damage[0].skippedBytes, junk.size());
    EXPECT_EQ(r.report.skippedBytes, junk.size());
    EXPECT_TRUE(r.report.accountsForEveryByte());
}

TEST(XtfDamage, BadMagicAndImpossibleSizesAreResynchronised) {
    struct Case {
        const char* what;
        std::size_t offsetInPacket;
        std::vector<std::uint8_t> bytes;
    };
    const std::vector<Case> cases = {
        {"lost magic", 0, {0x00, 0x00}},
        {"size zero", 10, {0, 0, 0, 0}},
        {"size below a packet start", 10, {13, 0, 0, 0}},
        {"size past the end", 10, {0xFF, 0xFF, 0xFF, 0x00}},
        {"size beyond any packet", 10, {0xFF, 0xFF, 0xFF, 0xFF}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        auto b = smallFile(3);
        const std::size_t at = 1024 + kPair;  // ping 2
        std::copy(k.bytes.begin(), k.bytes.end(), b.begin() + static_cast<std::ptrdiff_t>(at + k.offsetInPacket));
        const Read r = readBytes(b);
        EXPECT_EQ(pingNumbers(r.c), (std::vector<std::uint32_t>{1, 3}));
        EXPECT_EQ(r.c.serials.size(), 3u);
        ASSERT_EQ(r.report.damageCount, 1u);
        EXPECT_EQ(r.report.damage[0].offset, at);
        EXPECT_EQ(r.report.damage[0].skippedBytes, kPing);  // up to ping 2's serial packet
        EXPECT_TRUE(r.report.accountsForEveryByte());
    }
}

TEST(XtfDamage, PingThatDoesNotFitItsFrameIsCountedAndSkipped) {
    struct Case {
        const char* what;
        std::size_t offsetInPacket;
        std::vector<std::uint8_t> bytes;
    };
    const std::vector<Case> cases = {
        {"undescribed channel", 256, {9, 0}},
        {"too many samples", 256 + 42, {0x00, 0x10, 0x00, 0x00}},
        {"more channels than the packet holds", 4, {40, 0}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        auto b = smallFile(3);
        const std::size_t at = 1024 + kPair;
        std::copy(k.bytes.begin(), k.bytes.end(), b.begin() + static_cast<std::ptrdiff_t>(at + k.offsetInPacket));
        const Read r = readBytes(b);
        EXPECT_EQ(pingNumbers(r.c), (std::vector<std::uint32_t>{1, 3}));
        EXPECT_EQ(r.report.damagedPackets, 1u);
        ASSERT_EQ(r.report.damageCount, 1u);
        EXPECT_EQ(r.report.damage[0].offset, at);
        EXPECT_EQ(r.report.damage[0].skippedBytes, 0u);
        EXPECT_EQ(r.report.packets.at(kXtfSonar).count, 3u);
        EXPECT_TRUE(r.report.accountsForEveryByte());
    }
}

TEST(XtfDamage, UnknownPacketTypesAreSkippedBySize) {
    auto b = smallFile(2);
    b[1024 + kPing + 2] = 42;  // the first serial packet becomes an unknown type
    const Read r = readBytes(b);
    EXPECT_EQ(pingNumbers(r.c), (std::vector<std::uint32_t>{1, 2}));
    EXPECT_EQ(r.c.serials.size(), 1u);
    EXPECT_EQ(r.report.packets.at(42).count, 1u);
    EXPECT_EQ(r.report.packets.at(42).bytes, kSerial);
    EXPECT_EQ(r.report.damageCount, 0u);
    EXPECT_EQ(xtfPacketTypeName(42), "type 42");
}

TEST(XtfDamage, HeadersThatAreNotXtfAreRefused) {
    const auto good = smallFile(1);
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        const char* message;
    };
    std::vector<Case> cases;
    cases.push_back({"empty", {}, "shorter than an XTF file header"});
    cases.push_back({"a data file", std::vector<std::uint8_t>(2000, '6'), "not an XTF file"});
    cases.push_back({"cut inside the header", {good.begin(), good.begin() + 700}, "ends inside its 1024-byte header"});
    auto many = good;
    many[166] = 0xFF;
    many[167] = 0xFF;
    cases.push_back({"65535 channels", many, "declares 65535 channels"});
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        const Read r = readBytes(k.bytes);
        EXPECT_FALSE(r.report.headerOk);
        EXPECT_NE(r.report.headerError.find(k.message), std::string::npos) << r.report.headerError;
        EXPECT_TRUE(r.c.packets.empty());
        EXPECT_TRUE(r.report.accountsForEveryByte());
    }
}

TEST(XtfDamage, RandomGarbageAndFlippedBytesNeverCrash) {
    std::mt19937 rng(642);
    const auto good = smallFile(4);
    for (int round = 0; round < 300; ++round) {
        std::vector<std::uint8_t> b;
        if (round % 3 == 0) {
            b.resize(rng() % 20000);
            for (auto& x : b) x = static_cast<std::uint8_t>(rng());
            if (b.size() > 0) b[0] = kXtfFileFormat;
        } else {
            b = good;
            const int flips = 1 + static_cast<int>(rng() % 40);
            for (int i = 0; i < flips; ++i) b[rng() % b.size()] = static_cast<std::uint8_t>(rng());
            if (round % 3 == 2) b.resize(rng() % b.size());
        }
        const Read r = readBytes(b);
        EXPECT_TRUE(r.report.accountsForEveryByte()) << "round " << round;
    }
}

TEST(XtfDamage, FileSourceReadsARealFileAndRefusesAFolder) {
    FileSource folder;
    EXPECT_FALSE(folder.open(HX642_BINARY_DIR));
    EXPECT_NE(folder.error().find("Cannot read"), std::string::npos);
    FileSource missing;
    EXPECT_FALSE(missing.open(std::string(HX642_BINARY_DIR) + "/no-such-file.xtf"));
}

}  // namespace
}  // namespace hx
