// A custom palette in use is the operator's: re-allocating the images (a
// resize, a zoom change) keeps it, while a palette not in use follows the
// selected table as before.
#include <gtest/gtest.h>

#include "imaging/ColourTables.h"
#include "imaging/WaterfallStore.h"

namespace hx {
namespace {

TEST(CustomPalette, AResizeKeepsTheCustomPaletteInUse) {
    PaletteState palette;
    palette.colourTables = GenerateColourTables();
    palette.colourTableIndex = kGrey;
    palette.useCustomPalette = 1;
    palette.customPalette.fill(PaletteEntry{10, 20, 30, 0});
    WaterfallStore store;
    AllocateImages(store, palette, false, kHeadL, kHeadH, 100, 100);
    EXPECT_EQ(palette.customPalette[7], (PaletteEntry{10, 20, 30, 0}));
    EXPECT_EQ(BuildImagePalette(palette)[7], (PaletteEntry{10, 20, 30, 0}));
    EXPECT_EQ(palette.currentTablePalette[7], (PaletteEntry{7, 7, 7, 0})) << "the table is converted all the same";

    palette.useCustomPalette = 0;
    AllocateImages(store, palette, false, kHeadL, kHeadH, 120, 120);
    EXPECT_EQ(palette.customPalette[7], (PaletteEntry{7, 7, 7, 0})) << "not in use: it follows the table";
}

}  // namespace
}  // namespace hx
