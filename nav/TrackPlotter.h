// The GPS track: each published position projected to UTM metres and joined
// to the track as a segment, with a new piece after a restart or a jump of
// 50 m or more. Held by the document and changed on the user-interface
// thread only: by AddTrackPoint after each read (or replayed ping) that
// published a position, by EraseGpsTracks and by the reset on port reopen.
#pragma once

#include <cstdint>

#include "nav/TrackPath.h"

namespace hx {

struct TrackState {
    double utmEasting = 0.0, utmNorthing = 0.0;    // latest position, m
    double prevEasting = 0.0, prevNorthing = 0.0;  // the one before it, m
    double trackOriginEasting = 0.0, trackOriginNorthing = 0.0;  // first usable fix: the track's (0, 0)
    std::int32_t trackFirstFix = 1;  // no origin yet
    std::int32_t trackRestart = 1;   // the next position starts a new piece
    double trackX = 0.0, trackY = 0.0;          // present position: m east, m south of the origin
    double trackLastX = 0.0, trackLastY = 0.0;  // end of the last segment
    TrackPath trackPath;
};

// A jump of this size or more between two fixes is not drawn.
inline constexpr double kTrackJumpM = 50.0;

// Adds the published position (signed decimal degrees).
void AddTrackPoint(TrackState& track, double latDeg, double lonDeg);

// "&Erase GPS Tracks" on the track's side: the path is emptied and the
// present position goes back to the plot's centre; origin and first-fix flag
// stay. (The caller also resets the reader's fix and the view.)
void EraseGpsTracks(TrackState& track);

// The extra reset when the GPS port is reopened: projected positions and
// running offsets zeroed, path emptied; the next fix starts a new piece.
void ResetTrackForReopen(TrackState& track);

// Marks that the next position starts a new piece (file opened, playback
// seek or wrap).
inline void RestartTrack(TrackState& track) { track.trackRestart = 1; }

// The plot's reference position exists once either origin coordinate is not
// zero; waypoints can be loaded from then on.
inline bool hasTrackReference(const TrackState& track) {
    return track.trackOriginEasting != 0.0 || track.trackOriginNorthing != 0.0;
}

}  // namespace hx
