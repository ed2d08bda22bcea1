#include "link/SensorBlock.h"

#include <algorithm>

#include "core/ByteIO.h"
#include "link/OrientationFilter.h"

namespace hx {

namespace {

double signedRaw(std::uint16_t r) {
    return r > 32767 ? static_cast<double>(r) - 65535.0 : static_cast<double>(r);
}

}  // namespace

SensorValues decodeSensorBlock(std::span<const std::uint8_t> block, double compassDeclinationDeg) {
    const std::uint16_t pitch = readU16Le(block, 0).value_or(0);
    const std::uint16_t roll = readU16Le(block, 2).value_or(0);
    const std::uint16_t heading = readU16Le(block, 4).value_or(0);
    const std::uint16_t temperature = readU16Le(block, 8).value_or(0);
    const std::uint16_t depth = readU16Le(block, 10).value_or(0);

    SensorValues v;
    v.pitchDeg = std::clamp(signedRaw(pitch) * 360.0 / 65536.0, -90.0, 90.0);
    v.rollDeg = std::clamp(signedRaw(roll) * 360.0 / 65536.0, -90.0, 90.0);
    double h = signedRaw(heading) * 360.0 / 65536.0 - compassDeclinationDeg;
    if (h < 0.0) h += 360.0;
    if (h > 360.0) h -= 360.0;
    v.headingDeg = h;
    v.temperatureC = std::clamp(signedRaw(temperature) * 100.0 / 65536.0, -5.0, 35.0);
    v.depthM = std::clamp(static_cast<double>(depth) * 1000.0 / 65536.0, 0.0, 1000.0);
    return v;
}

void decodeSensorBlockInto(const HeadTable& heads, OrientationState& o) {
    const auto block = std::span<const std::uint8_t>(heads.headDisplayLine[kHeadES]).subspan(kSensorBlockOffset, kSensorBlockBytes);
    const SensorValues v = decodeSensorBlock(block, o.compassDeclination);
    o.pitchDeg = v.pitchDeg;
    o.rollDeg = v.rollDeg;
    o.headingDeg = v.headingDeg;
    o.temperatureC = v.temperatureC;
    o.depthM = v.depthM;

    OrientationFilters& f = o.filters;
    const auto feed = [&f](OrientationChannel c, double& value) {
        const double result = runOutlierFilter(f[c], value, f.sampleCounter);
        if (f[c].enabled != 0) value = result;
    };
    feed(OrientationChannel::Depth, o.depthM);
    feed(OrientationChannel::Temperature, o.temperatureC);
    feed(OrientationChannel::Pitch, o.pitchDeg);
    feed(OrientationChannel::Roll, o.rollDeg);
    feed(OrientationChannel::Heading, o.headingDeg);
    if (o.altitudeM > 0.0) feed(OrientationChannel::Altitude, o.altitudeM);
    // Only "above 15" matters once running; stop short of overflow.
    if (f.sampleCounter < 1'000'000'000) ++f.sampleCounter;

    o.pingAltitudeM = o.altitudeM;
    o.pingHeadingDeg = o.headingDeg;
}

}  // namespace hx
