#include "session/PingPipeline.h"

#include "link/SensorBlock.h"
#include "record/PlaybackEvents.h"
#include "record/RecordDocument.h"

namespace hx {

// StorePing's calls out: the recorder step after the ping enters the
// history, and the layout check before it is drawn.
class PingPipeline::Hooks final : public IPingHooks {
public:
    Hooks(PingPipeline& pipeline, PingOrigin origin) : pipeline_(pipeline), origin_(origin) {}
    void writeToDataFile(const PingHistoryRecord&) override { pipeline_.record(origin_); }
    void refreshLayoutIfChanged() override {
        if (pipeline_.stages_.beforeDrawing) pipeline_.stages_.beforeDrawing();
    }

private:
    PingPipeline& pipeline_;
    PingOrigin origin_;
};

PingPipeline::PingPipeline(PipelineDocument doc, PipelineStages stages) : doc_(doc), stages_(std::move(stages)) {}

PlaybackContext PingPipeline::playbackContext() const {
    PlaybackContext c;
    c.playback = doc_.link.playbackMode != 0;
    if (doc_.playback) c.playedPath = doc_.playback->playedPath;
    return c;
}

PingOutcome PingPipeline::run(const PingInput& input) {
    PingOutcome out;
    applyCycleStatus(input.status, doc_.heads);
    if (doc_.link.orientationAvailable != 0) decodeSensorBlockInto(doc_.heads, doc_.orientation);
    if (input.origin != PingOrigin::Live) out.gpsReplayed = gps_.replay(doc_.gps, doc_.gpsType, doc_.track);
    if (!input.status.good()) return out;

    out.accepted = true;
    ++doc_.cycle.goodCycleCount;
    const PingExtras extras = extrasFor(input);
    Hooks hooks(*this, input.origin);
    if (doc_.imaging && doc_.speed) {
        out.stored = StorePing(*doc_.imaging, doc_.cycle, doc_.heads, doc_.link, *doc_.speed, extras, &hooks);
        if (doc_.instruments) AppendInstrumentColumns(*doc_.instruments, doc_.heads, *doc_.imaging, doc_.orientation);
    } else {
        // No display: the record is still written and the ping interval it
        // carries still measured.
        record(input.origin);
        MeasurePingInterval(doc_.cycle, extras.tickMs, doc_.link.playbackMode != 0);
    }
    if (eventStep_) eventStep_(input.origin, out);
    return out;
}

PingExtras PingPipeline::extrasFor(const PingInput& input) const {
    const bool live = input.origin == PingOrigin::Live;
    const GpsFix& fix = doc_.gps.fix;
    PingExtras e;
    // The recorder's ping number: live, the number the record of this ping
    // gets while recording (it advances only then); played, the record's own.
    // So a row, its events and marks name the record that holds the ping.
    e.pingNumber = static_cast<std::int32_t>(doc_.dataFile.pingNumber);
    e.gpsSpeedKn = fix.gpsSpeed;
    e.gpsText = {fix.latText, fix.lonText, fix.timeText, fix.speedText, fix.courseText, fix.headingText};
    e.altitudeM = live ? doc_.orientation.altitudeM : doc_.orientation.pingAltitudeM;
    e.headingDeg = live ? doc_.orientation.headingDeg : doc_.orientation.pingHeadingDeg;
    e.tickMs = input.tickMs;
    e.reversePlayback = input.reverse;
    return e;
}

void PingPipeline::record(PingOrigin origin) {
    CRecorder* recorder = stages_.recorder;
    if (!recorder || !recorder->recording() || origin == PingOrigin::Read) return;
    const RecordSources sources{doc_.heads, doc_.link, doc_.cycle, doc_.gps.gpsSentences, doc_.gpsType};
    if (origin == PingOrigin::Live) {
        recorder->recordStep(sources, doc_.link.linkStale != 0, playbackContext());
        return;
    }
    // A copy: the record carries the played record's event mark itself, so
    // that the copy holds the same bytes as its source.
    DataFileState& f = doc_.dataFile;
    f.pendingEventNumber = f.eventMarkNumber;
    f.pendingEventFlag = f.eventMarkFlag;
    recorder->recordStep(sources, false, playbackContext());
    f.pendingEventFlag = false;
    if (recorder->recording() && doc_.events)
        CollectCopyEvents(doc_.events->events, doc_.events->copyEvents, static_cast<std::int32_t>(f.pingNumber));
}

}  // namespace hx
