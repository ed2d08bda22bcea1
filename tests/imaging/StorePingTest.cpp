// Storing pings: the history record, the ping interval, Hold, and which
// images a ping draws into.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "ImagingTestSupport.h"
#include "imaging/StorePing.h"

namespace hx {
namespace {

using testing::constantLine;
using testing::cycleAt;
using testing::readyImages;
using testing::setEchoLine;

class RecordingHooks : public IPingHooks {
public:
    std::vector<std::string> calls;
    std::vector<int> pingNumbers;
    void writeToDataFile(const PingHistoryRecord& record) override {
        calls.push_back("file");
        pingNumbers.push_back(record.pingNumber);
    }
    void refreshLayoutIfChanged() override { calls.push_back("layout"); }
};

std::vector<int> rowOf(const WaterfallStore& store, int head, int row) {
    const auto r = HeadImageRow(store, head, row);
    return {r.begin(), r.end()};
}

TEST(MeasurePingInterval, TenPingsOf200MsRead200) {
    CycleValues c;
    c.pingIntervalLastTick = 5000;
    for (int i = 1; i <= 9; ++i) MeasurePingInterval(c, 5000 + 200u * static_cast<unsigned>(i), false);
    EXPECT_EQ(c.pingInterval, 0);
    MeasurePingInterval(c, 7000, false);
    EXPECT_EQ(c.pingInterval, 200);
    EXPECT_EQ(c.pingIntervalAverage, 200);
    EXPECT_EQ(c.pingIntervalSum, 0);
    EXPECT_EQ(c.pingIntervalCount, 0);
    EXPECT_EQ(c.pingIntervalLastTick, 7000u);
}

TEST(MeasurePingInterval, PlaybackKeepsThePlayedIntervalAndTheTickMayWrap) {
    CycleValues c;
    c.pingInterval = 333;
    c.pingIntervalLastTick = 0xFFFFFF00u;
    std::uint32_t tick = 0xFFFFFF00u;
    for (int i = 0; i < 10; ++i) MeasurePingInterval(c, tick += 250, true);
    EXPECT_EQ(c.pingIntervalAverage, 250) << "a wrapping tick counter is no 4-billion-ms interval";
    EXPECT_EQ(c.pingInterval, 333);
}

// The time before the first ping of a run (the operator at the connection
// dialog, a file played before) is no ping interval: counted, it would give
// the first rows of every live start the length of minutes.
TEST(MeasurePingInterval, TheFirstPingOfARunStartsTheMeasurementAfresh) {
    CycleValues c;
    c.pingIntervalAverage = 50;  // measured while a file played
    MeasurePingInterval(c, 60000, false, true);
    EXPECT_EQ(c.pingIntervalCount, 0);
    EXPECT_EQ(c.pingIntervalSum, 0);
    EXPECT_EQ(c.pingIntervalAverage, 0);
    for (int i = 1; i <= 10; ++i) MeasurePingInterval(c, 60000 + 280u * static_cast<unsigned>(i), false);
    EXPECT_EQ(c.pingInterval, 280);
}

TEST(StorePing, TheFirstRowsOfALiveStartAreNoBand) {
    // 1520 pixels, both sides, 50 m, speed correction on at 3 kn: a 280 ms
    // ping is 15.2 px/m × 0.432 m ≈ 6.6 rows. The first ping comes 45 s
    // after the program started.
    ImagingState imaging;
    const LinkFields link = testing::twoHeadLink(kHeadM, kHeadH);
    readyImages(imaging, link, 1520, 1.0);
    HeadTable heads;
    heads.sideScanRange = 50;
    CycleValues c = cycleAt(1, 0, 0);
    PingExtras extras;
    extras.gpsSpeedKn = 3.0;
    std::int64_t mostRows = 0;
    for (int p = 0; p < 30; ++p) {
        extras.tickMs = 45000 + 280u * static_cast<unsigned>(p);
        const StoredPing stored = StorePing(imaging, c, heads, link, SpeedSource{}, extras);
        mostRows = std::max<std::int64_t>(mostRows, stored.rowsAdded);
    }
    EXPECT_EQ(c.pingInterval, 280);
    EXPECT_LE(mostRows, 7) << "no ping stretched over the time before the run";
    EXPECT_GT(imaging.store.validRows, 100);

    // Back from a played file (the history cleared): the measurement starts again.
    ClearHistory(imaging.history);
    extras.tickMs = 900000;
    StorePing(imaging, c, heads, link, SpeedSource{}, extras);
    for (int p = 1; p <= 10; ++p) {
        extras.tickMs = 900000 + 250u * static_cast<unsigned>(p);
        StorePing(imaging, c, heads, link, SpeedSource{}, extras);
    }
    EXPECT_EQ(c.pingInterval, 250);
}

TEST(StorePing, FillsTheHistoryRecord) {
    ImagingState imaging;
    HeadTable heads;
    setEchoLine(heads, kHeadL, constantLine(1));
    setEchoLine(heads, kHeadM, constantLine(2));
    setEchoLine(heads, kHeadH, constantLine(3));
    heads.headDisplayLine[kHeadL][kEchoLineOffset - 1] = 77;  // outside the echo line
    heads.sideScanRange = 75;
    CycleValues c = cycleAt(56, 789, 180);
    c.pingTimeText = "12:34:56";
    PingExtras extras;
    extras.pingNumber = 42;
    extras.gpsSpeedKn = 4.5;
    extras.gpsText = {"48.07.0380 N", "011.31.0000 E", "12:35:19", "4.5 Knots", "84.4 Deg.", "n/a"};
    extras.altitudeM = 12.5;
    extras.headingDeg = 271.0;
    extras.tickMs = 1000;
    RecordingHooks hooks;
    StorePing(imaging, c, heads, testing::twoHeadLink(), SpeedSource{}, extras, &hooks);

    const PingHistoryRecord& r = imaging.history.records[0];
    EXPECT_EQ(r.samples[kHeadL][0], 1);
    EXPECT_EQ(r.samples[kHeadM][1999], 2);
    EXPECT_EQ(r.samples[kHeadH][1000], 3);
    EXPECT_EQ(std::string(r.stamp.data()), "12:34:56789");
    EXPECT_EQ(r.stamp[11], '\0');
    EXPECT_EQ(r.rangeM, 75);
    EXPECT_EQ(r.pingIntervalMs, 180) << "the interval as it stood before this ping's measurement";
    EXPECT_EQ(r.pingNumber, 42);
    EXPECT_EQ(r.shipSpeedKn, 4.5);
    EXPECT_EQ(r.gpsText[kGpsSpeedText], "4.5 Knots");
    EXPECT_EQ(r.altitudeM, 12.5);
    EXPECT_EQ(r.headingDeg, 271.0);
    EXPECT_EQ(imaging.history.historyWriteIndex, 1);
    EXPECT_EQ(hooks.calls, (std::vector<std::string>{"file", "layout"}));
}

TEST(StorePing, ReversePlaybackTakesNoGpsData) {
    ImagingState imaging;
    readyImages(imaging, testing::twoHeadLink(), 16, 16 / 2000.0);
    HeadTable heads;
    CycleValues c = cycleAt(1, 0);
    PingExtras forward;
    forward.pingNumber = 1;
    forward.gpsText[kGpsLatText] = "forward";
    forward.altitudeM = 3.0;
    StorePing(imaging, c, heads, testing::twoHeadLink(), SpeedSource{}, forward);
    PingExtras reverse = forward;
    reverse.pingNumber = 2;
    reverse.reversePlayback = true;
    reverse.gpsText[kGpsLatText] = "ignored";
    reverse.altitudeM = 9.0;
    StorePing(imaging, c, heads, testing::twoHeadLink(), SpeedSource{}, reverse);
    EXPECT_EQ(imaging.history.records[1].gpsText[kGpsLatText], "forward");
    EXPECT_EQ(imaging.history.records[1].altitudeM, 3.0);
    EXPECT_EQ(imaging.store.rowMeta.at(0).gps.text[kGpsLatText], "forward");
    EXPECT_EQ(imaging.store.rowMeta.at(0).pingNumber, 2);
}

TEST(StorePing, DrawsTheDisplayedHeadsWithOneRowCount) {
    // Two heads, 1000 pixels, speed correction on, 50 m, 3 kn, 500 ms: 7 rows.
    ImagingState imaging;
    const LinkFields link = testing::twoHeadLink(kHeadM, kHeadH);
    readyImages(imaging, link, 1000, 1.0);
    HeadTable heads;
    setEchoLine(heads, kHeadL, constantLine(200));
    setEchoLine(heads, kHeadM, constantLine(60));
    setEchoLine(heads, kHeadH, constantLine(90));
    LinkFields played = link;
    played.playbackMode = 1;  // the interval stays as played
    CycleValues c = cycleAt(10, 0, 500);
    PingExtras extras;
    extras.gpsSpeedKn = 3.0;
    extras.pingNumber = 9;
    const StoredPing result = StorePing(imaging, c, heads, played, SpeedSource{}, extras);
    EXPECT_TRUE(result.drawn);
    EXPECT_EQ(result.rowsAdded, 7);
    EXPECT_EQ(rowOf(imaging.store, kHeadM, 0)[10], 60);
    EXPECT_EQ(rowOf(imaging.store, kHeadH, 0)[10], 90);
    EXPECT_EQ(rowOf(imaging.store, kHeadM, 6)[10], 8) << "filled toward the empty row below: 60 / 7";
    EXPECT_EQ(rowOf(imaging.store, kHeadH, 6)[10], 12);
    EXPECT_EQ(rowOf(imaging.store, kHeadH, 7)[10], 0);
    EXPECT_EQ(HeadImageFor(imaging.store, kHeadL), nullptr);
    EXPECT_EQ(imaging.store.totalRows, 7);
    EXPECT_EQ(imaging.store.rowMeta.at(6).pingNumber, 9);
    EXPECT_NEAR(imaging.lines.speedCarry[kHeadM], 0.7166666666, 1e-9);
    EXPECT_EQ(imaging.lines.speedCarry[kHeadH], 0.0) << "the count is taken once, for displayHeadA";
}

TEST(StorePing, ThreeHeadOperationCountsWithTheImageGeometry) {
    ImagingState imaging;
    const LinkFields link = testing::threeHeadLink();
    readyImages(imaging, link, 100, 1.0);
    imaging.store.headImageWidth = {2000, 2000, 2000};  // must not be used in three-head operation
    HeadTable heads;
    heads.headAvailable = {1, 1, 1, 1};
    setEchoLine(heads, kHeadM, constantLine(128));
    LinkFields played = link;
    played.playbackMode = 1;
    CycleValues c = cycleAt(10, 0, 500);
    PingExtras extras;
    extras.gpsSpeedKn = 3.0;
    // 100 px over 2 × 50 m: P = 0.7717 → 0 rows, then 1.
    EXPECT_EQ(StorePing(imaging, c, heads, played, SpeedSource{}, extras).rowsAdded, 0);
    EXPECT_EQ(StorePing(imaging, c, heads, played, SpeedSource{}, extras).rowsAdded, 1);
    EXPECT_EQ(CompositeRow(imaging.store, 0)[1], 180);
}

TEST(StorePing, PingsAreOnlyStoredWhileImagesAreNotReadyOrInBitmapView) {
    ImagingState imaging;
    readyImages(imaging, testing::twoHeadLink(), 16, 0.008);
    HeadTable heads;
    setEchoLine(heads, kHeadL, constantLine(100));
    CycleValues c = cycleAt(1, 0);
    imaging.store.imagesReady = 0;
    EXPECT_FALSE(StorePing(imaging, c, heads, testing::twoHeadLink(), SpeedSource{}, PingExtras{}).drawn);
    imaging.store.imagesReady = 1;
    imaging.store.waterfallEnabled = 0;
    EXPECT_FALSE(StorePing(imaging, c, heads, testing::twoHeadLink(), SpeedSource{}, PingExtras{}).drawn);
    EXPECT_EQ(HistoryCount(imaging.history), 2);
    EXPECT_EQ(rowOf(imaging.store, kHeadL, 0)[0], 0);
}

TEST(StorePing, HoldKeepsFillingTheHistoryAndReleaseRebuilds) {
    // Speed correction off, one side, 1000 pixels: one row per ping.
    ImagingState imaging;
    const LinkFields link = testing::twoHeadLink();
    readyImages(imaging, link, 1000, 0.5);
    imaging.display.sideDisplayMode = kPortOnly;
    SpeedSource off;
    off.speedCorrectionEnabled = 0;
    HeadTable heads;
    CycleValues c = cycleAt(1, 0);
    PingExtras extras;
    auto ping = [&](int number, std::uint8_t value) {
        setEchoLine(heads, kHeadL, constantLine(value));
        extras.pingNumber = number;
        RecordingHooks hooks;
        StorePing(imaging, c, heads, link, off, extras, &hooks);
        return hooks.calls;
    };
    ping(1, 10);
    ping(2, 20);
    SetHold(imaging, true, heads, link, off);
    EXPECT_EQ(ping(3, 30), (std::vector<std::string>{"file"})) << "no layout step while held";
    ping(4, 40);
    EXPECT_EQ(rowOf(imaging.store, kHeadL, 0)[5], 20) << "frozen picture";
    EXPECT_EQ(DisplayedRowMeta(imaging.store, 0, true)->pingNumber, 2);
    EXPECT_EQ(HistoryCount(imaging.history), 4);

    SetHold(imaging, false, heads, link, off);
    EXPECT_EQ(rowOf(imaging.store, kHeadL, 0)[5], 40);
    EXPECT_EQ(rowOf(imaging.store, kHeadL, 1)[5], 30);
    EXPECT_EQ(rowOf(imaging.store, kHeadL, 3)[5], 10);
    EXPECT_EQ(imaging.store.rowMeta.at(1).pingNumber, 3);
    EXPECT_EQ(imaging.store.validRows, 4);
}

TEST(StorePing, HistoryWrapsKeepingTheNewest4000Pings) {
    ImagingState imaging;
    HeadTable heads;
    CycleValues c = cycleAt(1, 0);
    PingExtras extras;
    for (int p = 1; p <= 4100; ++p) {
        extras.pingNumber = p;
        heads.headDisplayLine[kHeadL][kEchoLineOffset] = static_cast<std::uint8_t>(p % 251);
        StorePing(imaging, c, heads, testing::twoHeadLink(), SpeedSource{}, extras);
    }
    EXPECT_EQ(imaging.history.historyWrapped, 1);
    EXPECT_EQ(imaging.history.historyWriteIndex, 100);
    EXPECT_EQ(HistoryCount(imaging.history), 4000);
    std::vector<bool> seen(4101, false);
    for (const auto& r : imaging.history.records) {
        ASSERT_GE(r.pingNumber, 101);
        ASSERT_EQ(r.samples[kHeadL][0], r.pingNumber % 251);
        seen[static_cast<std::size_t>(r.pingNumber)] = true;
    }
    EXPECT_EQ(std::count(seen.begin(), seen.end(), true), 4000);
    EXPECT_EQ(imaging.history.records[static_cast<std::size_t>(*HistoryIndexBack(imaging.history, 1))].pingNumber,
              4100);
    EXPECT_EQ(imaging.history.records[static_cast<std::size_t>(*HistoryIndexBack(imaging.history, 4000))].pingNumber,
              101);

    ClearHistory(imaging.history);
    EXPECT_EQ(HistoryCount(imaging.history), 0);
    EXPECT_FALSE(HistoryIndexBack(imaging.history, 1).has_value());
    EXPECT_EQ(imaging.history.records[5].pingNumber, 0);
    EXPECT_EQ(imaging.history.records[5].samples[kHeadL][0], 0);
}

}  // namespace
}  // namespace hx
