#include "imaging/EventMarkers.h"

#include <algorithm>
#include <cmath>

#include "imaging/DisplaySettings.h"

namespace hx {

std::optional<std::int64_t> MarkerColumn(double position, std::int32_t imageWidth, std::int32_t sideDisplayMode) {
    if (!std::isfinite(position) || imageWidth <= 0) return std::nullopt;
    const double x = std::clamp(position, 0.0, 1.0) * imageWidth;
    double shown = x;
    if (sideDisplayMode == kPortOnly) {
        shown = x * 2.0;
    } else if (sideDisplayMode == kStarboardOnly) {
        shown = (x - imageWidth / 2.0) * 2.0;
    }
    if (shown < 0.0 || shown > imageWidth) return std::nullopt;
    return static_cast<std::int64_t>(shown);
}

double MarkerPositionAt(std::int64_t imageX, std::int32_t imageWidth, std::int32_t sideDisplayMode) {
    if (imageWidth <= 0) return 0.0;
    const double x = std::clamp(static_cast<double>(imageX), 0.0, static_cast<double>(imageWidth));
    if (sideDisplayMode == kPortOnly) return x / (2.0 * imageWidth);
    if (sideDisplayMode == kStarboardOnly) return 0.5 + x / (2.0 * imageWidth);
    return x / imageWidth;
}

std::vector<EventMarkerPlace> PlaceEventMarkers(const WaterfallStore& store, bool hold, std::int32_t sideDisplayMode,
                                                std::span<const EventMarkerRequest> events) {
    std::vector<EventMarkerPlace> out;
    if (events.empty()) return out;
    std::vector<EventMarkerRequest> byPing(events.begin(), events.end());
    std::stable_sort(byPing.begin(), byPing.end(), [](const auto& a, const auto& b) { return a.ping < b.ping; });

    const int rows = hold ? static_cast<int>(store.frozenRowMeta.size()) : store.rowMeta.size();
    std::int32_t previousPing = 0;
    bool previousHeld = false;
    for (int r = 0; r < rows; ++r) {
        const RowMeta* meta = DisplayedRowMeta(store, r, hold);
        if (!meta) break;
        const bool held = meta->stamp[0] != '\0';  // a row without a stamp holds no ping
        const bool startsStretch = held && (!previousHeld || meta->pingNumber != previousPing);
        previousHeld = held;
        previousPing = meta->pingNumber;
        if (!startsStretch) continue;
        auto [first, last] = std::equal_range(byPing.begin(), byPing.end(), EventMarkerRequest{0, meta->pingNumber, 0.0},
                                              [](const auto& a, const auto& b) { return a.ping < b.ping; });
        for (auto it = first; it != last; ++it) {
            if (auto x = MarkerColumn(it->position, store.imageWidth, sideDisplayMode))
                out.push_back({it->number, *x, r});
        }
    }
    return out;
}

}  // namespace hx
