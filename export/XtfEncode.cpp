#include "export/XtfEncode.h"

#include <cmath>
#include <cstdio>
#include <utility>

#include "core/ByteIO.h"
#include "export/XtfFormat.h"

namespace hx {

namespace {

double orZero(const std::optional<double>& v) { return v && std::isfinite(*v) ? *v : 0.0; }

std::uint16_t kiloHertz16(double kHz) { return static_cast<std::uint16_t>(std::lround(kHz)); }

std::uint8_t byte(int v) { return static_cast<std::uint8_t>(v); }

bool finiteInRange(double v, double lo, double hi) { return std::isfinite(v) && v >= lo && v <= hi; }

void packetStart(ByteWriter& w, std::uint8_t type, std::uint8_t subChannel, std::uint16_t channels,
                 std::uint32_t bytes) {
    w.u16(kXtfMagic);
    w.u8(type);
    w.u8(subChannel);
    w.u16(channels);
    w.zeros(4);
    w.u32(bytes);
}

// Year, month, day, hour, minute, second, hundredths and day of the year,
// as the ping and raw serial packets hold them.
void timeWithHundredths(ByteWriter& w, const UtcTime& t) {
    w.u16(static_cast<std::uint16_t>(t.year));
    w.u8(byte(t.month));
    w.u8(byte(t.day));
    w.u8(byte(t.hour));
    w.u8(byte(t.minute));
    w.u8(byte(t.second));
    w.u8(byte(t.millisecond / 10));
    w.u16(static_cast<std::uint16_t>(dayOfYear(t)));
}

// Zeros up to the packet's padded size, which its size field already gives.
void padPacket(std::vector<std::uint8_t>& out, std::size_t start) {
    out.resize(start + xtfPaddedSize(out.size() - start), 0);
}

bool refuse(std::string& reason, std::string text) {
    reason = std::move(text);
    return false;
}

}  // namespace

std::string xtfEventNoteText(int eventNumber, std::uint32_t ping, const std::string& annotation) {
    std::string text = annotation;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    char head[48];
    std::snprintf(head, sizeof head, "Event %d, ping %u: ", eventNumber, static_cast<unsigned>(ping));
    return head + text;
}

bool encodeXtfFileHeader(const XtfFileInfo& info, std::vector<std::uint8_t>& out, std::string& reason) {
    if (info.channels.empty()) return refuse(reason, "no sonar channel to write");
    if (info.channels.size() > kXtfMaxChannels) return refuse(reason, "too many sonar channels");
    for (const auto& c : info.channels)
        if (!finiteInRange(c.frequencyKHz, 0.0, 1.0e6)) return refuse(reason, "channel frequency out of range");

    const std::size_t start = out.size();
    ByteWriter w(out);
    w.u8(kXtfFileFormat);
    w.u8(kXtfSystemType);
    w.text("HX642", 8);
    w.text(info.programVersion, 8);
    w.text("HX642", 16);
    w.u16(0);  // SonarType: none of the listed ones
    std::string note = info.serialNumber.empty() ? std::string{} : "Serial number " + info.serialNumber;
    if (!info.note.empty()) note += (note.empty() ? "" : "; ") + info.note;
    w.text(note, 64);
    w.text(info.sourceFileName, 64);
    w.u16(kXtfNavUnitsDegrees);
    w.u16(static_cast<std::uint16_t>(info.channels.size()));
    w.zeros(2 + 1 + 1 + 2 + 1 + 1 + 2);  // bathymetry, snippet, forward-look, echo strength,
                                         // interferometry channels and two reserved fields
    putF32(w, 0.0);                      // reference point height
    w.zeros(12 + 10);                    // projection and spheroid names
    w.i32(0);                            // navigation latency
    for (int i = 0; i < 12; ++i) putF32(w, 0.0);  // origin, navigation and motion sensor offsets

    for (std::size_t i = 0; i < info.channels.size(); ++i) {
        const XtfFileChannel& c = info.channels[i];
        w.u8(c.side == XtfSide::Port ? kXtfChannelPort : kXtfChannelStarboard);
        w.u8(static_cast<std::uint8_t>(i));
        w.u16(kXtfSlantRangeImagery);
        w.u16(1);  // unipolar: amplitudes, no sign
        w.u16(1);  // bytes per sample
        w.u32(0);
        w.text(c.name, 16);
        putF32(w, 0.0);  // volt scale unknown
        putF32(w, c.frequencyKHz);
        for (int k = 0; k < 9; ++k) putF32(w, 0.0);  // beam angles, beam width, mounting offsets
        w.u16(0);                                    // beams per array
        w.u8(kXtfSampleFormatOneByteInteger);
        w.zeros(53);
    }
    out.resize(start + xtfFileHeaderBytes(info.channels.size()), 0);
    return true;
}

bool encodeXtfPing(const XtfFileInfo& info, const XtfPing& ping, std::vector<std::uint8_t>& out,
                   std::string& reason) {
    if (!isValidTime(ping.time)) return refuse(reason, "invalid ping time");
    if (!finiteInRange(ping.soundVelocityMps, 1.0, 1.0e5)) return refuse(reason, "invalid sound velocity");
    if (ping.channels.empty()) return refuse(reason, "no sonar channel in the ping");
    std::size_t bytes = kXtfPingHeaderBytes;
    int previous = -1;
    for (const XtfPingChannel& c : ping.channels) {
        if (c.channel >= info.channels.size()) return refuse(reason, "ping names an undeclared channel");
        if (static_cast<int>(c.channel) <= previous) return refuse(reason, "ping channels out of order");
        previous = c.channel;
        if (c.samples.empty() || c.samples.size() > kXtfMaxSamplesPerChannel)
            return refuse(reason, "channel sample count out of range");
        if (!finiteInRange(c.slantRangeM, 0.0, 1.0e5)) return refuse(reason, "invalid slant range");
        if (!finiteInRange(c.frequencyKHz, 0.0, 65535.0)) return refuse(reason, "channel frequency out of range");
        bytes += kXtfChanHeaderBytes + c.samples.size();
    }
    const std::optional<GeoPosition> pos =
        ping.position && isValidPosition(*ping.position) ? ping.position : std::nullopt;
    const double lat = pos ? pos->latDeg : 0.0;
    const double lon = pos ? pos->lonDeg : 0.0;
    const double speed = orZero(ping.speedKnots);
    const double shipGyro = ping.shipHeadingDeg && std::isfinite(*ping.shipHeadingDeg) ? *ping.shipHeadingDeg
                                                                                       : orZero(ping.courseDeg);
    const UtcTime& t = ping.time;

    const std::size_t start = out.size();
    ByteWriter w(out);
    packetStart(w, kXtfSonar, 0, static_cast<std::uint16_t>(ping.channels.size()),
                static_cast<std::uint32_t>(xtfPaddedSize(bytes)));
    timeWithHundredths(w, t);
    w.u32(ping.eventNumber);
    w.u32(ping.pingNumber);
    putF32(w, ping.soundVelocityMps / 2.0);  // one-way
    putF32(w, 0.0);                          // ocean tide
    w.u32(0);
    for (int i = 0; i < 17; ++i) putF32(w, 0.0);  // water sensors, magnetometer, auxiliary values
    putF32(w, 0.0);                               // speed log
    putF32(w, 0.0);                               // turbidity
    putF32(w, speed);                             // ship speed
    putF32(w, shipGyro);
    w.f64(lat);                                   // ship Y
    w.f64(lon);                                   // ship X
    w.u16(0);                                     // ship altitude
    w.u16(0);                                     // ship depth
    w.zeros(4);                                   // fix time
    putF32(w, speed);                             // sensor speed
    putF32(w, 0.0);                               // KP
    w.f64(lat);                                   // sensor Y
    w.f64(lon);                                   // sensor X
    w.zeros(2 + 2 + 2 + 2);                       // sonar status, range and bearing to fish, cable out
    putF32(w, 0.0);                               // layback
    putF32(w, 0.0);                               // cable tension
    putF32(w, orZero(ping.depthM));
    putF32(w, orZero(ping.altitudeM));
    putF32(w, 0.0);  // auxiliary altitude
    putF32(w, orZero(ping.pitchDeg));
    putF32(w, orZero(ping.rollDeg));
    putF32(w, orZero(ping.headingDeg));
    putF32(w, 0.0);  // heave
    putF32(w, 0.0);  // yaw
    w.u32(millisecondOfDay(t));  // attitude time tag
    putF32(w, 0.0);              // DOT
    w.u32(0);                    // navigation fix milliseconds
    w.u8(byte(t.hour));          // computer clock: the record's time
    w.u8(byte(t.minute));
    w.u8(byte(t.second));
    w.u8(byte(t.millisecond / 10));
    w.zeros(2 + 2 + 1 + 4 + 1 + 6);  // fish position deltas and error code, optional offset,
                                     // cable out hundredths, reserved

    const double interval = orZero(ping.pingIntervalS);
    for (const XtfPingChannel& c : ping.channels) {
        w.u16(c.channel);
        w.u16(0);  // downsample method
        putF32(w, c.slantRangeM);
        putF32(w, 0.0);  // ground range
        putF32(w, 0.0);  // time delay
        putF32(w, 2.0 * c.slantRangeM / ping.soundVelocityMps);  // two-way travel time to the last sample
        putF32(w, interval);
        w.u16(0);  // processing flags
        w.u16(kiloHertz16(c.frequencyKHz));
        w.u16(0);  // initial gain code
        w.u16(c.gainCode);
        w.u16(0);  // bandwidth
        w.zeros(4 + 2 + 1 + 1);  // contact number, classification, sub-number, type
        w.u32(static_cast<std::uint32_t>(c.samples.size()));
        w.u16(0);  // millivolt scale
        putF32(w, 0.0);
        w.u8(0);
        w.u8(0);
        putF32(w, 0.0);  // fixed VSOP
        w.i16(0);        // weight
        w.zeros(4);
        w.bytes(c.samples);
    }
    padPacket(out, start);
    return true;
}

bool encodeXtfNote(const XtfNote& note, std::vector<std::uint8_t>& out, std::string& reason) {
    if (!isValidTime(note.time)) return refuse(reason, "invalid note time");
    ByteWriter w(out);
    packetStart(w, kXtfNotes, 0, 0, static_cast<std::uint32_t>(kXtfNotesBytes));
    w.u16(static_cast<std::uint16_t>(note.time.year));
    w.u8(byte(note.time.month));
    w.u8(byte(note.time.day));
    w.u8(byte(note.time.hour));
    w.u8(byte(note.time.minute));
    w.u8(byte(note.time.second));
    w.zeros(35);
    w.text(note.text, kXtfNotesTextBytes);
    return true;
}

bool encodeXtfSerial(const XtfSerial& serial, std::vector<std::uint8_t>& out, std::string& reason) {
    if (!isValidTime(serial.time)) return refuse(reason, "invalid serial data time");
    if (serial.text.size() > 0xFFFF) return refuse(reason, "serial data longer than 65535 bytes");
    const std::size_t start = out.size();
    ByteWriter w(out);
    packetStart(w, kXtfRawSerial, serial.port, 0,
                static_cast<std::uint32_t>(xtfPaddedSize(kXtfRawSerialHeaderBytes + serial.text.size())));
    timeWithHundredths(w, serial.time);
    w.u32(millisecondOfDay(serial.time));
    w.u16(static_cast<std::uint16_t>(serial.text.size()));
    w.bytes({reinterpret_cast<const std::uint8_t*>(serial.text.data()), serial.text.size()});
    padPacket(out, start);
    return true;
}

bool encodeXtfAttitude(const XtfAttitude& a, std::vector<std::uint8_t>& out, std::string& reason) {
    if (!isValidTime(a.time)) return refuse(reason, "invalid attitude time");
    for (double v : {a.pitchDeg, a.rollDeg, a.heaveM, a.yawDeg, a.headingDeg})
        if (!std::isfinite(v)) return refuse(reason, "attitude value is not a number");
    const std::int64_t epoch = unixSeconds(a.time);
    ByteWriter w(out);
    packetStart(w, kXtfAttitude, 0, 0, static_cast<std::uint32_t>(kXtfAttitudeBytes));
    w.zeros(8);
    w.u32(static_cast<std::uint32_t>(a.time.millisecond) * 1000u);  // microseconds past SourceEpoch
    w.u32(epoch >= 0 && epoch <= 0xFFFFFFFFLL ? static_cast<std::uint32_t>(epoch) : 0u);
    putF32(w, a.pitchDeg);
    putF32(w, a.rollDeg);
    putF32(w, a.heaveM);
    putF32(w, a.yawDeg);
    w.u32(millisecondOfDay(a.time));
    putF32(w, a.headingDeg);
    w.u16(static_cast<std::uint16_t>(a.time.year));
    w.u8(byte(a.time.month));
    w.u8(byte(a.time.day));
    w.u8(byte(a.time.hour));
    w.u8(byte(a.time.minute));
    w.u8(byte(a.time.second));
    w.u16(static_cast<std::uint16_t>(a.time.millisecond));
    w.u8(0);
    return true;
}

}  // namespace hx
