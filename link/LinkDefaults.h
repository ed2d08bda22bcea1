// The document's start and close sequences as far as the link owns them.
// Everything outside the link (settings file, colour tables, ping history,
// data files, serial ports, windows) is reached through IDocumentSteps, which
// the application implements over the other subsystems.
#pragma once

#include <string>

#include "core/TimerPort.h"
#include "link/HeadConnectionPort.h"
#include "link/LinkState.h"
#include "link/OrientationState.h"

namespace hx {

inline constexpr const char* kRealTimeWindowTitle = "HX642 -- Real Time";
inline constexpr const char* kRealTimeDocumentTitle = "- Real Time";
inline constexpr const char* kSettingsFileName = "HX642.ini";
inline constexpr const char* kPaletteFileName = "HX642.pal";

struct LinkDocument {
    HeadTable& heads;
    LinkFields& link;
    CycleValues& cycle;
    OrientationState& orientation;
};

struct DocumentPaths {
    std::string programDirectory;  // ends with '/'
    std::string settingsFile;      // programDirectory + "HX642.ini"
    std::string paletteFile;       // programDirectory + "HX642.pal"
};

// The GPS serial line the document starts with, before the settings load.
struct GpsSerialDefaults {
    int baudRate = 4800;
    int dataBits = 8;
    int stopBitCode = 0;  // one stop bit
    int parity = 0;       // none
    int flowControl = 0;  // none
    int gpsType = 0;
};

class IDocumentSteps {
public:
    virtual ~IDocumentSteps() = default;
    // New document.
    virtual bool baseNewDocument() = 0;
    virtual void buildColourTables() = 0;
    virtual void clearPingHistory() = 0;
    virtual void createDataFileObject() = 0;
    virtual void setDocumentPaths(const DocumentPaths& paths) = 0;
    virtual void setGpsSerialDefaults(const GpsSerialDefaults& defaults) = 0;
    virtual void setTitles(const std::string& windowTitle, const std::string& documentTitle) = 0;
    virtual void loadSettings() = 0;
    // Close document.
    virtual void markClosing() = 0;
    virtual void saveSettings() = 0;
    virtual void destroyAuxiliaryWindows() = 0;
    virtual void closeDataFiles() = 0;  // data, event and copy files
    virtual void destroyDataFileObject() = 0;
    virtual void closeSerialPorts() = 0;
    virtual void baseCloseDocument() = 0;
};

// The settings and palette files in the given directory ('/' appended when missing).
DocumentPaths makeDocumentPaths(const std::string& directory);

// Every default of the link's state, the command templates and cleared
// orientation filters. The compass declination is a setting and is reset too.
void initialiseLinkDefaults(LinkDocument doc);

// The new-document sequence. Returns false when the base step fails.
bool newDocument(LinkDocument doc, const std::string& programDirectory, IDocumentSteps& steps);

// The close-document sequence: timers stopped, settings saved, files and
// windows closed, serial ports and all head connections closed.
void closeDocument(LinkDocument doc, ITimerPort& timers, IHeadConnectionPort& connections, IDocumentSteps& steps);

}  // namespace hx
