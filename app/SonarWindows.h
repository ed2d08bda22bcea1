// The sidescan display windows: the main view (composite or the first head
// of the pair) maximized in the main frame, and the medium and high windows
// as separate top-level frames placed by the layout. Owns the views' shared
// context and forwards view commands to the main view.
#pragma once

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

class SonarWindows {
public:
    SonarWindows(MainFrame& frame, CSkerryDoc& doc, std::function<void()> refreshAll,
                 std::function<void()> unitsChanged);
    ~SonarWindows();

    // Playback: a press or release in a view pauses the step timer briefly.
    void setTimers(ITimerPort* timers) { context_.timers = timers; }

    void openMainView();
    // "Sonar 120 kHz" (the main view), "Sonar 260 kHz", "Sonar 540 kHz".
    void showSonarWindow(int head);
    bool sonarWindowExists(int head) const;
    // Captions follow the head set; the images are re-allocated for it.
    void headSetChanged();
    void updateViews();
    // Side mode or speed settings changed: the images are rebuilt.
    void rebuildImages();
    void applyDefaultLayout(const LayoutRects& layout);
    void storeRects(StoredSettings& s) const;
    void closeAuxiliary();

    // The main view's own commands; no state while there is no main view.
    void runViewCommand(ViewCommand command);
    std::optional<ViewCommandState> viewCommandState(ViewCommand command) const;
    double activeZoomFactor() const;
    const PointerReadout& pointer() const { return pointer_; }

    CSkerryView* mainView() const { return main_; }

private:
    QWidget* topLevel(QWidget* view, const QString& title, const WindowRect& rect);
    QString pairTitle() const;

    MainFrame& frame_;
    CSkerryDoc& doc_;
    SidescanContext context_;
    PointerReadout pointer_;
    QPointer<QMdiSubWindow> mainWindow_;
    QPointer<CSkerryView> main_;
    QPointer<QWidget> mWindow_;
    QPointer<QWidget> hWindow_;
    QPointer<QWidget> mView_;
    QPointer<QWidget> hView_;
};

}  // namespace hx
