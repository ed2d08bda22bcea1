// A civil date and time in UTC as the export formats store it, with the
// arithmetic they need: validity, day of the year, milliseconds of the day,
// seconds since 1970 and the ISO 8601 text.
#pragma once

#include <cstdint>
#include <string>

namespace hx {

struct UtcTime {
    int year = 1970;
    int month = 1;   // 1..12
    int day = 1;     // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;  // 0..59 (no leap second)
    int millisecond = 0;
};

// True when every field is in range and the day exists in that month
// (years 1900 to 9999, the range the formats can hold).
bool isValidTime(const UtcTime& t);

// Day of the year, 1 January = 1.
int dayOfYear(const UtcTime& t);

std::uint32_t millisecondOfDay(const UtcTime& t);

// Whole seconds since 1970-01-01T00:00:00Z.
std::int64_t unixSeconds(const UtcTime& t);

// "2013-09-10T21:13:08.130Z". Only for valid times.
std::string iso8601(const UtcTime& t);

}  // namespace hx
