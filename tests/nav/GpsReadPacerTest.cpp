// The GPS read cycle driven by a fake timer: one read in flight, restarted
// by read-done, stopped in playback.
#include <gtest/gtest.h>

#include <map>

#include "nav/GpsReadPacer.h"

namespace hx {
namespace {

class FakeTimers final : public ITimerPort {
public:
    void start(TimerId id, int intervalMs, bool singleShot) override {
        active[id] = true;
        interval[id] = intervalMs;
        single[id] = singleShot;
        ++starts;
    }
    void stop(TimerId id) override { active[id] = false; }
    bool isActive(TimerId id) const override {
        auto it = active.find(id);
        return it != active.end() && it->second;
    }
    std::map<TimerId, bool> active;
    std::map<TimerId, int> interval;
    std::map<TimerId, bool> single;
    int starts = 0;
};

struct PacerFixture : ::testing::Test {
    FakeTimers timers;
    int requests = 0;
    int refreshes = 0;
    GpsReadPacer pacer{timers, {[this] { ++requests; }, [this] { ++refreshes; }}};
    void fire() {
        ASSERT_TRUE(timers.isActive(TimerId::GpsRead));
        pacer.onTimer();
    }
};

TEST_F(PacerFixture, OneReadPerExpiryRestartedByReadDone) {
    pacer.setReaderRunning(true);
    pacer.setIntervalMs(1000);
    pacer.start();
    EXPECT_EQ(timers.interval[TimerId::GpsRead], 1000);
    EXPECT_TRUE(timers.single[TimerId::GpsRead]);
    fire();
    EXPECT_EQ(requests, 1);
    EXPECT_FALSE(timers.isActive(TimerId::GpsRead));
    EXPECT_TRUE(pacer.readInFlight());
    pacer.onReadDone(true);
    EXPECT_EQ(refreshes, 1);
    EXPECT_TRUE(timers.isActive(TimerId::GpsRead));
    fire();
    pacer.onReadDone(false);  // nothing new: no redraw, the cycle goes on
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(requests, 2);
    EXPECT_TRUE(timers.isActive(TimerId::GpsRead));
}

TEST_F(PacerFixture, ARestartWhileAReadIsInFlightDoesNotRequestASecondOne) {
    pacer.setReaderRunning(true);
    pacer.start();
    fire();
    pacer.start();  // e.g. a port reopen while the read runs
    fire();
    EXPECT_EQ(requests, 1);
    pacer.onReadDone(false);
    fire();
    EXPECT_EQ(requests, 2);
}

TEST_F(PacerFixture, PlaybackDisabledOrNoReaderStopsTheCycle) {
    pacer.start();
    fire();  // no reader yet
    EXPECT_EQ(requests, 0);
    EXPECT_FALSE(timers.isActive(TimerId::GpsRead));

    pacer.setReaderRunning(true);
    pacer.setPlaybackMode(true);
    pacer.start();
    fire();
    EXPECT_EQ(requests, 0);
    EXPECT_FALSE(timers.isActive(TimerId::GpsRead));

    pacer.setPlaybackMode(false);  // back to real time: started again
    pacer.start();
    fire();
    EXPECT_EQ(requests, 1);

    pacer.onReadDone(false);
    pacer.setEnabled(false);
    fire();
    EXPECT_EQ(requests, 1);
}

TEST_F(PacerFixture, IntervalChangeTakesEffectAtTheNextStart) {
    pacer.setReaderRunning(true);
    pacer.setIntervalMs(1000);
    pacer.start();
    fire();
    pacer.setIntervalMs(200);
    pacer.onReadDone(false);
    EXPECT_EQ(timers.interval[TimerId::GpsRead], 200);
    pacer.setIntervalMs(0);
    EXPECT_EQ(pacer.intervalMs(), 1);
}

}  // namespace
}  // namespace hx
