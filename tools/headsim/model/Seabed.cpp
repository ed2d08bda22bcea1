#include "tools/headsim/model/Seabed.h"

#include "tools/headsim/model/Noise.h"
#include "tools/headsim/model/SurveyPlan.h"

#include <algorithm>
#include <cmath>

namespace hx::sim {

namespace {

constexpr double kWreckLengthM = 38.0;
constexpr double kWreckHalfBeamM = 3.8;
constexpr double kWreckHullHeightM = 3.6;
constexpr double kWreckListRad = 7.0 * survey::kDegToRad;
constexpr double kDebrisRadiusM = 45.0;  // outer edge of the debris field around the wreck
constexpr int kDebrisCount = 48;
constexpr double kBoulderCellM = 9.0;
constexpr double kPipeRadiusM = 0.45;

// Backscatter strengths of the materials, dB.
constexpr double kMudDb = -33.0;
constexpr double kSandDb = -25.0;
constexpr double kGravelDb = -19.0;
constexpr double kSteelDb = -13.0;
constexpr double kRockDb = -16.0;
constexpr double kConcreteDb = -15.0;

double smoothstep(double e0, double e1, double x) {
    const double t = std::clamp((x - e0) / (e1 - e0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

}  // namespace

Seabed::Seabed(std::uint64_t seed) : seed_(seed) {
    const double axis = survey::kAxisHeadingDeg * survey::kDegToRad;
    const double sinAxis = std::sin(axis);
    const double cosAxis = std::cos(axis);
    const auto wreck = survey::axisToEastNorth(survey::kWreckAlongM, survey::kWreckAcrossM, sinAxis, cosAxis);
    wreckEastM_ = wreck.eastM;
    wreckNorthM_ = wreck.northM;
    const double keel = (survey::kAxisHeadingDeg + survey::kWreckAxisAngleDeg) * survey::kDegToRad;
    wreckSin_ = std::sin(keel);
    wreckCos_ = std::cos(keel);

    // A pipeline crossing the lines at a shallow angle, west of the wreck.
    const auto pipe = survey::axisToEastNorth(150.0, 60.0, sinAxis, cosAxis);
    pipeEastM_ = pipe.eastM;
    pipeNorthM_ = pipe.northM;
    const double pipeDir = (survey::kAxisHeadingDeg + 115.0) * survey::kDegToRad;
    pipeSin_ = std::sin(pipeDir);
    pipeCos_ = std::cos(pipeDir);

    // Debris scattered around the wreck, denser near it and along the
    // direction it drifted when it sank.
    debris_.reserve(kDebrisCount);
    for (int i = 0; i < kDebrisCount; ++i) {
        const auto u = [&](int k) { return unitFromHash(hashCombine(seed_ ^ 0xDEB815ull, static_cast<std::uint64_t>(i * 8 + k))); };
        const double r = 6.0 + (kDebrisRadiusM - 8.0) * u(0) * u(1);
        const double a = 2.0 * std::numbers::pi * u(2);
        const double angle = std::numbers::pi * u(6);
        debris_.push_back({r * std::cos(a) * 1.3, r * std::sin(a) * 0.6,
                           0.3 + 1.2 * u(3), 0.2 + 0.6 * u(4), 0.25 + 0.9 * u(5),
                           std::cos(angle), std::sin(angle)});
    }
}

double Seabed::waterDepthM(double eastM, double northM) const {
    // Gentle hills of a few metres over hundreds of metres, shoaling towards
    // the coast in the east.
    const double hills = valueNoise(eastM / 350.0, northM / 350.0, seed_ ^ 0xBA7Bull) - 0.5;
    const double swell = valueNoise(eastM / 90.0, northM / 90.0, seed_ ^ 0x5EE1ull) - 0.5;
    return 26.0 + 7.0 * hills + 1.2 * swell - 0.003 * eastM;
}

double Seabed::wreckRelief(double x, double y) const {
    const double half = kWreckLengthM / 2.0;
    if (x < -half || x > half) return 0.0;
    // Fine bow, square stern.
    double halfBeam = kWreckHalfBeamM;
    const double bowStart = half - 9.0;
    if (x > bowStart) halfBeam *= std::sqrt(std::max(0.0, (half - x) / 9.0));
    const double ay = std::abs(y);
    if (ay >= halfBeam || halfBeam <= 0.0) return 0.0;
    const double q = ay / halfBeam;
    double h = kWreckHullHeightM * std::sqrt(1.0 - q * q * q * q) + std::tan(kWreckListRad) * y;
    // Broken back amidships: the hull has collapsed to the sediment line.
    if (x > 1.5 && x < 4.5) h = std::min(h, 1.1);
    // Superstructure aft, with a funnel on it.
    if (x > -13.0 && x < -3.0 && ay < 2.6) h += 2.6;
    const double fx = x + 8.0;
    if (fx * fx + y * y < 0.8 * 0.8) h += 2.4;
    // Hatch coamings forward.
    if ((x > 7.0 && x < 10.0) || (x > 12.0 && x < 14.5)) h += (ay < 2.0) ? 0.5 : 0.0;
    return std::max(0.0, h);
}

double Seabed::debrisRelief(double x, double y) const {
    if (std::abs(x) > kDebrisRadiusM * 1.4 || std::abs(y) > kDebrisRadiusM * 0.7) return 0.0;
    double h = 0.0;
    for (const Debris& d : debris_) {
        const double dx = x - d.xM;
        const double dy = y - d.yM;
        if (std::abs(dx) > 1.6 || std::abs(dy) > 1.6) continue;
        const double u = dx * d.cosA + dy * d.sinA;
        const double v = -dx * d.sinA + dy * d.cosA;
        if (std::abs(u) < d.halfLengthM && std::abs(v) < d.halfWidthM) h = std::max(h, d.heightM);
    }
    return h;
}

double Seabed::boulderRelief(double eastM, double northM, double density) const {
    const double cx = std::floor(eastM / kBoulderCellM);
    const double cy = std::floor(northM / kBoulderCellM);
    const std::uint64_t h = hashCombine(hashCombine(seed_ ^ 0xB0A1Dull, static_cast<std::uint64_t>(static_cast<std::int64_t>(cx))),
                                        static_cast<std::uint64_t>(static_cast<std::int64_t>(cy)));
    if (unitFromHash(h) >= density) return 0.0;
    const double radius = 0.4 + 1.3 * unitFromHash(mix64(h + 1));
    const double height = radius * (0.5 + 0.5 * unitFromHash(mix64(h + 2)));
    const double span = kBoulderCellM - 2.0 * radius;
    const double bx = cx * kBoulderCellM + radius + span * unitFromHash(mix64(h + 3));
    const double by = cy * kBoulderCellM + radius + span * unitFromHash(mix64(h + 4));
    const double dx = eastM - bx;
    const double dy = northM - by;
    const double d2 = (dx * dx + dy * dy) / (radius * radius);
    if (d2 >= 1.0) return 0.0;
    return height * std::sqrt(1.0 - d2);
}

double Seabed::pipelineRelief(double eastM, double northM) const {
    const double dx = eastM - pipeEastM_;
    const double dy = northM - pipeNorthM_;
    const double across = dx * pipeCos_ - dy * pipeSin_;  // distance from the pipe's axis
    if (std::abs(across) >= kPipeRadiusM) return 0.0;
    // Half buried: only the upper part shows.
    return std::sqrt(kPipeRadiusM * kPipeRadiusM - across * across) - 0.1;
}

SeabedPoint Seabed::sample(double eastM, double northM) const {
    SeabedPoint p;
    const double sediment = 0.75 * valueNoise(eastM / 170.0, northM / 170.0, seed_ ^ 0x5EDull) +
                            0.25 * valueNoise(eastM / 35.0, northM / 35.0, seed_ ^ 0x5ED2ull);
    const double mud = 1.0 - smoothstep(0.33, 0.43, sediment);
    const double gravel = smoothstep(0.58, 0.68, sediment);
    const double sand = std::max(0.0, 1.0 - mud - gravel);

    const double grain = valueNoise(eastM / 2.2, northM / 2.2, seed_ ^ 0x62A1ull) - 0.5;
    const double fine = valueNoise(eastM / 0.6, northM / 0.6, seed_ ^ 0xF1E0ull) - 0.5;
    p.backscatterDb = mud * kMudDb + sand * kSandDb + gravel * kGravelDb + 3.0 * grain + 2.0 * fine;
    p.tailM = mud * 0.9 + sand * 0.35 + gravel * 0.12;

    // Megaripples, slightly wavy, their crests some 25 degrees off the
    // survey lines. Some six metres apart, so that pings a metre or so apart
    // draw them as waves; small ripples would only alias into stripes.
    const double rippleDir = -10.0 * survey::kDegToRad;
    const double along = eastM * std::cos(rippleDir) + northM * std::sin(rippleDir);
    const double wobble = valueNoise(eastM / 30.0, northM / 30.0, seed_ ^ 0x3A7Eull);
    const double ripple = std::sin(2.0 * std::numbers::pi * (along / 6.0 + 1.5 * wobble));
    // Ripples come in fields: strong in places, washed out in others.
    const double rippleField = smoothstep(0.35, 0.75, valueNoise(eastM / 60.0, northM / 60.0, seed_ ^ 0xF1E1Dull));
    double relief = sand * 0.15 * rippleField * ripple + gravel * 0.08 * fine;

    const double rock = boulderRelief(eastM, northM, 0.03 + 0.45 * gravel);
    if (rock > relief) {
        relief = rock;
        p.backscatterDb = kRockDb + 2.0 * fine;
        p.tailM = 0.05;
    }

    const double pipe = pipelineRelief(eastM, northM);
    if (pipe > relief) {
        relief = pipe;
        p.backscatterDb = kConcreteDb;
        p.tailM = 0.05;
    }

    const double dx = eastM - wreckEastM_;
    const double dy = northM - wreckNorthM_;
    const double x = dx * wreckSin_ + dy * wreckCos_;
    const double y = dx * wreckCos_ - dy * wreckSin_;
    const double hull = std::max(wreckRelief(x, y), debrisRelief(x, y));
    if (hull > relief) {
        relief = hull;
        p.backscatterDb = kSteelDb + 3.0 * grain;
        p.tailM = 0.05;
    }
    p.reliefM = relief;
    return p;
}

}  // namespace hx::sim
