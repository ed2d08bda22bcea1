// Fading of the sidescan echo (speckle). A sample's power is the sum of the
// echoes of many small scatterers with random phases, so it fluctuates around
// its mean. The pulse sets the grain: a resolution cell longer than a sample
// makes neighbouring samples fade together (a coarse grain on the low
// frequency), several cells within one sample average out and fade less (a
// fine, smoother grain on the high frequency).
#pragma once

#include <cstdint>
#include <span>

namespace hx::sim {

struct SpeckleGrain {
    int cellBins = 1;  // samples one resolution cell spans: neighbours that fade together
    int looks = 1;     // independent cells averaged within one sample
};

SpeckleGrain speckleGrain(double resolutionM, double binM);

// Mean-1 fading factors for one line: exponential (one look) or gamma
// distributed (several looks), correlated over cellBins samples. A pure
// function of the seed.
void fadingLine(const SpeckleGrain& grain, std::uint64_t seed, std::span<float> out);

}  // namespace hx::sim
