// Every value the settings file keeps, as plain fields with their defaults.
// Loading fills one of these from the file; the application copies it into
// the subsystems' state and back before saving.
#pragma once

#include <array>
#include <string>

#include "core/Heads.h"
#include "nav/GpsSettings.h"

namespace hx {

struct WindowRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    // A rectangle worth storing: placed on screen with a positive extent.
    bool valid() const { return left >= 0 && top >= 0 && right > 0 && bottom > 0; }
    friend bool operator==(const WindowRect&, const WindowRect&) = default;
};

// The window rectangles of the default layout; they are the defaults of the
// rectangle keys.
struct LayoutRects {
    WindowRect mainFrame, lWindow, mWindow, hWindow, esWindow, gpsTrack;
};

struct SystemSettings {
    std::string readFileDir;    // empty: the program folder stays
    std::string writeFileDir;
    int readFilterIndex = 0;
    int writeFilterIndex = 0;
    int splitRecordingMb = 0;        // 0: one file however long (10^6 bytes)
    int splitRecordingMinutes = 0;   // 0: one file however long
    int playbackSpeed = 5;      // 0..20
    WindowRect gpsTrackWindow;
    int gpsTracking = 1;
    double gpsZoomFactor = 1.0;
    int units = 0;              // 0 metres, 1 feet
    double compassDeclinationDeg = 22.0;
    int rangeIndex = 9;         // written only; derived from rangeM on load
    int rangeM = 50;
    int useManualSpeed = 0;
    int useGpsSpeed = 1;
    double manualShipSpeedKn = 3.0;
    int nightMode = 0;          // our own keys: dark theme and the night red table
    int nightBrightness = 2;    // 1..5
    int nightRedTable = 0;      // the night red table chosen by day
};

struct HeadSettings {
    std::string ipAddress;
    int frequencyHz = 0;
    int gain = 6;
    int transmitEnable = 16;
    int available = 1;
};

struct ViewSettings {
    int showColorIndicator = 0;     // read, but the indicator always starts hidden
    int showGrid = 1;
    int showEsGrid = 1;
    int colorTable = 9;
    int markerTextSize = 14;
    int speedCorrectionEnabled = 1;
    int autoSyncGpsTime = 0;
    int convertUtcToLocal = 0;
    int settingsChangeAlarm = 0;
};

struct FilterAndLayoutSettings {
    int pitch = 0, roll = 0, heading = 0, depth = 0, temp = 0;
    int toolBarVisible = 1;
    int statusBarVisible = 1;
    int playbackBarVisible = 1;
    WindowRect mainFrame, lWindow, mWindow, hWindow, esWindow;
};

struct PaletteSettings {
    int useCustomPalette = 0;
    WindowRect frame{100, 520, 800, 900};
};

struct StoredSettings {
    SystemSettings system;
    GpsSettings gps;  // "Settings" section; the read interval and tracking switch live in "System"
    std::array<HeadSettings, kHeadCount> heads{{
        {"192.168.0.2", 120000, 6, 16, 0},
        {"192.168.0.3", 260000, 6, 16, 1},
        {"192.168.0.4", 540000, 6, 16, 1},
        {"192.168.0.5", 200000, 6, 16, 1},
    }};
    int echoSounderRangeM = 50;
    int echoSounderRangeIndex = 9;  // written only
    ViewSettings view;
    FilterAndLayoutSettings filters;
    PaletteSettings palette;
};

}  // namespace hx
