// LatLonToUtm against GeographicLib's exact transverse Mercator over a grid
// covering both hemispheres, the zone edges and the Norway and Svalbard
// exception zones, and the zone rule against GeographicLib's standard zones.
#include <gtest/gtest.h>

#include <GeographicLib/TransverseMercator.hpp>
#include <GeographicLib/UTMUPS.hpp>

#include <cmath>

#include "nav/UtmProjection.h"

namespace hx {
namespace {

constexpr double kToleranceM = 0.005;

struct Reference {
    double eastingM, northingM;
};

Reference reference(int zone, double latDeg, double lonDeg) {
    double x = 0, y = 0;
    GeographicLib::TransverseMercator::UTM().Forward(zone * 6.0 - 183.0, latDeg, lonDeg, x, y);
    return {x + 500000.0, latDeg < 0 ? y + 10000000.0 : y};
}

double errorM(double latDeg, double lonDeg) {
    const UtmPoint p = LatLonToUtm(latDeg, lonDeg);
    const Reference r = reference(p.zone, latDeg, lonDeg);
    return std::hypot(p.eastingM - r.eastingM, p.northingM - r.northingM);
}

TEST(UtmProjection, MatchesGeographicLibWithinFiveMillimetresOverTheGlobe) {
    double worst = 0;
    double worstLat = 0, worstLon = 0;
    for (double lat = -80.0; lat <= 84.0; lat += 0.75) {
        for (double lon = -180.0; lon < 180.0; lon += 0.5) {
            const double e = errorM(lat, lon);
            if (e > worst) {
                worst = e;
                worstLat = lat;
                worstLon = lon;
            }
        }
    }
    EXPECT_LT(worst, kToleranceM) << "worst at " << worstLat << ", " << worstLon;
    RecordProperty("worst_error_mm", std::to_string(worst * 1000.0));
}

TEST(UtmProjection, ZoneEdgesBothSides) {
    for (double lat : {-79.9, -45.0, -0.001, 0.0, 0.001, 30.0, 55.99, 71.99, 83.99}) {
        for (int zone = 1; zone <= 60; ++zone) {
            const double edge = zone * 6.0 - 180.0;
            for (double lon : {edge - 1e-7, edge, edge + 1e-7, edge - 3.0}) {
                EXPECT_LT(errorM(lat, lon), kToleranceM) << lat << ", " << lon;
            }
        }
    }
}

TEST(UtmProjection, NorwayAndSvalbardExceptions) {
    // 32V reaches west to 3 E; in 72..84 N the zones 31X, 33X, 35X and 37X
    // are 9 or 12 degrees wide, so points lie up to 6 degrees from their
    // central meridian.
    struct Case {
        double lat, lon;
        int zone;
    };
    const Case cases[] = {{56.0, 3.0, 32},  {60.0, 4.5, 32},  {63.99, 11.99, 32}, {55.99, 4.5, 31}, {64.0, 4.5, 31},
                          {60.0, 2.99, 31}, {72.0, 0.0, 31},  {78.0, 8.99, 31},   {78.0, 9.0, 33},  {78.0, 20.99, 33},
                          {78.0, 21.0, 35}, {80.0, 32.99, 35}, {80.0, 33.0, 37},  {84.0, 41.99, 37}, {71.99, 8.0, 32},
                          {78.0, 42.0, 38}, {78.0, -0.01, 30}};
    for (const auto& c : cases) {
        const UtmPoint p = LatLonToUtm(c.lat, c.lon);
        EXPECT_EQ(p.zone, c.zone) << c.lat << ", " << c.lon;
        EXPECT_LT(errorM(c.lat, c.lon), kToleranceM) << c.lat << ", " << c.lon;
    }
    for (double lat = 56.0; lat < 64.0; lat += 0.25)
        for (double lon = 3.0; lon < 12.0; lon += 0.25) EXPECT_LT(errorM(lat, lon), kToleranceM) << lat << ", " << lon;
    for (double lat = 72.0; lat <= 84.0; lat += 0.25)
        for (double lon = 0.0; lon < 42.0; lon += 0.25) EXPECT_LT(errorM(lat, lon), kToleranceM) << lat << ", " << lon;
}

TEST(UtmProjection, ZoneRuleAgreesWithGeographicLib) {
    for (double lat = -80.0; lat < 84.0; lat += 0.5) {
        for (double lon = -180.0; lon < 180.0; lon += 0.25) {
            ASSERT_EQ(utmZoneFor(lat, lon), GeographicLib::UTMUPS::StandardZone(lat, lon)) << lat << ", " << lon;
        }
    }
}

TEST(UtmProjection, KnownPointsAndLongitudeWrap) {
    // The equator on a central meridian is (500000, 0); just south of it the
    // false northing applies.
    const UtmPoint centre = LatLonToUtm(0.0, 9.0);
    EXPECT_EQ(centre.zone, 32);
    EXPECT_NEAR(centre.eastingM, 500000.0, 1e-6);
    EXPECT_NEAR(centre.northingM, 0.0, 1e-6);
    EXPECT_NEAR(LatLonToUtm(-1e-9, 9.0).northingM, 10000000.0, 1e-3);

    const UtmPoint a = LatLonToUtm(48.1173, 11.516667);
    const UtmPoint wrapped = LatLonToUtm(48.1173, 11.516667 + 360.0);
    EXPECT_EQ(a.zone, wrapped.zone);
    EXPECT_NEAR(a.eastingM, wrapped.eastingM, 1e-6);
    EXPECT_EQ(LatLonToUtm(10.0, 180.0).zone, 1);
    EXPECT_EQ(LatLonToUtm(10.0, -180.0).zone, 1);
    EXPECT_EQ(LatLonToUtm(10.0, 179.99).zone, 60);
    EXPECT_EQ(LatLonToUtm(10.0, -540.0).zone, 1);

    const UtmPoint bad = LatLonToUtm(std::nan(""), 3.0);
    EXPECT_EQ(bad.zone, 0);
    EXPECT_EQ(bad.eastingM, 0.0);
}

}  // namespace
}  // namespace hx
