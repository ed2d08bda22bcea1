#include "app/HeadControlBar.h"

#include <QGridLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

#include <functional>

#include "app/SpinArrows.h"

namespace hx {

HeadControlBar::HeadControlBar(QWidget* parent) : QWidget(parent) {
    grid_ = new QGridLayout(this);
    grid_->setContentsMargins(4, 2, 4, 2);
    grid_->setHorizontalSpacing(6);
    grid_->setVerticalSpacing(1);
    rebuild();
}

QWidget* HeadControlBar::spin(std::function<void(int)> onStep) { return makeSpinArrows(this, std::move(onStep)); }

void HeadControlBar::setLayoutHeads(const std::array<int, 3>& heads, int count) {
    if (heads == heads_ && count == count_) return;
    heads_ = heads;
    count_ = count;
    rebuild();
}

void HeadControlBar::rebuild() {
    const QString keepRange = range_ ? range_->text() : QString();
    const QString keepEs = esRange_ ? esRange_->text() : QString();
    while (QLayoutItem* item = grid_->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    // The other layout's stretch column would open a gap inside this one.
    for (int c = 0; c < grid_->columnCount(); ++c) grid_->setColumnStretch(c, 0);
    gain_ = {};
    displayGain_ = {};
    frequency_ = {};

    auto text = [this](const QString& t) {
        auto* l = new QLabel(t, this);
        l->setMinimumWidth(52);
        l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        return l;
    };
    int col = 0;
    grid_->addWidget(new QLabel(QStringLiteral("Range:"), this), 1, col++);
    grid_->addWidget(spin([this](int d) { emit rangeStep(d); }), 1, col++);
    range_ = text(keepRange);
    grid_->addWidget(range_, 1, col++);
    grid_->addWidget(new QLabel(QStringLiteral("ES  Range:"), this), 1, col++);
    grid_->addWidget(spin([this](int d) { emit esRangeStep(d); }), 1, col++);
    esRange_ = text(keepEs);
    grid_->addWidget(esRange_, 1, col++);

    grid_->addWidget(new QLabel(QStringLiteral("Gain:"), this), 1, col++);
    for (int s = 0; s < count_; ++s) {
        const int head = heads_[static_cast<std::size_t>(s)];
        frequency_[static_cast<std::size_t>(s)] = new QLabel(this);
        grid_->addWidget(frequency_[static_cast<std::size_t>(s)], 0, col, 1, 2, Qt::AlignHCenter);
        grid_->addWidget(spin([this, head](int d) { emit gainStep(head, d); }), 1, col++);
        gain_[static_cast<std::size_t>(s)] = text(QString());
        grid_->addWidget(gain_[static_cast<std::size_t>(s)], 1, col++);
    }

    grid_->addWidget(new QLabel(QStringLiteral("Display:"), this), 1, col++);
    for (int s = 0; s < count_; ++s) {
        const int head = heads_[static_cast<std::size_t>(s)];
        grid_->addWidget(spin([this, head](int d) { emit displayGainStep(head, d); }), 1, col++);
        displayGain_[static_cast<std::size_t>(s)] = text(QString());
        grid_->addWidget(displayGain_[static_cast<std::size_t>(s)], 1, col++);
    }
    grid_->setColumnStretch(col, 1);
}

void HeadControlBar::setRangeText(const QString& t) { range_->setText(t); }
void HeadControlBar::setEsRangeText(const QString& t) { esRange_->setText(t); }

void HeadControlBar::setGainText(int slot, const QString& t) {
    if (slot >= 0 && slot < count_) gain_[static_cast<std::size_t>(slot)]->setText(t);
}

void HeadControlBar::setDisplayGainText(int slot, const QString& t) {
    if (slot >= 0 && slot < count_) displayGain_[static_cast<std::size_t>(slot)]->setText(t);
}

void HeadControlBar::setFrequencyLabel(int slot, const QString& t) {
    if (slot >= 0 && slot < count_) frequency_[static_cast<std::size_t>(slot)]->setText(t);
}

QString HeadControlBar::rangeText() const { return range_->text(); }

QString HeadControlBar::gainText(int slot) const {
    return slot >= 0 && slot < count_ ? gain_[static_cast<std::size_t>(slot)]->text() : QString();
}

QString HeadControlBar::frequencyLabel(int slot) const {
    return slot >= 0 && slot < count_ ? frequency_[static_cast<std::size_t>(slot)]->text() : QString();
}

}  // namespace hx
