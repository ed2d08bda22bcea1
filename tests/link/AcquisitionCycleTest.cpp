// The acquisition cycle step by step over scripted heads: system information,
// connecting, the poll order, cycle completion, the watchdog and the faults.
#include <gtest/gtest.h>

#include "fakes/FakeClock.h"
#include "fakes/FakeNotifier.h"
#include "fakes/FakeTimerPort.h"
#include "FakeHeadNetwork.h"
#include "LinkTestMessages.h"
#include "core/ByteIO.h"
#include "link/AcquisitionCycle.h"
#include "link/HeadHealth.h"
#include "link/LinkCommands.h"
#include "link/LinkDefaults.h"
#include "link/SensorBlock.h"

namespace hx {
namespace {

class Rig : public ICycleSink, public ILinkObserver {
public:
    HeadTable heads;
    LinkFields link;
    CycleValues cycle;
    OrientationState orientation;
    test::FakeTimerPort timers;
    test::FakeClock clock;
    test::FakeNotifier notifier;
    test::FakeHeadNetwork net{&timers};
    AcquisitionCycle acq{heads, link, cycle, LinkPorts{net, timers, clock, notifier, *this, this}};

    int completed = 0;
    int rejected = 0;
    int sysInfoDecoded = 0;
    int connectionChanges = 0;
    std::vector<std::size_t> requestsAtCompletion;
    std::vector<DisplayLine> lastLines;

    Rig() {
        initialiseLinkDefaults({heads, link, cycle, orientation});
        net.attach(&acq);
        acq.setHeadPort(14040);
    }

    // What the program's ping pipeline does first: the status read goes
    // into the head table; only good cycles go on.
    void onCycleComplete(const CycleView& v, const CycleStatus& status) override {
        applyCycleStatus(status, heads);
        if (!status.good()) {
            ++rejected;
            return;
        }
        ++completed;
        requestsAtCompletion.push_back(net.requests.size());
        lastLines.assign(v.heads.headDisplayLine.begin(), v.heads.headDisplayLine.end());
    }
    void onSystemInfoDecoded() override { ++sysInfoDecoded; }
    void onConnectionChanged(int) override { ++connectionChanges; }

