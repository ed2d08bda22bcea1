#include "platform/HealthBadges.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

namespace hx {

namespace {

constexpr int kFontPx = 14;
constexpr int kPadX = 5;
constexpr int kPadY = 2;
constexpr int kGap = 4;

QColor scaled(QColor c, double f) {
    return QColor(static_cast<int>(c.red() * f), static_cast<int>(c.green() * f), static_cast<int>(c.blue() * f));
}

QColor fillFor(HealthLevel level) {
    switch (level) {
        case HealthLevel::Live: return QColor(46, 125, 50);
        case HealthLevel::Late: return QColor(249, 168, 37);
        case HealthLevel::Lost: break;
    }
    return QColor(198, 40, 40);
}

}  // namespace

void DrawHealthBadges(QPainter& painter, int right, int top, std::span<const HeadBadge> badges,
                      const OverlayInk& ink) {
    if (badges.empty()) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(kFontPx);
    font.setBold(true);
    painter.setFont(font);
    const QFontMetrics metrics(font);
    const int height = metrics.height() + 2 * kPadY;
    int x = right;
    // The last badge ends at the right edge: the first head reads leftmost.
    for (auto it = badges.rbegin(); it != badges.rend(); ++it) {
        const QString text = QString::fromStdString(it->text);
        const int width = metrics.horizontalAdvance(text) + 2 * kPadX;
        x -= width;
        const QRect box(x, top, width, height);
        painter.setPen(Qt::NoPen);
        painter.setBrush(scaled(fillFor(it->level), ink.badgeBrightness));
        painter.drawRoundedRect(box, 4, 4);
        const QColor textColour = it->level == HealthLevel::Late ? QColor(0, 0, 0) : QColor(255, 255, 255);
        painter.setPen(ink.night ? QColor(0, 0, 0) : textColour);
        painter.drawText(box, Qt::AlignCenter, text);
        x -= kGap;
    }
    painter.restore();
}

}  // namespace hx
