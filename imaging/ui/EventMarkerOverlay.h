// The event markers over the main sidescan view: a 24-pixel circle on the
// row the event's ping drew, at its position, with the event number in
// "Arial" 18 centred in a 30-pixel box, in red.
#pragma once

#include <span>

#include "imaging/EventMarkers.h"
#include "imaging/ui/SidescanContext.h"

class QPainter;

namespace hx {

inline constexpr int kEventMarkerDiameterPx = 24;
inline constexpr int kEventMarkerFontPx = 18;

void DrawEventMarkers(QPainter& painter, const ViewGeometry& geometry, std::span<const EventMarkerPlace> places);

}  // namespace hx
