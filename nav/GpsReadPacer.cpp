#include "nav/GpsReadPacer.h"

namespace hx {

void GpsReadPacer::onTimer() {
    timers_.stop(TimerId::GpsRead);
    if (playback_ || !enabled_ || !readerRunning_ || inFlight_) return;
    inFlight_ = true;
    if (hooks_.requestRead) hooks_.requestRead();
}

void GpsReadPacer::onReadDone(bool gpsUpdated) {
    inFlight_ = false;
    if (gpsUpdated && hooks_.refreshViews) hooks_.refreshViews();
    timers_.start(TimerId::GpsRead, intervalMs_, true);
}

void GpsReadPacer::start() { timers_.start(TimerId::GpsRead, intervalMs_, true); }

void GpsReadPacer::stop() { timers_.stop(TimerId::GpsRead); }

}  // namespace hx
