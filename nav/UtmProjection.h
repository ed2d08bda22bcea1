// Latitude and longitude on WGS-84 to Universal Transverse Mercator metres,
// by the classic series formulas (USGS Professional Paper 1395, eq. 8-9 and
// 8-10: terms up to the sixth power of the longitude difference). The zone
// follows the 6-degree rule with the Norway (32V) and Svalbard (31X..37X)
// exceptions. Used by the track plotter and for waypoints.
#pragma once

namespace hx {

struct UtmPoint {
    int zone = 0;            // 1..60
    double eastingM = 0.0;   // false easting 500000 m included
    double northingM = 0.0;  // 10000000 m added south of the equator
};

// latDeg north positive, -90..90; lonDeg east positive, any value (wrapped
// into -180..180 first). Accuracy against an exact transverse Mercator is a
// few millimetres within the standard 6-degree zones and falls off with the
// distance from the central meridian (see the tests).
UtmPoint LatLonToUtm(double latDeg, double lonDeg);

// The zone for a position, with the Norway and Svalbard exceptions.
int utmZoneFor(double latDeg, double lonDeg);

}  // namespace hx
