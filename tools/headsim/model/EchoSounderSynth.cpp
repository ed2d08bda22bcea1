#include "tools/headsim/model/EchoSounderSynth.h"

#include "tools/headsim/model/Acoustics.h"
#include "tools/headsim/model/Noise.h"
#include "tools/headsim/model/Seabed.h"
#include "tools/headsim/model/Track.h"

#include <algorithm>
#include <cmath>

namespace hx::sim {

namespace {

constexpr double kNormalIncidenceGainDb = 10.0;  // a flat bottom seen straight down
constexpr double kMultipleLossDb = 28.0;
constexpr double kLayerDepthM = 19.5;            // plankton under the thermocline

double pulse(double offsetM, double widthM) {
    const double x = offsetM / widthM;
    return std::exp(-x * x);
}

// The beam's footprint on the bottom (about 10 degrees wide): the highest
// point in it gives the first return, the bottom's character is averaged.
struct Footprint {
    double maxReliefM = 0.0;
    double backscatterDb = 0.0;
    double tailM = 0.0;
};

Footprint footprint(const Seabed& seabed, const VehicleState& v) {
    const double radius = 0.09 * v.altitudeM;
    const double offsets[5][2] = {{0, 0}, {radius, 0}, {-radius, 0}, {0, radius}, {0, -radius}};
    Footprint f;
    f.maxReliefM = -1e9;
    for (const auto& o : offsets) {
        const SeabedPoint p = seabed.sample(v.eastM + o[0], v.northM + o[1]);
        f.maxReliefM = std::max(f.maxReliefM, p.reliefM);
        f.backscatterDb += p.backscatterDb / 5.0;
        f.tailM += p.tailM / 5.0;
    }
    return f;
}

}  // namespace

double echoAltitudeM(const Seabed& seabed, const VehicleState& v) {
    return std::max(0.0, v.altitudeM - footprint(seabed, v).maxReliefM);
}

void echoSounderLine(const Seabed& seabed, const VehicleState& v, double rangeM, const ShadeParams& params,
                     std::span<std::uint8_t, kSamplesPerSide> out) {
    const double binM = rangeM / kSamplesPerSide;
    const Footprint bottom = footprint(seabed, v);
    const double altitude = std::max(0.0, v.altitudeM - bottom.maxReliefM);
    const double multiple = 2.0 * altitude + v.depthM;
    const double width = std::max(binM, rangeResolutionM(params.frequencyHz));
    const double peak = std::pow(10.0, (bottom.backscatterDb + kNormalIncidenceGainDb) / 10.0);
    const double alphaDbPerM = absorptionDbPerM(params.frequencyHz, params.temperatureC);
    const double noise = std::pow(10.0, kNoiseDb / 10.0);
    const double layerRange = kLayerDepthM - v.depthM;
    const double layerStrength = 2e-7 * (0.2 + valueNoise(v.timeS / 6.0, 0.5, 0x1A7Eull));
    // Now and then a fish crosses the beam for a second or so.
    const std::uint64_t fishHash = hashCombine(0xF15Bull, static_cast<std::uint64_t>(v.timeS / 1.2));
    const bool fish = unitFromHash(fishHash) < 0.1;
    const double fishRange = altitude * (0.15 + 0.7 * unitFromHash(mix64(fishHash)));

    for (int j = 0; j < kSamplesPerSide; ++j) {
        const double r = (j + 0.5) * binM;
        const std::uint64_t h = hashCombine(params.speckleSeed, static_cast<std::uint64_t>(j));
        const double u1 = 1.0 - unitFromHash(h);
        const double u2 = 1.0 - unitFromHash(mix64(h));
        double power = noise * -std::log(u1);
        if (params.transmitting && altitude > 0.0) {
            double echo = 0.0;
            if (r < altitude) {
                if (layerRange > 0.0) echo += layerStrength * pulse(r - layerRange, 0.7);
                if (fish) echo += 3e-5 * pulse(r - fishRange, 0.12);
            } else {
                const double below = r - altitude;
                echo += peak * (pulse(below, width) + 0.25 * std::exp(-below / bottom.tailM));
            }
            if (r > altitude) echo += peak * std::pow(10.0, -kMultipleLossDb / 10.0) * pulse(r - multiple, 2.0 * width);
            // The time-varied gain undoes spreading; absorption remains.
            const double speckle = -0.5 * std::log(u1 * u2);
            power += echo * speckle * std::pow(10.0, -2.0 * alphaDbPerM * r / 10.0);
        }
        out[j] = powerToSample(power, params.gainDb);
    }
}

SensorReading sensorReading(const VehicleState& v) {
    return {v.pitchDeg, v.rollDeg, v.headingDeg, v.temperatureC, v.depthM};
}

}  // namespace hx::sim
