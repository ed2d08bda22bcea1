#include "nav/NmeaSentence.h"

#include <array>
#include <cmath>
#include <cstdio>

#include "nav/NmeaFields.h"

namespace hx {

using nmea::at;
using nmea::find;
using nmea::mid;
using nmea::toDouble;
using nmea::toInt;

namespace {

constexpr double kMaxLatitudeDeg = 90.0;
constexpr double kMaxLongitudeDeg = 180.0;

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool holdsNumber(std::string_view field) {
    std::size_t i = 0;
    while (i < field.size() && (field[i] == ' ' || field[i] == '\t')) ++i;
    if (i < field.size() && (field[i] == '+' || field[i] == '-')) ++i;
    if (i < field.size() && field[i] == '.') ++i;
    return i < field.size() && field[i] >= '0' && field[i] <= '9';
}

// The field after comma a is empty when the next character closes it.
bool fieldIsEmpty(std::string_view s, int a) {
    const char c = at(s, a + 1);
    return c == ',' || c == '*' || c == '\0' || c == '\r' || c == '\n';
}

// Comma indexes: c[k] is the k-th comma; c[0] stays -1 so that the first is
// searched from the start.
using Commas = std::array<int, 11>;

Commas noCommas() {
    Commas c;
    c.fill(-1);
    return c;
}

// Finds c[from]..c[to], each searched from the one before. False when one
// is missing.
bool findCommas(std::string_view s, Commas& c, std::size_t from, std::size_t to) {
    for (std::size_t k = from; k <= to && k < c.size(); ++k) {
        c[k] = find(s, ',', c[k - 1] + 1);
        if (c[k] < 0) return false;
    }
    return true;
}

// Latitude "4807.038,N" or longitude "01131.000,E" between commas a and b:
// degrees are everything before the two minute digits that precede the
// point. A field whose point is missing or lies beyond the closing comma
// holds no coordinate (receivers without a fix send it empty) and is skipped
// rather than read from a later field; so is a value beyond maxDeg, and a
// signed one: the hemisphere letter gives the sign, and "-4134.5,N" is no
// position north or south.
std::optional<NmeaCoordinate> coordinate(std::string_view s, int a, int b, double maxDeg) {
    const int d = find(s, '.', a);
    if (d < 0 || b <= a || d >= b || d - a < 3) return std::nullopt;
    if (mid(s, a + 1, b - a - 1).find_first_of("+-") != std::string_view::npos) return std::nullopt;
    NmeaCoordinate out;
    const std::string_view degrees = mid(s, a + 1, d - a - 3);
    const double minutes = toDouble(mid(s, d - 2, b - d + 2));
    out.valueDeg = toInt(degrees) + minutes / 60.0;
    if (!(out.valueDeg >= 0.0 && out.valueDeg <= maxDeg)) return std::nullopt;
    out.hemisphere = at(s, b + 1);
    // Display keeps the minutes as received, cut to four decimals.
    const std::string_view minutesText = (b - d - 1 > 3) ? mid(s, d - 2, 7) : mid(s, d - 2, b - d + 2);
    out.text.reserve(degrees.size() + minutesText.size() + 3);
    out.text.append(degrees).append(".").append(minutesText).append(" ");
    if (out.hemisphere != '\0') out.text.push_back(out.hemisphere);
    return out;
}

// "hhmmss[.sss]" after comma a; fractional seconds are ignored. An empty
// field or one out of range gives nothing.
std::optional<std::string> timeOfDay(std::string_view s, int a) {
    if (fieldIsEmpty(s, a)) return std::nullopt;
    const int hours = toInt(mid(s, a + 1, 2));
    const int minutes = toInt(mid(s, a + 3, 2));
    const int seconds = toInt(mid(s, a + 5, 2));
    if (hours < 0 || hours > 23 || minutes < 0 || minutes > 59 || seconds < 0 || seconds > 59) return std::nullopt;
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", hours, minutes, seconds);
    return std::string(buf);
}

// $GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47
//   1 time  2 lat  3 N/S  4 lon  5 E/W  6 fix quality  7 satellites in use
void decodeGga(std::string_view s, NmeaFields& out) {
    Commas c = noCommas();
    if (!findCommas(s, c, 1, 7)) return;
    out.qualityChar = at(s, c[6] + 1);
    out.satellitesInUse = toInt(mid(s, c[7] + 1, 2));
    out.noFix = toInt(mid(s, c[6] + 1, c[7] - c[6] - 1)) == 0;
    if (!(c[1] > 0 && c[1] < c[2] && c[2] < c[3] && c[3] < c[4] && c[4] < c[5] && c[5] < c[6] && c[6] < c[7])) return;
    if (find(s, '.', c[1]) < 0) return;
    out.timeText = timeOfDay(s, c[1]);
    if (find(s, '.', c[2]) < 0) return;
    if (!out.noFix) out.latitude = coordinate(s, c[2], c[3], kMaxLatitudeDeg);
    if (!out.noFix) out.longitude = coordinate(s, c[4], c[5], kMaxLongitudeDeg);
}

// $GPGLL,4916.45,N,12311.12,W,225444,A
//   1 lat  2 N/S  3 lon  4 E/W  5 time  6 status
// Quirk kept: the time is read only when a '.' follows its comma somewhere,
// so "225444,A" without a fraction leaves the time as it was.
void decodeGll(std::string_view s, NmeaFields& out) {
    Commas c = noCommas();
    if (!findCommas(s, c, 1, 6)) return;
    out.qualityChar = at(s, c[6] + 1);
    out.noFix = at(s, c[6] + 1) != 'A';
    if (find(s, '.', c[1]) < 0) return;
    if (!out.noFix) out.latitude = coordinate(s, c[1], c[2], kMaxLatitudeDeg);
    if (find(s, '.', c[3]) < 0) return;
    if (!out.noFix) out.longitude = coordinate(s, c[3], c[4], kMaxLongitudeDeg);
    if (find(s, '.', c[5]) < 0) return;
    out.timeText = timeOfDay(s, c[5]);
}

// $GPRMC,123519,A,4807.038,N,01131.000,W,022.4,084.4,230394,003.1,W*78
//   1 time  2 status  3 lat  4 N/S  5 lon  6 E/W  7 speed kn  8 course  9 date ddmmyy
void decodeRmc(std::string_view s, NmeaFields& out) {
    Commas c = noCommas();
    if (!findCommas(s, c, 1, 2)) return;
    out.qualityChar = at(s, c[2] + 1);
    out.noFix = at(s, c[2] + 1) != 'A';
    if (c[1] > 0 && c[1] < c[2]) {
        if (find(s, '.', c[1]) < 0) return;
        out.timeText = timeOfDay(s, c[1]);
    }
    if (!findCommas(s, c, 3, 4) || find(s, '.', c[3]) < 0) return;
    if (!out.noFix) out.latitude = coordinate(s, c[3], c[4], kMaxLatitudeDeg);
    if (!findCommas(s, c, 5, 6) || find(s, '.', c[5]) < 0) return;
    if (!out.noFix) out.longitude = coordinate(s, c[5], c[6], kMaxLongitudeDeg);
    if (!findCommas(s, c, 7, 8)) return;
    if (c[7] > 0 && c[7] < c[8]) out.speedKnots = toDouble(mid(s, c[7] + 1, c[8] - c[7] - 1));
    if (!findCommas(s, c, 9, 9)) return;
    if (c[9] - c[8] > 1) out.courseDeg = toDouble(mid(s, c[8] + 1, c[9] - c[8] - 1));
    if (!findCommas(s, c, 10, 10)) return;
    if (c[9] >= 1 && c[10] - c[9] >= 6) {
        const int day = toInt(mid(s, c[9] + 1, 2));
        const int month = toInt(mid(s, c[9] + 3, 2));
        const int twoDigitYear = toInt(mid(s, c[9] + 5, 2));
        const int year = twoDigitYear >= 70 ? 1900 + twoDigitYear : 2000 + twoDigitYear;
        char buf[48];
        std::snprintf(buf, sizeof buf, "%02d-%s-%04d", day, nmeaMonthAbbreviation(month), year);
        out.dateText = std::string(buf);
    }
}

// $GPVTG,54.7,T,34.4,M,5.5,N,10.2,K
//   1 course true  2 T  3 course magnetic  4 M  5 speed kn  6 N  7 speed km/h  8 K
// Fields shorter than three characters are not taken.
void decodeVtg(std::string_view s, NmeaFields& out) {
    Commas c = noCommas();
    if (!findCommas(s, c, 1, 2)) return;
    if (c[1] > 0 && c[1] + 1 < c[2]) {
        const std::string_view field = mid(s, c[1] + 1, c[2] - c[1] - 1);
        if (field.size() >= 3) out.courseDeg = toDouble(field);
    }
    if (!findCommas(s, c, 3, 6)) return;
    if (c[5] > 0 && c[5] + 1 < c[6]) {
        const std::string_view field = mid(s, c[5] + 1, c[6] - c[5] - 1);
        if (field.size() >= 3) out.speedKnots = toDouble(field);
    }
}

// $GPHDT,274.07,T   1 heading true  2 T
// An empty heading field ("$GPHDT,,T" from a receiver without a heading
// solution) carries no heading, not 0.0.
void decodeHdt(std::string_view s, NmeaFields& out) {
    const int c1 = find(s, ',', 0);
    if (c1 < 0 || static_cast<std::size_t>(c1 + 1) >= s.size()) return;
    const int c2 = find(s, ',', c1 + 1);
    if (c2 < 0) return;
    const std::string_view field = mid(s, c1 + 1, c2 - c1 - 1);
    if (!holdsNumber(field)) return;
    out.headingDeg = toDouble(field);
}

}  // namespace

const char* nmeaMonthAbbreviation(int month) {
    static constexpr std::array<const char*, 12> kMonths = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                            "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    if (month < 1 || month > 12) return "";
    return kMonths[static_cast<std::size_t>(month - 1)];
}

NmeaType nmeaTypeOf(std::string_view s) {
    if (s.size() < 6) return NmeaType::None;
    const std::string_view code = s.substr(3, 3);
    if (code == "GGA") return NmeaType::GGA;
    if (code == "GLL") return NmeaType::GLL;
    if (code == "RMC") return NmeaType::RMC;
    if (code == "VTG") return NmeaType::VTG;
    if (code == "HDT") return NmeaType::HDT;
    return NmeaType::None;
}

NmeaChecksum nmeaChecksumOf(std::string_view s) {
    const auto star = s.find('*');
    if (star == std::string_view::npos) return NmeaChecksum::Absent;
    if (star + 2 >= s.size()) return NmeaChecksum::Bad;
    const int high = hexValue(s[star + 1]);
    const int low = hexValue(s[star + 2]);
    if (high < 0 || low < 0) return NmeaChecksum::Bad;
    unsigned sum = 0;
    const std::size_t first = (!s.empty() && s[0] == '$') ? 1 : 0;
    for (std::size_t i = first; i < star; ++i) sum ^= static_cast<unsigned char>(s[i]);
    return sum == static_cast<unsigned>(high * 16 + low) ? NmeaChecksum::Good : NmeaChecksum::Bad;
}

NmeaFields decodeNmeaSentence(std::string_view s) {
    NmeaFields out;
    if (s.size() < 10 || s[0] != '$') return out;
    out.checksum = nmeaChecksumOf(s);
    if (out.checksum == NmeaChecksum::Bad) return out;
    out.type = nmeaTypeOf(s);
    switch (out.type) {
        case NmeaType::GGA: decodeGga(s, out); break;
        case NmeaType::GLL: decodeGll(s, out); break;
        case NmeaType::RMC: decodeRmc(s, out); break;
        case NmeaType::VTG: decodeVtg(s, out); break;
        case NmeaType::HDT: decodeHdt(s, out); break;
        case NmeaType::None: break;
    }
    return out;
}

}  // namespace hx
