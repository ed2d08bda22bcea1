#include "nav/ui/InstrumentPainter.h"

#include <QFont>
#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace hx {

namespace {

const QColor kRingFill(150, 150, 150);
const QColor kRingEdge(255, 190, 120);
const QColor kAccent(255, 140, 0);
const QColor kScale(180, 180, 180);
const QColor kTick(200, 190, 150);
const QColor kSky(100, 120, 200);
const QColor kGround(100, 100, 100);
const QColor kHalfDisc(255, 250, 150);
const QColor kBar(255, 100, 0);
const QColor kLabel(250, 250, 200);
const QColor kBladeLight(250, 250, 200);
const QColor kBladeDark(120, 120, 120);
const QColor kShadowEdge(80, 80, 80);

// A label with a black shadow one pixel right and down, centred in box.
void shadowText(QPainter& p, const QRect& box, const QString& text, const QColor& colour, int pixelSize) {
    QFont f(QStringLiteral("Times New Roman"));
    f.setPixelSize(pixelSize);
    p.setFont(f);
    p.setPen(Qt::black);
    p.drawText(box.translated(1, 1), Qt::AlignCenter, text);
    p.setPen(colour);
    p.drawText(box, Qt::AlignCenter, text);
}

QPainterPath ringPath(double outer, double inner) {
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    path.addEllipse(QPointF(0, 0), outer, outer);
    path.addEllipse(QPointF(0, 0), inner, inner);
    return path;
}

void drawRing(QPainter& p) {
    p.setPen(QPen(kRingEdge, 3));
    p.setBrush(kRingFill);
    p.drawPath(ringPath(kDialOuterRadiusPx, kDialInnerRadiusPx));
}

void drawGauge(QPainter& p, QPoint c, double fraction, GaugeSpan span, bool depthScaleFeet, bool filledBar) {
    const int top = c.y() - static_cast<int>(kDialOuterRadiusPx);
    const int bottom = c.y() + static_cast<int>(kDialOuterRadiusPx);
    p.setPen(QPen(kScale, 1));
    p.drawLine(c.x(), top, c.x(), bottom);
    p.setPen(QPen(kTick, 1));
    for (int y = bottom; y >= top; y -= 8) p.drawLine(c.x() - 6, y, c.x(), y);
    const int level = bottom - static_cast<int>(std::lround(fraction * (bottom - top)));
    if (filledBar) {
        p.setPen(Qt::NoPen);
        p.setBrush(kBar);
        p.drawRect(QRect(c.x() + 2, level, 8, bottom - level));
    } else {
        p.setPen(QPen(kAccent, 2));
        p.drawLine(c.x() - 10, level, c.x() + 10, level);
        p.setBrush(kAccent);
        const QPointF tri[] = {QPointF(c.x() + 10, level), QPointF(c.x() + 18, level - 5), QPointF(c.x() + 18, level + 5)};
        p.drawPolygon(tri, 3);
    }
    const QString maxText = QString::fromStdString(gaugeEndLabel(span.maximum, depthScaleFeet));
    const QString minText = QString::fromStdString(gaugeEndLabel(span.minimum, depthScaleFeet));
    shadowText(p, QRect(c.x() - 60, top - 8, 48, 16), maxText, kLabel, 13);
    shadowText(p, QRect(c.x() - 60, bottom - 8, 48, 16), minText, kLabel, 13);
}

void drawPitch(QPainter& p, QPoint c, double pitchDeg) {
    p.save();
    p.translate(c);
    QPainterPath inner;
    inner.addEllipse(QPointF(0, 0), kDialInnerRadiusPx, kDialInnerRadiusPx);
    p.setClipPath(inner);
    const double level = pitchLevelOffsetPx(pitchDeg, kDialInnerRadiusPx);
    p.fillRect(QRectF(-kDialInnerRadiusPx, -kDialInnerRadiusPx, 2 * kDialInnerRadiusPx, kDialInnerRadiusPx + level), kSky);
    p.fillRect(QRectF(-kDialInnerRadiusPx, level, 2 * kDialInnerRadiusPx, kDialInnerRadiusPx - level + 1), kGround);
    p.setClipping(false);
    p.setPen(QPen(kAccent, 2));
    p.drawLine(QPointF(-6, 0), QPointF(6, 0));  // the fixed 12-pixel mark
    drawRing(p);
    p.restore();
}

void drawRoll(QPainter& p, QPoint c, double rollDeg) {
    p.save();
    p.translate(c);
    p.setPen(Qt::NoPen);
    p.setBrush(kSky);
    p.drawEllipse(QPointF(0, 0), kDialInnerRadiusPx, kDialInnerRadiusPx);
    p.save();
    p.rotate(std::isfinite(rollDeg) ? rollDeg : 0.0);
    p.setBrush(kHalfDisc);
    // The lower half disc, tilted with the roll.
    p.drawPie(QRectF(-kDialInnerRadiusPx, -kDialInnerRadiusPx, 2 * kDialInnerRadiusPx, 2 * kDialInnerRadiusPx), 180 * 16,
              180 * 16);
    p.restore();
    p.setPen(QPen(kAccent, 2));
    p.drawLine(-12, 10, 12, 10);
    p.drawLine(-4, 18, 4, 18);
    drawRing(p);
    p.restore();
}

void drawRose(QPainter& p) {
    for (int k = 0; k < 4; ++k) {
        p.save();
        p.rotate(90.0 * k);
        p.setPen(QPen(kShadowEdge, 1));
        p.setBrush(kBladeLight);
        const QPointF a[] = {QPointF(0, 0), QPointF(-6, -6), QPointF(0, -kRoseBladePx)};
        p.drawPolygon(a, 3);
        p.setBrush(kBladeDark);
        const QPointF b[] = {QPointF(0, 0), QPointF(0, -kRoseBladePx), QPointF(6, -6)};
        p.drawPolygon(b, 3);
        p.restore();
    }
}

void drawHeading(QPainter& p, QPoint c, double headingDeg) {
    p.save();
    p.translate(c);
    drawRing(p);
    drawRose(p);
    const char* cardinal[] = {"N", "E", "S", "W"};
    for (int k = 0; k < 4; ++k) {
        const double a = k * std::numbers::pi / 2;
        const QPoint at(static_cast<int>(std::lround(std::sin(a) * 50)), static_cast<int>(std::lround(-std::cos(a) * 50)));
        shadowText(p, QRect(at.x() - 10, at.y() - 9, 20, 18), QString::fromLatin1(cardinal[k]), kLabel, 15);
    }
    const double rad = headingNeedleRad(headingDeg);
    p.setPen(QPen(kBar, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(0, 0), QPointF(std::sin(rad) * kDialOuterRadiusPx, -std::cos(rad) * kDialOuterRadiusPx));
    p.setBrush(kAccent);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(0, 0), 3, 3);
    p.restore();
}

}  // namespace

