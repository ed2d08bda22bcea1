// Damaged data files made here: cut-off records, lost magic, blocks that name
// another head or carry too much data, garbage, empty files, junk before and
// after the records. Each is read without a crash and without reading past
// a buffer, and with the results written down below.
#include <gtest/gtest.h>

#include "RecordFakes.h"
#include "RecordSamples.h"
#include "core/ByteIO.h"
#include "record/ReadWriteFiles.h"

namespace hx {
namespace {

using namespace rectest;

class DamagedFileTest : public testing::Test {
protected:
    // n records of all four heads (8432 bytes each without system information).
    std::vector<std::uint8_t> records(std::uint32_t first, int n) {
        std::vector<std::uint8_t> out;
        for (int i = 0; i < n; ++i) {
            auto r = sampleRecordBytes(src, first + static_cast<std::uint32_t>(i));
            out.insert(out.end(), r.begin(), r.end());
        }
        return out;
    }
    std::vector<std::uint32_t> playForwards(int steps) {
        std::vector<std::uint32_t> pings;
        auto t = dst.targets();
        for (int i = 0; i < steps; ++i) {
            const auto r = files.readRecord(false, t);
            if (r.status == ReadStatus::Ok) pings.push_back(state.pingNumber);
            if (r.status == ReadStatus::EndOfFile) break;
        }
        return pings;
    }

