// The recorder: file names, start and stop with their messages and captions,
// the record step (numbering, stale cycles, full disk, failed writes) and
// the event file beside the data file.
#include <gtest/gtest.h>

#include "RecordFakes.h"
#include "RecordSamples.h"
#include "core/ByteIO.h"
#include "record/EventFile.h"
#include "record/Recorder.h"
#include "record/RecorderTexts.h"
#include "record/StdFileSystem.h"

#include <filesystem>

#include <unistd.h>

namespace hx {
namespace {

using namespace rectest;

TEST(RecorderNames, DefaultNameAndExtensionRules) {
    const LocalTime t{2007, 3, 4, 1, 14, 5, 9, 0};
    EXPECT_EQ(defaultDataFileName("/data/", t), "/data/070301 14-05-09.642");
    EXPECT_EQ(defaultDataFileName("", LocalTime{2026, 12, 1, 7, 0, 0, 0, 0}), "261207 00-00-00.642");
    EXPECT_EQ(withDataFileExtension("track"), "track.642");
    EXPECT_EQ(withDataFileExtension("survey642"), "survey642");
    EXPECT_EQ(withDataFileExtension("a.642"), "a.642");
    EXPECT_EQ(withDataFileExtension("a.64"), "a.64.642");
    EXPECT_EQ(withDataFileExtension("42"), "42.642");
    EXPECT_EQ(directoryOf("/data/run/a.642"), "/data/run/");
    EXPECT_EQ(directoryOf("a.642"), "");
}

TEST(RecorderNames, Captions) {
    EXPECT_EQ(realTimeCaption(), "HX642 -- Real Time ");
    EXPECT_EQ(recordingCaption("/d/a.642"), "HX642 -- Real Time - Data Recording to (/d/a.642)");
    EXPECT_EQ(playbackCaption("/d/p.642"), "HX642 -- Playback (/d/p.642) ");
    EXPECT_EQ(copyCaption("/d/p.642", "/d/c.642"), "HX642 -- Playback (/d/p.642) - Copy Data to (/d/c.642)");
    EXPECT_EQ(savedCaption("X", 0), "X  Saved: 0 kBytes");
    EXPECT_EQ(savedCaption("X", 11072 * 3), "X  Saved: 32 kBytes");
}

// A recorder with its state and ports, over a file system in memory or on disk.
template <class FileSystem>
struct RecorderRig {
    RecorderState rs;
    DataFileState ds;
    EventListState events;
    FileSystem fs;
    RecordingNotifier notifier;
    SetClock clock;
    ScriptedDialogs dialogs;
    CaptionWindow window;
    CReadWriteFiles files{ds, fs, notifier};
    CRecorder recorder{rs, ds, events, files, RecorderPorts{fs, notifier, clock, dialogs, window}};
    SampleDocument doc;
};

class RecorderTest : public testing::Test, protected RecorderRig<MemoryFileSystem> {
protected:
    std::vector<std::uint32_t> pingsIn(const std::string& path) {
        std::vector<std::uint32_t> out;
        const auto& b = fs.bytes(path);
        for (std::size_t at = 0; at + 256 <= b.size(); at += readU32Le(b, at + 8).value_or(b.size()))
            out.push_back(*readU32Le(b, at + 4));
        return out;
    }
    void step(bool stale = false) { recorder.recordStep(doc.sources(), stale, realTime); }

