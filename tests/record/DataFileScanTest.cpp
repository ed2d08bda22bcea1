// The whole-file summary behind "hx642-cli info".
#include <gtest/gtest.h>

#include "RecordFakes.h"
#include "RecordSamples.h"
#include "core/ByteIO.h"
#include "record/DataFileScan.h"

namespace hx {
namespace {

using namespace rectest;

std::vector<std::uint8_t> build(SampleDocument& doc, const std::vector<std::uint32_t>& pings,
                                std::uint32_t markedPing = 0) {
    std::vector<std::uint8_t> out;
    for (std::uint32_t p : pings) {
        auto r = sampleRecordBytes(doc, p, p == markedPing ? 0x8004 : 0);
        out.insert(out.end(), r.begin(), r.end());
    }
    return out;
}

DataFileSummary scan(MemoryFileSystem& fs, const std::vector<std::uint8_t>& bytes) {
    fs.bytes("s.642") = bytes;
    auto f = fs.open("s.642", OpenMode::Read);
    return scanDataFile(*f);
}

TEST(DataFileScan, CleanFileWithGapsAndAMark) {
    MemoryFileSystem fs;
    SampleDocument doc;
    doc.setHeads({true, false, false, true});
    doc.setSystemInfo(true);
    const auto s = scan(fs, build(doc, {1, 2, 3, 6, 7, 9}, 6));
    EXPECT_EQ(s.records, 6u);
    ASSERT_EQ(s.layouts.size(), 1u);
    EXPECT_EQ(headNames(s.layouts[0].heads), "L ES");
    EXPECT_TRUE(s.layouts[0].systemInfo);
    EXPECT_EQ(s.layouts[0].recordLength, 6304u);
    EXPECT_EQ(s.firstPing, 1u);
    EXPECT_EQ(s.lastPing, 9u);
    EXPECT_EQ(s.gapCount, 2u);
    EXPECT_EQ(s.missingPings, 3u);
    ASSERT_EQ(s.gaps.size(), 2u);
    EXPECT_EQ(s.gaps[0].before, 3u);
    EXPECT_EQ(s.gaps[0].after, 6u);
    EXPECT_EQ(s.eventMarks, 1u);
    EXPECT_EQ(s.marks[0], (std::pair<std::uint32_t, int>{6, 4}));
    doc.fillForPing(1);
    EXPECT_EQ(s.startTime, doc.cycle.pingDateText + " " + doc.cycle.pingTimeText + doc.cycle.pingMillisecondsText);
    EXPECT_EQ(s.damageCount, 0u);
    EXPECT_EQ(s.trailingBytes, 0u);
}

TEST(DataFileScan, LongestPauseBetweenRecordsCountsOverMidnight) {
    MemoryFileSystem fs;
    SampleDocument doc;
    auto b = build(doc, {1, 2, 3, 4, 5});
    const std::size_t len = b.size() / 5;
    const char* times[] = {"23:59:58.500", "23:59:59.000", "00:00:03.250", "00:00:03.300", "garbage!.xyz"};
    for (std::size_t i = 0; i < 5; ++i) {
        std::copy_n(times[i], 8, b.begin() + static_cast<std::ptrdiff_t>(i * len + rec::kTimeText));
        std::copy_n(times[i] + 8, 4, b.begin() + static_cast<std::ptrdiff_t>(i * len + rec::kMillisecondsText));
    }
    const auto s = scan(fs, b);
    EXPECT_EQ(s.longestPauseMs, 4250);
    EXPECT_EQ(s.longestPauseAfterPing, 2u);
}

TEST(DataFileScan, DamageIsFoundAndPlaced) {
    MemoryFileSystem fs;
    SampleDocument doc;
    auto b = build(doc, {1, 2, 3, 4});
    const std::size_t len = b.size() / 4;
    b[len] = '?';                             // record 2: no magic
    b[2 * len + 256 + 2384 + 5] = 0;          // record 3: M block names L
    writeU16Le(b, 3 * len + 256 + 6, 5000);  // record 4: L block too long
    b.resize(b.size() + 700);                 // and a cut-off fifth record
    std::copy_n(b.begin(), 256, b.end() - 700);
    const auto s = scan(fs, b);
    EXPECT_EQ(s.records, 3u);
    EXPECT_EQ(s.damageCount, 3u);
    ASSERT_EQ(s.damage.size(), 3u);
    EXPECT_EQ(s.damage[0].offset, len);
    EXPECT_EQ(s.damage[0].bytes, len);
    EXPECT_EQ(s.damage[1].what, "ping 3: head block M names another head");
    EXPECT_EQ(s.damage[1].offset, 2 * len + 256 + 2384);
    EXPECT_EQ(s.damage[2].what, "ping 4: head block L data length above 2000");
    EXPECT_EQ(s.trailingBytes, 700u);
    EXPECT_EQ(s.gapCount, 1u);
}

TEST(DataFileScan, GarbageAndEmpty) {
    MemoryFileSystem fs;
    auto s = scan(fs, std::vector<std::uint8_t>(3000, '6'));
    EXPECT_EQ(s.records, 0u);
    EXPECT_EQ(s.damageCount, 1u);
    s = scan(fs, {});
    EXPECT_EQ(s.records, 0u);
    EXPECT_EQ(s.damageCount, 0u);
}

TEST(DataFileScan, LayoutsChangeOnReconnection) {
    MemoryFileSystem fs;
    SampleDocument doc;
    auto b = build(doc, {1, 2});
    doc.setHeads({false, true, true, false});
    auto more = build(doc, {3, 4, 5});
    b.insert(b.end(), more.begin(), more.end());
    const auto s = scan(fs, b);
    ASSERT_EQ(s.layouts.size(), 2u);
    EXPECT_EQ(s.layouts[0].records, 2u);
    EXPECT_EQ(headNames(s.layouts[1].heads), "M H");
    EXPECT_EQ(s.layouts[1].records, 3u);
    EXPECT_EQ(s.damageCount, 0u);
}

}  // namespace
}  // namespace hx
