#include "imaging/ui/CrossHairCursor.h"

#include <QPainter>
#include <QPixmap>

namespace hx {

namespace {

constexpr int kGapPx = 3;  // clear pixels each side of the hot spot

void drawArms(QPainter& p, const QColor& colour, int width) {
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
    const int c = kCrossHairHotSpot;
    const int end = kCrossHairSizePx - 1;
    p.drawLine(0, c, c - kGapPx - 1, c);
    p.drawLine(c + kGapPx + 1, c, end, c);
    p.drawLine(c, 0, c, c - kGapPx - 1);
    p.drawLine(c, c + kGapPx + 1, c, end);
}

}  // namespace

QCursor MakeCrossHairCursor() {
    QPixmap pixmap(kCrossHairSizePx, kCrossHairSizePx);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, false);
    drawArms(p, QColor(0, 0, 0, 200), 3);
    drawArms(p, QColor(255, 255, 255), 1);
    p.end();
    return QCursor(pixmap, kCrossHairHotSpot, kCrossHairHotSpot);
}

}  // namespace hx
