// The playback keys on a real file where the program test cannot reach: the
// shown record followed through the timer's steps and a change of
// direction, a step on Hold, and the keys at rest outside scrolling playback.
// Each key's record, events and the recorded range and gain: the program test.
#include <gtest/gtest.h>

#include "PlaybackTestRig.h"
#include "session/PlaybackKeys.h"

namespace hx {
namespace {

using namespace pbtest;
using A = PlaybackAction;

constexpr int kRecords = 250;

class PlaybackKeysTest : public testing::Test {
protected:
    void SetUp() override {
        file = writeDataFile(dir.file("keys.642"), {.records = kRecords});
        rig.openAndStart(file.path);
    }
    std::uint32_t shownPing() const { return rig.dataFile.pingNumber; }

    TempDir dir;
    PlaybackRig rig;
    WrittenFile file;
    PlaybackKeyActions keys{PlaybackKeyContext{rig.engine, rig.files, rig.state, rig.dataFile, rig.events,
                                               rig.recorderState, rig.imaging.display.holdDisplay}};
};

TEST_F(PlaybackKeysTest, TheShownRecordIsFollowedThroughTimerStepsAndAChangeOfDirection) {
    rig.play(3);
    // Held, the position stays one record past ping 3, whichever way is played next.
    ASSERT_TRUE(keys.apply(A::PlayPause));
    ASSERT_TRUE(keys.apply(A::Reverse));
    EXPECT_TRUE(rig.state.reverse);
    EXPECT_TRUE(keys.apply(A::StepForward));
    EXPECT_EQ(shownPing(), 4u);
    ASSERT_TRUE(keys.apply(A::PlayPause));
    ASSERT_TRUE(rig.fire(TimerId::PlaybackStart));
    // Backwards the engine goes on from its position: pings 3, then 2.
    rig.play(2);
    ASSERT_EQ(shownPing(), 2u);
    EXPECT_TRUE(keys.apply(A::StepBack));
    EXPECT_EQ(shownPing(), 1u);
    // From the first record backwards the timer goes round to the last.
    rig.play(1);
    EXPECT_EQ(shownPing(), 250u);
    EXPECT_EQ(keys.shownRecord(), 249u);
    EXPECT_TRUE(keys.apply(A::JumpBack));
    EXPECT_EQ(shownPing(), 150u);
}

// Reversed from the menu instead of the key, with no ping learnt first: the
// place still follows from the direction the last record was read in.
TEST_F(PlaybackKeysTest, ReversedFromTheMenuOnHoldTheStepsStillStartAtTheShownRecord) {
    rig.play(3);
    ASSERT_TRUE(keys.apply(A::PlayPause));
    rig.engine.toggleReverse();
    ASSERT_TRUE(rig.state.reverse);
    EXPECT_EQ(keys.shownRecord(), 2u);
    EXPECT_TRUE(keys.apply(A::StepBack));
    EXPECT_EQ(shownPing(), 2u);
    rig.engine.toggleReverse();
    EXPECT_TRUE(keys.apply(A::StepForward));
    EXPECT_EQ(shownPing(), 3u);
}

TEST_F(PlaybackKeysTest, SpaceHoldsAndAStepOnHoldDrawsOneRecordAndStaysHeld) {
    rig.play(2);
    ASSERT_TRUE(keys.apply(A::PlayPause));
    ASSERT_EQ(rig.imaging.display.holdDisplay, 1);
    EXPECT_FALSE(rig.timers.isActive(TimerId::PlaybackStep));
    const int drawn = rig.shell.pingsDrawn;
    EXPECT_TRUE(keys.apply(A::StepForward));
    EXPECT_EQ(shownPing(), 3u);
    EXPECT_EQ(rig.shell.pingsDrawn, drawn + 1);
    EXPECT_EQ(rig.imaging.display.holdDisplay, 1);
    EXPECT_FALSE(rig.timers.isActive(TimerId::PlaybackStep));
    EXPECT_FALSE(rig.timers.isActive(TimerId::PlaybackStart));
    ASSERT_TRUE(keys.apply(A::PlayPause));
    EXPECT_EQ(rig.imaging.display.holdDisplay, 0);
    EXPECT_TRUE(rig.timers.isActive(TimerId::PlaybackStart));
}

TEST_F(PlaybackKeysTest, MovingKeysRestOutsideScrollingPlaybackAndDuringACopy) {
    rig.play(2);
    rig.recorderState.recording = true;  // a copy runs forwards only
    EXPECT_FALSE(keys.applies(A::StepBack));
    EXPECT_FALSE(keys.applies(A::NextEvent));
    EXPECT_FALSE(keys.applies(A::Reverse));
    EXPECT_TRUE(keys.applies(A::PlayPause));
    EXPECT_TRUE(keys.applies(A::Faster));
    rig.recorderState.recording = false;

    rig.engine.toggleBitmapView();
    EXPECT_FALSE(keys.apply(A::StepForward));
    EXPECT_FALSE(keys.applies(A::Last));
    EXPECT_TRUE(keys.applies(A::Slower));
    rig.engine.toggleBitmapView();

    rig.engine.returnToRealTime();
    for (PlaybackAction a : {A::PlayPause, A::StepForward, A::Faster, A::Reverse, A::NextEvent})
        EXPECT_FALSE(keys.applies(a)) << static_cast<int>(a);
}

}  // namespace
}  // namespace hx
