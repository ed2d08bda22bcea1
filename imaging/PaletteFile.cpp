#include "imaging/PaletteFile.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "core/ByteIO.h"

namespace hx {

namespace {

constexpr std::array<std::size_t, 3> kCountOffsets{10, 12, 14};

std::size_t curveOffset(std::size_t channel) {
    return kPaletteFileCurveOffset + channel * kPaletteFileCurveBytes;
}

}  // namespace

std::vector<std::uint8_t> EncodePaletteFile(const PaletteState& palette) {
    std::vector<std::uint8_t> out(kPaletteFileBytes, 0);
    out[0] = 'R';
    out[1] = 'G';
    out[2] = 'B';
    for (std::size_t c = 0; c < 3; ++c)
        out[kCountOffsets[c]] = static_cast<std::uint8_t>(std::clamp(palette.curvePointCount[c], 0, kCurvePointsMax));
    for (std::size_t i = 0; i < palette.customPalette.size(); ++i) {
        const PaletteEntry& e = palette.customPalette[i];
        const std::size_t o = kPaletteFilePaletteOffset + 4 * i;
        out[o] = e.blue;
        out[o + 1] = e.green;
        out[o + 2] = e.red;
        out[o + 3] = e.reserved;
    }
    for (std::size_t c = 0; c < 3; ++c) {
        for (std::size_t p = 0; p < kCurvePointsMax; ++p) {
            writeU16Le(out, curveOffset(c) + 4 * p, palette.curvePoints[c][p].x);
            writeU16Le(out, curveOffset(c) + 4 * p + 2, palette.curvePoints[c][p].y);
        }
    }
    return out;
}

void DecodePaletteFile(std::span<const std::uint8_t> bytes, PaletteState& palette) {
    // Lay the file over the current state's own image, byte for byte, so a
    // short file leaves everything past its end as it was.
    std::vector<std::uint8_t> image = EncodePaletteFile(palette);
    const std::size_t n = std::min(bytes.size(), image.size());
    std::copy_n(bytes.begin(), n, image.begin());

    for (std::size_t c = 0; c < 3; ++c)
        if (kCountOffsets[c] < n) palette.curvePointCount[c] = std::min<int>(image[kCountOffsets[c]], kCurvePointsMax);
    for (std::size_t i = 0; i < palette.customPalette.size(); ++i) {
        const std::size_t o = kPaletteFilePaletteOffset + 4 * i;
        palette.customPalette[i] = {image[o], image[o + 1], image[o + 2], image[o + 3]};
    }
    for (std::size_t c = 0; c < 3; ++c) {
        for (std::size_t p = 0; p < kCurvePointsMax; ++p) {
            palette.curvePoints[c][p].x = readU16Le(image, curveOffset(c) + 4 * p).value_or(0);
            palette.curvePoints[c][p].y = readU16Le(image, curveOffset(c) + 4 * p + 2).value_or(0);
        }
    }
}

PaletteLoad LoadPaletteFile(PaletteState& palette) {
    std::error_code ec;
    std::ifstream in;
    if (std::filesystem::is_regular_file(palette.paletteFilePath, ec))
        in.open(palette.paletteFilePath, std::ios::binary);
    if (!in.is_open() || !in) {
        palette.customPalette = palette.currentTablePalette;
        return PaletteLoad::FellBack;
    }
    std::vector<std::uint8_t> bytes(kPaletteFileBytes);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
    DecodePaletteFile(bytes, palette);
    return PaletteLoad::Loaded;
}

bool SavePaletteFile(const PaletteState& palette, INotifier* notifier) {
    const std::vector<std::uint8_t> bytes = EncodePaletteFile(palette);
    std::ofstream out(palette.paletteFilePath, std::ios::binary | std::ios::trunc);
    if (out) {
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.close();
    }
    if (!out) {
        if (notifier) notifier->message(kPaletteSaveFailedText, MessageIcon::Warning);
        return false;
    }
    return true;
}

}  // namespace hx
