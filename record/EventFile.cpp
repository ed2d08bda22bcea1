#include "record/EventFile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <vector>

namespace hx {

namespace {

constexpr int kLinesPerEvent = 8;
constexpr std::size_t kMaxLineChars = 519;  // newline included
// 100 events of eight full lines each, with room to spare; anything beyond
// cannot be part of the list.
constexpr std::size_t kMaxEventFileBytes = 1024 * 1024;

std::string asLine(std::string_view text) {
    std::string line(text);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    std::replace_if(line.begin(), line.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    line += '\n';
    return line;
}

std::string_view skipBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    return s;
}

// Decimal text to integer, reading as far as the digits go.
std::optional<std::int32_t> leadingInt(std::string_view s) {
    s = skipBlanks(s);
    std::int32_t v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc()) return std::nullopt;
    (void)end;
    return v;
}

std::optional<double> leadingDouble(std::string_view s) {
    s = skipBlanks(s);
    double v = 0.0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc()) return std::nullopt;
    (void)end;
    return v;
}

// Splits into lines that keep "\n"; "\r\n" becomes "\n"; over-long lines are cut.
std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t nl = text.find('\n');
        std::string_view body = text.substr(0, nl);
        text.remove_prefix(nl == std::string_view::npos ? text.size() : nl + 1);
        if (!body.empty() && body.back() == '\r') body.remove_suffix(1);
        std::string line(body.substr(0, kMaxLineChars - 1));
        line += '\n';
        lines.push_back(std::move(line));
    }
    return lines;
}

// The marker lies inside the image, so its position is a fraction of the
// image width. Anything outside 0..1 (a hand-edited or damaged file, a width
// of zero at input) is brought to the nearest edge; not-a-number and -0
// become 0.
double markerFraction(double position) {
    if (!(position > 0.0)) return 0.0;
    return std::min(position, 1.0);
}

// "%f" of the position: six decimals, always with a point.
std::string positionText(double position) {
    // Not printf: the program's locale must not turn the point into a comma.
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, markerFraction(position), std::chars_format::fixed, 6);
    if (res.ec != std::errc()) return "0.000000";
    return std::string(buf, res.ptr);
}

bool blank(const std::string& line) {
    return std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\t' || c == '\n'; });
}

}  // namespace

std::string eventFilePathFor(const std::string& dataFilePath) {
    const std::size_t keep = dataFilePath.size() >= 3 ? dataFilePath.size() - 3 : 0;
    return dataFilePath.substr(0, keep) + "an";
}

std::string formatEventFile(const EventList& list) {
    std::string out;
    const int count = std::clamp(list.count, 0, kMaxEvents);
    for (int i = 0; i < count; ++i) {
        const EventEntry& e = list.entries[static_cast<std::size_t>(i)];
        out += std::to_string(e.number) + '\n';
        out += std::to_string(e.ping) + '\n';
        out += positionText(e.position) + '\n';
        out += asLine(e.latitude);
        out += asLine(e.longitude);
        out += asLine(e.date);
        out += asLine(e.time);
        out += asLine(e.annotation);
    }
    return out;
}

EventFileParse parseEventFile(std::string_view text, EventList& list) {
    emptyEventList(list);
    EventFileParse result;
    const std::vector<std::string> lines = splitLines(text);
    // Blank lines after the last event are not an event cut short.
    std::size_t used = lines.size();
    while (used > 0 && blank(lines[used - 1])) --used;
    std::size_t at = 0;
    while (at < used) {
        if (list.count == kMaxEvents) {
            result.overflow = true;
            break;
        }
        if (lines.size() - at < kLinesPerEvent) {
            result.damaged = true;
            break;
        }
        const auto number = leadingInt(lines[at]);
        const auto ping = leadingInt(lines[at + 1]);
        const auto position = leadingDouble(lines[at + 2]);
        if (!number || *number < 0 || *number > kMaxEventNumber || !ping || !position || std::isnan(*position)) {
            result.damaged = true;
            break;
        }
        EventEntry& e = list.entries[static_cast<std::size_t>(list.count)];
        e.number = *number;
        e.ping = *ping;
        e.position = markerFraction(*position);
        e.latitude = lines[at + 3];
        e.longitude = lines[at + 4];
        e.date = lines[at + 5];
        e.time = lines[at + 6];
        e.annotation = lines[at + 7];
        ++list.count;
        at += kLinesPerEvent;
    }
    return result;
}

bool writeEventFile(IRandomAccessFile& file, const EventList& list) {
    const std::string text = formatEventFile(list);
    if (!file.truncate(0)) return false;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    return file.writeAt(0, std::span(bytes, text.size()));
}

EventFileParse loadEventFile(IRandomAccessFile& file, EventList& list, INotifier& notifier) {
    const std::uint64_t size = file.size().value_or(0);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(std::min<std::uint64_t>(size, kMaxEventFileBytes)));
    bytes.resize(file.readAt(0, bytes));
    const EventFileParse result =
        parseEventFile(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), list);
    if (result.damaged) notifier.message("Event Info File Damaged!", MessageIcon::Warning);
    return result;
}

}  // namespace hx
