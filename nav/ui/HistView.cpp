#include "nav/ui/HistView.h"

#include <QFont>
#include <QPainter>

namespace hx {

std::array<QRgb, kPaletteEntries> HistoryLut(const Palette& palette) {
    std::array<QRgb, kPaletteEntries> lut{};
    for (std::size_t i = 0; i < lut.size(); ++i) lut[i] = qRgb(palette[i].red, palette[i].green, palette[i].blue);
    lut[kHistPitchIndex] = qRgb(0, 0, 255);
    lut[kHistRollIndex] = qRgb(0, 255, 0);
    lut[kHistHeadingIndex] = qRgb(255, 0, 0);
    return lut;
}

void PaintHistory(QImage& frame, const OrientationHistory& history, const std::array<QRgb, kPaletteEntries>& lut) {
    frame.fill(Qt::black);
    const int W = history.widthPx();
    const int H = history.heightPx();
    if (W <= 0 || H <= 0) return;
    {
        QPainter fill(&frame);
        fill.fillRect(QRect(0, 0, W, H), QColor::fromRgb(lut[0]));
    }
    const int columns = std::min(history.stripColumns(), frame.width());
    const int oldest = history.oldestColumn();
    const int firstSpan = history.stripColumns() - oldest;
    for (int y = 0; y < std::min(H, frame.height()); ++y) {
        const std::span<const std::uint8_t> src = history.physicalRow(y);
        if (src.empty()) break;
        auto* dst = reinterpret_cast<QRgb*>(frame.scanLine(y));
        const int a = std::min(firstSpan, columns);
        for (int x = 0; x < a; ++x) dst[x] = lut[src[static_cast<std::size_t>(oldest + x)]];
        for (int x = a; x < columns; ++x) dst[x] = lut[src[static_cast<std::size_t>(x - a)]];
    }

    const int L = history.laneHeightPx();
    if (L < 1) return;
    QPainter p(&frame);
    p.setPen(QPen(QColor(120, 30, 0), 1));
    for (int k = 0; k <= kHistLaneCount; ++k)
        p.drawLine(0, kHistTopMarginPx + k * L, W - 29, kHistTopMarginPx + k * L);
    p.drawLine(W - 29, 9, W - 29, H - 13);

    QFont letterFont(QStringLiteral("Arial"));
    letterFont.setPixelSize(16);
    p.setFont(letterFont);
    p.setBackgroundMode(Qt::OpaqueMode);
    p.setBackground(Qt::black);
    p.setPen(QColor(255, 255, 0));
    const char* letters[] = {"D", "T", "P", "R", "H"};
    for (int k = 0; k < kHistLaneCount; ++k)
        p.drawText(QPoint(W - 20, kHistTopMarginPx + (2 * k + 1) * L / 2 - 10 + p.fontMetrics().ascent()),
                   QString::fromLatin1(letters[k]));

    QFont scaleFont(QStringLiteral("Arial"));
    scaleFont.setPixelSize(12);
    p.setFont(scaleFont);
    p.setPen(QColor(200, 200, 0));
    const char* tops[] = {"0", "35", "5", "5", "0"};
    const char* bottoms[] = {"100", "-5", "-5", "-5", "360"};
    for (int k = 0; k < kHistLaneCount; ++k) {
        const int laneTop = kHistTopMarginPx + k * L;
        const int laneBottom = laneTop + L;
        const int ascent = p.fontMetrics().ascent();
        p.drawText(QPoint(W - 25, laneTop + (k == 0 ? 2 : 6) + ascent), QString::fromLatin1(tops[k]));
        if (L >= 40) p.drawText(QPoint(W - 25, laneBottom - 20 + ascent), QString::fromLatin1(bottoms[k]));
    }
}

CHistView::CHistView(OrientationHistory& history, const PaletteState& palette, QWidget* parent)
    : QWidget(parent), history_(history), palette_(palette) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(120, 120);
}

void CHistView::paintEvent(QPaintEvent*) {
    if (frame_.size() != size()) frame_ = QImage(size(), QImage::Format_RGB32);
    PaintHistory(frame_, history_, HistoryLut(BuildImagePalette(palette_)));
    QPainter(this).drawImage(0, 0, frame_);
}

void CHistView::resizeEvent(QResizeEvent*) {
    if (width() * height() < 1) return;
    frame_ = QImage(size(), QImage::Format_RGB32);
    history_.resize(width(), height());
}

}  // namespace hx
