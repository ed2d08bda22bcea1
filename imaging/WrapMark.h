// The line that shows in the waterfall where playback went round from one
// end of the file to the other: a row of its own on top of every displayed
// sidescan image, solid overlay colour (index 255, yellow in every table),
// and yellow in the composite (blue 0, green 255, red 255). Being a row of
// its own, the next ping takes a row of its own too (even one that adds no
// row) and its fill does not blend toward the mark.
#pragma once

#include "imaging/WaterfallStore.h"

namespace hx {

// Adds the marker row to the allocated images, moving the row metadata and
// counters with it as a drawn line does. Does nothing while no row holds
// data, while the images are being re-allocated or in "Bitmap View".
void InsertWrapRow(WaterfallStore& store);

}  // namespace hx
