// A position in decimal degrees on WGS84: negative south and west.
#pragma once

#include <cmath>

namespace hx {

struct GeoPosition {
    double latDeg = 0.0;
    double lonDeg = 0.0;
};

// Latitude -90..90 and longitude -180..180 (180 itself is taken as -180 by
// the writers that need a half-open range).
inline bool isValidPosition(const GeoPosition& p) {
    return std::isfinite(p.latDeg) && std::isfinite(p.lonDeg) && std::fabs(p.latDeg) <= 90.0 &&
           std::fabs(p.lonDeg) <= 180.0;
}

}  // namespace hx
