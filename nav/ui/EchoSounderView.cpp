#include "nav/ui/EchoSounderView.h"

#include <QFont>
#include <QPainter>

#include "imaging/EchoSounderText.h"
#include "platform/HealthBadges.h"

namespace hx {

namespace {

// The picture's two spans per row: from the ring's oldest column to its
// end, then from its start up to the oldest.
void blitEchoGram(QImage& frame, const EchoGramImage& image, const std::array<QRgb, kPaletteEntries>& lut) {
    const int columns = std::min(image.columns(), frame.width());
    const int rows = std::min(image.rows(), frame.height() - kEchoTopMarginPx);
    const int oldest = image.oldestColumn();
    const int firstSpan = image.columns() - oldest;
    for (int r = 0; r < rows; ++r) {
        const std::span<const std::uint8_t> src = image.physicalRow(r);
        auto* dst = reinterpret_cast<QRgb*>(frame.scanLine(kEchoTopMarginPx + r));
        const int a = std::min(firstSpan, columns);
        for (int x = 0; x < a; ++x) dst[x] = lut[src[static_cast<std::size_t>(oldest + x)]];
        for (int x = a; x < columns; ++x) dst[x] = lut[src[static_cast<std::size_t>(x - a)]];
    }
}

void drawLabel(QPainter& p, int x, int y, const QString& text) {
    const QRect box = p.fontMetrics().boundingRect(text);
    p.fillRect(QRect(x, y, box.width() + 2, p.fontMetrics().height()), Qt::black);
    p.drawText(QRect(x, y, box.width() + 2, p.fontMetrics().height()), Qt::AlignLeft | Qt::AlignTop, text);
}

}  // namespace

std::array<QRgb, kPaletteEntries> EchoSounderLut(const Palette& palette) {
    std::array<QRgb, kPaletteEntries> lut{};
    for (std::size_t i = 0; i < lut.size(); ++i) lut[i] = qRgb(palette[i].red, palette[i].green, palette[i].blue);
    lut[255] = qRgb(255, 255, 255);
    return lut;
}

void PaintEchoSounder(QImage& frame, const EchoSounderState& echo, const std::array<QRgb, kPaletteEntries>& lut,
                      const EchoSounderReadout& readout) {
    frame.fill(Qt::black);
    const int w = echo.imageWidthPx;
    const int h = echo.imageHeightPx;
    if (w <= 0 || h <= 0) return;
    // The whole image area shows colour index 0 where no echo is drawn.
    {
        QPainter fill(&frame);
        fill.fillRect(QRect(0, 0, w, h), QColor::fromRgb(lut[0]));
    }
    const EchoGramImage& image = readout.hold ? echo.hold : echo.live;
    blitEchoGram(frame, image, lut);

    QPainter p(&frame);
    const OverlayInk& ink = readout.ink;
    p.setPen(QPen(ink.scaleLine, 1));
    QFont scaleFont(QStringLiteral("Arial"));
    scaleFont.setPixelSize(16);
    p.setFont(scaleFont);
    for (const EchoScaleMark& m : EchoScaleMarks(h, readout.rangeM, readout.feet, readout.gridShown)) {
        if (m.drawLine) {
            p.setPen(QPen(ink.scaleLine, 1));
            p.drawLine(0, m.lineY, w - kEchoRightMarginPx, m.lineY);
        }
        p.setPen(ink.night ? ink.scaleLabel : QColor(255, 255, 0));
        drawLabel(p, w - 26, m.labelY, QString::fromStdString(m.label));
    }
    p.setPen(QPen(ink.scaleLine, 1));
    p.drawLine(0, h - 32, w - kEchoRightMarginPx, h - 32);
    p.drawLine(w - kEchoRightMarginPx, kEchoTopMarginPx, w - kEchoRightMarginPx, h - 32);

    QFont textFont(QStringLiteral("Arial"));
    textFont.setPixelSize(22);
    p.setFont(textFont);
    p.setPen(ink.text);
    drawLabel(p, 2, 0, QString::fromStdString(EchoRangeText(readout.rangeM, readout.gainStep, readout.feet)));
    drawLabel(p, 2, h - 26, QString::fromStdString(EchoAltitudeText(readout.altitudeM, readout.feet)));
    if (readout.health) {
        const HeadBadge badges[] = {*readout.health};
        DrawHealthBadges(p, w - kEchoRightMarginPx - 4, 4, badges, ink);
    }
}

CEchoSounder::CEchoSounder(EchoSounderContext context, QWidget* parent) : QWidget(parent), ctx_(std::move(context)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(80, 80);
}

void CEchoSounder::paintEvent(QPaintEvent*) {
    if (frame_.size() != size()) frame_ = QImage(size(), QImage::Format_RGB32);
    const EchoSounderReadout readout = ctx_.readout ? ctx_.readout() : EchoSounderReadout{};
    // Hold may have gone on since the last ping: the frozen copy is the
    // picture of that moment.
    FollowEchoGramHold(ctx_.echo, readout.hold);
    auto lut = EchoSounderLut(BuildImagePalette(ctx_.palette));
    // The bottom trace is white by day; at night it may not outshine the echoes.
    if (readout.ink.night) lut[255] = readout.ink.markText.rgb();
    PaintEchoSounder(frame_, ctx_.echo, lut, readout);
    QPainter(this).drawImage(0, 0, frame_);
}

void CEchoSounder::resizeEvent(QResizeEvent*) {
    if (width() * height() <= 0) return;
    frame_ = QImage(size(), QImage::Format_RGB32);
    ResizeEchoGram(ctx_.echo, width(), height());
}

}  // namespace hx
