#include "record/RecordTime.h"

#include <optional>
#include <string>

namespace hx {

namespace {

// The unsigned number in text[at, at + n), digits only.
std::optional<std::uint16_t> digitsAt(std::string_view text, std::size_t at, std::size_t n) {
    if (at > text.size() || n > text.size() - at) return std::nullopt;
    unsigned value = 0;
    for (char c : text.substr(at, n)) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    return static_cast<std::uint16_t>(value);
}

void take(std::optional<std::uint16_t> value, std::uint16_t& field) {
    if (value) field = *value;
}

}  // namespace

void takeRecordTime(std::string_view dateText, std::string_view timeText, std::string_view millisecondsText,
                    LocalTime& clock) {
    take(digitsAt(dateText, 0, 2), clock.day);
    if (dateText.size() >= 6) {
        if (int month = monthFromAbbreviation(std::string(dateText.substr(3, 3))); month != 0)
            clock.month = static_cast<std::uint16_t>(month);
    }
    take(digitsAt(dateText, 7, 4), clock.year);
    take(digitsAt(timeText, 0, 2), clock.hour);
    take(digitsAt(timeText, 3, 2), clock.minute);
    take(digitsAt(timeText, 6, 2), clock.second);
    const std::size_t msAt = !millisecondsText.empty() && millisecondsText[0] == '.' ? 1 : 0;
    take(digitsAt(millisecondsText, msAt, 3), clock.millisecond);
}

}  // namespace hx
