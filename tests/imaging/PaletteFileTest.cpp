// The palette file: its bytes, a round trip through a real file, and short,
// garbage, missing and unwritable files.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "imaging/PaletteFile.h"

namespace hx {
namespace {

namespace fs = std::filesystem;

class RecordingNotifier : public INotifier {
public:
    std::vector<std::string> texts;
    Answer message(const std::string& text, MessageIcon, Buttons, const std::string&) override {
        texts.push_back(text);
        return Answer::Ok;
    }
};

class PaletteFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("hx642-palette-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
        palette.colourTables = GenerateColourTables();
        palette.colourTableIndex = kGrey;
        ReplaceCustomPaletteWithTable(palette);
        palette.paletteFilePath = (dir / kDefaultPaletteFileName).string();
    }
    void TearDown() override { fs::remove_all(dir); }

    static std::vector<std::uint8_t> readAll(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static void writeAll(const fs::path& p, const std::vector<std::uint8_t>& bytes) {
        std::ofstream out(p, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    fs::path dir;
    PaletteState palette;
};

TEST_F(PaletteFileTest, SavedFileLayout) {
    palette.customPalette[1] = {0x11, 0x22, 0x33, 0};
    palette.curvePointCount = {2, 3, 128};
    palette.curvePoints[0][0] = {0, 255};
    palette.curvePoints[0][1] = {0x1234, 0xABCD};
    palette.curvePoints[2][127] = {511, 7};
    RecordingNotifier notifier;
    ASSERT_TRUE(SavePaletteFile(palette, &notifier));
    EXPECT_TRUE(notifier.texts.empty());

    const auto bytes = readAll(palette.paletteFilePath);
    ASSERT_EQ(bytes.size(), 2816u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 3), "RGB");
    for (std::size_t i = 3; i < 256; ++i) {
        if (i != 10 && i != 12 && i != 14) {
            ASSERT_EQ(bytes[i], 0) << "header byte " << i;
        }
    }
    EXPECT_EQ(bytes[10], 2);
    EXPECT_EQ(bytes[12], 3);
    EXPECT_EQ(bytes[14], 128);
    // Palette entries: blue, green, red, 0.
    EXPECT_EQ((std::vector<int>(bytes.begin() + 256, bytes.begin() + 264)),
              (std::vector<int>{0, 0, 0, 0, 0x11, 0x22, 0x33, 0}));
    EXPECT_EQ((std::vector<int>(bytes.begin() + 256 + 4 * 200, bytes.begin() + 256 + 4 * 201)),
              (std::vector<int>{200, 200, 200, 0}));
    // Curve points: little-endian x, y pairs.
    EXPECT_EQ((std::vector<int>(bytes.begin() + 1280, bytes.begin() + 1288)),
              (std::vector<int>{0, 0, 255, 0, 0x34, 0x12, 0xCD, 0xAB}));
    EXPECT_EQ((std::vector<int>(bytes.begin() + 2812, bytes.end())), (std::vector<int>{0xFF, 0x01, 7, 0}));
}

TEST_F(PaletteFileTest, RoundTrip) {
    std::mt19937 rng(3);
    for (auto& e : palette.customPalette)
        e = {static_cast<std::uint8_t>(rng()), static_cast<std::uint8_t>(rng()), static_cast<std::uint8_t>(rng()), 0};
    for (auto& curve : palette.curvePoints)
        for (auto& p : curve) p = {static_cast<std::uint16_t>(rng()), static_cast<std::uint16_t>(rng())};
    palette.curvePointCount = {5, 17, 99};
    ASSERT_TRUE(SavePaletteFile(palette, nullptr));

    PaletteState loaded;
    loaded.paletteFilePath = palette.paletteFilePath;
    EXPECT_EQ(LoadPaletteFile(loaded), PaletteLoad::Loaded);
    EXPECT_EQ(loaded.customPalette, palette.customPalette);
    EXPECT_EQ(loaded.curvePoints, palette.curvePoints);
    EXPECT_EQ(loaded.curvePointCount, palette.curvePointCount);
}

TEST_F(PaletteFileTest, ShortFileChangesOnlyWhatItHolds) {
    PaletteState other = palette;
    other.curvePointCount = {7, 8, 9};
    other.customPalette.fill(PaletteEntry{1, 2, 3, 0});
    other.curvePoints[1][0] = {40, 41};
    auto full = EncodePaletteFile(other);

    palette.curvePointCount = {1, 1, 1};
    palette.curvePoints[1][0] = {5, 6};
    const Palette before = palette.customPalette;

    // Header and the first 11 palette entries only (300 bytes).
    writeAll(palette.paletteFilePath, std::vector<std::uint8_t>(full.begin(), full.begin() + 300));
    EXPECT_EQ(LoadPaletteFile(palette), PaletteLoad::Loaded);
    EXPECT_EQ(palette.curvePointCount, (std::array<std::int32_t, 3>{7, 8, 9}));
    EXPECT_EQ(palette.customPalette[10], (PaletteEntry{1, 2, 3, 0}));
    EXPECT_EQ(palette.customPalette[11], before[11]);
    EXPECT_EQ(palette.curvePoints[1][0], (CurvePoint{5, 6}));

    // Eleven bytes: only the red count; a file cut inside a point keeps its other byte.
    palette.curvePointCount = {1, 1, 1};
    writeAll(palette.paletteFilePath, std::vector<std::uint8_t>(full.begin(), full.begin() + 11));
    LoadPaletteFile(palette);
    EXPECT_EQ(palette.curvePointCount, (std::array<std::int32_t, 3>{7, 1, 1}));
    writeAll(palette.paletteFilePath, std::vector<std::uint8_t>(full.begin(), full.begin() + 1792 + 1));
    LoadPaletteFile(palette);
    EXPECT_EQ(palette.curvePoints[1][0], (CurvePoint{40, 6}));

    // An empty file changes nothing.
    const PaletteState kept = palette;
    writeAll(palette.paletteFilePath, {});
    EXPECT_EQ(LoadPaletteFile(palette), PaletteLoad::Loaded);
    EXPECT_EQ(palette.customPalette, kept.customPalette);
    EXPECT_EQ(palette.curvePointCount, kept.curvePointCount);
}

TEST_F(PaletteFileTest, GarbageAndOversizedFilesAreTakenSafely) {
    std::vector<std::uint8_t> garbage(5000);
    std::mt19937 rng(11);
    for (auto& b : garbage) b = static_cast<std::uint8_t>(rng() | 0x80);
    writeAll(palette.paletteFilePath, garbage);
    EXPECT_EQ(LoadPaletteFile(palette), PaletteLoad::Loaded);
    for (int count : palette.curvePointCount) EXPECT_EQ(count, kCurvePointsMax) << "counts above 128 are cut";
    EXPECT_EQ(palette.customPalette[0].blue, garbage[256]);
    EXPECT_EQ(palette.curvePoints[2][127].y, garbage[2814] | garbage[2815] << 8) << "nothing past 2816 bytes is read";
}

TEST_F(PaletteFileTest, MissingFileFallsBackSilentlyToTheSelectedTable) {
    palette.useCustomPalette = 1;
    palette.customPalette.fill(PaletteEntry{9, 9, 9, 0});
    palette.paletteFilePath = (dir / "absent.pal").string();
    EXPECT_EQ(LoadPaletteFile(palette), PaletteLoad::FellBack);
    EXPECT_EQ(palette.customPalette, palette.currentTablePalette);
    EXPECT_EQ(BuildImagePalette(palette)[30], (PaletteEntry{30, 30, 30, 0})) << "the display shows the grey table";

    palette.customPalette.fill(PaletteEntry{9, 9, 9, 0});
    palette.paletteFilePath = dir.string();  // a folder is no palette file
    EXPECT_EQ(LoadPaletteFile(palette), PaletteLoad::FellBack);
    EXPECT_EQ(palette.customPalette, palette.currentTablePalette);
}

TEST_F(PaletteFileTest, FailedSaveReportsWithTheFixedText) {
    palette.paletteFilePath = (dir / "no-such-folder" / "x.pal").string();
    RecordingNotifier notifier;
    EXPECT_FALSE(SavePaletteFile(palette, &notifier));
    EXPECT_EQ(notifier.texts, (std::vector<std::string>{"Failed to open document."}));
    EXPECT_FALSE(SavePaletteFile(palette, nullptr));
}

}  // namespace
}  // namespace hx
