// XTF structures as the reader decodes them: the fields this program writes
// and those a survey reader looks at, with the format's own units (degrees,
// metres, knots, kHz; the sound velocity as stored, one-way).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace hx {

struct XtfChannelDescription {
    std::uint8_t typeOfChannel = 0;  // 1 port, 2 starboard
    std::uint8_t subChannelNumber = 0;
    std::uint16_t correctionFlags = 0;
    std::uint16_t uniPolar = 0;
    std::uint16_t bytesPerSample = 0;
    std::string name;
    float voltScale = 0.0f;
    float frequencyKHz = 0.0f;
    std::uint16_t beamsPerArray = 0;
    std::uint8_t sampleFormat = 0;
};

struct XtfFileHeader {
    std::uint8_t fileFormat = 0;
    std::uint8_t systemType = 0;
    std::string programName;
    std::string programVersion;
    std::string sonarName;
    std::uint16_t sonarType = 0;
    std::string note;
    std::string thisFileName;
    std::uint16_t navUnits = 0;
    std::uint16_t sonarChannels = 0;
    std::uint16_t bathymetryChannels = 0;
    std::size_t headerBytes = 0;
    std::vector<XtfChannelDescription> channels;  // sonar channels, then bathymetry channels
};

// Year .. hundredths as the ping, notes and raw serial packets hold them.
struct XtfTimeFields {
    std::uint16_t year = 0;
    std::uint8_t month = 0;
    std::uint8_t day = 0;
    std::uint8_t hour = 0;
    std::uint8_t minute = 0;
    std::uint8_t second = 0;
    std::uint8_t hundredths = 0;
};

struct XtfPingHeader {
    std::uint8_t headerType = 0;
    std::uint8_t subChannelNumber = 0;
    std::uint16_t numChansToFollow = 0;
    std::uint32_t numBytesThisRecord = 0;
    XtfTimeFields time;
    std::uint16_t julianDay = 0;
    std::uint32_t eventNumber = 0;
    std::uint32_t pingNumber = 0;
    float soundVelocity = 0.0f;  // as stored: half the two-way figure
    float shipSpeedKnots = 0.0f;
    float shipGyroDeg = 0.0f;
    double shipY = 0.0;  // latitude with degrees navigation units
    double shipX = 0.0;  // longitude
    float sensorSpeedKnots = 0.0f;
    double sensorY = 0.0;
    double sensorX = 0.0;
    float sensorDepthM = 0.0f;
    float sensorPrimaryAltitudeM = 0.0f;
    float sensorPitchDeg = 0.0f;
    float sensorRollDeg = 0.0f;
    float sensorHeadingDeg = 0.0f;
    std::uint32_t attitudeTimeTag = 0;
    std::uint8_t computerClock[4] = {};  // hour, minute, second, hundredths
};

struct XtfChannelHeader {
    std::uint16_t channelNumber = 0;
    std::uint16_t downsampleMethod = 0;
    float slantRangeM = 0.0f;
    float groundRangeM = 0.0f;
    float timeDelayS = 0.0f;
    float timeDurationS = 0.0f;
    float secondsPerPing = 0.0f;
    std::uint16_t processingFlags = 0;
    std::uint16_t frequencyKHz = 0;
    std::uint16_t initialGainCode = 0;
    std::uint16_t gainCode = 0;
    std::uint16_t bandWidth = 0;
    std::uint32_t numSamples = 0;
    std::uint16_t millivoltScale = 0;
};

struct XtfChannelData {
    XtfChannelHeader header;
    std::uint16_t bytesPerSample = 1;
    std::span<const std::uint8_t> sampleBytes;  // numSamples x bytesPerSample

    // Sample i as an unsigned value of bytesPerSample bytes.
    std::uint32_t sample(std::size_t i) const;
};

// One sonar packet. The spans point into the reader's buffer and are valid
// only during the visitor's call.
struct XtfPingRecord {
    std::uint64_t offset = 0;
    XtfPingHeader header;
    std::vector<XtfChannelData> channels;
    std::size_t paddingBytes = 0;  // after the last channel's samples
    bool paddingIsZero = true;
};

struct XtfNoteRecord {
    std::uint64_t offset = 0;
    XtfTimeFields time;  // hundredths not stored: 0
    std::string text;
};

struct XtfSerialRecord {
    std::uint64_t offset = 0;
    std::uint8_t port = 0;
    XtfTimeFields time;
    std::uint16_t julianDay = 0;
    std::uint32_t timeTag = 0;
    std::string text;
};

struct XtfAttitudeRecord {
    std::uint64_t offset = 0;
    std::uint32_t epochMicroseconds = 0;
    std::uint32_t sourceEpoch = 0;
    float pitchDeg = 0.0f;
    float rollDeg = 0.0f;
    float heaveM = 0.0f;
    float yawDeg = 0.0f;
    std::uint32_t timeTag = 0;
    float headingDeg = 0.0f;
    std::uint16_t year = 0;
    std::uint8_t month = 0;
    std::uint8_t day = 0;
    std::uint8_t hour = 0;
    std::uint8_t minute = 0;
    std::uint8_t second = 0;
    std::uint16_t milliseconds = 0;
};

// Every packet as framed: where it starts, its type and its size.
struct XtfPacketInfo {
    std::uint64_t offset = 0;
    std::uint8_t headerType = 0;
    std::uint8_t subChannelNumber = 0;
    std::uint16_t numChansToFollow = 0;
    std::uint32_t bytes = 0;
};

}  // namespace hx
