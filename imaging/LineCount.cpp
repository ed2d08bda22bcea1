#include "imaging/LineCount.h"

#include <cmath>

namespace hx {

namespace {

constexpr double kMetresPerSecondPerKnot = 0.51444444444;
constexpr double kDefaultSpeedKn = 3.0;

// trunc(value) as a count and the fraction left over. Values that are not
// finite or not positive give 0 with no carry; huge ones stop at the limit.
std::int32_t truncateWithCarry(double value, double& carry) {
    if (!std::isfinite(value) || value <= 0.0) {
        carry = 0.0;
        return 0;
    }
    const double whole = std::trunc(value);
    if (whole >= kMaxLineCount) {
        carry = 0.0;
        return kMaxLineCount;
    }
    carry = value - whole;
    return static_cast<std::int32_t>(whole);
}

}  // namespace

double EffectiveSpeedKn(const SpeedSource& speed, double recordedSpeedKn) {
    double v = recordedSpeedKn;
    if (speed.speedCorrectionEnabled && v <= 0.0) v = kDefaultSpeedKn;
    if (speed.useManualSpeed)
        v = speed.manualShipSpeedKn;
    else if (!speed.useGpsSpeed)
        v = kDefaultSpeedKn;
    if (!speed.speedCorrectionEnabled) v = kDefaultSpeedKn;
    return v;
}

void ComputeLineCount(LineCountState& state, const LineCountPing& ping, int head, std::int32_t sideDisplayMode,
                      const LineCountImage& image, const SpeedSource& speed) {
    if (head < 0 || head >= kSideScanHeadCount) return;
    const auto h = static_cast<std::size_t>(head);
    if (ping.rangeM <= 0) {
        state.speedLineCount = 0;
        state.fixedLineCount = 0;
        return;
    }
    const double w = image.widthPx;
    const double sc = image.scale;
    const double r = ping.rangeM;
    const bool bothSides = sideDisplayMode == kBothSides;

    double pixelsPerMetre = 0.0;
    if (sideDisplayMode == kPortOnly || sideDisplayMode == kStarboardOnly)
        pixelsPerMetre = w / r;
    else if (bothSides)
        pixelsPerMetre = w / (2.0 * r);

    const double v = EffectiveSpeedKn(speed, ping.shipSpeedKn);
    const double distanceM = v * kMetresPerSecondPerKnot * ping.pingIntervalMs * 0.001;
    const double advancePx = pixelsPerMetre * distanceM;

    state.speedLineCount = truncateWithCarry(state.speedCarry[h] + advancePx, state.speedCarry[h]);

    if (!speed.speedCorrectionEnabled) {
        const double x = bothSides ? advancePx / sc : advancePx / (2.0 * sc);
        state.speedLineCount = truncateWithCarry(state.speedCarry[h] + x, state.speedCarry[h]);
        const double f = bothSides ? sc : 2.0 * sc;
        state.fixedLineCount = truncateWithCarry(state.fixedCarry[h] + f, state.fixedCarry[h]);
    }
}

}  // namespace hx
