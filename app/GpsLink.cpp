#include "app/GpsLink.h"

#include "platform/gps/GpsReaderThread.h"

namespace hx {

GpsLink::GpsLink(CSkerryDoc& doc, ITimerPort& timers, INotifier* notifier) : doc_(doc), notifier_(notifier) {
    reader_ = std::make_unique<GpsReaderThread>(notifier_);
    pacer_ = std::make_unique<GpsReadPacer>(
        timers, GpsReadPacer::Hooks{[this] { reader_->requestRead(); }, [this] { emit viewsNeedRedraw(); }});
    connect(reader_.get(), &GpsReaderThread::readDone, this, &GpsLink::onReadDone);
    connect(reader_.get(), &GpsReaderThread::dataReset, this, [this](const GpsSnapshot& empty) {
        if (doc_.link.playbackMode != 0) return;  // the played file owns the fix
        doc_.gpsLatest = empty;
        emit snapshotTaken();
    });
    connect(reader_.get(), &GpsReaderThread::portReopened, this, [this](const GpsPortState& state) {
        // The serial port found may not be the one configured: it is the one
        // kept. A reopen always starts the track again. One that finished
        // after playback began was closed behind it.
        if (doc_.link.playbackMode != 0) return;
        portOpen_ = state.open;
        if (state.kind == GpsSourceKind::Serial && state.open && !state.device.isEmpty()) {
            doc_.gps.gpsDevice = state.device.toStdString();
            doc_.gps.gpsPort = state.portNumber;
        }
        ResetTrackForReopen(doc_.track);
        emit portReopened();
    });
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
    portOpen_ = false;
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