InstrumentLayout layoutInstruments(QSize client) {
    InstrumentLayout l;
    const int cell = std::max(client.width() / kInstrumentCount, 1);
    const int cy = std::max((client.height() - 40) / 2, static_cast<int>(kRoseBladePx) + 12);
    for (int i = 0; i < kInstrumentCount; ++i) {
        const int cx = cell * i + cell / 2;
        l.centre[static_cast<std::size_t>(i)] = QPoint(cx, cy);
        l.readout[static_cast<std::size_t>(i)] = QRect(cell * i, cy + 52, cell, kReadoutFontPx + 8);
    }
    return l;
}

void PaintInstruments(QPainter& p, QSize client, const OrientationValues& v, bool feet) {
    p.fillRect(QRect(QPoint(0, 0), client), Qt::black);
    p.setRenderHint(QPainter::Antialiasing, true);
    const InstrumentLayout l = layoutInstruments(client);
    const OrientationTexts t = orientationTexts(v, feet);
    auto at = [&](Instrument i) { return l.centre[static_cast<std::size_t>(i)]; };
    auto readout = [&](Instrument i, const std::string& text) {
        shadowText(p, l.readout[static_cast<std::size_t>(i)], QString::fromStdString(text), Qt::white, kReadoutFontPx);
    };
    drawGauge(p, at(Instrument::Depth), gaugeFraction(v.depthM, kDepthGaugeSpan), kDepthGaugeSpan, feet, false);
    readout(Instrument::Depth, t.depth);
    drawGauge(p, at(Instrument::Temperature), gaugeFraction(v.temperatureC, kTemperatureGaugeSpan),
              kTemperatureGaugeSpan, false, true);
    readout(Instrument::Temperature, t.temperature);
    drawPitch(p, at(Instrument::Pitch), v.pitchDeg);
    readout(Instrument::Pitch, t.pitch);
    drawRoll(p, at(Instrument::Roll), v.rollDeg);
    readout(Instrument::Roll, t.roll);
    drawHeading(p, at(Instrument::Heading), v.headingDeg);
    readout(Instrument::Heading, t.heading);
}

}  // namespace hx
