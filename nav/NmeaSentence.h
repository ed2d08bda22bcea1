// Decoding of one NMEA 0183 sentence (GGA, GLL, RMC, VTG, HDT from any
// talker) into the fields it carries. A pure function: the caller decides
// what to do with the fields (GpsParserState merges them into the fix).
// Fields are located by counting commas; a missing comma or decimal point
// ends the decode and keeps what was found before it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace hx {

enum class NmeaType { None, GGA, GLL, RMC, VTG, HDT };

enum class NmeaChecksum {
    Absent,  // no '*': accepted as before
    Good,
    Bad,     // '*' without two hex digits, or a sum that does not match
};

struct NmeaCoordinate {
    double valueDeg = 0.0;  // without sign; the hemisphere gives it
    char hemisphere = '\0';  // the character after the field's closing comma
    std::string text;        // "48.07.038 N"
};

struct NmeaFields {
    NmeaType type = NmeaType::None;
    NmeaChecksum checksum = NmeaChecksum::Absent;
    // The receiver says it has no fix (RMC or GLL status other than A, i.e.
    // V or a receiver's own "not valid" letter; GGA fix quality 0 or empty):
    // its coordinates are left out, its other fields are kept.
    bool noFix = false;

    std::optional<NmeaCoordinate> latitude;
    std::optional<NmeaCoordinate> longitude;
    std::optional<std::string> timeText;   // "%02d:%02d:%02d"
    std::optional<double> speedKnots;
    std::optional<double> courseDeg;
    std::optional<double> headingDeg;
    std::optional<std::string> dateText;   // "%02d-%s-%04d"

    // Diagnostics: the GGA fix quality digit, or the GLL / RMC status letter,
    // and the GGA satellite count.
    std::optional<char> qualityChar;
    std::optional<int> satellitesInUse;
};

// The type named by characters 3 to 5 ("$GPGGA" -> GGA), whatever the
// talker; None for a text too short to hold them or of another type.
NmeaType nmeaTypeOf(std::string_view sentence);

// Checks the "*hh" suffix: XOR of the characters between '$' and '*'.
NmeaChecksum nmeaChecksumOf(std::string_view sentence);

// Decodes a sentence that starts with '$'. Shorter than 10 characters, not
// starting with '$', of another type, or with a bad checksum: type None (the
// checksum is still reported) and no fields.
NmeaFields decodeNmeaSentence(std::string_view sentence);

// "JAN".."DEC" for months 1 to 12, an empty text otherwise.
const char* nmeaMonthAbbreviation(int month);

}  // namespace hx
