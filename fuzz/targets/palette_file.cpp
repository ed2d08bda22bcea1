// The palette file: any bytes laid over the palette state, encoded, and
// decoded again into a copy, which must come out equal. Input: the file's bytes.
#include "imaging/PaletteFile.h"
#include "support/FuzzSupport.h"

using namespace hx;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    PaletteState palette;
    palette.colourTables = GenerateColourTables();
    palette.customPalette = ConvertColourTable(palette.colourTables[kYellowBrown]);
    DecodePaletteFile(std::span<const std::uint8_t>(data, size), palette);
    for (const int count : palette.curvePointCount) FUZZ_CHECK(count >= 0 && count <= kCurvePointsMax);

    const std::vector<std::uint8_t> file = EncodePaletteFile(palette);
    FUZZ_CHECK(file.size() == kPaletteFileBytes);
    PaletteState back;
    DecodePaletteFile(file, back);
    FUZZ_CHECK(back.customPalette == palette.customPalette);
    FUZZ_CHECK(back.curvePointCount == palette.curvePointCount);
    FUZZ_CHECK(back.curvePoints == palette.curvePoints);
    FUZZ_CHECK(EncodePaletteFile(back) == file);
    (void)BuildImagePalette(palette);
    return 0;
}
