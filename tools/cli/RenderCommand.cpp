// hx642-cli render: plays a recording through the waterfall pipeline and
// writes the resulting waterfalls as images, for reports and for checking the
// pipeline end to end.
#include <QFileInfo>
#include <QImage>
#include <QStringList>

#include <cstdio>
#include <string>

#include "imaging/ColourTables.h"
#include "imaging/ImageGeometry.h"
#include "imaging/PingHistory.h"
#include "imaging/StorePing.h"
#include "link/CycleStatus.h"
#include "link/DisplayPair.h"
#include "nav/GpsParserState.h"
#include "platform/ConsoleNotifier.h"
#include "record/ReadWriteFiles.h"
#include "record/RecordDocument.h"
#include "record/StdFileSystem.h"

namespace hx::cli {

namespace {

constexpr const char* kUsage =
    "usage: hx642-cli render FILE.642 --out IMAGE.png [--width W] [--table N] [--side port|stbd|both]\n"
    "                        [--no-speed-correction]\n";

struct RenderOptions {
    QString input;
    QString out;
    int widthPx = 2000;
    int table = kYellowBrown;  // a fresh program's table
    std::int32_t side = kBothSides;
    bool speedCorrection = true;
};

bool parse(const QStringList& args, RenderOptions& o, QString& error) {
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--no-speed-correction")) {
            o.speedCorrection = false;
            continue;
        }
        if (!a.startsWith(QLatin1String("--"))) {
            if (!o.input.isEmpty()) {
                error = QStringLiteral("only one recording can be rendered");
                return false;
            }
            o.input = a;
            continue;
        }
        if (i + 1 >= args.size()) {
            error = QStringLiteral("%1 needs a value").arg(a);
            return false;
        }
        const QString v = args[++i];
        bool ok = true;
        if (a == QLatin1String("--out")) {
            o.out = v;
        } else if (a == QLatin1String("--width")) {
            o.widthPx = v.toInt(&ok);
            if (!ok || o.widthPx < 100 || o.widthPx > 8000) {
                error = QStringLiteral("--width takes a number of pixels from 100 to 8000");
                return false;
            }
        } else if (a == QLatin1String("--table")) {
            o.table = v.toInt(&ok);
            if (!ok || o.table < 0 || o.table >= kColourTableCount) {
                error = QStringLiteral("--table takes a colour table number from 0 to 9");
                return false;
            }
        } else if (a == QLatin1String("--side")) {
            if (v == QLatin1String("port")) o.side = kPortOnly;
            else if (v == QLatin1String("stbd")) o.side = kStarboardOnly;
            else if (v == QLatin1String("both")) o.side = kBothSides;
            else {
                error = QStringLiteral("--side takes port, stbd or both");
                return false;
            }
        } else {
            error = QStringLiteral("unknown option %1").arg(a);
            return false;
        }
    }
    if (o.input.isEmpty() || o.out.isEmpty()) {
        error = QStringLiteral("a recording and --out are required");
        return false;
    }
    return true;
}

// "waterfall.png" -> "waterfall-M.png"
QString perHeadPath(const QString& out, const char* head) {
    const QFileInfo info(out);
    const QString suffix = info.suffix().isEmpty() ? QStringLiteral("png") : info.suffix();
    return info.path() + QLatin1Char('/') + info.completeBaseName() + QLatin1Char('-') + QLatin1String(head) +
           QLatin1Char('.') + suffix;
}

QImage headImage(const WaterfallStore& store, int head, const Palette& palette) {
    const WaterfallImage* image = HeadImageFor(store, head);
    if (!image) return {};
    QImage out(store.imageWidth, store.imageHeight, QImage::Format_RGB32);
    out.fill(Qt::black);
    for (int row = 0; row < store.imageHeight; ++row) {
        const auto pixels = HeadImageRow(store, head, row);
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(row));
        for (std::size_t x = 0; x < pixels.size() && x < static_cast<std::size_t>(out.width()); ++x) {
            const PaletteEntry& p = palette[pixels[x]];
            line[x] = qRgb(p.red, p.green, p.blue);
        }
    }
    return out;
}

QImage compositeImage(const WaterfallStore& store) {
    QImage out(store.imageWidth, store.imageHeight, QImage::Format_RGB32);
    out.fill(Qt::black);
    for (int row = 0; row < store.imageHeight; ++row) {
        const auto bgr = CompositeRow(store, row);
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(row));
        for (std::size_t x = 0; x + 2 < bgr.size() && x / 3 < static_cast<std::size_t>(out.width()); x += 3)
            line[x / 3] = qRgb(bgr[x + 2], bgr[x + 1], bgr[x]);
    }
    return out;
}

}  // namespace

