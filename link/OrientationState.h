// The orientation values decoded from the echo sounder's sensor block and the
// six outlier filters that smooth them. Written by the sensor decode (live
// cycles and played records) and the filter commands; the echo sounder view
// writes the altitude. Read by the orientation, history and echo sounder views.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace hx {

// Filter slots in the order the sensor decode feeds them.
enum class OrientationChannel : int {
    Depth = 0,
    Temperature = 1,
    Pitch = 2,
    Roll = 3,
    Heading = 4,
    Altitude = 5,
};

inline constexpr std::size_t kOrientationChannelCount = 6;
inline constexpr std::size_t kFilterRawSamples = 11;
inline constexpr std::size_t kFilterOutputs = 3;

// One median/MAD outlier filter: the newest sample is first in each history.
struct OutlierFilter {
    std::int32_t enabled = 0;  // 1: the filter's result replaces the value
    std::array<double, kFilterRawSamples> raw{};
    std::array<double, kFilterOutputs> output{};
};

struct OrientationFilters {
    std::array<OutlierFilter, kOrientationChannelCount> channel{};
    std::int32_t sampleCounter = 0;  // sensor decodes so far, shared by all six

    OutlierFilter& operator[](OrientationChannel c) { return channel[static_cast<std::size_t>(c)]; }
    const OutlierFilter& operator[](OrientationChannel c) const { return channel[static_cast<std::size_t>(c)]; }
};

struct OrientationState {
    double pitchDeg = 0.0;         // -90..+90
    double rollDeg = 0.0;          // -90..+90
    double headingDeg = 0.0;       // 0..360, after the compass declination
    double temperatureC = 0.0;     // -5..+35
    double depthM = 0.0;           // 0..1000
    double altitudeM = 0.0;        // computed by the echo sounder display
    double compassDeclination = 22.0;  // degrees, subtracted from the raw heading

    // Copies stored with each cycle in the waterfall history.
    double pingAltitudeM = 0.0;
    double pingHeadingDeg = 0.0;

    OrientationFilters filters;
};

}  // namespace hx
