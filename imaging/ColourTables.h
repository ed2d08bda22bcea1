// The ten built-in colour tables, the custom palette drawn in the palette
// editor, and the palette the views draw the 8-bit images with. Index 255 is
// yellow in every built-in table and free for overlays. Changed by the table
// commands, the palette editor, the palette file and image re-allocation.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace hx {

inline constexpr int kColourTableCount = 10;
inline constexpr int kPaletteEntries = 256;
inline constexpr int kCurvePointsMax = 128;

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};
using ColourTable = std::array<Rgb, kPaletteEntries>;

// A drawing palette entry in the order the image drawing takes it.
struct PaletteEntry {
    std::uint8_t blue = 0;
    std::uint8_t green = 0;
    std::uint8_t red = 0;
    std::uint8_t reserved = 0;
    friend bool operator==(const PaletteEntry&, const PaletteEntry&) = default;
};
using Palette = std::array<PaletteEntry, kPaletteEntries>;

// A palette editor control point, in the editor's drawing coordinates.
struct CurvePoint {
    std::uint16_t x = 0;
    std::uint16_t y = 0;
    friend bool operator==(const CurvePoint&, const CurvePoint&) = default;
};
using CurvePoints = std::array<CurvePoint, kCurvePointsMax>;

// Menu order of the built-in tables: "Normal  &High" (0) .. "Yellow/Brown" (9).
enum ColourTableIndex : int {
    kNormalHigh = 0,
    kNormalLow = 1,
    kGreen = 2,
    kGrey = 3,
    kReverseGrey = 4,
    kBrownYellow = 5,
    kGreenBlue = 6,
    kGreenYellow = 7,
    kBlue = 8,
    kYellowBrown = 9,
};

struct PaletteState {
    std::array<ColourTable, kColourTableCount> colourTables{};
    std::int32_t colourTableIndex = 0;
    std::int32_t useCustomPalette = 0;
    Palette customPalette{};
    Palette currentTablePalette{};                  // the selected table as last converted
    std::array<std::int32_t, 3> curvePointCount{};  // red, green, blue
    std::array<CurvePoints, 3> curvePoints{};
    std::string paletteFilePath;
    // The "Night Red" table replaces the selected one (or the custom
    // palette) while set; brightnessStep 1 (darkest) .. 5.
    std::int32_t nightRed = 0;
    std::int32_t nightBrightness = 2;
};

// Night work: a dim red ramp that keeps the operator's dark adaptation.
inline constexpr int kNightBrightnessSteps = 5;
int ClampNightBrightness(int step);
// 0.25 at step 1 .. 1.0 at step 5: the night colours are scaled by it.
double NightBrightnessFactor(int step);
// Black to dim red; index 255 (the overlay's) a little brighter than 254.
ColourTable NightRedTable(int brightnessStep);

// The ten tables, generated once per document initialisation.
std::array<ColourTable, kColourTableCount> GenerateColourTables();

// Table index clamped to the built-in tables.
int SelectedTableIndex(const PaletteState& palette);

// A built-in table as drawing palette entries.
Palette ConvertColourTable(const ColourTable& table);

// The palette the views draw with: the night red table while chosen, else
// the custom palette when in use, else the selected table converted.
Palette BuildImagePalette(const PaletteState& palette);

// On image re-allocation: the selected table, converted, becomes the current
// table palette and, while no custom palette is in use, the custom palette.
void ReplaceCustomPaletteWithTable(PaletteState& palette);

// Selects table 0 ("Normal  High") .. 9 ("Yellow/Brown"); false (and
// nothing changes) for any other number.
bool SelectColourTable(PaletteState& palette, int tableIndex);

}  // namespace hx
