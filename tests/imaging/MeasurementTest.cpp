// Ranges, distances and target heights measured on the image, the marks
// list's limit, the label placement and the area selection.
#include <gtest/gtest.h>

#include <cmath>

#include "imaging/DisplaySettings.h"
#include "imaging/Measurement.h"

namespace hx {
namespace {

MeasureFrame frame(std::int32_t width, std::int32_t rangeM, std::int32_t mode) {
    MeasureFrame f;
    f.imageWidth = width;
    f.rangeM = rangeM;
    f.sideDisplayMode = mode;
    return f;
}

struct RangeCase {
    const char* name;
    std::int32_t width, rangeM, mode, clickX;
    bool feet;
    std::int32_t nadirX;
    const char* text;
};

TEST(Measurement, RangeFromTheNadirAtTheClickedRow) {
    const RangeCase cases[] = {
        {"both sides, 250 right of the centre", 1000, 50, kBothSides, 750, false, 500, "25.00 m"},
        {"both sides, 250 left of the centre", 1000, 50, kBothSides, 250, false, 500, "25.00 m"},
        {"port only, 250 left of the right edge", 1000, 50, kPortOnly, 750, false, 1000, "12.50 m"},
        {"starboard only, 250 right of the left edge", 1000, 50, kStarboardOnly, 250, false, 0, "12.50 m"},
        {"imperial: 10 m reads in feet", 1000, 50, kBothSides, 600, true, 500, "32.81 ft"},
        {"a 4000-pixel image", 4000, 200, kBothSides, 2100, false, 2000, "10.00 m"},
    };
    for (const RangeCase& c : cases) {
        SCOPED_TRACE(c.name);
        MeasurementSession s;
        s.setMode(MeasureMode::Range);
        // The live line already shows the value the click keeps.
        const LiveMeasurement live = s.live({c.clickX, 300}, frame(c.width, c.rangeM, c.mode), c.feet);
        EXPECT_EQ(live.text, c.text);
        EXPECT_EQ(live.from, (ImagePoint{c.nadirX, 300}));
        EXPECT_TRUE(s.press({c.clickX, 300}, frame(c.width, c.rangeM, c.mode), c.feet));
        EXPECT_EQ(s.mode(), MeasureMode::None) << "one measurement, then the mode ends";
        ASSERT_EQ(s.marks().count(), 1);
        const MarkEntry& e = s.marks().entries()[0];
        EXPECT_EQ(e.kind, MarkKind::Range);
        EXPECT_EQ(e.p1, (ImagePoint{c.nadirX, 300}));
        EXPECT_EQ(e.p2, (ImagePoint{c.clickX, 300}));
        EXPECT_EQ(LengthText(e.valueM, c.feet), c.text);
    }
}

TEST(Measurement, TargetHeightRunsThroughItsFourStagesOnTheTargetsRow) {
    // Both sides, W = 1000, R = 50: 10 m per 100 pixels from the centre.
    const MeasureFrame f = frame(1000, 50, kBothSides);
    MeasurementSession s;
    s.setMode(MeasureMode::TargetHeight);
    const char* prompts[] = {"Click on the Target", "Click on First (Bottom) Return", "Click on Shadow Start"};
    const ImagePoint clicks[] = {{720, 300}, {600, 311}, {800, 288}, {860, 305}};
    for (int stage = 0; stage < 3; ++stage) {
        EXPECT_EQ(s.heightStage(), stage);
        EXPECT_EQ(s.live({640, 250}, f, false).text, prompts[stage]);
        EXPECT_FALSE(s.press(clicks[stage], f, false));
        // The stage moves on with the release, not the press.
        EXPECT_EQ(s.heightStage(), stage);
        s.release();
    }
    // Altitude 10 m (bottom return), shadow start 30 m; the pointer 6 m
    // beyond the shadow start: H = 6 × 10 / 36.
    const LiveMeasurement last = s.live({860, 500}, f, false);
    EXPECT_EQ(last.text, "Click on Shadow End: H=1.67 m");
    EXPECT_EQ(last.to, (ImagePoint{860, 300})) << "stage 3 draws on the target's row, not the pointer's";
    EXPECT_EQ(s.live({860, 500}, f, true).text, "Click on Shadow End: H=5.47 ft");
    EXPECT_TRUE(s.press(clicks[3], f, false));
    s.release();
    EXPECT_EQ(s.mode(), MeasureMode::None);
    EXPECT_NEAR(s.height().targetAltitudeM, 10.0, 1e-12);
    EXPECT_NEAR(s.height().shadowStartRangeM, 30.0, 1e-12);
    EXPECT_NEAR(s.height().shadowLengthM, 6.0, 1e-12);
    EXPECT_NEAR(s.height().targetHeightM, 60.0 / 36.0, 1e-12);

    ASSERT_EQ(s.marks().count(), 4);
    const auto e = s.marks().entries();
    const MarkKind kinds[] = {MarkKind::Target, MarkKind::BottomReturn, MarkKind::ShadowStart, MarkKind::ShadowEnd};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(e[static_cast<std::size_t>(i)].kind, kinds[i]);
        EXPECT_EQ(e[static_cast<std::size_t>(i)].p2.y, 300) << "entry " << i;
        EXPECT_EQ(e[static_cast<std::size_t>(i)].p2.x, clicks[i].x);
    }
    EXPECT_EQ(e[0].p1, (ImagePoint{500, 300}));
    EXPECT_EQ(e[1].p1, e[0].p1);
    EXPECT_EQ(e[2].p1, e[0].p1);
    EXPECT_EQ(e[3].p1, e[2].p2) << "the shadow end's line starts at the shadow start";
    EXPECT_EQ(LengthText(e[3].valueM, false), "1.67 m");
}

TEST(Measurement, ZeroShadowKeepsTheLastHeight) {
    EXPECT_FALSE(TargetHeightM(10.0, 0.0, 0.0).has_value());
    EXPECT_NEAR(*TargetHeightM(10.0, 30.0, 6.0), 1.6667, 1e-4);
}

TEST(Measurement, DistanceBetweenTwoClicks) {
    MeasureFrame f = frame(1000, 50, kBothSides);
    MeasurementSession s;
    s.setMode(MeasureMode::Distance);
    EXPECT_FALSE(s.live({800, 500}, f, false).shown) << "nothing before the first point";
    EXPECT_FALSE(s.press({500, 100}, f, false));
    EXPECT_TRUE(s.firstPointPlaced());
    const LiveMeasurement live = s.live({800, 500}, f, false);
    EXPECT_TRUE(live.plusAtFrom);
    // 300 across, 400 along: 500 pixels at 0.1 m each.
    EXPECT_EQ(live.text, "50.00 m");
    EXPECT_TRUE(s.press({800, 500}, f, false));
    ASSERT_EQ(s.marks().count(), 1);
    EXPECT_EQ(s.marks().entries()[0].kind, MarkKind::Distance);
    EXPECT_NEAR(s.marks().entries()[0].valueM, 50.0, 1e-9);
}

TEST(Measurement, DistanceWithoutSpeedCorrectionCountsTheRowsLineCounts) {
    WaterfallStore store;
    store.rowMeta.resize(600);
    for (int r = 0; r < 600; ++r) store.rowMeta.at(r).lineCount = 2;
    store.frozenRowMeta.assign(600, RowMeta{});
    for (auto& m : store.frozenRowMeta) m.lineCount = 3;

    MeasureFrame f = frame(1000, 50, kBothSides);
    f.store = &store;
    f.speedCorrection = false;
    struct Case {
        const char* name;
        bool hold;
        ImagePoint a, b;
        double metres;
    } cases[] = {
        // 400 rows of two line counts each: 800 along, 600 across.
        {"live rows", false, {200, 100}, {800, 500}, 100.0},
        {"upwards the same", false, {800, 500}, {200, 100}, 100.0},
        {"frozen rows on Hold", true, {500, 0}, {500, 100}, 30.0},
        {"same row: across only", false, {300, 50}, {700, 50}, 40.0},
        {"beyond the image's rows count one each", false, {500, 590}, {500, 610}, (10 * 2 + 10) * 0.1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        f.hold = c.hold;
        EXPECT_NEAR(DistanceM(c.a, c.b, f), c.metres, 1e-9);
    }
    f.speedCorrection = true;
    EXPECT_NEAR(DistanceM({500, 0}, {500, 100}, f), 10.0, 1e-9) << "with speed correction rows are pixels";
}

TEST(Measurement, PlusMarksAndTheHundredEntryLimit) {
    const MeasureFrame f = frame(1000, 50, kBothSides);
    MeasurementSession s;
    for (int i = 0; i < kMaxMarks; ++i) {
        s.setMode(MeasureMode::PlusMark);
        ASSERT_TRUE(s.press({i, i}, f, false));
    }
    EXPECT_EQ(s.marks().count(), 100);
    EXPECT_EQ(s.refusedEntries(), 0);
    s.setMode(MeasureMode::Range);
    s.press({900, 900}, f, false);
    EXPECT_EQ(s.marks().count(), 100) << "the 101st entry is refused";
    EXPECT_EQ(s.refusedEntries(), 1);
    EXPECT_EQ(s.marks().entries()[99].p1, (ImagePoint{99, 99}));
    EXPECT_EQ(s.marks().entries()[99].kind, MarkKind::Plus);
    s.clearMarks();
    s.setMode(MeasureMode::PlusMark);
    s.press({5, 6}, f, false);
    EXPECT_EQ(s.marks().count(), 1);
}

TEST(Measurement, ASelectedModeStartsOver) {
    const MeasureFrame f = frame(1000, 50, kBothSides);
    MeasurementSession s;
    s.setMode(MeasureMode::Distance);
    s.press({10, 10}, f, false);
    s.setMode(MeasureMode::Distance);
    EXPECT_FALSE(s.firstPointPlaced());
    s.setMode(MeasureMode::TargetHeight);
    s.press({700, 10}, f, false);
    s.release();
    ASSERT_EQ(s.heightStage(), 1);
    s.setMode(MeasureMode::None);
    s.setMode(MeasureMode::TargetHeight);
    EXPECT_EQ(s.heightStage(), 0);
}

TEST(Measurement, TextPlacement) {
    struct Case {
        const char* name;
        std::int64_t imageX;
        std::int32_t wx, wy;
        std::int32_t x, y;
    } cases[] = {
        {"above the point", 500, 300, 200, 300, 167},
        {"within 50 of the right edge: 50 further left", 960, 760, 200, 710, 167},
        {"right at the edge", 999, 799, 200, 749, 167},
        {"within 25 of the top: below the point", 500, 300, 10, 300, 27},
        {"both", 990, 700, 0, 650, 17},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TextOrigin o = MarkTextOrigin(c.imageX, c.wx, c.wy, 1000);
        EXPECT_EQ(o.x, c.x);
        EXPECT_EQ(o.y, c.y);
    }
}

TEST(Measurement, LengthTexts) {
    EXPECT_EQ(LengthText(10.0, true), "32.81 ft");
    EXPECT_EQ(LengthText(1.0 / 3.0, false), "0.33 m");
    EXPECT_EQ(LengthText(12.5, false), "12.50 m");
    EXPECT_EQ(LengthText(std::nan(""), false), "0.00 m");
}

TEST(Measurement, AreaSelection) {
    AreaSelection a;
    a.press({1, 1});
    EXPECT_EQ(a.state(), AreaSelection::State::Off) << "no selection while the mode is off";
    a.toggle();
    ASSERT_EQ(a.state(), AreaSelection::State::Choosing);
    a.press({300, 200});
    EXPECT_TRUE(a.dragging());
    const auto live = a.rect({100, 260});
    EXPECT_EQ(live.left, 100);
    EXPECT_EQ(live.top, 200);
    EXPECT_EQ(live.right, 300);
    EXPECT_EQ(live.bottom, 260);
    a.release({100, 260});
    EXPECT_EQ(a.state(), AreaSelection::State::Chosen);
    EXPECT_EQ(a.chosen().width(), 200);
    EXPECT_EQ(a.chosen().height(), 60);
    // A click at one point cancels the rectangle and chooses again.
    a.press({50, 50});
    a.release({50, 50});
    EXPECT_EQ(a.state(), AreaSelection::State::Choosing);
    a.toggle();
    EXPECT_EQ(a.state(), AreaSelection::State::Off);
}

}  // namespace
}  // namespace hx
