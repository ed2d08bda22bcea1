// Where the simulated survey takes place: a local plane around a point off a
// rocky coast, and a survey axis along which the towfish runs its lines.
// Axis coordinates (alongM, acrossM) place the pattern and the wreck; the
// seabed and the towfish work in east/north metres.
#pragma once

#include <numbers>

namespace hx::sim::survey {

// Origin of the local plane: open water west of a skerry coast.
inline constexpr double kOriginLatDeg = 57.6400;
inline constexpr double kOriginLonDeg = 11.6500;

inline constexpr double kAxisHeadingDeg = 35.0;  // lines run NE and SW
inline constexpr double kLineLengthM = 600.0;
inline constexpr double kLineSpacingM = 70.0;    // 50 m swaths overlap a little
inline constexpr int kLineCount = 6;             // then the pattern walks back

// Along-track distance at time 0: the first line starts just before the wreck,
// so it shows within seconds of starting.
inline constexpr double kStartDistanceM = 262.0;
inline constexpr double kSpeedMps = 4.0 * 1852.0 / 3600.0;  // 4 kn
inline constexpr double kSpeedSwingMps = 0.08;
inline constexpr double kSpeedPeriodS = 90.0;

// The wreck lies off line 0 to starboard, seen again from line 1.
inline constexpr double kWreckAlongM = 300.0;
inline constexpr double kWreckAcrossM = 27.0;
inline constexpr double kWreckAxisAngleDeg = 62.0;  // keel direction against the survey axis

struct EastNorth {
    double eastM;
    double northM;
};

constexpr double kDegToRad = std::numbers::pi / 180.0;

// Survey axis to east/north; across is positive to the right of the axis.
inline EastNorth axisToEastNorth(double alongM, double acrossM, double sinAxis, double cosAxis) {
    return {alongM * sinAxis + acrossM * cosAxis, alongM * cosAxis - acrossM * sinAxis};
}

}  // namespace hx::sim::survey
