#include "nav/GpsPortList.h"

#include <algorithm>

namespace hx {

std::string gpsDeviceForNumber(int number, const std::vector<std::string>& discovered) {
    if (number < 1 || static_cast<std::size_t>(number) > discovered.size()) return {};
    return discovered[static_cast<std::size_t>(number - 1)];
}

int gpsPortNumberFor(const std::string& device, const std::vector<std::string>& discovered, int fallback) {
    const auto it = std::find(discovered.begin(), discovered.end(), device);
    if (it == discovered.end()) return fallback;
    return static_cast<int>(it - discovered.begin()) + 1;
}

std::vector<std::string> gpsPortCandidates(const GpsSettings& s, const std::vector<std::string>& discovered) {
    std::vector<std::string> out;
    auto add = [&out](const std::string& d) {
        if (!d.empty() && std::find(out.begin(), out.end(), d) == out.end()) out.push_back(d);
    };
    add(s.gpsDevice.empty() ? gpsDeviceForNumber(s.gpsPort, discovered) : s.gpsDevice);
    for (const auto& d : discovered) add(d);
    return out;
}

GpsPortListModel buildGpsPortList(const std::vector<ProbedPort>& probed, const std::string& configuredDevice,
                                  bool configuredInUse) {
    GpsPortListModel m;
    bool configuredListed = false;
    for (const auto& p : probed) {
        const bool isConfigured = !configuredDevice.empty() && p.device == configuredDevice;
        if (p.openable || (isConfigured && configuredInUse)) {
            m.devices.push_back(p.device);
            configuredListed = configuredListed || isConfigured;
        }
    }
    const bool discovered = std::any_of(probed.begin(), probed.end(),
                                        [&](const ProbedPort& p) { return p.device == configuredDevice; });
    if (!configuredDevice.empty() && !configuredListed && (configuredInUse || !discovered))
        m.devices.push_back(configuredDevice);
    if (!m.devices.empty()) {
        const auto it = std::find(m.devices.begin(), m.devices.end(), configuredDevice);
        m.selected = it == m.devices.end() ? 0 : static_cast<int>(it - m.devices.begin());
    }
    return m;
}

}  // namespace hx
