#include "session/RecordingClock.h"

#include <charconv>
#include <cmath>
#include <ctime>
#include <string>

#include "session/RecordingReader.h"

namespace hx {

namespace {

constexpr std::int64_t kQuarterHourSeconds = 15 * 60;
constexpr std::int64_t kDaySeconds = 24 * 3600;
// How far into a recording its first GPS time and date are looked for.
constexpr int kClockSearchRecords = 3000;

UtcTime asUtcFields(const LocalTime& t) {
    return UtcTime{t.year, t.month, t.day, t.hour, t.minute, t.second, t.millisecond};
}

bool readNumber(const std::string& text, std::size_t at, std::size_t digits, int& out) {
    if (at + digits > text.size()) return false;
    const char* first = text.data() + at;
    const auto [end, ec] = std::from_chars(first, first + digits, out);
    return ec == std::errc() && end == first + digits;
}

UtcTime fromUnixSeconds(std::int64_t seconds, int millisecond) {
    std::int64_t days = seconds / kDaySeconds;
    std::int64_t rest = seconds % kDaySeconds;
    if (rest < 0) {
        rest += kDaySeconds;
        --days;
    }
    // Civil date from days since 1970-01-01 (proleptic Gregorian).
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t mp = (5 * dayOfYear + 2) / 153;
    UtcTime t;
    t.day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    t.year = static_cast<int>(yearOfEra + era * 400 + (t.month <= 2 ? 1 : 0));
    t.hour = static_cast<int>(rest / 3600);
    t.minute = static_cast<int>(rest % 3600 / 60);
    t.second = static_cast<int>(rest % 60);
    t.millisecond = millisecond;
    return t;
}

}  // namespace

std::optional<UtcTime> gpsUtcTime(const GpsFix& fix) {
    // "14:05:09" and "07-DEC-2026".
    const std::string& time = fix.timeText;
    const std::string& date = fix.dateText;
    UtcTime t;
    if (time.size() != 8 || time[2] != ':' || time[5] != ':') return std::nullopt;
    if (date.size() != 11 || date[2] != '-' || date[6] != '-') return std::nullopt;
    if (!readNumber(time, 0, 2, t.hour) || !readNumber(time, 3, 2, t.minute) || !readNumber(time, 6, 2, t.second))
        return std::nullopt;
    if (!readNumber(date, 0, 2, t.day) || !readNumber(date, 7, 4, t.year)) return std::nullopt;
    t.month = monthFromAbbreviation(date.substr(3, 3));
    if (!isValidTime(t)) return std::nullopt;
    return t;
}

std::int64_t zoneOffsetFrom(const LocalTime& local, const UtcTime& gpsUtc) {
    const std::int64_t difference = unixSeconds(asUtcFields(local)) - unixSeconds(gpsUtc);
    return static_cast<std::int64_t>(std::llround(static_cast<double>(difference) / kQuarterHourSeconds)) *
           kQuarterHourSeconds;
}

std::int64_t machineZoneOffset(const LocalTime& local) {
    std::tm tm{};
    tm.tm_year = local.year - 1900;
    tm.tm_mon = local.month - 1;
    tm.tm_mday = local.day;
    tm.tm_hour = local.hour;
    tm.tm_min = local.minute;
    tm.tm_sec = local.second;
    tm.tm_isdst = -1;
    const std::time_t utc = std::mktime(&tm);
    if (utc == static_cast<std::time_t>(-1)) return 0;
    return unixSeconds(asUtcFields(local)) - static_cast<std::int64_t>(utc);
}

UtcTime toUtc(const LocalTime& local, const RecordingClock& clock) {
    const UtcTime fields = asUtcFields(local);
    if (!isValidTime(fields)) return fields;
    return fromUnixSeconds(unixSeconds(fields) - clock.zoneOffsetSeconds, local.millisecond);
}

RecordingClock findRecordingClock(const std::string& path, IFileSystem& fs, INotifier& notifier) {
    RecordingReader reader(fs, notifier);
    RecordingClock clock;
    if (!reader.open(path)) return clock;
    std::optional<LocalTime> first;
    for (int n = 0; n < kClockSearchRecords && reader.readNext(); ++n) {
        if (!first) first = reader.doc().cycle.pingClock;
        if (!reader.process().gpsReplayed) continue;
        if (const auto utc = gpsUtcTime(reader.doc().gps.fix)) {
            clock.zoneOffsetSeconds = zoneOffsetFrom(reader.doc().cycle.pingClock, *utc);
            clock.fromGps = true;
            return clock;
        }
    }
    if (first) clock.zoneOffsetSeconds = machineZoneOffset(*first);
    return clock;
}

}  // namespace hx
