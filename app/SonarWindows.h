// The sidescan display windows: the main view (composite or the first head
// of the pair) maximized in the main frame, and the medium and high windows
// as separate top-level frames placed by the layout, each filling its own
// width. Owns the views' shared context, forwards view commands to the main
// view, captions the windows for the head set and shows the views' context
// menu.
#pragma once

#include <QMenu>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

#include "session/SkerryDoc.h"
#include "imaging/ui/PointerReadout.h"
#include "imaging/ui/SidescanContext.h"
#include "imaging/ui/SkerryView.h"
#include "imaging/ui/ViewCommands.h"

class QMdiSubWindow;
class QWidget;

namespace hx {

class CSonarHView;
class CSonarMView;
class MainFrame;

// The windows' captions for the head set.
QString mainViewCaption(const CSkerryDoc& doc);
QString mediumWindowCaption(const CSkerryDoc& doc);
QString highWindowCaption(const CSkerryDoc& doc);    // when the window is made
QString dualWindowCaption(const CSkerryDoc& doc);    // after a head-set change with two sidescan heads

class SonarWindows {
public:
    SonarWindows(MainFrame& frame, CSkerryDoc& doc, std::function<void()> refreshAll,
                 std::function<void()> unitsChanged);
    ~SonarWindows();

    // Playback: a press or release in a view pauses the step timer briefly.
    void setTimers(ITimerPort* timers) { context_.timers = timers; }
    // Called after every pointer readout of a view (the status bar follows it).
    void setPointerListener(std::function<void()> listener) { pointerListener_ = std::move(listener); }
    // The link health badges and the "no answer" text the views draw.
    void setHealthSources(HealthBadgeSource badge, std::function<std::string()> sysInfoWait) {
        context_.healthBadge = std::move(badge);
        context_.sysInfoWait = std::move(sysInfoWait);
    }

    // The main view in the frame, maximized; the first time also the custom
    // palette of the settings (after the window exists, so that its first
    // resize finds it).
    void openMainView();
    // "Sonar 120 kHz" (the main view), "Sonar 260 kHz", "Sonar 540 kHz".
    void showSonarWindow(int head);
    bool sonarWindowExists(int head) const;
    // Captions follow the head set; the images are re-allocated for it.
    void headSetChanged();
    void updateViews();
    // Speed settings or the head set changed: the images are rebuilt.
    void rebuildImages();
    // "Default Layout": the main frame to its rectangle with the main view
    // maximized in it, the medium and high windows to theirs.
    void applyDefaultLayout(const LayoutRects& layout);
    void storeRects(StoredSettings& s) const;
    void closeAuxiliary();

    // The main view's own commands; no state while there is no main view.
    void runViewCommand(ViewCommand command);
    std::optional<ViewCommandState> viewCommandState(ViewCommand command) const;
    void selectZoomFactor(double factor);
    bool zoomFactorChecked(double factor) const;
    double activeZoomFactor() const;
    const PointerReadout& pointer() const { return pointer_; }

    CSkerryView* mainView() const { return main_; }
    QMdiSubWindow* mainSubWindow() const;
    // The main view's caption (its title bar shows it while not maximized).
    const QString& mainCaption() const { return mainCaption_; }
    CSonarMView* mediumView() const;
    CSonarHView* highView() const;
    QWidget* mediumWindow() const { return mWindow_; }
    QWidget* highWindow() const { return hWindow_; }

private:
    QWidget* topLevel(QWidget* view, const QString& title, const WindowRect& rect);
    void setMainCaption(const QString& caption);
    void applyMainCaption();
    void showContextMenu(QPoint globalPos);

    MainFrame& frame_;
    CSkerryDoc& doc_;
    SidescanContext context_;
    PointerReadout pointer_;
    std::function<void()> pointerListener_;
    QPointer<QMdiSubWindow> mainWindow_;
    QPointer<CSkerryView> main_;
    QString mainCaption_;
    bool paletteLoaded_ = false;
    QPointer<QMenu> contextMenu_;  // the main view's, made when first asked for
    QPointer<QWidget> mWindow_;
    QPointer<QWidget> hWindow_;
    QPointer<QWidget> mView_;
    QPointer<QWidget> hView_;
};

}  // namespace hx
