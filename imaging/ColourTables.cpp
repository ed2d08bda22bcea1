#include "imaging/ColourTables.h"

#include <algorithm>
#include <cmath>

namespace hx {

namespace {

constexpr Rgb kOverlayYellow{255, 255, 0};

// Rounds halves up: 2.5 gives 3.
int roundHalfUp(double x) {
    return static_cast<int>(std::floor(x + 0.5));
}
int truncTo(double x) {
    return static_cast<int>(std::trunc(x));
}

Rgb rgb(int r, int g, int b) {
    return {static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b)};
}

// The normal scale: black, blue, cyan-green, green, yellow-green, orange,
// tan, pale yellow, grey, dark red.
Rgb normalEntry(int i) {
    if (i <= 40) return rgb(0, 0, 2 * i);
    if (i <= 81) return rgb(0, 20 + 2 * (i - 41), 80 - 2 * (i - 41));
    if (i <= 91) return rgb(0, 100 + 2 * (i - 81), 0);
    if (i <= 101) return rgb(2 * (i - 91), 120 + 2 * (i - 91), 0);
    if (i <= 112) return rgb(20, 140 + 2 * (i - 101), 0);
    if (i <= 123) return rgb(20 + 5 * (i - 112), 162 + 2 * (i - 112), 0);
    if (i == 124) return rgb(80, 185, 0);
    if (i <= 136) return rgb(80 + 5 * (i - 124), 185 - 5 * (i - 124), 0);
    if (i == 137) return rgb(145, 118, 0);
    if (i <= 142) return rgb(150 + roundHalfUp(2.5 * (i - 138)), 110 - truncTo(2.5 * (i - 138)), 0);
    if (i <= 158) return rgb(150 + roundHalfUp(2.5 * (i - 138)), 100, 0);
    if (i <= 164) return rgb(200 + roundHalfUp(2.5 * (i - 158)), 100 + roundHalfUp(2.5 * (i - 158)), 0);
    if (i == 165) return rgb(213, 118, 0);
    if (i == 166) return rgb(210, 120, 0);
    if (i <= 178) return rgb(205 - 5 * (i - 167), 115 + roundHalfUp(2.5 * (i - 164)), 0);
    if (i <= 197) {
        const int v = 150 + roundHalfUp(2.5 * (i - 178));
        return rgb(v, v, 0);
    }
    if (i <= 216) {
        const int v = 200 + roundHalfUp(2.5 * (i - 198));
        return rgb(v, v, 50 + 5 * (i - 198));
    }
    if (i <= 235) {
        const int v = 180 + 2 * (i - 217);
        return rgb(v, v, v);
    }
    return rgb(160, 0, 0);
}

// The yellow-brown table's red and green; blue is 0 throughout.
constexpr std::array<std::uint8_t, 256> kYellowBrownRed = {
    0,   1,   3,   4,   6,   7,   9,   10,  12,  14,  15,  17,  18,  20,  21,  23,  25,  26,  28,  29,  31,  32,
    34,  36,  37,  39,  40,  42,  43,  45,  46,  48,  49,  51,  53,  54,  56,  57,  59,  60,  62,  63,  65,  66,
    68,  69,  71,  72,  74,  75,  77,  78,  80,  81,  83,  84,  86,  87,  89,  90,  92,  93,  95,  96,  97,  99,
    100, 102, 103, 105, 106, 108, 109, 110, 112, 113, 115, 116, 117, 119, 120, 122, 123, 124, 126, 127, 128, 130,
    131, 132, 134, 135, 136, 138, 139, 140, 142, 143, 144, 146, 147, 148, 149, 151, 152, 153, 155, 156, 157, 158,
    159, 161, 162, 163, 164, 166, 167, 168, 169, 170, 171, 173, 174, 175, 176, 177, 178, 179, 180, 181, 183, 184,
    185, 186, 187, 188, 189, 190, 191, 192, 193, 194, 195, 196, 197, 198, 199, 200, 201, 202, 203, 204, 205, 206,
    207, 208, 209, 210, 211, 211, 212, 213, 214, 215, 216, 217, 217, 218, 219, 220, 221, 221, 222, 223, 224, 225,
    225, 226, 227, 227, 228, 229, 230, 230, 231, 232, 232, 233, 234, 234, 235, 235, 236, 237, 237, 238, 238, 239,
    239, 240, 241, 241, 242, 242, 243, 243, 244, 244, 244, 245, 245, 246, 246, 247, 247, 247, 248, 248, 249, 249,
    249, 249, 250, 250, 250, 251, 251, 251, 251, 252, 252, 252, 252, 253, 253, 253, 253, 254, 254, 254, 254, 254,
    254, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255,
};
constexpr std::array<std::uint8_t, 256> kYellowBrownGreen = {
    0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   1,   1,
    1,   1,   1,   1,   1,   1,   1,   1,   1,   1,   1,   1,   1,   1,   1,   1,   1,   1,   2,   2,   2,   2,
    2,   2,   2,   3,   3,   3,   3,   3,   4,   4,   4,   4,   4,   5,   5,   6,   7,   8,   8,   9,   9,   10,
    10,  11,  11,  12,  13,  14,  15,  17,  18,  19,  20,  22,  23,  24,  26,  27,  28,  30,  31,  32,  34,  35,
    36,  37,  39,  40,  41,  43,  44,  45,  47,  48,  49,  51,  52,  53,  55,  56,  57,  58,  60,  61,  62,  64,
    65,  66,  68,  69,  70,  72,  73,  74,  75,  77,  78,  79,  81,  82,  83,  85,  86,  87,  89,  90,  91,  93,
    94,  95,  96,  98,  99,  100, 102, 103, 104, 106, 107, 108, 110, 111, 112, 113, 115, 116, 117, 119, 120, 121,
    123, 124, 125, 127, 128, 129, 131, 132, 133, 134, 136, 137, 138, 140, 141, 142, 144, 145, 146, 148, 149, 150,
    151, 153, 154, 155, 157, 158, 159, 161, 162, 163, 165, 166, 167, 168, 170, 171, 172, 174, 175, 176, 178, 179,
    180, 182, 183, 184, 186, 187, 188, 189, 191, 192, 193, 195, 196, 197, 198, 200, 201, 203, 204, 205, 206, 208,
    209, 210, 212, 213, 214, 216, 217, 218, 220, 221, 223, 224, 225, 226, 227, 229, 230, 231, 233, 234, 235, 237,
    238, 239, 241, 242, 243, 244, 246, 247, 248, 250, 251, 252, 254, 255,
};

std::uint8_t scaleHigh(std::uint8_t c) {
    return static_cast<std::uint8_t>(std::min(255, truncTo(1.5 * c)));
}

}  // namespace

