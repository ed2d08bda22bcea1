// The track plotter window's arithmetic, kept apart from its drawing: the
// zoom ladder, the grid and its scale text, re-centring on the present
// position, drag panning and "&Restore image". The window owns one
// TrackViewState and calls these from its paint, resize and mouse handlers.
#pragma once

#include <string>

#include "nav/TrackPath.h"

namespace hx {

struct TrackViewState {
    int originX = 0, originY = 0;  // pixel position of track (0, 0) before panning
    int panX = 0, panY = 0;
    int savedPanX = 0, savedPanY = 0;  // pan when the last drag ended
    int pressX = 0, pressY = 0;
    bool dragging = false;
    float markX = 0.0f, markY = 0.0f;  // present position in track metres
};

// Zoom in pixels per metre: the ladder 0.05, 0.1, 0.25, 0.5, 1, 2.5.
double zoomIn(double zoomPxPerM);
double zoomOut(double zoomPxPerM);
// A zoom read from the settings file ("GPS Zoom Factor" is zoom x 1000):
// anything not positive and finite becomes 1.0, the rest is kept within
// 0.01..10 so that the scale text and the drawing stay finite.
double zoomFromSetting(long long settingValue);
long long zoomToSetting(double zoomPxPerM);

// Grid spacing: 50 pixels in metres mode, 46 in feet mode.
int gridSpacingPx(bool feet);
// "%dm/DIV" of trunc(50 / zoom) or "%dft/DIV" of trunc(150 / zoom).
std::string gridScaleText(double zoomPxPerM, bool feet);

// On resize (width x height at least 1): origin to the client centre.
void resizeTrackView(TrackViewState& view, int widthPx, int heightPx);
// Before drawing: the mark follows the end of the track; when it comes
// within 10 pixels of an edge (or leaves the area) the view re-centres on it
// and drops the pan. Returns true when it re-centred.
bool placeTrackMark(TrackViewState& view, double trackLastXM, double trackLastYM, double zoomPxPerM,
                    int widthPx, int heightPx);
// Where the track's (0, 0) is drawn: (originX - panX, originY - panY).
inline int trackScreenOffsetX(const TrackViewState& v) { return v.originX - v.panX; }
inline int trackScreenOffsetY(const TrackViewState& v) { return v.originY - v.panY; }
// The track metres shown in a client area, for culling the path.
TrackRect visibleTrackRect(const TrackViewState& view, double zoomPxPerM, int widthPx, int heightPx);

void pressTrackView(TrackViewState& view, int x, int y);
// Returns true when the view moved (a drag is in progress).
bool moveTrackView(TrackViewState& view, int x, int y);
void releaseTrackView(TrackViewState& view);

// "&Restore image": zoom 1.0 and re-centre on the mark.
void restoreTrackView(TrackViewState& view, double& zoomPxPerM, int widthPx, int heightPx);
// The view part of "&Erase GPS Tracks".
void eraseTrackView(TrackViewState& view, int widthPx, int heightPx);

}  // namespace hx
