#include "tools/headsim/model/ReplayShading.h"

#include "tools/headsim/model/Acoustics.h"
#include "tools/headsim/model/Noise.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace hx::sim {

namespace {

// The seabed's power against the unit return that puts it on
// kReplaySeabedCounts at the reference gain.
double seabedPower() {
    return std::pow(10.0, (kReplaySeabedCounts / kCountsPerDb - kReplayReferenceGainDb - kReceiverRefDb) / 10.0);
}

constexpr double kMaxRangeCorrectionDb = 60.0;

}  // namespace

void resampleReplaySide(const ReplaySide& side, double seabedDb, double rangeM, std::span<float, kSamplesPerSide> out) {
    std::fill(out.begin(), out.end(), 0.0f);
    const std::size_t n = side.levelCdb.size();
    if (n == 0 || !(side.farM > side.nearM) || !(rangeM > 0.0)) return;
    std::vector<double> power(n);
    for (std::size_t i = 0; i < n; ++i)
        power[i] = side.levelCdb[i] == 0 ? 0.0 : std::pow(10.0, (side.levelCdb[i] / 100.0 - seabedDb) / 10.0);

    const double cellM = (side.farM - side.nearM) / static_cast<double>(n);
    const double binM = rangeM / kSamplesPerSide;
    for (std::size_t j = 0; j < kSamplesPerSide; ++j) {
        const double lo = static_cast<double>(j) * binM;
        if (binM >= cellM) {
            // Each head sample is the mean power over its slant ranges.
            const double a = std::max(lo, side.nearM);
            const double b = std::min(lo + binM, side.farM);
            if (b <= a) continue;
            const auto first = std::min(n - 1, static_cast<std::size_t>((a - side.nearM) / cellM));
            const auto last = std::min(n - 1, static_cast<std::size_t>((b - side.nearM) / cellM));
            double sum = 0.0;
            for (std::size_t i = first; i <= last; ++i) {
                const double cellLo = side.nearM + static_cast<double>(i) * cellM;
                const double overlap = std::min(b, cellLo + cellM) - std::max(a, cellLo);
                if (overlap > 0.0) sum += overlap * power[i];
            }
            out[j] = static_cast<float>(sum / binM);
        } else {
            // Stretched: between the centres of the recording's samples.
            const double centre = lo + binM / 2.0;
            if (centre < side.nearM || centre >= side.farM) continue;
            const double x = (centre - side.nearM) / cellM - 0.5;
            double value = 0.0;
            if (x <= 0.0) value = power.front();
            else if (x >= static_cast<double>(n - 1)) value = power.back();
            else {
                const auto i = static_cast<std::size_t>(x);
                const double t = x - static_cast<double>(i);
                value = power[i] * (1.0 - t) + power[i + 1] * t;
            }
            out[j] = static_cast<float>(value);
        }
    }
}

void shadeReplaySide(const ReplaySide& side, const ReplayShade& shade, std::span<std::uint8_t, kSamplesPerSide> out) {
    std::array<float, kSamplesPerSide> relative{};
    if (shade.transmitting) resampleReplaySide(side, shade.seabedDb, shade.rangeM, relative);
    const double seabed = seabedPower();
    const double noise = std::pow(10.0, kNoiseDb / 10.0);
    const double binM = shade.rangeM / kSamplesPerSide;
    for (std::size_t j = 0; j < kSamplesPerSide; ++j) {
        // The same receiver noise as the synthetic returns.
        double power = noise * -std::log(1.0 - unitFromHash(hashCombine(shade.noiseSeed, j)));
        if (relative[j] > 0.0f) {
            const double rangeM = (static_cast<double>(j) + 0.5) * binM;
            const double lossDb = std::clamp(2.0 * shade.extraAbsorptionDbPerM * (rangeM - shade.calibrationRangeM),
                                             -kMaxRangeCorrectionDb, kMaxRangeCorrectionDb);
            power += relative[j] * seabed * std::pow(10.0, -lossDb / 10.0);
        }
        out[j] = powerToSample(power, shade.gainDb);
    }
}

}  // namespace hx::sim
