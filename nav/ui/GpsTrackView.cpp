#include "nav/ui/GpsTrackView.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

namespace hx {

CGPSTrackView::CGPSTrackView(TrackPlotContext context, QWidget* parent) : QWidget(parent), ctx_(std::move(context)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(60, 60);
    resizeTrackView(view_, std::max(width(), 1), std::max(height(), 1));
}

void CGPSTrackView::send(TrackPlotCommand command) {
    if (ctx_.command) ctx_.command(command);
}

QMenu* CGPSTrackView::buildContextMenu(QWidget* parent) {
    auto* menu = new QMenu(parent);
    using T = TrackPlotCommand;
    const std::pair<T, const char*> items[] = {{T::GpsCommPortSettings, "GPS Comm Port &Settings"},
                                               {T::SpeedCorrection, "&Speed Correction"},
                                               {T::EraseGpsTracks, "&Erase GPS Tracks"},
                                               {T::ZoomIn, "Zoom &In"},
                                               {T::ZoomOut, "Zoom &Out"}};
    for (const auto& [command, text] : items) {
        QAction* a = menu->addAction(QString::fromLatin1(text));
        connect(a, &QAction::triggered, this, [this, command = command] { send(command); });
    }
    return menu;
}

void CGPSTrackView::restoreImage() {
    restoreTrackView(view_, ctx_.plot.gpsZoomFactor, width(), height());
    update();
}

void CGPSTrackView::eraseView() {
    eraseTrackView(view_, width(), height());
    update();
}

void CGPSTrackView::paintEvent(QPaintEvent*) {
    if (frame_.size() != size()) frame_ = QImage(size(), QImage::Format_RGB32);
    TrackPlotScene scene;
    scene.track = &ctx_.track;
    scene.zoomPxPerM = ctx_.plot.gpsZoomFactor;
    scene.feet = ctx_.feetUnits && ctx_.feetUnits();
    scene.waypoints = &ctx_.waypoints;
    scene.marks = &ctx_.marks;
    painter_.paint(frame_, view_, scene);
    QPainter(this).drawImage(0, 0, frame_);
}

void CGPSTrackView::resizeEvent(QResizeEvent*) {
    if (width() * height() < 1) return;
    frame_ = QImage(size(), QImage::Format_RGB32);
    resizeTrackView(view_, width(), height());
}

void CGPSTrackView::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    const QPoint p = e->position().toPoint();
    pressTrackView(view_, p.x(), p.y());
}

void CGPSTrackView::mouseMoveEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    if (moveTrackView(view_, p.x(), p.y())) update();
}

void CGPSTrackView::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || !view_.dragging) return;
    releaseTrackView(view_);
}

void CGPSTrackView::contextMenuEvent(QContextMenuEvent* e) {
    QMenu* menu = buildContextMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(e->globalPos());
}

void CGPSTrackView::keyPressEvent(QKeyEvent* e) {
    const QString t = e->text();
    if (t == QLatin1String("+") || t == QLatin1String("=")) {
        send(TrackPlotCommand::ZoomIn);
    } else if (t == QLatin1String("-")) {
        send(TrackPlotCommand::ZoomOut);
    } else if (e->key() == Qt::Key_R && e->modifiers() == Qt::NoModifier) {
        restoreImage();
    } else {
        QWidget::keyPressEvent(e);
    }
}

}  // namespace hx
