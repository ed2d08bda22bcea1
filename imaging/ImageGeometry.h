// The size of the waterfall images for the main sidescan view's zoom mode and
// window width, the zoom commands' arithmetic, and the resize that
// re-allocates the images and rebuilds them from the ping history.
#pragma once

#include <cstdint>
#include <optional>

#include "imaging/ColourTables.h"
#include "imaging/StorePing.h"
#include "link/LinkState.h"

namespace hx {

// zoomMode values. Outside "Fill the Screen" the image is zoomFactor × 2000
// pixels wide: "100 %" and "200 %" set the factor to 1 and 2, "Zoom In",
// "Zoom Out" and the context menu's factors change it.
inline constexpr std::int32_t kZoomFillScreen = 0;  // "Fill the Screen": the window's width
inline constexpr std::int32_t kZoom100 = 1;         // "100 %" (and any factor but 2)
inline constexpr std::int32_t kZoom200 = 2;         // "200 %": 4000-pixel image

// Zoom state of a sidescan view.
struct ViewZoom {
    std::int32_t zoomMode = kZoomFillScreen;
    double zoomFactor = 1.0;
    std::int32_t scrollX = 0;  // image point at the window's top-left corner
    std::int32_t scrollY = 0;
};

struct ImageGeometry {
    std::int32_t imageWidth = 2000;
    std::int32_t imageHeight = 2000;
    double imageScale = 1.0;
    double zoomFactor = 1.0;
};

// The client width rounded up to a multiple of 4.
std::int32_t RoundedClientWidth(std::int32_t clientWidthPx);

// Image geometry for a window width: "Fill the Screen" gives the rounded
// width (a 1001-pixel window: 1004 × 1004, zoomFactor 0.502); otherwise the
// image is trunc(zoomFactor × 2000 + 0.5) pixels ("100 %" 2000, "200 %"
// 4000, a factor of 3 after "Zoom In" 6000) with imageScale = width / rounded
// client width in single precision. With speed correction off imageScale is
// imageWidth / 2000. No image is wider than kMaxImageWidthPx. Nothing for a
// window without width.
std::optional<ImageGeometry> ComputeImageGeometry(std::int32_t clientWidthPx, const ViewZoom& zoom,
                                                  bool speedCorrectionEnabled);

// Applies a window size or zoom-mode change: new geometry and, once the view
// is ready, new images, a cleared screen, the interpolation factor from the
// zoom and a rebuild from the history. False when the window has no width.
bool ResizeImages(ImagingState& imaging, PaletteState& palette, ViewZoom& zoom, std::int32_t clientWidthPx,
                  const HeadTable& heads, const LinkFields& link, const SpeedSource& speed);

// "Fill the Screen", "100 %", "200 %": true when the zoom changed and the
// images must be resized ("100 %" again after "Zoom In" returns to 2000).
bool SelectZoomMode(ViewZoom& zoom, std::int32_t mode);

// The context menu's zoom factors (1 to 4): the image becomes factor × 2000
// pixels. True when the zoom changed.
bool SelectZoomFactor(ViewZoom& zoom, double factor);

// Whether a zoom command shows its check mark: "Fill the Screen" in that
// mode, "100 %" and "200 %" (and the factors) while the factor is theirs.
bool ZoomModeChecked(const ViewZoom& zoom, std::int32_t mode);
bool ZoomFactorChecked(const ViewZoom& zoom, double factor);

// "Zoom In": the factor steps up by 1; above 3 it returns to 1 and the
// scroll is reset (true). From "Fill the Screen" the image leaves the
// window's width and follows the factor. The caller resizes the images.
bool ZoomIn(ViewZoom& zoom);
// "Zoom Out": the factor steps down by 1; below 1 it stays 1 and the scroll
// is reset (true). "Fill the Screen" already shows the whole width: it stays.
bool ZoomOut(ViewZoom& zoom);
// "&Restore image": scroll 0 and, outside "Fill the Screen", factor 1 (true
// when the factor changed and the images must be resized).
bool RestoreImage(ViewZoom& zoom);
// Zoom cycle (key Z): Fill the Screen → 100 % → 200 % → Fill the Screen.
void CycleZoomMode(ViewZoom& zoom);
// The scroll that keeps the image point under the mouse in place when the
// zoom factor changes: trunc(trunc((scroll + mouse) / old) × new − mouse).
std::int32_t ScrollKeepingPoint(std::int32_t scroll, std::int32_t mouse, double oldFactor, double newFactor);

// A scroll offset kept on the image: 0 .. imageSize − clientSize (0 when the
// image fits), so that no pan or zoom change leaves a black band.
std::int32_t ClampScrollToImage(long long scroll, std::int32_t imageSizePx, std::int32_t clientSizePx);

}  // namespace hx
