// The track plotter window's switches as the document and the settings file
// keep them: whether the window is wanted ("GPS Tracking") and its zoom in
// pixels per metre ("GPS Zoom Factor", stored x 1000). Changed by the zoom
// commands, "&Restore image", "Show &GPS Track Plotter" and the window's
// closing; the window rectangle lives with the other window rectangles.
#pragma once

#include <cstdint>

#include "nav/TrackView.h"

namespace hx {

struct TrackPlotSettings {
    std::int32_t gpsTrackingShown = 1;  // the plotter window is wanted (the GPS keeps running either way)
    double gpsZoomFactor = 1.0;         // pixels per metre
};

// "Zoom &In" (32832) and "Zoom &Out" (32833) on the zoom ladder.
inline void GpsZoomIn(TrackPlotSettings& s) { s.gpsZoomFactor = zoomIn(s.gpsZoomFactor); }
inline void GpsZoomOut(TrackPlotSettings& s) { s.gpsZoomFactor = zoomOut(s.gpsZoomFactor); }

// "Show &GPS Track Plotter" (32794) is enabled only while the window is not wanted.
inline bool showTrackPlotterEnabled(const TrackPlotSettings& s) { return s.gpsTrackingShown == 0; }
inline void ShowTrackPlotter(TrackPlotSettings& s) { s.gpsTrackingShown = 1; }
// The window went away: the operator no longer wants it.
inline void TrackPlotterClosed(TrackPlotSettings& s) { s.gpsTrackingShown = 0; }

}  // namespace hx
