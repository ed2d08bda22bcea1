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

// zoomMode values.
inline constexpr std::int32_t kZoomFillScreen = 0;  // "Fill the Screen"
inline constexpr std::int32_t kZoom100 = 1;         // "100 %": 2000-pixel image
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
// width (a 1001-pixel window: 1004 × 1004, zoomFactor 0.502); "100 %" and
// "200 %" give 2000 and 4000 pixels with imageScale = width / rounded client
// width in single precision. With speed correction off imageScale is
// imageWidth / 2000. Nothing for a window without width.
std::optional<ImageGeometry> ComputeImageGeometry(std::int32_t clientWidthPx, const ViewZoom& zoom,
                                                  bool speedCorrectionEnabled);

// Applies a window size or zoom-mode change: new geometry and, once the view
// is ready, new images, a cleared screen, the interpolation factor from the
// zoom and a rebuild from the history. False when the window has no width.
bool ResizeImages(ImagingState& imaging, PaletteState& palette, ViewZoom& zoom, std::int32_t clientWidthPx,
                  const HeadTable& heads, const LinkFields& link, const SpeedSource& speed);

// "Fill the Screen", "100 %", "200 %": true when the mode changed and the
// images must be resized.
bool SelectZoomMode(ViewZoom& zoom, std::int32_t mode);

// "Zoom In" / "Zoom Out": the factor steps by 1 within 1..3; true when it
// wrapped or was held at 1, and the scroll was reset.
bool ZoomIn(ViewZoom& zoom);
bool ZoomOut(ViewZoom& zoom);
// "&Restore image": factor 1, scroll 0.
void RestoreImage(ViewZoom& zoom);
// Zoom cycle (key Z): Fill the Screen → 100 % → 200 % → Fill the Screen.
void CycleZoomMode(ViewZoom& zoom);
// The scroll that keeps the image point under the mouse in place when the
// zoom factor changes: trunc(trunc((scroll + mouse) / old) × new − mouse).
std::int32_t ScrollKeepingPoint(std::int32_t scroll, std::int32_t mouse, double oldFactor, double newFactor);

}  // namespace hx
