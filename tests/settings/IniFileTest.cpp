#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "settings/IniFile.h"

using namespace hx;

TEST(IniFile, ReadsKeysWithoutRegardToCaseAndStripsQuotes) {
    auto ini = IniFile::fromText(
        "; operator notes\n[System]\nRange = 75 \nread file dir:=\"/data/survey\"\n[View]\nColor Table=3\n");
    EXPECT_EQ(ini.readString("SYSTEM", "range", "50"), "75");
    EXPECT_EQ(ini.readString("System", "Read File Dir:", ""), "/data/survey");
    EXPECT_EQ(ini.readInt("View", "Color Table", 9), 3);
    EXPECT_EQ(ini.readInt("View", "Missing", 9), 9);
    EXPECT_EQ(ini.readInt("Nowhere", "Color Table", 9), 9);
}

TEST(IniFile, IntegerConversionTakesLeadingDigitsOnly) {
    EXPECT_EQ(parseLeadingInt("45"), 45);
    EXPECT_EQ(parseLeadingInt("  -7x"), -7);
    EXPECT_EQ(parseLeadingInt("12.9"), 12);
    EXPECT_EQ(parseLeadingInt("abc"), 0);
    EXPECT_EQ(parseLeadingInt(""), 0);
    EXPECT_EQ(parseLeadingInt("99999999999999999999"), 2147483647);
    EXPECT_EQ(parseLeadingInt("-99999999999999999999"), -2147483647 - 1);
}

TEST(IniFile, WritingKeepsCommentsUnknownKeysAndOrder) {
    const std::string original =
        "; written by hand\r\n[System]\r\nRange=50\r\nMy Own Key=keep me\r\n\r\n[View]\r\n# old comment\r\nShow Grid=1\r\n";
    auto ini = IniFile::fromText(original);
    ini.writeString("System", "Range", "100");     // replaced in place
    ini.writeString("System", "Units", "1");       // added at the end of its section
    ini.writeString("Palette", "UseCustomPalette", "0");  // new section at the end
    EXPECT_EQ(ini.toText(),
              "; written by hand\r\n[System]\r\nRange=100\r\nMy Own Key=keep me\r\nUnits=1\r\n\r\n[View]\r\n"
              "# old comment\r\nShow Grid=1\r\n\r\n[Palette]\r\nUseCustomPalette=0\r\n");
}

TEST(IniFile, AValueWithALineBreakCannotInjectKeys) {
    IniFile ini;
    ini.writeString("System", "Read File Dir:", "/tmp/a\n[Settings]\nBaudRate=1");
    EXPECT_EQ(ini.readString("System", "Read File Dir:", ""), "/tmp/a");
    EXPECT_FALSE(ini.value("Settings", "BaudRate"));
}

TEST(IniFile, GarbageNeverCrashesAndStillFindsGoodLines) {
    std::mt19937 rng(642);
    for (int round = 0; round < 200; ++round) {
        std::string text;
        const int n = static_cast<int>(rng() % 400);
        for (int i = 0; i < n; ++i) text += static_cast<char>(rng() % 256);
        text += "\n[View]\nColor Table=4\n";
        auto ini = IniFile::fromText(text);
        EXPECT_EQ(ini.readInt("View", "Color Table", 9), 4) << "round " << round;
        ini.writeString("View", "Show Grid", "0");
        EXPECT_EQ(ini.readInt("View", "Show Grid", 1), 0);
    }
}

TEST(IniFile, SaveReplacesTheFileWholeAndReportsFailure) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("hx642-ini-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const fs::path path = dir / "HX642.ini";
    std::ofstream(path) << "[System]\nRange=50\n";

    auto ini = IniFile::load(path.string());
    ini.writeString("System", "Range", "25");
    ASSERT_TRUE(ini.save(path.string()));
    EXPECT_EQ(IniFile::load(path.string()).readString("System", "Range", ""), "25");
    for (const auto& e : fs::directory_iterator(dir)) EXPECT_EQ(e.path().filename(), "HX642.ini");

    // A folder in the file's place cannot be replaced: failure, nothing lost.
    const fs::path blocked = dir / "blocked.ini";
    fs::create_directories(blocked / "inside");
    EXPECT_FALSE(ini.save(blocked.string()));
    EXPECT_TRUE(fs::is_directory(blocked / "inside"));
    fs::remove_all(dir);

    EXPECT_TRUE(IniFile::load("/nonexistent/HX642.ini").toText().empty());
}
