#include "app/SonarWindows.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QVBoxLayout>

#include "app/MainFrame.h"
#include "imaging/ui/SkerryView.h"
#include "imaging/ui/SonarHView.h"
#include "imaging/ui/SonarMView.h"

namespace hx {

namespace {

QRect toQRect(const WindowRect& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }

WindowRect fromQRect(const QRect& r) { return {r.left(), r.top(), r.right() + 1, r.bottom() + 1}; }

int frequencyKHz(const CSkerryDoc& doc, int head) {
    return doc.heads.headFrequency[static_cast<std::size_t>(std::clamp(head, 0, kHeadCount - 1))] / 1000;
}

}  // namespace

SonarWindows::SonarWindows(MainFrame& frame, CSkerryDoc& doc, std::function<void()> refreshAll,
                           std::function<void()> unitsChanged)
    : frame_(frame),
      doc_(doc),
      context_{doc.imaging, doc.palette, doc.heads, doc.link, doc.cycle, doc.imagingSpeed, doc.view} {
    context_.refreshAllViews = std::move(refreshAll);
    context_.unitsChanged = std::move(unitsChanged);
    context_.pointerInfo = [this](const PointerReadout& p) { pointer_ = p; };
    context_.bitmapPage = &doc.playback.page;
}

SonarWindows::~SonarWindows() { closeAuxiliary(); }

void SonarWindows::openMainView() {
    if (mainWindow_) {
        frame_.mdiArea()->setActiveSubWindow(mainWindow_);
        return;
    }
    doc_.imaging.store.viewReady = 1;
    main_ = new CSkerryView(context_);
    mainWindow_ = frame_.mdiArea()->addSubWindow(main_);
    mainWindow_->setWindowTitle(doc_.link.allSideScansAvailable ? QStringLiteral("Sonar 120 kHz") : pairTitle());
    mainWindow_->showMaximized();
}

QString SonarWindows::pairTitle() const {
    return QStringLiteral("Sonar %1 kHz").arg(frequencyKHz(doc_, doc_.link.displayHeadA));
}

QWidget* SonarWindows::topLevel(QWidget* view, const QString& title, const WindowRect& rect) {
    auto* window = new QWidget(&frame_, Qt::Window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
    window->setWindowTitle(title);
    if (rect.valid()) window->setGeometry(toQRect(rect));
    window->show();
    return window;
}

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
        const QString title = doc_.link.allSideScansAvailable ? QStringLiteral("HX642 - Sonar 260 kHz")
                                                              : QStringLiteral("HX642 - Sonar 540 kHz");
        mView_ = new CSonarMView(context_);
        slot = topLevel(mView_, title, r);
    } else {
        const QString title = doc_.link.allSideScansAvailable
                                  ? QStringLiteral("HX642 - Sonar 540 kHz")
                                  : QStringLiteral("HX642 -- Sonar %1 kHz").arg(frequencyKHz(doc_, doc_.link.displayHeadB));
        hView_ = new CSonarHView(context_);
        slot = topLevel(hView_, title, doc_.stored.filters.hWindow);
    }
}

bool SonarWindows::sonarWindowExists(int head) const {
    if (head == kHeadL) return !mainWindow_.isNull();
    return head == kHeadM ? !mWindow_.isNull() : !hWindow_.isNull();
}

void SonarWindows::headSetChanged() {
    if (mainWindow_)
        mainWindow_->setWindowTitle(doc_.link.allSideScansAvailable ? QStringLiteral("Sonar 120 kHz") : pairTitle());
    if (hWindow_ && !doc_.link.allSideScansAvailable)
        hWindow_->setWindowTitle(QStringLiteral("HX642 -- Sonar %1 kHz").arg(frequencyKHz(doc_, doc_.link.displayHeadB)));
    if (mWindow_)
        mWindow_->setWindowTitle(doc_.link.allSideScansAvailable ? QStringLiteral("HX642 - Sonar 260 kHz")
                                                                 : QStringLiteral("HX642 - Sonar 540 kHz"));
    rebuildImages();
}

void SonarWindows::rebuildImages() {
    if (main_) main_->resizeImages();
    updateViews();
}

void SonarWindows::updateViews() {
    if (main_) main_->update();
    if (mView_) mView_->update();
    if (hView_) hView_->update();
}

void SonarWindows::applyDefaultLayout(const LayoutRects& layout) {
    frame_.setGeometry(toQRect(layout.mainFrame));
    if (mWindow_) {
        WindowRect r = layout.mWindow;
        r.bottom = r.top + (r.bottom - r.top) / 2;
        mWindow_->setGeometry(toQRect(r));
    }
    if (hWindow_) hWindow_->setGeometry(toQRect(layout.hWindow));
}

void SonarWindows::storeRects(StoredSettings& s) const {
    if (mWindow_) {
        const WindowRect r = fromQRect(mWindow_->geometry());
        if (r.valid()) s.filters.mWindow = r;
    }
    if (hWindow_) {
        const WindowRect r = fromQRect(hWindow_->geometry());
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

double SonarWindows::activeZoomFactor() const { return main_ ? main_->zoomFactor() : 1.0; }

}  // namespace hx
