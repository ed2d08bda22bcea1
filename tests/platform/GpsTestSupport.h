// Shared pieces of the GPS platform tests: the Qt application, a pair of
// pseudo-terminals joined by socat (one end for the reader, one to write
// into), a notifier that records, and waiting for the reader thread.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <fcntl.h>
#include <unistd.h>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "core/Notifier.h"
#include "nav/GpsSnapshot.h"
#include "platform/gps/GpsReaderThread.h"

namespace hx::test {

class QtAppEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "gps_platform_tests";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance()) app_ = new QCoreApplication(argc, argv);
    }
    void TearDown() override {
        delete app_;
        app_ = nullptr;
    }

private:
    QCoreApplication* app_ = nullptr;
};

class RecordingNotifier final : public INotifier {
public:
    Answer message(const std::string& text, MessageIcon, Buttons, const std::string&) override {
        messages.push_back(text);
        return Answer::Ok;
    }
    std::vector<std::string> messages;
};

// Runs the event loop until done() holds or timeoutMs pass.
inline bool waitUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    return true;
}

// socat -d -d pty,raw,echo=0,link=<reader> pty,raw,echo=0,link=<feeder>,
// bounded by timeout and killed when the pair goes.
class PtyPair {
public:
    PtyPair() {
        readerPath_ = dir_.filePath(QStringLiteral("gps"));
        feederPath_ = dir_.filePath(QStringLiteral("feed"));
        start();
    }
    // (Re)starts socat on the same two paths: a device that comes back.
    void start() {
        ready_ = false;
        const QString socat = QStandardPaths::findExecutable(QStringLiteral("socat"));
        if (socat.isEmpty()) return;
        process_.setProgram(QStringLiteral("timeout"));
        process_.setArguments({QStringLiteral("60"), socat, QStringLiteral("-d"), QStringLiteral("-d"),
                               QStringLiteral("pty,raw,echo=0,link=") + readerPath_,
                               QStringLiteral("pty,raw,echo=0,link=") + feederPath_});
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start();
        if (!process_.waitForStarted(3000)) return;
        ready_ = waitUntil([this] { return QFile::exists(readerPath_) && QFile::exists(feederPath_); }, 5000);
    }
    ~PtyPair() {
        closeFeeder();
        stop();
    }
    void stop() {
        if (process_.state() != QProcess::NotRunning) {
            process_.terminate();
            if (!process_.waitForFinished(2000)) {
                process_.kill();
                process_.waitForFinished(2000);
            }
        }
    }
    bool ready() const { return ready_; }
    QString readerPath() const { return readerPath_; }
    QString feederPath() const { return feederPath_; }

    // Writes bytes into the feeder end; they come out at the reader end.
    bool write(const std::string& bytes) {
        if (fd_ < 0) fd_ = ::open(feederPath_.toLocal8Bit().constData(), O_WRONLY | O_NOCTTY);
        if (fd_ < 0) return false;
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
            if (n <= 0) return false;
            done += static_cast<std::size_t>(n);
        }
        return true;
    }
    void closeFeeder() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

private:
    QTemporaryDir dir_;
    QProcess process_;
    QString readerPath_, feederPath_;
    bool ready_ = false;
    int fd_ = -1;
};

// The reader thread with a notifier, and the last snapshot it delivered.
struct ReaderHarness {
    RecordingNotifier notifier;
    GpsReaderThread reader{&notifier};
    std::vector<GpsSnapshot> reads;
    std::vector<GpsPortState> reopened;

    ReaderHarness() {
        QObject::connect(&reader, &GpsReaderThread::readDone, [this](const GpsSnapshot& s) { reads.push_back(s); });
        QObject::connect(&reader, &GpsReaderThread::portReopened,
                         [this](const GpsPortState& s) { reopened.push_back(s); });
        reader.start();
    }
    bool reopen(const GpsSettings& s) {
        const std::size_t before = reopened.size();
        reader.ReopenGpsPort(s);
        return waitUntil([&] { return reopened.size() > before; });
    }
    // One read request and its read-done.
    const GpsSnapshot* readOnce() {
        const std::size_t before = reads.size();
        reader.requestRead();
        if (!waitUntil([&] { return reads.size() > before; })) return nullptr;
        return &reads.back();
    }
    // Reads until pred holds for a snapshot (bytes may take a moment to
    // cross the pseudo-terminals); at most tries reads, 20 ms apart.
    const GpsSnapshot* readUntil(const std::function<bool(const GpsSnapshot&)>& pred, int tries = 150) {
        for (int i = 0; i < tries; ++i) {
            const GpsSnapshot* s = readOnce();
            if (s && pred(*s)) return s;
            waitUntil([] { return false; }, 20);
        }
        return nullptr;
    }
};

}  // namespace hx::test
