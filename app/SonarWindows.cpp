#include "app/SonarWindows.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QVBoxLayout>

#include "app/CommandRouter.h"
#include "app/DefaultLayout.h"
#include "app/MainFrame.h"
#include "imaging/ui/SkerryView.h"
#include "imaging/ui/SonarHView.h"
#include "imaging/ui/SonarMView.h"
#include "session/SettingsBridge.h"

namespace hx {

namespace {

// The main view's window never shrinks to a bare title bar.
constexpr int kMainViewMinWidth = 320;
constexpr int kMainViewMinHeight = 200;

int frequencyKHz(const CSkerryDoc& doc, int head) {
    return doc.heads.headFrequency[static_cast<std::size_t>(std::clamp(head, 0, kHeadCount - 1))] / 1000;
}

}  // namespace

QString mainViewCaption(const CSkerryDoc& doc) {
    if (doc.link.allSideScansAvailable) return QStringLiteral("HX642 - Sonar 120 kHz");
    return QStringLiteral("HX642 - Sonar %1 kHz").arg(frequencyKHz(doc, doc.link.displayHeadA));
}

QString mediumWindowCaption(const CSkerryDoc& doc) {
    return doc.link.allSideScansAvailable ? QStringLiteral("HX642 - Sonar 260 kHz")
                                          : QStringLiteral("HX642 - Sonar 540 kHz");
}

QString highWindowCaption(const CSkerryDoc&) { return QStringLiteral("HX642 - Sonar 540 kHz"); }

QString dualWindowCaption(const CSkerryDoc& doc) {
    return QStringLiteral("HX642 -- Sonar %1 kHz").arg(frequencyKHz(doc, doc.link.displayHeadB));
}

SonarWindows::SonarWindows(MainFrame& frame, CSkerryDoc& doc, std::function<void()> refreshAll,
                           std::function<void()> unitsChanged)
    : frame_(frame),
      doc_(doc),
      context_{doc.imaging, doc.palette, doc.heads, doc.link, doc.cycle, doc.imagingSpeed, doc.view} {
    context_.refreshAllViews = std::move(refreshAll);
    context_.unitsChanged = std::move(unitsChanged);
    context_.pointerInfo = [this](const PointerReadout& p) {
        pointer_ = p;
        if (pointerListener_) pointerListener_();
    };
    context_.bitmapPage = &doc.playback.page;
}

SonarWindows::~SonarWindows() {
    // Every sonar view refers to the context held here: none may outlive it
    // (the frame, their parent, goes later).
    closeAuxiliary();
    // Cleared first: the window's last state change finds no window to caption.
    QMdiSubWindow* mainWindow = mainWindow_.data();
    mainWindow_.clear();
    delete mainWindow;
}

void SonarWindows::openMainView() {
    if (mainWindow_) {
        frame_.mdiArea()->setActiveSubWindow(mainWindow_);
        return;
    }
    doc_.imaging.store.viewReady = 1;
    main_ = new CSkerryView(context_);
    mainWindow_ = frame_.mdiArea()->addSubWindow(main_);
    mainWindow_->setMinimumSize(kMainViewMinWidth, kMainViewMinHeight);
    // Restored from maximized, the window takes the area it was maximized in.
    const QSize area = frame_.mdiArea()->viewport()->size();
    mainWindow_->resize(std::max(area.width(), kMainViewMinWidth * 2), std::max(area.height(), kMainViewMinHeight * 2));
    QObject::connect(mainWindow_, &QMdiSubWindow::windowStateChanged, mainWindow_,
                     [this](Qt::WindowStates, Qt::WindowStates) { applyMainCaption(); });
    QObject::connect(main_, &CSkerryView::contextMenuRequested, main_,
                     [this](QPoint globalPos) { showContextMenu(globalPos); });
    setMainCaption(mainViewCaption(doc_));
    mainWindow_->showMaximized();
    applyMainCaption();
    main_->setFocus();
    if (!paletteLoaded_) {
        paletteLoaded_ = true;
        LoadCustomPaletteAtStart(doc_.palette);
        main_->update();
    }
}

void SonarWindows::setMainCaption(const QString& caption) {
    mainCaption_ = caption;
    applyMainCaption();
}

void SonarWindows::applyMainCaption() {
    if (!mainWindow_) return;
    // Maximized, the window's own title bar is gone and the frame would take
    // its caption into the main window's ("... - [caption]"): the main
    // window keeps its own caption, and the view's shows when restored.
    if (!mainWindow_->isMaximized()) {
        mainWindow_->setWindowTitle(mainCaption_);
        return;
    }
    mainWindow_->setWindowTitle(QString());
    const QString added = QStringLiteral(" - [%1]").arg(mainCaption_);
    const QString title = frame_.windowTitle();
    if (title.endsWith(added)) frame_.setWindowTitle(title.chopped(added.size()));
}

QWidget* SonarWindows::topLevel(QWidget* view, const QString& title, const WindowRect& rect) {
    auto* window = new QWidget(&frame_, Qt::Window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
    window->setWindowTitle(title);
    if (rect.valid()) placeWindowFrame(window, toQRect(rect));
    window->show();
    return window;
}

QMdiSubWindow* SonarWindows::mainSubWindow() const { return mainWindow_.data(); }

CSonarMView* SonarWindows::mediumView() const { return qobject_cast<CSonarMView*>(mView_.data()); }

CSonarHView* SonarWindows::highView() const { return qobject_cast<CSonarHView*>(hView_.data()); }

void SonarWindows::showSonarWindow(int head) {
    if (head == kHeadL) {
        openMainView();
        return;
    }
    QPointer<QWidget>& slot = head == kHeadM ? mWindow_ : hWindow_;
    if (slot) {
        slot->show();
        slot->raise();
        slot->activateWindow();
        return;
    }
    if (head == kHeadM) {
        WindowRect r = doc_.stored.filters.mWindow;
        r.bottom = r.top + (r.bottom - r.top) / 2;
        mView_ = new CSonarMView(context_);
        slot = topLevel(mView_, mediumWindowCaption(doc_), r);
    } else {
        hView_ = new CSonarHView(context_);
        slot = topLevel(hView_, highWindowCaption(doc_), doc_.stored.filters.hWindow);
    }
}

bool SonarWindows::sonarWindowExists(int head) const {
    if (head == kHeadL) return !mainWindow_.isNull();
    return head == kHeadM ? !mWindow_.isNull() : !hWindow_.isNull();
}

void SonarWindows::headSetChanged() {
    if (mainWindow_) setMainCaption(mainViewCaption(doc_));
    if (hWindow_)
        hWindow_->setWindowTitle(doc_.link.allSideScansAvailable ? highWindowCaption(doc_) : dualWindowCaption(doc_));
    if (mWindow_) mWindow_->setWindowTitle(mediumWindowCaption(doc_));
    rebuildImages();
}

void SonarWindows::rebuildImages() {
    if (main_) main_->resizeImages();
    // The windows' images follow the head they now show.
    if (CSonarMView* m = mediumView()) m->followWindowWidth();
    if (CSonarHView* h = highView()) h->followWindowWidth();
    updateViews();
}

void SonarWindows::updateViews() {
    if (main_) main_->update();
    if (mView_) mView_->update();
    if (hView_) hView_->update();
}

void SonarWindows::applyDefaultLayout(const LayoutRects& layout) {
    if (frame_.isMaximized() || frame_.isFullScreen()) frame_.showNormal();
    placeWindowFrame(&frame_, toQRect(layout.mainFrame));
    if (mainWindow_) {
        mainWindow_->showMaximized();
        applyMainCaption();
    }
    if (mWindow_) {
        WindowRect r = layout.mWindow;
        r.bottom = r.top + (r.bottom - r.top) / 2;
        mWindow_->showNormal();
        placeWindowFrame(mWindow_, toQRect(r));
        mWindow_->raise();
    }
    if (hWindow_) {
        hWindow_->showNormal();
        placeWindowFrame(hWindow_, toQRect(layout.hWindow));
        hWindow_->raise();
    }
}

void SonarWindows::storeRects(StoredSettings& s) const {
    if (mWindow_) {
        const WindowRect r = storedFrameRect(mWindow_);
        if (r.valid()) s.filters.mWindow = r;
    }
    if (hWindow_) {
        const WindowRect r = storedFrameRect(hWindow_);
        if (r.valid()) s.filters.hWindow = r;
    }
}

void SonarWindows::closeAuxiliary() {
    if (mWindow_) delete mWindow_.data();
    if (hWindow_) delete hWindow_.data();
}

void SonarWindows::runViewCommand(ViewCommand command) {
    if (main_) main_->runCommand(command);
}

std::optional<ViewCommandState> SonarWindows::viewCommandState(ViewCommand command) const {
    if (!main_) return std::nullopt;
    return main_->commandState(command);
}

void SonarWindows::selectZoomFactor(double factor) {
    if (main_) main_->selectZoomFactor(factor);
}

bool SonarWindows::zoomFactorChecked(double factor) const { return main_ && ZoomFactorChecked(main_->zoom(), factor); }

double SonarWindows::activeZoomFactor() const { return main_ ? main_->zoomFactor() : 1.0; }

void SonarWindows::showContextMenu(QPoint globalPos) {
    // The sidescan view's context menu: the zoom factors and Hold. Shown
    // without a nested event loop; the commands run when chosen.
    CommandRouter& router = frame_.router();
    router.updateAll();
    if (!contextMenu_) {
        contextMenu_ = new QMenu(main_);
        for (CommandId id : {CommandId::ZoomFactor100, CommandId::ZoomFactor125, CommandId::ZoomFactor150,
                             CommandId::ZoomFactor175, CommandId::ZoomFactor200, CommandId::ZoomFactor300,
                             CommandId::ZoomFactor400})
            contextMenu_->addAction(router.action(id));
        contextMenu_->addSeparator();
        contextMenu_->addAction(router.action(CommandId::Hold));
    }
    contextMenu_->popup(globalPos);
}

}  // namespace hx
