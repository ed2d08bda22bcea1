#include "nav/GpsSettings.h"

namespace hx {

const char* gpsSourceKindName(GpsSourceKind kind) {
    switch (kind) {
        case GpsSourceKind::Gpsd: return "gpsd";
        case GpsSourceKind::Udp: return "udp";
        case GpsSourceKind::Serial: break;
    }
    return "serial";
}

GpsSourceKind gpsSourceKindFromName(std::string_view name) {
    if (name == "gpsd") return GpsSourceKind::Gpsd;
    if (name == "udp") return GpsSourceKind::Udp;
    return GpsSourceKind::Serial;
}

int gpsReadIntervalMs(const GpsSettings& s) {
    if (s.gpsReadInterval < 100) return 100;
    if (s.gpsReadInterval > 60000) return 60000;
    return s.gpsReadInterval;
}

std::optional<std::string> gpsLineSettingsProblem(const GpsSettings& s) {
    if (s.gpsBaudRate <= 0) return "baud rate " + std::to_string(s.gpsBaudRate);
    if (s.gpsDataBits < 5 || s.gpsDataBits > 8) return "data bits " + std::to_string(s.gpsDataBits);
    if (s.gpsParity > 4) return "parity " + std::to_string(s.gpsParity);
    if (s.gpsStopBits > 2) return "stop bits " + std::to_string(s.gpsStopBits);
    if (s.gpsStopBits == 1 && s.gpsDataBits != 5) return "1.5 stop bits need 5 data bits";
    return std::nullopt;
}

std::string gpsSourceDisplayName(const GpsSettings& s) {
    switch (s.gpsSource) {
        case GpsSourceKind::Gpsd: return "gpsd " + s.gpsdHost + ":" + std::to_string(s.gpsdPort);
        case GpsSourceKind::Udp: return "UDP " + s.udpAddress + ":" + std::to_string(s.udpPort);
        case GpsSourceKind::Serial: break;
    }
    if (!s.gpsDevice.empty()) return s.gpsDevice;
    return "COM" + std::to_string(s.gpsPort);
}

}  // namespace hx