    // Confirms the connection dialog with a loopback address and runs until
    // polling has started.
    void start(std::uint8_t configuration) {
        net.systemInfo = test::makeLoopbackSystemInfo(configuration);
        acq.enterRealTimeMode();
        acq.requestSystemInformation("127.0.10.2");
    }
    bool runCycles(int n) {
        const int target = completed + n;
        return net.runUntil([&] { return completed >= target; });
    }
    void fireWatchdog() {
        ASSERT_TRUE(timers.isActive(TimerId::LinkWatchdog));
        timers.fire(TimerId::LinkWatchdog, [&](TimerId id) { acq.onTimer(id); });
    }
    bool anySendWithWatchdogRunning() const {
        for (const auto& r : net.requests)
            if (r.watchdogActive) return true;
        return false;
    }
};

TEST(AcquisitionCycle, SystemInformationThenFourHeadsInOrder) {
    Rig r;
    r.start(0x1F);
    EXPECT_EQ(r.link.playbackMode, 0);
    ASSERT_TRUE(r.net.step());  // head L's connection is up
    ASSERT_EQ(r.net.requests.size(), 1u);
    EXPECT_EQ(r.net.requests[0].head, 0);
    EXPECT_EQ(r.net.requests[0].code, 0x99);
    EXPECT_EQ(r.net.connects[0].address, "127.0.10.2");
    EXPECT_EQ(r.net.connects[0].port, 14040);
    EXPECT_EQ(r.link.headConnected[0], 0) << "the system information connection is not a polling one";
    EXPECT_EQ(r.link.sysInfoPending, 1);

    ASSERT_TRUE(r.net.step());  // the 256-byte reply
    EXPECT_EQ(r.sysInfoDecoded, 1);
    EXPECT_EQ(r.link.sysInfoPending, 0);
    EXPECT_EQ(r.link.sysInfoReceived, 1);
    EXPECT_EQ(r.link.orientationAvailable, 1);
    EXPECT_EQ(r.link.availableHeadCount, 4);
    EXPECT_EQ(r.net.closes.back(), 0) << "head L's system information connection is closed";
    ASSERT_EQ(r.net.connects.size(), 5u);
    for (int h = 0; h < 4; ++h) {
        EXPECT_EQ(r.net.connects[static_cast<std::size_t>(h) + 1].head, h);
        EXPECT_EQ(r.net.connects[static_cast<std::size_t>(h) + 1].address, "127.0.10." + std::to_string(2 + h));
    }
    // The frequencies from the reply reach the commands.
    EXPECT_EQ(*readU32Le(r.heads.headCommand[2], 30), 540000u);

    // Three connections up: no polling yet. The fourth starts it with L.
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(r.net.step());
    EXPECT_EQ(r.net.requests.size(), 1u);
    EXPECT_EQ(r.link.pollIndex, 3);
    ASSERT_TRUE(r.net.step());
    ASSERT_EQ(r.net.requests.size(), 2u);
    EXPECT_EQ(r.net.requests[1].head, 0);
    EXPECT_EQ(r.net.requests[1].code, 0x44);
    EXPECT_EQ(r.link.pollIndex, 0);

    ASSERT_TRUE(r.runCycles(3));
    // Each completed cycle is followed at once by the next request to L.
    EXPECT_EQ(r.net.dataOrder(), "L0 L1 M0 M1 H0 H1 E0 E1 L0 L1 M0 M1 H0 H1 E0 E1 L0 L1 M0 M1 H0 H1 E0 E1 L0");
    // Cycle complete runs after ES-second, once per cycle.
    EXPECT_EQ(r.requestsAtCompletion, (std::vector<std::size_t>{9, 17, 25}));
    EXPECT_EQ(r.completed, 3);
    EXPECT_EQ(r.link.linkStale, 0);
    EXPECT_EQ(r.heads.headIdText, (PerHead<std::string>{"LFA", "MFB", "HFC", "ESD"}));
    EXPECT_EQ(r.cycle.pingDateText, "08-DEC-2026");
    EXPECT_EQ(r.cycle.pingTimeText, "14:30:05");
    EXPECT_EQ(r.cycle.pingMillisecondsText, ".250");
    EXPECT_EQ(r.cycle.pingClock, r.clock.now);
    // Display lines as handed on.
    EXPECT_EQ(r.lastLines[1][1023], test::samplePattern(1, 0, 0));
    EXPECT_EQ(r.lastLines[1][2023], test::samplePattern(1, 1, 999));
    EXPECT_EQ(r.lastLines[3][24], test::samplePattern(3, 0, 0));
    EXPECT_FALSE(r.anySendWithWatchdogRunning());
    EXPECT_TRUE(r.timers.isActive(TimerId::LinkWatchdog));
    EXPECT_EQ(r.timers.intervalMs(TimerId::LinkWatchdog), 3000);
}

TEST(AcquisitionCycle, LowAndEchoSounderOnly) {
    Rig r;
    r.start(0x09);
    ASSERT_TRUE(r.runCycles(2));
    EXPECT_EQ(r.net.dataOrder(), "L0 L1 E0 E1 L0 L1 E0 E1 L0");
    EXPECT_EQ(r.requestsAtCompletion, (std::vector<std::size_t>{5, 9}));
    EXPECT_EQ(r.link.availableHeadCount, 2);
}

TEST(AcquisitionCycle, MediumAndHighOnlyWrapsPastTheEchoSounder) {
    Rig r;
    r.start(0x06);
    ASSERT_TRUE(r.runCycles(3));
    EXPECT_EQ(r.net.dataOrder(), "M0 M1 H0 H1 M0 M1 H0 H1 M0 M1 H0 H1 M0");
    EXPECT_EQ(r.requestsAtCompletion, (std::vector<std::size_t>{5, 9, 13}));
    EXPECT_EQ(r.link.displayHeadA, 1);
    EXPECT_EQ(r.link.displayHeadB, 2);
}

TEST(AcquisitionCycle, ConfigurationByte0x0B) {
    Rig r;
    r.start(0x0B);
    ASSERT_TRUE(r.runCycles(1));
    EXPECT_EQ(r.net.dataOrder(), "L0 L1 M0 M1 E0 E1 L0");
    EXPECT_EQ(r.link.availableHeadCount, 3);
    EXPECT_EQ(r.heads.headAvailable, (PerHead<std::int32_t>{1, 1, 0, 1}));
    EXPECT_EQ(r.link.orientationAvailable, 0);
    EXPECT_EQ(r.heads.headIdText[2], "n/a") << "an absent head's status is not read";
}

TEST(AcquisitionCycle, SplitAndOversizedRepliesKeepPolling) {
    for (std::size_t chunk : {std::size_t{1}, std::size_t{100}, std::size_t{564}, std::size_t{1000}}) {
        SCOPED_TRACE(chunk);
        Rig r;
        for (auto& s : r.net.script) s.chunkBytes = chunk;
        r.net.script[2].extraBytes = 1;  // H answers 1129 bytes
        r.start(0x0F);
        ASSERT_TRUE(r.runCycles(4));
        EXPECT_EQ(r.completed, 4);
        EXPECT_EQ(r.lastLines[2][24], test::samplePattern(2, 0, 999));
        EXPECT_EQ(r.net.connects.size(), 5u) << "no rebuild was needed";
    }
}

TEST(AcquisitionCycle, SilentHeadTriggersTheWatchdogAndPollingResumes) {
    Rig r;
    r.start(0x0F);
    ASSERT_TRUE(r.runCycles(2));
    r.net.script[2].silent = true;
    r.net.runUntilIdle();
    EXPECT_EQ(r.completed, 2);
    EXPECT_EQ(r.net.requests.back().head, 2) << "stuck waiting for H";
    EXPECT_EQ(r.link.linkStale, 0);

    r.net.script[2].silent = false;
    const std::size_t connectsBefore = r.net.connects.size();
    r.fireWatchdog();
    EXPECT_EQ(r.link.linkStale, 1);
    EXPECT_TRUE(r.timers.isActive(TimerId::LinkWatchdog)) << "re-armed";
    EXPECT_EQ(r.net.connects.size(), connectsBefore + 4) << "every connection rebuilt";
    for (int h = 0; h < 4; ++h) EXPECT_EQ(r.link.headConnected[static_cast<std::size_t>(h)], 0);

    const std::size_t from = r.net.requests.size();
    ASSERT_TRUE(r.runCycles(1));
    EXPECT_EQ(r.net.dataOrder(from), "L0 L1 M0 M1 H0 H1 E0 E1 L0");
    EXPECT_EQ(r.link.linkStale, 0);
    EXPECT_EQ(r.completed, 3);
}

TEST(AcquisitionCycle, ErrorStatusRejectsTheCycle) {
    Rig r;
    r.start(0x0F);
    ASSERT_TRUE(r.runCycles(1));
    r.net.script[1].status = 0x04;  // bit 2: an error flag
    const std::size_t from = r.net.requests.size();
    ASSERT_TRUE(r.net.runUntil([&] { return r.rejected >= 2; }));
    EXPECT_EQ(r.completed, 1) << "not handed on";
    EXPECT_EQ(r.completed, 1);
    EXPECT_EQ(r.heads.headStatus[1], 0x04);
    EXPECT_GE(r.net.dataOrder(from).size(), std::string("L0 L1 M0 M1 H0 H1 E0 E1 L0").size()) << "polling goes on";

    // Bits outside the mask are no error.
    r.net.script[1].status = 0x83;
    ASSERT_TRUE(r.runCycles(1));
    EXPECT_EQ(r.completed, 2);
    EXPECT_EQ(r.heads.headStatus[1], 0x83);
}

TEST(AcquisitionCycle, PeerThatClosesRebuildsTheLinkInsteadOfRepeatingItsLastPing) {
    Rig r;
    r.start(0x0F);
    ASSERT_TRUE(r.runCycles(1));
    const std::size_t connectsBefore = r.net.connects.size();
    const std::size_t from = r.net.requests.size();
    r.net.peerClose(1);  // M closes between requests
    // Once all four are back, polling resumes with M in every cycle.
    ASSERT_TRUE(r.runCycles(2));
    EXPECT_EQ(r.net.connects.size(), connectsBefore + 4) << "every available head is connected again";
    EXPECT_EQ(r.link.headConnected[1], 1);
    const std::string order = r.net.dataOrder(from);
    EXPECT_EQ(order.find("L0 L1 H0 H1 E0 E1"), std::string::npos) << "no cycle without M: " << order;
    EXPECT_NE(order.find("L0 L1 M0 M1 H0 H1 E0 E1"), std::string::npos) << order;
}

TEST(AcquisitionCycle, PeerClosingWhilePolledIsReconnectedWithoutWaitingForTheWatchdog) {
    Rig r;
    // ES closes after every third reply on a connection: after E0 of the
    // second cycle of each connection.
    r.net.script[3].closeAfterReplies = 3;
    r.start(0x0F);
    const std::size_t from = r.net.requests.size();
    ASSERT_TRUE(r.runCycles(3)) << "each reconnection completes a whole cycle, no watchdog needed";
    EXPECT_GT(r.net.connects.size(), 5u);
    // No cycle ever completes without the echo sounder's fresh halves.
    const std::string order = r.net.dataOrder(from);
    EXPECT_EQ(order.find("H1 L0"), std::string::npos) << order;
}

TEST(AcquisitionCycle, NoSystemInformationIsRetriedEveryExpiry) {
    Rig r;
    r.net.script[0].answerSystemInfo = false;
    r.start(0x0F);
    r.net.runUntilIdle();
    ASSERT_EQ(r.net.requests.size(), 1u);
    EXPECT_EQ(sysInfoWaitText(r.heads, r.link), "") << "the first try has had no time yet";
    for (int retry = 1; retry <= 3; ++retry) {
        r.clock.now.second = static_cast<std::uint16_t>(5 + 3 * retry);  // the first try's time is the one shown
        r.fireWatchdog();
        EXPECT_EQ(sysInfoWaitText(r.heads, r.link),
                  "No answer from 127.0.10.2 (" + std::to_string(retry + 1) + " tries since 14:30:05)");
        EXPECT_EQ(r.link.linkStale, 1);
        EXPECT_EQ(r.link.sysInfoPending, 1);
        r.net.runUntilIdle();
        ASSERT_EQ(r.net.requests.size(), static_cast<std::size_t>(1 + retry));
        EXPECT_EQ(r.net.requests.back().code, 0x99);
        EXPECT_EQ(r.net.requests.back().head, 0);
        EXPECT_EQ(r.net.connects.back().address, "127.0.10.2");
    }
    EXPECT_EQ(r.net.connects.size(), 4u) << "only head L is reconnected";
    r.net.script[0].answerSystemInfo = true;
    r.fireWatchdog();
    ASSERT_TRUE(r.runCycles(1));
    EXPECT_EQ(r.link.sysInfoPending, 0);
    EXPECT_EQ(sysInfoWaitText(r.heads, r.link), "") << "answered";
}

TEST(AcquisitionCycle, A256ByteReplyThatIsNotSystemInformationMarksTheLinkStale) {
    Rig r;
    r.start(0x0F);
    r.net.systemInfo[0] = 'X';
    r.link.linkStale = 0;
    r.net.runUntilIdle();
    EXPECT_EQ(r.link.linkStale, 1);
    EXPECT_EQ(r.link.sysInfoPending, 1);
    EXPECT_EQ(r.sysInfoDecoded, 0);
    r.net.systemInfo[0] = 'T';
    r.fireWatchdog();
    ASSERT_TRUE(r.runCycles(1));
}

TEST(AcquisitionCycle, UnknownHalfIndicatorIsDroppedUntilTheWatchdog) {
    Rig r;
    r.start(0x0F);
    ASSERT_TRUE(r.runCycles(1));
    const DisplayLine before = r.heads.headDisplayLine[0];
    r.net.script[0].halfOverride = 0x20;
    r.net.runUntilIdle();
    EXPECT_EQ(r.completed, 1);
    EXPECT_EQ(r.heads.headDisplayLine[0], before);
    EXPECT_EQ(r.link.linkStale, 0) << "a complete reply clears the flag before the half is looked at";
    r.net.script[0].halfOverride = 0xFF;
    r.fireWatchdog();
    ASSERT_TRUE(r.runCycles(1));
}

TEST(AcquisitionCycle, ShortReplyNeverCompletesAndChangesNoLine) {
    Rig r;
    r.start(0x0F);
    ASSERT_TRUE(r.runCycles(1));
    const DisplayLine before = r.heads.headDisplayLine[1];
    r.net.script[1].replyBytes = 1127;
    r.net.runUntilIdle();
    EXPECT_EQ(r.heads.headDisplayLine[1], before);
    EXPECT_EQ(r.net.requests.back().head, 1);
    EXPECT_EQ(r.net.requests.back().half, 0x00);
    r.net.script[1].replyBytes = kDataReplyBytes;
    r.fireWatchdog();
    EXPECT_EQ(r.link.linkStale, 1);
    ASSERT_TRUE(r.runCycles(1));
    EXPECT_EQ(r.link.linkStale, 0);
}

TEST(AcquisitionCycle, StrayBytesBetweenRequestsAreIgnored) {
    Rig r;
    r.start(0x0F);
    ASSERT_TRUE(r.runCycles(1));
    // Garbage from an idle head is thrown away; polling is not disturbed.
    r.net.inject(1, std::vector<std::uint8_t>(3000, 0x55));
    r.net.inject(3, test::makeDataReply(3, 0x10, 0x7C));
    ASSERT_TRUE(r.runCycles(2));
    EXPECT_EQ(r.completed, 3);
    EXPECT_EQ(r.rejected, 0);
}

TEST(AcquisitionCycle, UnreachableHeadHoldsPollingUntilItAnswers) {
    Rig r;
    r.net.script[2].reachable = false;
    r.start(0x0F);
    r.net.runUntilIdle();
    EXPECT_EQ(r.net.dataOrder(), "");
    EXPECT_TRUE(r.notifier.messages.empty()) << "a failed connect shows no message";
    r.fireWatchdog();
    r.net.runUntilIdle();
    EXPECT_EQ(r.net.dataOrder(), "");
    r.net.script[2].reachable = true;
    r.fireWatchdog();
    ASSERT_TRUE(r.runCycles(1));
    EXPECT_EQ(r.net.dataOrder(), "L0 L1 M0 M1 H0 H1 E0 E1 L0");
}

TEST(AcquisitionCycle, BrokenConnectionShowsSystemErrorOnce) {
    Rig r;
    r.start(0x0F);
    ASSERT_TRUE(r.runCycles(1));
    r.net.breakConnection(2, "Connection reset by peer");
    r.net.breakConnection(1, "Connection reset by peer");
    const int before = r.completed;
    r.net.runUntil([&] { return r.completed > before; });
    ASSERT_EQ(r.notifier.messages.size(), 1u);
    EXPECT_EQ(r.notifier.messages[0].text, "system error! ");
    // Once the link works again a new error is shown again.
    ASSERT_TRUE(r.runCycles(1));
    r.net.breakConnection(0, "Connection reset by peer");
    EXPECT_TRUE(r.net.runUntil([&] { return r.notifier.messages.size() == 2; }));
}

TEST(AcquisitionCycle, PlaybackClosesTheLinkAndTheWatchdogStaysOff) {
    Rig r;
    r.start(0x0F);
    ASSERT_TRUE(r.runCycles(1));
    r.acq.enterPlaybackMode();
    EXPECT_EQ(r.link.playbackMode, 1);
    EXPECT_FALSE(r.timers.isActive(TimerId::LinkWatchdog));
    r.net.runUntilIdle();
    EXPECT_EQ(r.completed, 1);
    // An expiry that was already on its way does nothing and does not re-arm.
    r.timers.start(TimerId::LinkWatchdog, 3000, true);
    const std::size_t connects = r.net.connects.size();
    r.fireWatchdog();
    EXPECT_FALSE(r.timers.isActive(TimerId::LinkWatchdog));
    EXPECT_EQ(r.net.connects.size(), connects);
    // Back to real time.
    r.acq.enterRealTimeMode();
    r.acq.reconnect();
    ASSERT_TRUE(r.runCycles(1));
}

TEST(AcquisitionCycle, NotAvailableRebuildsWithTheNewHeadCount) {
    Rig r;
    r.start(0x1F);
    ASSERT_TRUE(r.runCycles(1));
    const unsigned effect = runLinkCommand(LinkCommand::notAvailable(kHeadM), r.heads, r.link, r.orientation.filters);
    ASSERT_NE(effect & kEffectRebuildConnections, 0u);
    r.acq.availabilityChanged();
    EXPECT_EQ(r.link.availableHeadCount, 3);
    const std::size_t from = r.net.requests.size();
    ASSERT_TRUE(r.runCycles(2));
    EXPECT_EQ(r.net.dataOrder(from), "L0 L1 H0 H1 E0 E1 L0 L1 H0 H1 E0 E1 L0");
    runLinkCommand(LinkCommand::notAvailable(kHeadM), r.heads, r.link, r.orientation.filters);
    r.acq.availabilityChanged();
    const std::size_t again = r.net.requests.size();
    ASSERT_TRUE(r.runCycles(1));
    EXPECT_EQ(r.net.dataOrder(again), "L0 L1 M0 M1 H0 H1 E0 E1 L0");
}

TEST(AcquisitionCycle, SensorBlockArrivesWhereItIsDecoded) {
    Rig r;
    writeU16Le(r.net.sensorBlock, 0, 0x4000);  // pitch +90
    writeU16Le(r.net.sensorBlock, 4, 0x0000);  // heading 0 - 22 = 338
    writeU16Le(r.net.sensorBlock, 10, 0xFFFF);
    r.start(0x1F);
    ASSERT_TRUE(r.runCycles(1));
    decodeSensorBlockInto(r.heads, r.orientation);
    EXPECT_EQ(r.orientation.pitchDeg, 90.0);
    EXPECT_DOUBLE_EQ(r.orientation.headingDeg, 338.0);
    EXPECT_NEAR(r.orientation.depthM, 999.98, 0.005);
    EXPECT_EQ(r.lastLines[3][1024], 0x00);
    EXPECT_EQ(r.lastLines[3][1025], 0x40);
}

TEST(AcquisitionCycle, EachHeadHasItsOwnPort) {
    Rig r;
    r.acq.setHeadPort(2, 15002);
    r.start(0x0F);
    ASSERT_TRUE(r.runCycles(1));
    for (const auto& c : r.net.connects) EXPECT_EQ(c.port, c.head == 2 ? 15002 : 14040);
    EXPECT_EQ(r.acq.headPort(2), 15002);
}

}  // namespace
}  // namespace hx
