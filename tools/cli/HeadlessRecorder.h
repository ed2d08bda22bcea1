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
#include "link/HeadHealth.h"
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
#include "session/PingPipeline.h"

namespace hx::cli {

struct RecordOptions {
    std::string address;        // the system's (head L's) address
    std::uint16_t port = kDefaultHeadPort;
    std::string outPath;
    int seconds = 0;            // 0: no time bound
    std::int64_t pings = 0;     // 0: no ping bound
    SplitRule split;            // --split-mb, --split-minutes
};

struct RecordCounters {
    std::int64_t goodCycles = 0;
    std::int64_t rejectedCycles = 0;
    std::int64_t staleCycles = 0;   // completed while a reply was short: not written
    std::int64_t reconnects = 0;    // watchdog rebuilds
    std::int64_t pingsWritten = 0;
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
    void onCycleComplete(const CycleView& cycle, const CycleStatus& status) override;
    void onLinkRebuilt() override;
    void setCaption(const std::string& caption) override;
    void addRecentFile(const std::string&) override {}
    std::optional<std::string> openFile(const std::string&, const std::string&) override { return std::nullopt; }
    std::optional<std::string> saveFile(const std::string&, const std::string&, const std::string&) override {
        return std::nullopt;
    }
    void onTimer(TimerId id);
    void printProgress();

    RecordOptions options_;
    HeadTable heads_;
    LinkFields link_;
    CycleValues cycle_;
    OrientationState orientation_;
    GpsSnapshot gps_;  // no GPS: empty sentence slots in every record
    int gpsType_ = 0;

    QtClock clock_;
    ConsoleNotifier notifier_;
    StdFileSystem fs_;
    QtHeadConnections connections_;
    QtTimerPort timers_;
    std::unique_ptr<AcquisitionCycle> acquisition_;

    RecorderState recorderState_;
    DataFileState fileState_;
    EventListState events_;
    std::unique_ptr<CReadWriteFiles> files_;
    std::unique_ptr<CRecorder> recorder_;
    std::unique_ptr<PingPipeline> pipeline_;

    RecordCounters counters_;
    LinkHealthMeter health_;
    QTimer progress_;
    QTimer deadline_;
    bool stopped_ = false;
    bool failed_ = false;
};

}  // namespace hx::cli
