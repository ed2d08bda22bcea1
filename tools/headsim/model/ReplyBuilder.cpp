#include "tools/headsim/model/ReplyBuilder.h"

#include "core/ByteIO.h"

#include <algorithm>
#include <cmath>

namespace hx::sim {

namespace {

// value / unit rounded to the nearest step and held inside the field's range
// instead of wrapping round.
std::uint16_t signedRaw(double value, double fullScale) {
    const double raw = std::round(value * 65536.0 / fullScale);
    return static_cast<std::uint16_t>(static_cast<std::int16_t>(std::clamp(raw, -32768.0, 32767.0)));
}

std::uint16_t unsignedRaw(double value, double fullScale) {
    const double raw = std::round(value * 65536.0 / fullScale);
    return static_cast<std::uint16_t>(std::clamp(raw, 0.0, 65535.0));
}

}  // namespace

void buildDataReply(std::span<std::uint8_t, kDataReplyBytes> out, const ReplyHeaderFields& h,
                    std::span<const std::uint8_t, kSideDataPoints> samples) {
    std::fill(out.begin(), out.begin() + kReplyDataOffset, std::uint8_t{0});
    for (std::size_t i = 0; i < h.id.size(); ++i) writeU8(out, i, static_cast<std::uint8_t>(h.id[i]));
    writeU8(out, 3, h.status);
    writeU32Le(out, 4, h.pingNumber);
    writeU8(out, 8, h.headNumber);
    writeU8(out, 10, h.secondHalf ? 0x10 : 0x00);
    writeU8(out, 12, h.transmitControl);
    writeU8(out, 15, h.headNumber == kHeadES ? 0x80 : 0x00);
    writeU32Le(out, 30, h.frequencyHz);
    writeU16Le(out, 34, h.rangeM);
    writeU8(out, 38, h.gainDb);
    std::copy(samples.begin(), samples.end(), out.begin() + kReplyDataOffset);
    writeU8(out, kDataReplyBytes - 1, 0);
}

void buildSystemInfo(std::span<std::uint8_t, kSystemInfoBytes> out, const SystemDescription& s) {
    std::fill(out.begin(), out.end(), std::uint8_t{0});
    writeU8(out, 0, 'T');
    writeU8(out, 1, 'Q');
    writeU8(out, 2, 'Z');
    for (std::size_t i = 0; i < s.serial.size(); ++i) writeU8(out, 10 + i, static_cast<std::uint8_t>(s.serial[i]));
    std::uint8_t config = 0;
    for (int k = 0; k < kHeadCount; ++k)
        if (s.present[static_cast<std::size_t>(k)]) config |= static_cast<std::uint8_t>(1u << k);
    if (s.orientationSensor) config |= 0x10;
    writeU8(out, 50, config);
    for (std::size_t k = 0; k < s.heads.size(); ++k) {
        const std::size_t block = 90 + 30 * k;
        const HeadBlock& b = s.heads[k];
        writeU16Le(out, block + 0, b.nominalKHz);
        writeU16Le(out, block + 2, b.lowestKHz);
        writeU16Le(out, block + 4, b.highestKHz);
        writeU32Le(out, block + 10, s.present[k] ? b.ipv4 : 0);
    }
}

bool encodeSensorBlock(std::span<std::uint8_t> data, const SensorReading& r) {
    if (data.size() < kSensorBlockBytes) return false;
    double heading = std::fmod(r.headingDeg, 360.0);
    if (heading < 0.0) heading += 360.0;
    if (heading >= 180.0) heading -= 360.0;  // sent as a signed angle
    writeU16Le(data, 0, signedRaw(std::clamp(r.pitchDeg, -180.0, 180.0), 360.0));
    writeU16Le(data, 2, signedRaw(std::clamp(r.rollDeg, -180.0, 180.0), 360.0));
    writeU16Le(data, 4, signedRaw(heading, 360.0));
    writeU16Le(data, 6, 0);
    writeU16Le(data, 8, signedRaw(r.temperatureC, 100.0));
    writeU16Le(data, 10, unsignedRaw(r.depthM, 1000.0));
    return true;
}

}  // namespace hx::sim
