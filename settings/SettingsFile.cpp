#include "settings/SettingsFile.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace hx {

namespace {

constexpr const char* kSystem = "System";
constexpr const char* kSettings = "Settings";
constexpr const char* kView = "View";
constexpr const char* kFilters = "Filters Enabled";
constexpr const char* kPalette = "Palette";

constexpr std::array<const char*, kHeadCount> kHeadSections = {"Sonar L", "Sonar M", "Sonar H", "Echo Sounder"};

// The largest screen coordinate a stored rectangle may carry; beyond this a
// value is damage, not a window position.
constexpr int kMaxCoordinate = 100000;

int clampInt(int v, int lo, int hi) { return std::clamp(v, lo, hi); }

// The track zoom is kept as whole thousandths: read as value / 1000 and
// written as the nearest whole number of thousandths, so that a stored
// value, hand-edited or not, reads and writes back as itself (1001 / 1000
// is 1.000999..., which truncation would write as 1000).
constexpr int kMaxZoomThousandths = 1000000;
long long zoomThousandths(double zoom) {
    if (!(zoom > 0.0)) return 1000;
    return std::max(1LL, std::llround(std::min(zoom, kMaxZoomThousandths / 1000.0) * 1000.0));
}
int flag(int v) { return v != 0 ? 1 : 0; }

int readStringInt(const IniFile& ini, const char* section, const char* key, const char* fallback) {
    return parseLeadingInt(ini.readString(section, key, fallback));
}

WindowRect readRect(const IniFile& ini, const char* section, const std::string& prefix, const WindowRect& def) {
    WindowRect r;
    r.left = clampInt(ini.readInt(section, prefix + " Left", def.left), -kMaxCoordinate, kMaxCoordinate);
    r.top = clampInt(ini.readInt(section, prefix + " Top", def.top), -kMaxCoordinate, kMaxCoordinate);
    r.right = clampInt(ini.readInt(section, prefix + " Right", def.right), -kMaxCoordinate, kMaxCoordinate);
    r.bottom = clampInt(ini.readInt(section, prefix + " Bottom", def.bottom), -kMaxCoordinate, kMaxCoordinate);
    return r;
}

void writeRect(IniFile& ini, const char* section, const std::string& prefix, const WindowRect& r) {
    ini.writeInt(section, prefix + " Left", r.left);
    ini.writeInt(section, prefix + " Top", r.top);
    ini.writeInt(section, prefix + " Right", r.right);
    ini.writeInt(section, prefix + " Bottom", r.bottom);
}

bool isValidAddress(const std::string& text) {
    int parts = 0;
    std::size_t i = 0;
    while (i <= text.size()) {
        std::size_t j = text.find('.', i);
        if (j == std::string::npos) j = text.size();
        const std::string part = text.substr(i, j - i);
        if (part.empty() || part.size() > 3 || !std::all_of(part.begin(), part.end(), [](unsigned char c) { return c >= '0' && c <= '9'; })) return false;
        if (std::stoi(part) > 255) return false;
        ++parts;
        i = j + 1;
    }
    return parts == 4;
}

}  // namespace

const char* headSectionName(int head) {
    return head >= 0 && head < kHeadCount ? kHeadSections[static_cast<std::size_t>(head)] : "";
}

int playbackIntervalMs(int playbackSpeed) { return playbackSpeed < 10 ? 100 - 10 * playbackSpeed : 0; }

