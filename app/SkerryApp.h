// The application: builds the document, the session's engines, the platform
// adapters and the windows, wires them together, and runs the start-up and
// close sequences. It does nothing else; every event goes straight to the
// part that handles it. Everything here runs on the user-interface thread.
#pragma once

#include <QObject>
#include <QStringList>

#include <memory>

#include "app/AppContext.h"
#include "app/CommandLine.h"
#include "core/Notifier.h"
#include "core/TimerPort.h"
#include "session/SkerryDoc.h"

class QWidget;

namespace hx {

class ConnectionController;
class GpsLink;
class HeadSetLayout;
class MainFrame;
class NavWindows;
class TargetTools;
class PlaybackShellAdapter;
class QtClock;
class NightMode;
class QtFileDialogPort;
class QtHeadConnections;
class QtTimerPort;
class RecorderWindow;
class SessionDisplay;
class SettingsSession;
class SkerrySession;
class SonarWindows;
class StatusPresenter;
class StdFileSystem;

class SkerryApp final : public QObject {
    Q_OBJECT
public:
    explicit SkerryApp(AppOptions options, QObject* parent = nullptr);
    ~SkerryApp() override;

    // The start-up sequence up to the connection dialog; false when the
    // program cannot run (the reason has been shown).
    bool start();
    // The close sequence (settings saved, files and link closed); runs once,
    // at the latest when the application quits.
    void shutdown();

    MainFrame& frame() const;
    CSkerryDoc& doc() { return doc_; }
    const QStringList& recentFiles() const { return recentFiles_; }
    // The main sidescan view, once it exists (benchmarks watch its paints).
    QWidget* mainView() const;
    // The head connections (tests count the connection attempts).
    const QtHeadConnections& headConnections() const { return *connections_; }
    INotifier& notifier() const { return *notifier_; }
    // The program's timers (tests look at the playback step timer).
    const QtTimerPort& timers() const { return *timers_; }
    // The measurement, image, event and palette tools (tests answer their dialogs).
    TargetTools& targets() const { return *targets_; }

signals:
    // A completed cycle has been stored and its rows handed to the views.
    void cycleProcessed();

private:
    void buildSession();
    void buildWindows();
    void onTimer(TimerId id);
    // --record: starts recording at the first cycle the heads deliver.
    void recordOnceHeadsRun();

    AppOptions options_;
    CSkerryDoc doc_;
    QStringList recentFiles_;
    AppContext context_;

    // Platform adapters.
    std::unique_ptr<QtClock> clock_;
    std::unique_ptr<NightMode> night_;
    std::unique_ptr<QtTimerPort> timers_;
    std::unique_ptr<QtHeadConnections> connections_;
    std::unique_ptr<StdFileSystem> fs_;
    std::unique_ptr<INotifier> notifier_;
    std::unique_ptr<QtFileDialogPort> dialogs_;

    // Windows and the adapters between them and the session.
    MainFrame* frame_ = nullptr;  // owned here; deleted last
    std::unique_ptr<StatusPresenter> status_;
    std::unique_ptr<SettingsSession> settings_;
    std::unique_ptr<RecorderWindow> recorderWindow_;
    std::unique_ptr<PlaybackShellAdapter> playbackShell_;
    std::unique_ptr<SessionDisplay> display_;
    std::unique_ptr<SonarWindows> windows_;
    std::unique_ptr<HeadSetLayout> layout_;
    std::unique_ptr<GpsLink> gps_;
    std::unique_ptr<ConnectionController> connection_;
    std::unique_ptr<NavWindows> nav_;
    std::unique_ptr<TargetTools> targets_;

    std::unique_ptr<SkerrySession> session_;
};

}  // namespace hx
