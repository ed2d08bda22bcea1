// Ping-to-line processing: every completed ping (live or played) enters the
// ping history and, unless the display is on Hold, becomes one line per
// displayed head in the waterfall images. Runs on the user-interface thread;
// a caller feeds pings one by one and reads the images row by row.
#pragma once

#include <cstdint>

#include "imaging/AppendLine.h"
#include "imaging/DisplaySettings.h"
#include "imaging/LineCount.h"
#include "imaging/PingHistory.h"
#include "imaging/WaterfallStore.h"
#include "imaging/WindowImages.h"
#include "link/LinkState.h"

namespace hx {

// The imaging subsystem's part of the document.
struct ImagingState {
    PingHistory history;
    DisplaySettings display;
    LineCountState lines;
    WaterfallStore store;
    LineWork work;
    WindowWaterfalls windows;  // the medium and high windows' own images
};

// What a ping brings besides the head table and the cycle values.
struct PingExtras {
    std::int32_t pingNumber = 0;
    double gpsSpeedKn = 0.0;   // speed over ground of the latest fix
    GpsTexts gpsText{};        // the six display texts of the latest fix
    double altitudeM = 0.0;    // last altitude
    double headingDeg = 0.0;   // last heading
    std::uint32_t tickMs = 0;  // millisecond tick counter when the ping completed
    bool reversePlayback = false;
};

// Steps of the ping that belong to other parts of the program.
class IPingHooks {
public:
    virtual ~IPingHooks() = default;
    // While recording: write the ping to the data file (before the display step).
    virtual void writeToDataFile(const PingHistoryRecord& /*record*/) {}
    // Before drawing: rebuild the windows if the head set or display pair changed.
    virtual void refreshLayoutIfChanged() {}
};

struct StoredPing {
    bool drawn = false;          // lines were appended
    std::int32_t rowsAdded = 0;  // n of this ping (0 merged into the newest row)
};

// One ping-interval measurement: the tick difference to the previous ping is
// summed over ten pings, then pingIntervalAverage = sum / 10. In real time
// pingInterval follows the average; in playback it stays as played. The
// first ping of a run (firstPing: nothing held before it) starts the
// measurement afresh: the time before it (the program starting, a played
// file) is no ping interval, and would stretch the first rows into a band.
void MeasurePingInterval(CycleValues& cycle, std::uint32_t tickMs, bool playback, bool firstPing = false);

// Stores the ping in the history and runs the display step.
StoredPing StorePing(ImagingState& imaging, CycleValues& cycle, const HeadTable& heads, const LinkFields& link,
                     const SpeedSource& speed, const PingExtras& extras, IPingHooks* hooks = nullptr);

// Hold on: the row metadata is frozen for the views. Hold off: in real time
// the images (the sonar windows' too) are rebuilt from the history, which
// kept every ping meanwhile.
void SetHold(ImagingState& imaging, bool on, const HeadTable& heads, const LinkFields& link, const SpeedSource& speed);

}  // namespace hx
