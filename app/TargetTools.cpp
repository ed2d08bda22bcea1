#include "app/TargetTools.h"

#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QPainter>

#include "app/AppContext.h"
#include "app/CommandRouter.h"
#include "app/MainFrame.h"
#include "app/SonarWindows.h"
#include "imaging/EventMarkers.h"
#include "imaging/PaletteFile.h"
#include "imaging/ui/EventMarkerOverlay.h"
#include "imaging/ui/MeasurementOverlay.h"
#include "imaging/ui/PaletteView.h"
#include "imaging/ui/SkerryView.h"
#include "platform/ScreenImageSaver.h"
#include "record/ui/AnnotationDialog.h"
#include "session/SkerrySession.h"

namespace hx {

namespace {

constexpr const char* kOpenPaletteTitle = "Open Palette File:";
constexpr const char* kOpenPaletteFilter = "Palette Files: (*.pal)";
constexpr const char* kSavePaletteTitle = "Save Palette File:";
constexpr const char* kSavePaletteFilter = "Palette File: (*.pal)";

CAnnotation::Fields dialogFields(const EventFields& f) {
    return {QString::number(f.number),
            QString::number(f.ping),
            QString::fromStdString(f.latitude),
            QString::fromStdString(f.longitude),
            QString::fromStdString(f.date),
            QString::fromStdString(f.time),
            QString::fromStdString(f.annotation)};
}

}  // namespace

// The event logic's dialog, shown by the Qt dialog.
class TargetTools::DialogAdapter final : public IEventDialog {
public:
    explicit DialogAdapter(QPointer<CAnnotation>& dialog) : dialog_(dialog) {}
    void showInput(const EventFields& fields, bool editing) override {
        if (dialog_) dialog_->showInput(dialogFields(fields), editing);
    }
    void showEvent(const EventFields& fields) override {
        if (dialog_) dialog_->showReview(dialogFields(fields));
    }
    void hide() override {
        if (dialog_) dialog_->closeDialog();
    }

private:
    QPointer<CAnnotation>& dialog_;
};

TargetTools::TargetTools(const AppContext& app, INotifier& notifier) : app_(app), notifier_(notifier) {
    CSkerryDoc& doc = *app_.doc;
    dialog_ = new CAnnotation(app_.frame);
    dialogAdapter_ = std::make_unique<DialogAdapter>(dialog_);
    events_ = std::make_unique<EventAnnotations>(
        EventDocument{doc.events, doc.dataFile, doc.recorder, doc.link, doc.playback, doc.imaging, doc.cycle},
        EventPorts{app_.session->files(), app_.session->playback(), notifier_, *dialogAdapter_,
                   [this] { app_.windows->updateViews(); }});

    connect(dialog_, &CAnnotation::okPressed, this, [this] {
        events_->ok(dialog_->numberText().toStdString(), dialog_->annotationText().toStdString());
    });
    connect(dialog_, &CAnnotation::cancelPressed, this, [this] { events_->cancel(); });
    connect(dialog_, &CAnnotation::nextPressed, this, [this] { events_->next(); });
    connect(dialog_, &CAnnotation::prevPressed, this, [this] { events_->prev(); });
    connect(dialog_, &CAnnotation::deletePressed, this, [this] { events_->remove(); });
    connect(dialog_, &CAnnotation::editPressed, this, [this] { events_->edit(); });
    // In its closed and review modes the main window's keys work over it.
    app_.frame->router().installAccelerators(dialog_);
    dialog_->setAccelerators(dialog_->actions());

    paletteFrame_ = new CPaletteChildFrm(doc.palette, app_.frame);
    const WindowRect r = doc.stored.palette.frame;
    if (r.valid()) paletteFrame_->setGeometry(r.left, r.top, r.right - r.left, r.bottom - r.top);
    paletteFrame_->installEventFilter(this);
    paletteFrameObject_ = paletteFrame_.data();
    CPaletteView& view = paletteFrame_->view();
    connect(&view, &CPaletteView::published, this, [this] { app_.windows->updateViews(); });
    connect(&view, &CPaletteView::closeRequested, this, [this] { paletteFrame_->hide(); });
    connect(&view, &CPaletteView::saveRequested, this, &TargetTools::savePalette);
    connect(&view, &CPaletteView::loadRequested, this, &TargetTools::loadPalette);
    connect(&view, &CPaletteView::frameDragged, this,
            [this](QPoint delta) { paletteFrame_->move(paletteFrame_->pos() + delta); });
}

TargetTools::~TargetTools() {
    // The views outlive this: their calls into it go first.
    if (CSkerryView* main = app_.windows ? app_.windows->mainView() : nullptr) {
        SidescanContext& ctx = main->context();
        ctx.eventClicked = nullptr;
        ctx.eventDoubleClicked = nullptr;
        ctx.drawEventMarks = nullptr;
        ctx.colourIndicatorShown = nullptr;
    }
    if (dialog_) delete dialog_.data();
    if (paletteFrame_) delete paletteFrame_.data();
}

void TargetTools::start() {
    CSkerryDoc& doc = *app_.doc;
    if (CSkerryView* main = app_.windows->mainView()) {
        SidescanContext& ctx = main->context();
        ctx.eventClicked = [this](std::int64_t x, std::int32_t row) { return events_->clickAt(x, row); };
        ctx.eventDoubleClicked = [this](std::int64_t x, std::int32_t row) { return events_->doubleClickAt(x, row); };
        ctx.colourIndicatorShown = &doc.view.showColorIndicator;
        ctx.drawEventMarks = [this, &doc](QPainter& p, const ViewGeometry& g) {
            const std::vector<EventMarkerRequest> requests = events_->markers();
            if (requests.empty()) return;
            const auto places = PlaceEventMarkers(doc.imaging.store, doc.imaging.display.holdDisplay != 0,
                                                  doc.imaging.display.sideDisplayMode, requests);
            DrawEventMarkers(p, g, places);
        };
    }
    app_.session->pipeline().setEventStep([this](PingOrigin origin, const PingOutcome& outcome) {
        if (origin == PingOrigin::Played) events_->onPlayedPing(outcome);
    });
    // The palette file after the windows exist, whose first sizing put the
    // selected table in the custom palette's place.
    paletteFrame_->view().applyLoad(LoadPaletteFile(doc.palette));
    paletteFrame_->view().syncApply();
    started_ = true;
    app_.windows->updateViews();
}

void TargetTools::publishPalette() {
    if (started_ && paletteFrame_) paletteFrame_->view().curves().publish(app_.doc->palette);
}

QString TargetTools::programFolder() const { return QString::fromStdString(app_.doc->programDirectory); }

// ---------------------------------------------------------------- measure

MeasurementOverlay* TargetTools::activeMeasurements() const {
    CSkerryView* main = app_.windows ? app_.windows->mainView() : nullptr;
    return main ? &main->activeMeasurements() : nullptr;
}

void TargetTools::toggleMeasureMode(MouseMode mode) {
    if (MeasurementOverlay* m = activeMeasurements()) {
        m->toggleMode(mode);
        raiseActiveView();
    }
}

void TargetTools::raiseActiveView() const {
    if (MeasurementOverlay* m = activeMeasurements()) {
        QWidget* window = m->view().window();
        window->raise();
        m->view().update();
    }
}

// ----------------------------------------------------------------- images

std::optional<QString> TargetTools::chooseImagePath() {
    if (imagePath_) return imagePath_();
    return AskSaveImagePath(app_.frame, programFolder());
}

void TargetTools::saveScreen() {
    SaveImageSteps steps;
    steps.choosePath = [this] { return chooseImagePath(); };
    steps.capture = [this] {
        // Drawn afresh, so nothing of the dialog is in the image.
        app_.windows->updateViews();
        return CaptureWidget(app_.frame);
    };
    SaveImage(steps, notifier_);
}

bool TargetTools::canSaveSelected() const {
    const MeasurementOverlay* m = activeMeasurements();
    return m && m->canSaveSelected();
}

void TargetTools::saveSelected() {
    MeasurementOverlay* m = activeMeasurements();
    if (!m || !m->canSaveSelected()) return;
    SaveImageSteps steps;
    steps.choosePath = [this] { return chooseImagePath(); };
    steps.capture = [m] {
        // The chosen area as the view shows it, without the outline.
        m->setSelectionOutlineShown(false);
        const QImage image = CaptureWidgetArea(&m->view(), m->selectedWindowRect());
        m->setSelectionOutlineShown(true);
        return image;
    };
    SaveImage(steps, notifier_);
}

// ----------------------------------------------------------------- events

void TargetTools::hideEventDialog() {
    if (events_) events_->closeForFileChange();
}

// ---------------------------------------------------------------- palette

void TargetTools::toggleCustomize() {
    if (!paletteFrame_) return;
    if (paletteFrame_->isVisible()) {
        paletteFrame_->hide();
        return;
    }
    paletteFrame_->view().syncApply();
    paletteFrame_->show();
    paletteFrame_->raise();
}

bool TargetTools::customizeShown() const { return paletteFrame_ && paletteFrame_->isVisible(); }

std::optional<QString> TargetTools::choosePalettePath(bool save) {
    if (palettePath_) return palettePath_(save);
    QString path;
    if (save) {
        path = QFileDialog::getSaveFileName(paletteFrame_, QString::fromLatin1(kSavePaletteTitle),
                                            QString::fromStdString(app_.doc->palette.paletteFilePath),
                                            QString::fromLatin1(kSavePaletteFilter));
    } else {
        path = QFileDialog::getOpenFileName(paletteFrame_, QString::fromLatin1(kOpenPaletteTitle), programFolder(),
                                            QString::fromLatin1(kOpenPaletteFilter));
    }
    if (path.isEmpty()) return std::nullopt;
    return path;
}

void TargetTools::loadPalette() {
    const std::optional<QString> path = choosePalettePath(false);
    if (!path) return;
    PaletteState& palette = app_.doc->palette;
    palette.paletteFilePath = path->toStdString();
    paletteFrame_->view().applyLoad(LoadPaletteFile(palette));
    app_.windows->updateViews();
}

void TargetTools::savePalette() {
    std::optional<QString> path = choosePalettePath(true);
    if (!path) return;
    // The default extension.
    if (QFileInfo(*path).suffix().isEmpty()) *path += QStringLiteral(".pal");
    PaletteState& palette = app_.doc->palette;
    palette.paletteFilePath = path->toStdString();
    paletteFrame_->view().curves().publish(palette);
    SavePaletteFile(palette, &notifier_);
}

void TargetTools::republishPalette() {
    if (started_ && paletteFrame_) app_.doc->palette.customPalette = paletteFrame_->view().curves().palette();
}

void TargetTools::toggleColourIndicator() {
    int& shown = app_.doc->view.showColorIndicator;
    shown = shown ? 0 : 1;
    app_.windows->updateViews();
}

bool TargetTools::eventFilter(QObject* watched, QEvent* event) {
    // The palette window's place goes to the settings ("Frame Left" ...).
    if (watched == paletteFrameObject_ && (event->type() == QEvent::Move || event->type() == QEvent::Resize)) {
        const QRect g = static_cast<QWidget*>(watched)->geometry();
        app_.doc->stored.palette.frame = {g.left(), g.top(), g.right() + 1, g.bottom() + 1};
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace hx
