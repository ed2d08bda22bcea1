#include "link/DocumentLifecycle.h"

#include "link/CommandMessages.h"

namespace hx {

DocumentPaths makeDocumentPaths(const std::string& directory) {
    DocumentPaths p;
    p.programDirectory = directory;
    if (p.programDirectory.empty() || p.programDirectory.back() != '/') p.programDirectory.push_back('/');
    p.settingsFile = p.programDirectory + kSettingsFileName;
    p.paletteFile = p.programDirectory + kPaletteFileName;
    return p;
}

void initialiseLinkDefaults(LinkDocument doc) {
    doc.heads = HeadTable{};
    doc.link = LinkFields{};
    doc.cycle = CycleValues{};
    doc.orientation = OrientationState{};
    buildCommandTemplates(doc.heads, doc.link);
}

bool newDocument(LinkDocument doc, const std::string& programDirectory, IDocumentSteps& steps) {
    if (!steps.baseNewDocument()) return false;
    initialiseLinkDefaults(doc);
    steps.buildColourTables();
    steps.clearPingHistory();
    steps.createDataFileObject();
    steps.setDocumentPaths(makeDocumentPaths(programDirectory));
    steps.setGpsSerialDefaults(GpsSerialDefaults{});
    steps.setTitles(kRealTimeWindowTitle, kRealTimeDocumentTitle);
    steps.loadSettings();
    // The settings load updates the commands itself; doing it again costs
    // nothing and leaves no template without a frequency should it fail.
    updateCommandsFromSettings(doc.heads);
    return true;
}

void closeDocument(LinkDocument doc, ITimerPort& timers, IHeadConnectionPort& connections, IDocumentSteps& steps) {
    timers.stop(TimerId::LinkWatchdog);
    timers.stop(TimerId::PlaybackStart);
    timers.stop(TimerId::PlaybackStep);
    steps.markClosing();
    steps.saveSettings();
    steps.destroyAuxiliaryWindows();
    steps.closeDataFiles();
    steps.destroyDataFileObject();
    steps.closeSerialPorts();
    for (int h = 0; h < kHeadCount; ++h) {
        doc.link.headConnected[static_cast<std::size_t>(h)] = 0;
        connections.close(h);
    }
    steps.baseCloseDocument();
}

}  // namespace hx
