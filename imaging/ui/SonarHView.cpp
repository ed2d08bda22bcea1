#include "imaging/ui/SonarHView.h"

#include <QMouseEvent>
#include <QPainter>

#include "imaging/ui/CrossHairCursor.h"
#include "imaging/ui/ViewOverlays.h"
#include "imaging/ui/WaterfallBlit.h"

namespace hx {

CSonarHView::CSonarHView(SidescanContext& context, QWidget* parent) : QWidget(parent), ctx_(context) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setCursor(MakeCrossHairCursor());
}

const WaterfallImage* CSonarHView::shownImage() const {
    const WaterfallStore& store = ctx_.imaging.store;
    return HeadImageFor(store, store.threeHeadSet ? kHeadH : ctx_.link.displayHeadB);
}

ViewGeometry CSonarHView::viewGeometry() const {
    // Drawn at the main view's scroll and zoom.
    return pointer_.geometry(ctx_, ctx_.flags.scrollX, ctx_.flags.scrollY, ctx_.imaging.display.interpolationFactor,
                             size());
}

void CSonarHView::setMouseMode(MouseMode mode) {
    mouseMode_ = mode;
    update();
}

void CSonarHView::paintEvent(QPaintEvent*) {
    PrepareFrame(frame_, size());
    const WaterfallStore& store = ctx_.imaging.store;
    const int sx = ctx_.flags.scrollX;
    const int sy = ctx_.flags.scrollY;
    if (store.imagesReady) {
        if (const WaterfallImage* image = shownImage())
            BlitIndexed(frame_, *image, MakeColourLut(BuildImagePalette(ctx_.palette)), -sx, -sy);
    }
    {
        QPainter p(&frame_);
        RangeScaleParams params;
        params.imageWidth = store.imageWidth;
        params.scrollX = sx;
        params.rangeM = ctx_.heads.sideScanRange;
        params.sideDisplayMode = ctx_.imaging.display.sideDisplayMode;
        params.feet = ctx_.flags.units == 1;
        params.grid = ctx_.flags.grid != 0;
        params.clientHeight = height();
        DrawRangeScale(p, params);

        const int headB = ctx_.link.displayHeadB;
        const bool valid = headB >= 0 && headB < kHeadCount;
        const auto k = static_cast<std::size_t>(valid ? headB : 0);
        DrawRangeText(p, RangeText(ctx_.heads.sideScanRange, valid ? ctx_.heads.headGain[k] : 0, params.feet, true),
                      FrequencyText(valid ? ctx_.heads.headFrequency[k] : 0));
        if (hooks_.paint) hooks_.paint(p, viewGeometry());
    }
    {
        QPainter screen(this);
        screen.drawImage(0, 0, frame_);
    }
    pointer_.report(ctx_, sx, sy);
}

void CSonarHView::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    pointer_.moved(pos, size());
    if (event->button() == Qt::LeftButton && PlacesPoints(mouseMode_) && hooks_.press) {
        hooks_.press(mouseMode_, pos + scroll());
        update();
    }
}

void CSonarHView::mouseMoveEvent(QMouseEvent* event) {
    pointer_.moved(event->position().toPoint(), size());
    if (PlacesPoints(mouseMode_)) update();
    pointer_.report(ctx_, ctx_.flags.scrollX, ctx_.flags.scrollY);
}

void CSonarHView::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    pointer_.moved(pos, size());
    const MouseMode mode = mouseMode_;
    if (mode == MouseMode::TimeMarks || mode == MouseMode::GpsMarks) mouseMode_ = MouseMode::None;
    if (hooks_.release) hooks_.release(mode, pos + scroll());
    update();
}

void CSonarHView::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    pointer_.left();
    pointer_.report(ctx_, ctx_.flags.scrollX, ctx_.flags.scrollY);
}

}  // namespace hx
