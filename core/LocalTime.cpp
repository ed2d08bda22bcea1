#include "core/LocalTime.h"

#include <array>
#include <cstdio>

namespace hx {

namespace {
constexpr std::array<const char*, 12> kMonths = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                 "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
}

const char* monthAbbreviation(int month) {
    if (month < 1 || month > 12) return "???";
    return kMonths[static_cast<std::size_t>(month - 1)];
}

int monthFromAbbreviation(const std::string& text) {
    for (std::size_t i = 0; i < kMonths.size(); ++i)
        if (text == kMonths[i]) return static_cast<int>(i) + 1;
    return 0;
}

std::string formatDateText(const LocalTime& t) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d-%s-%04d", t.day, monthAbbreviation(t.month), t.year);
    return buf;
}

std::string formatTimeText(const LocalTime& t) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    return buf;
}

std::string formatMillisecondsText(const LocalTime& t) {
    char buf[16];
    std::snprintf(buf, sizeof buf, ".%03d", t.millisecond);
    return buf;
}

}  // namespace hx
