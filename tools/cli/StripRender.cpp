#include "tools/cli/StripRender.h"

#include <QFileInfo>
#include <QFuture>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QtConcurrent>

#include <cstdio>
#include <deque>
#include <vector>

#include "export/UtcTime.h"
#include "imaging/ImageGeometry.h"
#include "session/RecordingClock.h"
#include "tools/cli/Progress.h"
#include "tools/cli/RenderSource.h"
#include "tools/cli/WaterfallImages.h"

namespace hx::cli {

namespace {

// Rows a single ping may add beyond a full tile before the oldest would be
// lost; far more than a survey at any speed and range gives.
constexpr int kRowMargin = 4096;
// Tiles being encoded while the next is drawn; each holds one tile's image.
constexpr int kTilesInFlight = 2;

struct PingRow {
    std::uint32_t ping = 0;
    std::int64_t row = 0;  // first row of the ping from the strip's top
    UtcTime time;
    bool hasPosition = false;
    double latDeg = 0.0;
    double lonDeg = 0.0;
};

QString tilePath(const QString& out, int tile, const QString& suffix) {
    const QFileInfo info(out);
    return info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral("-%1.").arg(tile, 4, 10, QLatin1Char('0')) +
           suffix;
}

QJsonObject tileSidecar(const QString& imagePath, int rows, int width, const std::vector<PingRow>& pings) {
    QJsonArray list;
    for (const PingRow& p : pings) {
        QJsonObject o{{"ping", static_cast<qint64>(p.ping)}, {"row", static_cast<qint64>(p.row)}};
        o.insert("time", isValidTime(p.time) ? QJsonValue(QString::fromStdString(iso8601(p.time))) : QJsonValue());
        o.insert("lat", p.hasPosition ? QJsonValue(p.latDeg) : QJsonValue());
        o.insert("lon", p.hasPosition ? QJsonValue(p.lonDeg) : QJsonValue());
        list.append(o);
    }
    QJsonObject tile{{"image", QFileInfo(imagePath).fileName()}, {"rows", rows}, {"width", width}};
    if (!pings.empty()) {
        tile.insert("firstPing", static_cast<qint64>(pings.front().ping));
        tile.insert("lastPing", static_cast<qint64>(pings.back().ping));
        tile.insert("firstTime", list.first().toObject().value("time"));
        tile.insert("lastTime", list.last().toObject().value("time"));
    }
    tile.insert("pings", list);
    return tile;
}

bool writeJson(const QString& path, const QJsonObject& object) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(QJsonDocument(object).toJson(QJsonDocument::Indented));
    return file.commit();
}

// Cuts the strip into tiles and writes them, encoding in the background
// while the next tile is drawn.
class TileWriter {
public:
    TileWriter(const StripOptions& o, const Palette& colours, bool composite, int head)
        : options_(o), colours_(colours), composite_(composite), head_(head) {}

    // The oldest `rows` rows of the store (the store's rows validRows-1
    // downwards) become the next tile, with the pings that begin in them.
    bool cut(const WaterfallStore& store, int rows, std::vector<PingRow>& pings, std::int64_t tileStartRow) {
        const int first = static_cast<int>(store.validRows) - rows;
        QImage image = composite_ ? compositeImage(store, first, rows, true)
                                  : headImage(store, head_, colours_, first, rows, true);
        std::vector<PingRow> inTile;
        while (!pings.empty() && pings.front().row < tileStartRow + rows) {
            PingRow p = pings.front();
            p.row -= tileStartRow;
            inTile.push_back(p);
            pings.erase(pings.begin());
        }
        ++tiles_;
        const QString png = tilePath(options_.out, tiles_, QStringLiteral("png"));
        const QString json = tilePath(options_.out, tiles_, QStringLiteral("json"));
        if (!writeJson(json, tileSidecar(png, rows, image.width(), inTile))) {
            std::fprintf(stderr, "hx642-cli render: cannot write %s\n", qPrintable(json));
            return false;
        }
        while (static_cast<int>(pending_.size()) >= kTilesInFlight && collectOldest()) {}
        if (failed_) return false;
        pending_.push_back({png, QtConcurrent::run([png, image] {
                                const ImageFile f{png, image};
                                return writePngFiles({&f, 1}).isEmpty();
                            })});
        std::printf("%s\n%s\n", qPrintable(png), qPrintable(json));
        return true;
    }

