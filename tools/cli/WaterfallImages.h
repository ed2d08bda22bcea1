// Waterfall images as files: a head's 8-bit image with its palette as an
// indexed image (what it is: one colour index per pixel, a quarter of the
// bytes to compress), the composite as 24-bit colour, and PNG files written
// with fast compression, several at once on the machine's cores.
#pragma once

#include <QImage>
#include <QString>

#include <span>
#include <vector>

#include "imaging/ColourTables.h"
#include "imaging/WaterfallStore.h"

namespace hx::cli {

// Rows firstRow..firstRow+rows-1 of head's image (all rows when rows < 0),
// the first row on top unless newestLast puts them in time order.
QImage headImage(const WaterfallStore& store, int head, const Palette& palette, int firstRow = 0, int rows = -1,
                 bool newestLast = false);
QImage compositeImage(const WaterfallStore& store, int firstRow = 0, int rows = -1, bool newestLast = false);

struct ImageFile {
    QString path;
    QImage image;
};

// Writes every image as PNG; returns the paths that could not be written.
QStringList writePngFiles(std::span<const ImageFile> files);

}  // namespace hx::cli
