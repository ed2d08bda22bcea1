#include "app/SkerryApp.h"

#include <QApplication>
#include <QFileInfo>
#include <QStatusBar>
#include <QStandardPaths>
#include <QTimer>

#include "app/CommandHandlers.h"
#include "app/CommandRouter.h"
#include "app/DiskSpacePane.h"
#include "app/ConnectionController.h"
#include "app/GpsLink.h"
#include "app/HeadSetLayout.h"
#include "app/MainFrame.h"
#include "app/NavWindows.h"
#include "app/PlaybackKeys.h"
#include "app/PlaybackShellAdapter.h"
#include "app/RecentFiles.h"
#include "app/RecorderWindow.h"
#include "app/LinkHealthTicker.h"
#include "app/NightMode.h"
#include "app/SessionDisplay.h"
#include "app/SettingsSession.h"
#include "app/SonarWindows.h"
#include "app/StatusPresenter.h"
#include "app/TargetTools.h"
#include "platform/ConsoleNotifier.h"
#include "platform/QtClock.h"
#include "platform/QtFileDialogPort.h"
#include "platform/QtHeadConnections.h"
#include "platform/QtTimerPort.h"
#include "platform/WidgetNotifier.h"
#include "record/StdFileSystem.h"
#include "session/DocumentLifecycle.h"
#include "session/SkerrySession.h"

