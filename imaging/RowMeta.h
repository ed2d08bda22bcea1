// What a waterfall row carries besides its pixels: the time, GPS texts,
// ping number and line count of the ping that drew it. The line processing
// writes it with the primary head's rows; the views and measurements read it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace hx {

// "hh:mm:ss" then the three millisecond digits, then a NUL.
inline constexpr std::size_t kRowStampBytes = 12;
using RowStamp = std::array<char, kRowStampBytes>;

// Slots of the six display texts of the GPS fix carried with each ping.
enum GpsTextSlot : int {
    kGpsLatText = 0,
    kGpsLonText = 1,
    kGpsTimeText = 2,
    kGpsSpeedText = 3,
    kGpsCourseText = 4,
    kGpsHeadingText = 5,
};
inline constexpr std::size_t kGpsTextCount = 6;
using GpsTexts = std::array<std::string, kGpsTextCount>;

struct RowGps {
    GpsTexts text{};
    double altitudeM = 0.0;
    double headingDeg = 0.0;
};

struct RowMeta {
    RowStamp stamp{};
    RowGps gps{};
    std::int32_t pingNumber = 0;
    std::uint8_t lineCount = 1;
};

// The stamp of a ping from its "%02d:%02d:%02d" time text and ".%03d"
// millisecond text: eight time characters, three digits without the point.
// Short or missing texts leave NULs in their place.
RowStamp MakeRowStamp(std::string_view timeText, std::string_view millisecondsText);

// The time part of a stamp ("hh:mm:ss"), empty when the row has none.
std::string StampTimeText(const RowStamp& stamp);

}  // namespace hx
