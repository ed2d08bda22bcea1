#include "nav/WaypointList.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>

#include "core/FileDialogPort.h"
#include "core/Notifier.h"
#include "nav/NmeaFields.h"
#include "nav/UtmProjection.h"

namespace hx {

namespace {

constexpr const char* kOpenTitle = "Load Waypoint List From a File:";
constexpr const char* kOpenFilter = "Waypoint List File: (*.wpt)";
constexpr const char* kWrongTypeMessage = "ERROR: Application can not recognize this file type!";
constexpr const char* kOpenFailedMessage = "Failed to open document.";

// The text from index from up to the next comma or the end of the line;
// empty when from lies beyond the line.
std::string_view fieldFrom(std::string_view line, std::size_t from) {
    if (from >= line.size()) return {};
    const std::size_t comma = line.find(',', from);
    return line.substr(from, comma == std::string_view::npos ? std::string_view::npos : comma - from);
}

// The index just past the n-th comma (n >= 1), or npos when there are fewer.
std::size_t afterComma(std::string_view line, int n) {
    std::size_t at = 0;
    for (int i = 0; i < n; ++i) {
        const std::size_t comma = line.find(',', at);
        if (comma == std::string_view::npos) return std::string_view::npos;
        at = comma + 1;
    }
    return at;
}

// "4916.4500" with two degree digits, "12311.1200" with three: the digits
// after them are decimal minutes.
double degreesMinutes(std::string_view field, std::size_t degreeDigits) {
    const std::string_view degrees = field.substr(0, std::min(degreeDigits, field.size()));
    const std::string_view minutes = field.size() > degreeDigits ? field.substr(degreeDigits) : std::string_view{};
    return nmea::toInt(degrees) + nmea::toDouble(minutes) / 60.0;
}

char charAt(std::string_view line, std::size_t index) { return index < line.size() ? line[index] : '\0'; }

bool blankLine(std::string_view line) {
    return std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\t'; });
}

// Beyond this a plot offset is no place on the plot; it keeps the mark's
// figure corners far inside int.
constexpr double kMaxMarkOffsetM = 1.0e9;

int plotOffset(double metres) {
    if (std::isnan(metres)) return 0;
    return static_cast<int>(std::trunc(std::clamp(metres, -kMaxMarkOffsetM, kMaxMarkOffsetM)));
}

}  // namespace

std::optional<Waypoint> parseWaypointLine(std::string_view line) {
    if (line.size() > kWaypointLineChars) line = line.substr(0, kWaypointLineChars);
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
    if (blankLine(line)) return std::nullopt;

    Waypoint w;
    w.number = nmea::toInt(fieldFrom(line, 0));
    const std::size_t nameAt = afterComma(line, 1);
    if (nameAt != std::string_view::npos) w.name = std::string(fieldFrom(line, nameAt));
    const std::size_t latitudeAt = afterComma(line, 2);
    if (latitudeAt != std::string_view::npos) w.latitudeDeg = degreesMinutes(fieldFrom(line, latitudeAt), 2);

    // The hemisphere letter is the character after the third comma, and the
    // longitude starts two characters after it, whatever that field holds.
    const std::size_t hemisphereAt = afterComma(line, 3);
    if (hemisphereAt != std::string_view::npos) {
        const char ns = charAt(line, hemisphereAt);
        if (ns == 'S' || ns == 's') w.latitudeDeg = -w.latitudeDeg;
        const std::size_t longitudeAt = hemisphereAt + 2;
        const std::string_view longitude = fieldFrom(line, longitudeAt);
        w.longitudeDeg = degreesMinutes(longitude, 3);
        const std::size_t end = longitudeAt + longitude.size();
        const char ew = charAt(line, end) == ',' ? charAt(line, end + 1) : '\0';
        if (ew == 'W' || ew == 'w') w.longitudeDeg = -w.longitudeDeg;
    }
    // No place on earth: the line is no waypoint.
    if (!(std::abs(w.latitudeDeg) <= 90.0) || !(std::abs(w.longitudeDeg) <= 180.0)) return std::nullopt;
    return w;
}

bool isWaypointFileName(std::string_view fileName) {
    if (fileName.size() < 3) return false;
    const std::string_view tail = fileName.substr(fileName.size() - 3);
    std::string lower;
    for (char c : tail) lower.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    return lower == "wpt";
}

std::vector<Waypoint> parseWaypointText(std::string_view text) {
    std::vector<Waypoint> out;
    std::size_t start = 0;
    while (start < text.size() && out.size() < static_cast<std::size_t>(kWaypointCapacity)) {
        auto end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        if (auto w = parseWaypointLine(text.substr(start, end - start))) out.push_back(std::move(*w));
        start = end + 1;
    }
    return out;
}

WaypointMark waypointMarkFor(const Waypoint& w, double referenceEastingM, double referenceNorthingM) {
    const UtmPoint p = LatLonToUtm(w.latitudeDeg, w.longitudeDeg);
    WaypointMark m;
    m.x = plotOffset(p.eastingM - referenceEastingM);
    m.y = plotOffset(referenceNorthingM - p.northingM);
    m.circleLeft = m.x - 12;
    m.circleTop = m.y - 12;
    m.textLeft = m.x - 15;
    m.textTop = m.y - 10;
    m.text = std::to_string(w.number);
    return m;
}

WaypointLoadResult LoadWaypointFile(const std::string& fileName, INotifier& notifier, const TrackState& track,
                                    WaypointTable& table, WaypointMarkerPath& marks) {
    if (!isWaypointFileName(fileName)) {
        notifier.message(kWrongTypeMessage, MessageIcon::Error);
        return WaypointLoadResult::WrongFileType;
    }
    std::ifstream in(fileName, std::ios::binary);
    if (!in) {
        notifier.message(kOpenFailedMessage, MessageIcon::Error);
        return WaypointLoadResult::OpenFailed;
    }
    // Lines are read up to 511 characters (the rest of a longer line is
    // skipped, not taken as a line of its own) until 100 waypoints are in.
    std::vector<Waypoint> loaded;
    std::string line;
    bool more = true;
    while (more && loaded.size() < static_cast<std::size_t>(kWaypointCapacity)) {
        line.clear();
        int c = 0;
        while ((c = in.get()) != std::char_traits<char>::eof() && c != '\n')
            if (line.size() < kWaypointLineChars) line.push_back(static_cast<char>(c));
        more = c != std::char_traits<char>::eof();
        if (auto w = parseWaypointLine(line)) loaded.push_back(std::move(*w));
    }
    table = WaypointTable{};
    marks.clear();
    for (const Waypoint& w : loaded) {
        table.entries[static_cast<std::size_t>(table.count++)] = w;
        marks.push_back(waypointMarkFor(w, track.trackOriginEasting, track.trackOriginNorthing));
    }
    return WaypointLoadResult::Loaded;
}

WaypointLoadResult LoadWaypointList(IFileDialogPort& dialogs, INotifier& notifier, const TrackState& track,
                                    WaypointTable& table, WaypointMarkerPath& marks) {
    const auto chosen = dialogs.openFile(kOpenTitle, kOpenFilter);
    if (!chosen || chosen->empty()) return WaypointLoadResult::Cancelled;
    return LoadWaypointFile(*chosen, notifier, track, table, marks);
}

}  // namespace hx
