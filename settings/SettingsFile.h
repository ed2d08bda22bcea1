// Reading and writing the settings file's sections and keys.
#pragma once

#include <string>

#include "settings/IniFile.h"
#include "settings/StoredSettings.h"

namespace hx {

// The settings a file holds; missing keys take their defaults, rectangles
// default to the layout given. Absurd values are brought into range so that
// a damaged file can never put the program into a state it cannot show.
StoredSettings loadSettings(const IniFile& ini, const LayoutRects& layout);

// Writes the keys in their order into ini. In playback the "Settings" section
// and the four head sections are left untouched, so the real-time values
// survive what a played file loaded.
void saveSettings(IniFile& ini, const StoredSettings& s, bool realTime);

// Playback timer interval of a play speed: 100 - 10 x speed ms below 10, else 0.
int playbackIntervalMs(int playbackSpeed);

// Section names of the head sections, by head number.
const char* headSectionName(int head);

}  // namespace hx