StoredSettings loadSettings(const IniFile& ini, const LayoutRects& layout) {
    StoredSettings s;

    SystemSettings& sys = s.system;
    sys.readFileDir = ini.readString(kSystem, "Read File Dir:", "");
    sys.writeFileDir = ini.readString(kSystem, "Write File Dir:", "");
    sys.readFilterIndex = clampInt(ini.readInt(kSystem, "Read Filter Index", 0), 0, 16);
    sys.writeFilterIndex = clampInt(ini.readInt(kSystem, "Write Filter Index", 0), 0, 16);
    sys.splitRecordingMb = clampInt(ini.readInt(kSystem, "Split Recording MB", 0), 0, 1000000);
    sys.splitRecordingMinutes = clampInt(ini.readInt(kSystem, "Split Recording Minutes", 0), 0, 10080);
    sys.nightMode = flag(ini.readInt(kSystem, "Night Mode", 0));
    sys.nightBrightness = clampInt(ini.readInt(kSystem, "Night Brightness", 2), 1, 5);
    sys.nightRedTable = flag(ini.readInt(kSystem, "Night Red Table", 0));
    sys.playbackSpeed = clampInt(ini.readInt(kSystem, "Playback Speed", 5), 0, 20);
    sys.gpsTrackWindow = readRect(ini, kSystem, "GPS Track Window", layout.gpsTrack);
    sys.gpsTracking = flag(ini.readInt(kSystem, "GPS Tracking", 1));
    s.gps.gpsReadInterval = ini.readInt(kSystem, "GPS Read Interval", 1000);
    s.gps.gpsReadInterval = gpsReadIntervalMs(s.gps);
    const int zoom = readStringInt(ini, kSystem, "GPS Zoom Factor", "1000");
    sys.gpsZoomFactor = zoom > 0 ? std::min(zoom, kMaxZoomThousandths) / 1000.0 : 1.0;
    sys.units = flag(ini.readInt(kSystem, "Units", 0));
    sys.compassDeclinationDeg = clampInt(ini.readInt(kSystem, "CompassDeclination", 22), -180, 180);
    sys.rangeM = readStringInt(ini, kSystem, "Range", "50");
    sys.useManualSpeed = flag(readStringInt(ini, kSystem, "UseManualSpeed", "0"));
    sys.useGpsSpeed = flag(readStringInt(ini, kSystem, "UseGPSSpeed", "1"));
    sys.manualShipSpeedKn = clampInt(readStringInt(ini, kSystem, "ManualShipSpeed", "30"), 0, 1000) / 10.0;

    GpsSettings& gps = s.gps;
    gps.gpsPort = clampInt(readStringInt(ini, kSettings, "GPS Comm Port", "1"), 1, kGpsPortNumberMax);
    gps.gpsDevice = ini.readString(kSettings, "GPS Comm Device", "");
    gps.gpsBaudRate = readStringInt(ini, kSettings, "BaudRate", "19200");
    gps.gpsDataBits = static_cast<std::uint8_t>(clampInt(readStringInt(ini, kSettings, "DataBits", "8"), 0, 255));
    gps.gpsStopBits = static_cast<std::uint8_t>(clampInt(readStringInt(ini, kSettings, "StopBits", "0"), 0, 255));
    gps.gpsParity = static_cast<std::uint8_t>(clampInt(readStringInt(ini, kSettings, "Parity", "0"), 0, 255));
    gps.gpsFlow = static_cast<std::uint8_t>(clampInt(readStringInt(ini, kSettings, "Flow", "0"), 0, 1));
    // Line settings the port cannot take fall back to the defaults as a whole.
    if (gps.gpsBaudRate < 300 || gps.gpsBaudRate > 921600 || gpsLineSettingsProblem(gps)) {
        const GpsSettings defaults;
        gps.gpsBaudRate = defaults.gpsBaudRate;
        gps.gpsDataBits = defaults.gpsDataBits;
        gps.gpsStopBits = defaults.gpsStopBits;
        gps.gpsParity = defaults.gpsParity;
    }
    gps.gpsType = clampInt(readStringInt(ini, kSettings, "GPS type", "0"), 0, 3);
    gps.gpsBaudRateIndex = clampInt(readStringInt(ini, kSettings, "BaudRateIndex", "0"), 0, 16);
    gps.gpsSource = gpsSourceKindFromName(ini.readString(kSettings, "GPS Source", "serial"));
    gps.gpsdHost = ini.readString(kSettings, "GPSD Host", gps.gpsdHost);
    if (gps.gpsdHost.empty()) gps.gpsdHost = GpsSettings{}.gpsdHost;
    gps.gpsdPort = static_cast<std::uint16_t>(clampInt(readStringInt(ini, kSettings, "GPSD Port", "2947"), 1, 65535));
    gps.udpAddress = ini.readString(kSettings, "NMEA UDP Address", gps.udpAddress);
    if (!isValidAddress(gps.udpAddress)) gps.udpAddress = GpsSettings{}.udpAddress;
    gps.udpPort = static_cast<std::uint16_t>(clampInt(readStringInt(ini, kSettings, "NMEA UDP Port", "10110"), 1, 65535));

    for (int h = 0; h < kHeadCount; ++h) {
        HeadSettings& head = s.heads[static_cast<std::size_t>(h)];
        const char* section = kHeadSections[static_cast<std::size_t>(h)];
        const std::string address = ini.readString(section, "IP Address", head.ipAddress);
        if (isValidAddress(address)) head.ipAddress = address;
        if (h == kHeadES) s.echoSounderRangeM = readStringInt(ini, section, "ES Range", "50");
        const int freq = ini.readInt(section, "Freqency", head.frequencyHz);
        if (freq > 0 && freq <= 10000000) head.frequencyHz = freq;
        head.gain = clampInt(ini.readInt(section, "Gain", head.gain), 0, 40);
        head.transmitEnable = clampInt(ini.readInt(section, "Transmit Enable", head.transmitEnable), 0, 255);
        head.available = flag(ini.readInt(section, "Available", head.available));
    }

    ViewSettings& view = s.view;
    view.showColorIndicator = flag(readStringInt(ini, kView, "Show Color Indicator", "0"));
    view.showGrid = flag(ini.readInt(kView, "Show Grid", 1));
    view.showEsGrid = flag(ini.readInt(kView, "Show ES Grid", 1));
    view.colorTable = ini.readInt(kView, "Color Table", 9);
    if (view.colorTable < 0 || view.colorTable > 9) view.colorTable = 9;
    view.markerTextSize = clampInt(ini.readInt(kView, "Marker Text Size", 14), 6, 72);
    view.speedCorrectionEnabled = flag(ini.readInt(kView, "Speed Correction Enabled", 1));
    view.autoSyncGpsTime = flag(ini.readInt(kView, "Auto Synchronize with GPS Time", 0));
    view.convertUtcToLocal = flag(ini.readInt(kView, "Convert UTC to Local Time", 0));
    view.settingsChangeAlarm = flag(ini.readInt(kView, "Settings Change Alarm", 0));

    FilterAndLayoutSettings& f = s.filters;
    f.pitch = flag(ini.readInt(kFilters, "Pitch", 0));
    f.roll = flag(ini.readInt(kFilters, "Roll", 0));
    f.heading = flag(ini.readInt(kFilters, "Heading", 0));
    f.depth = flag(ini.readInt(kFilters, "Depth", 0));
    f.temp = flag(ini.readInt(kFilters, "Temp", 0));
    f.toolBarVisible = flag(readStringInt(ini, kFilters, "Tool Bar Visible", "1"));
    f.statusBarVisible = flag(readStringInt(ini, kFilters, "Status Bar Visible", "1"));
    f.playbackBarVisible = flag(readStringInt(ini, kFilters, "File Playback Bar Visible", "1"));
    f.mainFrame = readRect(ini, kFilters, "Main Frame", layout.mainFrame);
    // The L and M rectangles are written but never read back.
    f.lWindow = layout.lWindow;
    f.mWindow = layout.mWindow;
    f.hWindow = readRect(ini, kFilters, "H Frame", layout.hWindow);
    f.esWindow = readRect(ini, kFilters, "ES Frame", layout.esWindow);

    s.palette.useCustomPalette = flag(readStringInt(ini, kPalette, "UseCustomPalette", "0"));
    s.palette.frame = readRect(ini, kPalette, "Frame", s.palette.frame);
    return s;
}

