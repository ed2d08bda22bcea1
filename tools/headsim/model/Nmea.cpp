#include "tools/headsim/model/Nmea.h"

#include "tools/headsim/model/SurveyPlan.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace hx::sim {

namespace {

constexpr double kWgs84A = 6378137.0;
constexpr double kWgs84E2 = 6.69437999014e-3;
constexpr double kMagneticVariationDeg = 4.8;  // east, off this coast

// ddmm.mmmmm or dddmm.mmmmm with the hemisphere letter.
std::string coordinate(double deg, bool latitude) {
    const char hemi = latitude ? (deg < 0 ? 'S' : 'N') : (deg < 0 ? 'W' : 'E');
    double a = std::abs(deg);
    int whole = static_cast<int>(a);
    double minutes = (a - whole) * 60.0;
    // Rounding to five decimals may carry into the next degree.
    if (std::round(minutes * 100000.0) >= 6000000.0) {
        minutes = 0.0;
        ++whole;
    }
    char buf[32];
    std::snprintf(buf, sizeof buf, latitude ? "%02d%08.5f,%c" : "%03d%08.5f,%c", whole, minutes, hemi);
    return buf;
}

std::string timeField(const UtcTime& t) {
    char buf[16];
    const double s = std::floor(t.second * 100.0 + 0.5) / 100.0;
    std::snprintf(buf, sizeof buf, "%02d%02d%05.2f", t.hour, t.minute, std::min(s, 59.99));
    return buf;
}

double wrapDeg(double deg) {
    double d = std::fmod(deg, 360.0);
    if (d < 0.0) d += 360.0;
    return d >= 359.95 ? 0.0 : d;  // so "%.1f" never prints 360.0
}

}  // namespace

GpsState geoFromLocal(double eastM, double northM) {
    const double lat0 = survey::kOriginLatDeg * survey::kDegToRad;
    const double s = std::sin(lat0);
    const double w = 1.0 - kWgs84E2 * s * s;
    const double meridional = kWgs84A * (1.0 - kWgs84E2) / (w * std::sqrt(w));
    const double normal = kWgs84A / std::sqrt(w);
    GpsState g;
    g.latitudeDeg = survey::kOriginLatDeg + northM / meridional / survey::kDegToRad;
    g.longitudeDeg = survey::kOriginLonDeg + eastM / (normal * std::cos(lat0)) / survey::kDegToRad;
    return g;
}

std::string nmeaChecksum(std::string_view body) {
    unsigned sum = 0;
    for (char c : body) sum ^= static_cast<unsigned char>(c);
    char buf[3];
    std::snprintf(buf, sizeof buf, "%02X", sum & 0xFFu);
    return buf;
}

std::string nmeaSentence(std::string_view body) {
    std::string s;
    s.reserve(body.size() + 6);
    s += '$';
    s += body;
    s += '*';
    s += nmeaChecksum(body);
    s += "\r\n";
    return s;
}

std::vector<std::string> nmeaSentences(const UtcTime& t, const GpsState& fix) {
    const std::string time = timeField(t);
    const std::string lat = coordinate(fix.latitudeDeg, true);
    const std::string lon = coordinate(fix.longitudeDeg, false);
    const double course = wrapDeg(fix.courseDeg);
    const double heading = wrapDeg(fix.headingDeg);
    const double magnetic = wrapDeg(course - kMagneticVariationDeg);
    char buf[160];
    std::vector<std::string> out;
    out.reserve(4);

    std::snprintf(buf, sizeof buf, "GPGGA,%s,%s,%s,2,11,0.8,2.6,M,36.1,M,1.4,0121", time.c_str(), lat.c_str(), lon.c_str());
    out.push_back(nmeaSentence(buf));
    std::snprintf(buf, sizeof buf, "GPRMC,%s,A,%s,%s,%.1f,%.1f,%02d%02d%02d,%.1f,E,D", time.c_str(), lat.c_str(), lon.c_str(),
                  fix.speedKn, course, t.day, t.month, t.year % 100, kMagneticVariationDeg);
    out.push_back(nmeaSentence(buf));
    std::snprintf(buf, sizeof buf, "GPVTG,%.1f,T,%.1f,M,%.1f,N,%.1f,K,D", course, magnetic, fix.speedKn, fix.speedKn * 1.852);
    out.push_back(nmeaSentence(buf));
    std::snprintf(buf, sizeof buf, "HEHDT,%.1f,T", heading);
    out.push_back(nmeaSentence(buf));
    return out;
}

}  // namespace hx::sim
