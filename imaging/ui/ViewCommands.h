// The commands a sidescan view handles itself, the state its update
// handlers report, its mouse modes, and the hooks through which the
// measurements and marks draw on a view and take its clicks.
#pragma once

#include <QPoint>

#include <functional>

#include "imaging/ui/SidescanContext.h"

class QPainter;

namespace hx {

// The commands a sidescan view handles itself. The program maps its
// command ids to these.
enum class ViewCommand {
    FillTheScreen,
    Zoom100,
    Zoom200,
    ZoomIn,
    ZoomOut,
    RestoreImage,
    ZoomCycle,
    Grid,
    ShowRange,
    Metric,
    Imperial,
    ShowMarkShadow,
    TimeMarks,
    GpsMarks,
    KeyLeft,
    KeyRight,
    KeyUp,
    KeyDown,
};

struct ViewCommandState {
    bool enabled = true;
    bool checked = false;
};

// At most one mode is on; selecting one ends the others.
enum class MouseMode {
    None,
    TimeMarks,
    GpsMarks,
    MeasureRange,
    MeasureDistance,
    MeasureTargetHeight,
    PlusMark,
    SelectArea,
};

// True for the modes whose clicks place points (the measurements and marks).
inline bool PlacesPoints(MouseMode mode) {
    return mode != MouseMode::None && mode != MouseMode::TimeMarks && mode != MouseMode::GpsMarks;
}

// How the measurements and marks plug into a view. Points are in image
// coordinates (window point plus scroll). Any hook may be empty.
struct MeasurementHooks {
    std::function<void(MouseMode, QPoint imagePoint)> press{};    // left button with a point-placing mode
    std::function<void(MouseMode, QPoint imagePoint)> release{};  // every button release
    std::function<void(QPainter&, const ViewGeometry&)> paint{};  // stored and live measurements
    std::function<void()> clearMarks{};  // "Zoom In", "Zoom Out", "&Restore image", zoom cycle
};

}  // namespace hx
