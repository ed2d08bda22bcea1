#include "tools/headsim/model/SidescanSynth.h"

#include "tools/headsim/model/Acoustics.h"
#include "tools/headsim/model/Noise.h"
#include "tools/headsim/model/Seabed.h"
#include "tools/headsim/model/EchoFading.h"
#include "tools/headsim/model/SurveyPlan.h"
#include "tools/headsim/model/Track.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace hx::sim {

namespace {

// The transducers' vertical beam: its axis is tilted down from the
// horizontal, about 56 degrees wide at 3 dB, with skirts that fall steeply
// towards the nadir, where only side lobes reach.
constexpr double kBeamAxisDeg = 15.0;
constexpr double kBeamHalfWidthDeg = 28.0;
constexpr double kBeamSkirtDbPerHalfWidth = 20.0;
constexpr double kSideLobeDb = -24.0;
// Near normal incidence the bottom reflects like a mirror, strongly enough
// to show through the side lobes: the bright first bottom return.
constexpr double kSpecularDb = 26.0;
constexpr double kSpecularWidthDeg = 8.0;
// Seabed hidden from the towfish still sends a little back, by way of the
// sea surface and the side lobes: acoustic shadows are dark, not empty.
constexpr double kShadowFillDb = -22.0;
// Source level and receiver sensitivity of the sidescan transducers against
// the unit return of the sample scale: with the default gain a sandy bottom
// at its brightest sits in the middle of the scale.
constexpr double kSidescanLevelDb = -6.0;
constexpr std::uint64_t kNoiseSalt = 0x0A15Eull;
constexpr double kRadToDeg = 180.0 / std::numbers::pi;

double beamPatternDb(double depressionDeg, double axisDeg) {
    const double x = std::abs(depressionDeg - axisDeg) / kBeamHalfWidthDeg;
    const double db = x <= 1.0 ? -3.0 * x * x : -3.0 - kBeamSkirtDbPerHalfWidth * (x - 1.0);
    return std::max(kSideLobeDb, db);
}

// Rough surfaces scatter more as the sound meets them more steeply.
double lambertDb(double grazingDeg) {
    return 10.0 * std::log10(std::sin(std::clamp(grazingDeg, 0.5, 90.0) * survey::kDegToRad));
}

}  // namespace

