// hx642-cli export: a recording as XTF for processing software and its track
// and events as GPX, KML or CSV for a GIS, in one pass.
#include <QStringList>

#include <cstdio>
#include <optional>

#include "platform/ConsoleNotifier.h"
#include "record/StdFileSystem.h"
#include "session/RecordingExport.h"
#include "tools/cli/Progress.h"

namespace hx::cli {

namespace {

constexpr const char* kUsage =
    "usage: hx642-cli export FILE.642 [--xtf OUT.xtf] [--track OUT.gpx|.kml|.csv] [--events OUT.gpx|.kml|.csv]\n"
    "                        [--first-ping N] [--last-ping M]\n";

std::optional<std::uint32_t> pingNumber(const QString& text) {
    bool ok = false;
    const qulonglong n = text.toULongLong(&ok);
    if (!ok || n > 0xFFFFFFFFull) return std::nullopt;
    return static_cast<std::uint32_t>(n);
}

bool parse(const QStringList& args, ExportRequest& r, QString& error) {
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (!a.startsWith(QLatin1String("--"))) {
            if (!r.recordingPath.empty()) {
                error = QStringLiteral("only one recording can be exported at a time");
                return false;
            }
            r.recordingPath = a.toStdString();
            continue;
        }
        if (i + 1 >= args.size()) {
            error = QStringLiteral("%1 needs a value").arg(a);
            return false;
        }
        const QString v = args[++i];
        if (a == QLatin1String("--xtf")) {
            r.xtfPath = v.toStdString();
        } else if (a == QLatin1String("--track")) {
            r.trackPath = v.toStdString();
        } else if (a == QLatin1String("--events")) {
            r.eventsPath = v.toStdString();
        } else if (a == QLatin1String("--first-ping") || a == QLatin1String("--last-ping")) {
            const auto n = pingNumber(v);
            if (!n) {
                error = QStringLiteral("%1 takes a ping number").arg(a);
                return false;
            }
            (a == QLatin1String("--first-ping") ? r.firstPing : r.lastPing) = n;
        } else {
            error = QStringLiteral("unknown option %1").arg(a);
            return false;
        }
    }
    if (r.recordingPath.empty()) {
        error = QStringLiteral("a recording is required");
        return false;
    }
    if (!r.xtfPath && !r.trackPath && !r.eventsPath) {
        error = QStringLiteral("nothing to write: give --xtf, --track or --events");
        return false;
    }
    if (r.firstPing && r.lastPing && *r.firstPing > *r.lastPing) {
        error = QStringLiteral("--first-ping is after --last-ping");
        return false;
    }
    return true;
}

}  // namespace

int runExport(const QStringList& args) {
    ExportRequest request;
    QString error;
    if (!parse(args, request, error)) {
        std::fprintf(stderr, "hx642-cli export: %s\n%s", qPrintable(error), kUsage);
        return 2;
    }
    request.programVersion = HX642_VERSION;

    StdFileSystem fs;
    ConsoleNotifier notifier;
    std::optional<Progress> bar;
    std::uint64_t records = 0;
    const ExportReport report = ExportRecording(request, fs, notifier, [&](std::uint64_t done, std::uint64_t total) {
        if (!bar) bar.emplace("hx642-cli export", total);
        bar->update(done, ++records);
    });
    if (bar) bar->finish();

    if (report.records > 0) {
        std::fprintf(stderr,
                     "hx642-cli export: %llu records, %llu pings written, %llu damaged skipped, %llu refused for "
                     "error flags; %llu track points, %llu events; times in UTC from the %s\n",
                     static_cast<unsigned long long>(report.records), static_cast<unsigned long long>(report.pings),
                     static_cast<unsigned long long>(report.damagedSkipped),
                     static_cast<unsigned long long>(report.rejected),
                     static_cast<unsigned long long>(report.trackPoints),
                     static_cast<unsigned long long>(report.events),
                     report.zoneFromGps ? "recording's GPS time" : "time zone of this computer");
    }
    if (!report.ok) {
        std::fprintf(stderr, "hx642-cli export: %s\n", report.error.c_str());
        return 1;
    }
    for (const auto& path : {request.xtfPath, request.trackPath, request.eventsPath})
        if (path) std::printf("%s\n", path->c_str());
    return 0;
}

}  // namespace hx::cli
