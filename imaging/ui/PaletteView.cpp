#include "imaging/ui/PaletteView.h"

#include <QCheckBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "imaging/ui/ViewOverlays.h"

namespace hx {

namespace {

constexpr int x0 = kCurveX0;
constexpr int y0 = kCurveY0;
constexpr int kStripX[kCurveChannels] = {544, 570, 596};
constexpr int kResultStripX = 632;
constexpr int kStripWidthPx = 16;
constexpr int kLabelFontPx = 14;
const QColor kGridGrey{180, 180, 180};
const QColor kPointGrey{120, 120, 120};
const QColor kCurveColour[kCurveChannels] = {{200, 0, 0}, {0, 200, 0}, {0, 0, 200}};
const char* const kChannelNames[kCurveChannels] = {"red", "green", "blue"};

QColor channelColour(int channel, int value) {
    return QColor(channel == kRedCurve ? value : 0, channel == kGreenCurve ? value : 0,
                  channel == kBlueCurve ? value : 0);
}

// A small button marked by its channel's colour.
QString swatchStyle(const char* selector, int channel) {
    const QColor c = kCurveColour[channel];
    return QStringLiteral("%1 { background: rgb(%2, %3, %4); border: 1px solid black; }")
        .arg(QString::fromLatin1(selector))
        .arg(c.red())
        .arg(c.green())
        .arg(c.blue());
}

}  // namespace

CPaletteView::CPaletteView(PaletteState& palette, QWidget* parent) : QWidget(parent), palette_(palette) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(false);
    for (int c = 0; c < kCurveChannels; ++c) {
        auto* radio = new QRadioButton(this);
        radio->setGeometry(kStripX[c], 288, 16, 16);
        radio->setObjectName(QStringLiteral("set-%1").arg(QString::fromLatin1(kChannelNames[c])));
        radio->setToolTip(QStringLiteral("Edit the %1 curve").arg(QString::fromLatin1(kChannelNames[c])));
        radio->setStyleSheet(swatchStyle("QRadioButton::indicator", c));
        radio->setChecked(c == curves_.selected());
        connect(radio, &QRadioButton::toggled, this, [this, c](bool on) {
            if (!on) return;
            curves_.select(c);
            update();
        });
        channels_[c] = radio;

        auto* reset = new QPushButton(this);
        reset->setGeometry(kStripX[c], 314, 16, 16);
        reset->setObjectName(QStringLiteral("reset-%1").arg(QString::fromLatin1(kChannelNames[c])));
        reset->setToolTip(QStringLiteral("Reset the %1 curve").arg(QString::fromLatin1(kChannelNames[c])));
        reset->setStyleSheet(swatchStyle("QPushButton", c));
        connect(reset, &QPushButton::clicked, this, [this, c] {
            curves_.reset(c);
            publish();
            update();
        });
        resets_[c] = reset;
    }
    apply_ = new QCheckBox(this);
    apply_->setGeometry(16, 288, 16, 16);
    apply_->setObjectName(QStringLiteral("apply"));
    connect(apply_, &QCheckBox::toggled, this, [this](bool on) {
        palette_.useCustomPalette = on ? 1 : 0;
        update();
    });
    close_ = new QPushButton(QStringLiteral("X"), this);
    close_->setGeometry(16, 312, 18, 18);
    connect(close_, &QPushButton::clicked, this, &CPaletteView::closeRequested);
    save_ = new QPushButton(QStringLiteral("Save"), this);
    save_->setGeometry(112, 292, 52, 28);
    connect(save_, &QPushButton::clicked, this, [this] {
        publish();
        emit saveRequested();
    });
    load_ = new QPushButton(QStringLiteral("Load"), this);
    load_->setGeometry(198, 292, 52, 28);
    connect(load_, &QPushButton::clicked, this, &CPaletteView::loadRequested);
    syncApply();
}

QSize CPaletteView::sizeHint() const { return {kResultStripX + kStripWidthPx + 40, 344}; }

QAbstractButton* CPaletteView::channelButton(int channel) const {
    return channel >= 0 && channel < kCurveChannels ? channels_[channel] : nullptr;
}

QAbstractButton* CPaletteView::resetButton(int channel) const {
    return channel >= 0 && channel < kCurveChannels ? resets_[channel] : nullptr;
}

void CPaletteView::syncApply() {
    const QSignalBlocker block(apply_);
    apply_->setChecked(palette_.useCustomPalette != 0);
}