void saveSettings(IniFile& ini, const StoredSettings& s, bool realTime) {
    const SystemSettings& sys = s.system;
    ini.writeString(kSystem, "Read File Dir:", sys.readFileDir);
    ini.writeString(kSystem, "Write File Dir:", sys.writeFileDir);
    ini.writeInt(kSystem, "Read Filter Index", sys.readFilterIndex);
    ini.writeInt(kSystem, "Write Filter Index", sys.writeFilterIndex);
    ini.writeInt(kSystem, "Split Recording MB", sys.splitRecordingMb);
    ini.writeInt(kSystem, "Split Recording Minutes", sys.splitRecordingMinutes);
    ini.writeInt(kSystem, "Night Mode", sys.nightMode);
    ini.writeInt(kSystem, "Night Brightness", sys.nightBrightness);
    ini.writeInt(kSystem, "Night Red Table", sys.nightRedTable);

    if (realTime) {
        const GpsSettings& gps = s.gps;
        ini.writeInt(kSettings, "GPS Comm Port", gps.gpsPort);
        ini.writeString(kSettings, "GPS Comm Device", gps.gpsDevice);
        ini.writeInt(kSettings, "BaudRate", gps.gpsBaudRate);
        ini.writeInt(kSettings, "DataBits", gps.gpsDataBits);
        ini.writeInt(kSettings, "StopBits", gps.gpsStopBits);
        ini.writeInt(kSettings, "Parity", gps.gpsParity);
        ini.writeInt(kSettings, "Flow", gps.gpsFlow);
        ini.writeInt(kSettings, "GPS type", gps.gpsType);
        ini.writeInt(kSettings, "BaudRateIndex", gps.gpsBaudRateIndex);
        ini.writeString(kSettings, "GPS Source", gpsSourceKindName(gps.gpsSource));
        ini.writeString(kSettings, "GPSD Host", gps.gpsdHost);
        ini.writeInt(kSettings, "GPSD Port", gps.gpsdPort);
        ini.writeString(kSettings, "NMEA UDP Address", gps.udpAddress);
        ini.writeInt(kSettings, "NMEA UDP Port", gps.udpPort);
    }

    ini.writeInt(kSystem, "Playback Speed", sys.playbackSpeed);
    writeRect(ini, kSystem, "GPS Track Window", sys.gpsTrackWindow);
    ini.writeInt(kSystem, "GPS Tracking", sys.gpsTracking);
    ini.writeInt(kSystem, "GPS Read Interval", s.gps.gpsReadInterval);
    ini.writeInt(kSystem, "GPS Zoom Factor", zoomThousandths(sys.gpsZoomFactor));
    ini.writeInt(kSystem, "Units", sys.units);
    ini.writeInt(kSystem, "CompassDeclination", static_cast<long long>(sys.compassDeclinationDeg));
    ini.writeInt(kSystem, "Range Index", sys.rangeIndex);
    ini.writeInt(kSystem, "Range", sys.rangeM);
    ini.writeInt(kSystem, "UseManualSpeed", sys.useManualSpeed);
    ini.writeInt(kSystem, "UseGPSSpeed", sys.useGpsSpeed);
    // Tenths of a knot, truncated; the small bias keeps 4.5 from writing 44.
    ini.writeInt(kSystem, "ManualShipSpeed", static_cast<long long>(sys.manualShipSpeedKn * 10.0 + 1e-9));

    if (realTime) {
        for (int h = 0; h < kHeadCount; ++h) {
            const HeadSettings& head = s.heads[static_cast<std::size_t>(h)];
            const char* section = kHeadSections[static_cast<std::size_t>(h)];
            ini.writeString(section, "IP Address", head.ipAddress);
            if (h == kHeadES) {
                ini.writeInt(section, "ES Range", s.echoSounderRangeM);
                ini.writeInt(section, "ES Range Index", s.echoSounderRangeIndex);
            }
            ini.writeInt(section, "Freqency", head.frequencyHz);
            ini.writeInt(section, "Gain", head.gain);
            ini.writeInt(section, "Transmit Enable", head.transmitEnable);
            ini.writeInt(section, "Available", head.available);
        }
    }

    const ViewSettings& view = s.view;
    ini.writeInt(kView, "Show Color Indicator", view.showColorIndicator);
    ini.writeInt(kView, "Show Grid", view.showGrid);
    ini.writeInt(kView, "Show ES Grid", view.showEsGrid);
    ini.writeInt(kView, "Color Table", view.colorTable);
    ini.writeInt(kView, "Marker Text Size", view.markerTextSize);
    ini.writeInt(kView, "Speed Correction Enabled", view.speedCorrectionEnabled);
    ini.writeInt(kView, "Auto Synchronize with GPS Time", view.autoSyncGpsTime);
    ini.writeInt(kView, "Convert UTC to Local Time", view.convertUtcToLocal);
    ini.writeInt(kView, "Settings Change Alarm", view.settingsChangeAlarm);

    const FilterAndLayoutSettings& f = s.filters;
    ini.writeInt(kFilters, "Pitch", f.pitch);
    ini.writeInt(kFilters, "Roll", f.roll);
    ini.writeInt(kFilters, "Heading", f.heading);
    ini.writeInt(kFilters, "Depth", f.depth);
    ini.writeInt(kFilters, "Temp", f.temp);
    ini.writeInt(kFilters, "Tool Bar Visible", f.toolBarVisible);
    ini.writeInt(kFilters, "Status Bar Visible", f.statusBarVisible);
    ini.writeInt(kFilters, "File Playback Bar Visible", f.playbackBarVisible);
    writeRect(ini, kFilters, "Main Frame", f.mainFrame);
    writeRect(ini, kFilters, "L Frame", f.lWindow);
    writeRect(ini, kFilters, "M Frame", f.mWindow);
    writeRect(ini, kFilters, "H Frame", f.hWindow);
    writeRect(ini, kFilters, "ES Frame", f.esWindow);

    ini.writeInt(kPalette, "UseCustomPalette", s.palette.useCustomPalette);
    writeRect(ini, kPalette, "Frame", s.palette.frame);
}

}  // namespace hx
