// Track and event files: GPX checked against the GPX 1.1 schema and KML
// parsed as XML with xmllint (never fetching anything), CSV quoting, and
// the Latin-1 to UTF-8 and XML escaping of the operator's annotations.
#include <gtest/gtest.h>

#include "ExportTestFolder.h"
#include "export/AtomicOutputFile.h"
#include "export/TextEncoding.h"
#include "export/TrackExport.h"

namespace hx {
namespace {

using namespace exporttest;

const std::string kSchema = std::string(HX642_SOURCE_DIR) + "/tests/export/data/gpx.xsd";
// Ampersand, markup, both quotes, a carriage return, a control character,
// and Latin-1 letters (e acute, u umlaut, the degree sign).
const std::string kNasty = "Wreck & <anchor> \"bow\" 'A'\r\x01 \xE9\xFC 12\xB0";
const std::string kNastyUtf8 = "Wreck & <anchor> \"bow\" 'A'\r  \xC3\xA9\xC3\xBC 12\xC2\xB0";

std::vector<EventMark> events() {
    return {
        {0, 101, {2026, 12, 7, 14, 5, 9, 0}, GeoPosition{48.1173, 11.516667}, "n/a"},
        {1, 250, {2026, 12, 7, 14, 5, 24, 500}, GeoPosition{-33.5, 180.0}, kNasty},
        {2, 260, {2026, 12, 7, 14, 5, 26, 0}, std::nullopt, "no fix yet"},
    };
}

std::vector<TrackPoint> points() {
    std::vector<TrackPoint> p;
    for (int i = 0; i < 5; ++i)
        p.push_back({{2026, 12, 7, 14, 5, i, i * 100}, {48.1173 + i * 1e-5, 11.516667 - i * 1e-5}, 4.2, 359.99, false});
    p[2].courseDeg = -10.0;
    p[3].startsSegment = true;
    p[4].speedKnots.reset();
    p[4].courseDeg.reset();
    p.push_back({{2026, 12, 7, 14, 5, 9, 0}, {91.0, 0.0}, std::nullopt, std::nullopt, false});  // out of range
    p.push_back({{2026, 13, 7, 14, 5, 9, 0}, {48.2, 11.6}, std::nullopt, std::nullopt, false});  // no time
    return p;
}

// Exports to a real file through AtomicOutputFile, as the program does.
TrackExportCounts exportTo(const std::string& path, TrackFormat format, TrackContent content) {
    AtomicOutputFile out;
    EXPECT_TRUE(out.open(path)) << out.error();
    auto ex = makeTrackExporter(format, out, content);
    const auto ev = events();
    EXPECT_TRUE(ex->begin({"Survey \xE9t\xE9 1", "Line 4 & 5"}, ev));
    for (const TrackPoint& p : points()) EXPECT_TRUE(ex->addPoint(p));
    EXPECT_TRUE(ex->finish());
    EXPECT_TRUE(out.commit()) << out.error();
    return ex->counts();
}

std::string xpath(const std::string& file, const std::string& expr) {
    std::string out;
    run("xmllint --nonet --xpath \"" + expr + "\" " + file, out);
    if (!out.empty() && out.back() == '\n') out.pop_back();  // xmllint ends its answer with a newline
    return out;
}

TEST(TrackExport, GpxTrackAndWaypointsPassTheSchema) {
    TestFolder dir;
    const std::string file = dir.file("track.gpx");
    const auto counts = exportTo(file, TrackFormat::Gpx, TrackContent::Track);
    EXPECT_EQ(counts.points, 6u);
    EXPECT_EQ(counts.skippedPoints, 1u);
    EXPECT_EQ(counts.events, 2u);
    EXPECT_EQ(counts.skippedEvents, 1u);

    std::string out;
    EXPECT_EQ(run("xmllint --nonet --noout --schema " + kSchema + " " + file, out), 0) << out << readText(file);
    EXPECT_EQ(xpath(file, "count(//*[local-name()='trkpt'])"), "6");
    EXPECT_EQ(xpath(file, "count(//*[local-name()='trkseg'])"), "2");
    EXPECT_EQ(xpath(file, "count(//*[local-name()='wpt'])"), "2");
    EXPECT_EQ(xpath(file, "string(//*[local-name()='wpt'][2]/*[local-name()='desc'])"), kNastyUtf8);
    EXPECT_EQ(xpath(file, "string(//*[local-name()='wpt'][2]/@lon)"), "-180.0000000");
    EXPECT_EQ(xpath(file, "string(//*[local-name()='wpt'][2]/*[local-name()='time'])"), "2026-12-07T14:05:24.500Z");
    EXPECT_EQ(xpath(file, "string(//*[local-name()='metadata']/*[local-name()='name'])"),
              "Survey \xC3\xA9t\xC3\xA9 1");
    EXPECT_EQ(xpath(file, "string(//*[local-name()='trkpt'][1]/@lat)"), "48.1173000");
    EXPECT_EQ(xpath(file, "string(//*[local-name()='trkpt'][1]//*[local-name()='speed'])"), "2.161");  // m/s
    EXPECT_EQ(xpath(file, "string(//*[local-name()='trkpt'][3]//*[local-name()='course'])"), "350.0");
    EXPECT_EQ(xpath(file, "count(//*[local-name()='trkpt'][not(*[local-name()='time'])])"), "1");
}

TEST(TrackExport, GpxOfEventsOnlyAndOfNothingPassTheSchema) {
    TestFolder dir;
    const auto counts = exportTo(dir.file("events.gpx"), TrackFormat::Gpx, TrackContent::Events);
    EXPECT_EQ(counts.points, 0u);
    EXPECT_EQ(counts.events, 2u);
    std::string out;
    EXPECT_EQ(run("xmllint --nonet --noout --schema " + kSchema + " " + dir.file("events.gpx"), out), 0) << out;
    EXPECT_EQ(xpath(dir.file("events.gpx"), "count(//*[local-name()='trk'])"), "0");

    AtomicOutputFile empty;
    ASSERT_TRUE(empty.open(dir.file("empty.gpx")));
    auto ex = makeGpxExporter(empty, TrackContent::Track);
    ASSERT_TRUE(ex->begin({}, {}));
    ASSERT_TRUE(ex->finish());
    ASSERT_TRUE(empty.commit());
    EXPECT_EQ(run("xmllint --nonet --noout --schema " + kSchema + " " + dir.file("empty.gpx"), out), 0) << out;
}

TEST(TrackExport, KmlParsesWithTheKmlNamespace) {
    TestFolder dir;
    const std::string file = dir.file("track.kml");
    const auto counts = exportTo(file, TrackFormat::Kml, TrackContent::Track);
    EXPECT_EQ(counts.points, 6u);
    EXPECT_EQ(counts.events, 2u);
    std::string out;
    EXPECT_EQ(run("xmllint --nonet --noout " + file, out), 0) << out;
    EXPECT_EQ(xpath(file, "namespace-uri(/*)"), "http://www.opengis.net/kml/2.2");
    EXPECT_EQ(xpath(file, "count(//*[local-name()='Placemark'])"), "3");
    EXPECT_EQ(xpath(file, "count(//*[local-name()='LineString'])"), "2");
    EXPECT_EQ(xpath(file, "string(//*[local-name()='Placemark'][2]/*[local-name()='description'])"), kNastyUtf8);
    EXPECT_EQ(xpath(file, "normalize-space(//*[local-name()='Placemark'][1]//*[local-name()='coordinates'])"),
              "11.5166670,48.1173000");
    EXPECT_EQ(xpath(file, "normalize-space(//*[local-name()='LineString'][2]/*[local-name()='coordinates'])"),
              "11.5166370,48.1173300 11.5166270,48.1173400 11.6000000,48.2000000");
}

TEST(TrackExport, CsvTrackRows) {
    TestFolder dir;
    exportTo(dir.file("track.csv"), TrackFormat::Csv, TrackContent::Track);
    EXPECT_EQ(readText(dir.file("track.csv")),
              "time_utc,latitude_deg,longitude_deg,speed_knots,course_deg\r\n"
              "2026-12-07T14:05:00.000Z,48.1173000,11.5166670,4.20,0.0\r\n"
              "2026-12-07T14:05:01.100Z,48.1173100,11.5166570,4.20,0.0\r\n"
              "2026-12-07T14:05:02.200Z,48.1173200,11.5166470,4.20,350.0\r\n"
              "2026-12-07T14:05:03.300Z,48.1173300,11.5166370,4.20,0.0\r\n"
              "2026-12-07T14:05:04.400Z,48.1173400,11.5166270,,\r\n"
              ",48.2000000,11.6000000,,\r\n");
}

TEST(TrackExport, CsvEventRowsQuoteAnnotationsAsRfc4180) {
    TestFolder dir;
    exportTo(dir.file("events.csv"), TrackFormat::Csv, TrackContent::Events);
    EXPECT_EQ(readText(dir.file("events.csv")),
              "event,ping,time_utc,latitude_deg,longitude_deg,annotation\r\n"
              "0,101,2026-12-07T14:05:09.000Z,48.1173000,11.5166670,n/a\r\n"
              "1,250,2026-12-07T14:05:24.500Z,-33.5000000,-180.0000000,"
              "\"Wreck & <anchor> \"\"bow\"\" 'A'\r\x01 \xC3\xA9\xC3\xBC 12\xC2\xB0\"\r\n"
              "2,260,2026-12-07T14:05:26.000Z,,,no fix yet\r\n");
}

TEST(TrackExport, CsvFieldQuoting) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"plain", "plain"},
        {"", ""},
        {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"two\nlines", "\"two\nlines\""},
        {"cr\rhere", "\"cr\rhere\""},
        {"\"", "\"\"\"\""},
        {"caf\xE9", "caf\xC3\xA9"},
        {" spaced ", " spaced "},
    };
    for (const auto& [in, expected] : cases) EXPECT_EQ(csvField(in), expected) << in;
}

