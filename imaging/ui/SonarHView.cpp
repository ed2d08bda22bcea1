#include "imaging/ui/SonarHView.h"

#include <QMouseEvent>
#include <QPainter>

#include "imaging/ui/CrossHairCursor.h"
#include "imaging/ui/ViewOverlays.h"
#include "imaging/ui/WaterfallBlit.h"

namespace hx {

CSonarHView::CSonarHView(SidescanContext& context, QWidget* parent)
    : QWidget(parent),
      ctx_(context),
      measurements_(context, *this, [this](MouseMode mode) { setMouseMode(mode); }, [this] { return scroll(); }) {
    hooks_ = measurements_.hooks();
    measurements_.setImageWidthSource([this] { return imageWidth(); });
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setCursor(MakeCrossHairCursor());
}

namespace {

WindowWaterfall& slotOf(SidescanContext& ctx) {
    return ctx.imaging.windows[static_cast<std::size_t>(kHighWindowSlot)];
}

}  // namespace

CSonarHView::~CSonarHView() { CloseWindowImage(slotOf(ctx_)); }

int CSonarHView::shownHead() const { return ctx_.link.allSideScansAvailable ? kHeadH : ctx_.link.displayHeadB; }

const WaterfallImage* CSonarHView::shownImage() const { return slotOf(ctx_).image(); }

void CSonarHView::followWindowWidth() {
    FitWindowImage(slotOf(ctx_), shownHead(), width(), ctx_.imaging.store,
                   WindowImageInputs{ctx_.imaging.history, ctx_.imaging.display, ctx_.speed, ctx_.heads});
    update();
}

void CSonarHView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (width() > 0 && height() > 0) followWindowWidth();
}

QPoint CSonarHView::scroll() const {
    return {WindowScrollX(slotOf(ctx_), ctx_.imaging.store, ctx_.flags.scrollX), ctx_.flags.scrollY};
}

int CSonarHView::imageWidth() const {
    const WaterfallImage* image = shownImage();
    return image ? image->width() : ctx_.imaging.store.imageWidth;
}

ViewGeometry CSonarHView::viewGeometry() const {
    // The main view's rows and scroll, across this window's own image width.
    const QPoint s = scroll();
    return pointer_.geometry(ctx_, s.x(), s.y(), ctx_.imaging.display.interpolationFactor, size(), imageWidth());
}

void CSonarHView::setMouseMode(MouseMode mode) {
    mouseMode_ = mode;
    measurements_.modeChanged(mode);
    update();
}

void CSonarHView::paintEvent(QPaintEvent*) {
    PrepareFrame(frame_, size());
    const WaterfallStore& store = ctx_.imaging.store;
    const int sx = scroll().x();
    const int sy = scroll().y();
    if (store.imagesReady) {
        if (const WaterfallImage* image = shownImage())
            BlitIndexed(frame_, *image, MakeColourLut(BuildImagePalette(ctx_.palette)), -sx, -sy);
    }
    {
        QPainter p(&frame_);
        RangeScaleParams params;
        params.imageWidth = imageWidth();
        params.scrollX = sx;
        params.rangeM = ctx_.heads.sideScanRange;
        params.sideDisplayMode = ctx_.imaging.display.sideDisplayMode;
        params.feet = ctx_.flags.units == 1;
        params.grid = ctx_.flags.grid != 0;
        params.clientHeight = height();
        const OverlayInk ink = overlayInkFor(ctx_.palette);
        DrawRangeScale(p, params, ink);

        const int headB = ctx_.link.displayHeadB;
        const bool valid = headB >= 0 && headB < kHeadCount;
        const auto k = static_cast<std::size_t>(valid ? headB : 0);
        DrawRangeText(p, RangeText(ctx_.heads.sideScanRange, valid ? ctx_.heads.headGain[k] : 0, params.feet, true),
                      FrequencyText(valid ? ctx_.heads.headFrequency[k] : 0), ink);
        DrawViewBadges(p, ctx_.healthBadge, {shownHead()}, width() - 6, 4, ink);
        if (hooks_.paint) hooks_.paint(p, viewGeometry());
    }
    {
        QPainter screen(this);
        screen.drawImage(0, 0, frame_);
    }
    pointer_.report(ctx_, sx, sy, imageWidth());
}

void CSonarHView::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    pointer_.moved(pos, size());
    ctx_.activeMeasurements = &measurements_;
    clickPending_ = event->button() == Qt::LeftButton && mouseMode_ == MouseMode::None;
    clickAt_ = pos;
    if (event->button() == Qt::LeftButton && PlacesPoints(mouseMode_) && hooks_.press) {
        hooks_.press(mouseMode_, pos + scroll());
        update();
    }
}

void CSonarHView::mouseMoveEvent(QMouseEvent* event) {
    pointer_.moved(event->position().toPoint(), size());
    if (PlacesPoints(mouseMode_)) update();
    pointer_.report(ctx_, scroll().x(), scroll().y(), imageWidth());
}

void CSonarHView::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    pointer_.moved(pos, size());
    const MouseMode mode = mouseMode_;
    if (mode == MouseMode::TimeMarks || mode == MouseMode::GpsMarks) setMouseMode(MouseMode::None);
    if (hooks_.release) hooks_.release(mode, pos + scroll());
    update();
    const bool click = event->button() == Qt::LeftButton && clickPending_ && pos == clickAt_;
    clickPending_ = false;
    if (click && mode == MouseMode::None && ctx_.eventClicked) {
        const QPoint at = pos + scroll();
        ctx_.eventClicked(at.x(), at.y());
    }
}

void CSonarHView::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    pointer_.left();
    pointer_.report(ctx_, scroll().x(), scroll().y(), imageWidth());
}

}  // namespace hx
