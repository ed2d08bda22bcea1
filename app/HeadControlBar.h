// The head control bar: sidescan and echo sounder range, the gain of each
// sidescan head and the display gain of each shown head, each as a pair of
// spin arrows with its text. Two layouts: three sidescan heads, or the two
// of the dual pair. The bar only reports spin presses; the frame applies
// them and sets the texts back.
#pragma once

#include <QString>
#include <QWidget>

#include <array>
#include <functional>

class QLabel;
class QGridLayout;

namespace hx {

class HeadControlBar : public QWidget {
    Q_OBJECT
public:
    explicit HeadControlBar(QWidget* parent = nullptr);

    // heads: the sidescan head numbers shown, in order (three or two).
    void setLayoutHeads(const std::array<int, 3>& heads, int count);
    int headCount() const { return count_; }
    int headAt(int slot) const { return heads_[static_cast<std::size_t>(slot)]; }

    void setRangeText(const QString& text);
    void setEsRangeText(const QString& text);
    void setGainText(int slot, const QString& text);
    void setDisplayGainText(int slot, const QString& text);
    void setFrequencyLabel(int slot, const QString& text);

    QString rangeText() const;
    QString gainText(int slot) const;
    QString frequencyLabel(int slot) const;

signals:
    void rangeStep(int delta);
    void esRangeStep(int delta);
    void gainStep(int head, int delta);
    void displayGainStep(int head, int delta);

private:
    QWidget* spin(std::function<void(int)> onStep);
    void rebuild();

    std::array<int, 3> heads_{0, 1, 2};
    int count_ = 3;
    QGridLayout* grid_ = nullptr;
    QLabel* range_ = nullptr;
    QLabel* esRange_ = nullptr;
    std::array<QLabel*, 3> gain_{};
    std::array<QLabel*, 3> displayGain_{};
    std::array<QLabel*, 3> frequency_{};
};

}  // namespace hx