TEST(TrackExport, XmlEscapingAndLatin1) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"a&b", "a&amp;b"},
        {"<tag>", "&lt;tag&gt;"},
        {"\"'", "&quot;&apos;"},
        {"line\r\nnext\tx", "line&#13;\nnext\tx"},
        {"bell\x07", "bell "},
        {"\xE9\xFF\xA0", "\xC3\xA9\xC3\xBF\xC2\xA0"},
        {"\x80", "\xC2\x80"},
    };
    for (const auto& [in, expected] : cases) EXPECT_EQ(xmlText(in), expected) << in;
    EXPECT_EQ(latin1ToUtf8("Gr\xFC\xDF"), "Gr\xC3\xBC\xC3\x9F");
}

TEST(TrackExport, FormatFromFileName) {
    EXPECT_EQ(trackFormatForPath("/tmp/a.gpx"), TrackFormat::Gpx);
    EXPECT_EQ(trackFormatForPath("A.KML"), TrackFormat::Kml);
    EXPECT_EQ(trackFormatForPath("dir.v2/t.Csv"), TrackFormat::Csv);
    EXPECT_EQ(trackFormatForPath("track.txt"), std::nullopt);
    EXPECT_EQ(trackFormatForPath("gpx"), std::nullopt);
}

TEST(TrackExport, AFailingSinkStopsTheExporter) {
    class FailingSink final : public IByteSink {
    public:
        bool write(std::span<const std::uint8_t>) override { return false; }
        const std::string& error() const override { return error_; }
        std::string error_ = "Writing x.kml failed: No space left on device";
    } sink;
    for (TrackFormat f : {TrackFormat::Gpx, TrackFormat::Kml, TrackFormat::Csv}) {
        auto ex = makeTrackExporter(f, sink, TrackContent::Track);
        EXPECT_FALSE(ex->begin({"x", ""}, events()));
        EXPECT_FALSE(ex->addPoint(points()[0]));
        EXPECT_FALSE(ex->finish());
        EXPECT_EQ(ex->error(), sink.error_);
    }
}

}  // namespace
}  // namespace hx