void traceSwath(const Seabed& seabed, const VehicleState& v, Side side, double rangeM, SwathProfile& out) {
    out.rangeM = rangeM;
    out.power.fill(0.0f);
    const double binM = rangeM / kSamplesPerSide;
    const double heading = v.headingDeg * survey::kDegToRad;
    const double sideSign = side == Side::Starboard ? 1.0 : -1.0;
    const double acrossE = sideSign * std::cos(heading);
    const double acrossN = -sideSign * std::sin(heading);
    // Rolling to starboard points the starboard beam further down.
    const double beamAxis = kBeamAxisDeg + sideSign * v.rollDeg;

    // Faint echo from the sea surface above the towfish.
    const double surfaceBin = v.depthM / binM;
    if (surfaceBin < kSamplesPerSide) {
        const double wave = valueNoise(v.timeS / 1.5, sideSign, 0x5EAull);
        for (int k = 0; k < 4; ++k) {
            const int j = static_cast<int>(surfaceBin) + k;
            if (j >= 0 && j < kSamplesPerSide) out.power[j] += static_cast<float>(1e-5 * (0.3 + wave) * std::exp(-0.7 * k));
        }
    }

    // Ground points spaced at half a bin of slant range over a flat bottom;
    // relief then moves each one's real slant range, shadows hide some and
    // slopes facing the towfish crowd several into one bin.
    const double altitude = v.altitudeM;
    if (altitude <= 0.0 || altitude >= rangeM * 1.05) return;
    const double stepM = binM / 2.0;
    const int points = static_cast<int>((rangeM * 1.05 - altitude) / stepM) + 1;
    double minDepression = 1e9;
    double prevGround = 0.0;
    double prevHeight = 0.0;
    for (int i = 0; i < points; ++i) {
        const double slantFlat = altitude + i * stepM;
        const double ground = std::sqrt(std::max(0.0, slantFlat * slantFlat - altitude * altitude));
        const double e = v.eastM + ground * acrossE;
        const double n = v.northM + ground * acrossN;
        const SeabedPoint p = seabed.sample(e, n);
        const double drop = seabed.waterDepthM(e, n) - p.reliefM - v.depthM;  // towfish to ground, downwards
        const double height = -drop;
        const double depression = std::atan2(drop, std::max(ground, 1e-3)) * kRadToDeg;
        const double slope = i == 0 ? 0.0 : std::atan2(height - prevHeight, ground - prevGround) * kRadToDeg;
        const double patchM = i == 0 ? stepM : ground - prevGround;
        prevGround = ground;
        prevHeight = height;

        const bool lit = depression <= minDepression;
        minDepression = std::min(minDepression, depression);
        if (drop <= 0.0) continue;
        const double beamDb = beamPatternDb(depression, beamAxis);
        const double grazing = depression + slope;  // local angle between ray and surface
        double db = 0.0;
        if (lit && grazing > 0.5) {
            const double incidence = 90.0 - std::min(90.0, grazing);
            const double mirror = incidence / kSpecularWidthDeg;
            db = p.backscatterDb + lambertDb(grazing) + kSpecularDb * std::exp(-mirror * mirror) + beamDb;
        } else {
            // In shadow, or a face turned away: what a flat bottom there would
            // return, much weakened.
            db = p.backscatterDb + lambertDb(depression) + beamDb + kShadowFillDb;
        }
        // Power grows with the ground area in the bin; capped under the
        // towfish. Shared between the two nearest bins by the point's exact
        // slant range, so that a flat bottom comes out smooth, not striped.
        const double area = std::min(patchM / binM, 12.0);
        const double power = std::pow(10.0, db / 10.0) * area;
        const double x = std::hypot(ground, drop) / binM - 0.5;
        const double below = std::floor(x);
        if (below < -1.0 || below >= kSamplesPerSide) continue;
        const auto bin = static_cast<int>(below);
        const double w = x - below;
        if (bin >= 0) out.power[static_cast<std::size_t>(bin)] += static_cast<float>(power * (1.0 - w));
        if (bin + 1 < kSamplesPerSide) out.power[static_cast<std::size_t>(bin + 1)] += static_cast<float>(power * w);
    }
}

void shadeSwath(const SwathProfile& profile, const ShadeParams& params, std::span<std::uint8_t, kSamplesPerSide> out) {
    const double binM = profile.rangeM / kSamplesPerSide;
    const double resolutionM = rangeResolutionM(params.frequencyHz);
    // A longer pulse blurs detail: average over its footprint.
    const int radius = std::clamp(static_cast<int>(resolutionM / binM / 2.0), 0, 8);
    const double alphaDbPerM = absorptionDbPerM(params.frequencyHz, params.temperatureC);
    const double freqDb = 3.0 * std::log10(params.frequencyHz / 100000.0);
    const double noise = std::pow(10.0, kNoiseDb / 10.0);
    std::array<float, kSamplesPerSide> fading{};
    if (params.transmitting) fadingLine(speckleGrain(resolutionM, binM), params.speckleSeed, fading);

    double window = 0.0;
    int windowCount = 0;
    for (int j = 0; j < std::min(radius, kSamplesPerSide); ++j) {
        window += profile.power[j];
        ++windowCount;
    }
    const std::uint64_t noiseSeed = hashCombine(params.speckleSeed, kNoiseSalt);
    for (int j = 0; j < kSamplesPerSide; ++j) {
        if (const int add = j + radius; add < kSamplesPerSide) {
            window += profile.power[add];
            ++windowCount;
        }
        if (const int drop = j - radius - 1; drop >= 0) {
            window -= profile.power[drop];
            --windowCount;
        }
        double power = noise * -std::log(1.0 - unitFromHash(hashCombine(noiseSeed, static_cast<std::uint64_t>(j))));
        if (params.transmitting && windowCount > 0 && window > 0.0) {
            const double rangeM = (j + 0.5) * binM;
            // Two-way spreading is 40 log R; the head's time-varied gain
            // restores 30 log R of it, absorption is left to show.
            const double lossDb = 10.0 * std::log10(rangeM) + 2.0 * alphaDbPerM * rangeM - freqDb - kSidescanLevelDb;
            power += window / windowCount * fading[static_cast<std::size_t>(j)] * std::pow(10.0, -lossDb / 10.0);
        }
        out[j] = powerToSample(power, params.gainDb);
    }
}

}  // namespace hx::sim
