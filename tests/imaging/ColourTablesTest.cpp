// The ten built-in colour tables and the palette the views draw with. The
// expected values are typed from the tables' definitions, not computed.
#include <gtest/gtest.h>

#include <array>
#include <utility>
#include <vector>

#include "imaging/ColourTables.h"

namespace hx {
namespace {

struct Entry {
    int index;
    Rgb rgb;
};

void expectEntries(const ColourTable& table, const std::vector<Entry>& entries, const char* name) {
    for (const auto& e : entries) {
        const Rgb got = table[static_cast<std::size_t>(e.index)];
        EXPECT_EQ(got, e.rgb) << name << " entry " << e.index << ": got " << int(got.red) << "," << int(got.green)
                              << "," << int(got.blue);
    }
}

const auto kTables = GenerateColourTables();

TEST(ColourTables, EveryTableEndsInOverlayYellow) {
    for (int t = 0; t < kColourTableCount; ++t)
        EXPECT_EQ(kTables[static_cast<std::size_t>(t)][255], (Rgb{255, 255, 0})) << "table " << t;
}

TEST(ColourTables, NormalLowAtTheEdgesOfEveryRange) {
    expectEntries(kTables[kNormalLow],
                  {{0, {0, 0, 0}},        {40, {0, 0, 80}},       {41, {0, 20, 80}},      {81, {0, 100, 0}},
                   {82, {0, 102, 0}},     {91, {0, 120, 0}},      {92, {2, 122, 0}},      {101, {20, 140, 0}},
                   {102, {20, 142, 0}},   {112, {20, 162, 0}},    {113, {25, 164, 0}},    {123, {75, 184, 0}},
                   {124, {80, 185, 0}},   {125, {85, 180, 0}},    {136, {140, 125, 0}},   {137, {145, 118, 0}},
                   {138, {150, 110, 0}},  {139, {153, 108, 0}},   {140, {155, 105, 0}},   {141, {158, 103, 0}},
                   {142, {160, 100, 0}},  {143, {163, 100, 0}},   {158, {200, 100, 0}},   {159, {203, 103, 0}},
                   {164, {215, 115, 0}},  {165, {213, 118, 0}},   {166, {210, 120, 0}},   {167, {205, 123, 0}},
                   {178, {150, 150, 0}},  {179, {153, 153, 0}},   {197, {198, 198, 0}},   {198, {200, 200, 50}},
                   {199, {203, 203, 55}}, {216, {245, 245, 140}}, {217, {180, 180, 180}}, {235, {216, 216, 216}},
                   {236, {160, 0, 0}},    {254, {160, 0, 0}}},
                  "Normal Low");
}

TEST(ColourTables, NormalHighIsOneAndAHalfTimesNormalLow) {
    expectEntries(kTables[kNormalHigh],
                  {{40, {0, 0, 120}},
                   {81, {0, 150, 0}},
                   {1, {0, 0, 3}},
                   {92, {3, 183, 0}},
                   {124, {120, 255, 0}},
                   {139, {229, 162, 0}},
                   {216, {255, 255, 210}},
                   {254, {240, 0, 0}}},
                  "Normal High");
}

TEST(ColourTables, PlainRamps) {
    expectEntries(kTables[kGreen], {{0, {0, 0, 0}}, {100, {0, 100, 0}}, {254, {0, 254, 0}}}, "Green");
    expectEntries(kTables[kGrey], {{0, {0, 0, 0}}, {77, {77, 77, 77}}, {254, {254, 254, 254}}}, "Grey");
    // Reverse grey: intensity 0 is white, 254 is (1, 1, 1).
    expectEntries(kTables[kReverseGrey], {{0, {255, 255, 255}}, {254, {1, 1, 1}}}, "Reverse Grey");
}

TEST(ColourTables, SineAndCosineTables) {
    // t and v: i = 64 gives t 117, v 23; i = 128 gives t 217, v 89; t reaches
    // 255 at i = 160, v at i = 229.
    expectEntries(kTables[kBrownYellow], {{0, {0, 0, 0}}, {64, {117, 23, 0}}, {128, {217, 89, 0}}}, "Brown / Yellow");
    const ColourTable& by = kTables[kBrownYellow];  // red is t, green is v
    EXPECT_LT(by[159].red, 255);
    EXPECT_EQ(by[160].red, 255);
    EXPECT_LT(by[228].green, 255);
    EXPECT_EQ(by[229].green, 255);
    expectEntries(kTables[kGreenBlue], {{64, {0, 117, 23}}, {128, {0, 217, 89}}}, "Green / Blue");
    expectEntries(kTables[kGreenYellow], {{64, {23, 117, 0}}, {128, {89, 217, 0}}}, "Green / Yellow");
    expectEntries(kTables[kBlue], {{64, {0, 23, 117}}, {128, {0, 89, 217}}, {254, {0, 255, 255}}}, "Blue");
}

TEST(ColourTables, YellowBrownEveryEntry) {
    // Red and green, 16 entries a line from indexes 0, 16, .. 240; blue 0.
    static const std::array<int, 256> red = {
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
        254, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255};
    static const std::array<int, 256> green = {
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
        238, 239, 241, 242, 243, 244, 246, 247, 248, 250, 251, 252, 254, 255};
    for (std::size_t i = 0; i < 256; ++i)
        EXPECT_EQ(kTables[kYellowBrown][i],
                  (Rgb{static_cast<std::uint8_t>(red[i]), static_cast<std::uint8_t>(green[i]), 0}))
            << "entry " << i;
}

TEST(ImagePalette, SelectedTableOrCustomPalette) {
    PaletteState p;
    p.colourTables = kTables;
    ASSERT_TRUE(SelectColourTable(p, kGrey));
    EXPECT_EQ(p.colourTableIndex, kGrey);
    EXPECT_EQ(BuildImagePalette(p)[100], (PaletteEntry{100, 100, 100, 0}));
    ASSERT_TRUE(SelectColourTable(p, kNormalHigh));
    EXPECT_EQ(BuildImagePalette(p)[40], (PaletteEntry{120, 0, 0, 0})) << "blue, green, red order";
    EXPECT_FALSE(SelectColourTable(p, 10));
    EXPECT_FALSE(SelectColourTable(p, -1));
    EXPECT_EQ(p.colourTableIndex, kNormalHigh);

    // While the custom palette is in use a table change shows nothing.
    p.useCustomPalette = 1;
    p.customPalette.fill(PaletteEntry{9, 8, 7, 0});
    SelectColourTable(p, kReverseGrey);
    EXPECT_EQ(BuildImagePalette(p)[3], (PaletteEntry{9, 8, 7, 0}));
    p.useCustomPalette = 0;
    EXPECT_EQ(BuildImagePalette(p)[3], (PaletteEntry{252, 252, 252, 0}));

    // A hostile index from the settings draws the nearest table.
    p.colourTableIndex = 42;
    EXPECT_EQ(BuildImagePalette(p)[255], (PaletteEntry{0, 255, 255, 0}));

    // The night red table covers whatever is chosen, and leaving it gives
    // the chosen table back unchanged.
    const Palette day = BuildImagePalette(p);
    p.nightRed = 1;
    EXPECT_EQ(BuildImagePalette(p), ConvertColourTable(NightRedTable(p.nightBrightness)));
    p.nightRed = 0;
    EXPECT_EQ(BuildImagePalette(p), day);
    EXPECT_EQ(p.colourTables, kTables);
}

// At night nothing may carry green or blue, the echoes keep their order, and
// each brightness step is brighter than the one below.
TEST(ImagePalette, NightRedIsDimRedAtEveryStep) {
    int previousTop = -1;
    for (int step = 0; step <= kNightBrightnessSteps + 1; ++step) {  // hostile steps clamp
        SCOPED_TRACE(step);
        const ColourTable night = NightRedTable(step);
        for (std::size_t i = 0; i < night.size(); ++i) {
            ASSERT_EQ(night[i].green, 0);
            ASSERT_EQ(night[i].blue, 0);
            if (i > 0 && i < 255) {
                ASSERT_GE(night[i].red, night[i - 1].red);
            }
        }
        EXPECT_EQ(night[0].red, 0);
        EXPECT_GT(night[255].red, night[254].red) << "the overlay stands out";
        if (step >= 1 && step <= kNightBrightnessSteps) {
            EXPECT_GT(night[254].red, previousTop);
            previousTop = night[254].red;
        }
    }
    EXPECT_LE(previousTop, 200) << "even the brightest step stays dim";
}

}  // namespace
}  // namespace hx
