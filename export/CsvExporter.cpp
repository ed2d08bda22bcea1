// CSV as RFC 4180 has it: a header row, CRLF line ends, fields quoted only
// when they must be. Times are ISO 8601 UTC, positions decimal degrees. A
// track file holds the points; an events file the event marks, with an
// empty position where the event has none.
#include <cmath>

#include "export/TextEncoding.h"
#include "export/TrackExporterBase.h"

namespace hx {

namespace {

class CsvExporter final : public TrackExporterBase {
public:
    using TrackExporterBase::TrackExporterBase;

    bool begin(const TrackExportInfo&, std::span<const EventMark> events) override {
        if (content_ == TrackContent::Track)
            return put("time_utc,latitude_deg,longitude_deg,speed_knots,course_deg\r\n");
        std::string s = "event,ping,time_utc,latitude_deg,longitude_deg,annotation\r\n";
        for (const EventMark& e : events) {
            double lat = 0.0, lon = 0.0;
            const bool placed = e.position && usablePosition(*e.position, lat, lon);
            s += std::to_string(e.number) + "," + std::to_string(e.ping) + ",";
            s += (isValidTime(e.time) ? iso8601(e.time) : std::string{}) + ",";
            s += placed ? fixedText(lat, 7) + "," + fixedText(lon, 7) + "," : std::string(",,");
            s += csvField(e.annotation) + "\r\n";
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
        std::string s = isValidTime(p.time) ? iso8601(p.time) : std::string{};
        s += "," + fixedText(lat, 7) + "," + fixedText(lon, 7) + ",";
        if (p.speedKnots && std::isfinite(*p.speedKnots)) s += fixedText(*p.speedKnots, 2);
        s += ",";
        s += courseText(p.courseDeg);
        s += "\r\n";
        ++counts_.points;
        return put(s);
    }

    bool finish() override { return !failed(); }
};

}  // namespace

std::unique_ptr<ITrackExporter> makeCsvExporter(IByteSink& sink, TrackContent content) {
    return std::make_unique<CsvExporter>(sink, content);
}

}  // namespace hx
