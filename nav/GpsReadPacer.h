// Paces the GPS reads from the main frame: the one-shot timer 1040 asks the
// reader thread for one read, and the read-done report restarts the timer,
// so exactly one read is in flight. The main frame owns one pacer and feeds
// it the timer expiry, read-done and mode changes.
#pragma once

#include <functional>

#include "core/TimerPort.h"

namespace hx {

class GpsReadPacer {
public:
    struct Hooks {
        std::function<void()> requestRead;   // post the read request to the reader thread
        std::function<void()> refreshViews;  // a read brought new data: views redraw
    };

    GpsReadPacer(ITimerPort& timers, Hooks hooks) : timers_(timers), hooks_(std::move(hooks)) {}

    void setIntervalMs(int intervalMs) { intervalMs_ = intervalMs < 1 ? 1 : intervalMs; }
    int intervalMs() const { return intervalMs_; }
    void setPlaybackMode(bool playback) { playback_ = playback; }
    void setEnabled(bool enabled) { enabled_ = enabled; }
    void setReaderRunning(bool running) { readerRunning_ = running; }
    bool readInFlight() const { return inFlight_; }

    // Timer 1040 expired: stop it and, in real time with the reader running,
    // request one read. A read still in flight keeps the request back: its
    // read-done restarts the cycle.
    void onTimer();
    // The reader finished a read (port open or not).
    void onReadDone(bool gpsUpdated);
    // (Re)starts the cycle: after a port reopen, or on return to real time.
    void start();
    void stop();

private:
    ITimerPort& timers_;
    Hooks hooks_;
    int intervalMs_ = 1000;
    bool playback_ = false;
    bool enabled_ = true;
    bool readerRunning_ = false;
    bool inFlight_ = false;
};

}  // namespace hx
