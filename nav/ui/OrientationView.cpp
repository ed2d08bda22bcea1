#include "nav/ui/OrientationView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "nav/ui/InstrumentPainter.h"

namespace hx {

COrientationView::COrientationView(std::function<OrientationReadout()> readout, QWidget* parent)
    : QWidget(parent), readout_(std::move(readout)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(300, 150);
    timer_.setInterval(kOrientationRedrawMs);
    connect(&timer_, &QTimer::timeout, this, qOverload<>(&QWidget::update));
}

void COrientationView::paintEvent(QPaintEvent*) {
    if (frame_.size() != size()) frame_ = QImage(size(), QImage::Format_RGB32);
    const OrientationReadout r = readout_ ? readout_() : OrientationReadout{};
    {
        QPainter p(&frame_);
        PaintInstruments(p, size(), r.values, r.feet);
    }
    QPainter(this).drawImage(0, 0, frame_);
}

void COrientationView::showEvent(QShowEvent*) { timer_.start(); }

void COrientationView::hideEvent(QHideEvent*) { timer_.stop(); }

void COrientationView::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    dragging_ = true;
    pressGlobal_ = e->globalPosition().toPoint();
    windowAtPress_ = window()->pos();
    grabMouse();
}

void COrientationView::mouseMoveEvent(QMouseEvent* e) {
    if (!dragging_) return;
    window()->move(windowAtPress_ + (e->globalPosition().toPoint() - pressGlobal_));
}

void COrientationView::mouseReleaseEvent(QMouseEvent* e) {
    if (!dragging_ || e->button() != Qt::LeftButton) return;
    window()->move(windowAtPress_ + (e->globalPosition().toPoint() - pressGlobal_));
    dragging_ = false;
    releaseMouse();
    emit windowMoved(window()->frameGeometry());
}

void COrientationView::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_H && (e->modifiers() & ~Qt::ShiftModifier) == Qt::NoModifier) {
        emit holdToggled();
        return;
    }
    QWidget::keyPressEvent(e);
}

}  // namespace hx