    static constexpr std::size_t kLen = 256 + 4 * 2384 + 1024;  // 10816
    DataFileState state;
    MemoryFileSystem fs;
    RecordingNotifier notifier;
    CReadWriteFiles files{state, fs, notifier};
    SampleDocument src;
    SampleDocument dst;
};

TEST_F(DamagedFileTest, CutOffLastRecordIsNeverRead) {
    // Cut inside the header, after it, inside a head block, inside the
    // sentence block and one byte short of the end.
    for (std::size_t keep : {std::size_t{1}, std::size_t{100}, std::size_t{256}, std::size_t{3000}, kLen - 500,
                             kLen - 1}) {
        SCOPED_TRACE(keep);
        auto b = records(1, 3);
        b.resize(2 * kLen + keep);
        fs.bytes("cut.642") = b;
        ASSERT_EQ(files.openPlayback("cut.642"), OpenStatus::Opened);
        EXPECT_EQ(state.usableLength, 2 * kLen);
        EXPECT_EQ(playForwards(10), (std::vector<std::uint32_t>{1, 2}));
    }
}

TEST_F(DamagedFileTest, LostMagicIsPassedByResynchronising) {
    auto b = records(1, 4);
    b[kLen + 0] = 'X';  // record 2 has no magic
    fs.bytes("m.642") = b;
    ASSERT_EQ(files.openPlayback("m.642"), OpenStatus::Opened);
    auto t = dst.targets();
    ASSERT_EQ(files.readRecord(false, t).status, ReadStatus::Ok);
    const auto r = files.readRecord(false, t);
    EXPECT_EQ(r.status, ReadStatus::NoRecord);
    EXPECT_TRUE(r.resyncFound);
    EXPECT_EQ(state.recordPosition, 2 * kLen) << "the next record start, found by its header";
    ASSERT_EQ(files.readRecord(false, t).status, ReadStatus::Ok);
    EXPECT_EQ(state.pingNumber, 3u);
}

TEST_F(DamagedFileTest, MagicInsideEchoDataIsNoRecordStart) {
    // Echo data of record 1 full of "642" and a wrong length after it.
    auto b = records(1, 3);
    for (std::size_t at = 256 + 384; at + 3 < 256 + 384 + 2000; at += 7) {
        b[at] = '6';
        b[at + 1] = '4';
        b[at + 2] = '2';
    }
    // And one "642" that looks like a header but gives the wrong length.
    b[3000] = '6';
    b[3001] = '4';
    b[3002] = '2';
    fs.bytes("e.642") = b;
    ASSERT_EQ(files.openPlayback("e.642"), OpenStatus::Opened);
    EXPECT_TRUE(files.resynchronise(1));
    EXPECT_EQ(state.recordPosition, kLen);
    // Half way into the file lands on the first record that starts after it.
    EXPECT_TRUE(files.resynchronise(state.usableLength / 2));
    EXPECT_EQ(state.recordPosition, 2 * kLen);
    EXPECT_FALSE(files.resynchronise(2 * kLen + 1));
    EXPECT_EQ(state.recordPosition, state.usableLength) << "nothing after: forward playback goes round";
}

TEST_F(DamagedFileTest, BlockNamingAnotherHeadLeavesThatHeadAlone) {
    auto b = records(1, 2);
    b[256 + 2384 + 5] = 3;  // the M block of record 1 says ES
    fs.bytes("h.642") = b;
    ASSERT_EQ(files.openPlayback("h.642"), OpenStatus::Opened);
    dst.heads.headDisplayLine[1].fill(0xEE);
    auto t = dst.targets();
    const auto r = files.readRecord(false, t);
    ASSERT_EQ(r.status, ReadStatus::Ok);
    EXPECT_TRUE(r.damaged());
    EXPECT_EQ(r.blocks[1], BlockStatus::WrongHead);
    EXPECT_EQ(dst.heads.headDisplayLine[1][24], 0xEE) << "nothing of the damaged block taken";
    src.fillForPing(1);
    EXPECT_EQ(dst.heads.headDisplayLine[2], src.heads.headDisplayLine[2]) << "the blocks after it keep their place";
    EXPECT_EQ(dst.heads.headDisplayLine[3], src.heads.headDisplayLine[3]);
    EXPECT_EQ(dst.sentences, src.sentences);
    ASSERT_EQ(files.readRecord(false, t).status, ReadStatus::Ok);
    EXPECT_EQ(state.pingNumber, 2u) << "the next record from its own position";
}

TEST_F(DamagedFileTest, DataLengthAboveTheDisplayLineIsRefused) {
    auto b = records(1, 1);
    writeU16Le(b, 256 + 6, 5000);
    writeU16Le(b, 256 + 3 * 2384 + 6, 65535);
    b.resize(b.size() + 20000, 0xAB);  // room that a careless reader would run into
    fs.bytes("d.642") = b;
    ASSERT_EQ(files.openPlayback("d.642"), OpenStatus::Opened);
    dst.heads.headDisplayLine[0].fill(0x11);
    auto t = dst.targets();
    const auto r = files.readRecord(false, t);
    ASSERT_EQ(r.status, ReadStatus::Ok);
    EXPECT_EQ(r.blocks[0], BlockStatus::DataTooLong);
    EXPECT_EQ(r.blocks[3], BlockStatus::DataTooLong);
    EXPECT_EQ(r.blocks[1], BlockStatus::Ok);
    DisplayLine untouched;
    untouched.fill(0x11);
    EXPECT_EQ(dst.heads.headDisplayLine[0], untouched);
}

TEST_F(DamagedFileTest, GarbageAndEmptyFilesHaveNoData) {
    std::vector<std::uint8_t> garbage(50000);
    for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<std::uint8_t>((i * 7919) >> 3);
    fs.bytes("g.642") = garbage;
    fs.bytes("empty.642").clear();
    EXPECT_EQ(files.openPlayback("g.642"), OpenStatus::NoData);
    EXPECT_EQ(files.openPlayback("empty.642"), OpenStatus::NoData);
    EXPECT_EQ(notifier.texts, (std::vector<std::string>{"File has no data!", "File has no data!"}));
    EXPECT_FALSE(files.hasPlayback());
    auto t = dst.targets();
    EXPECT_EQ(files.readRecord(false, t).status, ReadStatus::NotOpen);
}

TEST_F(DamagedFileTest, TrailingJunkEndsTheFile) {
    auto b = records(1, 2);
    std::vector<std::uint8_t> junk(kLen + 10, '6');  // a whole record's worth of junk
    b.insert(b.end(), junk.begin(), junk.end());
    fs.bytes("j.642") = b;
    ASSERT_EQ(files.openPlayback("j.642"), OpenStatus::Opened);
    EXPECT_EQ(state.usableLength, 3 * kLen);
    auto t = dst.targets();
    EXPECT_EQ(files.readRecord(false, t).status, ReadStatus::Ok);
    EXPECT_EQ(files.readRecord(false, t).status, ReadStatus::Ok);
    const auto r = files.readRecord(false, t);
    EXPECT_EQ(r.status, ReadStatus::NoRecord);
    EXPECT_FALSE(r.resyncFound);
    EXPECT_EQ(files.readRecord(false, t).status, ReadStatus::EndOfFile);
}

TEST_F(DamagedFileTest, LeadingJunkIsSteppedOver) {
    std::vector<std::uint8_t> b(1234, 0x36);
    auto r = records(10, 3);
    b.insert(b.end(), r.begin(), r.end());
    fs.bytes("l.642") = b;
    ASSERT_EQ(files.openPlayback("l.642"), OpenStatus::Opened);
    EXPECT_EQ(state.firstRecordOffset, 1234u);
    EXPECT_EQ(state.usableLength, 1234u + 3 * kLen);
    EXPECT_EQ(playForwards(10), (std::vector<std::uint32_t>{10, 11, 12}));
    // Backwards still goes round from the first record to the last.
    state.recordPosition = state.firstRecordOffset;
    auto t = dst.targets();
    ASSERT_EQ(files.readRecord(true, t).status, ReadStatus::Ok);
    ASSERT_EQ(files.readRecord(true, t).status, ReadStatus::Ok);
    EXPECT_EQ(state.pingNumber, 12u);
}

TEST_F(DamagedFileTest, RecordsOfAnotherLengthAfterReconnection) {
    // Three records of four heads, then two of L and ES only, then a cut one.
    auto b = records(1, 3);
    src.setHeads({true, false, false, true});
    auto more = records(4, 3);
    b.insert(b.end(), more.begin(), more.end() - 100);
    fs.bytes("r.642") = b;
    ASSERT_EQ(files.openPlayback("r.642"), OpenStatus::Opened);
    const auto pings = playForwards(10);
    // The usable length counts in records of the first length; a record
    // that starts before it and ends within the file is still read, the
    // cut-off one never.
    EXPECT_EQ(pings.front(), 1u);
    EXPECT_LE(state.recordPosition, b.size());
    for (std::size_t i = 1; i < pings.size(); ++i) EXPECT_EQ(pings[i], pings[i - 1] + 1);
    EXPECT_EQ(pings.size(), 5u);
}

}  // namespace
}  // namespace hx
