// Redrawing the waterfall images from the ping history, newest ping first,
// after a re-allocation or when Hold ends. Stops as soon as the image is full.
#pragma once

#include <cstdint>

#include "imaging/AppendLine.h"
#include "imaging/DisplaySettings.h"
#include "imaging/LineCount.h"
#include "imaging/PingHistory.h"
#include "imaging/WaterfallStore.h"
#include "link/LinkState.h"

namespace hx {

// Redraws head h's image from the history. The head's carries restart at 0;
// the primary head also rewrites the row metadata and validRows. Pings that
// add no row are merged by maximum into the row of the next older ping.
// countImage, when given, is the image the row counts are taken for (a
// sonar window's image keeps the main image's rows at its own width).
void RebuildFromHistory(WaterfallStore& store, LineWork& work, LineCountState& lines, const PingHistory& history,
                        const DisplaySettings& display, const SpeedSource& speed, std::int32_t frequencyHz,
                        const LineTarget& target, const LineCountImage* countImage = nullptr);

// Three-head operation: rebuilds heads L, M and H, then every composite pixel
// from the three images (byte 2 − h = min(254, trunc(255 × sin(p × π/512))),
// without the display gain).
void RebuildComposite(WaterfallStore& store, LineWork& work, LineCountState& lines, const PingHistory& history,
                      const DisplaySettings& display, const SpeedSource& speed, const HeadTable& heads);

// Rebuilds the allocated set: the composite rebuild in three-head operation,
// else displayHeadA (primary) then displayHeadB.
void RebuildImages(WaterfallStore& store, LineWork& work, LineCountState& lines, const PingHistory& history,
                   const DisplaySettings& display, const SpeedSource& speed, const HeadTable& heads,
                   const LinkFields& link);

}  // namespace hx
