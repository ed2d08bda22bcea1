// The simulated GPS's sentences: checksums as receivers compute them (checked
// on real captured sentences), fields the parser can read back, and the
// local plane against GeographicLib's geodesics.
#include "tools/headsim/model/Nmea.h"
#include "tools/headsim/model/SurveyPlan.h"

#include <GeographicLib/Geodesic.hpp>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

using namespace hx::sim;

namespace {

std::vector<std::string> fields(const std::string& sentence) {
    // Between '$' and '*', split at commas.
    const auto star = sentence.find('*');
    const std::string body = sentence.substr(1, star - 1);
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        const auto comma = body.find(',', start);
        out.push_back(body.substr(start, comma - start));
        if (comma == std::string::npos) return out;
        start = comma + 1;
    }
}

unsigned xorOf(const std::string& s) {
    unsigned x = 0;
    for (char c : s) x ^= static_cast<unsigned char>(c);
    return x;
}

double coordinate(const std::string& value, const std::string& hemisphere) {
    const double v = std::atof(value.c_str());
    const double deg = std::floor(v / 100.0);
    const double out = deg + (v - deg * 100.0) / 60.0;
    return hemisphere == "S" || hemisphere == "W" ? -out : out;
}

}  // namespace

TEST(Nmea, ChecksumsMatchRealReceivers) {
    // Sentences captured from a Garmin GPSmap 76S (shared corpus).
    EXPECT_EQ(nmeaChecksum("GPGGA,125106,3854.5087,N,07726.4523,W,8,10,2.0,268.8,M,-33.9,M,,"), "7F");
    EXPECT_EQ(nmeaChecksum("GPRMC,125106,V,3854.5087,N,07726.4523,W,0.0,0.0,241011,10.5,W,S"), "28");
    EXPECT_EQ(nmeaChecksum("GPVTG,0.0,T,10.5,M,0.0,N,0.0,K"), "7A");
    EXPECT_EQ(nmeaSentence("GPBOD,,T,,M,,"), "$GPBOD,,T,,M,,*47\r\n");
}

TEST(Nmea, SentencesCarryTheFix) {
    const UtcTime t{2024, 6, 3, 14, 5, 9.0};
    GpsState fix{57.6412345, 11.6598765, 4.04, 35.26, 37.81};
    const auto sentences = nmeaSentences(t, fix);
    ASSERT_EQ(sentences.size(), 4u);
    const char* types[] = {"GPGGA", "GPRMC", "GPVTG", "HEHDT"};
    for (std::size_t i = 0; i < sentences.size(); ++i) {
        const std::string& s = sentences[i];
        ASSERT_GE(s.size(), 10u);
        EXPECT_EQ(s[0], '$');
        EXPECT_EQ(s.substr(s.size() - 2), "\r\n");
        const auto star = s.find('*');
        ASSERT_EQ(star, s.size() - 5) << s;
        EXPECT_EQ(std::strtoul(s.substr(star + 1, 2).c_str(), nullptr, 16), xorOf(s.substr(1, star - 1))) << s;
        EXPECT_EQ(fields(s)[0], types[i]);
    }
    const auto gga = fields(sentences[0]);
    EXPECT_EQ(gga[1], "140509.00");
    EXPECT_NEAR(coordinate(gga[2], gga[3]), fix.latitudeDeg, 1e-6);
    EXPECT_NEAR(coordinate(gga[4], gga[5]), fix.longitudeDeg, 1e-6);
    EXPECT_EQ(gga[4].size(), 11u);  // dddmm.mmmmm
    EXPECT_NE(gga[6], "0");         // a fix
    const auto rmc = fields(sentences[1]);
    EXPECT_EQ(rmc[2], "A");
    EXPECT_EQ(rmc[7], "4.0");
    EXPECT_EQ(rmc[8], "35.3");
    EXPECT_EQ(rmc[9], "030624");
    const auto vtg = fields(sentences[2]);
    EXPECT_EQ(vtg[1], "35.3");
    EXPECT_EQ(vtg[5], "4.0");
    EXPECT_EQ(vtg[7], "7.5");
    EXPECT_EQ(fields(sentences[3])[1], "37.8");
}

TEST(Nmea, HemispheresRoundingAndWrapping) {
    const UtcTime t{1999, 12, 31, 23, 59, 59.996};
    GpsState fix{-33.999999999, -70.5, 0.0, 359.97, -0.02};
    const auto sentences = nmeaSentences(t, fix);
    const auto gga = fields(sentences[0]);
    EXPECT_EQ(gga[1], "235959.99");        // never rolls into a 60th second
    EXPECT_EQ(gga[2], "3400.00000");       // minutes rounding carries into the degree
    EXPECT_EQ(gga[3], "S");
    EXPECT_EQ(gga[4], "07030.00000");
    EXPECT_EQ(gga[5], "W");
    EXPECT_EQ(fields(sentences[1])[8], "0.0");  // not 360.0
    EXPECT_EQ(fields(sentences[1])[9], "311299");
    EXPECT_EQ(fields(sentences[3])[1], "0.0");
}

TEST(Nmea, LocalPlaneAgreesWithGeodesics) {
    const auto& wgs84 = GeographicLib::Geodesic::WGS84();
    for (const double azimuth : {0.0, 45.0, 90.0, 200.0, 300.0}) {
        for (const double distance : {100.0, 1000.0, 3000.0}) {
            double lat = 0, lon = 0;
            wgs84.Direct(survey::kOriginLatDeg, survey::kOriginLonDeg, azimuth, distance, lat, lon);
            const double a = azimuth * std::numbers::pi / 180.0;
            const GpsState g = geoFromLocal(distance * std::sin(a), distance * std::cos(a));
            // Within a metre at 3 km: the survey area is small enough for a plane.
            const double scale = distance / 3000.0;
            EXPECT_NEAR(g.latitudeDeg, lat, 1e-5 * scale + 1e-8) << azimuth << " " << distance;
            EXPECT_NEAR(g.longitudeDeg, lon, 2e-5 * scale + 1e-8) << azimuth << " " << distance;
        }
    }
}
