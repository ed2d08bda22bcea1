#include "app/GpsLink.h"

#include "platform/gps/GpsReaderThread.h"

namespace hx {

GpsLink::GpsLink(CSkerryDoc& doc, ITimerPort& timers, INotifier* notifier) : doc_(doc), notifier_(notifier) {
    reader_ = std::make_unique<GpsReaderThread>(notifier_);
    pacer_ = std::make_unique<GpsReadPacer>(
        timers, GpsReadPacer::Hooks{[this] { reader_->requestRead(); }, [this] { emit viewsNeedRedraw(); }});
    connect(reader_.get(), &GpsReaderThread::readDone, this, &GpsLink::onReadDone);
    pacer_->setIntervalMs(doc_.gps.gpsReadInterval);
}

GpsLink::~GpsLink() { close(); }

void GpsLink::start() {
    if (!reader_) return;
    reader_->start();
    pacer_->setReaderRunning(true);
}

void GpsLink::onTimer() {
    if (pacer_) pacer_->onTimer();
}

void GpsLink::setIntervalMs(int intervalMs) {
    if (pacer_) pacer_->setIntervalMs(intervalMs);
}

void GpsLink::openForRealTime() {
    if (!reader_) return;
    pacer_->setPlaybackMode(false);
    reader_->ReopenGpsPort(doc_.gps);
    pacer_->start();
}

void GpsLink::leavePlayback() {
    if (pacer_) pacer_->setPlaybackMode(false);
}

void GpsLink::closeForPlayback() {
    if (!reader_) return;
    pacer_->setPlaybackMode(true);
    pacer_->stop();
    reader_->CloseGpsPorts();
}

void GpsLink::resetData() {
    if (reader_) reader_->ResetGpsData();
}

void GpsLink::close() {
    if (pacer_) pacer_->stop();
    reader_.reset();
}

void GpsLink::onReadDone(const GpsSnapshot& snapshot) {
    // A read that was under way when playback began: the played file's
    // sentences own the fix now.
    if (doc_.link.playbackMode != 0) {
        pacer_->onReadDone(false);
        return;
    }
    doc_.gpsLatest = snapshot;
    if (snapshot.positionPublished && doc_.gps.gpsEnabled)
        AddTrackPoint(doc_.track, snapshot.fix.gpsLatitude, snapshot.fix.gpsLongitude);
    pacer_->onReadDone(snapshot.fix.gpsUpdated != 0);
    emit snapshotTaken();
}

}  // namespace hx
