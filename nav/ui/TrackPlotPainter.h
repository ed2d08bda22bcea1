// Drawing the track plot into an off-screen frame: the north-up metric grid
// and its scale text, the track at the detail level the zoom needs (only the
// parts that fall in the window), the waypoints with their numbers and names,
// and the present-position marker. Drawing re-centres the view when the
// present position comes near an edge.
#pragma once

#include <QImage>
#include <QPointF>

#include <vector>

#include "nav/TrackPlotter.h"
#include "nav/TrackView.h"
#include "nav/WaypointList.h"

namespace hx {

struct TrackPlotScene {
    const TrackState* track = nullptr;
    double zoomPxPerM = 1.0;
    bool feet = false;
    const WaypointTable* waypoints = nullptr;     // names beside the marks, may be null
    const WaypointMarkerPath* marks = nullptr;    // may be null
};

// Colours of the plot (the grid, scale text, track and marker follow the
// usual chart plotter look: green track and white boat on black).
inline constexpr QRgb kTrackColour = 0xff00ff00;
inline constexpr QRgb kTrackMarkerColour = 0xffffffff;
inline constexpr QRgb kTrackGridColour = 0xff787878;
inline constexpr QRgb kWaypointColour = 0xffffc800;

class TrackPlotPainter {
public:
    // Draws into frame (RGB32, the client size), which it fills first.
    void paint(QImage& frame, TrackViewState& view, const TrackPlotScene& scene);

    // Vertices handed to the painter by the last paint (after culling and
    // merging points that fall on the same pixel).
    std::size_t lastVertexCount() const { return lastVertices_; }

private:
    std::vector<QPointF> points_;  // reused between paints
    std::size_t lastVertices_ = 0;
};

}  // namespace hx
