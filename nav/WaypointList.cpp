#include "nav/WaypointList.h"

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

std::vector<std::string_view> splitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (true) {
        const auto comma = line.find(',', start);
        if (comma == std::string_view::npos) {
            fields.push_back(line.substr(start));
            return fields;
        }
        fields.push_back(line.substr(start, comma - start));
        start = comma + 1;
    }
}

// "4916.4500" with two degree digits, "12311.1200" with three: the digits
// after them are decimal minutes.
double degreesMinutes(std::string_view field, std::size_t degreeDigits) {
    const std::string_view degrees = field.substr(0, std::min(degreeDigits, field.size()));
    const std::string_view minutes = field.size() > degreeDigits ? field.substr(degreeDigits) : std::string_view{};
    return nmea::toInt(degrees) + nmea::toDouble(minutes) / 60.0;
}

}  // namespace

std::optional<Waypoint> parseWaypointLine(std::string_view line) {
    if (line.size() > kWaypointLineChars) line = line.substr(0, kWaypointLineChars);
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
    const auto fields = splitFields(line);
    if (fields.size() < 6) return std::nullopt;
    Waypoint w;
    w.number = nmea::toInt(fields[0]);
    w.name = std::string(fields[1]);
    w.latitudeDeg = degreesMinutes(fields[2], 2);
    const char ns = fields[3].empty() ? '\0' : fields[3][0];
    if (ns == 'S' || ns == 's') w.latitudeDeg = -w.latitudeDeg;
    w.longitudeDeg = degreesMinutes(fields[4], 3);
    const char ew = fields[5].empty() ? '\0' : fields[5][0];
    if (ew == 'W' || ew == 'w') w.longitudeDeg = -w.longitudeDeg;
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
    m.x = static_cast<int>(std::trunc(p.eastingM - referenceEastingM));
    m.y = static_cast<int>(std::trunc(referenceNorthingM - p.northingM));
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
