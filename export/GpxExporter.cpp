// GPX 1.1: metadata, one waypoint per event, then one track whose segments
// hold the timestamped points. GPX 1.1 has no speed or course of its own;
// they go into the widely read Garmin track point extension (v2), in m/s
// and degrees true.
#include <cmath>
#include <cstdio>

#include "export/TextEncoding.h"
#include "export/TrackExporterBase.h"

namespace hx {

namespace {

constexpr double kMetresPerSecondPerKnot = 1852.0 / 3600.0;

class GpxExporter final : public TrackExporterBase {
public:
    using TrackExporterBase::TrackExporterBase;

    bool begin(const TrackExportInfo& info, std::span<const EventMark> events) override {
        name_ = info.name;
        std::string s =
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<gpx version=\"1.1\" creator=\"HX642\" xmlns=\"http://www.topografix.com/GPX/1/1\"\n"
            "     xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"\n"
            "     xmlns:gpxtpx=\"http://www.garmin.com/xmlschemas/TrackPointExtension/v2\"\n"
            "     xsi:schemaLocation=\"http://www.topografix.com/GPX/1/1 http://www.topografix.com/GPX/1/1/gpx.xsd\">\n"
            "  <metadata>\n";
        if (!info.name.empty()) s += "    <name>" + xmlText(info.name) + "</name>\n";
        if (!info.description.empty()) s += "    <desc>" + xmlText(info.description) + "</desc>\n";
        s += "  </metadata>\n";
        for (const EventMark& e : events) {
            double lat = 0.0, lon = 0.0;
            if (!e.position || !usablePosition(*e.position, lat, lon)) {
                ++counts_.skippedEvents;
                continue;
            }
            s += "  <wpt lat=\"" + fixedText(lat, 7) + "\" lon=\"" + fixedText(lon, 7) + "\">\n";
            if (isValidTime(e.time)) s += "    <time>" + iso8601(e.time) + "</time>\n";
            s += "    <name>Event " + std::to_string(e.number) + "</name>\n";
            s += "    <cmt>Ping " + std::to_string(e.ping) + "</cmt>\n";
            s += "    <desc>" + xmlText(e.annotation) + "</desc>\n";
            s += "    <type>Event</type>\n";
            s += "  </wpt>\n";
            ++counts_.events;
        }
        return put(s);
    }

    bool addPoint(const TrackPoint& p) override {
        if (failed()) return false;
        if (content_ != TrackContent::Track) return true;
        double lat = 0.0, lon = 0.0;
        if (!usablePosition(p.position, lat, lon)) {
            ++counts_.skippedPoints;
            return true;
        }
        std::string s;
        if (!inTrack_) {
            s += "  <trk>\n";
            if (!name_.empty()) s += "    <name>" + xmlText(name_) + "</name>\n";
            s += "    <trkseg>\n";
            inTrack_ = true;
        } else if (p.startsSegment) {
            s += "    </trkseg>\n    <trkseg>\n";
        }
        s += "      <trkpt lat=\"" + fixedText(lat, 7) + "\" lon=\"" + fixedText(lon, 7) + "\">";
        if (isValidTime(p.time)) s += "<time>" + iso8601(p.time) + "</time>";
        const bool speed = p.speedKnots && std::isfinite(*p.speedKnots) && *p.speedKnots >= 0.0;
        const std::string course = courseText(p.courseDeg);
        if (speed || !course.empty()) {
            s += "<extensions><gpxtpx:TrackPointExtension>";
            if (speed) s += "<gpxtpx:speed>" + fixedText(*p.speedKnots * kMetresPerSecondPerKnot, 3) + "</gpxtpx:speed>";
            if (!course.empty()) s += "<gpxtpx:course>" + course + "</gpxtpx:course>";
            s += "</gpxtpx:TrackPointExtension></extensions>";
        }
        s += "</trkpt>\n";
        ++counts_.points;
        return put(s);
    }

    bool finish() override {
        std::string s;
        if (inTrack_) s += "    </trkseg>\n  </trk>\n";
        s += "</gpx>\n";
        return put(s);
    }

private:
    std::string name_;
    bool inTrack_ = false;
};

}  // namespace

std::unique_ptr<ITrackExporter> makeGpxExporter(IByteSink& sink, TrackContent content) {
    return std::make_unique<GpxExporter>(sink, content);
}

}  // namespace hx
