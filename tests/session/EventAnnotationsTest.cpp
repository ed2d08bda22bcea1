// Events on real data files: entered at a clicked row, edited, reviewed and
// deleted in playback of a file the recorder's writer made, with the event
// file's bytes and the records' event marks before and after; the same on
// read-only media; entered while recording in real time; the event shown
// when a marked record is played; the hold lock.
#include <gtest/gtest.h>

#include "link/CycleStatus.h"
#include "link/DataReply.h"
#include "link/LinkDefaults.h"
#include "record/EventFile.h"
#include "session/EventAnnotations.h"
#include "tests/session/PlaybackTestRig.h"

namespace hx {
namespace {

using pbtest::FileRecipe;
using pbtest::readBytes;
using pbtest::TempDir;
using pbtest::writeDataFile;

class DialogSpy final : public IEventDialog {
public:
    void showInput(const EventFields& f, bool e) override {
        fields = f;
        editing = e;
        shown = "input";
        ++inputs;
    }
    void showEvent(const EventFields& f) override {
        fields = f;
        shown = "event";
        ++events;
    }
    void hide() override { shown.clear(); }

    EventFields fields;
    bool editing = false;
    std::string shown;  // "", "input" or "event"
    int inputs = 0, events = 0;
};

std::uint16_t markAt(const std::string& path, std::uint64_t recordOffset) {
    const std::vector<std::uint8_t> b = readBytes(path);
    if (b.size() < recordOffset + 66) return 0xFFFF;
    return static_cast<std::uint16_t>(b[recordOffset + 64] | (b[recordOffset + 65] << 8));
}

class EventAnnotationsTest : public ::testing::Test {
protected:
    EventAnnotationsTest() {
        // One row per ping, so that every ping has a row to click.
        rig.speed.speedCorrectionEnabled = 0;
        rig.imaging.store.imageWidth = rig.imaging.store.imageHeight = 120;  // as allocated
        rig.pipeline.setEventStep([this](PingOrigin origin, const PingOutcome& out) {
            if (origin == PingOrigin::Played) events.onPlayedPing(out);
        });
    }

    // The newest row the ping drew.
    int rowOf(std::int32_t ping) const {
        const RowMetaRing& rows = rig.imaging.store.rowMeta;
        for (int r = 0; r < rows.size(); ++r)
            if (rows.at(r).pingNumber == ping && rows.at(r).stamp[0]) return r;
        return -1;
    }

    // Plays until the ping has been drawn (and a few more).
    void playPast(std::int32_t ping) {
        for (int i = 0; i < 200 && static_cast<std::int32_t>(rig.dataFile.pingNumber) < ping + 3; ++i) rig.play(1);
        ASSERT_GE(rowOf(ping), 0) << "ping " << ping << " is not in the image";
    }

