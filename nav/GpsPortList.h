// Serial port choice on Linux: the order in which FindGpsPort tries devices,
// the port number kept beside a device path, and the "Com Port" list of the
// configuration dialog built from the probed devices.
#pragma once

#include <string>
#include <vector>

#include "nav/GpsSettings.h"

namespace hx {

inline constexpr const char* kNoComPortsText = "No Com Ports available";

struct ProbedPort {
    std::string device;     // "/dev/ttyUSB0"
    bool openable = false;  // opened (and was closed again) when probed
};

// Devices to try, in order: the configured device (or, without one, the
// device of the configured port number), then every discovered device.
// Each device appears once.
std::vector<std::string> gpsPortCandidates(const GpsSettings& s, const std::vector<std::string>& discovered);

// The "GPS Comm Port" number of a device: its place (1-based) in the
// discovered list, or fallback when it is not there (a typed path).
int gpsPortNumberFor(const std::string& device, const std::vector<std::string>& discovered, int fallback);

// The device behind a port number, or empty when the number has none.
std::string gpsDeviceForNumber(int number, const std::vector<std::string>& discovered);

struct GpsPortListModel {
    std::vector<std::string> devices;  // entries, in discovery order
    int selected = -1;                 // the configured device's entry, else 0; -1 when empty
    bool enabled() const { return !devices.empty(); }
    // What the list shows when it has no entry.
    std::string placeholder() const { return devices.empty() ? kNoComPortsText : std::string(); }
};

// Every probed device that opened, plus the configured device when this
// program holds it open (so it does not open for the probe) or when it was
// typed as a path that discovery does not list.
GpsPortListModel buildGpsPortList(const std::vector<ProbedPort>& probed, const std::string& configuredDevice,
                                  bool configuredInUse);

}  // namespace hx
