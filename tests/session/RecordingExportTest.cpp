// A recording made by the recorder's writer, exported in one pass and read
// back: XTF with our own reader (channels, every ping's samples, positions
// the NMEA parser gives, notes, UTC times), GPX against its schema, CSV
// events, and what a damaged, short or unwritable case gives.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "export/ByteSource.h"
#include "export/XtfReader.h"
#include "fakes/FakeNotifier.h"
#include "record/EventFile.h"
#include "record/RecordSamples.h"
#include "record/ReadWriteFiles.h"
#include "record/StdFileSystem.h"
#include "session/PlaybackTestRig.h"
#include "session/RecordingExport.h"

namespace hx {
namespace {

using pbtest::TempDir;

constexpr std::uint32_t kRecords = 12;
constexpr std::uint32_t kDamagedPing = 7;

// "$GPRMC,...*hh" at 13:mm:ss UTC on 7 Dec 2026 (the records are stamped
// 14:mm:ss local), moving north a little with every ping.
std::string rmcFor(std::uint32_t ping) {
    char body[128];
    std::snprintf(body, sizeof body, "GPRMC,13%02u%02u.00,A,5738.%04u,N,01139.2000,E,4.1,36.8,071226,,", ping / 60 % 60,
                  ping % 60, 1000 + ping * 10);
    unsigned checksum = 0;
    for (const char* c = body; *c; ++c) checksum ^= static_cast<unsigned char>(*c);
    char sentence[160];
    std::snprintf(sentence, sizeof sentence, "$%s*%02X", body, checksum);
    return sentence;
}

double latitudeFor(std::uint32_t ping) { return 57.0 + (38.0 + (1000 + ping * 10) / 10000.0) / 60.0; }

struct Recording {
    TempDir dir;
    std::string path = dir.file("survey.642");

