#include "app/ToolbarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace hx {

namespace {

constexpr int kSize = 24;

void arrow(QPainter& p, bool up) {
    QPolygonF tri;
    if (up)
        tri << QPointF(12, 3) << QPointF(20, 12) << QPointF(4, 12);
    else
        tri << QPointF(12, 21) << QPointF(20, 12) << QPointF(4, 12);
    p.drawPolygon(tri);
}

void label(QPainter& p, const QString& text, QRectF box = QRectF(0, 12, kSize, 12)) {
    QFont f = p.font();
    f.setPixelSize(9);
    f.setBold(true);
    p.setFont(f);
    p.drawText(box, Qt::AlignCenter, text);
}

}  // namespace

QIcon toolbarIcon(CommandId id) {
    QPixmap pm(kSize, kSize);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(30, 40, 60);
    p.setPen(QPen(ink, 1.6));
    p.setBrush(Qt::NoBrush);

    switch (id) {
        case CommandId::Connect:  // two plug halves
            p.drawLine(2, 12, 8, 12);
            p.drawRect(8, 8, 4, 8);
            p.drawRect(13, 8, 4, 8);
            p.drawLine(17, 12, 22, 12);
            break;
        case CommandId::Playback:
            p.setBrush(QColor(20, 130, 40));
            p.drawPolygon(QPolygonF() << QPointF(6, 4) << QPointF(20, 12) << QPointF(6, 20));
            break;
        case CommandId::Record:
            p.setBrush(QColor(200, 20, 20));
            p.drawEllipse(QPointF(12, 12), 8, 8);
            break;
        case CommandId::StopRecording:
            p.setBrush(ink);
            p.drawRect(5, 5, 14, 14);
            break;
        case CommandId::RangeIncrease:
            p.setBrush(QColor(40, 90, 200));
            arrow(p, true);
            label(p, QStringLiteral("R"));
            break;
        case CommandId::RangeDecrease:
            p.setBrush(QColor(40, 90, 200));
            arrow(p, false);
            label(p, QStringLiteral("R"), QRectF(0, 0, kSize, 12));
            break;
        case CommandId::GainIncrease:
            p.setBrush(QColor(200, 120, 20));
            arrow(p, true);
            label(p, QStringLiteral("G"));
            break;
        case CommandId::GainDecrease:
            p.setBrush(QColor(200, 120, 20));
            arrow(p, false);
            label(p, QStringLiteral("G"), QRectF(0, 0, kSize, 12));
            break;
        case CommandId::ClearScreen:
            p.drawRect(4, 4, 16, 16);
            p.drawLine(7, 7, 17, 17);
            p.drawLine(17, 7, 7, 17);
            break;
        case CommandId::Hold:
            p.setBrush(ink);
            p.drawRect(6, 5, 4, 14);
            p.drawRect(14, 5, 4, 14);
            break;
        case CommandId::ZoomIn:
        case CommandId::ZoomOut:
            p.drawEllipse(QPointF(10, 10), 6, 6);
            p.drawLine(14, 14, 21, 21);
            p.drawLine(7, 10, 13, 10);
            if (id == CommandId::ZoomIn) p.drawLine(10, 7, 10, 13);
            break;
        case CommandId::DrawPlusMark:
            p.setPen(QPen(QColor(220, 180, 0), 2.2));
            p.drawLine(12, 4, 12, 20);
            p.drawLine(4, 12, 20, 12);
            break;
        case CommandId::MeasureTargetHeight:
            p.drawLine(6, 20, 18, 20);
            p.drawLine(12, 4, 12, 20);
            p.drawLine(9, 4, 15, 4);
            break;
        case CommandId::MeasureRange:
            p.drawLine(3, 12, 21, 12);
            p.drawLine(3, 8, 3, 16);
            p.drawLine(21, 8, 21, 16);
            break;
        case CommandId::MeasureDistance:
            p.drawLine(4, 20, 20, 4);
            p.setBrush(ink);
            p.drawEllipse(QPointF(4, 20), 2, 2);
            p.drawEllipse(QPointF(20, 4), 2, 2);
            break;
        case CommandId::ClearLinesMarks:
            p.drawLine(4, 20, 20, 4);
            p.setPen(QPen(QColor(200, 20, 20), 2));
            p.drawLine(6, 6, 18, 18);
            break;
        case CommandId::RestoreImage:
            p.drawArc(QRectF(4, 4, 16, 16), 30 * 16, 300 * 16);
            p.setBrush(ink);
            p.drawPolygon(QPolygonF() << QPointF(18, 3) << QPointF(21, 9) << QPointF(15, 9));
            break;
        case CommandId::DisplayLowHighDib:
            label(p, QStringLiteral("L/H"), QRectF(0, 0, kSize, kSize));
            break;
        case CommandId::About:
            p.drawEllipse(QPointF(12, 12), 9, 9);
            label(p, QStringLiteral("?"), QRectF(0, 0, kSize, kSize));
            break;
        default:
            label(p, QString::number(static_cast<int>(id) % 100), QRectF(0, 0, kSize, kSize));
            break;
    }
    return QIcon(pm);
}

}  // namespace hx
