// hx642-cli render: plays a recording through the waterfall pipeline and
// writes the resulting waterfalls as images, for reports and for checking the
// pipeline end to end: the last screen (the newest rows, as the program shows
// them when the recording ends), or with --full the whole recording as tiles.
#include <QFileInfo>
#include <QImage>
#include <QStringList>

#include <cstdio>
#include <string>

#include "imaging/ColourTables.h"
#include "imaging/ImageGeometry.h"
#include "imaging/StorePing.h"
#include "tools/cli/Progress.h"
#include "tools/cli/RenderSource.h"
#include "tools/cli/StripRender.h"
#include "tools/cli/WaterfallImages.h"

namespace hx::cli {

namespace {

constexpr const char* kUsage =
    "usage: hx642-cli render FILE.642 --out IMAGE.png [--width W] [--table N] [--side port|stbd|both]\n"
    "                        [--no-speed-correction] [--full [--tile-rows N]]\n";

// A fresh program's settings unless asked otherwise (table 9 "Yellow/Brown").
struct RenderOptions : StripOptions {
    bool full = false;
};

bool parse(const QStringList& args, RenderOptions& o, QString& error) {
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--no-speed-correction")) {
            o.speedCorrection = false;
            continue;
        }
        if (a == QLatin1String("--full")) {
            o.full = true;
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
        } else if (a == QLatin1String("--tile-rows")) {
            o.tileRows = v.toInt(&ok);
            if (!ok || o.tileRows < kStripMinTileRows || o.tileRows > kStripTileRows) {
                error = QStringLiteral("--tile-rows takes a number of rows from 100 to 10000");
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

}  // namespace

int runRender(const QStringList& args) {
    RenderOptions o;
    QString error;
    if (!parse(args, o, error)) {
        std::fprintf(stderr, "hx642-cli render: %s\n%s", qPrintable(error), kUsage);
        return 2;
    }
    if (o.full) return renderStrip(o);

    RenderSource source(o);
    if (!source.open(o.input)) return 1;
    auto& [imaging, palette, speed, fs, notifier, reader] = source;

    ViewZoom zoom;
    bool allocated = false;
    std::int64_t drawn = 0;
    Progress progress("hx642-cli render", reader.usableLength());
    while (reader.readNext()) {
        if (!allocated) {
            // The first record tells which heads the recording has.
            imaging->store.viewReady = 1;
            ResizeImages(*imaging, palette, zoom, o.widthPx, reader.doc().heads, reader.doc().link, speed);
            allocated = true;
        }
        if (reader.process().stored.drawn) ++drawn;
        progress.update(reader.position(), static_cast<std::uint64_t>(reader.counts().records));
    }
    progress.finish();
    const RecordingCounts& counts = reader.counts();
    std::fprintf(stderr, "hx642-cli render: %lld records, %lld drawn, %lld rejected, %lld damaged\n",
                 static_cast<long long>(counts.records), static_cast<long long>(drawn),
                 static_cast<long long>(counts.rejected), static_cast<long long>(counts.damaged));
    if (counts.records == 0 || !allocated) {
        std::fprintf(stderr, "hx642-cli render: %s holds no record to draw\n", qPrintable(o.input));
        return 1;
    }
    const LinkFields& link = reader.doc().link;

    const WaterfallStore& store = imaging->store;
    const Palette colours = BuildImagePalette(palette);
    std::vector<ImageFile> outputs;
    if (link.allSideScansAvailable) {
        outputs.push_back({o.out, compositeImage(store)});
        for (int h = 0; h < kSideScanHeadCount; ++h)
            outputs.push_back({perHeadPath(o.out, headLetter(h)), headImage(store, h, colours)});
    } else {
        const int a = std::clamp(link.displayHeadA, 0, 2), b = std::clamp(link.displayHeadB, 0, 2);
        outputs.push_back({o.out, headImage(store, a, colours)});
        if (b != a) outputs.push_back({perHeadPath(o.out, headLetter(b)), headImage(store, b, colours)});
    }
    const QStringList failed = writePngFiles(outputs);
    for (const QString& path : failed) std::fprintf(stderr, "hx642-cli render: cannot write %s\n", qPrintable(path));
    if (!failed.isEmpty()) return 1;
    for (const ImageFile& out : outputs)
        if (!out.image.isNull()) std::printf("%s\n", qPrintable(out.path));
    return 0;
}

}  // namespace hx::cli