    Recording() {
        pbtest::FileRecipe recipe;
        recipe.records = static_cast<int>(kRecords);
        recipe.systemInfo = true;
        recipe.perPing = [](rectest::SampleDocument& d, DataFileState& f, std::uint32_t ping) {
            d.sentences = {};
            d.sentences[0] = rmcFor(ping / 2 * 2);  // a GPS read every other ping
            f.pendingEventFlag = ping == 4;
            f.pendingEventNumber = 3;
        };
        const pbtest::WrittenFile written = pbtest::writeDataFile(path, recipe);
        // Ping 7's H block claims 2100 samples: damaged, never exported half.
        std::vector<std::uint8_t> bytes = pbtest::readBytes(path);
        const std::uint64_t block = written.offsets[kDamagedPing - 1] + kRecordHeaderBytes + 2 * kHeadBlockBytes;
        bytes[block + 6] = 0x34;
        bytes[block + 7] = 0x08;
        pbtest::writeBytes(path, bytes);

        EventList events;
        events.count = 2;
        events.entries[0] = {3, 4, 0.4, "57.38.1040 N\n", "011.39.2000 E\n", "07-DEC-2026\n", "14:00:04\n",
                             "wreck, \"port\" side\n"};
        events.entries[1] = {4, 10, 0.6, "57.38.1100 N\n", "011.39.2000 E\n", "07-DEC-2026\n", "14:00:10\n",
                             "boulder\n"};
        std::ofstream(dir.file("survey.an")) << formatEventFile(events);
    }
};

struct Collected : IXtfVisitor {
    XtfFileHeader header;
    std::vector<XtfPingHeader> pings;
    std::vector<std::vector<std::uint8_t>> firstChannel;  // L port
    std::vector<std::uint16_t> channelsPerPing;
    std::vector<std::string> notes;
    int serial = 0, attitude = 0;
    void onHeader(const XtfFileHeader& h) override { header = h; }
    void onPing(const XtfPingRecord& r) override {
        pings.push_back(r.header);
        channelsPerPing.push_back(static_cast<std::uint16_t>(r.channels.size()));
        const auto& c = r.channels.at(0);
        firstChannel.emplace_back(c.sampleBytes.begin(), c.sampleBytes.end());
    }
    void onNote(const XtfNoteRecord& n) override { notes.push_back(n.text); }
    void onSerial(const XtfSerialRecord&) override { ++serial; }
    void onAttitude(const XtfAttitudeRecord&) override { ++attitude; }
};

TEST(RecordingExport, XtfGpxAndCsvFromOneRecordingReadBackAsRecorded) {
    Recording rec;
    ExportRequest request;
    request.recordingPath = rec.path;
    request.xtfPath = rec.dir.file("survey.xtf");
    request.trackPath = rec.dir.file("track.gpx");
    request.eventsPath = rec.dir.file("events.csv");
    StdFileSystem fs;
    test::FakeNotifier notifier;
    const ExportReport report = ExportRecording(request, fs, notifier);
    ASSERT_TRUE(report.ok) << report.error;
    EXPECT_EQ(report.records, kRecords);
    EXPECT_EQ(report.damagedSkipped, 1u);
    EXPECT_EQ(report.pings, kRecords - 1);
    EXPECT_TRUE(report.zoneFromGps);

    FileSource source;
    ASSERT_TRUE(source.open(*request.xtfPath));
    Collected xtf;
    const XtfReadReport read = readXtf(source, xtf);
    EXPECT_TRUE(read.accountsForEveryByte());
    EXPECT_EQ(read.damageCount, 0u);
    ASSERT_EQ(xtf.header.sonarChannels, 6) << "L, M, H, each port and starboard";
    EXPECT_EQ(xtf.header.channels[0].name, "L PORT");
    EXPECT_EQ(xtf.header.channels[0].bytesPerSample, 1);
    ASSERT_EQ(xtf.pings.size(), kRecords - 1);

    rectest::SampleDocument sample;
    for (const XtfPingHeader& p : xtf.pings) {
        const std::uint32_t ping = p.pingNumber;
        SCOPED_TRACE(ping);
        EXPECT_NE(ping, kDamagedPing);
        const std::size_t i = static_cast<std::size_t>(&p - xtf.pings.data());
        sample.fillForPing(ping);
        const auto& line = sample.heads.headDisplayLine[kHeadL];
        EXPECT_EQ(xtf.firstChannel[i], std::vector<std::uint8_t>(line.begin() + 24, line.begin() + 1024));
        EXPECT_EQ(xtf.channelsPerPing[i], 6);
        // The parser's position of the GPS read the record carries.
        EXPECT_NEAR(p.shipY, latitudeFor(ping / 2 * 2), 1e-9);
        EXPECT_NEAR(p.shipX, 11.0 + 39.2 / 60.0, 1e-9);
        // UTC: the records' 14:mm:ss local is 13:mm:ss by the recording's GPS.
        EXPECT_EQ(p.time.hour, 13);
        EXPECT_EQ(p.time.second, ping % 60);
        EXPECT_EQ(p.time.hundredths, ping * 37 % 1000 / 10);
        EXPECT_EQ(p.eventNumber, ping == 4 ? 3u : 0u);
    }
    EXPECT_EQ(xtf.notes.size(), 2u);
    EXPECT_NE(xtf.notes[0].find("wreck"), std::string::npos);
    EXPECT_GE(xtf.serial, 5);
    EXPECT_EQ(xtf.attitude, static_cast<int>(kRecords - 1));

    // The events as CSV: a header row and one quoted row per event.
    std::ifstream csv(*request.eventsPath);
    std::string all((std::istreambuf_iterator<char>(csv)), std::istreambuf_iterator<char>());
    EXPECT_NE(all.find("\"wreck, \"\"port\"\" side\""), std::string::npos) << all;
    EXPECT_NE(all.find("2026-12-07T13:00:04"), std::string::npos) << all;

    // The track as GPX valid against the schema (when xmllint is there).
    if (std::system("command -v xmllint >/dev/null 2>&1") == 0) {
        const std::string xsd = std::string(HX642_SOURCE_DIR) + "/tests/export/data/gpx.xsd";
        const std::string check = "xmllint --nonet --noout --schema '" + xsd + "' '" + *request.trackPath + "' 2>&1";
        EXPECT_EQ(std::system(check.c_str()), 0) << check;
    }
}

TEST(RecordingExport, ShortFilesAndUnwritablePlacesGiveAClearAnswerAndLeaveNothing) {
    Recording rec;
    StdFileSystem fs;
    test::FakeNotifier notifier;
    struct Case {
        const char* what;
        std::function<void(ExportRequest&)> set;
        bool ok;
        const char* errorPart;
    };
    const std::string folder = rec.dir.file("out");
    std::filesystem::create_directories(folder);
    const Case cases[] = {
        {"one record", [&](ExportRequest& r) { r.lastPing = 1; }, true, ""},
        {"no such folder", [&](ExportRequest& r) { r.xtfPath = rec.dir.file("missing/x.xtf"); }, false, "x.xtf"},
        {"a folder in the way", [&](ExportRequest& r) { r.xtfPath = folder; }, false, "out"},
        {"unknown track format", [&](ExportRequest& r) { r.trackPath = folder + "/t.shp"; }, false, ".gpx, .kml or .csv"},
        {"pings outside the file", [&](ExportRequest& r) { r.firstPing = 500; }, false, "no ping"},
        {"empty recording",
         [&](ExportRequest& r) {
             std::ofstream(rec.dir.file("empty.642"));
             r.recordingPath = rec.dir.file("empty.642");
         },
         false, "empty.642"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ExportRequest r;
        r.recordingPath = rec.path;
        r.xtfPath = folder + "/x.xtf";
        c.set(r);
        const ExportReport report = ExportRecording(r, fs, notifier);
        EXPECT_EQ(report.ok, c.ok) << report.error;
        EXPECT_NE(report.error.find(c.errorPart), std::string::npos) << report.error;
        if (c.ok) {
            EXPECT_EQ(report.pings, 1u);
            std::filesystem::remove(folder + "/x.xtf");
        }
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            EXPECT_TRUE(entry.is_directory()) << "left behind: " << entry.path();
    }
}

}  // namespace
}  // namespace hx
