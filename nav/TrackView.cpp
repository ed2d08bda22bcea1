#include "nav/TrackView.h"

#include <cmath>
#include <cstdio>

namespace hx {

namespace {

void recentre(TrackViewState& v, double zoom, int widthPx, int heightPx) {
    v.originX = widthPx / 2 - static_cast<int>(std::trunc(v.markX * zoom));
    v.originY = heightPx / 2 - static_cast<int>(std::trunc(v.markY * zoom));
    v.panX = v.panY = 0;
    v.savedPanX = v.savedPanY = 0;
    v.pressX = v.pressY = 0;
}

// Rounded results snap back to the ladder's rungs.
bool inSnapBand(double z) { return z >= 0.0625 && z <= 0.125; }

}  // namespace

double zoomIn(double z) {
    if (z < 1.0) {
        z *= 2.0;
        if (z == 0.2) z = 0.25;
        if (inSnapBand(z)) z = 0.1;
        return z;
    }
    if (z == 1.0 || z >= 2.5) return 2.5;
    return z;
}

double zoomOut(double z) {
    if (z > 1.0) {
        if (z == 2.5) return 1.0;
        if (z >= 5.0) return 2.5;
        return z;
    }
    if (z > 0.05) {
        z /= 2.0;
        if (inSnapBand(z)) z = 0.1;
    }
    return z;
}

double zoomFromSetting(long long settingValue) {
    const double z = static_cast<double>(settingValue) / 1000.0;
    if (!(z > 0.0) || !std::isfinite(z)) return 1.0;
    if (z < 0.01) return 0.01;
    if (z > 10.0) return 10.0;
    return z;
}

long long zoomToSetting(double zoomPxPerM) { return std::llround(zoomPxPerM * 1000.0); }

int gridSpacingPx(bool feet) { return feet ? 46 : 50; }

std::string gridScaleText(double zoomPxPerM, bool feet) {
    if (!(zoomPxPerM > 0.0)) zoomPxPerM = 1.0;
    char buf[48];
    if (feet)
        std::snprintf(buf, sizeof buf, "%dft/DIV", static_cast<int>(std::trunc(150.0 / zoomPxPerM)));
    else
        std::snprintf(buf, sizeof buf, "%dm/DIV", static_cast<int>(std::trunc(50.0 / zoomPxPerM)));
    return buf;
}

void resizeTrackView(TrackViewState& v, int widthPx, int heightPx) {
    if (widthPx < 1 || heightPx < 1) return;
    v.originX = widthPx / 2;
    v.originY = heightPx / 2;
}

bool placeTrackMark(TrackViewState& v, double trackLastXM, double trackLastYM, double zoom, int widthPx,
                    int heightPx) {
    v.markX = static_cast<float>(trackLastXM);
    v.markY = static_cast<float>(trackLastYM);
    const double sx = trackScreenOffsetX(v) + v.markX * zoom;
    const double sy = trackScreenOffsetY(v) + v.markY * zoom;
    constexpr double kMarginPx = 10.0;
    const bool nearEdge = sx < kMarginPx || sy < kMarginPx || sx > widthPx - kMarginPx || sy > heightPx - kMarginPx;
    if (!nearEdge) return false;
    recentre(v, zoom, widthPx, heightPx);
    return true;
}

TrackRect visibleTrackRect(const TrackViewState& v, double zoom, int widthPx, int heightPx) {
    if (!(zoom > 0.0)) zoom = 1.0;
    const double ox = trackScreenOffsetX(v);
    const double oy = trackScreenOffsetY(v);
    return {(0 - ox) / zoom, (0 - oy) / zoom, (widthPx - ox) / zoom, (heightPx - oy) / zoom};
}

void pressTrackView(TrackViewState& v, int x, int y) {
    v.pressX = x;
    v.pressY = y;
    v.dragging = true;
}

bool moveTrackView(TrackViewState& v, int x, int y) {
    if (!v.dragging) return false;
    v.panX = v.pressX + v.savedPanX - x;
    v.panY = v.pressY + v.savedPanY - y;
    return true;
}

void releaseTrackView(TrackViewState& v) {
    v.dragging = false;
    v.savedPanX = v.panX;
    v.savedPanY = v.panY;
}

void restoreTrackView(TrackViewState& v, double& zoomPxPerM, int widthPx, int heightPx) {
    zoomPxPerM = 1.0;
    recentre(v, zoomPxPerM, widthPx, heightPx);
}

void eraseTrackView(TrackViewState& v, int widthPx, int heightPx) {
    v.originX = widthPx / 2;
    v.originY = heightPx / 2;
    v.panX = v.panY = 0;
    v.savedPanX = v.savedPanY = 0;
    v.pressX = v.pressY = 0;
    v.dragging = false;
}

}  // namespace hx
