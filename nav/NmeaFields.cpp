#include "nav/NmeaFields.h"

#include <charconv>
#include <climits>
#include <cstddef>

namespace hx::nmea {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t skipBlanks(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    return i;
}

}  // namespace

int find(std::string_view text, char c, int from) {
    if (from < 0 || static_cast<std::size_t>(from) >= text.size()) return -1;
    const auto pos = text.find(c, static_cast<std::size_t>(from));
    return pos == std::string_view::npos ? -1 : static_cast<int>(pos);
}

std::string_view mid(std::string_view text, int start, int count) {
    if (start < 0) start = 0;
    if (count < 0) count = 0;
    if (static_cast<std::size_t>(start) >= text.size()) return {};
    return text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(count));
}

char at(std::string_view text, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= text.size()) return '\0';
    return text[static_cast<std::size_t>(index)];
}

int toInt(std::string_view text) {
    std::size_t i = skipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    return static_cast<int>(value);
}

double toDouble(std::string_view text) {
    const std::size_t begin = skipBlanks(text);
    std::size_t i = begin;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const std::size_t mantissaStart = i;
    while (i < text.size() && isDigit(text[i])) ++i;
    std::size_t digits = i - mantissaStart;
    if (i < text.size() && text[i] == '.') {
        ++i;
        const std::size_t fractionStart = i;
        while (i < text.size() && isDigit(text[i])) ++i;
        digits += i - fractionStart;
    }
    if (digits == 0) return 0.0;
    // An exponent counts only when digits follow it ("12E" reads as 12).
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        const std::size_t expDigits = j;
        while (j < text.size() && isDigit(text[j])) ++j;
        if (j > expDigits) i = j;
    }
    // from_chars takes no leading '+'.
    std::size_t parseFrom = begin;
    if (text[parseFrom] == '+') ++parseFrom;
    double value = 0.0;
    const auto* first = text.data() + parseFrom;
    const auto* last = text.data() + i;
    const auto result = std::from_chars(first, last, value, std::chars_format::general);
    if (result.ec != std::errc{}) return 0.0;
    return value;
}

}  // namespace hx::nmea
