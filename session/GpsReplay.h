// The GPS of a recording: each record carries the sentences of the GPS read
// that was current when it was made, so consecutive records repeat one read
// until the next. GpsReplay parses each distinct set once, as the live reader
// parsed the read, and publishes the fix into a snapshot like the reader's.
#pragma once

#include <optional>

#include "nav/GpsParserState.h"
#include "nav/GpsSnapshot.h"
#include "nav/TrackPlotter.h"

namespace hx {

class GpsReplay {
public:
    // Parses the snapshot's sentence slots unless they are the set parsed
    // last; the fix, its texts and the diagnostics go into the snapshot, a
    // published position into the track (when there is one). True when a
    // new set was parsed.
    bool replay(GpsSnapshot& gps, int gpsType, TrackState* track);

    // After a jump the next record's sentences are a new read even when
    // they read the same, and the position starts again from nothing.
    void forgetPosition(GpsSnapshot& gps);

    // A new file: the parser starts empty.
    void reset();

    const GpsParserState& parser() const { return parser_; }

private:
    GpsParserState parser_;
    std::optional<GpsSentenceSlots> lastReplayed_;
};

}  // namespace hx
