// Messages never re-enter the program: a fault raised inside a socket or
// timer handler is reported once, after the handler has returned, while the
// link, the watchdog and playback go on underneath. Real Qt sockets, timers
// and message boxes against the head simulator on loopback; AddressSanitizer
// catches a connection deleted under its own handler.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

#include "platform/QtClock.h"
#include "platform/QtFileDialogPort.h"
#include "platform/QtHeadConnections.h"
#include "platform/QtTimerPort.h"
#include "platform/SimulatorProcess.h"
#include "platform/WidgetNotifier.h"
#include "record/RecorderTexts.h"
#include "record/StdFileSystem.h"
#include "session/DocumentLifecycle.h"
#include "session/SkerrySession.h"

namespace hx {
namespace {

constexpr const char* kDiskFull = "WARNING! The disk is full!!\nSaving process will stop!";

bool runUntil(const std::function<bool()>& done, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// Real files whose file system reports what the test says is free.
class FillableFileSystem final : public IFileSystem {
public:
    std::unique_ptr<IRandomAccessFile> open(const std::string& p, OpenMode m) override { return real.open(p, m); }
    bool exists(const std::string& p) override { return real.exists(p); }
    std::optional<std::uint64_t> freeSpaceBytes(const std::string& p) override {
        return freeBytes ? freeBytes : real.freeSpaceBytes(p);
    }
    bool samePath(const std::string& a, const std::string& b) override { return real.samePath(a, b); }
    StdFileSystem real;
    std::optional<std::uint64_t> freeBytes;
};

// Passes the link's events through and, on the nth received reply, reports
// a socket error from inside the receive handler, as a broken cable does.
class ErrorInjectingPort final : public IHeadConnectionPort, public IHeadConnectionEvents {
public:
    explicit ErrorInjectingPort(QtHeadConnections& inner) : inner_(inner) { inner_.setEvents(this); }
    void connect(int h, const std::string& a, std::uint16_t p) override { inner_.connect(h, a, p); }
    void send(int h, std::span<const std::uint8_t> b) override { inner_.send(h, b); }
    void close(int h) override { inner_.close(h); }
    void onConnected(int h) override { events->onConnected(h); }
    void onBytesReceived(int h, std::span<const std::uint8_t> b) override {
        events->onBytesReceived(h, b);
        if (++received == errorAt) events->onError(h, "connection reset");
    }
    void onClosed(int h) override { events->onClosed(h); }
    void onError(int h, const std::string& t) override { events->onError(h, t); }

    IHeadConnectionEvents* events = nullptr;
    int received = 0;
    int errorAt = -1;

private:
    QtHeadConnections& inner_;
};

class QuietShell final : public IPlaybackShell {};
class QuietWindow final : public IRecorderWindow {
public:
    void setCaption(const std::string&) override {}
    void addRecentFile(const std::string&) override {}
};
class CountingObserver final : public ISessionObserver {
public:
    void cycleProcessed(const PingOutcome& o) override { cycles += o.accepted ? 1 : 0; }
    void onLinkRebuilt() override { ++rebuilds; }
    int cycles = 0, rebuilds = 0;
};

// The program's live half: the session over real sockets and timers, with
// the message boxes the operator sees.
struct LiveRig {
    QTemporaryDir dir;
    QWidget window;
    CSkerryDoc doc;
    QtClock clock;
    WidgetNotifier notifier{&window};
    QtFileDialogPort dialogs{&window};
    FillableFileSystem fs;
    QtHeadConnections sockets;
    ErrorInjectingPort port{sockets};
    QuietWindow recorderWindow;
    QuietShell shell;
    CountingObserver observer;
    std::unique_ptr<SkerrySession> session;
    QtTimerPort timers{[this](TimerId id) { session->onTimer(id); }};
    SimulatorProcess simulator;

    explicit LiveRig(const QStringList& simulatorOptions) {
        NewDocument(doc, makeDocumentPaths(dir.path().toStdString()));
        session = std::make_unique<SkerrySession>(
            doc, SessionPorts{port, timers, clock, notifier, dialogs, fs, recorderWindow, shell, observer});
        port.events = &session->link();
        simulator.start(QStringList{"--port", "0", "--no-delay", "--seconds", "60"} + simulatorOptions);
    }
    ~LiveRig() {
        session->beginClose();
        session->close();
        if (QMessageBox* box = notifier.visibleBox()) box->close();
    }
    bool connect() {
        if (!simulator.waitUntilReady(15000)) return false;
        const SimulatorEndpoints& e = simulator.endpoints();
        for (int h = 0; h < kHeadCount; ++h) {
            const auto i = static_cast<std::size_t>(h);
            session->link().setHeadPort(h, e.port[i]);
            doc.heads.headIpAddress[i] = e.address[i].toStdString();
        }
        session->link().enterRealTimeMode();
        session->link().requestSystemInformation(simulator.systemAddress().toStdString());
        return runUntil([&] { return observer.cycles >= 3; }, 20000);
    }
    int shown(const QString& text) const {
        QMessageBox* box = notifier.visibleBox();
        return box && box->text() == text ? 1 : 0;
    }
};

TEST(NoReentry, DiskFullWhileTheLinkIsRebuiltShowsOneBoxAndStopsRecording) {
    // Each head closes after some replies: the link is rebuilt from inside a
    // socket handler again and again while the box is up.
    LiveRig rig({"--close-after", "9"});
    ASSERT_TRUE(rig.connect());
    ASSERT_TRUE(rig.session->recorder().startRecordingTo((rig.dir.path() + "/run.642").toStdString(), {}));
    rig.fs.freeBytes = 10;  // the disk fills up
    ASSERT_TRUE(runUntil([&] { return rig.notifier.visibleBox() != nullptr; }, 10000));
    EXPECT_FALSE(rig.session->recorder().recording()) << "stopped before it reported";
    const int cyclesAtMessage = rig.observer.cycles;
    ASSERT_TRUE(runUntil([&] { return rig.observer.cycles >= cyclesAtMessage + 20 && rig.observer.rebuilds >= 2; },
                         20000))
        << "the link keeps running under the box";
    EXPECT_EQ(rig.notifier.shownCount(), 1);
    EXPECT_EQ(rig.notifier.waitingCount(), 0);
    EXPECT_EQ(rig.shown(QString::fromLatin1(kDiskFull)), 1);
}

TEST(NoReentry, SystemErrorInsideAReceiveHandlerWhileTheWatchdogFires) {
    // Head M goes silent: the watchdog rebuilds every connection every 3 s,
    // deleting the sockets, while the error raised inside a receive handler
    // is on screen.
    LiveRig rig({"--silent-head", "M"});
    rig.port.errorAt = 3;
    ASSERT_TRUE(rig.simulator.waitUntilReady(15000));
    const SimulatorEndpoints& e = rig.simulator.endpoints();
    for (int h = 0; h < kHeadCount; ++h) {
        rig.session->link().setHeadPort(h, e.port[static_cast<std::size_t>(h)]);
        rig.doc.heads.headIpAddress[static_cast<std::size_t>(h)] = e.address[static_cast<std::size_t>(h)].toStdString();
    }
    rig.session->link().enterRealTimeMode();
    rig.session->link().requestSystemInformation(rig.simulator.systemAddress().toStdString());
    ASSERT_TRUE(runUntil([&] { return rig.notifier.visibleBox() != nullptr; }, 10000));
    EXPECT_EQ(rig.shown(QString::fromLatin1("system error! ")), 1);
    ASSERT_TRUE(runUntil([&] { return rig.observer.rebuilds >= 2; }, 15000)) << "the watchdog fired under the box";
    EXPECT_EQ(rig.notifier.shownCount(), 1);
}

TEST(NoReentry, RepeatedMessagesWhileOneIsShownDoNotStack) {
    QWidget window;
    WidgetNotifier notifier(&window);
    for (int i = 0; i < 5; ++i) notifier.message("system error! ", MessageIcon::Error, Buttons::Ok, "HX642");
    notifier.message("Error Writing File!\nSaving process will stop!", MessageIcon::Error, Buttons::Ok, "HX642");
    EXPECT_EQ(notifier.visibleBox(), nullptr) << "nothing is shown inside the call";
    ASSERT_TRUE(runUntil([&] { return notifier.visibleBox() != nullptr; }, 2000));
    EXPECT_EQ(notifier.visibleBox()->text(), QStringLiteral("system error! "));
    EXPECT_EQ(notifier.waitingCount(), 1) << "the same text is queued once";
    notifier.message("system error! ", MessageIcon::Error, Buttons::Ok, "HX642");
    EXPECT_EQ(notifier.waitingCount(), 1);
    notifier.visibleBox()->close();
    ASSERT_TRUE(runUntil([&] {
        return notifier.visibleBox() && notifier.visibleBox()->text().startsWith(QStringLiteral("Error Writing"));
    }, 2000));
    notifier.visibleBox()->close();
    EXPECT_EQ(notifier.shownCount(), 2);
}

}  // namespace
}  // namespace hx