    TempDir dir;
    pbtest::PlaybackRig rig;
    DialogSpy dialog;
    int redraws = 0;
    EventAnnotations events{
        EventDocument{rig.events, rig.dataFile, rig.recorderState, rig.link, rig.state, rig.imaging, rig.cycle},
        EventPorts{rig.files, rig.engine, rig.notifier, dialog, [this] { ++redraws; }}};
};

TEST_F(EventAnnotationsTest, EnteredEditedReviewedAndDeletedInPlayback) {
    const auto file = writeDataFile(dir.file("survey.642"), {.records = 40});
    const std::string eventPath = dir.file("survey.an");
    rig.openAndStart(file.path);
    playPast(15);

    // Nothing happens on a click until event input is switched on.
    EXPECT_FALSE(events.clickAt(60, rowOf(12)));
    ASSERT_TRUE(events.canEnableInput());
    events.toggleEnableInput();

    const auto offset = [&](std::uint32_t ping) { return file.offsets[ping - 1]; };
    EXPECT_EQ(markAt(file.path, offset(12)), 0);
    const RowMeta& row12 = rig.imaging.store.rowMeta.at(rowOf(12));
    ASSERT_TRUE(events.clickAt(30, rowOf(12)));
    EXPECT_EQ(dialog.shown, "input");
    EXPECT_FALSE(dialog.editing);
    EXPECT_EQ(dialog.fields.number, 0) << "the first event of a file is number 0";
    EXPECT_EQ(dialog.fields.ping, 12);
    EXPECT_EQ(dialog.fields.time, StampTimeText(row12.stamp));
    EXPECT_EQ(dialog.fields.date, rig.cycle.pingDateText);
    EXPECT_EQ(dialog.fields.latitude, row12.gps.text[kGpsLatText]);
    EXPECT_TRUE(rig.state.holdLocked) << "the open dialog locks Hold";
    events.ok("0", "wreck, port side");
    EXPECT_EQ(dialog.shown, "");
    EXPECT_FALSE(rig.state.holdLocked);
    EXPECT_EQ(markAt(file.path, offset(12)), 0x8000) << "the record of ping 12 carries event 0";
    EXPECT_EQ(markAt(file.path, offset(11)), 0);
    EXPECT_EQ(markAt(file.path, offset(13)), 0);

    // A second event on the same ping, left without text, and one on ping 15.
    ASSERT_TRUE(events.clickAt(90, rowOf(12)));
    EXPECT_EQ(dialog.fields.number, 1);
    events.ok("1", "");
    EXPECT_EQ(markAt(file.path, offset(12)), 0x8001);
    ASSERT_TRUE(events.clickAt(120, rowOf(15)));
    events.ok(" 7 ", "rock\noutcrop");
    ASSERT_TRUE(events.clickAt(0, rowOf(14)));
    EXPECT_EQ(dialog.fields.number, 8) << "one more than the largest number";
    events.ok("100", "x");
    EXPECT_EQ(rig.notifier.messages.back().text, "Enter an integer between 0 and 99.");
    events.ok("7", "x");
    EXPECT_EQ(rig.notifier.messages.back().text, kEventNumberTakenText);
    events.cancel();
    EXPECT_EQ(markAt(file.path, offset(14)), 0) << "a cancelled event writes nothing";

    const EventList& list = rig.events.events;
    ASSERT_EQ(list.count, 3);
    EXPECT_EQ(list.entries[0].number, 0);
    EXPECT_EQ(list.entries[1].number, 1) << "same ping: in the order entered";
    EXPECT_EQ(list.entries[2].number, 7);
    EXPECT_EQ(list.entries[1].annotation, "n/a\n");
    EXPECT_EQ(list.entries[2].annotation, "rock outcrop\n");
    EXPECT_DOUBLE_EQ(list.entries[0].position, 0.25) << "30 of 120 pixels";

    // Review: Hold on, first event, NEXT and PREV within the list.
    events.toggleReview();
    EXPECT_TRUE(events.reviewing());
    EXPECT_EQ(rig.imaging.display.holdDisplay, 1);
    EXPECT_TRUE(rig.state.holdLocked);
    EXPECT_EQ(dialog.shown, "event");
    EXPECT_EQ(dialog.fields.number, 0);
    events.next();
    events.next();
    events.next();
    EXPECT_EQ(dialog.fields.number, 7) << "NEXT stops at the last event";
    events.prev();
    EXPECT_EQ(dialog.fields.number, 1);
    rig.engine.toggleHold();
    EXPECT_EQ(rig.imaging.display.holdDisplay, 1) << "the hold lock holds";

    // EDIT replaces the annotation of the event shown, and only that.
    events.edit();
    EXPECT_EQ(dialog.shown, "input");
    EXPECT_TRUE(dialog.editing);
    events.ok("55", "edited text");
    EXPECT_EQ(list.entries[1].annotation, "edited text\n");
    EXPECT_EQ(list.entries[1].number, 1);
    EXPECT_FALSE(events.reviewing());
    EXPECT_EQ(rig.imaging.display.holdDisplay, 0) << "Hold the review switched on goes off";

    // DELETE: the ping keeps a mark while an event of it remains.
    events.toggleReview();
    events.next();
    ASSERT_EQ(dialog.fields.number, 1);
    rig.notifier.answer = Answer::No;
    events.remove();
    EXPECT_EQ(list.count, 3) << "answered No";
    EXPECT_EQ(rig.notifier.messages.back().text, "Do you really want to delete this event?");
    rig.notifier.answer = Answer::Yes;
    events.remove();
    ASSERT_EQ(list.count, 2);
    EXPECT_EQ(markAt(file.path, offset(12)), 0x8000) << "names the event that remains";
    EXPECT_EQ(dialog.fields.number, 7) << "the next event is shown";
    events.prev();
    events.remove();
    EXPECT_EQ(markAt(file.path, offset(12)), 0) << "no event left on ping 12";
    EXPECT_EQ(markAt(file.path, offset(15)), 0x8007);
    EXPECT_EQ(dialog.fields.number, 7);
    events.remove();
    EXPECT_EQ(rig.notifier.messages.back().text, "No more events in this file!");
    EXPECT_EQ(dialog.shown, "");
    EXPECT_FALSE(events.reviewing());
    EXPECT_EQ(markAt(file.path, offset(15)), 0);
    events.toggleReview();
    EXPECT_EQ(rig.notifier.messages.back().text, "No events found in this file!");

    // One more, then the file closes: the event file holds it, eight lines.
    ASSERT_TRUE(events.clickAt(60, rowOf(13)));
    EXPECT_EQ(dialog.fields.number, 0) << "the largest number present plus one";
    events.ok("4", "last one");
    const RowMeta& row13 = rig.imaging.store.rowMeta.at(rowOf(13));
    rig.engine.closeFiles();
    const std::vector<std::uint8_t> bytes = readBytes(eventPath);
    const std::string expected = "4\n13\n0.500000\n" + row13.gps.text[kGpsLatText] + "\n" +
                                 row13.gps.text[kGpsLonText] + "\n" + rig.cycle.pingDateText + "\n" +
                                 StampTimeText(row13.stamp) + "\nlast one\n";
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), expected);
    EXPECT_EQ(markAt(file.path, offset(13)), 0x8004);
}

