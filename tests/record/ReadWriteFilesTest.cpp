// CReadWriteFiles over files in memory and on disk: writing records from the
// document, reading them back forwards and backwards, the open checks, and
// what a failed write leaves behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "RecordFakes.h"
#include "RecordSamples.h"
#include "core/ByteIO.h"
#include "record/ReadWriteFiles.h"
#include "record/StdFileSystem.h"

namespace hx {
namespace {

using namespace rectest;

class ReadWriteFilesTest : public testing::Test {
protected:
    // Writes pings first..first+n-1 of the sample document to path.
    void writeFile(const std::string& path, std::uint32_t first, int n) {
        ASSERT_TRUE(files.createOutput(path));
        for (int i = 0; i < n; ++i) {
            state.pingNumber = first + static_cast<std::uint32_t>(i);
            src.fillForPing(state.pingNumber);
            ASSERT_EQ(files.writeRecord(src.sources()), WriteStatus::Written);
        }
        files.closeOutput();
    }

    DataFileState state;
    MemoryFileSystem fs;
    RecordingNotifier notifier;
    CReadWriteFiles files{state, fs, notifier};
    SampleDocument src;  // what is written
    SampleDocument dst;  // what is read back into
};

TEST_F(ReadWriteFilesTest, WrittenRecordsReadBackIntoTheDocument) {
    src.setHeads({true, false, true, true});
    src.setSystemInfo(true);
    src.heads.sideScanRange = 100;
    src.heads.echoSounderRange = 20;
    src.heads.headFrequency = {110000, 0, 600000, 210000};
    src.heads.headGain = {10, 0, 12, 14};
    src.heads.headXmitControl = {0x12, 0, 0x11, 0x10};
    src.gpsType = 3;
    writeFile("a.642", 1, 3);
    ASSERT_EQ(fs.bytes("a.642").size(), 3u * 8688);

    dst.sentences[5] = "stale";
    ASSERT_EQ(files.openPlayback("a.642"), OpenStatus::Opened);
    EXPECT_EQ(state.recordLength, 8688u);
    EXPECT_EQ(state.usableLength, 3u * 8688);
    auto t = dst.targets();
    for (std::uint32_t ping = 1; ping <= 3; ++ping) {
        const auto r = files.readRecord(false, t);
        ASSERT_EQ(r.status, ReadStatus::Ok);
        EXPECT_FALSE(r.damaged());
        EXPECT_EQ(state.pingNumber, ping);
        src.fillForPing(ping);
        for (int h : {0, 2, 3}) {
            EXPECT_EQ(dst.heads.headCommand[h], src.heads.headCommand[h]);
            EXPECT_EQ(dst.heads.headReplyHeader[h], src.heads.headReplyHeader[h]);
            EXPECT_TRUE(std::equal(src.heads.headDisplayLine[h].begin() + 24,
                                   src.heads.headDisplayLine[h].begin() + 2024,
                                   dst.heads.headDisplayLine[h].begin() + 24));
            EXPECT_EQ(dst.heads.headFrequency[h], src.heads.headFrequency[h]);
            EXPECT_EQ(dst.heads.headGain[h], src.heads.headGain[h]);
        }
        EXPECT_EQ(dst.heads.headAvailable, (PerHead<std::int32_t>{1, 0, 1, 1}));
        EXPECT_EQ(dst.link.availableHeadCount, 3);
        EXPECT_EQ(dst.heads.sideScanRange, 100);
        EXPECT_EQ(dst.heads.echoSounderRange, 20);
        EXPECT_EQ(dst.heads.headXmitControl[0], 0x12);
        EXPECT_EQ(dst.heads.headXmitControl[2], 0x11);
        EXPECT_EQ(dst.gpsType, 3);
        EXPECT_EQ(dst.sentences, src.sentences);
        EXPECT_EQ(dst.link.sysInfoReceived, 1);
        EXPECT_EQ(dst.link.systemInfo, src.link.systemInfo);
        EXPECT_TRUE(std::equal(dst.link.headSerialNumber.begin(), dst.link.headSerialNumber.end(),
                               src.link.systemInfo.begin() + 10));
        EXPECT_EQ(dst.link.orientationAvailable, 1);
        EXPECT_EQ(dst.cycle.pingDateText, src.cycle.pingDateText);
        EXPECT_EQ(dst.cycle.pingTimeText, src.cycle.pingTimeText);
        EXPECT_EQ(dst.cycle.pingMillisecondsText, src.cycle.pingMillisecondsText);
        LocalTime expected = src.cycle.pingTime;
        expected.dayOfWeek = dst.cycle.pingClock.dayOfWeek;
        EXPECT_EQ(dst.cycle.pingClock, expected);
        EXPECT_EQ(dst.cycle.pingInterval, 180);
    }
    EXPECT_EQ(state.firstPingNumber, 1u);
    EXPECT_EQ(files.readRecord(false, t).status, ReadStatus::EndOfFile);
}

TEST_F(ReadWriteFilesTest, NoGpsSlotReadsBackAsTheNoGpsText) {
    src.sentences = {};
    writeFile("a.642", 1, 1);
    ASSERT_EQ(files.openPlayback("a.642"), OpenStatus::Opened);
    auto t = dst.targets();
    ASSERT_EQ(files.readRecord(false, t).status, ReadStatus::Ok);
    EXPECT_EQ(dst.sentences[0], "$GPS");
    for (std::size_t i = 1; i < kSentenceSlots; ++i) EXPECT_EQ(dst.sentences[i], "");
}

TEST_F(ReadWriteFilesTest, PendingEventMarkGoesIntoExactlyOneRecord) {
    ASSERT_TRUE(files.createOutput("a.642"));
    for (std::uint32_t ping = 1; ping <= 3; ++ping) {
        state.pingNumber = ping;
        if (ping == 2) {
            state.pendingEventNumber = 5;
            state.pendingEventFlag = true;
        }
        ASSERT_EQ(files.writeRecord(src.sources()), WriteStatus::Written);
    }
    EXPECT_FALSE(state.pendingEventFlag);
    const auto& b = fs.bytes("a.642");
    const std::size_t len = state.outputRecordLength;
    EXPECT_EQ(readU16Le(b, 64), 0);
    EXPECT_EQ(readU16Le(b, len + 64), 0x8005);
    EXPECT_EQ(readU16Le(b, 2 * len + 64), 0);

    files.closeOutput();
    ASSERT_EQ(files.openPlayback("a.642"), OpenStatus::Opened);
    auto t = dst.targets();
    ASSERT_EQ(files.readRecord(false, t).status, ReadStatus::Ok);
    EXPECT_FALSE(state.eventMarkFlag);
    ASSERT_EQ(files.readRecord(false, t).status, ReadStatus::Ok);
    EXPECT_TRUE(state.eventMarkFlag);
    EXPECT_EQ(state.eventMarkNumber, 5);
}

TEST_F(ReadWriteFilesTest, BackwardsRunsFromTheFirstRecordRoundToTheLast) {
    writeFile("a.642", 1, 4);
    ASSERT_EQ(files.openPlayback("a.642"), OpenStatus::Opened);
    auto t = dst.targets();
    std::vector<std::uint32_t> pings;
    std::vector<bool> restarts;
    for (int i = 0; i < 6; ++i) {
        const auto r = files.readRecord(true, t);
        ASSERT_EQ(r.status, ReadStatus::Ok);
        pings.push_back(state.pingNumber);
        restarts.push_back(r.trackRestart);
    }
    EXPECT_EQ(pings, (std::vector<std::uint32_t>{1, 4, 3, 2, 1, 4}));
    EXPECT_EQ(restarts, (std::vector<bool>{true, true, false, false, true, true}));
}

TEST_F(ReadWriteFilesTest, ForwardsStopsAtTheLastWholeRecord) {
    writeFile("a.642", 7, 2);
    auto& b = fs.bytes("a.642");
    b.resize(b.size() + 3000, 0x55);  // a partly written third record
    ASSERT_EQ(files.openPlayback("a.642"), OpenStatus::Opened);
    EXPECT_EQ(state.usableLength, 2u * state.recordLength);
    auto t = dst.targets();
    EXPECT_EQ(files.readRecord(false, t).status, ReadStatus::Ok);
    EXPECT_EQ(files.readRecord(false, t).status, ReadStatus::Ok);
    EXPECT_EQ(files.readRecord(false, t).status, ReadStatus::EndOfFile);
    // The playback step wraps by setting the position back to the start.
    state.recordPosition = 0;
    EXPECT_EQ(files.readRecord(false, t).status, ReadStatus::Ok);
    EXPECT_EQ(state.pingNumber, 7u);
}

TEST_F(ReadWriteFilesTest, OpenChecksAndTheirMessages) {
    writeFile("TXT642", 1, 1);
    EXPECT_EQ(files.openPlayback("TXT642"), OpenStatus::Opened) << "only the last three characters count";

    fs.bytes("a.64") = fs.bytes("TXT642");
    EXPECT_EQ(files.openPlayback("a.64"), OpenStatus::WrongType);
    fs.bytes("short.642").assign(999, 0);
    EXPECT_EQ(files.openPlayback("short.642"), OpenStatus::NoData);
    EXPECT_EQ(files.openPlayback("missing.642"), OpenStatus::CannotOpen);
    EXPECT_FALSE(files.hasPlayback());
    EXPECT_EQ(notifier.texts, (std::vector<std::string>{"ERROR: Application can not recognize this file type!",
                                                        "File has no data!", "Failed to open document."}));
}

TEST_F(ReadWriteFilesTest, ReadOnlyFilePlaysButKeepsItsMarks) {
    writeFile("ro.642", 1, 2);
    fs.readOnly.insert("ro.642");
    ASSERT_EQ(files.openPlayback("ro.642"), OpenStatus::Opened);
    EXPECT_TRUE(files.playbackReadOnly());
    auto t = dst.targets();
    EXPECT_EQ(files.readRecord(false, t).status, ReadStatus::Ok);
    EXPECT_EQ(files.rewritePlayedEventMark(1, 0x8001), MarkRewrite::ReadOnly);
}

TEST_F(ReadWriteFilesTest, ArmedAlarmBecomesDueWhenRangeOrTransmitControlChanges) {
    src.heads.sideScanRange = 50;
    writeFile("a.642", 1, 1);
    src.heads.sideScanRange = 75;
    state.pingNumber = 2;
    ASSERT_TRUE(files.createOutput("b.642"));
    ASSERT_EQ(files.writeRecord(src.sources()), WriteStatus::Written);
    state.pingNumber = 3;
    src.heads.headXmitControl[1] = 0x12;
    ASSERT_EQ(files.writeRecord(src.sources()), WriteStatus::Written);
    files.closeOutput();
    auto joined = fs.bytes("a.642");
    joined.insert(joined.end(), fs.bytes("b.642").begin(), fs.bytes("b.642").end());
    fs.bytes("c.642") = joined;

    for (int armed : {0, 1}) {
        ASSERT_EQ(files.openPlayback("c.642"), OpenStatus::Opened);
        SampleDocument d;
        d.heads.sideScanRange = 50;
        d.settingsChangeAlarm = armed;
        auto t = d.targets();
        ASSERT_EQ(files.readRecord(false, t).status, ReadStatus::Ok);
        EXPECT_EQ(d.settingsChangeAlarm, armed) << "same settings";
        ASSERT_EQ(files.readRecord(false, t).status, ReadStatus::Ok);
        EXPECT_EQ(d.heads.sideScanRange, 75);
        EXPECT_EQ(d.settingsChangeAlarm, armed ? 2 : 0) << "range changed";
        d.settingsChangeAlarm = armed;
        ASSERT_EQ(files.readRecord(false, t).status, ReadStatus::Ok);
        EXPECT_EQ(d.settingsChangeAlarm, armed ? 2 : 0) << "transmit control changed";
    }
}

TEST_F(ReadWriteFilesTest, DisplayPairHookRunsAfterEveryRecord) {
    src.setHeads({false, true, false, true});
    writeFile("a.642", 1, 2);
    int calls = 0;
    files.setDisplayPairHook([&](const HeadTable& heads, LinkFields& link) {
        ++calls;
        link.displayHeadA = link.displayHeadB = heads.headAvailable[1] ? 1 : 0;
    });
    ASSERT_EQ(files.openPlayback("a.642"), OpenStatus::Opened);
    auto t = dst.targets();
    ASSERT_EQ(files.readRecord(false, t).status, ReadStatus::Ok);
    ASSERT_EQ(files.readRecord(false, t).status, ReadStatus::Ok);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(dst.link.displayHeadA, 1);
}

TEST_F(ReadWriteFilesTest, FailedWriteLeavesTheFileAtItsLastWholeRecord) {
    ASSERT_TRUE(files.createOutput("a.642"));
    state.pingNumber = 1;
    ASSERT_EQ(files.writeRecord(src.sources()), WriteStatus::Written);
    const std::size_t one = fs.bytes("a.642").size();

    fs.spaceLeft = 5000;  // less than a record: the write comes up short
    state.pingNumber = 2;
    state.pendingEventFlag = true;
    state.pendingEventNumber = 4;
    EXPECT_EQ(files.writeRecord(src.sources()), WriteStatus::Failed);
    EXPECT_EQ(fs.bytes("a.642").size(), one);
    EXPECT_EQ(files.outputSize(), one);
    EXPECT_TRUE(state.pendingEventFlag) << "the mark waits for a record that is really written";

    fs.failTruncate = true;
    EXPECT_EQ(files.writeRecord(src.sources()), WriteStatus::FailedPartial);
    EXPECT_GT(fs.bytes("a.642").size(), one);

    fs.spaceLeft.reset();
    fs.failTruncate = false;
    fs.failWrites = true;
    EXPECT_EQ(files.writeRecord(src.sources()), WriteStatus::Failed);

    files.closeOutput();
    EXPECT_EQ(files.writeRecord(src.sources()), WriteStatus::NotOpen);
}

TEST(ReadWriteFilesOnDisk, RoundTripThroughRealFiles) {
    const auto dir = std::filesystem::temp_directory_path() / ("hx642-record-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "disk.642").string();

    DataFileState state;
    StdFileSystem fs;
    RecordingNotifier notifier;
    CReadWriteFiles files(state, fs, notifier);
    SampleDocument src;
    src.setSystemInfo(true);
    ASSERT_TRUE(files.createOutput(path));
    for (std::uint32_t ping = 1; ping <= 5; ++ping) {
        state.pingNumber = ping;
        src.fillForPing(ping);
        ASSERT_EQ(files.writeRecord(src.sources()), WriteStatus::Written);
    }
    EXPECT_EQ(files.outputSize(), 5u * 11072);
    EXPECT_EQ(files.rewriteOutputEventMark(3, 0x8002), MarkRewrite::Written);
    files.closeOutput();
    EXPECT_EQ(std::filesystem::file_size(path), 5u * 11072);
    EXPECT_TRUE(fs.freeSpaceBytes(path).has_value());
    EXPECT_TRUE(fs.samePath(path, (dir / "." / "disk.642").string()));

    SampleDocument dst;
    auto t = dst.targets();
    ASSERT_EQ(files.openPlayback(path), OpenStatus::Opened);
    EXPECT_FALSE(files.playbackReadOnly());
    for (std::uint32_t ping = 1; ping <= 5; ++ping) {
        ASSERT_EQ(files.readRecord(false, t).status, ReadStatus::Ok);
        EXPECT_EQ(state.pingNumber, ping);
        EXPECT_EQ(state.eventMarkFlag, ping == 3);
        src.fillForPing(ping);
        for (int h = 0; h < kHeadCount; ++h)
            EXPECT_TRUE(std::equal(src.heads.headDisplayLine[h].begin() + 24, src.heads.headDisplayLine[h].begin() + 2024,
                                   dst.heads.headDisplayLine[h].begin() + 24))
                << "ping " << ping << " head " << h;
    }
    files.closePlayback();

    // Truncation through the real file layer.
    auto f = fs.open(path, OpenMode::ReadWrite);
    ASSERT_TRUE(f);
    EXPECT_TRUE(f->truncate(11072));
    EXPECT_EQ(f->size(), 11072u);
    f.reset();
    EXPECT_FALSE(fs.open((dir / "none.642").string(), OpenMode::Read));
    EXPECT_FALSE(fs.open(dir.string(), OpenMode::Read)) << "a folder is no data file";
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace hx
