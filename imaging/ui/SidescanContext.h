// What the sidescan views read and write: the imaging state, the palette, the
// link's head table and cycle values, the speed source and the display flags,
// plus the calls out to the rest of the program. The application owns all of
// it and outlives the views; tests build one from local state.
#pragma once

#include <cstdint>
#include <functional>

#include "core/TimerPort.h"
#include "imaging/BitmapPage.h"
#include "imaging/ColourTables.h"
#include "imaging/DisplaySettings.h"
#include "imaging/StorePing.h"
#include "imaging/ui/PointerReadout.h"
#include "imaging/ui/ViewOverlays.h"
#include "link/LinkState.h"

class QPainter;

namespace hx {

class MeasurementOverlay;

// Where a view draws: what overlay painters need to map image points.
struct ViewGeometry {
    std::int32_t scrollX = 0;
    std::int32_t scrollY = 0;
    double zoomFactor = 1.0;
    std::int32_t imageWidth = 0;
    std::int32_t imageHeight = 0;
    std::int32_t clientWidth = 0;
    std::int32_t clientHeight = 0;
    std::int32_t mouseX = 0;  // window coordinates
    std::int32_t mouseY = 0;
    bool mouseInside = false;
    bool hold = false;
};

struct SidescanContext {
    ImagingState& imaging;
    PaletteState& palette;
    const HeadTable& heads;
    const LinkFields& link;
    const CycleValues& cycle;
    const SpeedSource& speed;
    SidescanViewFlags& flags;

    // Playback: a press or release in a view holds the step timer (1030) and
    // restarts it through 1010 after 100 ms. Null: no timers to touch.
    ITimerPort* timers = nullptr;
    // The playback "Bitmap View" page the scroll bar and wheel move while the
    // mode is on (waterfallEnabled 0). Null: no page.
    BitmapPage* bitmapPage = nullptr;

    std::function<void()> refreshAllViews{};
    // At each paint with the pointer over a view (and once when it leaves).
    std::function<void(const PointerReadout&)> pointerInfo{};
    // Key H in a view: toggle Hold.
    std::function<void()> holdToggled{};
    // "&Metric" / "&Imperial" changed the units: control bar texts follow.
    std::function<void()> unitsChanged{};
    // Double click: the event annotation of the ping drawn at this row.
    std::function<void(int row)> rowDoubleClicked{};
    // The event-mark path over the main view, unless hidden.
    std::function<void(QPainter&, const ViewGeometry&)> drawEventMarks{};
    // A plain left click (press and release at one place with no mouse
    // mode) at an image column and row: event input. True when it started.
    std::function<bool(std::int64_t imageX, std::int32_t row)> eventClicked{};
    // A left double click with no mouse mode: event input at that place
    // even while the option is off.
    std::function<bool(std::int64_t imageX, std::int32_t row)> eventDoubleClicked{};
    // "Color &Indicator": while it points at a set flag the main view draws
    // the colour scale.
    const int* colourIndicatorShown = nullptr;
    // The measurements of the sidescan view last pressed or focused, which
    // the measure commands reach; null means the main view's. Views clear it
    // as they go.
    MeasurementOverlay* activeMeasurements = nullptr;
    // Each shown head's link health badge; none in playback or in tests.
    HealthBadgeSource healthBadge{};
    // Who has not answered the system information request, and since when.
    std::function<std::string()> sysInfoWait{};
};

}  // namespace hx
