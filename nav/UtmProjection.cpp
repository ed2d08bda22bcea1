#include "nav/UtmProjection.h"

#include <cmath>

namespace hx {

namespace {

constexpr double kSemiMajorAxisM = 6378137.0;
constexpr double kEccentricitySquared = 0.00669438;
constexpr double kSecondEccentricitySquared = 0.006739496752268451;
constexpr double kScaleFactor = 0.9996;
constexpr double kFalseEastingM = 500000.0;
constexpr double kFalseNorthingSouthM = 10000000.0;
constexpr double kDegToRad = 0.017453292519943295;

// Into [-180, 180).
double wrapLongitude(double lonDeg) {
    double wrapped = std::fmod(lonDeg + 180.0, 360.0);
    if (wrapped < 0) wrapped += 360.0;
    return wrapped - 180.0;
}

}  // namespace

int utmZoneFor(double latDeg, double lonDeg) {
    const double lon = wrapLongitude(lonDeg);
    int zone = 1 + static_cast<int>(std::trunc((lon + 180.0) / 6.0));
    if (zone > 60) zone = 60;
    if (latDeg >= 56.0 && latDeg < 64.0 && lon >= 3.0 && lon < 12.0) zone = 32;
    if (latDeg >= 72.0 && latDeg <= 84.0) {
        if (lon >= 0.0 && lon < 9.0) zone = 31;
        else if (lon >= 9.0 && lon < 21.0) zone = 33;
        else if (lon >= 21.0 && lon < 33.0) zone = 35;
        else if (lon >= 33.0 && lon < 42.0) zone = 37;
    }
    return zone;
}

UtmPoint LatLonToUtm(double latDeg, double lonDeg) {
    if (!std::isfinite(latDeg) || !std::isfinite(lonDeg)) return {};
    const double lon = wrapLongitude(lonDeg);
    UtmPoint out;
    out.zone = utmZoneFor(latDeg, lon);
    const double centralMeridianDeg = out.zone * 6 - 183;

    const double e2 = kEccentricitySquared;
    const double e4 = e2 * e2;
    const double e6 = e4 * e2;
    const double ep2 = kSecondEccentricitySquared;
    const double phi = latDeg * kDegToRad;
    const double sinPhi = std::sin(phi);
    const double cosPhi = std::cos(phi);
    const double tanPhi = std::tan(phi);

    const double n = kSemiMajorAxisM / std::sqrt(1.0 - e2 * sinPhi * sinPhi);
    const double t = tanPhi * tanPhi;
    const double c = ep2 * cosPhi * cosPhi;
    const double a = cosPhi * (lon - centralMeridianDeg) * kDegToRad;
    // Meridian arc from the equator.
    const double m = kSemiMajorAxisM * ((1 - e2 / 4 - 3 * e4 / 64 - 5 * e6 / 256) * phi -
                                        (3 * e2 / 8 + 3 * e4 / 32 + 45 * e6 / 1024) * std::sin(2 * phi) +
                                        (15 * e4 / 256 + 45 * e6 / 1024) * std::sin(4 * phi) -
                                        (35 * e6 / 3072) * std::sin(6 * phi));

    const double a2 = a * a;
    const double a3 = a2 * a;
    const double a4 = a3 * a;
    const double a5 = a4 * a;
    const double a6 = a5 * a;
    out.eastingM = kScaleFactor * n *
                       (a + (1 - t + c) * a3 / 6 + (5 - 18 * t + t * t + 72 * c - 58 * ep2) * a5 / 120) +
                   kFalseEastingM;
    out.northingM = kScaleFactor *
                    (m + n * tanPhi *
                             (a2 / 2 + (5 - t + 9 * c + 4 * c * c) * a4 / 24 +
                              (61 - 58 * t + t * t + 600 * c - 330 * ep2) * a6 / 720));
    if (latDeg < 0) out.northingM += kFalseNorthingSouthM;
    return out;
}

}  // namespace hx
