#include "session/RecordingExport.h"

#include <map>
#include <memory>
#include <vector>

#include "export/AtomicOutputFile.h"
#include "export/TrackExport.h"
#include "export/XtfWriter.h"
#include "record/EventFile.h"
#include "session/RecordingClock.h"
#include "session/RecordingReader.h"
#include "session/XtfFromRecord.h"

namespace hx {

namespace {

std::string fileNameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string withoutTrailingNewline(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
}

// The events of the recording's event file, by ping.
std::multimap<std::uint32_t, EventEntry> loadEvents(const std::string& path, IFileSystem& fs, INotifier& notifier) {
    std::multimap<std::uint32_t, EventEntry> byPing;
    auto file = fs.open(eventFilePathFor(path), OpenMode::Read);
    if (!file) return byPing;
    EventList list;
    loadEventFile(*file, list, notifier);
    for (int i = 0; i < list.count && i < kMaxEvents; ++i) {
        const EventEntry& e = list.entries[static_cast<std::size_t>(i)];
        if (e.ping >= 0) byPing.emplace(static_cast<std::uint32_t>(e.ping), e);
    }
    return byPing;
}

// One output file, opened before the pass so that a folder that cannot be
// written fails at once.
struct Output {
    AtomicOutputFile file;
    bool wanted = false;
    bool open(const std::optional<std::string>& path, std::string& error) {
        if (!path) return true;
        wanted = true;
        if (file.open(*path)) return true;
        error = *path + ": " + file.error();
        return false;
    }
};

bool writeTrackFile(Output& out, const std::string& path, TrackContent content, const TrackExportInfo& info,
                    const std::vector<EventMark>& events, const std::vector<TrackPoint>& points,
                    std::string& error) {
    const auto format = trackFormatForPath(path);
    if (!format) {
        error = path + ": the name must end in .gpx, .kml or .csv";
        return false;
    }
    auto exporter = makeTrackExporter(*format, out.file, content);
    bool ok = exporter->begin(info, events);
    if (content == TrackContent::Track)
        for (std::size_t i = 0; ok && i < points.size(); ++i) ok = exporter->addPoint(points[i]);
    ok = ok && exporter->finish();
    if (!ok) error = exporter->error();
    return ok;
}

}  // namespace

ExportReport ExportRecording(const ExportRequest& request, IFileSystem& fs, INotifier& notifier,
                             const ExportProgress& progress) {
    ExportReport report;
    if (request.trackPath && !trackFormatForPath(*request.trackPath)) {
        report.error = *request.trackPath + ": the name must end in .gpx, .kml or .csv";
        return report;
    }
    if (request.eventsPath && !trackFormatForPath(*request.eventsPath)) {
        report.error = *request.eventsPath + ": the name must end in .gpx, .kml or .csv";
        return report;
    }

    RecordingReader reader(fs, notifier);
    if (!reader.open(request.recordingPath)) {
        report.error = request.recordingPath + " cannot be read as a recording";
        return report;
    }
    const RecordingClock clock = findRecordingClock(request.recordingPath, fs, notifier);
    report.zoneFromGps = clock.fromGps;
    const auto eventsByPing = loadEvents(request.recordingPath, fs, notifier);

    Output xtf, track, events;
    if (!xtf.open(request.xtfPath, report.error) || !track.open(request.trackPath, report.error) ||
        !events.open(request.eventsPath, report.error))
        return report;

    XtfWriter writer(xtf.file);
    SideScanPresence fileHeads{};
    bool xtfStarted = false;
    std::vector<TrackPoint> points;
    std::vector<EventMark> marks;
    std::optional<std::uint32_t> lastPing;
    const std::uint64_t total = reader.usableLength();
    RecordingDocument& doc = reader.doc();

    while (reader.readNext()) {
        if (request.cancelRequested && request.cancelRequested()) {
            report.cancelled = true;
            report.error = "the export was cancelled";
            return report;  // the outputs' temporary files go with them
        }
        ++report.records;
        if (progress) progress(reader.position(), total);
        if (reader.lastRead().damaged()) continue;  // never written half
        const std::uint32_t ping = doc.dataFile.pingNumber;
        const bool inRange = (!request.firstPing || ping >= *request.firstPing) &&
                             (!request.lastPing || ping <= *request.lastPing);
        const PingOutcome outcome = reader.process();
        if (!inRange) {
            ++report.outOfRange;
            continue;
        }
        const UtcTime time = toUtc(doc.cycle.pingClock, clock);
        // A gap in the pings breaks the track line.
        const bool gap = lastPing && ping != *lastPing + 1;
        lastPing = ping;

        if (outcome.gpsReplayed && doc.gps.positionPublished) {
            TrackPoint p;
            p.time = time;
            p.position = {doc.gps.fix.gpsLatitude, doc.gps.fix.gpsLongitude};
            if (doc.gps.fix.speedText != kNotAvailableText) p.speedKnots = doc.gps.fix.gpsSpeed;
            if (doc.gps.fix.courseText != kNotAvailableText) p.courseDeg = doc.gps.fix.gpsCourse;
            p.startsSegment = points.empty() || gap;
            points.push_back(p);
        }
        const auto [from, to] = eventsByPing.equal_range(ping);
        for (auto it = from; it != to; ++it) {
            EventMark m;
            m.number = it->second.number;
            m.ping = ping;
            m.time = time;
            if (doc.gps.fix.latText != kNotAvailableText) m.position = GeoPosition{doc.gps.fix.gpsLatitude, doc.gps.fix.gpsLongitude};
            m.annotation = withoutTrailingNewline(it->second.annotation);
            marks.push_back(m);
        }

        if (!outcome.accepted) {
            ++report.rejected;
            continue;
        }
        if (!xtf.wanted) continue;
        if (!xtfStarted) {
            const XtfFileInfo info = xtfFileInfoFor(doc, fileNameOf(request.recordingPath), request.programVersion);
            if (writer.begin(info) != XtfWriteStatus::Written) {
                report.error = "XTF: " + writer.lastError();
                return report;
            }
            fileHeads = sideScanHeadsOf(doc.heads);
            xtfStarted = true;
        }
        XtfWriteStatus status = XtfWriteStatus::Written;
        if (outcome.gpsReplayed)
            for (const std::string& sentence : doc.gps.gpsSentences)
                if (!sentence.empty() && status != XtfWriteStatus::Failed)
                    status = writer.writeSerial({time, 0, sentence});
        if (const auto attitude = xtfAttitudeFor(doc, time); attitude && status != XtfWriteStatus::Failed)
            status = writer.writeAttitude(*attitude);
        if (status != XtfWriteStatus::Failed) status = writer.writePing(xtfPingFor(doc, fileHeads, time));
        for (auto it = from; it != to && status != XtfWriteStatus::Failed; ++it)
            status = writer.writeNote({time, xtfEventNoteText(it->second.number, ping,
                                                              withoutTrailingNewline(it->second.annotation))});
        if (status == XtfWriteStatus::Failed) {
            report.error = "XTF: " + writer.lastError();
            return report;
        }
    }
    report.damagedSkipped = static_cast<std::uint64_t>(reader.counts().damaged);

    if (xtf.wanted) {
        if (!xtfStarted) {
            report.error = request.recordingPath + " holds no ping to export";
            return report;
        }
        report.pings = writer.counts().pings;
        report.serialPackets = writer.counts().serial;
        report.attitudePackets = writer.counts().attitude;
        report.notes = writer.counts().notes;
        report.damagedSkipped += writer.counts().rejected;
        if (!xtf.file.commit()) {
            report.error = xtf.file.error();
            return report;
        }
    }
    const TrackExportInfo info{fileNameOf(request.recordingPath), "HX642 recording"};
    if (track.wanted) {
        if (!writeTrackFile(track, *request.trackPath, TrackContent::Track, info, marks, points, report.error) ||
            !track.file.commit()) {
            if (report.error.empty()) report.error = track.file.error();
            return report;
        }
    }
    if (events.wanted) {
        if (!writeTrackFile(events, *request.eventsPath, TrackContent::Events, info, marks, points, report.error) ||
            !events.file.commit()) {
            if (report.error.empty()) report.error = events.file.error();
            return report;
        }
    }
    report.trackPoints = points.size();
    report.events = marks.size();
    report.ok = true;
    return report;
}

}  // namespace hx
