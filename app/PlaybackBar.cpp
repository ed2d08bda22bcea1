#include "app/PlaybackBar.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

#include "app/SpinArrows.h"

namespace hx {

namespace {
constexpr int kSliderMax = 100;
constexpr int kSliderPage = 10;
constexpr int kSpeedMax = 20;
}  // namespace

PlaybackBar::PlaybackBar(QWidget* parent) : QWidget(parent) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(6);

    row->addWidget(new QLabel(QStringLiteral("Progress"), this));
    slider_ = new QSlider(Qt::Horizontal, this);
    slider_->setRange(0, kSliderMax);
    slider_->setPageStep(kSliderPage);
    slider_->setSingleStep(1);
    slider_->setTickInterval(kSliderPage);
    slider_->setTickPosition(QSlider::TicksBelow);
    slider_->setFocusPolicy(Qt::NoFocus);
    slider_->setMinimumWidth(200);
    row->addWidget(slider_, 1);
    connect(slider_, &QSlider::sliderPressed, this, [this] { emit sliderGrabbed(); });
    connect(slider_, &QSlider::sliderReleased, this, [this] { emit sliderReleased(slider_->value()); });
    // A click beside the handle moves the slider by a page without taking
    // hold of it: that is a release at the new place.
    connect(slider_, &QSlider::valueChanged, this, [this](int value) {
        if (!settingSlider_ && !slider_->isSliderDown()) emit sliderReleased(value);
    });

    for (const auto& [text, isUp] : {std::pair{QStringLiteral("PageUp"), true}, std::pair{QStringLiteral("PageDown"), false}}) {
        auto* button = new QPushButton(text, this);
        button->setFocusPolicy(Qt::NoFocus);
        row->addWidget(button);
        if (isUp)
            connect(button, &QPushButton::clicked, this, [this] { emit pageUp(); });
        else
            connect(button, &QPushButton::clicked, this, [this] { emit pageDown(); });
    }

    row->addSpacing(8);
    row->addWidget(new QLabel(QStringLiteral("Play Speed"), this));
    speedIndicator_ = new QProgressBar(this);
    speedIndicator_->setRange(0, kSpeedMax);
    speedIndicator_->setTextVisible(false);
    speedIndicator_->setFixedWidth(90);
    row->addWidget(speedIndicator_);
    row->addWidget(spin([this](int d) { emit speedStep(d); }));
    speedText_ = new QLabel(this);
    speedText_->setMinimumWidth(28);
    speedText_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    row->addWidget(speedText_);

    row->addSpacing(8);
    row->addWidget(new QLabel(QStringLiteral("Display:"), this));
    auto* gainBox = new QWidget(this);
    gains_ = new QGridLayout(gainBox);
    gains_->setContentsMargins(0, 0, 0, 0);
    gains_->setHorizontalSpacing(4);
    row->addWidget(gainBox);

    setPlaySpeed(0);
    rebuildGains();
}

QWidget* PlaybackBar::spin(std::function<void(int)> onStep) { return makeSpinArrows(this, std::move(onStep)); }

void PlaybackBar::setLayoutHeads(const std::array<int, 3>& heads, int count) {
    count = std::clamp(count, 0, 3);
    if (heads == heads_ && count == count_) return;
    heads_ = heads;
    count_ = count;
    rebuildGains();
}

void PlaybackBar::rebuildGains() {
    std::array<QString, 3> keep;
    for (std::size_t s = 0; s < keep.size(); ++s)
        if (displayGain_[s]) keep[s] = displayGain_[s]->text();
    while (QLayoutItem* item = gains_->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    displayGain_ = {};
    for (int s = 0; s < count_; ++s) {
        const int head = heads_[static_cast<std::size_t>(s)];
        gains_->addWidget(spin([this, head](int d) { emit displayGainStep(head, d); }), 0, 2 * s);
        auto* text = new QLabel(keep[static_cast<std::size_t>(s)], this);
        text->setMinimumWidth(52);
        text->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        gains_->addWidget(text, 0, 2 * s + 1);
        displayGain_[static_cast<std::size_t>(s)] = text;
    }
}

void PlaybackBar::setSliderPosition(int position) {
    settingSlider_ = true;
    slider_->setValue(std::clamp(position, 0, kSliderMax));
    settingSlider_ = false;
}

int PlaybackBar::sliderPosition() const { return slider_->value(); }

void PlaybackBar::setPlaySpeed(int speed) {
    speed_ = std::clamp(speed, 0, kSpeedMax);
    speedIndicator_->setValue(speed_);
    speedText_->setText(QString::number(speed_));
}

void PlaybackBar::setDisplayGainText(int slot, const QString& text) {
    if (slot >= 0 && slot < count_) displayGain_[static_cast<std::size_t>(slot)]->setText(text);
}

QString PlaybackBar::displayGainText(int slot) const {
    return slot >= 0 && slot < count_ ? displayGain_[static_cast<std::size_t>(slot)]->text() : QString();
}

}  // namespace hx
