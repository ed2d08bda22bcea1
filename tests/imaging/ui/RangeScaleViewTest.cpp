// The range scale as the main view draws it: grid line columns and colours
// for each side mode in metres and feet, ticks without the grid, and the
// labels' texts and places, checked on rendered pixels.
#include <gtest/gtest.h>

#include <cmath>

#include "imaging/ui/SkerryView.h"
#include "tests/imaging/ui/ViewTestRig.h"

namespace hx {
namespace {

using testing::ViewRig;

constexpr int kW = 1000;  // window width; "Fill the Screen" makes the image as wide
constexpr int kH = 400;
const QRgb kDarkRed = qRgb(120, 30, 0);
const QRgb kYellow = qRgb(200, 200, 0);
const QRgb kBlack = qRgb(0, 0, 0);

struct ScaleCase {
    const char* name;
    std::int32_t sides;
    bool feet;
};

// Columns of lines i = 0..count, from the line layout's own arithmetic.
std::vector<int> expectedColumns(std::int32_t sides, bool feet, int width, int scroll) {
    const bool both = sides == kBothSides;
    const int count = both ? 10 : 5;
    const double W = width;
    double step = (both ? 0.1 : 0.2) * W;
    double x1 = -scroll;
    if (feet) {
        const double w = 0.0428 * W;
        step = (W - 2 * w) * (both ? 0.1 : 0.2);
        if (sides == kPortOnly) x1 = 2 * w - scroll;
        if (both) x1 = w - scroll;
    }
    std::vector<int> xs;
    for (int i = 0; i <= count; ++i) xs.push_back(static_cast<int>(i * step + x1));
    return xs;
}

class RangeScaleColumns : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(RangeScaleColumns, GridLinesRunFromTheTopToTwentyAboveTheBottom) {
    const ScaleCase c = GetParam();
    ViewRig rig;
    rig.imaging->display.sideDisplayMode = c.sides;
    rig.flags.units = c.feet ? 1 : 0;
    rig.flags.showRange = 0;
    CSkerryView view(rig.ctx);
    testing::showAt(view, kW, kH);
    ASSERT_EQ(rig.store().imageWidth, kW);
    const QImage img = testing::render(view);

