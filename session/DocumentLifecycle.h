// The document's new-document sequence, where the settings file lives, and
// the start of a session. The program runs it once at start-up, before the
// settings file is loaded (session/SettingsBridge.h).
#pragma once

#include <string>

#include "session/SkerryDoc.h"

namespace hx {

inline constexpr const char* kSettingsFileName = "HX642.ini";
inline constexpr const char* kPaletteFileName = "HX642.pal";

struct DocumentPaths {
    std::string programDirectory;  // ends with '/'
    std::string settingsFile;      // programDirectory + "HX642.ini"
    std::string paletteFile;       // programDirectory + "HX642.pal"
};

// The settings and palette files in the given directory ('/' appended when missing).
DocumentPaths makeDocumentPaths(const std::string& directory);

// Every default: the link's state and command templates, the built-in colour
// tables, an empty ping history, the paths (a recording goes to the program's
// folder until the settings say otherwise), the GPS serial line of a new
// document (4800 baud, 8 data bits, one stop bit, no parity, no flow control)
// and the real-time title.
void NewDocument(CSkerryDoc& doc, const DocumentPaths& paths);

}  // namespace hx
