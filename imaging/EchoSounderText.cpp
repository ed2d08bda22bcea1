#include "imaging/EchoSounderText.h"

#include <cmath>
#include <cstdio>

#include "imaging/EchoGram.h"

namespace hx {

namespace {
constexpr double kMetresPerFoot = 0.3048;
}

std::array<EchoScaleMark, 6> EchoScaleMarks(int imageHeightPx, std::int32_t rangeM, bool feet, bool gridShown) {
    std::array<EchoScaleMark, 6> marks{};
    const int usable = imageHeightPx - 62;
    // A division of R/5 metres, or of 3R/5 feet = 0.9144 x R/5 metres.
    const double step = usable * 0.2 * (feet ? 0.9144 : 1.0);
    for (int i = 0; i < 6; ++i) {
        EchoScaleMark& m = marks[static_cast<std::size_t>(i)];
        m.lineY = static_cast<int>(i * step + kEchoTopMarginPx);
        m.drawLine = i == 0 || gridShown;
        m.labelY = static_cast<int>(i * step + 20);
        const long long value = feet ? static_cast<long long>(i) * rangeM * 3 / 5 : static_cast<long long>(i) * rangeM / 5;
        m.label = std::to_string(value);
    }
    return marks;
}

std::string EchoRangeText(std::int32_t rangeM, std::int32_t gainStep, bool feet) {
    char buf[64];
    if (feet)
        std::snprintf(buf, sizeof buf, "%lld ft(%d dB)", static_cast<long long>(rangeM) * 3, gainStep);
    else
        std::snprintf(buf, sizeof buf, "%d m(%d dB)", rangeM, gainStep);
    return buf;
}

std::string EchoAltitudeText(double altitudeM, bool feet) {
    if (!std::isfinite(altitudeM)) altitudeM = 0.0;
    char buf[64];
    if (feet)
        std::snprintf(buf, sizeof buf, "A:%5.1f ft", altitudeM / kMetresPerFoot);
    else
        std::snprintf(buf, sizeof buf, "A:%5.1f m", altitudeM);
    return buf;
}

}  // namespace hx
