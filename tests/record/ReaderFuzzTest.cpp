// Random bytes and randomly damaged copies of a good file fed to the reader,
// the resynchronisation, the event-mark rewrite and the file scan. Seeds are
// fixed so that a failure can be repeated. Every loop is bounded.
#include <gtest/gtest.h>

#include <random>

#include "RecordFakes.h"
#include "RecordSamples.h"
#include "record/DataFileScan.h"
#include "record/ReadWriteFiles.h"

namespace hx {
namespace {

using namespace rectest;

// Opens the file and plays it in both directions for a while; checks that
// the position never leaves the file and that a mark rewrite never grows it.
void exercise(MemoryFileSystem& fs, std::mt19937& rng) {
    DataFileState state;
    RecordingNotifier notifier;
    CReadWriteFiles files(state, fs, notifier);
    SampleDocument dst;
    dst.settingsChangeAlarm = 1;
    auto t = dst.targets();
    if (files.openPlayback("f.642") != OpenStatus::Opened) return;
    const std::uint64_t size = fs.bytes("f.642").size();
    ASSERT_LE(state.usableLength, size);
    for (int i = 0; i < 60; ++i) {
        const bool reverse = rng() % 3 == 0;
        const auto r = files.readRecord(reverse, t);
        ASSERT_LE(state.recordPosition, size);
        if (r.status == ReadStatus::EndOfFile) state.recordPosition = 0;  // as the playback step wraps
        if (rng() % 10 == 0) files.resynchronise(rng() % (size + 1));
        if (rng() % 15 == 0) files.rewritePlayedEventMark(static_cast<std::uint32_t>(rng() % 50), 0x8001);
        ASSERT_EQ(fs.bytes("f.642").size(), size) << "a mark rewrite never grows the file";
    }
    auto f = fs.open("f.642", OpenMode::Read);
    const auto s = scanDataFile(*f);
    EXPECT_LE(s.trailingBytes, size);
}

TEST(ReaderFuzz, RandomBytes) {
    std::mt19937 rng(642);
    for (int round = 0; round < 60; ++round) {
        MemoryFileSystem fs;
        auto& b = fs.bytes("f.642");
        b.resize(rng() % 60000);
        for (auto& x : b) x = static_cast<std::uint8_t>(rng());
        // Sprinkle magics so that the header checks are reached.
        for (int k = 0; k < 20 && b.size() > 3; ++k) {
            const std::size_t at = rng() % (b.size() - 3);
            b[at] = '6';
            b[at + 1] = '4';
            b[at + 2] = '2';
        }
        exercise(fs, rng);
    }
}

TEST(ReaderFuzz, DamagedCopiesOfAGoodFile) {
    SampleDocument doc;
    std::vector<std::uint8_t> good;
    for (std::uint32_t p = 1; p <= 8; ++p) {
        doc.setHeads(headSet(1 + p % 15));
        doc.setSystemInfo(p % 2 == 0);
        auto r = sampleRecordBytes(doc, p, p == 4 ? 0x8002 : 0);
        good.insert(good.end(), r.begin(), r.end());
    }
    std::mt19937 rng(2026);
    for (int round = 0; round < 120; ++round) {
        MemoryFileSystem fs;
        auto& b = fs.bytes("f.642");
        b = good;
        b.resize(rng() % (good.size() + 1));  // a random cut
        const int flips = static_cast<int>(rng() % 40);
        for (int k = 0; k < flips && !b.empty(); ++k) b[rng() % b.size()] = static_cast<std::uint8_t>(rng());
        // Now and then a header field set to something hostile.
        if (b.size() > 300 && rng() % 2) {
            const std::size_t rec = 0;
            b[rec + 8 + rng() % 4] = static_cast<std::uint8_t>(rng());
            b[rec + 256 + 6] = 0xFF;
            b[rec + 256 + 7] = 0xFF;
        }
        exercise(fs, rng);
    }
}

}  // namespace
}  // namespace hx
