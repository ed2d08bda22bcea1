#include "imaging/ui/ColourIndicator.h"

#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

#include "imaging/ui/ViewOverlays.h"

namespace hx {

namespace {

constexpr int kBarWidthPx = 14;
constexpr int kTopPx = 34;      // below the status marks
constexpr int kMarginPx = 8;    // from the right edge, and at the bottom above the scale
constexpr int kBottomGapPx = 48;
constexpr int kMaxHeightPx = 256;
constexpr int kLabelFontPx = 12;

// The composite's channel byte for an intensity, as the line processing writes it.
int compositeByte(int intensity) {
    return std::min(254, static_cast<int>(std::trunc(255.0 * std::sin(intensity * 0.5 * 3.1415926 / 256.0))));
}

}  // namespace

QRect ColourIndicatorRect(QSize client) {
    const int height = std::clamp(client.height() - kTopPx - kBottomGapPx, 0, kMaxHeightPx);
    const int width = kBarWidthPx;
    return {client.width() - kMarginPx - width, kTopPx, width, height};
}

void DrawColourIndicator(QPainter& p, QSize client, const ColourLut* lut) {
    const QRect bar = ColourIndicatorRect(client);
    if (bar.height() < 16) return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    const int bars = lut ? 1 : 3;
    const int each = bar.width() / bars;
    for (int row = 0; row < bar.height(); ++row) {
        // Top row 254, bottom row 0.
        const int intensity = 254 - row * 254 / std::max(bar.height() - 1, 1);
        for (int b = 0; b < bars; ++b) {
            QColor c;
            if (lut) {
                c = QColor::fromRgb((*lut)[static_cast<std::size_t>(intensity)]);
            } else {
                const int v = compositeByte(intensity);
                c = QColor(b == 0 ? v : 0, b == 1 ? v : 0, b == 2 ? v : 0);
            }
            p.setPen(c);
            p.drawLine(bar.left() + b * each, bar.top() + row, bar.left() + (b + 1) * each - 1, bar.top() + row);
        }
    }
    p.setPen(QPen(QColor(200, 200, 200), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(bar.adjusted(-1, -1, 0, 0));
    p.setFont(OverlayFont(kLabelFontPx));
    p.setPen(kTextYellow);
    const QRect labels(bar.left() - 40, bar.top() - 2, 36, bar.height() + 4);
    p.drawText(labels, Qt::AlignRight | Qt::AlignTop, QStringLiteral("254"));
    p.drawText(labels, Qt::AlignRight | Qt::AlignBottom, QStringLiteral("0"));
    if (!lut) {
        const char* names[3] = {"L", "M", "H"};
        for (int b = 0; b < 3; ++b)
            p.drawText(QRect(bar.left() + b * each, bar.bottom() + 2, each, 14), Qt::AlignHCenter | Qt::AlignTop,
                       QString::fromLatin1(names[b]));
    }
    p.restore();
}

}  // namespace hx