TEST_F(EventAnnotationsTest, ReadOnlyMediaRefuseEveryChange) {
    // The recording with one event, on a medium that cannot be written.
    const std::string folder = dir.file("cdrom");
    std::filesystem::create_directories(folder);
    const auto file = writeDataFile(folder + "/ro.642", {.records = 20, .perPing = [](auto&, DataFileState& f, std::uint32_t ping) {
        f.pendingEventFlag = ping == 6;
        f.pendingEventNumber = 2;
    }});
    pbtest::writeBytes(folder + "/ro.an", [] {
        const std::string t = "2\n6\n0.250000\nlat\nlon\n01-JAN-2027\n12:00:06\nfrom the survey\n";
        return std::vector<std::uint8_t>(t.begin(), t.end());
    }());
    const std::vector<std::uint8_t> dataBefore = readBytes(file.path);
    rig.fs.readOnlyFolder = folder;
    rig.openAndStart(file.path);
    ASSERT_TRUE(rig.state.readOnlyMedia);
    ASSERT_EQ(rig.events.events.count, 1);
    playPast(8);

    events.toggleEnableInput();
    EXPECT_FALSE(events.clickAt(60, rowOf(7)));
    EXPECT_EQ(rig.notifier.messages.back().text, "File Deny write!");
    EXPECT_EQ(dialog.inputs, 0);

    events.toggleReview();
    ASSERT_EQ(dialog.fields.number, 2);
    events.edit();
    EXPECT_EQ(rig.notifier.messages.back().text, "File Deny write!");
    EXPECT_EQ(dialog.shown, "event");
    rig.notifier.answer = Answer::Yes;
    events.remove();
    EXPECT_EQ(rig.notifier.messages.back().text, "File Deny Write!");
    EXPECT_EQ(rig.events.events.count, 1);
    events.toggleReview();
    rig.engine.closeFiles();
    EXPECT_EQ(readBytes(file.path), dataBefore) << "not a byte of the data file changed";
    EXPECT_EQ(markAt(file.path, file.offsets[5]), 0x8002);
    const auto eventBytes = readBytes(folder + "/ro.an");
    EXPECT_EQ(std::string(eventBytes.begin(), eventBytes.end()),
              "2\n6\n0.250000\nlat\nlon\n01-JAN-2027\n12:00:06\nfrom the survey\n");
}

