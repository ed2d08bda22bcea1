#include "session/SettingsBridge.h"

#include <cmath>

#include "imaging/PaletteFile.h"
#include "link/CommandMessages.h"
#include "link/DisplayPair.h"
#include "link/HeadSettings.h"
#include "settings/SettingsFile.h"

namespace hx {

namespace {

constexpr int kDefaultRangeIndex = 9;  // 50 m

// A stored range that is not in the table reads as the default.
void setRange(std::int32_t& rangeM, std::int32_t& index, int storedM) {
    index = rangeIndexOf(storedM).value_or(kDefaultRangeIndex);
    rangeM = rangeForIndex(index);
}

}  // namespace

std::optional<int> rangeIndexOf(int rangeM) {
    for (std::size_t i = 0; i < kRangeTableM.size(); ++i)
        if (kRangeTableM[i] == rangeM) return static_cast<int>(i);
    return std::nullopt;
}

void applyStoredSettings(const StoredSettings& s, CSkerryDoc& doc) {
    doc.stored = s;
    if (!s.system.writeFileDir.empty()) {
        doc.recorder.recordDirectory = s.system.writeFileDir;
        if (doc.recorder.recordDirectory.back() != '/') doc.recorder.recordDirectory += '/';
    }
    doc.recorder.writeFilterIndex = s.system.writeFilterIndex;
    doc.recorder.split = {static_cast<std::uint64_t>(s.system.splitRecordingMb) * 1000000ULL,
                          static_cast<std::uint32_t>(s.system.splitRecordingMinutes)};
    if (!s.system.readFileDir.empty()) {
        doc.playback.readDirectory = s.system.readFileDir;
        if (doc.playback.readDirectory.back() != '/') doc.playback.readDirectory += '/';
    }
    doc.playback.readFilterIndex = s.system.readFilterIndex;
    doc.playback.playSpeed = s.system.playbackSpeed;
    doc.view.units = s.system.units;
    doc.orientation.compassDeclination = s.system.compassDeclinationDeg;
    setRange(doc.heads.sideScanRange, doc.heads.sideScanRangeIndex, s.system.rangeM);
    setRange(doc.heads.echoSounderRange, doc.heads.echoSounderRangeIndex, s.echoSounderRangeM);

    doc.speed.useManualSpeed = s.system.useManualSpeed;
    doc.speed.useGpsSpeed = s.system.useGpsSpeed;
    doc.speed.manualShipSpeed = s.system.manualShipSpeedKn;
    doc.speed.speedCorrectionEnabled = s.view.speedCorrectionEnabled;
    doc.speed.autoSyncGpsTime = s.view.autoSyncGpsTime;
    doc.speed.convertUtcToLocal = s.view.convertUtcToLocal;
    doc.imagingSpeed = speedSourceOf(doc.speed);

    // "GPS Tracking" says only whether the track window is wanted; the GPS
    // is read either way.
    const std::int32_t gpsEnabled = doc.gps.gpsEnabled;
    doc.gps = s.gps;
    doc.gps.gpsEnabled = gpsEnabled;
    doc.trackPlot.gpsTrackingShown = s.system.gpsTracking;
    doc.trackPlot.gpsZoomFactor = zoomFromSetting(std::llround(s.system.gpsZoomFactor * 1000.0));

    for (int h = 0; h < kHeadCount; ++h) {
        const HeadSettings& head = s.heads[static_cast<std::size_t>(h)];
        const auto i = static_cast<std::size_t>(h);
        doc.heads.headIpAddress[i] = head.ipAddress;
        doc.heads.headFrequency[i] = head.frequencyHz;
        doc.heads.headGain[i] = head.gain;
        doc.heads.headXmitControl[i] = static_cast<std::uint8_t>(head.transmitEnable);
        doc.heads.headAvailable[i] = head.available;
    }
    applyDisplayPair(doc.heads.headAvailable, doc.link);

    doc.view.showColorIndicator = 0;  // the stored value is read but the indicator starts hidden
    doc.view.grid = s.view.showGrid;
    doc.view.showEsGrid = s.view.showEsGrid;
    doc.view.markerTextSize = s.view.markerTextSize;
    doc.view.settingsChangeAlarm = s.view.settingsChangeAlarm;
    doc.palette.colourTableIndex = s.view.colorTable;
    doc.palette.useCustomPalette = s.palette.useCustomPalette;
    doc.view.nightMode = s.system.nightMode;
    doc.palette.nightBrightness = ClampNightBrightness(s.system.nightBrightness);
    doc.palette.nightRed = s.system.nightMode != 0 || s.system.nightRedTable != 0 ? 1 : 0;

    auto& filters = doc.orientation.filters;
    filters[OrientationChannel::Pitch].enabled = s.filters.pitch;
    filters[OrientationChannel::Roll].enabled = s.filters.roll;
    filters[OrientationChannel::Heading].enabled = s.filters.heading;
    filters[OrientationChannel::Depth].enabled = s.filters.depth;
    filters[OrientationChannel::Temperature].enabled = s.filters.temp;

    updateCommandsFromSettings(doc.heads);
}

StoredSettings collectStoredSettings(const CSkerryDoc& doc) {
    StoredSettings s = doc.stored;
    s.system.writeFilterIndex = doc.recorder.writeFilterIndex;
    s.system.readFilterIndex = doc.playback.readFilterIndex;
    s.system.playbackSpeed = doc.playback.playSpeed;
    if (!doc.playback.readDirectory.empty()) s.system.readFileDir = doc.playback.readDirectory;
    if (!doc.recorder.recordDirectory.empty()) s.system.writeFileDir = doc.recorder.recordDirectory;
    s.system.units = doc.view.units;
    s.system.compassDeclinationDeg = doc.orientation.compassDeclination;
    s.system.rangeM = doc.heads.sideScanRange;
    s.system.rangeIndex = doc.heads.sideScanRangeIndex;
    s.echoSounderRangeM = doc.heads.echoSounderRange;
    s.echoSounderRangeIndex = doc.heads.echoSounderRangeIndex;
    s.system.useManualSpeed = doc.speed.useManualSpeed;
    s.system.useGpsSpeed = doc.speed.useGpsSpeed;
    s.system.manualShipSpeedKn = doc.speed.manualShipSpeed;
    s.view.speedCorrectionEnabled = doc.speed.speedCorrectionEnabled;
    s.view.autoSyncGpsTime = doc.speed.autoSyncGpsTime;
    s.view.convertUtcToLocal = doc.speed.convertUtcToLocal;
    s.gps = doc.gps;
    s.system.gpsTracking = doc.trackPlot.gpsTrackingShown;
    s.system.gpsZoomFactor = doc.trackPlot.gpsZoomFactor;

    for (int h = 0; h < kHeadCount; ++h) {
        HeadSettings& head = s.heads[static_cast<std::size_t>(h)];
        const auto i = static_cast<std::size_t>(h);
        head.ipAddress = doc.heads.headIpAddress[i];
        head.frequencyHz = doc.heads.headFrequency[i];
        head.gain = doc.heads.headGain[i];
        head.transmitEnable = doc.heads.headXmitControl[i];
        head.available = doc.heads.headAvailable[i];
    }

    s.view.showColorIndicator = doc.view.showColorIndicator;
    s.view.showGrid = doc.view.grid;
    s.view.showEsGrid = doc.view.showEsGrid;
    s.view.markerTextSize = doc.view.markerTextSize;
    s.view.settingsChangeAlarm = doc.view.settingsChangeAlarm;
    s.view.colorTable = doc.palette.colourTableIndex;
    s.palette.useCustomPalette = doc.palette.useCustomPalette;
    s.system.nightMode = doc.view.nightMode;
    s.system.nightBrightness = doc.palette.nightBrightness;
    // Chosen by day, the night red table stays; at night the day's choice
    // is the one kept in the stored settings.
    s.system.nightRedTable = doc.view.nightMode == 0 ? doc.palette.nightRed : doc.stored.system.nightRedTable;

    const auto& filters = doc.orientation.filters;
    s.filters.pitch = filters[OrientationChannel::Pitch].enabled;
    s.filters.roll = filters[OrientationChannel::Roll].enabled;
    s.filters.heading = filters[OrientationChannel::Heading].enabled;
    s.filters.depth = filters[OrientationChannel::Depth].enabled;
    s.filters.temp = filters[OrientationChannel::Temperature].enabled;
    return s;
}

void LoadSettingsFile(CSkerryDoc& doc, const LayoutRects& screenDefaults) {
    const IniFile ini = IniFile::load(doc.settingsPath);
    applyStoredSettings(loadSettings(ini, screenDefaults), doc);
}

void LoadCustomPaletteAtStart(PaletteState& palette) {
    if (palette.useCustomPalette == 1) LoadPaletteFile(palette);
}

bool SaveSettingsFile(const CSkerryDoc& doc, const StoredSettings& collected, bool writeLinkKeys) {
    IniFile ini = IniFile::load(doc.settingsPath);
    saveSettings(ini, collected, writeLinkKeys);
    // The palette file in use is named (it is not read back: each run starts
    // from the default file) and, when the custom palette is on, saved.
    ini.writeString(kPaletteSection, kPaletteFileNameKey, doc.palette.paletteFilePath);
    if (doc.palette.useCustomPalette == 1) SavePaletteFile(doc.palette, nullptr);
    return ini.save(doc.settingsPath);
}

}  // namespace hx
