#include "imaging/ui/EventMarkerOverlay.h"

#include <QPainter>
#include <QPen>

#include "imaging/ui/ViewOverlays.h"

namespace hx {

namespace {
const QColor kMarkerRed{250, 0, 0};
constexpr int kNumberBoxPx = 30;
}  // namespace

void DrawEventMarkers(QPainter& p, const ViewGeometry& g, std::span<const EventMarkerPlace> places) {
    if (places.empty()) return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(kMarkerRed, 2));
    p.setBrush(Qt::NoBrush);
    p.setFont(OverlayFont(kEventMarkerFontPx));
    // Markers stay inside the image.
    p.setClipRect(QRect(-g.scrollX, -g.scrollY, g.imageWidth, g.imageHeight));
    const int r = kEventMarkerDiameterPx / 2;
    for (const EventMarkerPlace& m : places) {
        const long long cx = m.imageX - g.scrollX;
        const long long cy = static_cast<long long>(m.row) - g.scrollY;
        if (cx < -kNumberBoxPx || cy < -kNumberBoxPx || cx > g.clientWidth + kNumberBoxPx ||
            cy > g.clientHeight + kNumberBoxPx)
            continue;
        const QPoint c(static_cast<int>(cx), static_cast<int>(cy));
        p.drawEllipse(QRect(c.x() - r, c.y() - r, kEventMarkerDiameterPx, kEventMarkerDiameterPx));
        p.drawText(QRect(c.x() - kNumberBoxPx / 2, c.y() - kNumberBoxPx / 2, kNumberBoxPx, kNumberBoxPx),
                   Qt::AlignCenter, QString::number(m.number));
    }
    p.restore();
}

}  // namespace hx
