// The commands' handlers and update handlers, by subsystem. Commands whose
// windows do not exist in this program have no handler and show disabled.
#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QStatusBar>
#include <QToolBar>

#include "app/CommandRouter.h"
#include "app/CommandTable.h"
#include "app/HeadControlBar.h"
#include "app/HotKeysDialog.h"
#include "app/MainFrame.h"
#include "app/SkerryApp.h"
#include "app/SonarWindows.h"
#include "imaging/ColourTables.h"
#include "imaging/WaterfallStore.h"
#include "link/AcquisitionCycle.h"
#include "link/CommandMessages.h"
#include "link/DiagnosticsText.h"
#include "link/HeadSettings.h"
#include "link/LinkCommands.h"
#include "link/ui/DiagnosticsDlg.h"
#include "link/ui/XmitDlg.h"
#include "platform/QtTimerPort.h"
#include "record/PlaybackEngine.h"
#include "platform/gps/GpsReaderThread.h"

namespace hx {

namespace {

using C = CommandId;

void toggle(int& flag) { flag = flag ? 0 : 1; }

}  // namespace

void SkerryApp::registerCommands() {
    registerFileCommands();
    registerLinkCommands();
    registerViewCommands();
    registerGpsCommands();
    registerWindowCommands();

    HeadControlBar& bar = frame_->headBar();
    const auto realTime = [this] { return doc_.link.playbackMode == 0; };
    connect(&bar, &HeadControlBar::rangeStep, this, [this, realTime](int d) {
        if (!realTime()) return;
        spinSideScanRange(doc_.heads, d);
        refreshControlBar();
        redrawViews();
    });
    connect(&bar, &HeadControlBar::esRangeStep, this, [this, realTime](int d) {
        if (!realTime()) return;
        spinEchoSounderRange(doc_.heads, d);
        refreshControlBar();
    });
    connect(&bar, &HeadControlBar::gainStep, this, [this, realTime](int head, int d) {
        if (!realTime()) return;
        spinHeadGain(doc_.heads, head, d);
        refreshControlBar();
        refreshStatus();
    });
    connect(&bar, &HeadControlBar::displayGainStep, this, [this](int head, int d) {
        if (head < 0 || head >= kSideScanHeadCount) return;
        double& gain = doc_.imaging.display.displayGain[static_cast<std::size_t>(head)];
        gain = std::clamp(gain + d / 100.0, 0.0, 2.0);
        refreshControlBar();
    });
}

void SkerryApp::registerFileCommands() {
    CommandRouter& r = frame_->router();
    r.setHandler(C::Connect, [this] { connectCommand(); });
    r.setHandler(C::Playback, [this] { playback_->openWithDialog(); });
    const CommandId recent[] = {C::RecentFile1, C::RecentFile2, C::RecentFile3, C::RecentFile4};
    for (int i = 0; i < 4; ++i) r.setHandler(recent[i], [this, i] { openRecentEntry(i); });
    r.setHandler(C::Record, [this] { recorder_->recordStart(playbackContext()); });
    r.setUpdater(C::Record, [this](CommandState& s) {
        const bool playing = doc_.link.playbackMode != 0;
        s.text = playing ? QStringLiteral("Copy Start...\tCtrl+S") : QStringLiteral("Record Data...\tCtrl+S");
        if (playing) s.enabled = playback_->canCopyStart();
    });
    r.setHandler(C::StopRecording, [this] { recorder_->recordStop(playbackContext()); });
    r.setUpdater(C::StopRecording, [this](CommandState& s) {
        s.text = doc_.link.playbackMode ? QStringLiteral("Copy Stop...\tCtrl+Z") : QStringLiteral("Stop Recording...\tCtrl+Z");
    });
    r.setHandler(C::SettingsChangeAlarm, [this] { playback_->toggleSettingsChangeAlarm(); });
    r.setUpdater(C::SettingsChangeAlarm, [this](CommandState& s) {
        s.enabled = playback_->canSettingsChangeAlarm();
        s.checked = doc_.view.settingsChangeAlarm != 0;
    }, true);
    r.setHandler(C::ReversePlayback, [this] { playback_->toggleReverse(); });
    r.setUpdater(C::ReversePlayback, [this](CommandState& s) {
        s.enabled = playback_->canReverse();
        s.checked = doc_.playback.reverse;
    }, true);
    r.setHandler(C::BitmapView, [this] { playback_->toggleBitmapView(); });
    r.setUpdater(C::BitmapView, [this](CommandState& s) {
        s.enabled = playback_->canBitmapView();
        s.checked = !doc_.playback.scrolling;
    }, true);
    r.setHandler(C::Exit, [this] { frame_->close(); });
}

void SkerryApp::runLinkCommandId(int id) {
    const unsigned effects = runLinkCommand(id, doc_.heads, doc_.link, doc_.orientation.filters);
    if (effects & kEffectRebuildConnections) acquisition_->availabilityChanged();
    if (effects & kEffectRefreshControlBar) refreshControlBar();
    if (effects & kEffectRedrawViews) redrawViews();
    refreshStatus();
}

void SkerryApp::registerLinkCommands() {
    CommandRouter& r = frame_->router();
    const int linkIds[] = {32791, 32793, 32795, 32797, 32872, 32873, 32874, 32875, 32876, 32877, 32878,
                           32879, 32880, 32881, 32882, 41031, 41032, 41033, 41034, 41035, 41036, 41037,
                           41040, 41041, 41042, 41043, 41020, 41021, 41022, 41023, 41024, 41025};
    for (int id : linkIds) {
        const auto cmd = static_cast<CommandId>(id);
        r.setHandler(cmd, [this, id] { runLinkCommandId(id); });
        // The toolbar's range and gain buttons carry no check mark.
        const bool checkable = !(id >= 32791 && id <= 32797);
        r.setUpdater(
            cmd,
            [this, id](CommandState& s) {
                const LinkCommandState st = linkCommandState(id, doc_.heads, doc_.link, doc_.orientation.filters);
                s.enabled = st.enabled;
                s.checked = st.checked;
            },
            checkable);
    }

    r.setHandler(C::Reconnect, [this] { acquisition_->reconnect(); });
    r.setUpdater(C::Reconnect, [this](CommandState& s) { s.enabled = doc_.link.playbackMode == 0; });

    r.setHandler(C::Diagnostics, [this] {
        if (!diagnostics_) {
            QList<QAction*> accelerators;
            for (const Accelerator& a : acceleratorTable()) accelerators.append(frame_->router().action(a.id));
            diagnostics_ = new CDiagnosticsDlg(accelerators, frame_);
        }
        diagnostics_->show();
        diagnostics_->raise();
        refreshDiagnostics();
    });
    r.setUpdater(C::Diagnostics, [this](CommandState& s) { s.checked = diagnostics_ && diagnostics_->isVisible(); }, true);

    r.setHandler(C::TransmitEnable, [this] {
        CXmitDlg dlg(transmitBoxesFrom(doc_.heads, doc_.link), frame_);
        if (dlg.exec() == QDialog::Accepted) applyTransmitBoxes(dlg.boxes(), doc_.heads, doc_.link);
    });
    r.setHandler(C::OrientationFilters, [this] {
        auto& f = doc_.orientation.filters;
        COrientFilterDlg dlg({f[OrientationChannel::Pitch].enabled != 0, f[OrientationChannel::Roll].enabled != 0,
                              f[OrientationChannel::Heading].enabled != 0, f[OrientationChannel::Depth].enabled != 0,
                              f[OrientationChannel::Temperature].enabled != 0},
                             frame_);
        if (dlg.exec() != QDialog::Accepted) return;
        const auto s = dlg.switches();
        f[OrientationChannel::Pitch].enabled = s.pitch;
        f[OrientationChannel::Roll].enabled = s.roll;
        f[OrientationChannel::Heading].enabled = s.heading;
        f[OrientationChannel::Depth].enabled = s.depth;
        f[OrientationChannel::Temperature].enabled = s.temp;
    });
}

void SkerryApp::registerViewCommands() {
    CommandRouter& r = frame_->router();
    auto flagCommand = [&](CommandId id, int& flag) {
        r.setHandler(id, [this, &flag] {
            toggle(flag);
            redrawViews();
        });
        r.setUpdater(id, [&flag](CommandState& s) { s.checked = flag != 0; }, true);
    };
    flagCommand(C::EsGrid, doc_.view.showEsGrid);
    flagCommand(C::VerticalBlending, doc_.imaging.display.verticalBlending);

    r.setHandler(C::ClearScreen, [this] {
        ClearImagePixels(doc_.imaging.store);
        redrawViews();
    });
    r.setHandler(C::Hold, [this] {
        if (doc_.link.playbackMode != 0) {
            playback_->toggleHold();
        } else {
            SetHold(doc_.imaging, doc_.imaging.display.holdDisplay == 0, doc_.heads, doc_.link, doc_.imagingSpeed);
        }
        redrawViews();
    });
    r.setUpdater(C::Hold, [this](CommandState& s) { s.checked = doc_.imaging.display.holdDisplay != 0; }, true);

    const std::pair<CommandId, int> sides[] = {{C::PortOnly, kPortOnly}, {C::StbdOnly, kStarboardOnly}, {C::BothSides, kBothSides}};
    for (const auto& [id, mode] : sides) {
        r.setHandler(id, [this, mode = mode] {
            if (doc_.imaging.display.sideDisplayMode == mode) return;
            doc_.imaging.display.sideDisplayMode = mode;
            windows_->rebuildImages();
        });
        r.setUpdater(id, [this, mode = mode](CommandState& s) { s.checked = doc_.imaging.display.sideDisplayMode == mode; }, true);
    }

    for (CommandId id : colorTableCommands()) {
        r.setHandler(id, [this, id] {
            SelectColourTableCommand(doc_.palette, static_cast<int>(id));
            doc_.palette.useCustomPalette = 0;
            redrawViews();
        });
        r.setUpdater(id, [this, id](CommandState& s) {
            s.checked = !doc_.palette.useCustomPalette &&
                        static_cast<int>(id) - static_cast<int>(C::ColorNormalHigh) == doc_.palette.colourTableIndex;
        }, true);
    }

    // Zoom, scale, units and pointer commands are the main view's own.
    const CommandId viewCommands[] = {C::ZoomFillScreen, C::Zoom100,         C::Zoom200,      C::ZoomIn,
                                      C::ZoomOut,        C::RestoreImage,    C::ViewKeyZoomCycle, C::Grid,
                                      C::ShowRange,      C::UnitsMetric,     C::UnitsImperial, C::ShowMarkShadow,
                                      C::ViewKeyLeft,    C::ViewKeyRight,    C::ViewKeyUp,    C::ViewKeyDown};
    for (CommandId id : viewCommands) {
        const int raw = static_cast<int>(id);
        r.setHandler(id, [this, raw] {
            windows_->runViewCommand(raw);
            refreshStatus();
        });
        const bool checkable = id == C::ZoomFillScreen || id == C::Zoom100 || id == C::Zoom200 || id == C::Grid ||
                               id == C::ShowRange || id == C::UnitsMetric || id == C::UnitsImperial ||
                               id == C::ShowMarkShadow;
        r.setUpdater(id, [this, raw](CommandState& s) {
            const ViewCommandState st = windows_->viewCommandState(raw);
            s.enabled = st.handled && st.enabled;
            s.checked = st.checked;
        }, checkable);
    }

    r.setHandler(C::ToolBar, [this] { frame_->toolBar()->setVisible(!frame_->toolBar()->isVisible()); });
    r.setUpdater(C::ToolBar, [this](CommandState& s) { s.checked = frame_->toolBar()->isVisible(); }, true);
    r.setHandler(C::FilePlaybackBar, [this] {
        int& shown = doc_.stored.filters.playbackBarVisible;
        shown = shown ? 0 : 1;
        showPlaybackBar(doc_.link.playbackMode != 0 && doc_.playback.scrolling);
    });
    r.setUpdater(C::FilePlaybackBar, [this](CommandState& s) { s.checked = doc_.stored.filters.playbackBarVisible != 0; }, true);
    r.setHandler(C::StatusBar, [this] { frame_->statusBar()->setVisible(!frame_->statusBar()->isVisible()); });
    r.setUpdater(C::StatusBar, [this](CommandState& s) { s.checked = frame_->statusBar()->isVisible(); }, true);
}

void SkerryApp::registerGpsCommands() {
    CommandRouter& r = frame_->router();
    r.setHandler(C::ConvertUtcToLocal, [this] { toggle(doc_.speed.convertUtcToLocal); });
    r.setUpdater(C::ConvertUtcToLocal, [this](CommandState& s) { s.checked = doc_.speed.convertUtcToLocal != 0; }, true);
    r.setHandler(C::SynchronizeGpsTime, [this] { toggle(doc_.speed.autoSyncGpsTime); });
    r.setUpdater(C::SynchronizeGpsTime, [this](CommandState& s) { s.checked = doc_.speed.autoSyncGpsTime != 0; }, true);
    r.setHandler(C::EraseGpsTracks, [this] {
        EraseGpsTracks(doc_.track);
        if (gpsReader_) gpsReader_->ResetGpsData();
        redrawViews();
    });
}

void SkerryApp::registerWindowCommands() {
    CommandRouter& r = frame_->router();
    r.setHandler(C::Sonar120, [this] { windows_->showSonarWindow(kHeadL); });
    r.setUpdater(C::Sonar120, [this](CommandState& s) { s.enabled = doc_.link.allSideScansAvailable != 0; });
    r.setHandler(C::Sonar260, [this] { windows_->showSonarWindow(kHeadM); });
    r.setHandler(C::Sonar540, [this] { windows_->showSonarWindow(kHeadH); });
    r.setUpdater(C::Sonar540, [this](CommandState& s) {
        s.checked = windows_->sonarWindowExists(kHeadH) && !doc_.link.allSideScansAvailable;
        if (!doc_.link.allSideScansAvailable) {
            const auto b = static_cast<std::size_t>(std::clamp(doc_.link.displayHeadB, 0, 2));
            s.text = QStringLiteral("Sonar %1 kHz").arg(doc_.heads.headFrequency[b] / 1000);
        } else {
            s.text = QStringLiteral("Sonar 540 kHz");
        }
    }, true);
    r.setHandler(C::DefaultLayout, [this] { windows_->applyDefaultLayout(defaultRects()); });
    r.setHandler(C::HotKeys, [this] {
        auto* dlg = new CHelpListDlg(frame_);
        dlg->setAttribute(Qt::WA_DeleteOnClose);
        dlg->show();
    });
    r.setHandler(C::About, [this] {
        const bool playing = timers_->isActive(TimerId::PlaybackStep);
        timers_->stop(TimerId::PlaybackStep);
        QMessageBox::about(frame_, QStringLiteral("About HX642"),
                           QStringLiteral("HX642 Version 0.1\nMulti-frequency sidescan sonar surface program\n"
                                          "Corvane"));
        if (playing) timers_->start(TimerId::PlaybackStep, 50, false);
    });
}

}  // namespace hx
