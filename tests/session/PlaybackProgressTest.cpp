// The playback bar: play speed and its timer interval, the progress slider
// (its position while playing, jumps that land on whole records, the busy
// flag) and the page buttons.
#include <gtest/gtest.h>

#include "PlaybackTestRig.h"
#include "session/PlaybackProgress.h"

namespace hx {
namespace {

using namespace pbtest;
using Pings = std::vector<std::uint32_t>;

TEST(PlaybackProgress, SpeedIntervals) {
    const struct {
        int speed, intervalMs;
    } table[] = {{0, 100}, {1, 90}, {5, 50}, {9, 10}, {10, 0}, {15, 0}, {20, 0}, {-3, 100}, {99, 0}};
    for (const auto& row : table) EXPECT_EQ(PlaybackIntervalMs(row.speed), row.intervalMs) << row.speed;
    EXPECT_EQ(ClampPlaySpeed(-1), 0);
    EXPECT_EQ(ClampPlaySpeed(21), 20);
}

TEST(PlaybackProgress, SliderArithmetic) {
    EXPECT_EQ(BytesPerSliderStep(1'107'200), 11'072u);
    EXPECT_EQ(BytesPerSliderStep(50), 1u);  // never a division by zero
    EXPECT_EQ(SliderPositionFor(0, 11'072), 0);
    EXPECT_EQ(SliderPositionFor(553'600, 11'072), 50);
    EXPECT_EQ(SliderPositionFor(5'000'000, 11'072), 100);
    EXPECT_EQ(SliderPositionFor(7, 0), 7);
    EXPECT_EQ(SliderTargetOffset(50, 11'072), 553'600u);
    EXPECT_EQ(SliderTargetOffset(150, 10), 1000u);
    EXPECT_EQ(SliderTargetOffset(-4, 10), 0u);
}

class PlaybackBarTest : public testing::Test {
protected:
    TempDir dir;
    PlaybackRig rig;
};

TEST_F(PlaybackBarTest, SpeedSpinStaysWithinItsRangeAndRetimesTheSteps) {
    const auto file = writeDataFile(dir.file("s.642"), {.records = 3});
    ASSERT_TRUE(rig.engine.openPath(file.path));
    // Before the start timer ran out nothing is stepping yet.
    rig.engine.changeSpeed(+2);
    EXPECT_EQ(rig.state.playSpeed, 7);
    EXPECT_EQ(rig.shell.speedShown, 7);
    EXPECT_FALSE(rig.timers.isActive(TimerId::PlaybackStep));
    rig.fire(TimerId::PlaybackStart);
    EXPECT_EQ(rig.timers.intervalMs(TimerId::PlaybackStep), 30);

    rig.engine.changeSpeed(+100);
    EXPECT_EQ(rig.state.playSpeed, 20);
    EXPECT_EQ(rig.timers.intervalMs(TimerId::PlaybackStep), 0);
    rig.engine.changeSpeed(-30);
    EXPECT_EQ(rig.state.playSpeed, 0);
    EXPECT_EQ(rig.timers.intervalMs(TimerId::PlaybackStep), 100);
    rig.engine.changeSpeed(-1);
    EXPECT_EQ(rig.state.playSpeed, 0);
    rig.engine.changeSpeed(+9);
    EXPECT_EQ(rig.timers.intervalMs(TimerId::PlaybackStep), 10);
    rig.engine.changeSpeed(+1);
    EXPECT_EQ(rig.timers.intervalMs(TimerId::PlaybackStep), 0);
    EXPECT_TRUE(rig.timers.isActive(TimerId::PlaybackStep));
}

TEST_F(PlaybackBarTest, SliderFollowsThePositionUnlessHeld) {
    const auto file = writeDataFile(dir.file("p.642"), {.records = 10, .heads = {true, false, false, false}});
    rig.openAndStart(file.path);
    rig.play(10);
    // 10 records over 100 steps: the slider moves by 10 with each record.
    EXPECT_EQ(rig.shell.sliderPositions, (std::vector<int>{0, 10, 20, 30, 40, 50, 60, 70, 80, 90}));
    rig.engine.sliderGrabbed();
    EXPECT_TRUE(rig.state.sliderBusy);
    rig.shell.sliderPositions.clear();
    rig.play(3);
    EXPECT_TRUE(rig.shell.sliderPositions.empty());
    rig.engine.sliderReleased(30);
    EXPECT_FALSE(rig.state.sliderBusy);
    EXPECT_TRUE(rig.shell.called("focusMainWindow"));
    EXPECT_EQ(rig.play(2), (Pings{4, 5}));
}

TEST_F(PlaybackBarTest, SliderJumpsLandOnWholeRecords) {
    // Records of changing length: the head set changes every few pings.
    const auto file = writeDataFile(dir.file("m.642"), {.records = 40, .perPing = [](auto& doc, auto&, std::uint32_t ping) {
                                                            doc.setHeads(rectest::headSet(ping % 7 < 3 ? 0xF : 0x9));
                                                        }});
    rig.openAndStart(file.path);
    const std::uint64_t step = rig.state.bytesPerSliderStep;
    for (int p : {0, 1, 13, 50, 77, 99}) {
        SCOPED_TRACE(p);
        rig.engine.sliderReleased(p);
        const std::uint64_t target = step * static_cast<std::uint64_t>(p);
        // The usable length is whole lengths of the first record; a record
        // beyond it is not played.
        const auto next = std::lower_bound(file.offsets.begin(), file.offsets.end(), target);
        const bool inside = next != file.offsets.end() && *next < rig.dataFile.usableLength;
        EXPECT_EQ(rig.dataFile.recordPosition, inside ? *next : rig.dataFile.usableLength);
        const auto ping = inside ? static_cast<std::uint32_t>(next - file.offsets.begin()) + 1 : 1u;
        EXPECT_EQ(rig.play(1), Pings{ping});
        EXPECT_EQ(rig.track.trackRestart, 1);
    }
    // At the very end there is no record left: the next step starts again.
    rig.engine.sliderReleased(100);
    EXPECT_EQ(rig.play(1), Pings{1});
}

TEST_F(PlaybackBarTest, SliderAtHalfContinuesFromTheMiddle) {
    const auto file = writeDataFile(dir.file("half.642"), {.records = 7});
    rig.openAndStart(file.path);
    rig.engine.sliderReleased(50);
    // The first record starting at or after half the usable length.
    const std::uint64_t half = rig.state.bytesPerSliderStep * 50;
    EXPECT_GE(rig.dataFile.recordPosition, half);
    EXPECT_LT(rig.dataFile.recordPosition - half, file.recordLength);
    EXPECT_EQ(rig.play(1), Pings{static_cast<std::uint32_t>(rig.dataFile.recordPosition / file.recordLength) + 1});
}

TEST_F(PlaybackBarTest, WhileCopyingTheSliderDoesNotSeek) {
    const auto file = writeDataFile(dir.file("c.642"), {.records = 8});
    rig.openAndStart(file.path);
    rig.play(2);
    ASSERT_TRUE(rig.recorder.startRecordingTo(dir.file("copy.642"), rig.engine.playbackContext()));
    rig.engine.sliderGrabbed();
    EXPECT_FALSE(rig.state.sliderBusy);
    rig.engine.sliderReleased(90);
    EXPECT_EQ(rig.play(2), (Pings{3, 4}));
    EXPECT_TRUE(rig.recorder.recording());
}

TEST_F(PlaybackBarTest, PageButtonsJumpFourHundredRecords) {
    // 900 short records: one slider step is nine records.
    const auto file = writeDataFile(dir.file("pg.642"), {.records = 900, .heads = {true, false, false, false}});
    rig.openAndStart(file.path);
    ASSERT_EQ(rig.state.bytesPerSliderStep, 9u * file.recordLength);
    EXPECT_EQ(rig.play(1), Pings{1});

    rig.engine.pageDown();
    EXPECT_EQ(rig.play(1), Pings{402});
    EXPECT_EQ(rig.track.trackRestart, 1);
    rig.engine.sliderReleased(50);  // record 451
    rig.engine.pageUp();
    EXPECT_EQ(rig.play(1), Pings{51});
    // Within 400 records of the end, "PageDown" goes back to the first record.
    rig.engine.sliderReleased(60);
    rig.engine.pageDown();
    EXPECT_EQ(rig.play(1), Pings{1});
    // Within 400 records of the start, "PageUp" does the same.
    rig.engine.sliderReleased(10);
    rig.engine.pageUp();
    EXPECT_EQ(rig.play(1), Pings{1});
    // Played backwards, "PageUp" still moves back.
    rig.engine.toggleReverse();
    rig.engine.sliderReleased(90);  // record 811
    rig.engine.pageUp();
    EXPECT_EQ(rig.play(2), (Pings{411, 410}));

    // The GPS position is cleared by every page button.
    rig.gps.fix.gpsLatitude = 48.1;
    rig.engine.pageDown();
    EXPECT_EQ(rig.gps.fix.gpsLatitude, 0.0);
}

TEST_F(PlaybackBarTest, PageButtonsDoNotMoveInBitmapView) {
    const auto file = writeDataFile(dir.file("bv.642"), {.records = 5});
    rig.openAndStart(file.path);
    rig.play(2);
    rig.engine.toggleBitmapView();
    const auto at = rig.dataFile.recordPosition;
    rig.track.trackRestart = 0;
    rig.engine.pageDown();
    rig.engine.pageUp();
    EXPECT_EQ(rig.dataFile.recordPosition, at);
    EXPECT_EQ(rig.track.trackRestart, 1);
}

}  // namespace
}  // namespace hx
