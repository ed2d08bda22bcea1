#include "app/SettingsSession.h"

#include <QGuiApplication>
#include <QScreen>
#include <QToolBar>

#include "app/DefaultLayout.h"
#include "app/MainFrame.h"
#include "app/RecentFiles.h"
#include "app/SonarWindows.h"
#include "session/SettingsBridge.h"

namespace hx {

SettingsSession::SettingsSession(CSkerryDoc& doc, MainFrame& frame, const QStringList& recentFiles, bool simulated)
    : doc_(doc), frame_(frame), recentFiles_(recentFiles), simulated_(simulated) {}

LayoutRects SettingsSession::screenDefaults() const {
    const QScreen* screen = frame_.screen() ? frame_.screen() : QGuiApplication::primaryScreen();
    const QRect r = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
    const int bar = frame_.toolBar() ? frame_.toolBar()->sizeHint().height() : 30;
    return defaultLayout(r.width(), r.height(), bar);
}

void SettingsSession::load() {
    LoadSettingsFile(doc_, screenDefaults());
    if (loaded_) loaded_();
}

void SettingsSession::save() {
    StoredSettings s = collectStoredSettings(doc_);
    const QRect g = frame_.geometry();
    s.filters.mainFrame = {g.left(), g.top(), g.right() + 1, g.bottom() + 1};
    s.filters.toolBarVisible = frame_.toolBar()->isVisible() ? 1 : 0;
    if (windows_) windows_->storeRects(s);
    // A settings file that cannot be written is left as it was.
    SaveSettingsFile(doc_, s, doc_.link.playbackMode == 0 && !simulated_);
    saveRecentFiles(recentFiles_);
}

}  // namespace hx
