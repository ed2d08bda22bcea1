#include "tools/headsim/model/EchoFading.h"

#include "tools/headsim/model/Noise.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <numbers>

namespace hx::sim {

namespace {

constexpr int kMaxCellBins = 8;
constexpr int kMaxLooks = 4;

}  // namespace

SpeckleGrain speckleGrain(double resolutionM, double binM) {
    SpeckleGrain g;
    if (!(resolutionM > 0.0) || !(binM > 0.0)) return g;
    const double cellsPerBin = binM / resolutionM;
    if (cellsPerBin <= 2.0 / 3.0) {
        g.cellBins = std::min(kMaxCellBins, static_cast<int>(std::lround(1.0 / cellsPerBin)));
    } else {
        // The head averages its detected envelope over each sample, which
        // smooths it like half again as many independent cells.
        g.looks = std::clamp(static_cast<int>(std::lround(1.5 * cellsPerBin)), 1, kMaxLooks);
    }
    return g;
}

void fadingLine(const SpeckleGrain& grain, std::uint64_t seed, std::span<float> out) {
    const std::size_t n = out.size();
    if (grain.cellBins <= 1) {
        const int looks = std::clamp(grain.looks, 1, kMaxLooks);
        for (std::size_t j = 0; j < n; ++j) {
            std::uint64_t h = hashCombine(seed, j);
            double sum = 0.0;
            for (int k = 0; k < looks; ++k) {
                sum -= std::log(1.0 - unitFromHash(h));
                h = mix64(h);
            }
            out[j] = static_cast<float>(sum / looks);
        }
        return;
    }
    // Each sample receives a complex Gaussian echo from its own slice of
    // seabed, and the pulse adds up the slices it covers: a running sum over
    // the last cellBins slices, whose power is exponential with mean 1.
    const int cell = std::min(grain.cellBins, kMaxCellBins);
    std::array<std::complex<double>, kMaxCellBins> slices{};
    std::complex<double> sum{};
    const std::size_t total = n + static_cast<std::size_t>(cell) - 1;
    for (std::size_t k = 0; k < total; ++k) {
        const std::uint64_t h = hashCombine(seed, k);
        const double amplitude = std::sqrt(-std::log(1.0 - unitFromHash(h)));
        const double phase = 2.0 * std::numbers::pi * unitFromHash(mix64(h));
        const std::complex<double> echo = std::polar(amplitude, phase);
        std::complex<double>& slot = slices[k % static_cast<std::size_t>(cell)];
        sum += echo - slot;
        slot = echo;
        if (k + 1 >= static_cast<std::size_t>(cell)) out[k + 1 - static_cast<std::size_t>(cell)] = static_cast<float>(std::norm(sum) / cell);
    }
}

}  // namespace hx::sim
