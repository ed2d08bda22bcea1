#include "app/SettingsSession.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

#include "app/DefaultLayout.h"
#include "app/MainFrame.h"
#include "app/RecentFiles.h"
#include "app/SonarWindows.h"
#include "session/SettingsBridge.h"

namespace hx {

namespace {

// A stored main frame smaller than this is no window to restore.
constexpr int kMinFrameWidth = 320;
constexpr int kMinFrameHeight = 240;

// The screens together: a stored rectangle is kept on them, however it was
// edited, so that the window (and the image it sizes) stays within the desktop.
QRect desktopArea() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->virtualGeometry() : QRect(0, 0, 1280, 800);
}

}  // namespace

SettingsSession::SettingsSession(CSkerryDoc& doc, MainFrame& frame, const QStringList& recentFiles, bool simulated)
    : doc_(doc), frame_(frame), recentFiles_(recentFiles), simulated_(simulated) {}

LayoutRects SettingsSession::screenDefaults() const {
    const QScreen* screen = frame_.screen() ? frame_.screen() : QGuiApplication::primaryScreen();
    const QRect r = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
    const int bar = frame_.toolBar() ? frame_.toolBar()->sizeHint().height() : 30;
    return defaultLayout(r.left(), r.top(), r.width(), r.height(), bar);
}

QRect SettingsSession::mainFramePlace(const WindowRect& stored, const LayoutRects& defaults) {
    const QRect desktop = desktopArea();
    QRect r = toQRect(stored).intersected(desktop);
    if (!stored.valid() || r.width() < kMinFrameWidth || r.height() < kMinFrameHeight) r = toQRect(defaults.mainFrame);
    return r;
}

void SettingsSession::load() {
    const LayoutRects defaults = screenDefaults();
    LoadSettingsFile(doc_, defaults);
    if (!started_) {
        // At start-up the main frame goes where it was, with the bars as they were.
        started_ = true;
        const FilterAndLayoutSettings& f = doc_.stored.filters;
        frame_.toolBar()->setVisible(f.toolBarVisible != 0);
        frame_.statusBar()->setVisible(f.statusBarVisible != 0);
        placeWindowFrame(&frame_, mainFramePlace(f.mainFrame, defaults));
    }
    if (loaded_) loaded_();
}

void SettingsSession::save() {
    StoredSettings s = collectStoredSettings(doc_);
    const WindowRect frameRect = storedFrameRect(&frame_);
    if (frameRect.valid()) s.filters.mainFrame = frameRect;
    // The bars' own state: the frame may already be closed (not visible)
    // when the settings are saved at exit.
    s.filters.toolBarVisible = frame_.toolBar()->isHidden() ? 0 : 1;
    s.filters.statusBarVisible = frame_.statusBar()->isHidden() ? 0 : 1;
    if (windows_) windows_->storeRects(s);
    // A settings file that cannot be written is left as it was.
    SaveSettingsFile(doc_, s, doc_.link.playbackMode == 0 && !simulated_);
    saveRecentFiles(recentFiles_);
}

}  // namespace hx
