// The sound physics the synthetic returns share: absorption in sea water,
// range resolution of a pulse, and the mapping from received level to the
// one-byte samples a head sends.
#pragma once

#include <cstdint>

namespace hx::sim {

// Sample bytes are a logarithmic amplitude: 4 counts per dB above the
// receiver's floor. 0 is no signal at all, 255 a saturated receiver; values
// are clamped into 0..255, never wrapped.
inline constexpr double kCountsPerDb = 4.0;
// Level (dB re the receiver floor) of a unit return at zero gain.
inline constexpr double kReceiverRefDb = 64.0;
// Receiver noise power relative to a unit return.
inline constexpr double kNoiseDb = -72.0;
inline constexpr double kSoundSpeedMps = 1490.0;

// Absorption of sound in sea water (salinity 30, pH 8, near the surface) in
// dB per metre, after Francois and Garrison (1982): boric acid and
// magnesium sulphate relaxations plus pure-water viscosity.
double absorptionDbPerM(double frequencyHz, double temperatureC);

// Length of the pulse's footprint in range: what the head can still resolve.
double rangeResolutionM(double frequencyHz);

// A received power (linear, 1 = unit return) to a sample byte at a gain.
std::uint8_t powerToSample(double power, double gainDb);

}  // namespace hx::sim
