// Playback steps over real files: forwards and backwards round the ends of
// the file, damage skipped without a hang, the status check, the GPS
// sentences replayed from a real receiver capture, the settings-change
// alarm, Hold and "Bitmap View".
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "PlaybackTestRig.h"

namespace hx {
namespace {

using namespace pbtest;
using Pings = std::vector<std::uint32_t>;

class PlaybackStepTest : public testing::Test {
protected:
    TempDir dir;
    PlaybackRig rig;
};

TEST_F(PlaybackStepTest, ForwardGoesRoundFromTheLastRecordToTheFirst) {
    const auto file = writeDataFile(dir.file("f.642"), {.records = 5});
    rig.openAndStart(file.path);
    EXPECT_EQ(rig.play(5), (Pings{1, 2, 3, 4, 5}));
    EXPECT_EQ(rig.dataFile.recordPosition, file.size);
    rig.track.trackRestart = 0;
    EXPECT_FALSE(rig.anyOverlayRow(kHeadL, 120));

    EXPECT_EQ(rig.play(1), Pings{1});
    EXPECT_EQ(rig.track.trackRestart, 1);
    // The wrap shows as a solid overlay line next to the first record's rows.
    EXPECT_TRUE(rig.anyOverlayRow(kHeadL, 120));
    EXPECT_TRUE(rig.anyOverlayRow(kHeadH, 120));
    EXPECT_EQ(rig.play(7), (Pings{2, 3, 4, 5, 1, 2, 3}));
    EXPECT_EQ(rig.state.recordsPlayed, 13u);
    EXPECT_EQ(rig.shell.pingsDrawn, 13);
    EXPECT_EQ(rig.cycle.goodCycleCount, 13);  // one count per played record
    EXPECT_EQ(rig.link.linkStale, 0);
}

TEST_F(PlaybackStepTest, ReverseContinuesFromTheFirstRecordWithTheLast) {
    const auto file = writeDataFile(dir.file("r.642"), {.records = 5});
    rig.openAndStart(file.path);
    EXPECT_EQ(rig.play(3), (Pings{1, 2, 3}));
    rig.track.trackRestart = 0;
    rig.engine.toggleReverse();
    EXPECT_TRUE(rig.state.reverse);
    EXPECT_EQ(rig.track.trackRestart, 1);
    EXPECT_TRUE(rig.shell.called("directionChanged"));
    EXPECT_EQ(rig.play(7), (Pings{4, 3, 2, 1, 5, 4, 3}));
    rig.engine.toggleReverse();
    EXPECT_EQ(rig.play(4), (Pings{2, 3, 4, 5}));
}

TEST_F(PlaybackStepTest, ReverseOpenTakesTheFirstRecordAtOnce) {
    const auto file = writeDataFile(dir.file("ro.642"), {.records = 4});
    rig.state.reverse = true;
    ASSERT_TRUE(rig.engine.openPath(file.path));
    EXPECT_EQ(rig.dataFile.pingNumber, 1u);
    EXPECT_EQ(rig.state.recordsPlayed, 1u);
    rig.fire(TimerId::PlaybackStart);
    EXPECT_EQ(rig.play(5), (Pings{4, 3, 2, 1, 4}));
}

TEST_F(PlaybackStepTest, TrailingPartOfARecordIsNeverRead) {
    auto file = writeDataFile(dir.file("t.642"), {.records = 3});
    auto bytes = readBytes(file.path);
    const std::vector<std::uint8_t> part(bytes.begin(), bytes.begin() + 3000);
    bytes.insert(bytes.end(), part.begin(), part.end());
    writeBytes(file.path, bytes);
    rig.openAndStart(file.path);
    EXPECT_EQ(rig.dataFile.usableLength, file.size);
    EXPECT_EQ(rig.play(7), (Pings{1, 2, 3, 1, 2, 3, 1}));
}

// Damage made inside the test: a lost magic, junk between two records, and
// the same read backwards. Each skip costs one step and no message.
TEST_F(PlaybackStepTest, DamagedRecordsAreSkippedBothWays) {
    auto file = writeDataFile(dir.file("d.642"), {.records = 6});
    auto bytes = readBytes(file.path);
    bytes[file.offsets[2]] = 'X';  // ping 3 has lost its magic
    writeBytes(file.path, bytes);
    rig.openAndStart(file.path);
    EXPECT_EQ(rig.play(8), (Pings{1, 2, 0, 4, 5, 6, 1, 2}));
    EXPECT_EQ(rig.state.damagedRecordsSkipped, 1u);
    EXPECT_EQ(rig.link.playbackMode, 1);
    EXPECT_TRUE(rig.notifier.messages.empty());

    // Backwards from the damaged place: the step finds the record before it.
    rig.engine.toggleReverse();
    EXPECT_EQ(rig.play(8), (Pings{0, 2, 1, 6, 5, 4, 0, 2}));
    EXPECT_EQ(rig.state.damagedRecordsSkipped, 3u);
}

TEST_F(PlaybackStepTest, JunkBetweenRecordsIsStepedOverByTheMagic) {
    auto file = writeDataFile(dir.file("j.642"), {.records = 5});
    auto bytes = readBytes(file.path);
    // 100 bytes of junk with a stray "642" in it before ping 3.
    std::vector<std::uint8_t> junk(100, 0x36);
    junk[10] = '6', junk[11] = '4', junk[12] = '2';
    bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(file.offsets[2]), junk.begin(), junk.end());
    writeBytes(file.path, bytes);
    rig.openAndStart(file.path);
    EXPECT_EQ(rig.play(7), (Pings{1, 2, 0, 3, 4, 5, 1}));
    rig.engine.toggleReverse();
    const Pings back = rig.play(8);
    // Backwards the junk is passed too, and playing goes on round the file.
    EXPECT_NE(std::find(back.begin(), back.end(), 2u), back.end());
    EXPECT_NE(std::find(back.begin(), back.end(), 4u), back.end());
    EXPECT_EQ(rig.link.playbackMode, 1);
}

TEST_F(PlaybackStepTest, AFileThatVanishesEndsPlaybackWithAMessage) {
    const auto file = writeDataFile(dir.file("v.642"), {.records = 4});
    rig.openAndStart(file.path);
    rig.play(1);
    std::filesystem::resize_file(file.path, 0);  // the medium is gone
    rig.play(2);
    EXPECT_EQ(rig.link.playbackMode, 1);  // one failure may pass
    rig.play(1);
    EXPECT_EQ(rig.link.playbackMode, 0);
    ASSERT_EQ(rig.notifier.messages.size(), 1u);
    EXPECT_EQ(rig.notifier.messages[0].text, "Error Reading File!\nPlayback will stop!");
    EXPECT_FALSE(rig.files.hasPlayback());
    EXPECT_FALSE(rig.timers.isActive(TimerId::PlaybackStep));
}

TEST_F(PlaybackStepTest, RecordsWithErrorFlagsAreNeitherDrawnNorCounted) {
    const auto file = writeDataFile(dir.file("s.642"), {.records = 4, .perPing = [](auto& doc, auto&, std::uint32_t ping) {
                                                            if (ping == 2) doc.heads.headReplyHeader[kHeadM][3] = 0x04;
                                                        }});
    rig.openAndStart(file.path);
    EXPECT_EQ(rig.play(2), (Pings{1, 2}));
    EXPECT_EQ(rig.heads.headStatus[kHeadM], 0x04);
    EXPECT_EQ(rig.state.rejectedCycles, 1u);
    EXPECT_EQ(rig.shell.rejected, 1);
    EXPECT_EQ(rig.play(2), (Pings{3, 4}));
    EXPECT_EQ(rig.shell.pingsPlayed, 3);
    EXPECT_EQ(rig.cycle.goodCycleCount, 3);
    EXPECT_EQ(rig.imaging.history.historyWriteIndex, 3);
}

TEST_F(PlaybackStepTest, HeadSetOfThePlayedFileReachesTheDocument) {
    const auto file = writeDataFile(dir.file("h.642"), {.records = 2, .heads = {false, true, true, true}});
    rig.openAndStart(file.path);
    rig.play(1);
    EXPECT_EQ(rig.heads.headAvailable, (PerHead<std::int32_t>{0, 1, 1, 1}));
    EXPECT_EQ(rig.link.availableHeadCount, 3);
    EXPECT_EQ(rig.link.allSideScansAvailable, 0);
    EXPECT_EQ(rig.link.displayHeadA, kHeadM);
}

// Sentences as a real receiver sent them (Garmin 17N, gpsd's test capture).
std::vector<std::string> garminReads() {
    std::ifstream in(std::string(HX642_SHARED_DIR) + "/corpus/nmea/garmin17n.sentences.txt");
    std::vector<std::string> reads;
    std::string line, read;
    while (std::getline(in, line)) {
        for (std::size_t at; (at = line.find("\\r")) != std::string::npos;) line.replace(at, 2, "\r");
        const bool recognised = line.rfind("$GPRMC", 0) == 0 || line.rfind("$GPGGA", 0) == 0 ||
                                line.rfind("$GPGLL", 0) == 0 || line.rfind("$GPVTG", 0) == 0;
        if (line.rfind("$GPRMC", 0) == 0 && !read.empty()) {
            reads.push_back(read);
            read.clear();
        }
        if (recognised) read += line + '\n';
    }
    if (!read.empty()) reads.push_back(read);
    return reads;
}

TEST_F(PlaybackStepTest, SentencesOfEachRecordAreParsedOncePerRead) {
    const auto reads = garminReads();
    ASSERT_GE(reads.size(), 2u);
    const auto file = writeDataFile(dir.file("g.642"), {.records = 6, .perPing = [&](auto& doc, auto&, std::uint32_t ping) {
                                                            // Three records per GPS read, as at 3 pings a second.
                                                            std::istringstream lines(reads[(ping - 1) / 3 % reads.size()]);
                                                            doc.sentences = {};
                                                            std::string s;
                                                            for (std::size_t i = 0; std::getline(lines, s) && i < 10; ++i)
                                                                doc.sentences[i] = s;
                                                        }});
    rig.openAndStart(file.path);
    rig.play(1);
    EXPECT_EQ(rig.shell.gpsReplays, 1);
    EXPECT_EQ(rig.gps.fix.latText.substr(0, 2), "52");
    EXPECT_EQ(rig.gps.fix.speedText, "0.0 Knots");
    EXPECT_EQ(rig.gps.fix.courseText, "226.0 Deg.");
    EXPECT_EQ(rig.track.trackFirstFix, 0);  // the first position became the track's origin
    // gpsd's reading of the same capture.
    EXPECT_NEAR(rig.pipeline.gpsReplay().parser().fix.gpsLatitude, 52.219065, 1e-6);
    EXPECT_NEAR(rig.pipeline.gpsReplay().parser().fix.gpsLongitude, 21.010851667, 1e-6);
    EXPECT_EQ(rig.gps.gpsSentences[0].rfind("$GPRMC,093802", 0), 0u);

    rig.play(2);
    EXPECT_EQ(rig.shell.gpsReplays, 1);  // the same read, carried by three records
    rig.play(1);
    EXPECT_EQ(rig.shell.gpsReplays, 2);
    EXPECT_EQ(rig.gps.gpsSentences[0].rfind("$GPRMC,093803", 0), 0u);
    EXPECT_EQ(rig.gps.fix.timeText, "09:38:03");

    // A jump puts the position to 0 and the next record is a fresh read.
    rig.engine.sliderReleased(0);
    EXPECT_EQ(rig.gps.fix.gpsLatitude, 0.0);
    EXPECT_EQ(rig.track.trackRestart, 1);
    rig.play(1);
    EXPECT_EQ(rig.shell.gpsReplays, 3);
    EXPECT_NEAR(rig.gps.fix.gpsLatitude, 52.219065, 1e-6);
}

TEST_F(PlaybackStepTest, SettingsChangeAlarmSoundsOnceWhereTheRangeChanges) {
    const auto recipe = FileRecipe{.records = 8, .perPing = [](auto& doc, auto&, std::uint32_t ping) {
                                   doc.heads.sideScanRange = ping <= 4 ? 50 : 75;
                                   doc.heads.headXmitControl[kHeadH] = ping == 7 ? 0x30 : 0x10;
                               }};
    const auto file = writeDataFile(dir.file("a.642"), recipe);
    rig.heads.sideScanRange = 150;  // real time's range, not the file's: the first record rings
    rig.alarm = 0;
    rig.openAndStart(file.path);
    rig.engine.toggleSettingsChangeAlarm();
    EXPECT_EQ(rig.alarm, 1);
    std::vector<int> soundsAfter;
    for (int i = 0; i < 8; ++i) {
        rig.play(1);
        soundsAfter.push_back(rig.shell.alarms);
    }
    // 150 -> 50 at the first record, 50 -> 75 at ping 5; transmit control of
    // H changes at 7 and back at 8.
    EXPECT_EQ(soundsAfter, (std::vector<int>{1, 1, 1, 1, 2, 2, 3, 4}));
    EXPECT_EQ(rig.alarm, 1);

    rig.engine.toggleSettingsChangeAlarm();
    EXPECT_EQ(rig.alarm, 0);
    rig.play(8);
    EXPECT_EQ(rig.shell.alarms, 4);
    EXPECT_EQ(rig.heads.sideScanRange, 75);
}

// A file made with the real-time settings rings nothing at its first record.
TEST_F(PlaybackStepTest, SettingsChangeAlarmIsQuietForAFileOfTheSameSettings) {
    const auto file = writeDataFile(dir.file("same.642"), {.records = 4});
    rectest::SampleDocument sample;
    sample.fillForPing(1);
    rig.heads.sideScanRange = sample.heads.sideScanRange;
    rig.heads.headXmitControl = sample.heads.headXmitControl;
    rig.heads.echoSounderRange = sample.heads.echoSounderRange;
    rig.alarm = 1;
    rig.openAndStart(file.path);
    rig.play(4);
    EXPECT_EQ(rig.shell.alarms, 0);
}

// Every step that drew rows asks the views to show them: without it the
// screen keeps the picture from before (a widget grab would not notice).
TEST_F(PlaybackStepTest, EveryDrawnStepRedrawsTheViews) {
    const auto file = writeDataFile(dir.file("redraw.642"), {.records = 6});
    rig.openAndStart(file.path);
    for (int i = 0; i < 5; ++i) {
        const int redrawsBefore = rig.shell.redraws;
        const int drawnBefore = rig.shell.pingsDrawn;
        rig.play(1);
        ASSERT_EQ(rig.shell.pingsDrawn, drawnBefore + 1);
        EXPECT_EQ(rig.shell.redraws, redrawsBefore + 1) << "step " << i;
    }
    // On Hold nothing is drawn and nothing stepped.
    rig.engine.setHold(true);
    const int redraws = rig.shell.redraws;
    rig.play(2);
    EXPECT_EQ(rig.shell.redraws, redraws);
}

TEST_F(PlaybackStepTest, HoldStopsTheStepsAndResumesThroughTheStartTimer) {
    const auto file = writeDataFile(dir.file("hold.642"), {.records = 6});
    rig.openAndStart(file.path);
    rig.play(2);
    const int drawnRows = static_cast<int>(rig.imaging.store.totalRows);
    rig.engine.toggleHold();
    EXPECT_EQ(rig.imaging.display.holdDisplay, 1);
    EXPECT_FALSE(rig.timers.isActive(TimerId::PlaybackStep));
    EXPECT_EQ(rig.play(3), (Pings{0, 0, 0}));
    rig.timers.start(TimerId::PlaybackStep, 50, false);  // a step timer left running does not step either
    EXPECT_EQ(rig.play(1), Pings{0});
    EXPECT_EQ(rig.imaging.store.totalRows, drawnRows);
    // The start timer does not start steps on Hold.
    rig.timers.start(TimerId::PlaybackStart, 100, true);
    rig.timers.stop(TimerId::PlaybackStep);
    rig.fire(TimerId::PlaybackStart);
    EXPECT_FALSE(rig.timers.isActive(TimerId::PlaybackStep));

    rig.engine.toggleHold();
    EXPECT_EQ(rig.imaging.display.holdDisplay, 0);
    EXPECT_TRUE(rig.timers.isActive(TimerId::PlaybackStart));
    EXPECT_EQ(rig.timers.intervalMs(TimerId::PlaybackStart), 100);
    rig.fire(TimerId::PlaybackStart);
    EXPECT_EQ(rig.play(2), (Pings{3, 4}));

    // The event dialog locks the hold: the command does nothing.
    rig.state.holdLocked = true;
    rig.engine.toggleHold();
    EXPECT_EQ(rig.imaging.display.holdDisplay, 0);
    rig.state.holdLocked = false;

    // A mouse press in a view pauses the steps for 100 ms.
    rig.engine.pauseStepsBriefly();
    EXPECT_FALSE(rig.timers.isActive(TimerId::PlaybackStep));
    EXPECT_EQ(rig.timers.intervalMs(TimerId::PlaybackStart), 100);
    rig.fire(TimerId::PlaybackStart);
    EXPECT_EQ(rig.play(1), Pings{5});
}

TEST_F(PlaybackStepTest, HoldInRealTimeFreezesTheDisplayOnly) {
    rig.engine.toggleHold();
    EXPECT_EQ(rig.imaging.display.holdDisplay, 1);
    EXPECT_FALSE(rig.timers.isActive(TimerId::PlaybackStart));
    rig.engine.toggleHold();
    EXPECT_EQ(rig.imaging.display.holdDisplay, 0);
    EXPECT_FALSE(rig.timers.isActive(TimerId::PlaybackStart));
    EXPECT_EQ(rig.shell.redraws, 2);
}

TEST_F(PlaybackStepTest, BitmapViewStopsStepsAndComesBackPlaying) {
    const auto file = writeDataFile(dir.file("b.642"), {.records = 6});
    rig.openAndStart(file.path);
    rig.play(3);
    rig.engine.toggleReverse();
    rig.events.autoEventInfoPopup = true;
    rig.engine.toggleHold();

    rig.engine.toggleBitmapView();
    EXPECT_FALSE(rig.state.scrolling);
    EXPECT_FALSE(rig.state.reverse);
    EXPECT_EQ(rig.imaging.display.holdDisplay, 0);
    EXPECT_FALSE(rig.events.autoEventInfoPopup);
    EXPECT_TRUE(rig.shell.called("hideEventDialog"));
    EXPECT_FALSE(rig.shell.barShown);
    EXPECT_EQ(rig.imaging.store.waterfallEnabled, 0);
    EXPECT_EQ(rig.imaging.store.validRows, 0);
    EXPECT_FALSE(rig.engine.canReverse());
    EXPECT_FALSE(rig.engine.canShowPlaybackBar());
    // Speed correction on: the page starts at the record position, the
    // range is the record count plus the image height.
    EXPECT_EQ(rig.state.page.range, 6 + rig.imaging.store.imageHeight);
    rig.fire(TimerId::PlaybackStart);
    EXPECT_EQ(rig.play(2), (Pings{0, 0}));

    rig.engine.toggleBitmapView();
    EXPECT_TRUE(rig.state.scrolling);
    EXPECT_TRUE(rig.shell.barShown);
    EXPECT_EQ(rig.imaging.store.waterfallEnabled, 1);
    EXPECT_TRUE(rig.timers.isActive(TimerId::PlaybackStep));
    EXPECT_EQ(rig.play(1).size(), 1u);
    EXPECT_GT(rig.shell.redraws, 0);
}

TEST_F(PlaybackStepTest, BitmapViewWithoutSpeedCorrectionRewindsNearTheStart) {
    const auto file = writeDataFile(dir.file("b2.642"), {.records = 6});
    rig.speed.speedCorrectionEnabled = 0;
    rig.openAndStart(file.path);
    rig.play(3);
    rig.engine.toggleBitmapView();
    // 3 records in, less than an image height: back to the first record.
    EXPECT_EQ(rig.state.page.position, 0);
    EXPECT_EQ(rig.dataFile.recordPosition, 0u);
    EXPECT_EQ(rig.state.page.range, 6);
}

}  // namespace
}  // namespace hx
