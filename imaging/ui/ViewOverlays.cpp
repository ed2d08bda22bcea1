#include "imaging/ui/ViewOverlays.h"

#include <QPainter>
#include <QPen>

#include <algorithm>
#include <vector>

#include "imaging/DisplaySettings.h"
#include "imaging/RangeScale.h"
#include "platform/HealthBadges.h"

namespace hx {

namespace {

constexpr int kTextBoxPx = 4096;  // wide enough for any overlay text

ScaleSides scaleSides(std::int32_t sideDisplayMode) {
    if (sideDisplayMode == kPortOnly) return ScaleSides::PortOnly;
    if (sideDisplayMode == kStarboardOnly) return ScaleSides::StbdOnly;
    return ScaleSides::Both;
}

std::int32_t drawnRange(std::int32_t rangeM) { return std::clamp(rangeM, 0, kMaxDrawnRangeM); }

}  // namespace

QFont OverlayFont(int pixelSize) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    return font;
}

void DrawTextAt(QPainter& painter, int x, int y, const QString& text) {
    painter.drawText(QRect(x, y, kTextBoxPx, kTextBoxPx), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

void DrawRangeScale(QPainter& painter, const RangeScaleParams& p, const OverlayInk& ink) {
    const RangeScaleLayout layout = layoutRangeScale(p.imageWidth, p.scrollX, drawnRange(p.rangeM),
                                                     scaleSides(p.sideDisplayMode), p.feet, p.grid);
    const int b = p.clientHeight;
    // Lines end one pixel short of b − 20, as a line drawn to a point stops before it.
    const int bottom = b - 21;
    const int tickTop = b - 25;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const ScaleLine& line : layout.lines) {
        painter.setPen(QPen(line.yellow ? ink.scaleLabel : ink.scaleLine, 1));
        if (line.fullHeight)
            painter.drawLine(line.x, 0, line.x, bottom);
        else
            painter.drawLine(line.x, tickTop, line.x, bottom);
    }
    painter.setFont(OverlayFont(kScaleFontPx));
    painter.setPen(ink.scaleLabel);
    for (const ScaleLabel& label : layout.labels) {
        const QRect box(label.centreX - kTextBoxPx / 2, b - 18, kTextBoxPx, kTextBoxPx);
        painter.drawText(box, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, QString::fromStdString(label.text));
    }
    painter.restore();
}

QString RangeText(std::int32_t rangeM, std::int32_t gainDb, bool feet, bool compact) {
    const std::int32_t r = drawnRange(rangeM);
    const QString unit = feet ? QStringLiteral("ft") : QStringLiteral("m");
    const QString gap = compact ? QString() : QStringLiteral(" ");
    return QStringLiteral("%1 %2%3(%4 dB)").arg(feet ? r * 3 : r).arg(unit, gap).arg(gainDb);
}

QString FrequencyText(std::int32_t frequencyHz) { return QStringLiteral("%1 kHz").arg(frequencyHz / 1000); }

void DrawRangeText(QPainter& painter, const QString& rangeLine, const QString& frequencyLine, const OverlayInk& ink) {
    painter.save();
    painter.setFont(OverlayFont(kRangeFontPx));
    painter.setPen(ink.text);
    DrawTextAt(painter, 8, 5, rangeLine);
    DrawTextAt(painter, 8, 28, frequencyLine);
    painter.restore();
}

QChar ActivityMark(std::int32_t goodCycleCount) {
    static const char marks[4] = {'\\', '|', '/', '-'};
    const int i = ((goodCycleCount % 4) + 4) % 4;
    return QChar::fromLatin1(marks[i]);
}

void DrawStatusMarks(QPainter& painter, QSize client, const StatusMarks& m, const OverlayInk& ink) {
    const int w = client.width();
    const int h = client.height();
    painter.save();
    painter.setFont(OverlayFont(kRangeFontPx));
    painter.setPen(ink.text);
    if (m.sysInfoPending) {
        DrawTextAt(painter, w / 2 - 150, h - 50, QStringLiteral("Reading System Info... Please wait !"));
        if (!m.sysInfoWait.empty()) {
            painter.save();
            painter.setFont(OverlayFont(kSmallMarkFontPx - 4));
            DrawTextAt(painter, w / 2 - 150, h - 74, QString::fromStdString(m.sysInfoWait));
            painter.restore();
        }
    }
    if (m.hold) {
        DrawTextAt(painter, w - 55, 1, QStringLiteral("Held"));
    } else {
        DrawTextAt(painter, w - 20, 1, QString(ActivityMark(m.goodCycleCount)));
        if (m.speedCorrection) {
            painter.setFont(OverlayFont(kSmallMarkFontPx));
            DrawTextAt(painter, w - 40, 1, QStringLiteral("sc"));
        }
    }
    painter.restore();
}

void DrawViewBadges(QPainter& painter, const HealthBadgeSource& source, std::initializer_list<int> heads, int right,
                    int top, const OverlayInk& ink) {
    if (!source) return;
    std::vector<HeadBadge> badges;
    for (int head : heads)
        if (auto badge = source(head)) badges.push_back(std::move(*badge));
    DrawHealthBadges(painter, right, top, badges, ink);
}

}  // namespace hx
