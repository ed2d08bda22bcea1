#include "app/SkerryApp.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHostAddress>
#include <QMdiArea>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <QToolBar>

#include "app/CommandRouter.h"
#include "app/DefaultLayout.h"
#include "app/MainFrame.h"
#include "app/PlaybackBar.h"
#include "app/RecentFiles.h"
#include "app/SettingsBridge.h"
#include "app/SonarWindows.h"
#include "imaging/ColourTables.h"
#include "imaging/PaletteFile.h"
#include "imaging/PingHistory.h"
#include "link/AcquisitionCycle.h"
#include "link/DisplayPair.h"
#include "link/DiagnosticsText.h"
#include "link/ui/ConnectionDlg.h"
#include "link/ui/DiagnosticsDlg.h"
#include "platform/ConsoleNotifier.h"
#include "platform/QtClock.h"
#include "platform/QtFileDialogPort.h"
#include "platform/QtHeadConnections.h"
#include "platform/QtTimerPort.h"
#include "platform/SimulatorProcess.h"
#include "platform/WidgetNotifier.h"
#include "platform/gps/GpsReaderThread.h"
#include "record/PlaybackEngine.h"
#include "record/ReadWriteFiles.h"
#include "record/StdFileSystem.h"
#include "settings/IniFile.h"
#include "settings/SettingsFile.h"

