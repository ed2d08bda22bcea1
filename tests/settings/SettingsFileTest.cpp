#include <gtest/gtest.h>

#include "settings/SettingsFile.h"

using namespace hx;

namespace {

LayoutRects testLayout() {
    LayoutRects l;
    l.mainFrame = {0, 0, 1536, 640};
    l.lWindow = {0, 0, 1536, 300};
    l.mWindow = {0, 300, 1536, 600};
    l.hWindow = {0, 600, 1536, 900};
    l.esWindow = {1536, 0, 1920, 500};
    l.gpsTrack = {1536, 500, 1920, 1000};
    return l;
}

}  // namespace

TEST(SettingsFile, FreshStartGivesTheDefaults) {
    const auto s = loadSettings(IniFile{}, testLayout());
    EXPECT_EQ(s.system.rangeM, 50);
    EXPECT_EQ(s.echoSounderRangeM, 50);
    EXPECT_EQ(s.system.playbackSpeed, 5);
    EXPECT_EQ(s.gps.gpsReadInterval, 1000);
    EXPECT_DOUBLE_EQ(s.system.manualShipSpeedKn, 3.0);
    EXPECT_DOUBLE_EQ(s.system.compassDeclinationDeg, 22.0);
    const int freqs[] = {120000, 260000, 540000, 200000};
    const int available[] = {0, 1, 1, 1};
    const char* expectedAddresses[] = {"192.168.0.2", "192.168.0.3", "192.168.0.4", "192.168.0.5"};
    for (int h = 0; h < 4; ++h) {
        EXPECT_EQ(s.heads[h].frequencyHz, freqs[h]);
        EXPECT_EQ(s.heads[h].gain, 6);
        EXPECT_EQ(s.heads[h].transmitEnable, 16);
        EXPECT_EQ(s.heads[h].available, available[h]);
        EXPECT_EQ(s.heads[h].ipAddress, expectedAddresses[h]);
    }
    EXPECT_EQ(s.gps.gpsBaudRate, 19200);
    EXPECT_EQ(s.gps.gpsSource, GpsSourceKind::Serial);
    EXPECT_EQ(s.view.colorTable, 9);
    EXPECT_EQ(s.filters.hWindow, testLayout().hWindow);
    EXPECT_EQ(s.system.gpsTrackWindow, testLayout().gpsTrack);
    EXPECT_EQ(s.palette.frame, (WindowRect{100, 520, 800, 900}));
}

TEST(SettingsFile, KeysAreReadWithTheirOwnSpellingAndUnits) {
    auto ini = IniFile::fromText(
        "[System]\nManualShipSpeed=45\nGPS Zoom Factor=2500\nPlayback Speed=12\n"
        "[Sonar H]\nFreqency=675000\nAvailable=0\n[Sonar L]\nAvailable=1\n"
        "[View]\nShow Color Indicator=1\n"
        "[Filters Enabled]\nH Frame Left=11\nL Frame Left=77\n");
    const auto s = loadSettings(ini, testLayout());
    EXPECT_DOUBLE_EQ(s.system.manualShipSpeedKn, 4.5);
    EXPECT_DOUBLE_EQ(s.system.gpsZoomFactor, 2.5);
    EXPECT_EQ(s.heads[kHeadH].frequencyHz, 675000);
    EXPECT_EQ(s.heads[kHeadH].available, 0);
    EXPECT_EQ(s.heads[kHeadL].available, 1);
    EXPECT_EQ(s.view.showColorIndicator, 1);  // read; showing it is the window's business
    EXPECT_EQ(s.filters.hWindow.left, 11);
    EXPECT_EQ(s.filters.lWindow, testLayout().lWindow);  // L and M are never read back
    EXPECT_EQ(playbackIntervalMs(5), 50);
    EXPECT_EQ(playbackIntervalMs(0), 100);
    EXPECT_EQ(playbackIntervalMs(12), 0);

    IniFile out;
    saveSettings(out, s, true);
    EXPECT_EQ(out.readString("System", "ManualShipSpeed", ""), "45");
    EXPECT_EQ(out.readString("System", "GPS Zoom Factor", ""), "2500");
    EXPECT_EQ(out.readString("Sonar H", "Freqency", ""), "675000");
}

TEST(SettingsFile, SavingInPlaybackLeavesPortAndHeadSectionsUntouched) {
    const std::string original =
        "[Settings]\nBaudRate=4800\n; my receiver\n[Sonar M]\nGain=33\nIP Address=127.0.9.7\n";
    auto ini = IniFile::fromText(original);
    auto s = loadSettings(ini, testLayout());
    s.gps.gpsBaudRate = 115200;
    s.heads[kHeadM].gain = 1;  // a played file's value
    saveSettings(ini, s, false);
    const std::string text = ini.toText();
    EXPECT_EQ(text.substr(0, original.size()), original);
    EXPECT_EQ(ini.readString("Sonar M", "Gain", ""), "33");
    EXPECT_EQ(ini.readString("Settings", "BaudRate", ""), "4800");
    EXPECT_FALSE(ini.value("Echo Sounder", "ES Range"));
    EXPECT_EQ(ini.readString("View", "Color Table", ""), "9");
}

