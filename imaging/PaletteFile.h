// The palette file ("*.pal", default "HX642.pal"): the custom palette and the
// palette editor's curve points, 2816 bytes, little-endian.
//
//   0 "RGB"   3 zeros [7]   10 red point count   12 green point count
//   14 blue point count   (other header bytes 0 up to 256)
//   256 palette: 256 entries of blue, green, red, 0
//   1280 red points, 1792 green points, 2304 blue points:
//        128 pairs of uint16 x, uint16 y each (512 bytes)
//
// The "RGB" tag is written but not checked on reading; a short file changes
// only what it holds; point counts above 128 are taken as 128.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/Notifier.h"
#include "imaging/ColourTables.h"

namespace hx {

inline constexpr std::size_t kPaletteFileBytes = 2816;
inline constexpr std::size_t kPaletteFileHeaderBytes = 256;
inline constexpr std::size_t kPaletteFilePaletteOffset = 256;
inline constexpr std::size_t kPaletteFileCurveOffset = 1280;
inline constexpr std::size_t kPaletteFileCurveBytes = 512;
inline constexpr const char* kDefaultPaletteFileName = "HX642.pal";
inline constexpr const char* kPaletteSaveFailedText = "Failed to open document.";

// The file's 2816 bytes for the custom palette and curves.
std::vector<std::uint8_t> EncodePaletteFile(const PaletteState& palette);

// Takes the custom palette, point counts and points from a file's bytes;
// whatever lies beyond the bytes given stays as it was.
void DecodePaletteFile(std::span<const std::uint8_t> bytes, PaletteState& palette);

enum class PaletteLoad {
    Loaded,    // the file was read; the palette editor takes the curves
    FellBack,  // no readable file: the custom palette is the selected table
};

// Loads the file at paletteFilePath. A missing or unreadable file falls back
// silently to the selected built-in table (currentTablePalette).
PaletteLoad LoadPaletteFile(PaletteState& palette);

// Writes the file at paletteFilePath. On failure the notifier (when given)
// shows "Failed to open document." and false is returned.
bool SavePaletteFile(const PaletteState& palette, INotifier* notifier);

}  // namespace hx