TEST_F(EventAnnotationsTest, AMarkedRecordShowsItsEventWhenPlayed) {
    const auto file = writeDataFile(dir.file("marked.642"), {.records = 20, .perPing = [](auto&, DataFileState& f, std::uint32_t ping) {
        f.pendingEventFlag = ping == 9;
        f.pendingEventNumber = 3;
    }});
    pbtest::writeBytes(dir.file("marked.an"), [] {
        const std::string t = "3\n9\n0.750000\nlat\nlon\n01-JAN-2027\n12:00:09\ndebris\n";
        return std::vector<std::uint8_t>(t.begin(), t.end());
    }());

    // Without the popup the event is selected, its marker drawn, no dialog.
    rig.openAndStart(file.path);
    playPast(12);
    EXPECT_EQ(dialog.events, 0);
    EXPECT_TRUE(events.eventSelected());
    EXPECT_EQ(events.selectedNumber(), 3);
    const auto markers = events.markers();
    ASSERT_EQ(markers.size(), 1u);
    EXPECT_EQ(markers[0].ping, 9);
    EXPECT_DOUBLE_EQ(markers[0].position, 0.75);
    events.toggleHideMarker();
    EXPECT_TRUE(events.markers().empty());
    events.toggleHideMarker();

    // With it, the dialog shows the event as its record plays.
    rig.engine.closeFiles();
    events.closeForFileChange();
    rig.openAndStart(file.path);
    ASSERT_TRUE(events.canAutoPopup());
    events.toggleAutoPopup();
    rig.play(8);
    EXPECT_EQ(dialog.events, 0);
    rig.play(1);
    EXPECT_EQ(dialog.events, 1);
    EXPECT_EQ(dialog.shown, "event");
    EXPECT_EQ(dialog.fields.number, 3);
    EXPECT_EQ(dialog.fields.annotation, "debris");
    EXPECT_EQ(events.mode(), EventDialogMode::Review);
    EXPECT_FALSE(rig.state.holdLocked) << "a shown event does not stop the operator's Hold";
    // Switching the popup off hides it.
    events.toggleAutoPopup();
    EXPECT_EQ(dialog.shown, "");
    // On Hold a played record shows nothing.
    events.toggleAutoPopup();
    rig.engine.closeFiles();
    events.closeForFileChange();
    rig.openAndStart(file.path);
    rig.play(8);
    rig.engine.toggleHold();
    rig.engine.step();
    EXPECT_EQ(dialog.events, 1);
}

TEST_F(EventAnnotationsTest, HoldWhenAddingAnEventAndTheHoldLock) {
    const auto file = writeDataFile(dir.file("hold.642"), {.records = 30});
    rig.openAndStart(file.path);
    playPast(10);
    events.toggleEnableInput();
    events.toggleHoldWhenAdding();

    ASSERT_TRUE(events.clickAt(10, rowOf(8)));
    EXPECT_EQ(rig.imaging.display.holdDisplay, 1) << "held before the row is read";
    EXPECT_FALSE(rig.timers.isActive(TimerId::PlaybackStep));
    rig.engine.toggleHold();
    EXPECT_EQ(rig.imaging.display.holdDisplay, 1) << "locked while the dialog is open";
    EXPECT_FALSE(events.clickAt(10, rowOf(8))) << "one event at a time";
    events.cancel();
    EXPECT_EQ(rig.imaging.display.holdDisplay, 0);
    EXPECT_FALSE(rig.state.holdLocked);
    EXPECT_TRUE(rig.timers.isActive(TimerId::PlaybackStart)) << "playing resumes";

    // The operator's own Hold stays when the dialog closes.
    events.toggleHoldWhenAdding();
    rig.engine.toggleHold();
    ASSERT_TRUE(events.clickAt(10, rowOf(8)));
    events.cancel();
    EXPECT_EQ(rig.imaging.display.holdDisplay, 1);
    // A row no ping drew opens nothing.
    EXPECT_FALSE(events.clickAt(10, rig.imaging.store.imageHeight - 1));
    EXPECT_FALSE(events.clickAt(10, -5));
    // A double click opens input with the option off; a click does not.
    events.toggleEnableInput();
    EXPECT_FALSE(events.clickAt(10, rowOf(8)));
    ASSERT_TRUE(events.doubleClickAt(10, rowOf(8)));
    EXPECT_EQ(dialog.shown, "input");
    EXPECT_FALSE(events.doubleClickAt(10, rowOf(8))) << "one event at a time";
    // The file closing closes the dialog and frees the lock.
    events.closeForFileChange();
    EXPECT_EQ(dialog.shown, "");
    EXPECT_FALSE(rig.state.holdLocked);
}

