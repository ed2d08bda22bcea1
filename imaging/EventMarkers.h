// Where the event markers fall on a waterfall: each event names a ping and an
// across-track position, and its marker sits on the row that ping drew, at
// that position, for as long as the row is in the image (on Hold, in the
// frozen rows). Pure: worked out from the row metadata at each paint.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "imaging/WaterfallStore.h"

namespace hx {

struct EventMarkerRequest {
    std::int32_t number = 0;
    std::int32_t ping = 0;
    double position = 0.0;  // fraction of the width of the image showing both sides
};

struct EventMarkerPlace {
    std::int32_t number = 0;
    std::int64_t imageX = 0;
    std::int32_t row = 0;
};

// The marker's image column for the side display mode: both sides x =
// position × width; port only the port half is shown twice as wide (x
// doubled); starboard only x becomes (x − half the width) × 2. Nothing when
// the position lies on a side that is not shown.
std::optional<std::int64_t> MarkerColumn(double position, std::int32_t imageWidth, std::int32_t sideDisplayMode);

// The inverse, for a click: the position of an image column as a fraction
// of the both-sides width, so a marker entered on one side shown alone lands
// on the same place when both sides are shown.
double MarkerPositionAt(std::int64_t imageX, std::int32_t imageWidth, std::int32_t sideDisplayMode);

// One place per event and stretch of rows its ping drew (the newest row of
// the stretch; a file played round more than once may show a ping twice).
std::vector<EventMarkerPlace> PlaceEventMarkers(const WaterfallStore& store, bool hold, std::int32_t sideDisplayMode,
                                                std::span<const EventMarkerRequest> events);

}  // namespace hx