    bool finish() {
        while (!pending_.empty()) collectOldest();
        return !failed_;
    }
    int tiles() const { return tiles_; }

private:
    struct Pending {
        QString path;
        QFuture<bool> written;
    };
    bool collectOldest() {
        Pending p = pending_.front();
        pending_.pop_front();
        if (!p.written.result()) {
            std::fprintf(stderr, "hx642-cli render: cannot write %s\n", qPrintable(p.path));
            failed_ = true;
        }
        return !failed_;
    }

    const StripOptions& options_;
    const Palette& colours_;
    const bool composite_;
    const int head_;
    std::deque<Pending> pending_;
    int tiles_ = 0;
    bool failed_ = false;
};

}  // namespace

int renderStrip(const StripOptions& o) {
    RenderSource source(o);
    if (!source.open(o.input)) return 1;
    auto& [imaging, palette, speed, fs, notifier, reader] = source;
    const RecordingClock clock = findRecordingClock(o.input.toStdString(), fs, notifier);

    WaterfallStore& store = imaging->store;
    const Palette colours = BuildImagePalette(palette);
    std::unique_ptr<TileWriter> tiles;
    std::vector<PingRow> pings;
    std::int64_t stripRows = 0;      // rows drawn so far, from the top of the strip
    std::int64_t tileStartRow = 0;   // the strip row the next tile starts at
    Progress progress("hx642-cli render", reader.usableLength());
    RecordingDocument& doc = reader.doc();

    while (reader.readNext()) {
        if (!tiles) {
            // The first record tells which heads the recording has; the image
            // is as wide as asked and tall enough for a tile and a ping.
            ViewZoom zoom;
            ResizeImages(*imaging, palette, zoom, o.widthPx, doc.heads, doc.link, speed);
            store.imageHeight = o.tileRows + kRowMargin;
            AllocateImages(store, palette, doc.link.allSideScansAvailable != 0, doc.link.displayHeadA,
                           doc.link.displayHeadB, store.imageWidth, store.imageHeight);
            store.viewReady = 1;
            store.imagesReady = 1;
            ClearScreen(store, imaging->lines);
            imaging->display.interpolationFactor = zoom.zoomFactor;
            const bool composite = doc.link.allSideScansAvailable != 0;
            tiles = std::make_unique<TileWriter>(o, colours, composite, std::clamp(doc.link.displayHeadA, 0, 2));
        }
        const PingOutcome out = reader.process();
        progress.update(reader.position(), static_cast<std::uint64_t>(reader.counts().records));
        // A ping that adds no row shares the newest row with the one before:
        // the sidecar names the pings that begin rows.
        if (!out.stored.drawn || (out.stored.rowsAdded == 0 && !pings.empty())) continue;
        PingRow p;
        p.ping = doc.dataFile.pingNumber;
        p.row = out.stored.rowsAdded > 0 ? stripRows : std::max<std::int64_t>(stripRows - 1, 0);
        p.time = toUtc(doc.cycle.pingClock, clock);
        const GpsFix& fix = doc.gps.fix;
        p.hasPosition = fix.latText != kNotAvailableText && (fix.gpsLatitude != 0.0 || fix.gpsLongitude != 0.0);
        p.latDeg = fix.gpsLatitude;
        p.lonDeg = fix.gpsLongitude;
        pings.push_back(p);
        stripRows += out.stored.rowsAdded;
        while (store.validRows >= o.tileRows) {
            if (!tiles->cut(store, o.tileRows, pings, tileStartRow)) return 1;
            store.validRows -= o.tileRows;
            tileStartRow += o.tileRows;
        }
    }
    progress.finish();
    if (!tiles) {
        std::fprintf(stderr, "hx642-cli render: %s holds no record to draw\n", qPrintable(o.input));
        return 1;
    }
    if (store.validRows > 0 && !tiles->cut(store, static_cast<int>(store.validRows), pings, tileStartRow)) return 1;
    if (!tiles->finish()) return 1;
    const RecordingCounts& counts = reader.counts();
    std::fprintf(stderr, "hx642-cli render: %lld records, %lld rows in %d tiles, %lld rejected, %lld damaged\n",
                 static_cast<long long>(counts.records), static_cast<long long>(stripRows), tiles->tiles(),
                 static_cast<long long>(counts.rejected), static_cast<long long>(counts.damaged));
    return 0;
}

}  // namespace hx::cli
