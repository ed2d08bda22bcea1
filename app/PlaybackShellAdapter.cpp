#include "app/PlaybackShellAdapter.h"

#include <QApplication>
#include <QToolBar>

#include "app/AppContext.h"
#include "app/CommandRouter.h"
#include "app/GpsLink.h"
#include "app/HeadSetLayout.h"
#include "app/MainFrame.h"
#include "app/NavWindows.h"
#include "app/PlaybackBar.h"
#include "app/RecentFiles.h"
#include "app/SettingsSession.h"
#include "app/SonarWindows.h"
#include "app/StatusPresenter.h"
#include "app/TargetTools.h"
#include "session/SkerrySession.h"

namespace hx {

void PlaybackShellAdapter::saveSettings() { app_.settings->save(); }

void PlaybackShellAdapter::loadSettings() { app_.settings->load(); }

void PlaybackShellAdapter::closeRealTimeLink() {
    app_.session->link().enterPlaybackMode();
    app_.gps->closeForPlayback();
}

void PlaybackShellAdapter::restartGpsPolling() { app_.gps->openForRealTime(); }

void PlaybackShellAdapter::enterRealTimeLink() {
    app_.session->link().enterRealTimeMode();
    app_.gps->leavePlayback();
}

void PlaybackShellAdapter::setCaption(const std::string& caption) {
    app_.frame->setWindowTitle(QString::fromStdString(caption));
}

void PlaybackShellAdapter::setRecordMenuTexts(bool) { app_.frame->router().updateAll(); }

void PlaybackShellAdapter::addRecentFile(const std::string& path) {
    *app_.recentFiles = withRecentFile(*app_.recentFiles, QString::fromStdString(path));
}

void PlaybackShellAdapter::showPlaybackBar(bool shown) {
    app_.frame->playbackBarHolder()->setVisible(shown && app_.doc->stored.filters.playbackBarVisible);
    app_.status->refreshControlBars();
}

void PlaybackShellAdapter::setPlaybackSlider(int position) { app_.frame->playbackBar().setSliderPosition(position); }

void PlaybackShellAdapter::setPlaySpeed(int speed) { app_.frame->playbackBar().setPlaySpeed(speed); }

void PlaybackShellAdapter::focusMainWindow() {
    app_.frame->raise();
    app_.frame->activateWindow();
}

void PlaybackShellAdapter::hideGpsConfiguration() {
    if (app_.nav) app_.nav->hideGpsDialog();
}

void PlaybackShellAdapter::clearAuxiliaryViews() {
    if (app_.nav) app_.nav->clearInstrumentViews();
}

void PlaybackShellAdapter::hideEventDialog() {
    if (app_.targets) app_.targets->hideEventDialog();
}

void PlaybackShellAdapter::rebuildForHeadSet() { app_.layout->rebuild(); }

void PlaybackShellAdapter::redrawViews() {
    app_.windows->updateViews();
    if (app_.nav) app_.nav->updateViews();
}

void PlaybackShellAdapter::gpsReplayed() { app_.status->refreshStatus(); }

void PlaybackShellAdapter::pingPlayed(const StoredPing&) {
    if (app_.nav) app_.nav->pingShown();
    app_.status->refreshStatus();
    app_.status->refreshDiagnostics();
}

void PlaybackShellAdapter::cycleRejected() { app_.status->refreshDiagnostics(); }

void PlaybackShellAdapter::playAlarmSound() { alarm_.play(); }

}  // namespace hx
