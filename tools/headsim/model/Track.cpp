#include "tools/headsim/model/Track.h"

#include "tools/headsim/model/Seabed.h"
#include "tools/headsim/model/SurveyPlan.h"

#include <algorithm>
#include <cmath>

namespace hx::sim {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

double wrapDeg(double deg) {
    double d = std::fmod(deg, 360.0);
    if (d < 0.0) d += 360.0;
    return d;
}

// Cross-track slot of line k: 0, 1, ... kLineCount-1, then back again.
int lineSlot(long k) {
    const long period = 2L * (survey::kLineCount - 1);
    const long m = k % period;
    return static_cast<int>(m < survey::kLineCount ? m : period - m);
}

double wave(double timeS, double periodS, double phase = 0.0) {
    return std::sin(kTwoPi * timeS / periodS + phase);
}

}  // namespace

double Track::distanceAtM(double timeS) {
    const double omega = kTwoPi / survey::kSpeedPeriodS;
    return survey::kStartDistanceM + survey::kSpeedMps * timeS + survey::kSpeedSwingMps / omega * std::sin(omega * timeS);
}

double Track::speedAtMps(double timeS) {
    const double omega = kTwoPi / survey::kSpeedPeriodS;
    return survey::kSpeedMps + survey::kSpeedSwingMps * std::cos(omega * timeS);
}

PathPoint Track::pathAt(double sM) {
    // Each unit of the pattern is one straight line and the half circle that
    // turns onto the next line.
    const double radius = survey::kLineSpacingM / 2.0;
    const double unit = survey::kLineLengthM + std::numbers::pi * radius;
    const double s = std::max(0.0, sM);
    const long k = static_cast<long>(std::floor(s / unit));
    const double u = s - static_cast<double>(k) * unit;
    const double dirAlong = (k % 2 == 0) ? 1.0 : -1.0;
    const double startAlong = (k % 2 == 0) ? 0.0 : survey::kLineLengthM;
    const double across = survey::kLineSpacingM * lineSlot(k);

    double along = 0.0, acrossNow = across, vAlong = dirAlong, vAcross = 0.0;
    if (u < survey::kLineLengthM) {
        along = startAlong + dirAlong * u;
    } else {
        const double theta = (u - survey::kLineLengthM) / radius;
        const double nextAcross = survey::kLineSpacingM * lineSlot(k + 1);
        const double side = nextAcross > across ? 1.0 : -1.0;
        const double endAlong = startAlong + dirAlong * survey::kLineLengthM;
        along = endAlong + dirAlong * radius * std::sin(theta);
        acrossNow = (across + nextAcross) / 2.0 - side * radius * std::cos(theta);
        vAlong = dirAlong * std::cos(theta);
        vAcross = side * std::sin(theta);
    }
    const double axis = survey::kAxisHeadingDeg * survey::kDegToRad;
    const double sinAxis = std::sin(axis);
    const double cosAxis = std::cos(axis);
    const auto pos = survey::axisToEastNorth(along, acrossNow, sinAxis, cosAxis);
    const auto vel = survey::axisToEastNorth(vAlong, vAcross, sinAxis, cosAxis);
    return {pos.eastM, pos.northM, wrapDeg(std::atan2(vel.eastM, vel.northM) / survey::kDegToRad)};
}

VehicleState Track::at(double timeS) const {
    const double t = std::max(0.0, timeS);
    const PathPoint p = pathAt(distanceAtM(t));
    VehicleState v;
    v.timeS = t;
    v.eastM = p.eastM;
    v.northM = p.northM;
    v.courseDeg = p.courseDeg;
    v.speedMps = speedAtMps(t);
    // A steady crab angle from the cross current, and a slow yaw.
    v.headingDeg = wrapDeg(p.courseDeg + 2.5 + 1.5 * wave(t, 17.0));
    v.altitudeM = 9.0 + 1.4 * wave(t, 70.0) + 0.4 * wave(t, 23.0, 1.0);
    v.depthM = std::max(1.0, seabed_.waterDepthM(v.eastM, v.northM) - v.altitudeM);
    v.pitchDeg = -0.6 + 1.2 * wave(t, 11.0) + 0.4 * wave(t, 3.7, 0.5);
    v.rollDeg = 0.5 + 2.0 * wave(t, 7.3) + 0.6 * wave(t, 2.9, 1.3);
    v.temperatureC = 9.4 + 0.5 * wave(t, 900.0) - 0.06 * (v.depthM - 15.0);
    return v;
}

}  // namespace hx::sim
