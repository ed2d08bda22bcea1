#include "nav/GpsFreshness.h"

namespace hx {

void noteGpsRead(GpsFreshness& freshness, const GpsSnapshot& snapshot, std::uint32_t nowMs) {
    if (snapshot.fix.gpsUpdated == 0) return;
    freshness.lastSentenceMs = nowMs;
    freshness.receiverNoFix = snapshot.fix.receiverNoFix;
    if (snapshot.fix.positionReceived != 0) freshness.lastPositionMs = nowMs;
}

GpsFreshnessText gpsFreshnessText(const GpsFreshness& freshness, std::uint32_t nowMs) {
    // The tick counter wraps: ages are unsigned differences.
    const auto ageMs = [nowMs](std::uint32_t then) { return static_cast<std::uint32_t>(nowMs - then); };
    if (!freshness.lastSentenceMs) return {"No GPS", true};
    if (ageMs(*freshness.lastSentenceMs) >= kGpsSilentAfterMs && !freshness.lastPositionMs) return {"No GPS", true};
    if (freshness.receiverNoFix || !freshness.lastPositionMs) return {"No fix", true};
    const std::uint32_t positionAge = ageMs(*freshness.lastPositionMs);
    return {"Fix " + std::to_string(positionAge / 1000) + " s", positionAge >= kGpsSilentAfterMs};
}

}  // namespace hx
