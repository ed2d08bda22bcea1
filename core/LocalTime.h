// Local date and time as the cycle stamp, the data file and the displays
// carry it, and the texts built from it.
#pragma once

#include <cstdint>
#include <string>

namespace hx {

struct LocalTime {
    std::uint16_t year = 0;
    std::uint16_t month = 0;       // 1..12
    std::uint16_t dayOfWeek = 0;   // 0 = Sunday
    std::uint16_t day = 0;         // 1..31
    std::uint16_t hour = 0;
    std::uint16_t minute = 0;
    std::uint16_t second = 0;
    std::uint16_t millisecond = 0;

    friend bool operator==(const LocalTime&, const LocalTime&) = default;
};

// "JAN".."DEC" for months 1..12; "???" outside that range.
const char* monthAbbreviation(int month);
// Month 1..12 of "JAN".."DEC" (exact, upper case), 0 when the text is none.
int monthFromAbbreviation(const std::string& text);

std::string formatDateText(const LocalTime& t);          // "%02d-%s-%04d", e.g. "08-DEC-2026"
std::string formatTimeText(const LocalTime& t);          // "%02d:%02d:%02d"
std::string formatMillisecondsText(const LocalTime& t);  // ".%03d"

}  // namespace hx
