// hx642-cli render --full: the whole recording as one long waterfall strip,
// cut into tiles of at most 10 000 rows (IMAGE-0001.png, IMAGE-0002.png ...),
// the first ping at the top of the first tile and time running down. Lines
// are made exactly as the program draws them (resampling, gain, the speed
// corrected row counts, the fill between rows); a tile ends between two rows
// without breaking the fill. Beside each tile a JSON file names the pings
// that begin its rows: the row, the ping's time (UTC) and position.
#pragma once

#include <QString>

#include "imaging/ColourTables.h"
#include "imaging/DisplaySettings.h"

namespace hx::cli {

inline constexpr int kStripTileRows = 10000;  // the most rows a tile has
inline constexpr int kStripMinTileRows = 100;

struct StripOptions {
    QString input;
    QString out;        // IMAGE.png: tiles IMAGE-0001.png ... and IMAGE-0001.json ...
    int widthPx = 2000;
    int table = kYellowBrown;
    std::int32_t side = kBothSides;
    bool speedCorrection = true;
    int tileRows = kStripTileRows;  // --tile-rows, for viewers that want smaller images
};

// Returns the exit status; progress and the summary go to stderr, the
// written files' names to stdout.
int renderStrip(const StripOptions& options);

}  // namespace hx::cli
