// The towfish's motion: a lawn-mower survey pattern run at about four knots,
// with the altitude, attitude, depth and water temperature a towed body sees.
// Everything is a pure function of time since the start, so pings, sensor
// blocks and GPS sentences taken at the same moment agree with each other.
#pragma once

namespace hx::sim {

class Seabed;

struct VehicleState {
    double timeS = 0.0;
    double eastM = 0.0;         // local plane around the survey origin
    double northM = 0.0;
    double courseDeg = 0.0;     // course over ground, true
    double speedMps = 0.0;
    double headingDeg = 0.0;    // where the towfish points: course, crab angle and yaw
    double altitudeM = 0.0;     // above the smooth bottom directly below
    double depthM = 0.0;        // below the sea surface
    double pitchDeg = 0.0;      // positive nose up
    double rollDeg = 0.0;       // positive starboard down
    double temperatureC = 0.0;
};

struct PathPoint {
    double eastM = 0.0;
    double northM = 0.0;
    double courseDeg = 0.0;
};

class Track {
public:
    explicit Track(const Seabed& seabed) : seabed_(seabed) {}

    VehicleState at(double timeS) const;

    // Position and course on the survey pattern after sM metres along it.
    static PathPoint pathAt(double sM);
    // Distance run along the pattern and the speed at a time.
    static double distanceAtM(double timeS);
    static double speedAtMps(double timeS);

private:
    const Seabed& seabed_;
};

}  // namespace hx::sim
