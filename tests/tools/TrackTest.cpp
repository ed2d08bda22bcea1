// The towfish's track: continuous through straights and turns, at survey
// speed, inside the survey box, with plausible altitude and attitude.
#include "tools/headsim/model/Seabed.h"
#include "tools/headsim/model/SurveyPlan.h"
#include "tools/headsim/model/Track.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace hx::sim;

namespace {

double angleDiff(double a, double b) { return std::remainder(a - b, 360.0); }

}  // namespace

TEST(Track, PathIsContinuousAndFollowsItsCourse) {
    const double radius = survey::kLineSpacingM / 2.0;
    const double unit = survey::kLineLengthM + std::numbers::pi * radius;
    const double step = 0.05;
    PathPoint prev = Track::pathAt(0.0);
    for (double s = step; s < 12 * unit; s += step) {
        const PathPoint p = Track::pathAt(s);
        const double de = p.eastM - prev.eastM;
        const double dn = p.northM - prev.northM;
        const double d = std::hypot(de, dn);
        ASSERT_NEAR(d, step, 0.001) << s;
        const double moved = std::atan2(de, dn) * 180.0 / std::numbers::pi;
        ASSERT_NEAR(angleDiff(moved, p.courseDeg), 0.0, 0.2) << s;
        ASSERT_LT(std::abs(angleDiff(p.courseDeg, prev.courseDeg)), 0.2) << s;
        prev = p;
    }
}

TEST(Track, StaysInsideTheSurveyBox) {
    const double axis = survey::kAxisHeadingDeg * std::numbers::pi / 180.0;
    const double radius = survey::kLineSpacingM / 2.0;
    for (double s = 0; s < 20000.0; s += 5.0) {
        const PathPoint p = Track::pathAt(s);
        const double along = p.eastM * std::sin(axis) + p.northM * std::cos(axis);
        const double across = p.eastM * std::cos(axis) - p.northM * std::sin(axis);
        ASSERT_GE(along, -radius - 0.01) << s;
        ASSERT_LE(along, survey::kLineLengthM + radius + 0.01) << s;
        ASSERT_GE(across, -0.01) << s;
        ASSERT_LE(across, survey::kLineSpacingM * (survey::kLineCount - 1) + 0.01) << s;
    }
}

TEST(Track, RunsAtSurveySpeedWithPlausibleAttitude) {
    Seabed seabed;
    Track track(seabed);
    double lastDistance = Track::distanceAtM(0.0);
    for (double t = 0.5; t < 3600.0; t += 0.5) {
        const double d = Track::distanceAtM(t);
        ASSERT_GT(d, lastDistance);
        lastDistance = d;
        const VehicleState v = track.at(t);
        const double knots = v.speedMps * 3600.0 / 1852.0;
        ASSERT_GT(knots, 3.7);
        ASSERT_LT(knots, 4.3);
        ASSERT_GT(v.altitudeM, 6.0);
        ASSERT_LT(v.altitudeM, 12.0);
        ASSERT_NEAR(v.depthM + v.altitudeM, seabed.waterDepthM(v.eastM, v.northM), 1e-9);
        ASSERT_LT(std::abs(v.pitchDeg), 5.0);
        ASSERT_LT(std::abs(v.rollDeg), 5.0);
        ASSERT_LT(std::abs(angleDiff(v.headingDeg, v.courseDeg)), 6.0);
        ASSERT_GT(v.temperatureC, 5.0);
        ASSERT_LT(v.temperatureC, 15.0);
    }
}
