#include "imaging/ImageGeometry.h"

#include <algorithm>
#include <cmath>

#include "imaging/Rebuild.h"

namespace hx {

std::int32_t RoundedClientWidth(std::int32_t clientWidthPx) {
    return (clientWidthPx + 3) / 4 * 4;
}

std::optional<ImageGeometry> ComputeImageGeometry(std::int32_t clientWidthPx, const ViewZoom& zoom,
                                                  bool speedCorrectionEnabled) {
    if (clientWidthPx <= 0) return std::nullopt;
    const std::int32_t c = RoundedClientWidth(clientWidthPx);
    ImageGeometry g;
    g.zoomFactor = zoom.zoomFactor;
    if (zoom.zoomMode == kZoom100 || zoom.zoomMode == kZoom200) {
        // The mode decides the size; "Zoom In" changes only the factor.
        const double modeFactor = zoom.zoomMode == kZoom200 ? 2.0 : 1.0;
        g.imageWidth = g.imageHeight = static_cast<std::int32_t>(std::trunc(modeFactor * 2000 + 0.5));
        g.imageScale = static_cast<float>(static_cast<double>(g.imageWidth) / c);
    } else {
        g.imageWidth = g.imageHeight = c;
        g.imageScale = 1.0;
        g.zoomFactor = c / 2000.0;
    }
    if (!speedCorrectionEnabled) g.imageScale = g.imageWidth / 2000.0;
    return g;
}

bool ResizeImages(ImagingState& imaging, PaletteState& palette, ViewZoom& zoom, std::int32_t clientWidthPx,
                  const HeadTable& heads, const LinkFields& link, const SpeedSource& speed) {
    const auto g = ComputeImageGeometry(clientWidthPx, zoom, speed.speedCorrectionEnabled != 0);
    if (!g) return false;
    WaterfallStore& store = imaging.store;
    store.imageWidth = g->imageWidth;
    store.imageHeight = g->imageHeight;
    store.imageScale = g->imageScale;
    zoom.zoomFactor = g->zoomFactor;
    if (!store.viewReady) return true;

    store.imagesReady = 0;
    AllocateImages(store, palette, link.allSideScansAvailable != 0, link.displayHeadA, link.displayHeadB,
                   store.imageWidth, store.imageHeight);
    store.imagesReady = 1;
    ClearScreen(store, imaging.lines);
    imaging.display.interpolationFactor = zoom.zoomFactor;
    RebuildImages(store, imaging.work, imaging.lines, imaging.history, imaging.display, speed, heads, link);
    return true;
}

bool SelectZoomMode(ViewZoom& zoom, std::int32_t mode) {
    if (zoom.zoomMode == mode) return false;
    if (mode == kZoom100)
        zoom.zoomFactor = 1.0;
    else if (mode == kZoom200)
        zoom.zoomFactor = 2.0;
    else if (mode != kZoomFillScreen)
        return false;
    zoom.zoomMode = mode;
    return true;
}

bool ZoomIn(ViewZoom& zoom) {
    zoom.zoomFactor += 1.0;
    if (zoom.zoomFactor > 3.0) {
        zoom.zoomFactor = 1.0;
        zoom.scrollX = zoom.scrollY = 0;
        return true;
    }
    return false;
}

bool ZoomOut(ViewZoom& zoom) {
    zoom.zoomFactor -= 1.0;
    if (zoom.zoomFactor < 1.0) {
        zoom.zoomFactor = 1.0;
        zoom.scrollX = zoom.scrollY = 0;
        return true;
    }
    return false;
}

void RestoreImage(ViewZoom& zoom) {
    zoom.zoomFactor = 1.0;
    zoom.scrollX = zoom.scrollY = 0;
}

void CycleZoomMode(ViewZoom& zoom) {
    switch (zoom.zoomMode) {
        case kZoomFillScreen:
            SelectZoomMode(zoom, kZoom100);
            break;
        case kZoom100:
            SelectZoomMode(zoom, kZoom200);
            break;
        default:
            zoom.zoomMode = kZoomFillScreen;
            break;  // the resize sets the factor
    }
}

std::int32_t ScrollKeepingPoint(std::int32_t scroll, std::int32_t mouse, double oldFactor, double newFactor) {
    if (!(oldFactor > 0.0)) return scroll;
    const double point = std::trunc((scroll + mouse) / oldFactor);
    const double s = std::trunc(point * newFactor - mouse);
    if (!std::isfinite(s)) return scroll;
    return static_cast<std::int32_t>(std::clamp(s, -2.0e9, 2.0e9));
}

}  // namespace hx
