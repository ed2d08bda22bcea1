// The main window: menu bar and toolbar built from the command table, the
// head control bar, the two status bars and the multiple-document area that
// holds the display windows. It owns no sonar state; the application
// controller fills it and handles its commands.
#pragma once

#include <QMainWindow>
#include <QStringList>

#include <functional>

class QMdiArea;
class QToolBar;

namespace hx {

class CommandRouter;
class HeadControlBar;
class PlaybackBar;
class StatusPanes;

class MainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit MainFrame(QWidget* parent = nullptr);

    QMdiArea* mdiArea() const { return mdi_; }
    CommandRouter& router() const { return *router_; }
    StatusPanes& statusPanes() const { return *status_; }
    HeadControlBar& headBar() const { return *headBar_; }
    QToolBar* toolBar() const { return toolBar_; }
    QToolBar* headBarHolder() const { return headBarHolder_; }
    // The file playback bar, on a row of its own below the head control bar;
    // hidden until a file plays.
    PlaybackBar& playbackBar() const { return *playbackBar_; }
    QToolBar* playbackBarHolder() const { return playbackBarHolder_; }

    // Rebuilds the menus (after the head set changed).
    void rebuildMenus(std::function<QStringList()> recentFiles);

signals:
    void fileDropped(const QString& path);

protected:
    bool event(QEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    QMdiArea* mdi_ = nullptr;
    CommandRouter* router_ = nullptr;
    StatusPanes* status_ = nullptr;
    HeadControlBar* headBar_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QToolBar* headBarHolder_ = nullptr;
    PlaybackBar* playbackBar_ = nullptr;
    QToolBar* playbackBarHolder_ = nullptr;
};

}  // namespace hx