namespace hx {

namespace {

// The folder of the settings file: --settings, else $XDG_CONFIG_HOME/hx642.
QString settingsFolder(const AppOptions& options) {
    if (!options.settingsPath.isEmpty()) return QFileInfo(options.settingsPath).absolutePath();
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/hx642");
}

LayoutRects screenLayout(const MainFrame& frame) {
    const QScreen* screen = frame.screen() ? frame.screen() : QGuiApplication::primaryScreen();
    const QRect r = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
    const int bar = frame.toolBar() ? frame.toolBar()->sizeHint().height() : 30;
    return defaultLayout(r.width(), r.height(), bar);
}

}  // namespace

SkerryApp::SkerryApp(AppOptions options, QObject* parent) : QObject(parent), options_(std::move(options)) {
    clock_ = std::make_unique<QtClock>();
    timers_ = std::make_unique<QtTimerPort>([this](TimerId id) { onTimer(id); });
    connections_ = std::make_unique<QtHeadConnections>();
    fs_ = std::make_unique<StdFileSystem>();
}

SkerryApp::~SkerryApp() {
    shutdown();
    windows_.reset();
    if (frame_) delete frame_.data();
}

void SkerryApp::shutdown() {
    if (!acquisition_ || doc_.closing) return;
    closeDocument({doc_.heads, doc_.link, doc_.cycle, doc_.orientation}, *timers_, *connections_, *this);
    simulator_.reset();
}

LayoutRects SkerryApp::defaultRects() const { return screenLayout(*frame_); }

bool SkerryApp::start() {
    recentFiles_ = loadRecentFiles();
    frame_ = new MainFrame;
    if (options_.unattended) {
        notifier_ = std::make_unique<ConsoleNotifier>();
    } else {
        notifier_ = std::make_unique<WidgetNotifier>(frame_);
    }
    dialogs_ = std::make_unique<QtFileDialogPort>(frame_);

    acquisition_ = std::make_unique<AcquisitionCycle>(
        doc_.heads, doc_.link, doc_.cycle, doc_.orientation,
        LinkPorts{*connections_, *timers_, *clock_, *notifier_, *this, static_cast<ILinkObserver*>(this)});
    connections_->setEvents(acquisition_.get());

    newDocument();
    files_->setDisplayPairHook([](const HeadTable& t, LinkFields& l) { applyDisplayPair(t.headAvailable, l); });
    playback_ = std::make_unique<PlaybackEngine>(
        doc_.playback,
        PlaybackDocument{doc_.heads, doc_.link, doc_.cycle, doc_.orientation, doc_.imaging, doc_.imagingSpeed,
                         doc_.dataFile, doc_.recorder, doc_.events, doc_.gpsLatest, doc_.gps.gpsType,
                         doc_.view.settingsChangeAlarm, doc_.track},
        *files_, *recorder_, PlaybackPorts{*timers_, *notifier_, *dialogs_, *clock_, *fs_, *this});
    windows_ = std::make_unique<SonarWindows>(*frame_, doc_, [this] { redrawViews(); }, [this] {
        if (doc_.link.playbackMode == 0) refreshControlBar();
        refreshStatus();
    });
    windows_->setTimers(timers_.get());
    registerCommands();
    createPlaybackBar();
    connect(frame_, &MainFrame::fileDropped, this, [this](const QString& path) { playback_->openPath(path.toStdString()); });
    frame_->rebuildMenus([this] { return recentFiles_; });

    const WindowRect r = doc_.stored.filters.mainFrame;
    if (r.valid() && r.right - r.left >= 320 && r.bottom - r.top >= 240)
        frame_->setGeometry(r.left, r.top, r.right - r.left, r.bottom - r.top);
    frame_->show();
    windows_->openMainView();

    gpsReader_ = std::make_unique<GpsReaderThread>(notifier_.get());
    gpsPacer_ = std::make_unique<GpsReadPacer>(
        *timers_, GpsReadPacer::Hooks{[this] { gpsReader_->requestRead(); }, [this] { redrawViews(); }});
    connect(gpsReader_.get(), &GpsReaderThread::readDone, this, &SkerryApp::onGpsRead);
    gpsPacer_->setIntervalMs(doc_.gps.gpsReadInterval);
    gpsReader_->start();
    gpsPacer_->setReaderRunning(true);
    connect(qApp, &QCoreApplication::aboutToQuit, this, &SkerryApp::shutdown);

    rebuildForHeadSet();
    refreshControlBar();
    refreshStatus();
    frame_->router().startIdleUpdates(250);

    if (!options_.playbackFile.isEmpty()) {
        const std::string file = options_.playbackFile.toStdString();
        // A file that cannot be played has said why; the operator connects
        // with the connect command when ready.
        QTimer::singleShot(0, this, [this, file] { playback_->openPath(file); });
    } else if (options_.simulate) {
        startSimulator();
    } else {
        QTimer::singleShot(0, this, &SkerryApp::connectCommand);
    }
    return true;
}

void SkerryApp::startSimulator() {
    simulator_ = std::make_unique<SimulatorProcess>();
    connect(simulator_.get(), &SimulatorProcess::ready, this, [this] {
        const SimulatorEndpoints& e = simulator_->endpoints();
        std::uint16_t systemPort = 0;
        for (int h = kHeadCount - 1; h >= 0; --h) {
            const std::uint16_t port = e.port[static_cast<std::size_t>(h)];
            if (port == 0) continue;
            acquisition_->setHeadPort(h, port);
            systemPort = port;
        }
        // The system information is asked over head L's connection at the
        // system address: without an L head that is the first head served.
        if (e.port[kHeadL] == 0 && systemPort != 0) acquisition_->setHeadPort(kHeadL, systemPort);
        connectCommand();
    });
    connect(simulator_.get(), &SimulatorProcess::failed, this, [this](const QString& text) {
        notifier_->message(text.toStdString(), MessageIcon::Error);
    });
    // Free ports on the simulator's own loopback addresses, so that a second
    // program or a test run beside this one never collides.
    simulator_->start(QStringList{QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--gps-pty")} +
                      options_.simulatorArguments);
}

// ---- document ----

void SkerryApp::newDocument() {
    const QString folder = settingsFolder(options_);
    hx::newDocument({doc_.heads, doc_.link, doc_.cycle, doc_.orientation}, folder.toStdString(), *this);
}

void SkerryApp::buildColourTables() {
    doc_.palette.colourTables = GenerateColourTables();
    ReplaceCustomPaletteWithTable(doc_.palette);
}

void SkerryApp::clearPingHistory() { ClearHistory(doc_.imaging.history); }

void SkerryApp::createDataFileObject() {
    if (!files_) files_ = std::make_unique<CReadWriteFiles>(doc_.dataFile, *fs_, *notifier_);
    if (!recorder_)
        recorder_ = std::make_unique<CRecorder>(doc_.recorder, doc_.dataFile, doc_.events, *files_,
                                                RecorderPorts{*fs_, *notifier_, *clock_, *dialogs_, *this});
}

void SkerryApp::setDocumentPaths(const DocumentPaths& paths) {
    doc_.programDirectory = paths.programDirectory;
    doc_.settingsPath = options_.settingsPath.isEmpty() ? paths.settingsFile : options_.settingsPath.toStdString();
    doc_.palette.paletteFilePath = paths.paletteFile;
    if (doc_.recorder.recordDirectory.empty()) doc_.recorder.recordDirectory = paths.programDirectory;
}

void SkerryApp::setGpsSerialDefaults(const GpsSerialDefaults& d) {
    doc_.gps.gpsBaudRate = d.baudRate;
    doc_.gps.gpsDataBits = static_cast<std::uint8_t>(d.dataBits);
    doc_.gps.gpsStopBits = static_cast<std::uint8_t>(d.stopBitCode);
    doc_.gps.gpsParity = static_cast<std::uint8_t>(d.parity);
    doc_.gps.gpsFlow = static_cast<std::uint8_t>(d.flowControl);
    doc_.gps.gpsType = d.gpsType;
}

void SkerryApp::setTitles(const std::string& windowTitle, const std::string&) {
    doc_.windowTitle = windowTitle;
    if (frame_) frame_->setWindowTitle(QString::fromStdString(windowTitle));
}

void SkerryApp::loadSettingsFile() {
    const IniFile ini = IniFile::load(doc_.settingsPath);
    const StoredSettings s = hx::loadSettings(ini, screenLayout(*frame_));
    applyStoredSettings(s, doc_);
    LoadPaletteFile(doc_.palette);
    if (gpsPacer_) gpsPacer_->setIntervalMs(doc_.gps.gpsReadInterval);
}

void SkerryApp::saveSettingsFile() {
    StoredSettings s = collectStoredSettings(doc_);
    if (frame_) {
        const QRect g = frame_->geometry();
        s.filters.mainFrame = {g.left(), g.top(), g.right() + 1, g.bottom() + 1};
        s.filters.toolBarVisible = frame_->toolBar()->isVisible() ? 1 : 0;
    }
    if (windows_) windows_->storeRects(s);
    IniFile ini = IniFile::load(doc_.settingsPath);
    // The simulator's addresses and GPS device are not the operator's
    // system: like playback, a simulated session leaves them untouched.
    hx::saveSettings(ini, s, doc_.link.playbackMode == 0 && !options_.simulate);
    // A settings file that cannot be written is left as it was.
    ini.save(doc_.settingsPath);
    saveRecentFiles(recentFiles_);
}

void SkerryApp::destroyAuxiliaryWindows() {
    if (diagnostics_) delete diagnostics_.data();
    if (windows_) windows_->closeAuxiliary();
}

void SkerryApp::closeDataFiles() {
    if (recorder_ && recorder_->recording()) recorder_->recordStop(playbackContext());
    if (playback_) playback_->closeFiles();
    if (files_) {
        files_->closeOutput();
        files_->closePlayback();
    }
}

void SkerryApp::destroyDataFileObject() {
    playback_.reset();
    recorder_.reset();
    files_.reset();
}

void SkerryApp::closeSerialPorts() {
    if (gpsPacer_) gpsPacer_->stop();
    gpsReader_.reset();
}

// ---- the connect command ----

void SkerryApp::connectCommand() {
    timers_->stop(TimerId::PlaybackStep);
    const QString shownAddress = simulator_ && simulator_->isReady() ? simulator_->systemAddress()
                                                                     : QString::fromStdString(doc_.heads.headIpAddress[kHeadL]);
    CConnectionDlg dialog(shownAddress, frame_);
    // Without an operator (offscreen) the dialog confirms itself.
    if (options_.unattended) QTimer::singleShot(0, &dialog, &QDialog::accept);
    if (dialog.exec() != QDialog::Accepted) {
        applyPlaybackOffer();
        return;
    }
    std::string address = dialog.address().toStdString();
    // Enter real time: a played file is closed, the settings come back from
    // the file, the link starts.
    if (doc_.link.playbackMode != 0) playback_->returnToRealTime();
    frame_->setWindowTitle(QStringLiteral("HX642 -- Real Time"));
    loadSettingsFile();
    if (simulator_) {
        if (!simulator_->isReady()) return;
        useSimulatorEndpoints(address);
    }
    acquisition_->enterRealTimeMode();
    gpsPacer_->setPlaybackMode(false);
    gpsReader_->ReopenGpsPort(doc_.gps);
    gpsPacer_->start();
    rebuildForHeadSet();
    acquisition_->requestSystemInformation(address);
    refreshControlBar();
}

void SkerryApp::useSimulatorEndpoints(std::string& systemAddress) {
    // The simulator's heads and GPS are where it says, whatever the settings
    // file holds, and a simulated session talks to loopback only.
    const SimulatorEndpoints& e = simulator_->endpoints();
    for (int h = 0; h < kHeadCount; ++h) {
        const auto i = static_cast<std::size_t>(h);
        doc_.heads.headIpAddress[i] = e.address[i].isEmpty() ? std::string("127.0.0.1") : e.address[i].toStdString();
    }
    if (!QHostAddress(QString::fromStdString(systemAddress)).isLoopback())
        systemAddress = simulator_->systemAddress().toStdString();
    if (!e.gpsDevice.isEmpty()) {
        doc_.gps.gpsSource = GpsSourceKind::Serial;
        doc_.gps.gpsDevice = e.gpsDevice.toStdString();
        doc_.gps.gpsEnabled = 1;
    }
}

void SkerryApp::applyPlaybackOffer() {
    // Declining real time offers a recording to play; without an operator
    // there is nobody to choose one.
    if (!options_.unattended) playback_->openWithDialog();
    rebuildForHeadSet();
}

// ---- link events ----

void SkerryApp::onCycleComplete(const CycleView&) {
    PingExtras extras;
    extras.pingNumber = doc_.cycle.goodCycleCount;
    extras.gpsSpeedKn = doc_.gpsLatest.fix.gpsSpeed;
    const GpsFix& fix = doc_.gpsLatest.fix;
    extras.gpsText = {fix.latText, fix.lonText, fix.timeText, fix.speedText, fix.courseText, fix.headingText};
    extras.altitudeM = doc_.orientation.altitudeM;
    extras.headingDeg = doc_.orientation.headingDeg;
    extras.tickMs = clock_->tickMs();
    const StoredPing stored = StorePing(doc_.imaging, doc_.cycle, doc_.heads, doc_.link, doc_.imagingSpeed,
                                        extras, this);
    if (stored.drawn || doc_.imaging.display.holdDisplay) redrawViews();
    refreshStatus();
    refreshDiagnostics();
    emit cycleProcessed();
}

QWidget* SkerryApp::mainView() const { return windows_ ? windows_->mainView() : nullptr; }

void SkerryApp::writeToDataFile(const PingHistoryRecord&) {
    if (!recorder_ || !recorder_->recording()) return;
    recorder_->recordStep(RecordSources{doc_.heads, doc_.link, doc_.cycle, doc_.gpsLatest.gpsSentences, doc_.gps.gpsType},
                          doc_.link.linkStale != 0, playbackContext());
}

void SkerryApp::refreshLayoutIfChanged() {
    if (doc_.link.allSideScansAvailable != builtAllSideScans_ || doc_.link.displayHeadA != builtHeadA_ ||
        doc_.link.displayHeadB != builtHeadB_ || doc_.link.orientationAvailable != builtOrientation_)
        rebuildForHeadSet();
}

void SkerryApp::onSystemInfoDecoded() {
    rebuildForHeadSet();
    refreshControlBar();
}

void SkerryApp::onCycleRejected(const CycleView&) { refreshDiagnostics(); }

void SkerryApp::onConnectionChanged(int) { refreshDiagnostics(); }

void SkerryApp::rebuildForHeadSet() {
    builtAllSideScans_ = doc_.link.allSideScansAvailable;
    builtHeadA_ = doc_.link.displayHeadA;
    builtHeadB_ = doc_.link.displayHeadB;
    builtOrientation_ = doc_.link.orientationAvailable;
    frame_->rebuildMenus([this] { return recentFiles_; });
    if (windows_) windows_->headSetChanged();
    if (doc_.link.playbackMode == 0) frame_->setWindowTitle(QStringLiteral("HX642 -- Real Time"));
    refreshControlBar();
}

void SkerryApp::redrawViews() {
    if (windows_) windows_->updateViews();
}

PlaybackContext SkerryApp::playbackContext() const {
    if (playback_) return playback_->playbackContext();
    PlaybackContext p;
    p.playback = doc_.link.playbackMode != 0;
    return p;
}

// ---- recorder window ----

void SkerryApp::setCaption(const std::string& caption) {
    if (frame_) frame_->setWindowTitle(QString::fromStdString(caption));
}

void SkerryApp::addRecentFile(const std::string& path) {
    recentFiles_ = withRecentFile(recentFiles_, QString::fromStdString(path));
}

// ---- timers and GPS ----

void SkerryApp::onTimer(TimerId id) {
    switch (id) {
        case TimerId::LinkWatchdog: acquisition_->onTimer(id); break;
        case TimerId::GpsRead: gpsPacer_->onTimer(); break;
        case TimerId::PlaybackStart:
        case TimerId::PlaybackStep:
            if (playback_) playback_->onTimer(id);
            break;
        default: break;
    }
}

void SkerryApp::onGpsRead(const GpsSnapshot& snapshot) {
    // A read that was under way when playback began: the played file's
    // sentences own the fix now.
    if (doc_.link.playbackMode != 0) {
        gpsPacer_->onReadDone(false);
        return;
    }
    doc_.gpsLatest = snapshot;
    if (snapshot.positionPublished && doc_.gps.gpsEnabled)
        AddTrackPoint(doc_.track, snapshot.fix.gpsLatitude, snapshot.fix.gpsLongitude);
    gpsPacer_->onReadDone(snapshot.fix.gpsUpdated != 0);
    refreshStatus();
}

void SkerryApp::refreshDiagnostics() {
    if (!diagnostics_ || !diagnostics_->isVisible()) return;
    diagnostics_->refresh(buildDiagnosticsTexts(doc_.heads, doc_.link, doc_.cycle, doc_.view.displayTimeMs,
                                                doc_.view.units, diagnostics_->texts()));
}

}  // namespace hx