    const auto xs = expectedColumns(c.sides, c.feet, kW, 0);
    for (std::size_t i = 0; i < xs.size(); ++i) {
        const int x = xs[i];
        if (x < 0 || x >= kW) continue;
        const bool centre = c.sides == kBothSides && i == 5;
        const QRgb want = centre ? kYellow : kDarkRed;
        EXPECT_EQ(img.pixel(x, 0), want) << c.name << " line " << i << " at x " << x;
        EXPECT_EQ(img.pixel(x, 150), want) << c.name << " line " << i;
        EXPECT_EQ(img.pixel(x, kH - 21), want) << c.name << " line " << i;
        EXPECT_EQ(img.pixel(x, kH - 20), kBlack) << c.name << " line " << i;
        if (x + 1 < kW) {
            EXPECT_EQ(img.pixel(x + 1, 150), kBlack) << c.name << " line " << i;
        }
        if (x > 0) {
            EXPECT_EQ(img.pixel(x - 1, 150), kBlack) << c.name << " line " << i;
        }
    }
    // Nothing else is drawn in the middle of the window.
    int lit = 0;
    for (int x = 0; x < kW; ++x) lit += img.pixel(x, 150) != kBlack;
    int visible = 0;
    for (int x : xs) visible += x >= 0 && x < kW;
    EXPECT_EQ(lit, visible) << c.name;
}

TEST_P(RangeScaleColumns, WithoutTheGridOnlyTicksAreDrawn) {
    const ScaleCase c = GetParam();
    ViewRig rig;
    rig.imaging->display.sideDisplayMode = c.sides;
    rig.flags.units = c.feet ? 1 : 0;
    rig.flags.showRange = 0;
    rig.flags.grid = 0;
    CSkerryView view(rig.ctx);
    testing::showAt(view, kW, kH);
    const QImage img = testing::render(view);
    // Ticks are yellow with one side shown and dark red with both.
    const QRgb want = c.sides == kBothSides ? kDarkRed : kYellow;
    for (int x : expectedColumns(c.sides, c.feet, kW, 0)) {
        if (x < 0 || x >= kW) continue;
        EXPECT_EQ(img.pixel(x, kH - 25), want) << c.name << " x " << x;
        EXPECT_EQ(img.pixel(x, kH - 21), want) << c.name << " x " << x;
        EXPECT_EQ(img.pixel(x, kH - 26), kBlack) << c.name << " x " << x;
        EXPECT_EQ(img.pixel(x, kH - 20), kBlack) << c.name << " x " << x;
        EXPECT_EQ(img.pixel(x, 100), kBlack) << c.name << " x " << x;
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, RangeScaleColumns,
                         ::testing::Values(ScaleCase{"metric both", kBothSides, false},
                                           ScaleCase{"metric port", kPortOnly, false},
                                           ScaleCase{"metric stbd", kStarboardOnly, false},
                                           ScaleCase{"feet both", kBothSides, true},
                                           ScaleCase{"feet port", kPortOnly, true},
                                           ScaleCase{"feet stbd", kStarboardOnly, true}),
                         [](const auto& info) {
                             std::string n = info.param.name;
                             for (auto& ch : n)
                                 if (ch == ' ') ch = '_';
                             return n;
                         });

TEST(RangeScaleView, HandComputedColumns) {
    // Feet, both sides, W = 1000: w = 42.8, step = 91.44, so lines at 42,
    // 134, 225, ... and the centre at 500; metric both: every 100 pixels.
    EXPECT_EQ(expectedColumns(kBothSides, true, 1000, 0),
              (std::vector<int>{42, 134, 225, 317, 408, 500, 591, 682, 774, 865, 957}));
    EXPECT_EQ(expectedColumns(kStarboardOnly, true, 1000, 0), (std::vector<int>{0, 182, 365, 548, 731, 914}));
    EXPECT_EQ(expectedColumns(kPortOnly, false, 1000, 0), (std::vector<int>{0, 200, 400, 600, 800, 1000}));
}

TEST(RangeScaleView, LinesFollowTheScroll) {
    ViewRig rig;
    rig.flags.showRange = 0;
    CSkerryView view(rig.ctx);
    testing::showAt(view, kW, kH);
    view.runCommand(ViewCommand::Zoom100);  // 2000-pixel image, so there is room to scroll
    // Drag the image 130 pixels to the left.
    testing::mouse(view, QEvent::MouseButtonPress, {600, 200}, Qt::LeftButton, Qt::LeftButton);
    testing::mouse(view, QEvent::MouseMove, {470, 200}, Qt::NoButton, Qt::LeftButton);
    testing::mouse(view, QEvent::MouseButtonRelease, {470, 200}, Qt::LeftButton, Qt::NoButton);
    ASSERT_EQ(view.scroll(), QPoint(130, 0));
    const QImage img = testing::render(view);
    // Metric both on 2000 pixels: lines every 200, shifted by the scroll;
    // the centre line (i = 5) is at 1000 − 130.
    for (int x : {70, 270, 470, 670}) EXPECT_EQ(img.pixel(x, 50), kDarkRed) << x;
    EXPECT_EQ(img.pixel(870, 50), kYellow);
    EXPECT_EQ(img.pixel(869, 50), kBlack);
    EXPECT_EQ(img.pixel(0, 50), kBlack);
}

struct LabelCase {
    const char* name;
    std::int32_t sides;
    bool feet;
    std::vector<const char*> texts;
    int firstShift;  // pixels the first and last labels move inwards
    int lastShift;
};

class RangeScaleLabels : public ::testing::TestWithParam<LabelCase> {};

TEST_P(RangeScaleLabels, TextsCentredOnTheirLines) {
    const LabelCase c = GetParam();
    ViewRig rig;
    rig.heads.sideScanRange = 50;
    rig.imaging->display.sideDisplayMode = c.sides;
    rig.flags.units = c.feet ? 1 : 0;
    rig.flags.showRange = 0;
    rig.flags.grid = 0;
    CSkerryView view(rig.ctx);
    testing::showAt(view, kW, kH);
    const QImage img = testing::render(view);

    const auto xs = expectedColumns(c.sides, c.feet, kW, 0);
    ASSERT_EQ(xs.size(), c.texts.size());
    std::vector<testing::TextAt> labels;
    for (std::size_t i = 0; i < xs.size(); ++i) {
        int centre = xs[i];
        if (i == 0) centre += c.firstShift;
        if (i + 1 == xs.size()) centre -= c.lastShift;
        labels.push_back({QRect(centre - 2048, kH - 18, 4096, 4096), Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine,
                          QString::fromLatin1(c.texts[i])});
    }
    const QImage want = testing::referenceText(img.size(), kScaleFontPx, QColor(200, 200, 0), labels);
    const QRect strip(0, kH - 18, kW, 18);
    EXPECT_GT(testing::countColour(want, qRgb(200, 200, 0), strip), 20) << "the reference shows text";
    EXPECT_EQ(testing::differingPixels(img, want, strip), 0) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Modes, RangeScaleLabels,
    ::testing::Values(
        LabelCase{"metric_both", kBothSides, false, {"50", "40", "30", "20", "10", "0", "10", "20", "30", "40", "50"}, 12, 12},
        LabelCase{"metric_port", kPortOnly, false, {"50", "40", "30", "20", "10", "0"}, 12, 0},
        LabelCase{"metric_stbd", kStarboardOnly, false, {"0", "10", "20", "30", "40", "50"}, 0, 12},
        // In feet the largest label at 50 m is 150, and no label moves.
        LabelCase{"feet_both", kBothSides, true, {"150", "120", "90", "60", "30", "0", "30", "60", "90", "120", "150"}, 0, 0},
        LabelCase{"feet_port", kPortOnly, true, {"150", "120", "90", "60", "30", "0"}, 0, 0},
        LabelCase{"feet_stbd", kStarboardOnly, true, {"0", "30", "60", "90", "120", "150"}, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace hx
