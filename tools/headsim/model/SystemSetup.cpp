#include "tools/headsim/model/SystemSetup.h"

#include <algorithm>
#include <cmath>

namespace hx::sim {

std::array<FrequencyLimits, kHeadCount> frequencyLimits(const SimOptions& o) {
    std::array<FrequencyLimits, kHeadCount> limits{};
    for (std::size_t k = 0; k < limits.size(); ++k)
        limits[k] = {o.nominalKHz[k] * 1000u, o.lowestKHz[k] * 1000u, o.highestKHz[k] * 1000u};
    return limits;
}

SystemDescription systemDescription(const SimOptions& o) {
    SystemDescription s;
    s.serial.fill(' ');
    std::copy_n(o.serial.begin(), std::min(o.serial.size(), s.serial.size()), s.serial.begin());
    s.present = o.present;
    s.orientationSensor = o.orientationSensor;
    for (std::size_t k = 0; k < s.heads.size(); ++k) {
        HeadBlock& b = s.heads[k];
        b.nominalKHz = static_cast<std::uint16_t>(o.nominalKHz[k]);
        b.lowestKHz = static_cast<std::uint16_t>(o.lowestKHz[k]);
        b.highestKHz = static_cast<std::uint16_t>(o.highestKHz[k]);
        b.ipv4 = parseIpv4(o.addresses[k]).value_or(0);
    }
    return s;
}

std::array<char, 3> headIdentifier(int head) {
    switch (head) {
        case kHeadL: return {'S', 'S', 'L'};
        case kHeadM: return {'S', 'S', 'M'};
        case kHeadH: return {'S', 'S', 'H'};
        default: return {'E', 'S', '1'};
    }
}

int dataReplyDelayMs(const SimOptions& o, const PingSettings& settings, bool secondHalf) {
    int ms = o.faults.delayMs;
    if (!secondHalf && !o.noDelay) ms += static_cast<int>(std::lround(2000.0 * settings.rangeM / kTravelSpeedMps));
    return ms;
}

}  // namespace hx::sim
