// The application: owns the document, the main frame, the platform adapters
// and every subsystem's engine, runs the start-up sequence and routes each
// event (socket, timer, GPS read, command) to the logic that handles it.
// Everything here runs on the user-interface thread.
#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QToolBar>

#include <memory>

#include "app/CommandLine.h"
#include "app/SkerryDoc.h"
#include "core/Notifier.h"
#include "link/CycleSink.h"
#include "link/DocumentLifecycle.h"
#include "nav/GpsReadPacer.h"
#include "record/PlaybackShell.h"
#include "record/Recorder.h"

namespace hx {

class AcquisitionCycle;
class CDiagnosticsDlg;
class CReadWriteFiles;
class GpsReaderThread;
class MainFrame;
class PlaybackBar;
class PlaybackEngine;
class QtClock;
class QtFileDialogPort;
class QtHeadConnections;
class QtTimerPort;
class SimulatorProcess;
class SonarWindows;
class StdFileSystem;
enum class CommandId : int;

class SkerryApp final : public QObject,
                        private ICycleSink,
                        private ILinkObserver,
                        private IDocumentSteps,
                        private IRecorderWindow,
                        private IPingHooks,
                        private IPlaybackShell {
    Q_OBJECT
public:
    explicit SkerryApp(AppOptions options, QObject* parent = nullptr);
    ~SkerryApp() override;

    // The start-up sequence up to the connection dialog; false when the
    // program cannot run (the reason has been shown).
    bool start();

    MainFrame& frame() const { return *frame_; }
    CSkerryDoc& doc() { return doc_; }
    const QStringList& recentFiles() const { return recentFiles_; }

    // The connect command: the connection dialog, then real time or playback.
    void connectCommand();
    // The close-document sequence (settings saved, files and link closed);
    // runs once, at the latest when the application quits.
    void shutdown();

    // The main sidescan view, once it exists (benchmarks watch its paints).
    QWidget* mainView() const;

signals:
    // A completed cycle has been stored and its rows handed to the views.
    void cycleProcessed();

private:
    // Start-up and document.
    void newDocument();
    void closeDocumentSteps();
    void loadSettingsFile();
    void saveSettingsFile();
    void startSimulator();
    void applyPlaybackOffer();
    void useSimulatorEndpoints(std::string& systemAddress);

    // IDocumentSteps.
    bool baseNewDocument() override { return true; }
    void buildColourTables() override;
    void clearPingHistory() override;
    void createDataFileObject() override;
    void setDocumentPaths(const DocumentPaths& paths) override;
    void setGpsSerialDefaults(const GpsSerialDefaults& defaults) override;
    void setTitles(const std::string& windowTitle, const std::string& documentTitle) override;
    void loadSettings() override { loadSettingsFile(); }
    void markClosing() override { doc_.closing = true; }
    void saveSettings() override { saveSettingsFile(); }
    void destroyAuxiliaryWindows() override;
    void closeDataFiles() override;
    void destroyDataFileObject() override;
    void closeSerialPorts() override;
    void baseCloseDocument() override {}

    // Link events.
    void onCycleComplete(const CycleView& cycle) override;
    void onSystemInfoDecoded() override;
    void onCycleRejected(const CycleView& cycle) override;
    void onConnectionChanged(int head) override;

    // Ping hooks.
    void writeToDataFile(const PingHistoryRecord& record) override;
    void refreshLayoutIfChanged() override;

    // Recorder window (and the playback engine's caption and recent files).
    void setCaption(const std::string& caption) override;
    void addRecentFile(const std::string& path) override;

    // Playback shell.
    void closeRealTimeLink() override;
    void restartGpsPolling() override;
    void enterRealTimeLink() override;
    void setRecordMenuTexts(bool copyTexts) override;
    void showPlaybackBar(bool shown) override;
    void setPlaybackSlider(int position) override;
    void setPlaySpeed(int speed) override;
    void focusMainWindow() override;
    void gpsReplayed() override { refreshStatus(); }
    void pingPlayed(const StoredPing&) override;
    void cycleRejected() override { refreshDiagnostics(); }
    void playAlarmSound() override;
    void createPlaybackBar();
    void openRecentEntry(int index);

    void onTimer(TimerId id);
    void onGpsRead(const GpsSnapshot& snapshot);
    void refreshDiagnostics();
    void refreshStatus();
    void refreshControlBar();
    void rebuildForHeadSet() override;
    void redrawViews() override;
    PlaybackContext playbackContext() const;
    LayoutRects defaultRects() const;

    // Commands, by subsystem.
    void registerCommands();
    void registerFileCommands();
    void registerLinkCommands();
    void registerViewCommands();
    void registerGpsCommands();
    void registerWindowCommands();
    void runLinkCommandId(int id);

    AppOptions options_;
    CSkerryDoc doc_;
    QStringList recentFiles_;

    std::unique_ptr<QtClock> clock_;
    std::unique_ptr<INotifier> notifier_;
    std::unique_ptr<QtTimerPort> timers_;
    std::unique_ptr<QtHeadConnections> connections_;
    std::unique_ptr<AcquisitionCycle> acquisition_;
    std::unique_ptr<StdFileSystem> fs_;
    std::unique_ptr<CReadWriteFiles> files_;
    std::unique_ptr<QtFileDialogPort> dialogs_;
    std::unique_ptr<CRecorder> recorder_;
    std::unique_ptr<GpsReaderThread> gpsReader_;
    std::unique_ptr<GpsReadPacer> gpsPacer_;
    std::unique_ptr<SimulatorProcess> simulator_;
    std::unique_ptr<PlaybackEngine> playback_;
    QPointer<PlaybackBar> playbackBar_;
    QToolBar* playbackBarHolder_ = nullptr;

    QPointer<MainFrame> frame_;
    std::unique_ptr<SonarWindows> windows_;
    QPointer<CDiagnosticsDlg> diagnostics_;

    // The head set the menus were last built for.
    int builtAllSideScans_ = -1, builtHeadA_ = -1, builtHeadB_ = -1, builtOrientation_ = -1;
};

}  // namespace hx
