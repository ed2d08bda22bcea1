// The file playback bar: the "Progress" slider over the played file, the
// "Play Speed" indicator with its spin arrows, the "PageUp" and "PageDown"
// buttons, and a display gain spin per shown sidescan head. The bar only
// reports what the operator does; the frame hands it to the playback engine
// and sets the positions and texts back. No control takes the keyboard
// focus, so H and the other keys keep reaching the main window.
#pragma once

#include <QString>
#include <QWidget>

#include <array>
#include <functional>

class QGridLayout;
class QLabel;
class QProgressBar;
class QPushButton;
class QSlider;

namespace hx {

class PlaybackBar : public QWidget {
    Q_OBJECT
public:
    explicit PlaybackBar(QWidget* parent = nullptr);

    // heads: the sidescan head numbers whose display gain spins are shown
    // (three, or the two of the dual pair).
    void setLayoutHeads(const std::array<int, 3>& heads, int count);
    int headCount() const { return count_; }
    int headAt(int slot) const { return heads_[static_cast<std::size_t>(slot)]; }

    // The slider's position 0..100; reports nothing back.
    void setSliderPosition(int position);
    int sliderPosition() const;
    // The play speed 0..20 on the indicator and beside the spin.
    void setPlaySpeed(int speed);
    int playSpeed() const { return speed_; }
    void setDisplayGainText(int slot, const QString& text);
    QString displayGainText(int slot) const;

    QSlider* progressSlider() const { return slider_; }

signals:
    // The operator took hold of the slider.
    void sliderGrabbed();
    // The operator let it go at a position, or moved it by a page or a key.
    void sliderReleased(int position);
    void speedStep(int delta);
    void pageUp();
    void pageDown();
    void displayGainStep(int head, int delta);

private:
    QWidget* spin(std::function<void(int)> onStep);
    void rebuildGains();

    std::array<int, 3> heads_{0, 1, 2};
    int count_ = 3;
    int speed_ = 0;
    bool settingSlider_ = false;  // a position set by the program, not by the operator
    QSlider* slider_ = nullptr;
    QProgressBar* speedIndicator_ = nullptr;
    QLabel* speedText_ = nullptr;
    QGridLayout* gains_ = nullptr;
    std::array<QLabel*, 3> displayGain_{};
};

}  // namespace hx
