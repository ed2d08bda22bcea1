// NMEA 0183 output of the simulated GPS: GGA, RMC, VTG and HDT sentences of
// the towfish's track, each "$...*hh" with its checksum and CR LF.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace hx::sim {

struct UtcTime {
    int year = 2024;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    double second = 0.0;
};

struct GpsState {
    double latitudeDeg = 0.0;   // negative south
    double longitudeDeg = 0.0;  // negative west
    double speedKn = 0.0;
    double courseDeg = 0.0;
    double headingDeg = 0.0;
};

// Latitude and longitude of a point in the survey's local east/north plane
// (WGS84 radii of curvature at the origin; good to centimetres over a few km).
GpsState geoFromLocal(double eastM, double northM);

// XOR of the bytes between '$' and '*' as two upper-case hex digits.
std::string nmeaChecksum(std::string_view body);
// "$" body "*hh" CR LF.
std::string nmeaSentence(std::string_view body);

std::vector<std::string> nmeaSentences(const UtcTime& time, const GpsState& fix);

}  // namespace hx::sim