namespace hx {

namespace {

// The folder of the settings file: --settings, else $XDG_CONFIG_HOME/hx642.
QString settingsFolder(const AppOptions& options) {
    if (!options.settingsPath.isEmpty()) return QFileInfo(options.settingsPath).absolutePath();
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/hx642");
}

}  // namespace

SkerryApp::SkerryApp(AppOptions options, QObject* parent) : QObject(parent), options_(std::move(options)) {
    clock_ = std::make_unique<QtClock>();
    timers_ = std::make_unique<QtTimerPort>([this](TimerId id) { onTimer(id); });
    connections_ = std::make_unique<QtHeadConnections>();
    fs_ = std::make_unique<StdFileSystem>();
    context_.doc = &doc_;
    context_.timers = timers_.get();
    context_.recentFiles = &recentFiles_;
    context_.clock = clock_.get();
}

SkerryApp::~SkerryApp() {
    shutdown();
    // The session before the adapters it calls, the windows before the frame.
    connections_->setEvents(nullptr);
    session_.reset();
    targets_.reset();
    nav_.reset();
    connection_.reset();
    gps_.reset();
    layout_.reset();
    windows_.reset();
    status_.reset();
    notifier_.reset();
    dialogs_.reset();
    delete frame_;
}

MainFrame& SkerryApp::frame() const { return *frame_; }

QWidget* SkerryApp::mainView() const { return windows_ ? windows_->mainView() : nullptr; }

bool SkerryApp::start() {
    recentFiles_ = loadRecentFiles();
    frame_ = new MainFrame;
    context_.frame = frame_;
    if (options_.unattended) {
        notifier_ = std::make_unique<ConsoleNotifier>();
    } else {
        notifier_ = std::make_unique<WidgetNotifier>(frame_);
    }
    dialogs_ = std::make_unique<QtFileDialogPort>(frame_);
    context_.notifier = notifier_.get();

    buildSession();
    NewDocument(doc_, makeDocumentPaths(settingsFolder(options_).toStdString()));
    if (!options_.settingsPath.isEmpty()) doc_.settingsPath = options_.settingsPath.toStdString();
    settings_->load();
    buildWindows();
    frame_->statusBar()->addPermanentWidget(new DiskSpacePane(doc_.recorder, *fs_, frame_));

    // The settings load has placed the frame (its stored frame rectangle).
    frame_->show();
    windows_->openMainView();
    nav_->start();
    targets_->start();
    gps_->start();
    connect(qApp, &QCoreApplication::aboutToQuit, this, &SkerryApp::shutdown);

    layout_->rebuild();
    status_->refreshStatus();
    frame_->router().startIdleUpdates(250);

    if (!options_.playbackFile.isEmpty()) {
        const std::string file = options_.playbackFile.toStdString();
        // A file that cannot be played has said why; the operator connects
        // with the connect command when ready.
        QTimer::singleShot(0, this, [this, file] { session_->playback().openPath(file); });
    } else if (options_.simulate) {
        if (!options_.recordPath.isEmpty()) recordOnceHeadsRun();
        connection_->startSimulator();
    } else {
        if (!options_.recordPath.isEmpty()) recordOnceHeadsRun();
        QTimer::singleShot(0, connection_.get(), &ConnectionController::connectCommand);
    }
    return true;
}

void SkerryApp::recordOnceHeadsRun() {
    auto firstCycle = std::make_shared<QMetaObject::Connection>();
    *firstCycle = connect(this, &SkerryApp::cycleProcessed, this, [this, firstCycle] {
        disconnect(*firstCycle);
        // Out of the socket handler that delivered the cycle: starting may
        // have to tell the operator why it could not.
        QTimer::singleShot(0, this, [this] {
            if (doc_.link.playbackMode != 0 || doc_.recorder.recording) return;
            session_->recorder().startRecordingTo(options_.recordPath.toStdString(), session_->playbackContext());
        });
    });
}

void SkerryApp::buildSession() {
    status_ = std::make_unique<StatusPresenter>(*frame_, doc_, *clock_);
    settings_ = std::make_unique<SettingsSession>(doc_, *frame_, recentFiles_, options_.simulate);
    recorderWindow_ = std::make_unique<RecorderWindow>(context_);
    playbackShell_ = std::make_unique<PlaybackShellAdapter>(context_);
    display_ = std::make_unique<SessionDisplay>(context_, [this] { emit cycleProcessed(); });
    session_ = std::make_unique<SkerrySession>(
        doc_, SessionPorts{*connections_, *timers_, *clock_, *notifier_, *dialogs_, *fs_, *recorderWindow_,
                           *playbackShell_, *display_});
    connections_->setEvents(&session_->link());
    context_.status = status_.get();
    context_.settings = settings_.get();
    context_.session = session_.get();
}

void SkerryApp::buildWindows() {
    windows_ = std::make_unique<SonarWindows>(*frame_, doc_, [this] {
        // A resize may have put the table in the custom palette's place.
        if (targets_) targets_->republishPalette();
        windows_->updateViews();
    }, [this] {
        if (doc_.link.playbackMode == 0) status_->refreshControlBars();
        status_->refreshStatus();
    });
    windows_->setTimers(timers_.get());
    status_->setWindows(windows_.get());
    settings_->setWindows(windows_.get());
    layout_ = std::make_unique<HeadSetLayout>(*frame_, doc_, *windows_, *status_, [this] { return recentFiles_; });

    gps_ = std::make_unique<GpsLink>(doc_, *timers_, notifier_.get());
    connect(gps_.get(), &GpsLink::snapshotTaken, this, [this] {
        noteGpsRead(doc_.gpsFreshness, doc_.gpsLatest, clock_->tickMs());
        status_->refreshStatus();
    });
    connect(gps_.get(), &GpsLink::viewsNeedRedraw, this, [this] { windows_->updateViews(); });
    settings_->setLoaded([this] {
        gps_->setIntervalMs(doc_.gps.gpsReadInterval);
        if (nav_) nav_->settingsLoaded();
        if (night_) night_->applyLoaded();
    });

    connection_ = std::make_unique<ConnectionController>(context_, options_, *notifier_);
    context_.windows = windows_.get();
    context_.layout = layout_.get();
    context_.gps = gps_.get();
    context_.connection = connection_.get();
    nav_ = std::make_unique<NavWindows>(context_, *dialogs_, *notifier_);
    context_.nav = nav_.get();
    targets_ = std::make_unique<TargetTools>(context_, *notifier_);
    context_.targets = targets_.get();

    new LinkHealthTicker(context_, *clock_, this);
    night_ = std::make_unique<NightMode>(context_);
    context_.night = night_.get();
    registerAllCommands(context_);
    new PlaybackKeys(context_);  // a child of the frame
    connect(frame_, &MainFrame::fileDropped, this,
            [this](const QString& path) { session_->playback().openPath(path.toStdString()); });
    frame_->rebuildMenus([this] { return recentFiles_; });
    night_->applyLoaded();
}

void SkerryApp::shutdown() {
    if (!session_ || doc_.closing) return;
    session_->beginClose();
    targets_->publishPalette();
    settings_->save();
    status_->closeDiagnostics();
    windows_->closeAuxiliary();
    session_->close();
    gps_->close();
    connection_->stopSimulator();
}

void SkerryApp::onTimer(TimerId id) {
    if (id == TimerId::GpsRead) {
        if (gps_) gps_->onTimer();
    } else if (session_) {
        session_->onTimer(id);
    }
}

}  // namespace hx
