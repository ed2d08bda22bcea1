#include "app/MainFrame.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMdiArea>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>

#include "app/CommandRouter.h"
#include "app/HeadControlBar.h"
#include "app/MenuBuilder.h"
#include "app/PlaybackBar.h"
#include "app/StatusPanes.h"
#include "record/RecorderTexts.h"

namespace hx {

MainFrame::MainFrame(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QString::fromLatin1(kRealTimeCaption));
    setAcceptDrops(true);

    router_ = new CommandRouter(this);
    mdi_ = new QMdiArea(this);
    mdi_->setBackground(QColor(96, 96, 96));
    setCentralWidget(mdi_);

    toolBar_ = addToolBar(QStringLiteral("Toolbar"));
    toolBar_->setObjectName(QStringLiteral("toolbar"));
    toolBar_->setIconSize(QSize(24, 24));
    buildToolBar(toolBar_, *router_);

    addToolBarBreak();
    headBarHolder_ = addToolBar(QStringLiteral("Head Control"));
    headBarHolder_->setObjectName(QStringLiteral("headControlBar"));
    headBar_ = new HeadControlBar(headBarHolder_);
    headBarHolder_->addWidget(headBar_);

    // A row of its own, so that the bar never widens the main window.
    addToolBarBreak();
    playbackBarHolder_ = addToolBar(QStringLiteral("File Playback"));
    playbackBarHolder_->setObjectName(QStringLiteral("filePlaybackBar"));
    playbackBar_ = new PlaybackBar(playbackBarHolder_);
    playbackBarHolder_->addWidget(playbackBar_);
    playbackBarHolder_->hide();

    status_ = new StatusPanes(this);
    statusBar()->addWidget(status_, 1);
    statusBar()->setSizeGripEnabled(true);

    router_->installAccelerators(this);
    rebuildMenus({});
    resize(1280, 800);
}

void MainFrame::rebuildMenus(std::function<QStringList()> recentFiles) {
    buildMenuBar(menuBar(), *router_, std::move(recentFiles));
    router_->updateAll();
}

bool MainFrame::event(QEvent* e) {
    // Command prompts go to the first bar's stretch pane, as on every
    // status bar operators know, instead of covering the value panes.
    if (e->type() == QEvent::StatusTip) {
        status_->setText(StatusPane::Prompt, static_cast<QStatusTipEvent*>(e)->tip());
        return true;
    }
    return QMainWindow::event(e);
}

void MainFrame::dragEnterEvent(QDragEnterEvent* e) {
    if (e->mimeData()->hasUrls()) e->acceptProposedAction();
}

void MainFrame::dropEvent(QDropEvent* e) {
    const auto urls = e->mimeData()->urls();
    if (!urls.isEmpty() && urls.front().isLocalFile()) emit fileDropped(urls.front().toLocalFile());
}

}  // namespace hx
