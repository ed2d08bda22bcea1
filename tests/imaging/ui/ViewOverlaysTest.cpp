// Range text, frequency text and the status marks as rendered by the views.
#include <gtest/gtest.h>

#include "imaging/ui/SkerryView.h"
#include "imaging/ui/SonarHView.h"
#include "imaging/ui/SonarLView.h"
#include "tests/imaging/ui/ViewTestRig.h"

namespace hx {
namespace {

using testing::ViewRig;

constexpr int kW = 800;
constexpr int kH = 400;
const QColor kText(250, 250, 0);

// Everything but the texts under test switched off.
void quiet(ViewRig& rig) {
    rig.flags.grid = 0;
    rig.heads.sideScanRange = 50;
    rig.heads.headGain = {6, 11, 17, 3};
}

TEST(RangeTextFormat, MetresFeetAndTheCompactForm) {
    EXPECT_EQ(RangeText(50, 6, false, false), "50 m (6 dB)");
    EXPECT_EQ(RangeText(50, 6, true, false), "150 ft (6 dB)");
    EXPECT_EQ(RangeText(50, 17, false, true), "50 m(17 dB)");
    EXPECT_EQ(RangeText(50, 17, true, true), "150 ft(17 dB)");
    EXPECT_EQ(FrequencyText(120000), "120 kHz");
    EXPECT_EQ(FrequencyText(675999), "675 kHz");
    // A hostile range is drawn bounded, never overflowing.
    EXPECT_EQ(RangeText(2000000000, 0, true, false), "300000 ft (0 dB)");
    EXPECT_EQ(QString(ActivityMark(0)), "\\");
    EXPECT_EQ(QString(ActivityMark(1)), "|");
    EXPECT_EQ(QString(ActivityMark(6)), "/");
    EXPECT_EQ(QString(ActivityMark(7)), "-");
    EXPECT_EQ(QString(ActivityMark(-1)), "-");
}

TEST(MainViewText, RangeAndFrequencyOfDisplayHeadAInFeet) {
    ViewRig rig;
    quiet(rig);
    rig.flags.units = 1;
    rig.speed.speedCorrectionEnabled = 0;
    CSkerryView view(rig.ctx);
    testing::showAt(view, kW, kH);
    const QImage img = testing::render(view);
    const QImage want = testing::referenceText(img.size(), kRangeFontPx, kText,
                                               {testing::topLeftText(8, 5, "150 ft (6 dB)"),
                                                testing::topLeftText(8, 28, "120 kHz")});
    const QRect area(0, 0, 400, 60);
    EXPECT_GT(testing::countColour(want, kText.rgb(), area), 50);
    EXPECT_EQ(testing::differingPixels(img, want, area), 0);

    rig.flags.showRange = 0;
    const QImage hidden = testing::render(view);
    EXPECT_EQ(testing::countColour(hidden, kText.rgb(), area), 0);
}

TEST(MainViewText, HeldReplacesTheActivityMarkAndSc) {
    ViewRig rig;
    quiet(rig);
    rig.flags.showRange = 0;
    rig.speed.speedCorrectionEnabled = 1;
    rig.cycle.goodCycleCount = 5;  // "|"
    CSkerryView view(rig.ctx);
    testing::showAt(view, kW, kH);
    const QRect corner(kW - 80, 0, 80, 40);

    QImage img = testing::render(view);
    QImage mark = testing::referenceText(img.size(), kRangeFontPx, kText, {testing::topLeftText(kW - 20, 1, "|")});
    {
        QPainter p(&mark);
        p.setFont(OverlayFont(kSmallMarkFontPx));
        p.setPen(kText);
        p.drawText(QRect(kW - 40, 1, 4096, 4096), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, "sc");
    }
    EXPECT_EQ(testing::differingPixels(img, mark, corner), 0) << "activity mark and sc";

    rig.speed.speedCorrectionEnabled = 0;
    img = testing::render(view);
    mark = testing::referenceText(img.size(), kRangeFontPx, kText, {testing::topLeftText(kW - 20, 1, "|")});
    EXPECT_EQ(testing::differingPixels(img, mark, corner), 0) << "no sc without speed correction";

    rig.speed.speedCorrectionEnabled = 1;
    rig.imaging->display.holdDisplay = 1;
    img = testing::render(view);
    const QImage held = testing::referenceText(img.size(), kRangeFontPx, kText, {testing::topLeftText(kW - 55, 1, "Held")});
    EXPECT_GT(testing::countColour(held, kText.rgb(), corner), 20);
    EXPECT_EQ(testing::differingPixels(img, held, corner), 0) << "Held alone";
}

TEST(MainViewText, SystemInfoPromptOnlyInRealTime) {
    ViewRig rig;
    quiet(rig);
    rig.flags.showRange = 0;
    rig.link.sysInfoPending = 1;
    CSkerryView view(rig.ctx);
    testing::showAt(view, kW, kH);
    const QRect area(0, kH - 60, kW, 35);  // above the scale's ticks at kH − 25
    QImage img = testing::render(view);
    const QImage want = testing::referenceText(
        img.size(), kRangeFontPx, kText, {testing::topLeftText(kW / 2 - 150, kH - 50, "Reading System Info... Please wait !")});
    EXPECT_GT(testing::countColour(want, kText.rgb(), area), 100);
    EXPECT_EQ(testing::differingPixels(img, want, area), 0);

    rig.link.playbackMode = 1;
    img = testing::render(view);
    EXPECT_EQ(testing::countColour(img, kText.rgb(), area), 0);
}

TEST(SonarHViewText, CompactRangeOfDisplayHeadBAlwaysShown) {
    ViewRig rig;
    quiet(rig);
    rig.flags.showRange = 0;  // the H window ignores it
    rig.link.displayHeadB = kHeadH;
    rig.heads.headFrequency[kHeadH] = 540000;
    CSonarHView view(rig.ctx);
    testing::showAt(view, kW, kH);
    const QImage img = testing::render(view);
    const QImage want = testing::referenceText(img.size(), kRangeFontPx, kText,
                                               {testing::topLeftText(8, 5, "50 m(17 dB)"),
                                                testing::topLeftText(8, 28, "540 kHz")});
    const QRect area(0, 0, 400, 60);
    EXPECT_EQ(testing::differingPixels(img, want, area), 0);
    // No status marks in this window.
    EXPECT_EQ(testing::countColour(img, kText.rgb(), QRect(kW - 80, 0, 80, 40)), 0);
}

TEST(SonarLViewText, RangeScaleOnly) {
    ViewRig rig;
    quiet(rig);
    rig.link.sysInfoPending = 1;
    rig.imaging->display.holdDisplay = 1;
    CSonarLView view(rig.ctx);
    testing::showAt(view, kW, kH);
    const QImage img = testing::render(view);
    EXPECT_EQ(testing::countColour(img, kText.rgb(), img.rect()), 0);
    EXPECT_GT(testing::countColour(img, qRgb(200, 200, 0), QRect(0, kH - 18, kW, 18)), 20);
}

}  // namespace
}  // namespace hx
