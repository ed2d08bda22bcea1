// Rewriting the event mark of a record already on disk: the record is found
// by its own header, only header bytes 64-65 change, and nothing is written
// when the ping has no record.
#include <gtest/gtest.h>

#include "RecordFakes.h"
#include "RecordSamples.h"
#include "core/ByteIO.h"
#include "record/ReadWriteFiles.h"

namespace hx {
namespace {

using namespace rectest;

class EventMarkTest : public testing::Test {
protected:
    void writePings(const std::string& path, const std::vector<std::uint32_t>& pings) {
        ASSERT_TRUE(files.createOutput(path));
        for (std::uint32_t p : pings) {
            state.pingNumber = p;
            src.fillForPing(p);
            ASSERT_EQ(files.writeRecord(src.sources()), WriteStatus::Written);
        }
        files.closeOutput();
    }
    // The event mark field of the record at recordStart: header bytes 64 and 65.
    static std::vector<std::size_t> markField(std::size_t recordStart) { return {recordStart + 64, recordStart + 65}; }
    // Offsets at which two byte vectors differ.
    static std::vector<std::size_t> differences(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
        std::vector<std::size_t> out;
        for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i)
            if (i >= a.size() || i >= b.size() || a[i] != b[i]) out.push_back(i);
        return out;
    }

    DataFileState state;
    MemoryFileSystem fs;
    RecordingNotifier notifier;
    CReadWriteFiles files{state, fs, notifier};
    SampleDocument src;
    SampleDocument dst;
};

TEST_F(EventMarkTest, MarkLandsOnlyInTheFieldOfThatPingsRecord) {
    writePings("a.642", {1, 2, 3, 4, 5});
    const auto before = fs.bytes("a.642");
    ASSERT_EQ(files.openPlayback("a.642"), OpenStatus::Opened);
    auto t = dst.targets();
    ASSERT_EQ(files.readRecord(false, t).status, ReadStatus::Ok);  // first ping known

    EXPECT_EQ(files.rewritePlayedEventMark(4, 0x8007), MarkRewrite::Written);
    const std::size_t len = state.recordLength;
    EXPECT_EQ(differences(before, fs.bytes("a.642")), markField(3 * len));
    EXPECT_EQ(readU16Le(fs.bytes("a.642"), 3 * len + 64), 0x8007);

    EXPECT_EQ(files.rewritePlayedEventMark(4, 0), MarkRewrite::Written);
    EXPECT_EQ(fs.bytes("a.642"), before);
}

TEST_F(EventMarkTest, SkippedPingsAreFoundByTheirHeader) {
    // Pings 3 and 6 were stale and never written: arithmetic alone would hit
    // the record of ping 8 for ping 7.
    writePings("g.642", {1, 2, 4, 5, 7, 8, 9});
    const auto before = fs.bytes("g.642");
    ASSERT_EQ(files.openPlayback("g.642"), OpenStatus::Opened);
    auto t = dst.targets();
    ASSERT_EQ(files.readRecord(false, t).status, ReadStatus::Ok);
    const std::size_t len = state.recordLength;

    EXPECT_EQ(files.rewritePlayedEventMark(7, 0x8001), MarkRewrite::Written);
    EXPECT_EQ(differences(before, fs.bytes("g.642")), markField(4 * len));

    auto after = fs.bytes("g.642");
    EXPECT_EQ(files.rewritePlayedEventMark(6, 0x8002), MarkRewrite::NotFound);
    EXPECT_EQ(files.rewritePlayedEventMark(100, 0x8002), MarkRewrite::NotFound);
    EXPECT_EQ(fs.bytes("g.642"), after) << "nothing written for a ping without a record";
}

TEST_F(EventMarkTest, DamagedRecordOnTheWayIsSteppedOver) {
    writePings("d.642", {1, 2, 4, 5});
    auto& b = fs.bytes("d.642");
    const std::size_t len = b.size() / 4;
    b[len] = 'x';  // record of ping 2 lost its magic
    const auto before = b;
    ASSERT_EQ(files.openPlayback("d.642"), OpenStatus::Opened);
    EXPECT_EQ(files.rewritePlayedEventMark(5, 0x8003), MarkRewrite::Written);
    EXPECT_EQ(differences(before, fs.bytes("d.642")), markField(3 * len));
    EXPECT_EQ(files.rewritePlayedEventMark(2, 0x8003), MarkRewrite::NotFound);
}

TEST_F(EventMarkTest, CopyStartingAtALaterPing) {
    // A copy made during playback starts at the ping where copying began.
    writePings("copy.642", {120, 121, 122});
    const auto before = fs.bytes("copy.642");
    ASSERT_EQ(files.openPlayback("copy.642"), OpenStatus::Opened);
    EXPECT_EQ(files.rewritePlayedEventMark(121, 0x8163), MarkRewrite::Written);
    EXPECT_EQ(differences(before, fs.bytes("copy.642")), markField(before.size() / 3));
}

TEST_F(EventMarkTest, OutputFileWhileRecordingAndTheNextRecordStillAppends) {
    ASSERT_TRUE(files.createOutput("rec.642"));
    for (std::uint32_t p : {1u, 2u, 3u}) {
        state.pingNumber = p;
        ASSERT_EQ(files.writeRecord(src.sources()), WriteStatus::Written);
    }
    const std::size_t len = state.outputRecordLength;
    EXPECT_EQ(files.rewriteOutputEventMark(2, 0x8009), MarkRewrite::Written);
    state.pingNumber = 4;
    ASSERT_EQ(files.writeRecord(src.sources()), WriteStatus::Written);
    const auto& b = fs.bytes("rec.642");
    EXPECT_EQ(b.size(), 4 * len);
    EXPECT_EQ(readU16Le(b, len + 64), 0x8009);
    EXPECT_EQ(readU32Le(b, 3 * len + 4), 4u);
    EXPECT_EQ(files.rewriteOutputEventMark(9, 0x8009), MarkRewrite::NotFound);
    files.closeOutput();
    EXPECT_EQ(files.rewriteOutputEventMark(2, 0), MarkRewrite::NoFile);
    EXPECT_EQ(files.rewritePlayedEventMark(2, 0), MarkRewrite::NoFile);
}

}  // namespace
}  // namespace hx
