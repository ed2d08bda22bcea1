// What the XTF writer takes: plain values a driver fills from one recording
// and then from one record at a time. Units are in the names; angles are
// degrees, distances metres, speeds knots.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "export/GeoPosition.h"
#include "export/UtcTime.h"

namespace hx {

enum class XtfSide : std::uint8_t { Port, Starboard };

// One sonar channel of the file: a sidescan head's port or starboard side.
// Its index in XtfFileInfo::channels is its channel number in every ping.
struct XtfFileChannel {
    XtfSide side = XtfSide::Port;
    std::string name;          // up to 15 characters, e.g. "L PORT"
    double frequencyKHz = 0.0;
};

struct XtfFileInfo {
    std::string programVersion;  // up to 7 characters
    std::string serialNumber;    // the sonar system's serial number, up to six characters
    std::string note;            // free text after the serial number in the header's note
    std::string sourceFileName;  // the recording's name, up to 63 characters
    std::vector<XtfFileChannel> channels;  // 8-bit samples; at most kXtfMaxChannels
};

inline constexpr std::size_t kXtfMaxChannels = 64;
inline constexpr std::size_t kXtfMaxSamplesPerChannel = 1 << 16;

struct XtfPingChannel {
    std::uint16_t channel = 0;   // index into XtfFileInfo::channels
    double slantRangeM = 0.0;
    double frequencyKHz = 0.0;
    std::uint16_t gainCode = 0;
    // One byte per sample: the port side from far to near, the starboard side
    // from near to far, as the channel delivers them. Must outlive the write.
    std::span<const std::uint8_t> samples;
};

struct XtfPing {
    UtcTime time;                 // stored to the hundredth of a second
    std::uint32_t pingNumber = 0;
    std::uint32_t eventNumber = 0;
    double soundVelocityMps = 1500.0;  // stored as the one-way figure, half of it
    std::optional<GeoPosition> position;  // none: stored as 0, 0
    std::optional<double> speedKnots;      // over ground
    std::optional<double> courseDeg;       // over ground; stands in for the ship's heading when that is unknown
    std::optional<double> shipHeadingDeg;  // e.g. from a heading sensor on the GPS line
    std::optional<double> headingDeg;      // the towed sensor's own heading
    std::optional<double> pitchDeg;
    std::optional<double> rollDeg;
    std::optional<double> depthM;
    std::optional<double> altitudeM;
    std::optional<double> pingIntervalS;
    std::vector<XtfPingChannel> channels;  // in ascending channel order, each at most once
};

struct XtfNote {
    UtcTime time;
    std::string text;  // 8-bit text, cut to 199 characters
};

// The text of the notes packet for an event mark.
std::string xtfEventNoteText(int eventNumber, std::uint32_t ping, const std::string& annotation);

struct XtfSerial {
    UtcTime time;
    std::uint8_t port = 0;
    std::string text;  // e.g. one NMEA sentence; at most 65535 bytes
};

struct XtfAttitude {
    UtcTime time;
    double pitchDeg = 0.0;
    double rollDeg = 0.0;
    double heaveM = 0.0;
    double yawDeg = 0.0;
    double headingDeg = 0.0;
};

}  // namespace hx
