// The track and the event marks of a recording as GPX 1.1, KML 2.2 or CSV.
// Streaming: begin() takes the file's name and its events, addPoint() one
// track point at a time, finish() closes the document. Events go first
// because GPX wants its waypoints before its tracks. Texts come in as 8-bit
// Latin-1 and leave as UTF-8; times must be UTC.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "export/ByteSink.h"
#include "export/GeoPosition.h"
#include "export/UtcTime.h"

namespace hx {

struct TrackPoint {
    UtcTime time;                      // an invalid time is left out of GPX and CSV
    GeoPosition position;
    std::optional<double> speedKnots;  // over ground
    std::optional<double> courseDeg;   // over ground, true
    bool startsSegment = false;        // the track broke off before this point
};

struct EventMark {
    int number = 0;
    std::uint32_t ping = 0;
    UtcTime time;
    std::optional<GeoPosition> position;
    std::string annotation;  // Latin-1, without the event file's trailing newline
};

struct TrackExportInfo {
    std::string name;         // Latin-1, e.g. the recording's file name
    std::string description;  // Latin-1, may be empty
};

enum class TrackFormat : std::uint8_t { Gpx, Kml, Csv };

// Track: the track's points (GPX and KML add a waypoint or placemark per
// event given). Events: the event marks only; points are ignored.
enum class TrackContent : std::uint8_t { Track, Events };

struct TrackExportCounts {
    std::uint64_t points = 0;
    std::uint64_t skippedPoints = 0;  // position out of range or not a number
    std::uint64_t events = 0;
    std::uint64_t skippedEvents = 0;  // no usable position, where the format needs one
};

class ITrackExporter {
public:
    virtual ~ITrackExporter() = default;
    // Each returns false once the sink failed; error() then says why.
    virtual bool begin(const TrackExportInfo& info, std::span<const EventMark> events) = 0;
    virtual bool addPoint(const TrackPoint& point) = 0;
    virtual bool finish() = 0;
    virtual const TrackExportCounts& counts() const = 0;
    virtual const std::string& error() const = 0;
};

std::unique_ptr<ITrackExporter> makeGpxExporter(IByteSink& sink, TrackContent content);
std::unique_ptr<ITrackExporter> makeKmlExporter(IByteSink& sink, TrackContent content);
std::unique_ptr<ITrackExporter> makeCsvExporter(IByteSink& sink, TrackContent content);
std::unique_ptr<ITrackExporter> makeTrackExporter(TrackFormat format, IByteSink& sink, TrackContent content);

// The format a file name asks for by its extension (.gpx, .kml, .csv, in
// any case), or nullopt.
std::optional<TrackFormat> trackFormatForPath(const std::string& path);

}  // namespace hx
