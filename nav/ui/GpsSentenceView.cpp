#include "nav/ui/GpsSentenceView.h"

#include <QFont>
#include <QPainter>

#include "nav/GpsConfigModel.h"

namespace hx {

GpsSentenceView::GpsSentenceView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumHeight(kSentenceHistoryCapacity * kSentenceLineHeightPx + 8);
}

void GpsSentenceView::setHistory(const GpsSentenceHistory& history, int count) {
    history_ = history;
    count_ = std::clamp(count, 0, kSentenceHistoryCapacity);
    update();
}

void GpsSentenceView::setSentenceSelection(int gpsType) {
    gpsType_ = gpsType;
    update();
}

void GpsSentenceView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(12);
    p.setFont(font);
    for (int i = 0; i < count_; ++i) {
        const std::string& s = history_[static_cast<std::size_t>(i)];
        if (!isDrawnHistoryEntry(s)) continue;
        // Line ends and other control characters are not drawn.
        QString text = QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
        for (QChar& c : text)
            if (c.unicode() < 0x20) c = QLatin1Char(' ');
        p.setPen(isSelectedSentence(gpsType_, s) ? QColor(0, 0, 255) : QColor(0, 0, 0));
        p.drawText(QRect(2, 2 + kSentenceLineHeightPx * i, width() - 4, kSentenceLineHeightPx),
                   Qt::AlignLeft | Qt::AlignVCenter, text.trimmed());
    }
}

}  // namespace hx