TEST(SettingsFile, RoundTripKeepsEveryValue) {
    auto s = loadSettings(IniFile{}, testLayout());
    s.system.readFileDir = "/data/in";
    s.system.units = 1;
    s.system.rangeM = 150;
    s.system.rangeIndex = 12;
    s.gps.gpsDevice = "/dev/ttyUSB1";
    s.gps.gpsParity = 3;
    s.gps.gpsSource = GpsSourceKind::Udp;
    s.gps.udpPort = 10111;
    s.heads[kHeadES].ipAddress = "127.0.0.5";
    s.echoSounderRangeM = 20;
    s.view.colorTable = 2;
    s.filters.pitch = 1;
    s.filters.esWindow = {5, 6, 7, 8};
    s.palette.useCustomPalette = 1;
    s.system.nightMode = 1;
    s.system.nightBrightness = 4;
    IniFile ini;
    saveSettings(ini, s, true);
    const auto back = loadSettings(IniFile::fromText(ini.toText()), testLayout());
    EXPECT_EQ(back.system.readFileDir, "/data/in");
    EXPECT_EQ(back.system.units, 1);
    EXPECT_EQ(back.system.rangeM, 150);
    EXPECT_EQ(back.gps.gpsDevice, "/dev/ttyUSB1");
    EXPECT_EQ(back.gps.gpsParity, 3);
    EXPECT_EQ(back.gps.gpsSource, GpsSourceKind::Udp);
    EXPECT_EQ(back.gps.udpPort, 10111);
    EXPECT_EQ(back.heads[kHeadES].ipAddress, "127.0.0.5");
    EXPECT_EQ(back.echoSounderRangeM, 20);
    EXPECT_EQ(back.view.colorTable, 2);
    EXPECT_EQ(back.filters.pitch, 1);
    EXPECT_EQ(back.filters.esWindow, (WindowRect{5, 6, 7, 8}));
    EXPECT_EQ(back.palette.useCustomPalette, 1);
    EXPECT_EQ(back.system.nightMode, 1);
    EXPECT_EQ(back.system.nightBrightness, 4);
}

// A hand-edited zoom once drifted by one thousandth on each save.
TEST(SettingsFile, GpsZoomFactorWritesBackAsItWasRead) {
    struct Case {
        const char* stored;
        const char* written;
    };
    const Case cases[] = {
        {"1001", "1001"}, {"999", "999"}, {"1", "1"}, {"2500", "2500"}, {"123457", "123457"},
        {"1000000", "1000000"}, {"5000000", "1000000"}, {"0", "1000"}, {"-3", "1000"},
    };
    for (const auto& c : cases) {
        const auto s = loadSettings(IniFile::fromText(std::string("[System]\nGPS Zoom Factor=") + c.stored + "\n"),
                                    testLayout());
        IniFile out;
        saveSettings(out, s, true);
        EXPECT_EQ(out.readString("System", "GPS Zoom Factor", ""), c.written) << c.stored;
        // And again: a second load and save changes nothing.
        IniFile again;
        saveSettings(again, loadSettings(out, testLayout()), true);
        EXPECT_EQ(again.readString("System", "GPS Zoom Factor", ""), c.written) << c.stored;
    }
}

TEST(SettingsFile, FoldersWithBlanksSurviveASave) {
    auto s = loadSettings(IniFile::fromText("[System]\nRead File Dir:=\"/data/dir \"\nWrite File Dir:= /rec\n"),
                          testLayout());
    EXPECT_EQ(s.system.readFileDir, "/data/dir ");
    EXPECT_EQ(s.system.writeFileDir, "/rec");
    s.system.writeFileDir = " /rec ";
    IniFile out;
    saveSettings(out, s, true);
    const auto back = loadSettings(IniFile::fromText(out.toText()), testLayout());
    EXPECT_EQ(back.system.readFileDir, "/data/dir ");
    EXPECT_EQ(back.system.writeFileDir, " /rec ");
}

TEST(SettingsFile, HostileValuesLoadClampedOrAsDefaults) {
    auto ini = IniFile::fromText(
        "[System]\nPlayback Speed=999\nGPS Read Interval=-5\nGPS Zoom Factor=-3\nUnits=7\nManualShipSpeed=-40\n"
        "Night Brightness=99\nNight Mode=-3\n"
        "[Settings]\nBaudRate=12\nDataBits=99\nParity=-1\nGPS type=42\nGPSD Port=70000\nGPS Source=carrier pigeon\n"
        "[Sonar M]\nGain=400\nFreqency=-1\nIP Address=999.1.1.1; rm -rf\nAvailable=5\n"
        "[View]\nColor Table=-2\nMarker Text Size=100000\n"
        "[Filters Enabled]\nMain Frame Right=2147483647\n");
    const auto s = loadSettings(ini, testLayout());
    EXPECT_EQ(s.system.playbackSpeed, 20);
    EXPECT_EQ(s.system.nightBrightness, 5);
    EXPECT_EQ(s.system.nightMode, 1);
    EXPECT_EQ(s.gps.gpsReadInterval, 100);
    EXPECT_DOUBLE_EQ(s.system.gpsZoomFactor, 1.0);
    EXPECT_EQ(s.system.units, 1);
    EXPECT_DOUBLE_EQ(s.system.manualShipSpeedKn, 0.0);
    EXPECT_EQ(s.gps.gpsBaudRate, 19200);
    EXPECT_EQ(s.gps.gpsDataBits, 8);
    EXPECT_EQ(s.gps.gpsParity, 0);
    EXPECT_EQ(s.gps.gpsSource, GpsSourceKind::Serial);
    EXPECT_EQ(s.gps.gpsType, 3);
    EXPECT_EQ(s.gps.gpsdPort, 65535);
    EXPECT_EQ(s.heads[kHeadM].gain, 40);
    EXPECT_EQ(s.heads[kHeadM].frequencyHz, 260000);
    EXPECT_EQ(s.heads[kHeadM].ipAddress, "192.168.0.3");
    EXPECT_EQ(s.heads[kHeadM].available, 1);
    EXPECT_EQ(s.view.colorTable, 9);
    EXPECT_EQ(s.view.markerTextSize, 72);
    EXPECT_EQ(s.filters.mainFrame.right, 100000);
}
