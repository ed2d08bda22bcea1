#include "session/SkerrySession.h"

#include "link/DisplayPair.h"

namespace hx {

SkerrySession::SkerrySession(CSkerryDoc& doc, SessionPorts ports) : doc_(doc), ports_(ports) {
    link_ = std::make_unique<AcquisitionCycle>(
        doc_.heads, doc_.link, doc_.cycle,
        LinkPorts{ports_.connections, ports_.timers, ports_.clock, ports_.notifier, *this, this});
    files_ = std::make_unique<CReadWriteFiles>(doc_.dataFile, ports_.fs, ports_.notifier);
    files_->setDisplayPairHook([](const HeadTable& t, LinkFields& l) { applyDisplayPair(t.headAvailable, l); });
    recorder_ = std::make_unique<CRecorder>(
        doc_.recorder, doc_.dataFile, doc_.events, *files_,
        RecorderPorts{ports_.fs, ports_.notifier, ports_.clock, ports_.dialogs, ports_.recorderWindow});
    pipeline_ = std::make_unique<PingPipeline>(
        PipelineDocument{doc_.heads, doc_.link, doc_.cycle, doc_.orientation, doc_.gpsLatest, doc_.gps.gpsType,
                         doc_.dataFile, &doc_.imaging, &doc_.imagingSpeed, &doc_.track, &doc_.events, &doc_.playback,
                         &doc_.instruments},
        PipelineStages{recorder_.get(), [this] { ports_.observer.headSetMayHaveChanged(); }});
    playback_ = std::make_unique<PlaybackEngine>(
        doc_.playback,
        PlaybackDocument{doc_.heads, doc_.link, doc_.cycle, doc_.orientation, doc_.imaging, doc_.imagingSpeed,
                         doc_.dataFile, doc_.recorder, doc_.events, doc_.gpsLatest, doc_.gps.gpsType,
                         doc_.view.settingsChangeAlarm, doc_.track},
        *files_, *recorder_, *pipeline_,
        PlaybackPorts{ports_.timers, ports_.notifier, ports_.dialogs, ports_.clock, ports_.fs, ports_.playbackShell});
}

SkerrySession::~SkerrySession() {
    // The engines refer to one another: the last one built goes first.
    playback_.reset();
    pipeline_.reset();
    recorder_.reset();
    files_.reset();
    link_.reset();
}

void SkerrySession::onTimer(TimerId id) {
    switch (id) {
        case TimerId::LinkWatchdog: link_->onTimer(id); break;
        case TimerId::PlaybackStart:
        case TimerId::PlaybackStep: playback_->onTimer(id); break;
        default: break;
    }
}

void SkerrySession::onCycleComplete(const CycleView&, const CycleStatus& status) {
    const std::uint32_t tickMs = ports_.clock.tickMs();
    doc_.linkHealth.noteCycle(status, tickMs);
    const PingOutcome outcome = pipeline_->run({PingOrigin::Live, status, tickMs});
    ports_.observer.cycleProcessed(outcome);
}

void SkerrySession::onSystemInfoDecoded() { ports_.observer.onSystemInfoDecoded(); }

void SkerrySession::onConnectionChanged(int head) { ports_.observer.onConnectionChanged(head); }

void SkerrySession::onLinkRebuilt() {
    doc_.linkHealth.noteRebuild();
    ports_.observer.onLinkRebuilt();
}

void SkerrySession::beginClose() {
    ports_.timers.stop(TimerId::LinkWatchdog);
    ports_.timers.stop(TimerId::PlaybackStart);
    ports_.timers.stop(TimerId::PlaybackStep);
    doc_.closing = true;
}

void SkerrySession::close() {
    if (recorder_->recording()) recorder_->recordStop(playbackContext());
    playback_->closeFiles();
    files_->closeOutput();
    files_->closePlayback();
    for (int h = 0; h < kHeadCount; ++h) {
        doc_.link.headConnected[static_cast<std::size_t>(h)] = 0;
        ports_.connections.close(h);
    }
}

}  // namespace hx
