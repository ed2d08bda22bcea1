// The playback bar widget: its controls and ranges, and what it reports when
// the operator uses them (and that setting it from the program reports nothing).
#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QToolButton>

#include <gtest/gtest.h>

#include "app/PlaybackBar.h"

namespace hx {
namespace {

QPushButton* button(const PlaybackBar& bar, const QString& text) {
    for (QPushButton* b : bar.findChildren<QPushButton*>())
        if (b->text() == text) return b;
    return nullptr;
}

bool hasLabel(const PlaybackBar& bar, const QString& text) {
    for (QLabel* l : bar.findChildren<QLabel*>())
        if (l->text() == text) return true;
    return false;
}

TEST(PlaybackBarWidget, ControlsAndRanges) {
    PlaybackBar bar;
    EXPECT_TRUE(hasLabel(bar, "Progress"));
    EXPECT_TRUE(hasLabel(bar, "Play Speed"));
    ASSERT_NE(button(bar, "PageUp"), nullptr);
    ASSERT_NE(button(bar, "PageDown"), nullptr);
    QSlider* slider = bar.progressSlider();
    EXPECT_EQ(slider->minimum(), 0);
    EXPECT_EQ(slider->maximum(), 100);
    EXPECT_EQ(slider->pageStep(), 10);
    EXPECT_EQ(slider->tickInterval(), 10);
    EXPECT_EQ(slider->focusPolicy(), Qt::NoFocus);
    const auto indicators = bar.findChildren<QProgressBar*>();
    ASSERT_EQ(indicators.size(), 1);
    EXPECT_EQ(indicators[0]->maximum(), 20);

    bar.setPlaySpeed(7);
    EXPECT_EQ(indicators[0]->value(), 7);
    EXPECT_TRUE(hasLabel(bar, "7"));
    bar.setPlaySpeed(45);
    EXPECT_EQ(bar.playSpeed(), 20);
}

TEST(PlaybackBarWidget, ReportsTheOperatorsActionsOnly) {
    PlaybackBar bar;
    QSignalSpy grabbed(&bar, &PlaybackBar::sliderGrabbed);
    QSignalSpy released(&bar, &PlaybackBar::sliderReleased);
    QSignalSpy up(&bar, &PlaybackBar::pageUp);
    QSignalSpy down(&bar, &PlaybackBar::pageDown);

    bar.setSliderPosition(40);  // the program moves it: nothing to report
    EXPECT_EQ(bar.sliderPosition(), 40);
    EXPECT_EQ(released.count(), 0);
    bar.setSliderPosition(140);
    EXPECT_EQ(bar.sliderPosition(), 100);

    QSlider* slider = bar.progressSlider();
    slider->setSliderDown(true);
    EXPECT_EQ(grabbed.count(), 1);
    slider->setSliderPosition(63);  // dragging reports nothing yet
    EXPECT_EQ(released.count(), 0);
    slider->setSliderDown(false);
    ASSERT_EQ(released.count(), 1);
    EXPECT_EQ(released.takeFirst().at(0).toInt(), 63);

    // A click beside the handle pages the slider: a release at the new place.
    slider->triggerAction(QAbstractSlider::SliderPageStepAdd);
    ASSERT_EQ(released.count(), 1);
    EXPECT_EQ(released.takeFirst().at(0).toInt(), 73);

    button(bar, "PageUp")->click();
    button(bar, "PageDown")->click();
    EXPECT_EQ(up.count(), 1);
    EXPECT_EQ(down.count(), 1);
}

TEST(PlaybackBarWidget, SpeedAndDisplayGainSpins) {
    PlaybackBar bar;
    QSignalSpy speed(&bar, &PlaybackBar::speedStep);
    QSignalSpy gain(&bar, &PlaybackBar::displayGainStep);
    bar.setLayoutHeads({1, 2, 0}, 2);
    EXPECT_EQ(bar.headCount(), 2);
    bar.setDisplayGainText(0, "120 %");
    bar.setDisplayGainText(1, "80 %");
    bar.setDisplayGainText(2, "ignored");
    EXPECT_EQ(bar.displayGainText(0), "120 %");
    EXPECT_EQ(bar.displayGainText(2), QString());

    // Arrow buttons in layout order: speed up/down, then each head's up/down.
    const auto arrows = bar.findChildren<QToolButton*>();
    ASSERT_EQ(arrows.size(), 6);
    std::vector<QToolButton*> ups, downs;
    for (QToolButton* b : arrows) (b->arrowType() == Qt::UpArrow ? ups : downs).push_back(b);
    ASSERT_EQ(ups.size(), 3u);
    ups[0]->click();
    downs[0]->click();
    ASSERT_EQ(speed.count(), 2);
    EXPECT_EQ(speed.at(0).at(0).toInt(), +1);
    EXPECT_EQ(speed.at(1).at(0).toInt(), -1);
    ups[1]->click();
    downs[2]->click();
    ASSERT_EQ(gain.count(), 2);
    EXPECT_EQ(gain.at(0).at(0).toInt(), 1);  // head M
    EXPECT_EQ(gain.at(0).at(1).toInt(), +1);
    EXPECT_EQ(gain.at(1).at(0).toInt(), 2);  // head H
    EXPECT_EQ(gain.at(1).at(1).toInt(), -1);
    // The texts survive a change of layout.
    bar.setLayoutHeads({0, 1, 2}, 3);
    EXPECT_EQ(bar.displayGainText(0), "120 %");
    EXPECT_EQ(bar.displayGainText(2), QString());
}

}  // namespace
}  // namespace hx
