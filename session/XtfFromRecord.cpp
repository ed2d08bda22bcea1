#include "session/XtfFromRecord.h"

#include <array>
#include <span>

namespace hx {

namespace {

constexpr std::size_t kSideSamples = kEchoLineBytes / 2;

bool has(const std::string& text) { return !text.empty() && text != kNotAvailableText; }

double kHz(std::int32_t hz) { return hz / 1000.0; }

}  // namespace

SideScanPresence sideScanHeadsOf(const HeadTable& heads) {
    SideScanPresence present{};
    for (int h = 0; h < kSideScanHeadCount; ++h)
        present[static_cast<std::size_t>(h)] = heads.headAvailable[static_cast<std::size_t>(h)] != 0;
    return present;
}

XtfFileInfo xtfFileInfoFor(const RecordingDocument& doc, const std::string& sourceName,
                           const std::string& programVersion) {
    std::array<double, kSideScanHeadCount> frequencies{};
    for (int h = 0; h < kSideScanHeadCount; ++h)
        frequencies[static_cast<std::size_t>(h)] = kHz(doc.heads.headFrequency[static_cast<std::size_t>(h)]);
    XtfFileInfo info;
    info.programVersion = programVersion;
    if (doc.link.sysInfoReceived) {
        for (std::uint8_t c : doc.link.headSerialNumber)
            if (c >= 0x20 && c < 0x7F) info.serialNumber.push_back(static_cast<char>(c));
    }
    info.sourceFileName = sourceName;
    info.channels = xtfSideScanChannels(sideScanHeadsOf(doc.heads), frequencies);
    return info;
}

XtfPing xtfPingFor(const RecordingDocument& doc, const SideScanPresence& fileHeads, const UtcTime& time) {
    const GpsFix& fix = doc.gps.fix;
    const OrientationState& o = doc.orientation;
    XtfPing p;
    p.time = time;
    p.pingNumber = doc.dataFile.pingNumber;
    p.eventNumber = doc.dataFile.eventMarkFlag ? static_cast<std::uint32_t>(doc.dataFile.eventMarkNumber) : 0;
    if (has(fix.latText) && has(fix.lonText) && (fix.gpsLatitude != 0.0 || fix.gpsLongitude != 0.0))
        p.position = GeoPosition{fix.gpsLatitude, fix.gpsLongitude};
    if (has(fix.speedText)) p.speedKnots = fix.gpsSpeed;
    if (has(fix.courseText)) p.courseDeg = fix.gpsCourse;
    if (has(fix.headingText)) p.shipHeadingDeg = fix.gpsHeading;
    if (doc.link.orientationAvailable) {
        p.headingDeg = o.pingHeadingDeg;
        p.pitchDeg = o.pitchDeg;
        p.rollDeg = o.rollDeg;
        p.depthM = o.depthM;
    }
    if (o.pingAltitudeM > 0.0) p.altitudeM = o.pingAltitudeM;
    if (doc.cycle.pingInterval > 0) p.pingIntervalS = doc.cycle.pingInterval / 1000.0;

    const SideScanPresence present = sideScanHeadsOf(doc.heads);
    for (int h = 0; h < kSideScanHeadCount; ++h) {
        const auto k = static_cast<std::size_t>(h);
        if (!present[k]) continue;
        const std::span<const std::uint8_t> line(doc.heads.headDisplayLine[k].data() + kEchoLineOffset, kEchoLineBytes);
        const XtfSide sides[] = {XtfSide::Port, XtfSide::Starboard};
        for (XtfSide side : sides) {
            const auto channel = xtfChannelOf(fileHeads, h, side);
            if (!channel) continue;
            XtfPingChannel c;
            c.channel = *channel;
            c.slantRangeM = doc.heads.sideScanRange;
            c.frequencyKHz = kHz(doc.heads.headFrequency[k]);
            c.gainCode = static_cast<std::uint16_t>(doc.heads.headGain[k]);
            c.samples = side == XtfSide::Port ? line.first(kSideSamples) : line.subspan(kSideSamples);
            p.channels.push_back(c);
        }
    }
    return p;
}

std::optional<XtfAttitude> xtfAttitudeFor(const RecordingDocument& doc, const UtcTime& time) {
    if (!doc.link.orientationAvailable) return std::nullopt;
    const OrientationState& o = doc.orientation;
    XtfAttitude a;
    a.time = time;
    a.pitchDeg = o.pitchDeg;
    a.rollDeg = o.rollDeg;
    a.yawDeg = o.pingHeadingDeg;
    a.headingDeg = o.pingHeadingDeg;
    return a;
}

}  // namespace hx
