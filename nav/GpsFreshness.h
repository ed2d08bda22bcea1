// How fresh the live GPS is, for the status bar: when the receiver last said
// anything, when it last gave a position, and whether its latest position
// sentence said it has no fix. Fed with every read on the user-interface
// thread; ages run on the tick counter.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "nav/GpsSnapshot.h"

namespace hx {

// The GPS panes turn red after this long without a sentence or a position.
inline constexpr std::uint32_t kGpsSilentAfterMs = 5000;

struct GpsFreshness {
    std::optional<std::uint32_t> lastSentenceMs;
    std::optional<std::uint32_t> lastPositionMs;
    bool receiverNoFix = false;
};

void noteGpsRead(GpsFreshness& freshness, const GpsSnapshot& snapshot, std::uint32_t nowMs);

struct GpsFreshnessText {
    std::string text;    // "Fix 2 s", "No fix", "No GPS"
    bool alarm = false;  // silent for 5 s, no fix, or the newest position 5 s old
};

GpsFreshnessText gpsFreshnessText(const GpsFreshness& freshness, std::uint32_t nowMs);

}  // namespace hx
