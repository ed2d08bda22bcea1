// The command ids a sidescan view handles itself, the state its update
// handlers report, its mouse modes, and the hooks through which the
// measurements and marks draw on a view and take its clicks.
#pragma once

#include <QPoint>

#include <functional>

#include "imaging/ui/SidescanContext.h"

class QPainter;

namespace hx {

enum ViewCommandId : int {
    kCmdFillTheScreen = 41045,
    kCmdZoom100 = 41046,
    kCmdZoom200 = 41047,
    kCmdZoomIn = 32815,
    kCmdZoomOut = 32814,
    kCmdRestoreImage = 32816,
    kCmdZoomCycle = 32777,
    kCmdGrid = 32774,
    kCmdShowRange = 32851,
    kCmdMetric = 32834,
    kCmdImperial = 32836,
    kCmdShowMarkShadow = 32812,
    kCmdTimeMarks = 32779,
    kCmdGpsMarks = 32850,
    kCmdKeyLeft = 32785,
    kCmdKeyRight = 32786,
    kCmdKeyUp = 32787,
    kCmdKeyDown = 32788,
    // Menu entries with no command behind them: always disabled.
    kCmdGridTextLarge = 32829,
    kCmdGridTextSmall = 32831,
    kCmdZoomFactorFirst = 32883,
    kCmdZoomFactorLast = 32889,
};

struct ViewCommandState {
    bool handled = false;  // the view knows the id
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
