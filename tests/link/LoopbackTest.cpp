// The real acquisition cycle over QtHeadConnections and loopback TCP against
// hx642-headsim. Each test gives the simulator its own loopback addresses and
// lets every server pick a free port; every wait is bounded.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "QtTestApp.h"
#include "fakes/FakeNotifier.h"
#include "link/AcquisitionCycle.h"
#include "link/LinkDefaults.h"
#include "platform/QtClock.h"
#include "platform/QtHeadConnections.h"
#include "platform/QtTimerPort.h"

namespace hx {
namespace {

// Runs the event loop until the condition holds or the time is up. Unlike
// QTest::qWaitFor it does not sleep between rounds, so a fast link is not
// paced by the wait; a 20 ms heartbeat keeps the deadline checked.
bool waitUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer elapsed;
    elapsed.start();
    QTimer heartbeat;
    heartbeat.start(20);
    while (!done()) {
        if (elapsed.elapsed() > timeoutMs) return done();
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

QString simulatorPath() {
    const QByteArray env = qgetenv("HX642_HEADSIM");
    if (!env.isEmpty()) return QString::fromLocal8Bit(env);
    return QStringLiteral(HX642_BINARY_DIR "/tools/headsim/hx642-headsim");
}

// hx642-headsim as a child process: started with the given options, ready
// once it has printed "ready", stopped with SIGTERM.
class Simulator {
public:
    ~Simulator() { stop(); }

    bool start(const QStringList& args) {
        process_.setProgram(simulatorPath());
        process_.setArguments(args + QStringList{"--port", "0", "--no-delay", "--seconds", "60"});
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start();
        const bool ready = QTest::qWaitFor([this] { return readLines() || process_.state() == QProcess::NotRunning; }, 10000);
        return ready && ready_;
    }

    void stop() {
        if (process_.state() == QProcess::NotRunning) return;
        process_.terminate();
        if (!process_.waitForFinished(5000)) {
            process_.kill();
            process_.waitForFinished(2000);
        }
        exitedCleanly_ = process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
    }

    std::uint16_t port(char head) const { return ports_.count(head) ? ports_.at(head) : 0; }
    std::string address(char head) const { return addresses_.count(head) ? addresses_.at(head) : std::string(); }
    bool exitedCleanly() const { return exitedCleanly_; }

private:
    // Reads "listening L 127.0.11.2:40123" lines; true once "ready" was seen.
    bool readLines() {
        while (process_.canReadLine()) {
            const QString line = QString::fromUtf8(process_.readLine()).trimmed();
            const QStringList words = line.split(' ', Qt::SkipEmptyParts);
            if (words.size() == 3 && words[0] == "listening" && words[1].size() == 1) {
                const int colon = words[2].lastIndexOf(':');
                const char head = words[1][0].toLatin1();
                addresses_[head] = words[2].left(colon).toStdString();
                ports_[head] = static_cast<std::uint16_t>(words[2].mid(colon + 1).toUInt());
            } else if (line == "ready") {
                ready_ = true;
            }
        }
        return ready_;
    }

    QProcess process_;
    std::map<char, std::uint16_t> ports_;
    std::map<char, std::string> addresses_;
    bool ready_ = false;
    bool exitedCleanly_ = false;
};

// Forwards to the real port and keeps a log of what the link asked for.
class RecordingPort final : public IHeadConnectionPort {
public:
    explicit RecordingPort(IHeadConnectionPort& inner) : inner_(inner) {}
    struct Request {
        int head;
        std::uint8_t code, half;
    };
    void connect(int head, const std::string& address, std::uint16_t port) override {
        ++connects;
        connectAddresses.push_back(address);
        inner_.connect(head, address, port);
    }
    void send(int head, std::span<const std::uint8_t> bytes) override {
        requests.push_back({head, bytes[1], bytes[10]});
        inner_.send(head, bytes);
    }
    void close(int head) override { inner_.close(head); }

    std::string dataOrder(std::size_t from) const {
        static const char* names[] = {"L", "M", "H", "E"};
        std::string out;
        for (std::size_t i = from; i < requests.size(); ++i) {
            if (requests[i].code != 0x44) continue;
            if (!out.empty()) out += ' ';
            out += names[requests[i].head];
            out += requests[i].half == 0x10 ? '1' : '0';
        }
        return out;
    }
    int sysInfoRequests() const {
        int n = 0;
        for (const auto& r : requests) n += r.code == 0x99;
        return n;
    }

    int connects = 0;
    std::vector<std::string> connectAddresses;
    std::vector<Request> requests;

private:
    IHeadConnectionPort& inner_;
};

class LoopbackRig : public ICycleSink, public ILinkObserver {
public:
    HeadTable heads;
    LinkFields link;
    CycleValues cycle;
    OrientationState orientation;
    QtHeadConnections sockets;
    RecordingPort port{sockets};
    QtTimerPort timers{[this](TimerId id) { acq.onTimer(id); }};
    QtClock clock;
    test::FakeNotifier notifier;
    AcquisitionCycle acq{heads, link, cycle, LinkPorts{port, timers, clock, notifier, *this, this}};
    Simulator sim;

    int completed = 0;
    int rejected = 0;
    std::size_t requestsAtFirstCycle = 0;

    LoopbackRig() {
        test::qtTestApp();
        initialiseLinkDefaults({heads, link, cycle, orientation});
        sockets.setEvents(&acq);
    }
    ~LoopbackRig() override {
        acq.enterPlaybackMode();  // closes every connection, stops the watchdog
        sim.stop();
    }

    void onCycleComplete(const CycleView&, const CycleStatus& status) override {
        applyCycleStatus(status, heads);
        if (!status.good()) {
            ++rejected;
            return;
        }
        if (completed++ == 0) requestsAtFirstCycle = port.requests.size();
    }

    // Starts the simulator on 127.0.<net>.2..5 and confirms the connection
    // dialog with the address of the first head it serves.
    bool start(int net, const QStringList& options) {
        QStringList addresses;
        for (int k = 2; k <= 5; ++k) addresses << QStringLiteral("127.0.%1.%2").arg(net).arg(k);
        if (!sim.start(QStringList{"--addresses", addresses.join(',')} + options)) return false;
        const char letters[] = {'L', 'M', 'H', 'E'};
        std::string systemAddress;
        for (int h = 0; h < 4; ++h) {
            const std::uint16_t p = sim.port(letters[h]);
            if (p == 0) continue;
            acq.setHeadPort(h, p);
            if (systemAddress.empty()) {
                systemAddress = sim.address(letters[h]);
                acq.setHeadPort(kHeadL, p);  // the system address is the first head's
            }
        }
        if (systemAddress.empty()) return false;
        acq.enterRealTimeMode();
        acq.requestSystemInformation(systemAddress);
        return true;
    }

    bool waitCycles(int n, int timeoutMs = 10000) {
        return waitUntil([&] { return completed >= n; }, timeoutMs);
    }
};

TEST(LinkLoopback, FourHeads) {
    LoopbackRig r;
    ASSERT_TRUE(r.start(11, {}));
    ASSERT_TRUE(r.waitCycles(20));
    EXPECT_EQ(r.link.sysInfoReceived, 1);
    EXPECT_EQ(r.link.availableHeadCount, 4);
    EXPECT_EQ(r.link.orientationAvailable, 1);
    EXPECT_EQ(r.heads.headIpAddress[3], "127.0.11.5");
    EXPECT_EQ(r.port.connects, 5) << "no rebuild";
    EXPECT_EQ(r.link.linkStale, 0);
    const std::string order = r.port.dataOrder(r.requestsAtFirstCycle);
    EXPECT_EQ(order.substr(0, 47), "L0 L1 M0 M1 H0 H1 E0 E1 L0 L1 M0 M1 H0 H1 E0 E1");
    for (int h = 0; h < 4; ++h) EXPECT_NE(r.heads.headIdText[static_cast<std::size_t>(h)], "n/a");
    EXPECT_TRUE(r.notifier.messages.empty());
}

TEST(LinkLoopback, LowAndEchoSounderOnly) {
    LoopbackRig r;
    ASSERT_TRUE(r.start(12, {"--heads", "LE"}));
    ASSERT_TRUE(r.waitCycles(10));
    EXPECT_EQ(r.link.availableHeadCount, 2);
    EXPECT_EQ(r.port.dataOrder(r.requestsAtFirstCycle).substr(0, 23), "L0 L1 E0 E1 L0 L1 E0 E1");
    EXPECT_EQ(r.port.connects, 3);
}

TEST(LinkLoopback, MediumAndHighOnly) {
    LoopbackRig r;
    ASSERT_TRUE(r.start(13, {"--heads", "MH"}));
    ASSERT_TRUE(r.waitCycles(10));
    EXPECT_EQ(r.link.availableHeadCount, 2);
    EXPECT_EQ(r.heads.headAvailable, (PerHead<std::int32_t>{0, 1, 1, 0}));
    EXPECT_EQ(r.port.dataOrder(r.requestsAtFirstCycle).substr(0, 23), "M0 M1 H0 H1 M0 M1 H0 H1");
}

TEST(LinkLoopback, SplitRepliesAreReassembledWithoutStalling) {
    LoopbackRig r;
    ASSERT_TRUE(r.start(14, {"--split-replies"}));
    ASSERT_TRUE(r.waitCycles(10));
    EXPECT_EQ(r.port.connects, 5) << "no watchdog rebuild";
    // Nothing dropped: every request was answered and led to the next one.
    EXPECT_EQ(r.link.linkStale, 0);
}

TEST(LinkLoopback, ErrorFlagsRejectCyclesAndPollingGoesOn) {
    LoopbackRig r;
    ASSERT_TRUE(r.start(15, {"--error-every", "5"}));
    ASSERT_TRUE(waitUntil([&] { return r.completed >= 5 && r.rejected >= 3; }, 10000));
    EXPECT_EQ(r.port.connects, 5);
}

TEST(LinkLoopback, ConnectionsClosedByTheHeadsAreRebuilt) {
    LoopbackRig r;
    ASSERT_TRUE(r.start(16, {"--close-after", "10"}));
    ASSERT_TRUE(r.waitCycles(2));
    const int connectsBefore = r.port.connects;
    const int cyclesBefore = r.completed;
    // All heads close after ten replies; the watchdog rebuilds within 3 s.
    ASSERT_TRUE(waitUntil([&] { return r.port.connects > connectsBefore && r.completed > cyclesBefore + 2; },
                                9000));
}

TEST(LinkLoopback, SilentHeadIsRebuiltByTheWatchdog) {
    LoopbackRig r;
    ASSERT_TRUE(r.start(17, {"--silent-head", "H"}));
    ASSERT_TRUE(waitUntil([&] { return r.link.sysInfoPending == 0 && r.port.connects == 5; }, 5000));
    // Polling stalls at H's first half.
    ASSERT_TRUE(waitUntil([&] { return !r.port.requests.empty() && r.port.requests.back().head == 2; }, 3000));
    const std::size_t requestsBefore = r.port.requests.size();
    ASSERT_TRUE(waitUntil([&] { return r.port.connects > 5; }, 5000)) << "watchdog expiry after 3 s";
    EXPECT_EQ(r.completed, 0);
    EXPECT_EQ(r.link.linkStale, 1);
    EXPECT_EQ(r.port.connects, 9) << "every connection rebuilt";
    // Polling resumes after the rebuild and stalls at H again.
    ASSERT_TRUE(waitUntil([&] { return r.port.requests.size() > requestsBefore + 2 && r.port.requests.back().head == 2; },
                          3000));
    EXPECT_EQ(r.port.dataOrder(requestsBefore), "L0 L1 M0 M1 H0");
}

TEST(LinkLoopback, NoSystemInformationIsRequestedAgain) {
    LoopbackRig r;
    ASSERT_TRUE(r.start(18, {"--no-sysinfo"}));
    ASSERT_TRUE(waitUntil([&] { return r.port.sysInfoRequests() >= 2; }, 5000));
    EXPECT_EQ(r.link.sysInfoPending, 1);
    EXPECT_EQ(r.link.linkStale, 1);
    EXPECT_EQ(r.completed, 0);
    for (const auto& a : r.port.connectAddresses) EXPECT_EQ(a, "127.0.18.2");
}

TEST(LinkLoopback, SimulatorStopsCleanly) {
    LoopbackRig r;
    ASSERT_TRUE(r.start(19, {"--heads", "L"}));
    ASSERT_TRUE(r.waitCycles(3));
    r.acq.enterPlaybackMode();
    r.sim.stop();
    EXPECT_TRUE(r.sim.exitedCleanly());
}

}  // namespace
}  // namespace hx
