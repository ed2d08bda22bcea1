// KML 2.2: a document with a folder of event placemarks (a point each, with
// the time and the ping) and a track placemark whose line strings follow
// the points, one line string per unbroken stretch.
#include "export/TextEncoding.h"
#include "export/TrackExporterBase.h"

namespace hx {

namespace {

std::string coordinates(double lat, double lon) { return fixedText(lon, 7) + "," + fixedText(lat, 7); }

class KmlExporter final : public TrackExporterBase {
public:
    using TrackExporterBase::TrackExporterBase;

    bool begin(const TrackExportInfo& info, std::span<const EventMark> events) override {
        name_ = info.name;
        std::string s =
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n"
            "<Document>\n";
        if (!info.name.empty()) s += "  <name>" + xmlText(info.name) + "</name>\n";
        if (!info.description.empty()) s += "  <description>" + xmlText(info.description) + "</description>\n";
        s += "  <Style id=\"track\"><LineStyle><color>ff00a5ff</color><width>2</width></LineStyle></Style>\n";
        if (!events.empty()) s += "  <Folder>\n    <name>Events</name>\n";
        for (const EventMark& e : events) {
            double lat = 0.0, lon = 0.0;
            if (!e.position || !usablePosition(*e.position, lat, lon)) {
                ++counts_.skippedEvents;
                continue;
            }
            s += "    <Placemark>\n";
            s += "      <name>Event " + std::to_string(e.number) + "</name>\n";
            s += "      <description>" + xmlText(e.annotation) + "</description>\n";
            if (isValidTime(e.time)) s += "      <TimeStamp><when>" + iso8601(e.time) + "</when></TimeStamp>\n";
            s += "      <ExtendedData><Data name=\"ping\"><value>" + std::to_string(e.ping) +
                 "</value></Data></ExtendedData>\n";
            s += "      <Point><coordinates>" + coordinates(lat, lon) + "</coordinates></Point>\n";
            s += "    </Placemark>\n";
            ++counts_.events;
        }
        if (!events.empty()) s += "  </Folder>\n";
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
            s += "  <Placemark>\n";
            s += "    <name>" + (name_.empty() ? std::string("Track") : xmlText(name_)) + "</name>\n";
            s += "    <styleUrl>#track</styleUrl>\n    <MultiGeometry>\n";
            s += "      <LineString><tessellate>1</tessellate><coordinates>\n";
            inTrack_ = true;
        } else if (p.startsSegment) {
            s += "      </coordinates></LineString>\n";
            s += "      <LineString><tessellate>1</tessellate><coordinates>\n";
        }
        s += "        " + coordinates(lat, lon) + "\n";
        ++counts_.points;
        return put(s);
    }

    bool finish() override {
        std::string s;
        if (inTrack_) s += "      </coordinates></LineString>\n    </MultiGeometry>\n  </Placemark>\n";
        s += "</Document>\n</kml>\n";
        return put(s);
    }

private:
    std::string name_;
    bool inTrack_ = false;
};

}  // namespace

std::unique_ptr<ITrackExporter> makeKmlExporter(IByteSink& sink, TrackContent content) {
    return std::make_unique<KmlExporter>(sink, content);
}

}  // namespace hx
