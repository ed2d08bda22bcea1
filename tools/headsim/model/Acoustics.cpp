#include "tools/headsim/model/Acoustics.h"

#include <algorithm>
#include <cmath>

namespace hx::sim {

double absorptionDbPerM(double frequencyHz, double temperatureC) {
    const double t = std::clamp(temperatureC, -2.0, 30.0);
    const double salinity = 30.0;
    const double f = std::max(1.0, frequencyHz / 1000.0);  // kHz
    const double f2sq = f * f;
    // Boric acid.
    const double a1 = 8.86 / kSoundSpeedMps * std::pow(10.0, 0.78 * 8.0 - 5.0);
    const double f1 = 2.8 * std::sqrt(salinity / 35.0) * std::pow(10.0, 4.0 - 1245.0 / (273.0 + t));
    // Magnesium sulphate.
    const double a2 = 21.44 * salinity / kSoundSpeedMps * (1.0 + 0.025 * t);
    const double fm = 8.17 * std::pow(10.0, 8.0 - 1990.0 / (273.0 + t)) / (1.0 + 0.0018 * (salinity - 35.0));
    // Pure water.
    const double a3 = t <= 20.0 ? 4.937e-4 - 2.59e-5 * t + 9.11e-7 * t * t - 1.50e-8 * t * t * t
                                : 3.964e-4 - 1.146e-5 * t + 1.45e-7 * t * t - 6.5e-10 * t * t * t;
    const double dbPerKm = a1 * f1 * f2sq / (f1 * f1 + f2sq) + a2 * fm * f2sq / (fm * fm + f2sq) + a3 * f2sq;
    return dbPerKm / 1000.0;
}

double rangeResolutionM(double frequencyHz) {
    // About twenty cycles per pulse: c * 20 / f / 2 in range.
    return 15000.0 / std::max(1000.0, frequencyHz);
}

std::uint8_t powerToSample(double power, double gainDb) {
    if (!(power > 0.0)) return 0;
    const double db = 10.0 * std::log10(power) + gainDb + kReceiverRefDb;
    const double counts = std::round(db * kCountsPerDb);
    return static_cast<std::uint8_t>(std::clamp(counts, 0.0, 255.0));
}

}  // namespace hx::sim
