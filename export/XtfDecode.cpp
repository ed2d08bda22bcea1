#include "export/XtfDecode.h"

#include <algorithm>

#include "core/ByteIO.h"
#include "export/XtfFormat.h"

namespace hx {

namespace {

bool refuse(std::string& reason, std::string text) {
    reason = std::move(text);
    return false;
}

XtfTimeFields timeFields(ByteReader& r, bool withHundredths) {
    XtfTimeFields t;
    t.year = r.u16();
    t.month = r.u8();
    t.day = r.u8();
    t.hour = r.u8();
    t.minute = r.u8();
    t.second = r.u8();
    if (withHundredths) t.hundredths = r.u8();
    return t;
}

void skipPacketStart(ByteReader& r) { r.skip(kXtfPacketStartBytes); }

}  // namespace

std::uint32_t XtfChannelData::sample(std::size_t i) const {
    const std::size_t at = i * bytesPerSample;
    if (at + bytesPerSample > sampleBytes.size()) return 0;
    std::uint32_t v = 0;
    for (std::size_t k = 0; k < bytesPerSample; ++k) v |= static_cast<std::uint32_t>(sampleBytes[at + k]) << (8 * k);
    return v;
}

std::size_t xtfHeaderSize(std::span<const std::uint8_t> first, std::string& reason) {
    if (first.size() < kXtfHeaderFieldBytes) {
        reason = "shorter than an XTF file header";
        return 0;
    }
    if (first[0] != kXtfFileFormat) {
        reason = "not an XTF file (format byte " + std::to_string(first[0]) + ", expected 123)";
        return 0;
    }
    const std::size_t channels = std::size_t{*readU16Le(first, 166)} + *readU16Le(first, 168);
    if (channels > kXtfMaxHeaderChannels) {
        reason = "the file header declares " + std::to_string(channels) + " channels";
        return 0;
    }
    return xtfFileHeaderBytes(channels);
}

bool decodeXtfFileHeader(std::span<const std::uint8_t> header, XtfFileHeader& out, std::string& reason) {
    const std::size_t size = xtfHeaderSize(header, reason);
    if (size == 0) return false;
    if (header.size() < size) return refuse(reason, "the file ends inside its " + std::to_string(size) + "-byte header");
    ByteReader r(header.first(size));
    out = {};
    out.headerBytes = size;
    out.fileFormat = r.u8();
    out.systemType = r.u8();
    out.programName = r.text(8);
    out.programVersion = r.text(8);
    out.sonarName = r.text(16);
    out.sonarType = r.u16();
    out.note = r.text(64);
    out.thisFileName = r.text(64);
    out.navUnits = r.u16();
    out.sonarChannels = r.u16();
    out.bathymetryChannels = r.u16();
    r.skip(kXtfHeaderFieldBytes - r.position());
    const std::size_t channels = std::size_t{out.sonarChannels} + out.bathymetryChannels;
    out.channels.resize(channels);
    for (XtfChannelDescription& c : out.channels) {
        ByteReader ci(r.bytes(kXtfChanInfoBytes));
        c.typeOfChannel = ci.u8();
        c.subChannelNumber = ci.u8();
        c.correctionFlags = ci.u16();
        c.uniPolar = ci.u16();
        c.bytesPerSample = ci.u16();
        ci.skip(4);
        c.name = ci.text(16);
        c.voltScale = getF32(ci);
        c.frequencyKHz = getF32(ci);
        ci.skip(36);
        c.beamsPerArray = ci.u16();
        c.sampleFormat = ci.u8();
    }
    if (!r.ok()) return refuse(reason, "the file header is cut short");
    return true;
}

bool decodeXtfPing(std::span<const std::uint8_t> packet, const XtfFileHeader& file, XtfPingRecord& out,
                   std::string& reason) {
    if (packet.size() < kXtfPingHeaderBytes)
        return refuse(reason, "sonar packet of " + std::to_string(packet.size()) + " bytes, shorter than its header");
    ByteReader r(packet);
    XtfPingHeader& h = out.header;
    h = {};
    r.skip(2);
    h.headerType = r.u8();
    h.subChannelNumber = r.u8();
    h.numChansToFollow = r.u16();
    r.skip(4);
    h.numBytesThisRecord = r.u32();
    h.time = timeFields(r, true);
    h.julianDay = r.u16();
    h.eventNumber = r.u32();
    h.pingNumber = r.u32();
    h.soundVelocity = getF32(r);
    r.skip(112 - 36);
    r.skip(8);  // speed log, turbidity
    h.shipSpeedKnots = getF32(r);
    h.shipGyroDeg = getF32(r);
    h.shipY = r.f64();
    h.shipX = r.f64();
    r.skip(2 + 2 + 4);  // ship altitude and depth, fix time
    h.sensorSpeedKnots = getF32(r);
    r.skip(4);  // KP
    h.sensorY = r.f64();
    h.sensorX = r.f64();
    r.skip(8 + 4 + 4);  // sonar status .. cable out, layback, cable tension
    h.sensorDepthM = getF32(r);
    h.sensorPrimaryAltitudeM = getF32(r);
    r.skip(4);
    h.sensorPitchDeg = getF32(r);
    h.sensorRollDeg = getF32(r);
    h.sensorHeadingDeg = getF32(r);
    r.skip(8);  // heave, yaw
    h.attitudeTimeTag = r.u32();
    r.skip(8);  // DOT, navigation fix milliseconds
    for (auto& b : h.computerClock) b = r.u8();
    r.skip(kXtfPingHeaderBytes - r.position());

    out.channels.clear();
    for (std::uint16_t i = 0; i < h.numChansToFollow; ++i) {
        if (r.remaining() < kXtfChanHeaderBytes)
            return refuse(reason, "channel " + std::to_string(i + 1) + " of " + std::to_string(h.numChansToFollow) +
                                      " runs past the end of the sonar packet");
        ByteReader c(r.bytes(kXtfChanHeaderBytes));
        XtfChannelData d;
        XtfChannelHeader& ch = d.header;
        ch.channelNumber = c.u16();
        ch.downsampleMethod = c.u16();
        ch.slantRangeM = getF32(c);
        ch.groundRangeM = getF32(c);
        ch.timeDelayS = getF32(c);
        ch.timeDurationS = getF32(c);
        ch.secondsPerPing = getF32(c);
        ch.processingFlags = c.u16();
        ch.frequencyKHz = c.u16();
        ch.initialGainCode = c.u16();
        ch.gainCode = c.u16();
        ch.bandWidth = c.u16();
        c.skip(8);
        ch.numSamples = c.u32();
        ch.millivoltScale = c.u16();
        if (ch.channelNumber >= file.channels.size())
            return refuse(reason, "sonar packet names channel " + std::to_string(ch.channelNumber) +
                                      "; the file header describes " + std::to_string(file.channels.size()));
        d.bytesPerSample = file.channels[ch.channelNumber].bytesPerSample;
        if (d.bytesPerSample != 1 && d.bytesPerSample != 2 && d.bytesPerSample != 4)
            return refuse(reason, "channel " + std::to_string(ch.channelNumber) + " has " +
                                      std::to_string(d.bytesPerSample) + " bytes per sample");
        const std::uint64_t sampleBytes = std::uint64_t{ch.numSamples} * d.bytesPerSample;
        if (sampleBytes > r.remaining())
            return refuse(reason, "channel " + std::to_string(ch.channelNumber) + " claims " +
                                      std::to_string(ch.numSamples) + " samples, more than the packet holds");
        d.sampleBytes = r.bytes(static_cast<std::size_t>(sampleBytes));
        out.channels.push_back(d);
    }
    const auto rest = r.bytes(r.remaining());
    out.paddingBytes = rest.size();
    out.paddingIsZero = std::all_of(rest.begin(), rest.end(), [](std::uint8_t b) { return b == 0; });
    return true;
}

bool decodeXtfNote(std::span<const std::uint8_t> packet, XtfNoteRecord& out, std::string& reason) {
    if (packet.size() < kXtfNotesBytes)
        return refuse(reason, "notes packet of " + std::to_string(packet.size()) + " bytes, expected 256");
    ByteReader r(packet);
    skipPacketStart(r);
    out.time = timeFields(r, false);
    r.skip(35);
    out.text = r.text(kXtfNotesTextBytes);
    return true;
}

bool decodeXtfSerial(std::span<const std::uint8_t> packet, XtfSerialRecord& out, std::string& reason) {
    if (packet.size() < kXtfRawSerialHeaderBytes)
        return refuse(reason, "raw serial packet of " + std::to_string(packet.size()) + " bytes, shorter than its header");
    ByteReader r(packet);
    r.skip(3);
    out.port = r.u8();
    r.skip(kXtfPacketStartBytes - 4);
    out.time = timeFields(r, true);
    out.julianDay = r.u16();
    out.timeTag = r.u32();
    const std::uint16_t length = r.u16();
    if (length > r.remaining())
        return refuse(reason, "raw serial packet claims " + std::to_string(length) + " characters, more than it holds");
    const auto text = r.bytes(length);
    out.text.assign(text.begin(), text.end());
    return true;
}

bool decodeXtfAttitude(std::span<const std::uint8_t> packet, XtfAttitudeRecord& out, std::string& reason) {
    if (packet.size() < kXtfAttitudeBytes)
        return refuse(reason, "attitude packet of " + std::to_string(packet.size()) + " bytes, expected 64");
    ByteReader r(packet);
    skipPacketStart(r);
    r.skip(8);
    out.epochMicroseconds = r.u32();
    out.sourceEpoch = r.u32();
    out.pitchDeg = getF32(r);
    out.rollDeg = getF32(r);
    out.heaveM = getF32(r);
    out.yawDeg = getF32(r);
    out.timeTag = r.u32();
    out.headingDeg = getF32(r);
    out.year = r.u16();
    out.month = r.u8();
    out.day = r.u8();
    out.hour = r.u8();
    out.minute = r.u8();
    out.second = r.u8();
    out.milliseconds = r.u16();
    return true;
}

}  // namespace hx
