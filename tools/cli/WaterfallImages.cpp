#include "tools/cli/WaterfallImages.h"

#include <QImageWriter>
#include <QtConcurrent>

#include <algorithm>
#include <cstring>

namespace hx::cli {

namespace {

// Qt's PNG writer turns a quality of 70 into zlib's fastest level: the
// default level costs several times the time for files a fifth smaller.
constexpr int kFastPngQuality = 70;

int rowCount(const WaterfallStore& store, int firstRow, int rows) {
    const int available = std::max(0, store.imageHeight - firstRow);
    return rows < 0 ? available : std::min(rows, available);
}

// The store's row for output row r.
int sourceRow(int firstRow, int count, int r, bool newestLast) {
    return newestLast ? firstRow + count - 1 - r : firstRow + r;
}

}  // namespace

QImage headImage(const WaterfallStore& store, int head, const Palette& palette, int firstRow, int rows,
                 bool newestLast) {
    if (!HeadImageFor(store, head)) return {};
    const int count = rowCount(store, firstRow, rows);
    QImage out(store.imageWidth, count, QImage::Format_Indexed8);
    QList<QRgb> colours(static_cast<qsizetype>(palette.size()));
    for (std::size_t i = 0; i < palette.size(); ++i) colours[static_cast<qsizetype>(i)] = qRgb(palette[i].red, palette[i].green, palette[i].blue);
    out.setColorTable(colours);
    const auto width = static_cast<std::size_t>(out.width());
    for (int r = 0; r < count; ++r) {
        const auto pixels = HeadImageRow(store, head, sourceRow(firstRow, count, r, newestLast));
        std::uint8_t* line = out.scanLine(r);
        const std::size_t n = std::min(pixels.size(), width);
        std::memcpy(line, pixels.data(), n);
        std::memset(line + n, 0, width - n);
    }
    return out;
}

QImage compositeImage(const WaterfallStore& store, int firstRow, int rows, bool newestLast) {
    const int count = rowCount(store, firstRow, rows);
    QImage out(store.imageWidth, count, QImage::Format_RGB888);
    out.fill(Qt::black);
    const auto width = static_cast<std::size_t>(out.width());
    for (int r = 0; r < count; ++r) {
        const auto bgr = CompositeRow(store, sourceRow(firstRow, count, r, newestLast));
        std::uint8_t* rgb = out.scanLine(r);
        const std::size_t pixels = std::min(bgr.size() / 3, width);
        for (std::size_t x = 0; x < pixels; ++x) {
            rgb[3 * x] = bgr[3 * x + 2];
            rgb[3 * x + 1] = bgr[3 * x + 1];
            rgb[3 * x + 2] = bgr[3 * x];
        }
    }
    return out;
}

QStringList writePngFiles(std::span<const ImageFile> files) {
    const QList<bool> written = QtConcurrent::blockingMapped(
        QList<ImageFile>(files.begin(), files.end()), [](const ImageFile& f) {
            if (f.image.isNull()) return true;
            QImageWriter writer(f.path, "png");
            writer.setQuality(kFastPngQuality);
            return writer.write(f.image);
        });
    QStringList failed;
    for (std::size_t i = 0; i < files.size(); ++i)
        if (!written[static_cast<qsizetype>(i)]) failed << files[i].path;
    return failed;
}

}  // namespace hx::cli
