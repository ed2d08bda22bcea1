// Timers the logic starts and stops by the program's timer ids. The platform
// backs each id with one timer; expiry comes back to the logic as an event
// (the owner's onTimer), so tests fire timers by hand.
#pragma once

namespace hx {

enum class TimerId : int {
    PlaybackStart = 1010,   // one-shot: starts the playback step timer
    LinkWatchdog = 1020,    // one-shot, 3000 ms: rebuild all head connections
    PlaybackStep = 1030,    // one playback step per expiry
    GpsRead = 1040,         // one-shot: ask the GPS reader for one read
    OrientationRedraw = 2020,
};

class ITimerPort {
public:
    virtual ~ITimerPort() = default;
    // Starts (or restarts) the timer; a single-shot timer fires once.
    virtual void start(TimerId id, int intervalMs, bool singleShot) = 0;
    virtual void stop(TimerId id) = 0;
    virtual bool isActive(TimerId id) const = 0;
};

}  // namespace hx