void CPaletteView::startUp() {
    bool fromFile = true;
    for (int c = 0; c < kCurveChannels; ++c) fromFile = fromFile && palette_.curvePointCount[static_cast<std::size_t>(c)] >= 2;
    if (fromFile) {
        curves_.takeFromDocument(palette_);
    } else {
        palette_.customPalette = palette_.currentTablePalette;
        curves_.followTable(palette_.currentTablePalette);
    }
    syncApply();
    publish();
    update();
}

void CPaletteView::applyLoad(PaletteLoad result) {
    if (result == PaletteLoad::Loaded) {
        curves_.takeFromDocument(palette_);
    } else {
        palette_.customPalette = palette_.currentTablePalette;
        curves_.followTable(palette_.currentTablePalette);
    }
    publish();
    update();
}

void CPaletteView::publish() {
    curves_.publish(palette_);
    emit published();
}

void CPaletteView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);

    // Grid: every grid column and every 32 values.
    p.setPen(QPen(kGridGrey, 1, Qt::DotLine));
    for (int x = x0; x <= x0 + kCurveWidthPx; x += kCurveGridPx) p.drawLine(x, y0, x, y0 + kCurveHeightPx);
    for (int y = y0; y <= y0 + kCurveHeightPx; y += kCurveGridPx) p.drawLine(x0, y, x0 + kCurveWidthPx, y);

    // The selected channel's curve and its points.
    const int ch = curves_.selected();
    const std::vector<CurvePoint> pts = curves_.drawnPoints(ch);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(kCurveColour[ch], 1));
    for (std::size_t i = 0; i + 1 < pts.size(); ++i) p.drawLine(pts[i].x, pts[i].y, pts[i + 1].x, pts[i + 1].y);
    p.setPen(kPointGrey);
    p.setBrush(kPointGrey);
    for (const CurvePoint& pt : pts) p.drawEllipse(QRect(pt.x - 2, pt.y - 2, 4, 4));
    p.setBrush(Qt::NoBrush);

    // The channels' strips and the palette they make, 255 at the top.
    const Palette& pal = curves_.palette();
    for (int j = 0; j < kCurveHeightPx; ++j) {
        const PaletteEntry& e = pal[static_cast<std::size_t>(255 - j)];
        for (int c = 0; c < kCurveChannels; ++c) {
            p.setPen(channelColour(c, ChannelValue(e, c)));
            p.drawLine(kStripX[c], y0 + j, kStripX[c] + kStripWidthPx - 1, y0 + j);
        }
        p.setPen(QColor(e.red, e.green, e.blue));
        p.drawLine(kResultStripX, y0 + j, kResultStripX + kStripWidthPx - 1, y0 + j);
    }

    p.setPen(Qt::black);
    p.setFont(OverlayFont(kLabelFontPx));
    DrawTextAt(p, 627, 288, QStringLiteral("Set"));
    DrawTextAt(p, 627, 314, QStringLiteral("Reset"));
    DrawTextAt(p, 35, 288, QStringLiteral("Apply"));
    DrawTextAt(p, 35, 313, QStringLiteral("Close"));
    p.end();

    publish();
}

void CPaletteView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint pos = event->position().toPoint();
    clickInGraph_ = false;
    movingFrame_ = false;
    if (curves_.press(pos.x(), pos.y())) {
        update();
    } else if (PaletteCurves::movesWindow(pos.x(), pos.y())) {
        movingFrame_ = true;
        moveFrom_ = event->globalPosition().toPoint();
    } else {
        clickInGraph_ = PaletteCurves::insideGraph(pos.x(), pos.y());
    }
}

void CPaletteView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (curves_.dragging()) {
        curves_.move(pos.x(), pos.y());
        update();
    } else if (movingFrame_) {
        const QPoint now = event->globalPosition().toPoint();
        emit frameDragged(now - moveFrom_);
        moveFrom_ = now;
    }
}

void CPaletteView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint pos = event->position().toPoint();
    if (curves_.dragging() || clickInGraph_) {
        curves_.release(pos.x(), pos.y());
        // At once, not only at the next paint: a window not yet exposed
        // (another desktop, minimised) paints late or never.
        publish();
        update();
    }
    clickInGraph_ = false;
    movingFrame_ = false;
}

CPaletteChildFrm::CPaletteChildFrm(PaletteState& palette, QWidget* parent) : QWidget(parent, Qt::Tool) {
    setWindowTitle(QStringLiteral("HX642 - Palette"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    view_ = new CPaletteView(palette, this);
    layout->addWidget(view_);
    resize(view_->sizeHint());
}

}  // namespace hx
