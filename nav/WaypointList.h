// Waypoint list files ("*.wpt"): one waypoint a line,
//   12,BUOY A,4916.4500,N,12311.1200,W
//   number, name, latitude ddmm.mmmm, N/S, longitude dddmm.mmmm, E/W
// further fields ignored. Loading fills the 100-entry table and the marker
// path (a circle and the number per waypoint) in track-plot pixels relative
// to the track's reference position. Changed only by LoadWaypointList.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "nav/TrackPlotter.h"

namespace hx {

class IFileDialogPort;
class INotifier;

inline constexpr int kWaypointCapacity = 100;
inline constexpr std::size_t kWaypointLineChars = 511;

struct Waypoint {
    std::int32_t number = 0;
    std::string name;
    double latitudeDeg = 0.0;   // north positive
    double longitudeDeg = 0.0;  // east positive
};

struct WaypointTable {
    std::array<Waypoint, kWaypointCapacity> entries{};
    int count = 0;
};

// One waypoint's figures in the marker path, in plot offsets from the
// reference position (x east, y south, whole metres).
struct WaypointMark {
    int x = 0, y = 0;
    int circleLeft = 0, circleTop = 0, circleSize = 24;          // circle of diameter 24 centred on (x, y)
    int textLeft = 0, textTop = 0, textWidth = 30, textHeight = 30;  // number laid out in this box
    std::string text;                                             // "%d" of the number
};

inline constexpr const char* kWaypointFont = "Arial";
inline constexpr int kWaypointFontEmSize = 18;

using WaypointMarkerPath = std::vector<WaypointMark>;

// Parses one line: the number before the first comma, the name up to the
// second, the latitude up to the third; the hemisphere letter is the
// character after the third comma and the longitude starts two characters
// after that letter, its own letter following the comma that ends it.
// Numbers read leniently: a missing or empty field is 0, so a line with
// fewer fields still gives a waypoint. A blank line, or a position beyond
// +-90 degrees of latitude or +-180 of longitude, gives nullopt.
std::optional<Waypoint> parseWaypointLine(std::string_view line);

// Whether a chosen file name is a waypoint list: its last three characters,
// lower-cased, are "wpt".
bool isWaypointFileName(std::string_view fileName);

// Parses a whole file's text: at most 100 waypoints, each line read up to
// 511 characters, lines that give no waypoint skipped.
std::vector<Waypoint> parseWaypointText(std::string_view text);

// The mark of a waypoint: (east - reference east, reference north - north),
// each cut toward zero to whole metres and held within +-1e9 so that the
// figure corners stay inside int.
WaypointMark waypointMarkFor(const Waypoint& w, double referenceEastingM, double referenceNorthingM);

// "&Load Waypoint List" is enabled once the track has its reference.
inline bool loadWaypointListEnabled(const TrackState& track) { return hasTrackReference(track); }

enum class WaypointLoadResult { Loaded, Cancelled, WrongFileType, OpenFailed };

// The load command: open dialog, name check, read, table and marks. A
// second list replaces the first (table and marks). Messages go to notifier.
WaypointLoadResult LoadWaypointList(IFileDialogPort& dialogs, INotifier& notifier, const TrackState& track,
                                    WaypointTable& table, WaypointMarkerPath& marks);
// The same from a known file name, without the dialog.
WaypointLoadResult LoadWaypointFile(const std::string& fileName, INotifier& notifier, const TrackState& track,
                                    WaypointTable& table, WaypointMarkerPath& marks);

}  // namespace hx