TEST_F(EventAnnotationsTest, EnteredWhileRecordingInRealTime) {
    initialiseLinkDefaults({rig.heads, rig.link, rig.cycle, rig.orientation});
    rectest::SampleDocument sample;
    sample.fillForPing(1);
    rig.heads.headReplyHeader = sample.heads.headReplyHeader;
    rig.heads.headDisplayLine = sample.heads.headDisplayLine;
    rig.heads.headAvailable = {1, 1, 1, 1};
    rig.link.allSideScansAvailable = 1;
    rig.link.linkStale = 0;
    for (auto& header : rig.heads.headReplyHeader) header[kReplyStatusOffset] = 0;
    const auto live = [&](int n) {
        for (int i = 0; i < n; ++i) {
            rig.cycle.pingTimeText = "10:00:0" + std::to_string(i % 10);
            ASSERT_TRUE(rig.pipeline.run({PingOrigin::Live, readCycleStatus(rig.heads), 0}).accepted);
        }
    };
    // Cycles before the recording are not in the file.
    live(5);
    EXPECT_FALSE(events.canEnableInput()) << "in real time only while recording";
    const std::string path = dir.file("live.642");
    ASSERT_TRUE(rig.recorder.startRecordingTo(path, rig.engine.playbackContext()));
    live(10);
    ASSERT_TRUE(events.canEnableInput());
    events.toggleEnableInput();

    const std::uint64_t length = rig.dataFile.outputRecordLength;
    const std::uint64_t sizeBefore = readBytes(path).size();
    ASSERT_EQ(sizeBefore, 10 * length);
    const int row = rowOf(4);
    ASSERT_GE(row, 0);
    ASSERT_TRUE(events.clickAt(60, row));
    EXPECT_EQ(dialog.fields.ping, 4) << "the recorder's ping number";
    events.ok("0", "pipeline");
    EXPECT_EQ(markAt(path, 3 * length), 0x8000) << "the record already on disk carries the mark";
    live(1);
    EXPECT_EQ(readBytes(path).size(), 11 * length) << "the next record is still appended at the end";
    EXPECT_EQ(markAt(path, 10 * length), 0);

    // A row drawn before the recording began has no record to mark.
    const int early = rig.imaging.store.rowMeta.size() > 0 ? [&] {
        for (int r = rig.imaging.store.rowMeta.size() - 1; r >= 0; --r)
            if (rig.imaging.store.rowMeta.at(r).stamp[0] && rig.imaging.store.rowMeta.at(r).pingNumber == 0) return r;
        return -1;
    }() : -1;
    if (early >= 0) {
        ASSERT_TRUE(events.clickAt(60, early));
        events.ok("1", "too early");
        EXPECT_EQ(rig.notifier.messages.back().text, kPingNotRecordedText);
        events.cancel();
    }
    EXPECT_EQ(rig.events.events.count, 1);
    rig.recorder.recordStop(rig.engine.playbackContext());
    const auto bytes = readBytes(dir.file("live.an"));
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 10), "0\n4\n0.5000");
}

}  // namespace
}  // namespace hx
