#include "export/UtcTime.h"

#include <chrono>
#include <cstdio>

namespace hx {

namespace {

std::chrono::year_month_day ymd(const UtcTime& t) {
    return std::chrono::year{t.year} / std::chrono::month{static_cast<unsigned>(t.month)} /
           std::chrono::day{static_cast<unsigned>(t.day)};
}

}  // namespace

bool isValidTime(const UtcTime& t) {
    if (t.year < 1900 || t.year > 9999 || t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31) return false;
    if (t.hour < 0 || t.hour > 23 || t.minute < 0 || t.minute > 59 || t.second < 0 || t.second > 59) return false;
    if (t.millisecond < 0 || t.millisecond > 999) return false;
    return ymd(t).ok();
}

int dayOfYear(const UtcTime& t) {
    using namespace std::chrono;
    const sys_days jan1{year{t.year} / January / 1};
    return static_cast<int>((sys_days{ymd(t)} - jan1).count()) + 1;
}

std::uint32_t millisecondOfDay(const UtcTime& t) {
    return static_cast<std::uint32_t>(((t.hour * 60 + t.minute) * 60 + t.second) * 1000 + t.millisecond);
}

std::int64_t unixSeconds(const UtcTime& t) {
    const std::int64_t days = std::chrono::sys_days{ymd(t)}.time_since_epoch().count();
    return days * 86400 + (t.hour * 60 + t.minute) * 60 + t.second;
}

std::string iso8601(const UtcTime& t) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", t.year, t.month, t.day, t.hour,
                  t.minute, t.second, t.millisecond);
    return buf;
}

}  // namespace hx
