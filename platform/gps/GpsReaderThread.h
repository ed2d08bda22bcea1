// The GPS reader thread as the main frame owns it: starts the thread with its
// CReadGPSData worker, forwards read requests and port commands to it, and
// hands each read's snapshot to the user-interface thread (readDone). The
// worker's messages are shown through the notifier on this thread.
// Destroying it is the quit request: the source closes and the thread ends.
//
// The main frame wires it to its GpsReadPacer: the pacer's read request
// calls requestRead; readDone goes to pacer.onReadDone(gpsUpdated) and, when
// positionPublished, to AddTrackPoint; a port reopen stops the pacer, calls
// ReopenGpsPort and, on portReopened, stores device and number in the
// settings, resets the track (ResetTrackForReopen) and starts the pacer.
#pragma once

#include <QObject>
#include <QThread>

#include "core/Notifier.h"
#include "platform/gps/GpsMetaTypes.h"

namespace hx {

class CReadGPSData;

class GpsReaderThread final : public QObject {
    Q_OBJECT
public:
    explicit GpsReaderThread(INotifier* notifier, QObject* parent = nullptr);
    ~GpsReaderThread() override;

    void start();
    bool isRunning() const { return thread_.isRunning(); }

    // The read request of the pacing cycle.
    void requestRead();
    void ReopenGpsPort(const GpsSettings& settings);
    void CloseGpsPorts();
    void ResetGpsData();
    void setSentenceSelection(int gpsType);

    // The latest snapshot received, on this thread.
    const GpsSnapshot& latest() const { return latest_; }

signals:
    void readDone(const hx::GpsSnapshot& snapshot);
    // After ResetGpsData and after a reopen (the views show the empty fix).
    void dataReset(const hx::GpsSnapshot& snapshot);
    void portReopened(const hx::GpsPortState& state);

    // To the worker (queued).
    void readRequested();
    void reopenRequested(const hx::GpsSettings& settings);
    void closeRequested();
    void resetRequested();
    void sentenceSelectionChanged(int gpsType);

private:
    INotifier* notifier_;
    QThread thread_;
    CReadGPSData* worker_ = nullptr;
    GpsSnapshot latest_;
};

}  // namespace hx
