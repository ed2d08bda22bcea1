// The road of one completed poll cycle, the same whatever brought it: the
// live link, a record played back, or a tool reading a recording. In order:
// the status read goes into the head table, the sensor block is decoded and
// filtered, a played record's GPS sentences are replayed; a cycle with an
// error flag stops there. A good one is counted, enters the ping history,
// is written to the recording (or the copy, with the record's own event
// mark) and becomes the waterfall's new lines, then the echo sounder's and
// the orientation history's new columns.
#pragma once

#include <cstdint>
#include <functional>

#include "imaging/StorePing.h"
#include "link/CycleStatus.h"
#include "link/LinkState.h"
#include "link/OrientationState.h"
#include "nav/GpsSnapshot.h"
#include "nav/TrackPlotter.h"
#include "record/DataFileState.h"
#include "record/EventList.h"
#include "record/Recorder.h"
#include "session/GpsReplay.h"
#include "session/InstrumentColumns.h"
#include "session/PlaybackState.h"

namespace hx {

enum class PingOrigin {
    Live,    // the acquisition cycle; the GPS is the reader's latest snapshot
    Played,  // playback; the record's sentences are replayed
    Read,    // a tool reading a recording; as played, with no copy
};

struct PingInput {
    PingOrigin origin = PingOrigin::Live;
    CycleStatus status;
    std::uint32_t tickMs = 0;  // millisecond tick of the cycle, for the ping interval
    bool reverse = false;      // played backwards
};

struct PingOutcome {
    bool accepted = false;     // no error flag: counted, stored, recorded
    bool gpsReplayed = false;  // the record brought a new GPS read
    StoredPing stored;
};

// The document parts the pipeline reads and writes. Optional parts may be
// null: a headless recorder has no images, no track and no event lists.
struct PipelineDocument {
    HeadTable& heads;
    LinkFields& link;
    CycleValues& cycle;
    OrientationState& orientation;
    GpsSnapshot& gps;  // the fix and sentence slots the windows and the recorder read
    const int& gpsType;
    DataFileState& dataFile;
    ImagingState* imaging = nullptr;
    const SpeedSource* speed = nullptr;
    TrackState* track = nullptr;
    EventListState* events = nullptr;
    const PlaybackState* playback = nullptr;  // the played file's name, for the recorder
    InstrumentDisplays* instruments = nullptr;  // the echogram and the orientation history
};

struct PipelineStages {
    CRecorder* recorder = nullptr;
    // Before new lines are drawn: the windows follow a changed head set.
    std::function<void()> beforeDrawing{};
};

class PingPipeline {
public:
    PingPipeline(PipelineDocument doc, PipelineStages stages);
    PingPipeline(const PingPipeline&) = delete;
    PingPipeline& operator=(const PingPipeline&) = delete;

    PingOutcome run(const PingInput& input);

    // The replayed GPS: after a jump in the file, and for a new file.
    void forgetReplayedPosition() { gps_.forgetPosition(doc_.gps); }
    void resetReplayedGps() { gps_.reset(); }
    const GpsReplay& gpsReplay() const { return gps_; }

    // After every accepted ping, live or played: the event annotations' step
    // (a played record's event mark selects its event). Set by the program.
    using EventStep = std::function<void(PingOrigin, const PingOutcome&)>;
    void setEventStep(EventStep step) { eventStep_ = std::move(step); }

    // What the recorder must know of playback.
    PlaybackContext playbackContext() const;

private:
    class Hooks;

    void record(PingOrigin origin);
    PingExtras extrasFor(const PingInput& input) const;

    PipelineDocument doc_;
    PipelineStages stages_;
    GpsReplay gps_;
    EventStep eventStep_;
};

}  // namespace hx
