// The GPS source and its line settings as the document and the INI file
// hold them. Serial ports keep their number ("GPS Comm Port") for the file
// and their device path ("GPS Comm Device") for Linux; the source kind picks
// a serial port (the default), a gpsd server or NMEA 0183 over UDP.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace hx {

enum class GpsSourceKind { Serial, Gpsd, Udp };

// Names used in the settings file: "serial", "gpsd", "udp".
const char* gpsSourceKindName(GpsSourceKind kind);
// Unknown text gives Serial.
GpsSourceKind gpsSourceKindFromName(std::string_view name);

enum class GpsParity : std::uint8_t { None = 0, Even = 1, Odd = 2, Mark = 3, Space = 4 };
enum class GpsStopBits : std::uint8_t { One = 0, OneAndHalf = 1, Two = 2 };

struct GpsSettings {
    std::int32_t gpsPort = 1;          // "GPS Comm Port": 1..256
    std::string gpsDevice;             // "GPS Comm Device": /dev/ttyUSB0, a pseudo-terminal, ...
    std::int32_t gpsBaudRate = 19200;  // "BaudRate"
    std::uint8_t gpsDataBits = 8;      // "DataBits": 5..8
    std::uint8_t gpsStopBits = 0;      // "StopBits": 0 one, 1 one and a half, 2 two
    std::uint8_t gpsParity = 0;        // "Parity": 0 None, 1 Even, 2 Odd, 3 Mark, 4 Space
    std::uint8_t gpsFlow = 0;          // "Flow": 1 = wait for CTS before sending
    std::int32_t gpsBaudRateIndex = 0; // "BaudRateIndex": loaded and saved only
    std::int32_t gpsType = 0;          // "GPS type": sentence selection
    std::int32_t gpsReadInterval = 1000;  // "GPS Read Interval", ms
    std::int32_t gpsEnabled = 1;

    GpsSourceKind gpsSource = GpsSourceKind::Serial;  // "GPS Source"
    std::string gpsdHost = "localhost";               // "GPSD Host"
    std::uint16_t gpsdPort = 2947;                    // "GPSD Port"
    std::string udpAddress = "127.0.0.1";             // "NMEA UDP Address": where to listen; 0.0.0.0 for any
    std::uint16_t udpPort = 10110;                    // "NMEA UDP Port"
};

inline constexpr int kGpsPortNumberMax = 256;
inline constexpr int kGpsReadIntervalMinMs = 200;
inline constexpr int kGpsReadIntervalMaxMs = 2000;

// The read interval as the pacing timer uses it: values from the file are
// kept within 100..60000 ms so that a hostile setting neither spins nor stalls.
int gpsReadIntervalMs(const GpsSettings& s);

// Why a set of line settings cannot be applied, or nullopt when it can:
// data bits 5..8, parity 0..4, stop bits 0..2 (1.5 only with 5 data bits,
// where the line gives one and a half stop bits), baud rate positive.
std::optional<std::string> gpsLineSettingsProblem(const GpsSettings& s);

// The name that messages give the source: the device path, or "COM%d" of
// the port number when no path is known; "host:port" for the network.
std::string gpsSourceDisplayName(const GpsSettings& s);

}  // namespace hx
