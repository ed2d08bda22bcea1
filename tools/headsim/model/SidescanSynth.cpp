#include "tools/headsim/model/SidescanSynth.h"

#include "tools/headsim/model/Acoustics.h"
#include "tools/headsim/model/Noise.h"
#include "tools/headsim/model/Seabed.h"
#include "tools/headsim/model/SurveyPlan.h"
#include "tools/headsim/model/Track.h"

#include <algorithm>
#include <cmath>

namespace hx::sim {

namespace {

constexpr double kBeamAxisDeg = 20.0;     // depression of the vertical beam's axis
constexpr double kBeamHalfWidthDeg = 28.0;
constexpr double kRadToDeg = 180.0 / std::numbers::pi;

double beamPatternDb(double depressionDeg, double axisDeg) {
    const double x = (depressionDeg - axisDeg) / kBeamHalfWidthDeg;
    return std::max(-30.0, -3.0 * x * x);
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
        if (!lit || drop <= 0.0) continue;
        const double grazing = depression + slope;  // local angle between ray and surface
        if (grazing <= 0.5) continue;                // faces away from the towfish
        const double incidence = 90.0 - grazing;
        const double specularDb = 12.0 * std::exp(-(incidence / 6.0) * (incidence / 6.0));
        const double lambertDb = 10.0 * std::log10(std::sin(std::min(90.0, grazing) * survey::kDegToRad));
        const double db = p.backscatterDb + lambertDb + specularDb + beamPatternDb(depression, beamAxis);
        const double slant = std::hypot(ground, drop);
        const int bin = static_cast<int>(slant / binM);
        if (bin < 0 || bin >= kSamplesPerSide) continue;
        // Power grows with the ground area in the bin; capped under the towfish.
        const double area = std::min(patchM / binM, 12.0);
        out.power[bin] += static_cast<float>(std::pow(10.0, db / 10.0) * area);
    }
}

void shadeSwath(const SwathProfile& profile, const ShadeParams& params, std::span<std::uint8_t, kSamplesPerSide> out) {
    const double binM = profile.rangeM / kSamplesPerSide;
    // A longer pulse blurs detail: average over its footprint.
    const int radius = std::clamp(static_cast<int>(rangeResolutionM(params.frequencyHz) / binM / 2.0), 0, 8);
    const double alphaDbPerM = absorptionDbPerM(params.frequencyHz, params.temperatureC);
    const double freqDb = 3.0 * std::log10(params.frequencyHz / 100000.0);
    const double noise = std::pow(10.0, kNoiseDb / 10.0);

    double window = 0.0;
    int windowCount = 0;
    for (int j = 0; j < std::min(radius, kSamplesPerSide); ++j) {
        window += profile.power[j];
        ++windowCount;
    }
    for (int j = 0; j < kSamplesPerSide; ++j) {
        if (const int add = j + radius; add < kSamplesPerSide) {
            window += profile.power[add];
            ++windowCount;
        }
        if (const int drop = j - radius - 1; drop >= 0) {
            window -= profile.power[drop];
            --windowCount;
        }
        const std::uint64_t h = hashCombine(params.speckleSeed, static_cast<std::uint64_t>(j));
        const double u1 = 1.0 - unitFromHash(h);
        const double u2 = 1.0 - unitFromHash(mix64(h));
        double power = noise * -std::log(u1);
        if (params.transmitting && windowCount > 0 && window > 0.0) {
            const double rangeM = (j + 0.5) * binM;
            // Two-way spreading is 40 log R; the head's time-varied gain
            // restores 30 log R of it, absorption is left to show.
            const double lossDb = 10.0 * std::log10(rangeM) + 2.0 * alphaDbPerM * rangeM - freqDb;
            const double speckle = -0.5 * std::log(u1 * u2);  // two-look speckle, mean 1
            power += window / windowCount * speckle * std::pow(10.0, -lossDb / 10.0);
        }
        out[j] = powerToSample(power, params.gainDb);
    }
}

}  // namespace hx::sim
