#include "nav/OrientationInstruments.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace hx {

namespace {

double finiteOr0(double v) { return std::isfinite(v) ? v : 0.0; }

std::string format(const char* pattern, double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, pattern, finiteOr0(v));
    return buf;
}

}  // namespace

OrientationTexts orientationTexts(const OrientationValues& v, bool feet) {
    OrientationTexts t;
    t.pitch = format("P: %5.1f", v.pitchDeg);
    t.roll = format("R: %5.1f", v.rollDeg);
    t.heading = format("H: %5.1f", v.headingDeg);
    if (feet) {
        t.depth = format("D: %5.1f ft", finiteOr0(v.depthM) / 0.3048);
        t.temperature = format("T: %5.1f  F", finiteOr0(v.temperatureC) * 9.0 / 5.0 + 32.0);
    } else {
        t.depth = format("D: %5.1f m", v.depthM);
        t.temperature = format("T: %5.1f  C", v.temperatureC);
    }
    return t;
}

double gaugeFraction(double value, GaugeSpan span) {
    if (span.maximum == span.minimum || !std::isfinite(value)) return 0.0;
    const double f = (value - span.minimum) / static_cast<double>(span.maximum - span.minimum);
    return std::clamp(f, 0.0, 1.0);
}

std::string gaugeEndLabel(int spanEnd, bool scaleByThree) {
    return std::to_string(scaleByThree ? static_cast<long long>(spanEnd) * 3 : spanEnd);
}

double pitchLevelOffsetPx(double pitchDeg, double radiusPx) {
    const double f = std::clamp(finiteOr0(pitchDeg) / 90.0, -1.0, 1.0);
    return -f * radiusPx;
}

double headingNeedleRad(double headingDeg) { return finiteOr0(headingDeg) * 3.1415926 / 180.0; }

}  // namespace hx
