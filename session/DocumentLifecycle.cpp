#include "session/DocumentLifecycle.h"

#include "imaging/ColourTables.h"
#include "imaging/PingHistory.h"
#include "link/LinkDefaults.h"

namespace hx {

DocumentPaths makeDocumentPaths(const std::string& directory) {
    DocumentPaths p;
    p.programDirectory = directory;
    if (p.programDirectory.empty() || p.programDirectory.back() != '/') p.programDirectory.push_back('/');
    p.settingsFile = p.programDirectory + kSettingsFileName;
    p.paletteFile = p.programDirectory + kPaletteFileName;
    return p;
}

void NewDocument(CSkerryDoc& doc, const DocumentPaths& paths) {
    initialiseLinkDefaults({doc.heads, doc.link, doc.cycle, doc.orientation});

    doc.palette.colourTables = GenerateColourTables();
    ReplaceCustomPaletteWithTable(doc.palette);
    ClearHistory(doc.imaging.history);

    doc.programDirectory = paths.programDirectory;
    doc.settingsPath = paths.settingsFile;
    doc.palette.paletteFilePath = paths.paletteFile;
    if (doc.recorder.recordDirectory.empty()) doc.recorder.recordDirectory = paths.programDirectory;
    if (doc.playback.readDirectory.empty()) doc.playback.readDirectory = paths.programDirectory;

    doc.gps.gpsBaudRate = 4800;
    doc.gps.gpsDataBits = 8;
    doc.gps.gpsStopBits = 0;
    doc.gps.gpsParity = 0;
    doc.gps.gpsFlow = 0;
    doc.gps.gpsType = 0;

    doc.windowTitle = kRealTimeCaption;
}

}  // namespace hx
