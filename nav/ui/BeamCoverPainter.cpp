#include "nav/ui/BeamCoverPainter.h"

#include <QFont>

#include <algorithm>
#include <cmath>

namespace hx {

namespace {

void text(QPainter& p, int x, int y, const std::string& s, int pixelSize, const QColor& colour) {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(pixelSize);
    p.setFont(f);
    p.setPen(colour);
    p.drawText(QPoint(x, y), QString::fromStdString(s));
}

}  // namespace

void PaintBeamPicture(QPainter& p, const BeamCoverageParams& params, int clientWidthPx, bool printing) {
    const BeamGeometry g = beamGeometry(params, clientWidthPx);
    if (g.halfWidthPx <= 0) return;
    const int c = g.centreX;
    const int y0 = g.towfishY;
    const QColor ink = printing ? QColor(0, 0, 0) : QColor(220, 220, 220);
    const QColor note = printing ? QColor(0, 0, 0) : QColor(250, 250, 0);

    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    for (const BeamRay& r : beamFan(params, g.halfWidthPx)) {
        if (r.dx < 0) continue;
        const QColor colour = printing ? QColor(255 - r.intensity, 255 - r.intensity, 255) : QColor(0, 0, r.intensity);
        p.setPen(QPen(colour, 5, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(c, y0 + 3, c + r.dx, y0 + r.dy);
        p.drawLine(c, y0 + 3, c - r.dx, y0 + r.dy);
    }
    p.setRenderHint(QPainter::Antialiasing, true);

    // The towfish.
    p.setPen(QPen(ink, 1));
    p.setBrush(printing ? QColor(80, 80, 80) : QColor(255, 140, 0));
    p.drawEllipse(QPoint(c, y0), 6, 4);

    // Range marks at the ends of the fan's width.
    p.setPen(QPen(ink, 1, Qt::DashLine));
    p.drawLine(g.leftPx, y0, c + g.halfWidthPx, y0);
    p.setPen(QPen(ink, 2));
    for (int x : {c - g.halfWidthPx, c + g.halfWidthPx}) p.drawLine(x, y0 - 8, x, y0 + 8);
    text(p, c + g.halfWidthPx - 110, y0 - 14, beamRangeText(params), 16, note);

    // The bottom and the height above it.
    p.setPen(QPen(printing ? QColor(120, 80, 0) : QColor(200, 160, 80), 3));
    p.drawLine(g.leftPx, g.bottomY, g.pictureRightPx, g.bottomY);
    text(p, g.leftPx + 4, g.bottomY + 20, "Bottom", 16, note);
    p.setPen(QPen(ink, 1));
    p.drawLine(c, y0 + 6, c, g.bottomY);
    p.drawLine(c - 5, g.bottomY - 6, c, g.bottomY);
    p.drawLine(c + 5, g.bottomY - 6, c, g.bottomY);
    text(p, c + 8, (y0 + g.bottomY) / 2 + 6, beamHeightText(params), 16, note);

    // The beam width as arcs about each beam's axis (20 degrees down).
    const int b = beamWidthDeg(params.frequency);
    const int radius = std::max(g.halfWidthPx / 3, 20);
    const QRect arcBox(c - radius, y0 - radius, 2 * radius, 2 * radius);
    p.setPen(QPen(note, 2));
    p.setBrush(Qt::NoBrush);
    // Angles counter-clockwise from east with y up: starboard axis at -20, port at -160.
    p.drawArc(arcBox, (-20 - b / 2) * 16, b * 16);
    p.drawArc(arcBox, (-160 - b / 2) * 16, b * 16);
    text(p, c + radius / 2, y0 + radius + 22, beamWidthText(params), 16, note);
    p.restore();
}

void PaintBeamPage(QPainter& p, const BeamCoverageParams& params, const QRect& page) {
    p.save();
    p.fillRect(page, Qt::white);
    QFont title(QStringLiteral("Arial"));
    title.setPixelSize(std::max(page.height() / 30, 12));
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::black);
    const int titleHeight = p.fontMetrics().height();
    p.drawText(QRect(page.left(), page.top(), page.width(), titleHeight), Qt::AlignHCenter | Qt::AlignTop,
               QString::fromLatin1(kBeamPrintTitle));
    QFont line(QStringLiteral("Arial"));
    line.setPixelSize(std::max(page.height() / 45, 8));
    p.setFont(line);
    const int lineTop = page.top() + titleHeight + titleHeight / 2;
    p.drawText(QRect(page.left(), lineTop, page.width(), p.fontMetrics().height()), Qt::AlignHCenter | Qt::AlignTop,
               QString::fromStdString(beamPrintLine(params)));

    // The picture at a logical width of 800 pixels (the fan reaches P above
    // and below the towfish), scaled to fit below the header and centred.
    constexpr int kLogicalClient = 970;  // picture from 10 to 800
    const BeamGeometry g = beamGeometry(params, kLogicalClient);
    const int top = g.towfishY - g.halfWidthPx - 10;
    const int bottom = std::min(std::max(g.towfishY + g.halfWidthPx, g.bottomY + 30), g.towfishY + 2 * g.halfWidthPx);
    const int pictureTop = lineTop + 2 * p.fontMetrics().height();
    const double scale = std::min(page.width() / 820.0, (page.bottom() - pictureTop) / static_cast<double>(bottom - top));
    if (scale <= 0.0) {
        p.restore();
        return;
    }
    p.translate(page.left() + (page.width() - 820.0 * scale) / 2.0, pictureTop);
    p.scale(scale, scale);
    p.translate(0, -top);
    p.setClipRect(QRect(0, top, 820, bottom - top));
    PaintBeamPicture(p, params, kLogicalClient, true);
    p.restore();
}

}  // namespace hx
