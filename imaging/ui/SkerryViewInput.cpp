// The sidescan view's mouse, wheel and keys: the measurement tools and
// marks, dragging and wheeling the zoomed image, the pointer keys, Hold and
// the double click that opens an event.
#include "imaging/ui/SkerryView.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>
#include <climits>

namespace hx {

namespace {

constexpr int kWheelStepPx = 64;  // per notch of 120

// One wheel step that never carries the scroll past the image's far edge
// (or past 0), though a drag may already have taken it there.
long long wheelStep(long long current, long long step, long long limit) {
    limit = std::max(limit, 0LL);
    if (step > 0) return std::min(current + step, std::max(current, limit));
    if (step < 0) return std::max(current + step, std::min(current, 0LL));
    return current;
}

}  // namespace

void CSkerryView::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    pointer_.moved(pos, size());
    holdPlaybackStep();
    ctx_.activeMeasurements = &measurements_;
    if (event->button() != Qt::LeftButton) return;
    clickPending_ = mouseMode_ == MouseMode::None;
    clickAt_ = pos;
    if (mouseMode_ == MouseMode::None) {
        dragging_ = true;
        dragStart_ = pos;
        dragScroll_ = scroll();
    } else if (PlacesPoints(mouseMode_)) {
        if (hooks_.press) hooks_.press(mouseMode_, pos + scroll());
        update();
    }
}

void CSkerryView::mouseMoveEvent(QMouseEvent* event) { handleMove(event->position().toPoint()); }

void CSkerryView::handleMove(QPoint pos) {
    pointer_.moved(pos, size());
    if (dragging_) {
        setScroll(static_cast<long long>(dragStart_.x()) + dragScroll_.x() - pos.x(),
                  static_cast<long long>(dragStart_.y()) + dragScroll_.y() - pos.y());
        refreshAll();
    } else if (PlacesPoints(mouseMode_)) {
        update();  // the live measurement follows the pointer
    }
    // The status bar follows the pointer, not only the pings.
    pointer_.report(ctx_, zoom_.scrollX, zoom_.scrollY);
}

void CSkerryView::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    pointer_.moved(pos, size());
    holdPlaybackStep();
    const MouseMode mode = mouseMode_;
    dragging_ = false;
    if (mode == MouseMode::TimeMarks || mode == MouseMode::GpsMarks) setMouseMode(MouseMode::None);
    if (hooks_.release) hooks_.release(mode, pos + scroll());
    update();
    // A click that did not move the image: event input at that place.
    const bool click = event->button() == Qt::LeftButton && clickPending_ && pos == clickAt_;
    clickPending_ = false;
    if (click && mode == MouseMode::None && ctx_.eventClicked) {
        const QPoint at = pos + scroll();
        ctx_.eventClicked(at.x(), at.y());
    }
}

void CSkerryView::focusInEvent(QFocusEvent* event) {
    ctx_.activeMeasurements = &measurements_;
    QWidget::focusInEvent(event);
}

void CSkerryView::mouseDoubleClickEvent(QMouseEvent* event) {
    holdPlaybackStep();
    if (event->button() == Qt::LeftButton && mouseMode_ == MouseMode::None && ctx_.eventDoubleClicked) {
        // The first click may have opened the dialog already; then this does nothing.
        const QPoint at = event->position().toPoint() + scroll();
        ctx_.eventDoubleClicked(at.x(), at.y());
    }
    if (event->button() != Qt::LeftButton || !ctx_.rowDoubleClicked || !(zoom_.zoomFactor > 0.0)) return;
    const double row = (event->position().toPoint().y() + static_cast<double>(zoom_.scrollY)) / zoom_.zoomFactor;
    if (row >= 0.0 && row < static_cast<double>(INT_MAX)) ctx_.rowDoubleClicked(static_cast<int>(row));
}

void CSkerryView::wheelEvent(QWheelEvent* event) {
    const QPoint delta = event->angleDelta();
    event->accept();
    if (bitmapViewActive()) {
        if (delta.y() == 0) return;
        ScrollBitmapPage(*ctx_.bitmapPage, ctx_.imaging.store, PageScroll::Wheel, delta.y());
        refreshAll();
        return;
    }
    const WaterfallStore& store = ctx_.imaging.store;
    const long long stepX = -static_cast<long long>(delta.x()) * kWheelStepPx / 120;
    const long long stepY = -static_cast<long long>(delta.y()) * kWheelStepPx / 120;
    if (stepX == 0 && stepY == 0) return;
    setScroll(wheelStep(zoom_.scrollX, stepX, static_cast<long long>(store.imageWidth) - width()),
              wheelStep(zoom_.scrollY, stepY, static_cast<long long>(store.imageHeight) - height()));
    refreshAll();
}

void CSkerryView::keyPressEvent(QKeyEvent* event) {
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    switch (event->key()) {
        case Qt::Key_Left: movePointer(-1, 0); return;
        case Qt::Key_Right: movePointer(1, 0); return;
        case Qt::Key_Up: movePointer(0, -1); return;
        case Qt::Key_Down: movePointer(0, 1); return;
        case Qt::Key_H:
            if (plain) {
                if (ctx_.holdToggled) ctx_.holdToggled();
                return;
            }
            break;
        case Qt::Key_Z:
            if (plain) {
                cycleZoom();
                return;
            }
            break;
        default: break;
    }
    QWidget::keyPressEvent(event);
}

void CSkerryView::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
    emit contextMenuRequested(event->globalPos());
}

void CSkerryView::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    if (dragging_) return;  // the drag keeps the pointer until release
    pointer_.left();
    pointer_.report(ctx_, zoom_.scrollX, zoom_.scrollY);
}

void CSkerryView::movePointer(int dx, int dy) {
    QPoint pos = pointer_.known() ? pointer_.pos() : mapFromGlobal(QCursor::pos());
    pos += QPoint(dx, dy);
    QCursor::setPos(mapToGlobal(pos));
    handleMove(pos);
}

}  // namespace hx
