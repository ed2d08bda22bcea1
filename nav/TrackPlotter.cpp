#include "nav/TrackPlotter.h"

#include <cmath>

#include "nav/UtmProjection.h"

namespace hx {

void AddTrackPoint(TrackState& t, double latDeg, double lonDeg) {
    t.prevEasting = t.utmEasting;
    t.prevNorthing = t.utmNorthing;
    const UtmPoint p = LatLonToUtm(latDeg, lonDeg);
    t.utmEasting = p.eastingM;
    t.utmNorthing = p.northingM;

    if (t.trackFirstFix == 1) {
        if (t.utmEasting == 0.0 || t.utmNorthing == 0.0) return;
        t.trackFirstFix = 0;
        t.trackOriginEasting = t.utmEasting;
        t.trackOriginNorthing = t.utmNorthing;
        return;
    }
    if (t.trackRestart == 1) {
        t.trackX = t.utmEasting - t.trackOriginEasting;
        t.trackY = t.trackOriginNorthing - t.utmNorthing;
        t.trackLastX = t.trackX;
        t.trackLastY = t.trackY;
        // A repeated position keeps waiting for the first movement.
        if (t.utmEasting != t.prevEasting) t.trackRestart = 0;
        return;
    }
    const double dx = t.utmEasting - t.prevEasting;
    const double dy = t.prevNorthing - t.utmNorthing;
    if (std::fabs(dx) < kTrackJumpM && std::fabs(dy) < kTrackJumpM && std::hypot(dx, dy) < kTrackJumpM) {
        t.trackX += dx;
        t.trackY += dy;
    } else {
        t.trackRestart = 1;  // not followed: the next fix starts a piece at its own place
    }
    t.trackPath.addSegment(t.trackLastX, t.trackLastY, t.trackX, t.trackY);
    t.trackLastX = t.trackX;
    t.trackLastY = t.trackY;
}

void EraseGpsTracks(TrackState& t) {
    t.trackPath.clear();
    t.trackX = t.trackY = 0.0;
    t.trackLastX = t.trackLastY = 0.0;
}

void ResetTrackForReopen(TrackState& t) {
    t.utmEasting = t.utmNorthing = 0.0;
    t.prevEasting = t.prevNorthing = 0.0;
    t.trackX = t.trackY = 0.0;
    t.trackLastX = t.trackLastY = 0.0;
    t.trackPath.clear();
    // The next fix is placed where it is instead of being measured from the
    // zeroed position as a jump.
    t.trackRestart = 1;
}

}  // namespace hx
