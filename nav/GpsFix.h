// The GPS fix as the rest of the program reads it: position, speed, course
// and heading as numbers and as ready-made display texts, and the recognised
// sentences of the latest read. Written only by the NMEA parser state that
// owns it (the reader thread's, or playback's); other code sees copies.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace hx {

inline constexpr int kSentenceSlotCount = 10;
inline constexpr int kSentenceHistoryCapacity = 10;

// The recognised sentences of the latest read, in arrival order; unused
// slots are empty. Recorded with every ping and replayed in playback.
using GpsSentenceSlots = std::array<std::string, kSentenceSlotCount>;

// Every sentence of the latest reads, recognised or not, oldest first.
using GpsSentenceHistory = std::array<std::string, kSentenceHistoryCapacity>;

inline constexpr const char* kNotAvailableText = "n/a";

struct GpsFix {
    // Decimal degrees. The parser stores them without sign and publishing
    // applies the hemisphere: negative south and west.
    double gpsLatitude = 0.0;
    double gpsLongitude = 0.0;
    char gpsLatHemisphere = '\0';  // as received after the latitude field
    char gpsLonHemisphere = '\0';
    double gpsSpeed = 3.0;    // knots over ground
    double gpsCourse = 0.0;   // degrees true over ground
    double gpsHeading = 0.0;  // degrees true, or the course after ten reads without a heading
    std::int32_t gpsUpdated = 0;  // 1 once a sentence was handed to the parser in this read
    // 1 once a sentence of this read carried a position: the fix's age
    // starts again.
    std::int32_t positionReceived = 0;
    // The latest GGA, GLL or RMC said the receiver has no fix.
    bool receiverNoFix = false;

    std::string latText = kNotAvailableText;      // "48.07.038 N"
    std::string lonText = kNotAvailableText;      // "011.31.000 E"
    std::string timeText = kNotAvailableText;     // "%02d:%02d:%02d" UTC
    std::string speedText = kNotAvailableText;    // "%.1f Knots"
    std::string courseText = kNotAvailableText;   // "%.1f Deg."
    std::string headingText;                      // "%.1f Deg.", "n/a" once it falls back to the course
    std::string dateText = kNotAvailableText;     // "%02d-%s-%04d"
};

}  // namespace hx
