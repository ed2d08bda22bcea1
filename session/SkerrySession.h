// The running program without its windows: the acquisition cycle, the data
// file and the recorder, the playback engine and the one ping pipeline they
// all feed, over the document. It routes the link's completed cycles and the
// timers to them and tells an observer what the windows must follow. Driven
// on the user-interface thread; everything it touches outside the document
// goes through the ports.
#pragma once

#include <memory>

#include "core/Clock.h"
#include "core/FileDialogPort.h"
#include "core/Notifier.h"
#include "core/TimerPort.h"
#include "link/AcquisitionCycle.h"
#include "link/CycleSink.h"
#include "link/HeadConnectionPort.h"
#include "record/FileAccess.h"
#include "record/ReadWriteFiles.h"
#include "record/Recorder.h"
#include "session/PingPipeline.h"
#include "session/PlaybackEngine.h"
#include "session/SkerryDoc.h"

namespace hx {

// What the windows follow: the link's changes and every processed cycle.
class ISessionObserver : public ILinkObserver {
public:
    // A live cycle went through the pipeline (accepted or refused).
    virtual void cycleProcessed(const PingOutcome& /*outcome*/) {}
    // Before new lines are drawn: the head set may have changed.
    virtual void headSetMayHaveChanged() {}
};

struct SessionPorts {
    IHeadConnectionPort& connections;
    ITimerPort& timers;
    IClock& clock;
    INotifier& notifier;
    IFileDialogPort& dialogs;
    IFileSystem& fs;
    IRecorderWindow& recorderWindow;
    IPlaybackShell& playbackShell;
    ISessionObserver& observer;
};

class SkerrySession final : private ICycleSink, private ILinkObserver {
public:
    SkerrySession(CSkerryDoc& doc, SessionPorts ports);
    ~SkerrySession() override;
    SkerrySession(const SkerrySession&) = delete;
    SkerrySession& operator=(const SkerrySession&) = delete;

    AcquisitionCycle& link() { return *link_; }
    CReadWriteFiles& files() { return *files_; }
    CRecorder& recorder() { return *recorder_; }
    PlaybackEngine& playback() { return *playback_; }
    PingPipeline& pipeline() { return *pipeline_; }
    PlaybackContext playbackContext() const { return pipeline_->playbackContext(); }

    // Expiry of a timer: the watchdog to the link, the playback timers to playback.
    void onTimer(TimerId id);

    // The close sequence, in two halves so that the settings are saved and
    // the windows closed in between: first nothing more may arrive (timers
    // stopped, the document marked closing), then a recording or copy ends,
    // the data, event and copy files close and every head connection closes.
    void beginClose();
    void close();

private:
    void onCycleComplete(const CycleView& cycle, const CycleStatus& status) override;
    // The link's changes go on to the observer; rebuilds are counted first.
    void onSystemInfoDecoded() override;
    void onConnectionChanged(int head) override;
    void onLinkRebuilt() override;

    CSkerryDoc& doc_;
    SessionPorts ports_;
    std::unique_ptr<AcquisitionCycle> link_;
    std::unique_ptr<CReadWriteFiles> files_;
    std::unique_ptr<CRecorder> recorder_;
    std::unique_ptr<PingPipeline> pipeline_;
    std::unique_ptr<PlaybackEngine> playback_;
};

}  // namespace hx
