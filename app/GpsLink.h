// The GPS reader thread and its pacing as the program runs them: each live
// snapshot goes into the document and its position into the track; the port
// closes when a file plays and opens again with the settings in real time.
// Lives on the user-interface thread; the reader thread never touches the
// document.
#pragma once

#include <QObject>

#include <memory>

#include "core/Notifier.h"
#include "core/TimerPort.h"
#include "nav/GpsReadPacer.h"
#include "session/SkerryDoc.h"

namespace hx {

class GpsReaderThread;

class GpsLink final : public QObject {
    Q_OBJECT
public:
    GpsLink(CSkerryDoc& doc, ITimerPort& timers, INotifier* notifier);
    ~GpsLink() override;

    // The reader thread runs; reads are paced once the port is opened.
    void start();
    // Timer 1040.
    void onTimer();
    void setIntervalMs(int intervalMs);

    // Real time: the port opens (again) with the document's settings and
    // the pacing starts.
    void openForRealTime();
    // Back in real time after playback; the port opens with openForRealTime.
    void leavePlayback();
    // Playback: the pacing stops and the ports close; a read still under
    // way is ignored.
    void closeForPlayback();
    // "&Erase GPS Tracks": the reader starts a new fix.
    void resetData();
    // The source opened by the latest reopen is open (the dialog lists the
    // port it holds).
    bool portOpen() const { return portOpen_; }
    // The close sequence: the reader thread ends.
    void close();

signals:
    // A live snapshot went into the document.
    void snapshotTaken();
    // A read brought new data: the views redraw.
    void viewsNeedRedraw();
    // A reopen finished: the port it really found is in the settings and
    // the track starts again.
    void portReopened();

private:
    void onReadDone(const GpsSnapshot& snapshot);

    CSkerryDoc& doc_;
    INotifier* notifier_;
    std::unique_ptr<GpsReaderThread> reader_;
    std::unique_ptr<GpsReadPacer> pacer_;
    bool portOpen_ = false;
};

}  // namespace hx
