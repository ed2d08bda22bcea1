// Between the settings file's values and the document: loading puts every
// stored value where the program keeps it (and updates the command messages);
// saving gathers them back.
#pragma once

#include "session/SkerryDoc.h"
#include "settings/IniFile.h"
#include "settings/StoredSettings.h"

namespace hx {

void applyStoredSettings(const StoredSettings& s, CSkerryDoc& doc);
StoredSettings collectStoredSettings(const CSkerryDoc& doc);

// The table index of a range in metres, or nullopt when the table has none.
std::optional<int> rangeIndexOf(int rangeM);

inline constexpr const char* kPaletteSection = "Palette";
inline constexpr const char* kPaletteFileNameKey = "PaletteFileName";

// The settings file at the document's settingsPath into the document.
// screenDefaults are the window rectangles a file without them starts with.
void LoadSettingsFile(CSkerryDoc& doc, const LayoutRects& screenDefaults);

// Start-up, once the main window exists (so that its first resize finds it):
// the palette file when the custom palette is in use. A missing file leaves
// the selected table.
void LoadCustomPaletteAtStart(PaletteState& palette);

// The document's settings, with what only the windows know already in
// collected, back into the file key by key (unknown keys and comments stay),
// with "PaletteFileName"; the palette file is saved when the custom palette
// is in use.
// The link's keys (addresses, frequencies, GPS port) are written only when
// they are the operator's: in real time with real heads. False when the file
// could not be written; it is then left as it was.
bool SaveSettingsFile(const CSkerryDoc& doc, const StoredSettings& collected, bool writeLinkKeys);

}  // namespace hx
