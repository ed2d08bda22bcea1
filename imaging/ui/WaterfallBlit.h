// Drawing a waterfall image 1:1 into a view's off-screen frame. The image is
// a ring of rows held as two contiguous spans; only the part that falls in
// the frame is converted, so a paint costs the window's area, not the image's.
#pragma once

#include <QImage>
#include <QRgb>
#include <QSize>

#include <array>

#include "imaging/ColourTables.h"
#include "imaging/WaterfallImage.h"

namespace hx {

using ColourLut = std::array<QRgb, kPaletteEntries>;

// The palette as frame colours. Index 255 belongs to the overlays (yellow in
// every built-in table): the line processing never writes it, so where an
// image holds 255 (the playback wrap mark) the overlay colour shows.
ColourLut MakeColourLut(const Palette& palette);

// The frame at the window's size, cleared to black.
void PrepareFrame(QImage& frame, QSize size);

// Draws an 8-bit image with its top-left corner at (originX, originY) of an
// RGB32 frame, each pixel through the colour table.
void BlitIndexed(QImage& frame, const WaterfallImage& image, const ColourLut& lut, int originX, int originY);

// Draws the 24-bit composite (blue, green, red bytes) the same way.
void BlitComposite(QImage& frame, const WaterfallImage& composite, int originX, int originY);
// The composite in one colour scale: each pixel's strongest head through
// the table (the night red table keeps the three-head picture dark).
void BlitCompositeThrough(QImage& frame, const WaterfallImage& composite, const ColourLut& lut, int originX,
                          int originY);

}  // namespace hx