int runRender(const QStringList& args) {
    RenderOptions o;
    QString error;
    if (!parse(args, o, error)) {
        std::fprintf(stderr, "hx642-cli render: %s\n%s", qPrintable(error), kUsage);
        return 2;
    }

    HeadTable heads;
    LinkFields link;
    CycleValues cycle;
    OrientationState orientation;
    SentenceSlots sentences{};
    int gpsType = 0;
    int alarm = 0;
    link.playbackMode = 1;

    auto imaging = std::make_unique<ImagingState>();
    PaletteState palette;
    palette.colourTables = GenerateColourTables();
    palette.colourTableIndex = o.table;
    imaging->display.sideDisplayMode = o.side;
    SpeedSource speed;
    speed.speedCorrectionEnabled = o.speedCorrection ? 1 : 0;
    GpsParserState gps;

    DataFileState fileState;
    StdFileSystem fs;
    ConsoleNotifier notifier;
    CReadWriteFiles files(fileState, fs, notifier);
    files.setDisplayPairHook([](const HeadTable& t, LinkFields& l) { applyDisplayPair(t.headAvailable, l); });
    if (files.openPlayback(o.input.toStdString()) != OpenStatus::Opened) return 1;

    RecordTargets targets{heads, link, cycle, sentences, gpsType, alarm};
    ViewZoom zoom;
    bool allocated = false;
    std::int64_t records = 0, drawn = 0, rejected = 0, damaged = 0;
    std::uint32_t tickMs = 0;
    const std::uint64_t total = fileState.usableLength;
    std::uint64_t nextReport = 0;

    for (;;) {
        const ReadResult r = files.readRecord(false, targets);
        if (r.status == ReadStatus::NoRecord && r.resyncFound) {
            ++damaged;
            continue;
        }
        if (r.status != ReadStatus::Ok) break;
        ++records;
        if (r.damaged()) ++damaged;
        if (!allocated) {
            // The first record tells which heads the recording has.
            imaging->store.viewReady = 1;
            ResizeImages(*imaging, palette, zoom, o.widthPx, heads, link, speed);
            allocated = true;
        }
        // The played record's GPS sentences feed the speed correction.
        gps.fix.gpsUpdated = 0;
        gps.headingSeen = 0;
        for (const std::string& s : sentences)
            if (!s.empty()) ParseNmeaSentence(gps, s);
        EndOfRead(gps);
        PublishFix(gps);
        if (!checkCycleStatus(heads, link, cycle, orientation)) {
            ++rejected;
            continue;
        }
        PingExtras extras;
        extras.pingNumber = static_cast<std::int32_t>(fileState.pingNumber);
        extras.gpsSpeedKn = gps.fix.gpsSpeed;
        extras.gpsText = {gps.fix.latText, gps.fix.lonText, gps.fix.timeText,
                          gps.fix.speedText, gps.fix.courseText, gps.fix.headingText};
        extras.altitudeM = orientation.altitudeM;
        extras.headingDeg = orientation.headingDeg;
        tickMs += static_cast<std::uint32_t>(cycle.pingInterval);
        extras.tickMs = tickMs;
        if (StorePing(*imaging, cycle, heads, link, speed, extras).drawn) ++drawn;
        if (fileState.recordPosition >= nextReport && total > 0) {
            std::fprintf(stderr, "\rhx642-cli render: %3d %%", static_cast<int>(100.0 * fileState.recordPosition / total));
            nextReport = fileState.recordPosition + total / 20;
        }
    }
    std::fprintf(stderr, "\rhx642-cli render: %lld records, %lld drawn, %lld rejected, %lld damaged\n",
                 static_cast<long long>(records), static_cast<long long>(drawn), static_cast<long long>(rejected),
                 static_cast<long long>(damaged));
    if (records == 0 || !allocated) {
        std::fprintf(stderr, "hx642-cli render: %s holds no record to draw\n", qPrintable(o.input));
        return 1;
    }

    const WaterfallStore& store = imaging->store;
    const Palette colours = BuildImagePalette(palette);
    struct Output {
        QString path;
        QImage image;
    };
    std::vector<Output> outputs;
    if (link.allSideScansAvailable) {
        outputs.push_back({o.out, compositeImage(store)});
        const char* names[] = {"L", "M", "H"};
        for (int h = 0; h < kSideScanHeadCount; ++h)
            outputs.push_back({perHeadPath(o.out, names[h]), headImage(store, h, colours)});
    } else {
        const char* names[] = {"L", "M", "H"};
        const int a = std::clamp(link.displayHeadA, 0, 2), b = std::clamp(link.displayHeadB, 0, 2);
        outputs.push_back({o.out, headImage(store, a, colours)});
        if (b != a) outputs.push_back({perHeadPath(o.out, names[b]), headImage(store, b, colours)});
    }
    for (const Output& out : outputs) {
        if (out.image.isNull()) continue;
        if (!out.image.save(out.path)) {
            std::fprintf(stderr, "hx642-cli render: cannot write %s\n", qPrintable(out.path));
            return 1;
        }
        std::printf("%s\n", qPrintable(out.path));
    }
    return 0;
}

}  // namespace hx::cli
