// The orientation sensor block: the first 12 data bytes of the echo
// sounder's second-half reply, display line bytes 1024..1035 of head ES.
//
//   offset size  contents
//     0     2    pitch, raw
//     2     2    roll, raw
//     4     2    heading, raw
//     8     2    temperature, raw
//    10     2    depth, raw unsigned
//
// Quirk kept on purpose: a raw value above 32767 is made signed by
// subtracting 65535, not 65536. Recorded files are shown with it, so live
// and played values must agree.
#pragma once

#include <cstdint>
#include <span>

#include "link/LinkState.h"
#include "link/OrientationState.h"

namespace hx {

inline constexpr std::size_t kSensorBlockOffset = 1024;  // in the ES display line
inline constexpr std::size_t kSensorBlockBytes = 12;

struct SensorValues {
    double pitchDeg = 0.0;
    double rollDeg = 0.0;
    double headingDeg = 0.0;
    double temperatureC = 0.0;
    double depthM = 0.0;
};

// Pure conversion of the 12-byte block (a shorter span gives zeros for the
// missing fields) with the heading corrected by the compass declination.
SensorValues decodeSensorBlock(std::span<const std::uint8_t> block, double compassDeclinationDeg);

// The full per-cycle decode: converts head ES's stored block, feeds the six
// outlier filters (altitude only when above 0), keeps a filter's result only
// while its switch is on, advances the sample counter and copies altitude and
// heading for the waterfall history.
void decodeSensorBlockInto(const HeadTable& heads, OrientationState& orientation);

}  // namespace hx
