// Unattended acquisition: the acquisition cycle over real TCP head
// connections feeding the recorder, with no display. It counts what happens
// for the progress line and stops when a bound is reached, the recording
// stops by itself (full disk, write error) or a stop is asked for.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "core/FileDialogPort.h"
#include "link/AcquisitionCycle.h"
#include "link/LinkState.h"
#include "link/OrientationState.h"
#include "platform/ConsoleNotifier.h"
#include "platform/QtClock.h"
#include "platform/QtHeadConnections.h"
#include "platform/QtTimerPort.h"
#include "record/DataFileState.h"
#include "record/EventList.h"
#include "record/ReadWriteFiles.h"
#include "record/Recorder.h"
#include "record/RecorderState.h"
#include "record/StdFileSystem.h"

namespace hx::cli {

struct RecordOptions {
    std::string address;        // the system's (head L's) address
    std::uint16_t port = kDefaultHeadPort;
    std::string outPath;
    int seconds = 0;            // 0: no time bound
    std::int64_t pings = 0;     // 0: no ping bound
};

struct RecordCounters {
    std::int64_t goodCycles = 0;
    std::int64_t rejectedCycles = 0;
    std::int64_t staleCycles = 0;   // completed without a fresh reply of every head: not written
    std::int64_t reconnects = 0;    // watchdog rebuilds, and rebuilds after a head dropped out
    std::int64_t pingsWritten = 0;
};

// Sits between the link and the head connections and notes which heads were
// asked for their second half since the last cycle ended. The link moves on
// from a head only after its second half has come in, so a head that was
// asked has answered; a head whose connection the peer closed is skipped by
// the link, and its block would repeat its previous ping.
class AnsweredHeads final : public IHeadConnectionPort {
public:
    explicit AnsweredHeads(IHeadConnectionPort& inner) : inner_(inner) {}

    void connect(int head, const std::string& address, std::uint16_t port) override;
    void send(int head, std::span<const std::uint8_t> bytes) override;
    void close(int head) override;

    // True when every available head answered in the cycle that just ended.
    bool allAnswered(const PerHead<std::int32_t>& available) const;
    void startCycle() { answered_.fill(false); }

private:
    IHeadConnectionPort& inner_;
    std::array<bool, kHeadCount> answered_{};
};

class HeadlessRecorder final : public QObject,
                               private ICycleSink,
                               private ILinkObserver,
                               private IRecorderWindow,
                               private IFileDialogPort {
    Q_OBJECT
public:
    explicit HeadlessRecorder(RecordOptions options, QObject* parent = nullptr);
    ~HeadlessRecorder() override;

    // Creates the output file and asks for the system information. False
    // (with the reason already printed) when the file cannot be created.
    bool start();
    // Stops recording (the event file is written) and closes the link.
    void stop(const QString& reason);

    const RecordCounters& counters() const { return counters_; }
    std::uint64_t bytesSaved() const;
    bool failed() const { return failed_; }
    // The data file actually written (".642" appended when the name lacked it).
    const std::string& outputPath() const { return recorderState_.outputPath; }
    // Why nothing was recorded, for a run that ends without a ping.
    QString nothingRecordedReason() const;

signals:
    void finished();

private:
    void onCycleComplete(const CycleView& cycle) override;
    void onCycleRejected(const CycleView& cycle) override;
    void setCaption(const std::string& caption) override;
    void addRecentFile(const std::string&) override {}
    std::optional<std::string> openFile(const std::string&, const std::string&) override { return std::nullopt; }
    std::optional<std::string> saveFile(const std::string&, const std::string&, const std::string&) override {
        return std::nullopt;
    }
    void onTimer(TimerId id);
    void printProgress();
    void measurePingInterval();

    RecordOptions options_;
    HeadTable heads_;
    LinkFields link_;
    CycleValues cycle_;
    OrientationState orientation_;
    SentenceSlots sentences_{};

    QtClock clock_;
    ConsoleNotifier notifier_;
    StdFileSystem fs_;
    QtHeadConnections connections_;
    AnsweredHeads answered_{connections_};
    QtTimerPort timers_;
    std::unique_ptr<AcquisitionCycle> acquisition_;

    RecorderState recorderState_;
    DataFileState fileState_;
    EventListState events_;
    std::unique_ptr<CReadWriteFiles> files_;
    std::unique_ptr<CRecorder> recorder_;

    RecordCounters counters_;
    QTimer progress_;
    QTimer deadline_;
    bool stopped_ = false;
    bool failed_ = false;
};

}  // namespace hx::cli