    PlaybackContext realTime;
    PlaybackContext playing{true, "/d/played.642"};
};

TEST_F(RecorderTest, StartInRealTimeAsksForAFileAndSetsEverythingUp) {
    rs.recordDirectory = "/d/";
    events.events.count = 3;
    ds.pingNumber = 77;
    dialogs.answer = "/d/run1";
    recorder.recordStart(realTime);
    EXPECT_EQ(dialogs.lastTitle, "Save data File:");
    EXPECT_EQ(dialogs.lastFilter, "Sonar Data File: (*.642)");
    EXPECT_EQ(dialogs.lastSuggested, "/d/070301 14-05-09.642");

    EXPECT_TRUE(rs.recording);
    EXPECT_FALSE(rs.copying);
    EXPECT_EQ(rs.outputPath, "/d/run1.642");
    EXPECT_TRUE(fs.exists("/d/run1.642"));
    EXPECT_TRUE(fs.exists("/d/run1.an"));
    EXPECT_EQ(rs.eventFilePath, "/d/run1.an");
    EXPECT_EQ(window.captions.back(), "HX642 -- Real Time - Data Recording to (/d/run1.642)");
    EXPECT_EQ(window.recent, std::vector<std::string>{"/d/run1.642"});
    EXPECT_EQ(ds.pingNumber, 1u);
    EXPECT_EQ(events.events.count, 0);
    EXPECT_TRUE(notifier.texts.empty());
}

// The save dialog opens in the record folder with the stored filter index,
// and the filter the operator left showing is kept ("Write Filter Index").
TEST_F(RecorderTest, SaveDialogStartsInTheRecordFolderAndKeepsItsFilter) {
    rs.recordDirectory = "/d/";
    rs.writeFilterIndex = 2;
    dialogs.answer = "/d/run2.642";
    dialogs.chosenFilterIndex = 1;
    recorder.recordStart(realTime);
    EXPECT_EQ(dialogs.lastStart.folder, "/d/");
    EXPECT_EQ(dialogs.lastStart.filterIndex, 2);
    EXPECT_EQ(rs.writeFilterIndex, 1);
    EXPECT_TRUE(rs.recording);
}

TEST_F(RecorderTest, CancelledDialogStartsNothing) {
    recorder.recordStart(realTime);
    EXPECT_FALSE(rs.recording);
    EXPECT_TRUE(fs.files.empty());
}

TEST_F(RecorderTest, RefusalsAndTheirMessages) {
    ASSERT_TRUE(recorder.startRecordingTo("/d/a.642", realTime));
    dialogs.answer = "/d/b.642";
    recorder.recordStart(realTime);
    EXPECT_EQ(rs.outputPath, "/d/a.642");
    recorder.recordStop(realTime);

    EXPECT_FALSE(recorder.startRecordingTo("/d/played.642", playing));
    EXPECT_FALSE(rs.recording);

    fs.unopenable.insert("/d/locked.642");
    EXPECT_FALSE(recorder.startRecordingTo("/d/locked.642", realTime));
    EXPECT_FALSE(rs.recording) << "nothing can be recorded, so no recording is claimed";

    EXPECT_EQ(notifier.texts,
              (std::vector<std::string>{"Data is already being saved to file.",
                                        "Can't write in this file ...\nThis file is used as playback.",
                                        "Failed to open document.", "Error Opening File!"}));
}

TEST_F(RecorderTest, MissingEventFileStillRecords) {
    fs.unopenable.insert("/d/a.an");
    ASSERT_TRUE(recorder.startRecordingTo("/d/a.642", realTime));
    EXPECT_TRUE(rs.recording);
    EXPECT_EQ(rs.eventFilePath, "");
    EXPECT_EQ(notifier.texts, (std::vector<std::string>{"Failed to open document.", "Error Creating Annotation File!"}));
    step();
    EXPECT_EQ(pingsIn("/d/a.642"), std::vector<std::uint32_t>{1});
    recorder.recordStop(realTime);
}

TEST_F(RecorderTest, PingsRunOneToNAndStaleCyclesLeaveGaps) {
    ASSERT_TRUE(recorder.startRecordingTo("/d/a.642", realTime));
    for (int i = 0; i < 5; ++i) step();
    EXPECT_EQ(pingsIn("/d/a.642"), (std::vector<std::uint32_t>{1, 2, 3, 4, 5}));
    step(true);
    step();
    step(true);
    step(true);
    step();
    EXPECT_EQ(pingsIn("/d/a.642"), (std::vector<std::uint32_t>{1, 2, 3, 4, 5, 7, 10}));
    recorder.recordStop(realTime);

    // A new real-time recording starts again at 1.
    ASSERT_TRUE(recorder.startRecordingTo("/d/b.642", realTime));
    step();
    EXPECT_EQ(pingsIn("/d/b.642"), std::vector<std::uint32_t>{1});
}

TEST_F(RecorderTest, CaptionCountsSavedKilobytes) {
    ASSERT_TRUE(recorder.startRecordingTo("/d/a.642", realTime));
    step();
    step();
    step();
    // Four heads, no system information: 3 x 10816 bytes = 31 kBytes.
    EXPECT_EQ(window.captions.back(), "HX642 -- Real Time - Data Recording to (/d/a.642)  Saved: 31 kBytes");
    step(true);
    EXPECT_EQ(window.captions.back(), "HX642 -- Real Time - Data Recording to (/d/a.642)  Saved: 31 kBytes");
}

TEST_F(RecorderTest, FullDiskStopsBeforeWriting) {
    ASSERT_TRUE(recorder.startRecordingTo("/d/a.642", realTime));
    step();
    events.events.count = 1;
    events.events.entries[0].number = 0;
    events.events.entries[0].ping = 1;
    fs.reportedFreeBytes = 999;
    step();
    EXPECT_FALSE(rs.recording);
    EXPECT_EQ(pingsIn("/d/a.642"), std::vector<std::uint32_t>{1});
    EXPECT_EQ(notifier.texts, std::vector<std::string>{"WARNING! The disk is full!!\nSaving process will stop!"});
    EXPECT_EQ(notifier.icons, std::vector<MessageIcon>{MessageIcon::Warning});
    EXPECT_EQ(window.captions.back(), "HX642 -- Real Time ");
    EXPECT_FALSE(fs.bytes("/d/a.an").empty()) << "the event list was written on the stop";
}

TEST_F(RecorderTest, LessThanARecordFreeAlsoStops) {
    ASSERT_TRUE(recorder.startRecordingTo("/d/a.642", realTime));
    fs.reportedFreeBytes = 5000;  // above 1000 bytes but below one record
    step();
    EXPECT_FALSE(rs.recording);
    EXPECT_TRUE(fs.bytes("/d/a.642").empty());
}

TEST_F(RecorderTest, FailedWriteStopsWithAMessageAndKeepsWholeRecords) {
    ASSERT_TRUE(recorder.startRecordingTo("/d/a.642", realTime));
    step();
    step();
    fs.failWritesTo.insert("/d/a.642");
    step();
    EXPECT_FALSE(rs.recording);
    EXPECT_EQ(notifier.texts, std::vector<std::string>{"Error Writing File!\nSaving process will stop!"});
    EXPECT_EQ(pingsIn("/d/a.642"), (std::vector<std::uint32_t>{1, 2}));

    // Running out of room in the middle of a record is the full disk.
    notifier.texts.clear();
    ASSERT_TRUE(recorder.startRecordingTo("/d/b.642", realTime));
    step();
    fs.spaceLeft = 20000;
    step();
    step();  // the free-space check sees that a third record would not fit
    EXPECT_FALSE(rs.recording);
    EXPECT_EQ(notifier.texts, std::vector<std::string>{"WARNING! The disk is full!!\nSaving process will stop!"});
    EXPECT_EQ(fs.bytes("/d/b.642").size(), 2u * 10816);
}

TEST_F(RecorderTest, AFileCutOrRemovedByAnotherProgramStopsRecordingAndKeepsWhatItCan) {
    // Cut short: nothing is written after the cut (no hole of zeros).
    ASSERT_TRUE(recorder.startRecordingTo("/d/cut.642", realTime));
    step();
    step();
    fs.bytes("/d/cut.642").resize(100);
    step();
    EXPECT_FALSE(rs.recording);
    EXPECT_EQ(fs.bytes("/d/cut.642").size(), 100u);
    ASSERT_EQ(notifier.texts.size(), 1u);
    EXPECT_EQ(notifier.texts[0], "/d/cut.642 was cut short by another program!\nSaving process will stop!");

    // Removed: everything recorded is written out again under a new name.
    notifier.texts.clear();
    ASSERT_TRUE(recorder.startRecordingTo("/d/gone.642", realTime));
    step();
    step();
    const std::vector<std::uint8_t> recorded = fs.bytes("/d/gone.642");
    fs.files.erase("/d/gone.642");
    step();
    EXPECT_FALSE(rs.recording);
    EXPECT_EQ(fs.bytes("/d/gone-recovered.642"), recorded);
    EXPECT_EQ(pingsIn("/d/gone-recovered.642"), (std::vector<std::uint32_t>{1, 2}));
    ASSERT_EQ(notifier.texts.size(), 1u);
    EXPECT_EQ(notifier.texts[0],
              "/d/gone.642 was removed by another program!\nWhat was recorded is saved in /d/gone-recovered.642."
              "\nSaving process will stop!");
}

TEST(RecorderOnDisk, ARemovedRecordingIsSavedAgainFromTheOpenFile) {
    namespace stdfs = std::filesystem;
    const stdfs::path dir = stdfs::temp_directory_path() / ("hx642-recorder-removed-" + std::to_string(::getpid()));
    stdfs::remove_all(dir);
    stdfs::create_directories(dir);
    RecorderRig<StdFileSystem> rig;
    auto& [rs, ds, events, fs, notifier, clock, dialogs, window, files, recorder, doc] = rig;
    const std::string path = (dir / "run.642").string();
    ASSERT_TRUE(recorder.startRecordingTo(path, {}));
    for (int i = 0; i < 3; ++i) recorder.recordStep(doc.sources(), false, {});
    const auto recordedBytes = stdfs::file_size(path);
    stdfs::remove(path);  // a clean-up script, or a slip in a file manager
    recorder.recordStep(doc.sources(), false, {});
    EXPECT_FALSE(rs.recording);
    const stdfs::path recovered = dir / "run-recovered.642";
    ASSERT_TRUE(stdfs::exists(recovered)) << (notifier.texts.empty() ? "" : notifier.texts[0]);
    EXPECT_EQ(stdfs::file_size(recovered), recordedBytes);
    stdfs::remove_all(dir);
}

TEST_F(RecorderTest, ALongRecordingSplitsIntoFilesThatCarryOnThePingNumbers) {
    const std::uint64_t record = 10816;
    const struct {
        const char* name;
        SplitRule rule;
        std::uint32_t msPerPing;
        std::vector<std::vector<std::uint32_t>> files;
    } cases[] = {
        {"size", {2 * record + 100, 0}, 100, {{1, 2}, {3, 4}, {5, 6}, {7}}},
        {"time", {0, 1}, 25000, {{1, 2, 3}, {4, 5, 6}, {7}}},  // a file runs its minute, then the next record moves on
        {"too small for one record", {100, 0}, 100, {{1}, {2}, {3}, {4}, {5}, {6}, {7}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs.files.clear();
        rs.split = c.rule;
        clock.tick = 4294960000u;  // the tick counter wraps during the recording
        ASSERT_TRUE(recorder.startRecordingTo("/d/run", realTime));
        for (int ping = 1; ping <= 7; ++ping) {
            step();
            clock.tick += c.msPerPing;
        }
        recorder.recordStop(realTime);
        for (std::size_t i = 0; i < c.files.size(); ++i) {
            const std::string path = splitFileName("/d/run.642", static_cast<int>(i + 1));
            EXPECT_EQ(pingsIn(path), c.files[i]) << path;
            EXPECT_TRUE(fs.files.count(eventFilePathFor(path))) << path;
        }
        EXPECT_FALSE(fs.files.count(splitFileName("/d/run.642", static_cast<int>(c.files.size() + 1))));
        EXPECT_TRUE(notifier.texts.empty());
    }
    EXPECT_EQ(splitFileName("/d/run.642", 1), "/d/run.642");
    EXPECT_EQ(splitFileName("/d/run.642", 12), "/d/run-012.642");
    EXPECT_EQ(splitFileName("/d/survey642", 2), "/d/survey642-002");
}

TEST_F(RecorderTest, StopWritesTheEventListBesideTheDataFile) {
    ASSERT_TRUE(recorder.startRecordingTo("/d/a.642", realTime));
    step();
    EventEntry& e = events.events.entries[0];
    e.number = 0;
    e.ping = 1;
    e.position = 0.5;
    e.latitude = e.longitude = e.date = e.time = "x\n";
    e.annotation = "n/a\n";
    events.events.count = 1;
    recorder.recordStop(realTime);
    EXPECT_FALSE(rs.recording);
    EXPECT_FALSE(files.hasOutput());
    const auto& text = fs.bytes("/d/a.an");
    EXPECT_EQ(std::string(text.begin(), text.end()), "0\n1\n0.500000\nx\nx\nx\nx\nn/a\n");
    EXPECT_EQ(window.captions.back(), "HX642 -- Real Time ");
    recorder.recordStop(realTime);  // a second stop does nothing
    EXPECT_EQ(window.captions.size(), 3u);
}

TEST_F(RecorderTest, CopyKeepsTheSourcePingsAndGetsOnlyTheCopyEvents) {
    events.events.count = 2;  // the played file's events
    events.events.entries[0].number = 0;
    events.events.entries[1].number = 1;
    events.enableEventInput = true;
    ASSERT_TRUE(recorder.startRecordingTo("/d/copy.642", playing));
    EXPECT_TRUE(rs.copying);
    EXPECT_FALSE(events.enableEventInput);
    EXPECT_EQ(events.events.count, 2) << "the played file keeps its events";
    EXPECT_EQ(window.captions.back(), "HX642 -- Playback (/d/played.642) - Copy Data to (/d/copy.642)");

    for (std::uint32_t ping : {500u, 501u, 502u}) {
        ds.pingNumber = ping;  // as the reader leaves it
        recorder.recordStep(doc.sources(), false, playing);
        EXPECT_EQ(ds.pingNumber, ping) << "not advanced during playback";
    }
    EXPECT_EQ(pingsIn("/d/copy.642"), (std::vector<std::uint32_t>{500, 501, 502}));

    recorder.recordStop(playing);
    EXPECT_FALSE(rs.copying);
    EXPECT_TRUE(fs.bytes("/d/copy.an").empty()) << "no events passed while copying";
    EXPECT_EQ(window.captions.back(), "HX642 -- Playback (/d/played.642) ");

    ASSERT_TRUE(recorder.startRecordingTo("/d/copy2.642", playing));
    events.copyEvents.entries[0] = events.events.entries[1];
    events.copyEvents.entries[0].ping = 501;
    events.copyEvents.count = 1;
    recorder.recordStop(playing);
    EventList back;
    const auto& text = fs.bytes("/d/copy2.an");
    parseEventFile(std::string(text.begin(), text.end()), back);
    ASSERT_EQ(back.count, 1);
    EXPECT_EQ(back.entries[0].ping, 501);
}

TEST_F(RecorderTest, NothingHappensWhenNotRecording) {
    step();
    EXPECT_TRUE(fs.files.empty());
    EXPECT_TRUE(window.captions.empty());
}

}  // namespace
}  // namespace hx
