#include "nav/ui/TrackPlotPainter.h"

#include <QFont>
#include <QPainter>
#include <QPen>

#include <cmath>

namespace hx {

namespace {

void paintGrid(QPainter& p, int w, int h, bool feet) {
    QPen pen(QColor::fromRgb(kTrackGridColour), 0, Qt::DashLine);
    p.setPen(pen);
    const int s = gridSpacingPx(feet);
    for (int k = 0; w / 2 - k * s >= 0 || w / 2 + k * s <= w; ++k) {
        p.drawLine(w / 2 + k * s, 0, w / 2 + k * s, h);
        if (k > 0) p.drawLine(w / 2 - k * s, 0, w / 2 - k * s, h);
    }
    for (int k = 0; h / 2 - k * s >= 0 || h / 2 + k * s <= h; ++k) {
        p.drawLine(0, h / 2 + k * s, w, h / 2 + k * s);
        if (k > 0) p.drawLine(0, h / 2 - k * s, w, h / 2 - k * s);
    }
}

void paintWaypoints(QPainter& p, const TrackPlotScene& scene, double ox, double oy, int w, int h) {
    if (!scene.marks || scene.marks->empty()) return;
    QFont numberFont(QStringLiteral("Arial"));
    numberFont.setPixelSize(kWaypointFontEmSize);
    QFont nameFont(QStringLiteral("Arial"));
    nameFont.setPixelSize(12);
    const QColor colour = QColor::fromRgb(kWaypointColour);
    for (std::size_t i = 0; i < scene.marks->size(); ++i) {
        const WaypointMark& m = (*scene.marks)[i];
        const double x = ox + m.x * scene.zoomPxPerM;
        const double y = oy + m.y * scene.zoomPxPerM;
        if (x < -200 || y < -40 || x > w + 40 || y > h + 40) continue;
        const int cx = static_cast<int>(std::lround(x));
        const int cy = static_cast<int>(std::lround(y));
        p.setPen(QPen(colour, 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRect(cx - m.circleSize / 2, cy - m.circleSize / 2, m.circleSize, m.circleSize));
        p.setFont(numberFont);
        p.setPen(QColor(255, 255, 0));
        p.drawText(QRect(cx - 15, cy - 10, m.textWidth, m.textHeight), Qt::AlignHCenter | Qt::AlignTop,
                   QString::fromStdString(m.text));
        if (scene.waypoints && static_cast<int>(i) < scene.waypoints->count) {
            p.setFont(nameFont);
            p.setPen(colour);
            p.drawText(QPoint(cx + m.circleSize / 2 + 4, cy + 4),
                       QString::fromStdString(scene.waypoints->entries[i].name));
        }
    }
}

}  // namespace

void TrackPlotPainter::paint(QImage& frame, TrackViewState& view, const TrackPlotScene& scene) {
    frame.fill(Qt::black);
    lastVertices_ = 0;
    const int w = frame.width();
    const int h = frame.height();
    if (w < 1 || h < 1) return;
    const double zoom = scene.zoomPxPerM > 0.0 ? scene.zoomPxPerM : 1.0;

    QPainter p(&frame);
    paintGrid(p, w, h, scene.feet);
    QFont scaleFont(QStringLiteral("Arial"));
    scaleFont.setPixelSize(18);
    p.setFont(scaleFont);
    p.setPen(QColor(250, 250, 250));
    p.drawText(QRect(2, 0, w, 24), Qt::AlignLeft | Qt::AlignTop,
               QString::fromStdString(gridScaleText(zoom, scene.feet)));

    const double lastX = scene.track ? scene.track->trackLastX : 0.0;
    const double lastY = scene.track ? scene.track->trackLastY : 0.0;
    placeTrackMark(view, lastX, lastY, zoom, w, h);
    const double ox = trackScreenOffsetX(view);
    const double oy = trackScreenOffsetY(view);

    if (scene.track && !scene.track->trackPath.empty()) {
        const TrackPath& path = scene.track->trackPath;
        const int level = path.levelFor(zoom);
        p.setPen(QPen(QColor::fromRgb(kTrackColour), 0));
        path.forEachPolyline(level, visibleTrackRect(view, zoom, w, h), [&](std::span<const TrackVertex> line) {
            points_.clear();
            for (const TrackVertex& v : line) {
                const QPointF s(ox + v.xM * zoom, oy + v.yM * zoom);
                // Points that land on the pixel of the last one add nothing.
                if (!points_.empty() && std::fabs(s.x() - points_.back().x()) < 0.5 &&
                    std::fabs(s.y() - points_.back().y()) < 0.5)
                    continue;
                points_.push_back(s);
            }
            if (points_.size() == 1) points_.push_back(points_.front());
            lastVertices_ += points_.size();
            p.drawPolyline(points_.data(), static_cast<int>(points_.size()));
        });
    }

    paintWaypoints(p, scene, ox, oy, w, h);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor::fromRgb(kTrackMarkerColour));
    p.setRenderHint(QPainter::Antialiasing, true);
    const double mx = ox + std::trunc(view.markX * zoom) - 4;
    const double my = oy + std::trunc(view.markY * zoom) - 4;
    p.drawEllipse(QRectF(mx, my, 8, 8));
}

}  // namespace hx
