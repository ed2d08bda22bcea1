// The settings load and save over any settings file: whatever a file holds,
// the settings it loads must save and load again to the very same settings
// and file, so that nothing drifts from one run of the program to the next;
// saving into the file itself must load the same settings. Input: the
// file's text.
#include <string>

#include "settings/SettingsFile.h"
#include "support/FuzzSupport.h"

using namespace hx;

namespace {

LayoutRects layout() {
    LayoutRects l;
    l.mainFrame = {0, 0, 1536, 640};
    l.lWindow = {0, 0, 1536, 300};
    l.mWindow = {0, 300, 1536, 600};
    l.hWindow = {0, 600, 1536, 900};
    l.esWindow = {1536, 0, 1920, 500};
    l.gpsTrack = {1536, 500, 1920, 1000};
    return l;
}

std::string savedText(const StoredSettings& s) {
    IniFile out;
    saveSettings(out, s, true);
    return out.toText();
}

// The values that the saved text alone cannot show drifting: fractions
// written as whole numbers, and texts.
bool sameFractionsAndTexts(const StoredSettings& a, const StoredSettings& b) {
    bool same = a.system.gpsZoomFactor == b.system.gpsZoomFactor &&
                a.system.compassDeclinationDeg == b.system.compassDeclinationDeg &&
                a.system.manualShipSpeedKn == b.system.manualShipSpeedKn &&
                a.system.readFileDir == b.system.readFileDir && a.system.writeFileDir == b.system.writeFileDir &&
                a.gps.gpsDevice == b.gps.gpsDevice && a.gps.gpsdHost == b.gps.gpsdHost &&
                a.gps.udpAddress == b.gps.udpAddress;
    for (std::size_t h = 0; h < a.heads.size(); ++h) same = same && a.heads[h].ipAddress == b.heads[h].ipAddress;
    return same;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    IniFile ini = IniFile::fromText(text);
    const StoredSettings loaded = loadSettings(ini, layout());

    const std::string once = savedText(loaded);
    const StoredSettings reloaded = loadSettings(IniFile::fromText(once), layout());
    FUZZ_CHECK(sameFractionsAndTexts(reloaded, loaded));
    FUZZ_CHECK(savedText(reloaded) == once);

    // Written into the file it came from, in playback and then in real time.
    saveSettings(ini, loaded, false);
    saveSettings(ini, loaded, true);
    FUZZ_CHECK(savedText(loadSettings(IniFile::fromText(ini.toText()), layout())) == once);
    return 0;
}