std::array<ColourTable, kColourTableCount> GenerateColourTables() {
    std::array<ColourTable, kColourTableCount> t{};
    for (int i = 0; i < kPaletteEntries; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const double m = i * 0.5 * 3.1415926 * 0.00390625;  // 0 .. almost pi/2
        const int s = std::min(255, truncTo(std::sin(m) * 256 * 1.2));
        const int v = std::min(255, truncTo((256 - std::cos(m) * 256) * 1.2));
        const Rgb n = normalEntry(i);
        t[kNormalHigh][k] = {scaleHigh(n.red), scaleHigh(n.green), scaleHigh(n.blue)};
        t[kNormalLow][k] = n;
        t[kGreen][k] = rgb(0, i, 0);
        t[kGrey][k] = rgb(i, i, i);
        t[kReverseGrey][k] = rgb(255 - i, 255 - i, 255 - i);
        t[kBrownYellow][k] = rgb(s, v, 0);
        t[kGreenBlue][k] = rgb(0, s, v);
        t[kGreenYellow][k] = rgb(v, s, 0);
        t[kBlue][k] = rgb(0, v, s);
        t[kYellowBrown][k] = {kYellowBrownRed[k], kYellowBrownGreen[k], 0};
    }
    for (int table = 0; table < kYellowBrown; ++table) t[static_cast<std::size_t>(table)][255] = kOverlayYellow;
    return t;
}

int SelectedTableIndex(const PaletteState& palette) {
    return std::clamp(palette.colourTableIndex, 0, kColourTableCount - 1);
}

Palette ConvertColourTable(const ColourTable& table) {
    Palette p{};
    for (std::size_t i = 0; i < p.size(); ++i) p[i] = {table[i].blue, table[i].green, table[i].red, 0};
    return p;
}

int ClampNightBrightness(int step) { return std::clamp(step, 1, kNightBrightnessSteps); }

double NightBrightnessFactor(int step) {
    constexpr double kFactors[kNightBrightnessSteps] = {0.25, 0.4, 0.55, 0.75, 1.0};
    return kFactors[ClampNightBrightness(step) - 1];
}

ColourTable NightRedTable(int brightnessStep) {
    // Full brightness tops out at 200 red: even then no green or blue, which
    // is what bleaches night vision.
    const double top = 200.0 * NightBrightnessFactor(brightnessStep);
    ColourTable table{};
    for (int i = 0; i < kPaletteEntries - 1; ++i)
        table[static_cast<std::size_t>(i)] = rgb(roundHalfUp(top * i / (kPaletteEntries - 2)), 0, 0);
    table[kPaletteEntries - 1] = rgb(std::min(255, roundHalfUp(top * 1.25)), 0, 0);
    return table;
}

Palette BuildImagePalette(const PaletteState& palette) {
    if (palette.nightRed != 0) return ConvertColourTable(NightRedTable(palette.nightBrightness));
    if (palette.useCustomPalette == 1) return palette.customPalette;
    return ConvertColourTable(palette.colourTables[static_cast<std::size_t>(SelectedTableIndex(palette))]);
}

void ReplaceCustomPaletteWithTable(PaletteState& palette) {
    palette.currentTablePalette =
        ConvertColourTable(palette.colourTables[static_cast<std::size_t>(SelectedTableIndex(palette))]);
    // A custom palette in use is the operator's: a resize or zoom keeps it.
    if (palette.useCustomPalette != 1) palette.customPalette = palette.currentTablePalette;
}

bool SelectColourTable(PaletteState& palette, int tableIndex) {
    if (tableIndex < 0 || tableIndex >= kColourTableCount) return false;
    palette.colourTableIndex = tableIndex;
    return true;
}

}  // namespace hx
