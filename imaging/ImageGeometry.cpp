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
    const std::int32_t c = std::min(RoundedClientWidth(std::min(clientWidthPx, kMaxImageWidthPx)), kMaxImageWidthPx);
    ImageGeometry g;
    g.zoomFactor = zoom.zoomFactor;
    if (zoom.zoomMode != kZoomFillScreen) {
        const double factor = std::isfinite(zoom.zoomFactor) ? std::clamp(zoom.zoomFactor, 0.0, 1.0e6) : 1.0;
        const double widthPx = std::trunc(factor * 2000 + 0.5);
        g.imageWidth = g.imageHeight = static_cast<std::int32_t>(std::clamp(widthPx, 4.0, double{kMaxImageWidthPx}));
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
    store.viewClientWidth = clientWidthPx;
    zoom.zoomFactor = g->zoomFactor;
    if (!store.viewReady) return true;

    store.imagesReady = 0;
    AllocateImages(store, palette, link.allSideScansAvailable != 0, link.displayHeadA, link.displayHeadB,
                   store.imageWidth, store.imageHeight);
    store.imagesReady = 1;
    ClearScreen(store, imaging.lines);
    imaging.display.interpolationFactor = zoom.zoomFactor;
    RebuildImages(store, imaging.work, imaging.lines, imaging.history, imaging.display, speed, heads, link);
    // On Hold the views read the frozen row data: it follows the rebuilt rows.
    if (imaging.display.holdDisplay) FreezeRowMeta(store);
    // The sonar windows' images keep the main image's rows.
    RefitWindowImages(imaging.windows, store, WindowImageInputs{imaging.history, imaging.display, speed, heads});
    return true;
}

namespace {

// Outside "Fill the Screen" the mode names the factor: "200 %" for 2, else "100 %".
void followFactor(ViewZoom& zoom, double factor) {
    zoom.zoomFactor = factor;
    zoom.zoomMode = factor == 2.0 ? kZoom200 : kZoom100;
}

}  // namespace

bool SelectZoomMode(ViewZoom& zoom, std::int32_t mode) {
    if (mode == kZoomFillScreen) {
        if (zoom.zoomMode == kZoomFillScreen) return false;
        zoom.zoomMode = kZoomFillScreen;
        return true;
    }
    if (mode != kZoom100 && mode != kZoom200) return false;
    return SelectZoomFactor(zoom, mode == kZoom200 ? 2.0 : 1.0);
}

bool SelectZoomFactor(ViewZoom& zoom, double factor) {
    if (!(factor >= 1.0 && factor <= 4.0)) return false;
    if (zoom.zoomMode != kZoomFillScreen && zoom.zoomFactor == factor) return false;
    followFactor(zoom, factor);
    return true;
}

bool ZoomModeChecked(const ViewZoom& zoom, std::int32_t mode) {
    if (mode == kZoomFillScreen) return zoom.zoomMode == kZoomFillScreen;
    return ZoomFactorChecked(zoom, mode == kZoom200 ? 2.0 : 1.0);
}

bool ZoomFactorChecked(const ViewZoom& zoom, double factor) {
    return zoom.zoomMode != kZoomFillScreen && zoom.zoomFactor == factor;
}

bool ZoomIn(ViewZoom& zoom) {
    double factor = zoom.zoomFactor + 1.0;
    const bool wrapped = !(factor <= 3.0);
    if (wrapped) {
        factor = 1.0;
        zoom.scrollX = zoom.scrollY = 0;
    }
    followFactor(zoom, factor);
    return wrapped;
}

bool ZoomOut(ViewZoom& zoom) {
    if (zoom.zoomMode == kZoomFillScreen) return false;
    double factor = zoom.zoomFactor - 1.0;
    const bool held = !(factor >= 1.0);
    if (held) {
        factor = 1.0;
        zoom.scrollX = zoom.scrollY = 0;
    }
    followFactor(zoom, factor);
    return held;
}

bool RestoreImage(ViewZoom& zoom) {
    zoom.scrollX = zoom.scrollY = 0;
    if (zoom.zoomMode == kZoomFillScreen || zoom.zoomFactor == 1.0) return false;
    followFactor(zoom, 1.0);
    return true;
}

void CycleZoomMode(ViewZoom& zoom) {
    switch (zoom.zoomMode) {
        case kZoomFillScreen:
            followFactor(zoom, 1.0);
            break;
        case kZoom100:
            followFactor(zoom, 2.0);
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

std::int32_t ClampScrollToImage(long long scroll, std::int32_t imageSizePx, std::int32_t clientSizePx) {
    const long long limit = std::max<long long>(0, static_cast<long long>(imageSizePx) - clientSizePx);
    return static_cast<std::int32_t>(std::clamp<long long>(scroll, 0, limit));
}

}  // namespace hx
