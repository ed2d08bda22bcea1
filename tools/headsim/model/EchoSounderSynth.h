// Synthetic echo sounder returns: the downward-looking beam's 1000 samples
// over its range (water column, the bottom echo at the towfish's altitude with
// its tail, the first surface multiple, a scattering layer and the odd fish),
// and the orientation sensor's readings for the sensor block.
#pragma once

#include "tools/headsim/model/SidescanSynth.h"

#include <cstdint>
#include <span>

namespace hx::sim {

class Seabed;
struct VehicleState;

struct SensorReading {
    double pitchDeg = 0.0;
    double rollDeg = 0.0;
    double headingDeg = 0.0;     // 0..360, true
    double temperatureC = 0.0;
    double depthM = 0.0;         // towfish depth below the surface
};

// Altitude over the actual bottom under the towfish (rocks and wreck included).
double echoAltitudeM(const Seabed& seabed, const VehicleState& vehicle);

void echoSounderLine(const Seabed& seabed, const VehicleState& vehicle, double rangeM, const ShadeParams& params,
                     std::span<std::uint8_t, kSamplesPerSide> out);

SensorReading sensorReading(const VehicleState& vehicle);

}  // namespace hx::sim
