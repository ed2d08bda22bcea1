// The program around the playback engine: the link and GPS port it closes
// and reopens, the playback bar, captions and menus it sets.
#include <QApplication>
#include <QToolBar>

#include <algorithm>

#include "app/CommandRouter.h"
#include "app/MainFrame.h"
#include "app/PlaybackBar.h"
#include "app/SkerryApp.h"
#include "link/AcquisitionCycle.h"
#include "platform/gps/GpsReaderThread.h"
#include "record/PlaybackEngine.h"

namespace hx {

void SkerryApp::createPlaybackBar() {
    // A row of its own, so that the bar never widens the main window.
    frame_->addToolBarBreak();
    playbackBarHolder_ = frame_->addToolBar(QStringLiteral("File Playback"));
    playbackBarHolder_->setObjectName(QStringLiteral("filePlaybackBar"));
    playbackBar_ = new PlaybackBar(playbackBarHolder_);
    playbackBarHolder_->addWidget(playbackBar_);
    playbackBarHolder_->hide();
    connect(playbackBar_, &PlaybackBar::sliderGrabbed, this, [this] { playback_->sliderGrabbed(); });
    connect(playbackBar_, &PlaybackBar::sliderReleased, this, [this](int position) { playback_->sliderReleased(position); });
    connect(playbackBar_, &PlaybackBar::speedStep, this, [this](int delta) { playback_->changeSpeed(delta); });
    connect(playbackBar_, &PlaybackBar::pageUp, this, [this] { playback_->pageUp(); });
    connect(playbackBar_, &PlaybackBar::pageDown, this, [this] { playback_->pageDown(); });
    connect(playbackBar_, &PlaybackBar::displayGainStep, this, [this](int head, int delta) {
        if (head < 0 || head >= kSideScanHeadCount) return;
        double& gain = doc_.imaging.display.displayGain[static_cast<std::size_t>(head)];
        gain = std::clamp(gain + delta / 100.0, 0.0, 2.0);
        refreshControlBar();
    });
}

void SkerryApp::closeRealTimeLink() {
    acquisition_->enterPlaybackMode();
    gpsPacer_->setPlaybackMode(true);
    gpsPacer_->stop();
    gpsReader_->CloseGpsPorts();
}

void SkerryApp::restartGpsPolling() {
    gpsReader_->ReopenGpsPort(doc_.gps);
    gpsPacer_->setPlaybackMode(false);
    gpsPacer_->start();
}

void SkerryApp::enterRealTimeLink() {
    acquisition_->enterRealTimeMode();
    gpsPacer_->setPlaybackMode(false);
}

void SkerryApp::setRecordMenuTexts(bool) { frame_->router().updateAll(); }

void SkerryApp::showPlaybackBar(bool shown) {
    playbackBarHolder_->setVisible(shown && doc_.stored.filters.playbackBarVisible);
    refreshControlBar();
}

void SkerryApp::setPlaybackSlider(int position) { playbackBar_->setSliderPosition(position); }

void SkerryApp::setPlaySpeed(int speed) { playbackBar_->setPlaySpeed(speed); }

void SkerryApp::focusMainWindow() {
    frame_->raise();
    frame_->activateWindow();
}

void SkerryApp::pingPlayed(const StoredPing&) {
    refreshStatus();
    refreshDiagnostics();
}

void SkerryApp::playAlarmSound() { QApplication::beep(); }

void SkerryApp::openRecentEntry(int index) {
    if (index < recentFiles_.size() && !recentFiles_[index].isEmpty())
        playback_->openRecentFile(recentFiles_[index].toStdString());
    else
        playback_->openWithDialog();
}

}  // namespace hx
