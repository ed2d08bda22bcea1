// Measurements, marks and area selection on a real view rendered offscreen,
// driven by real mouse events: the values and where they are drawn, the
// 101st entry, entries that stay where they were drawn, the click that
// starts event input, the colour indicator and the event markers.
#include <gtest/gtest.h>

#include "imaging/DisplaySettings.h"
#include "imaging/ui/ColourIndicator.h"
#include "imaging/ui/EventMarkerOverlay.h"
#include "imaging/ui/SkerryView.h"
#include "imaging/ui/SonarHView.h"
#include "tests/imaging/ui/ViewTestRig.h"

namespace hx {
namespace {

using testing::ViewRig;

const QRgb kCyan = qRgb(0, 200, 200);
const QRgb kLabel = qRgb(250, 250, 250);

void click(QWidget& view, QPoint p) {
    testing::mouse(view, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
    testing::mouse(view, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
}

void hover(QWidget& view, QPoint p) { testing::mouse(view, QEvent::MouseMove, p); }

// Whether text is drawn with its top-left corner at (x, y) in the marks'
// font and colour: every fully covered pixel of a reference drawing of it is
// there, and nothing else of that colour is around it.
::testing::AssertionResult labelAt(const QImage& img, int x, int y, const QString& text) {
    const QImage ref =
        testing::referenceText(img.size(), kMarkFontPx, QColor(kLabel), {testing::topLeftText(x, y, text)});
    const QRect around(x - 60, y - 10, 260, 50);
    const int want = testing::countColour(ref, kLabel, around);
    if (want == 0) return ::testing::AssertionFailure() << "the reference text is off the image";
    int missing = 0, extra = 0;
    const QRect r = around.intersected(img.rect());
    for (int yy = r.top(); yy <= r.bottom(); ++yy)
        for (int xx = r.left(); xx <= r.right(); ++xx) {
            const bool inRef = (ref.pixel(xx, yy) & 0xffffff) == (kLabel & 0xffffff);
            const bool inImg = (img.pixel(xx, yy) & 0xffffff) == (kLabel & 0xffffff);
            missing += inRef && !inImg;
            extra += inImg && !inRef;
        }
    if (missing || extra)
        return ::testing::AssertionFailure() << "\"" << text.toStdString() << "\" at (" << x << ", " << y << "): "
                                             << missing << " pixels missing, " << extra << " extra";
    return ::testing::AssertionSuccess();
}

struct MeasuredView {
    explicit MeasuredView(std::int32_t sideMode = kBothSides, int units = 0) {
        rig.heads.sideScanRange = 50;
        rig.imaging->display.sideDisplayMode = sideMode;
        rig.flags.units = units;
        testing::showAt(view, 1000, 600);
    }
    ViewRig rig;
    CSkerryView view{rig.ctx};
    MeasurementOverlay& m() { return view.measurements(); }
};

TEST(MeasurementView, TheWorkedExamplesByClicks) {
    struct Case {
        const char* name;
        std::int32_t sideMode;
        int units;
        MouseMode mode;
        std::vector<QPoint> clicks;
        QPoint labelAt;  // the label's top-left corner
        const char* label;
    } cases[] = {
        {"range, both sides: 250 right of the centre", kBothSides, 0, MouseMode::MeasureRange, {{750, 300}},
         {750, 267}, "25.00 m"},
        {"range, port only: 250 left of the right edge", kPortOnly, 0, MouseMode::MeasureRange, {{750, 300}},
         {750, 267}, "12.50 m"},
        {"range in feet: 10 m", kBothSides, 1, MouseMode::MeasureRange, {{600, 300}}, {600, 267}, "32.81 ft"},
        {"range near the right edge: the text 50 pixels left", kBothSides, 0, MouseMode::MeasureRange,
         {{980, 300}}, {930, 267}, "48.00 m"},
        {"range near the top: the text below", kBothSides, 0, MouseMode::MeasureRange, {{600, 10}}, {600, 27},
         "10.00 m"},
        {"target height: altitude 10, shadow from 30 m, 6 m long", kBothSides, 0, MouseMode::MeasureTargetHeight,
         {{720, 300}, {600, 311}, {800, 288}, {860, 305}}, {860, 267}, "1.67 m"},
        {"distance", kBothSides, 0, MouseMode::MeasureDistance, {{500, 100}, {800, 500}}, {800, 467}, "50.00 m"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MeasuredView v(c.sideMode, c.units);
        v.m().toggleMode(c.mode);
        EXPECT_EQ(v.view.mouseMode(), c.mode);
        for (QPoint p : c.clicks) {
            hover(v.view, p);
            click(v.view, p);
        }
        EXPECT_EQ(v.view.mouseMode(), MouseMode::None) << "the mode ends with its measurement";
        const QImage img = testing::render(v.view);
        EXPECT_TRUE(labelAt(img, c.labelAt.x(), c.labelAt.y(), QString::fromLatin1(c.label)));
    }
}

TEST(MeasurementView, TheRangeLineRunsFromTheNadirAtTheClickedRow) {
    MeasuredView v;
    v.m().toggleMode(MouseMode::MeasureRange);
    hover(v.view, {650, 300});
    // The live line follows the pointer, with its value.
    QImage img = testing::render(v.view);
    EXPECT_EQ(testing::countColour(img, kCyan, QRect(560, 295, 1, 11)), 2) << "a 2-pixel line at row 300";
    EXPECT_TRUE(labelAt(img, 650, 267, QStringLiteral("15.00 m")));
    hover(v.view, {700, 450});
    click(v.view, {700, 450});
    hover(v.view, {100, 100});
    img = testing::render(v.view);
    EXPECT_EQ(testing::countColour(img, kCyan, QRect(560, 295, 1, 11)), 0) << "the live line went with the mode";
    EXPECT_EQ(testing::countColour(img, kCyan, QRect(560, 445, 1, 11)), 2);
    EXPECT_EQ(testing::countColour(img, kCyan, QRect(480, 445, 1, 11)), 0) << "nothing before the nadir";
    // The '+' at the clicked point: from 8 pixels before it up to (not
    // including) 8 pixels after it, as a line to a point stops before it.
    EXPECT_EQ(testing::countColour(img, kCyan, QRect(700, 430, 1, 40)), 16);
}

TEST(MeasurementView, EntriesStayInImageCoordinates) {
    MeasuredView v;
    v.m().toggleMode(MouseMode::PlusMark);
    click(v.view, {400, 300});
    // New rows scroll the waterfall, not the marks.
    v.rig.storePings(1, 40, [](int, int) { return 90; });
    QImage img = testing::render(v.view);
    // Both arms, 16 pixels long and 2 wide, crossing in 2 × 2.
    EXPECT_EQ(testing::countColour(img, kCyan, QRect(390, 290, 21, 21)), 60) << "the '+' where it was drawn";
    // Scrolling moves them with the image.
    testing::mouse(v.view, QEvent::MouseButtonPress, {500, 400}, Qt::LeftButton, Qt::LeftButton);
    testing::mouse(v.view, QEvent::MouseMove, {500, 300}, Qt::NoButton, Qt::LeftButton);
    testing::mouse(v.view, QEvent::MouseButtonRelease, {500, 300}, Qt::LeftButton, Qt::NoButton);
    ASSERT_EQ(v.view.scroll(), QPoint(0, 100));
    img = testing::render(v.view);
    EXPECT_EQ(testing::countColour(img, kCyan, QRect(390, 190, 21, 21)), 60);
    EXPECT_EQ(testing::countColour(img, kCyan, QRect(390, 290, 21, 21)), 0);
    // "&Clear Lines/Marks" and the zoom commands clear them.
    v.m().clearMarks();
    EXPECT_EQ(v.m().session().marks().count(), 0);
    v.m().toggleMode(MouseMode::PlusMark);
    click(v.view, {400, 300});
    ASSERT_EQ(v.m().session().marks().count(), 1);
    v.view.runCommand(ViewCommand::ZoomIn);
    EXPECT_EQ(v.m().session().marks().count(), 0);
}

TEST(MeasurementView, TheHundredAndFirstEntryIsRefused) {
    MeasuredView v;
    for (int i = 0; i < 100; ++i) {
        v.m().toggleMode(MouseMode::PlusMark);
        click(v.view, {20 + (i % 10) * 40, 40 + (i / 10) * 40});
    }
    ASSERT_EQ(v.m().session().marks().count(), 100);
    v.m().toggleMode(MouseMode::MeasureRange);
    click(v.view, {800, 500});
    EXPECT_EQ(v.m().session().marks().count(), 100);
    EXPECT_EQ(v.m().session().refusedEntries(), 1);
    hover(v.view, {10, 590});
    const QImage img = testing::render(v.view);
    EXPECT_EQ(testing::countColour(img, kCyan, QRect(600, 490, 190, 20)), 0) << "nothing of it is drawn";
    EXPECT_EQ(testing::countColour(img, kLabel, QRect(700, 440, 200, 60)), 0);
}

TEST(MeasurementView, OneModeAtATime) {
    MeasuredView v;
    v.m().toggleMode(MouseMode::MeasureDistance);
    click(v.view, {100, 100});
    v.m().toggleMode(MouseMode::MeasureRange);
    EXPECT_TRUE(v.m().modeOn(MouseMode::MeasureRange));
    EXPECT_FALSE(v.m().modeOn(MouseMode::MeasureDistance));
    v.m().toggleSelectArea();
    EXPECT_FALSE(v.m().selectAreaOn()) << "no selection while a measuring mode is on";
    v.m().toggleMode(MouseMode::MeasureRange);
    EXPECT_EQ(v.view.mouseMode(), MouseMode::None);
    v.view.toggleTimeMarks();
    v.m().toggleMode(MouseMode::PlusMark);
    EXPECT_EQ(v.view.mouseMode(), MouseMode::PlusMark);
    EXPECT_EQ(v.m().session().marks().count(), 0) << "the distance never got its second point";
}

TEST(MeasurementView, ChoosingAnAreaToSave) {
    MeasuredView v;
    v.m().toggleSelectArea();
    ASSERT_EQ(v.view.mouseMode(), MouseMode::SelectArea);
    EXPECT_FALSE(v.m().canSaveSelected());
    testing::mouse(v.view, QEvent::MouseButtonPress, {300, 250}, Qt::LeftButton, Qt::LeftButton);
    testing::mouse(v.view, QEvent::MouseMove, {100, 100}, Qt::NoButton, Qt::LeftButton);
    EXPECT_FALSE(v.m().canSaveSelected()) << "not while dragging";
    QImage img = testing::render(v.view);
    EXPECT_GT(testing::countColour(img, qRgb(255, 255, 255), QRect(100, 100, 201, 1)), 50) << "drawn while choosing";
    testing::mouse(v.view, QEvent::MouseButtonRelease, {100, 100}, Qt::LeftButton, Qt::NoButton);
    ASSERT_TRUE(v.m().canSaveSelected());
    EXPECT_EQ(v.m().selectedWindowRect(), QRect(100, 100, 200, 150));
    v.m().setSelectionOutlineShown(false);
    img = testing::render(v.view);
    EXPECT_EQ(testing::countColour(img, qRgb(255, 255, 255), QRect(100, 100, 201, 1)), 0);
    v.m().setSelectionOutlineShown(true);
    // A click without a drag starts over.
    click(v.view, {50, 50});
    EXPECT_FALSE(v.m().canSaveSelected());
    EXPECT_TRUE(v.m().selectAreaOn());
    v.m().toggleSelectArea();
    EXPECT_EQ(v.view.mouseMode(), MouseMode::None);
}

TEST(MeasurementView, APlainClickStartsEventInput) {
    MeasuredView v;
    std::vector<QPoint> clicks;
    v.rig.ctx.eventClicked = [&](std::int64_t x, std::int32_t row) {
        clicks.emplace_back(static_cast<int>(x), row);
        return true;
    };
    click(v.view, {300, 200});
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0], QPoint(300, 200));
    // A drag is no click; a measuring mode takes the click itself.
    testing::mouse(v.view, QEvent::MouseButtonPress, {500, 400}, Qt::LeftButton, Qt::LeftButton);
    testing::mouse(v.view, QEvent::MouseMove, {500, 350}, Qt::NoButton, Qt::LeftButton);
    testing::mouse(v.view, QEvent::MouseButtonRelease, {500, 350}, Qt::LeftButton, Qt::NoButton);
    v.m().toggleMode(MouseMode::MeasureRange);
    click(v.view, {600, 100});
    EXPECT_EQ(clicks.size(), 1u);
    // The image row under a click after scrolling.
    click(v.view, {10, 20});
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_EQ(clicks[1], QPoint(10, 20 + v.view.scroll().y()));

    // A double click goes to its own hook, at the image point; in a mode, nowhere.
    std::vector<QPoint> doubles;
    v.rig.ctx.eventDoubleClicked = [&](std::int64_t x, std::int32_t row) {
        doubles.emplace_back(static_cast<int>(x), row);
        return true;
    };
    testing::mouse(v.view, QEvent::MouseButtonDblClick, {40, 30}, Qt::LeftButton, Qt::LeftButton);
    ASSERT_EQ(doubles.size(), 1u);
    EXPECT_EQ(doubles[0], QPoint(40 + v.view.scroll().x(), 30 + v.view.scroll().y()));
    v.m().toggleMode(MouseMode::PlusMark);
    testing::mouse(v.view, QEvent::MouseButtonDblClick, {40, 30}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(doubles.size(), 1u);
}

TEST(MeasurementView, TheHighViewMeasuresOnItsOwn) {
    ViewRig rig;
    rig.heads.sideScanRange = 50;
    CSkerryView main(rig.ctx);
    testing::showAt(main, 1000, 600);
    CSonarHView high(rig.ctx);
    testing::showAt(high, 1000, 600);
    high.measurements().toggleMode(MouseMode::MeasureRange);
    click(high, {750, 300});
    EXPECT_EQ(high.measurements().session().marks().count(), 1);
    EXPECT_EQ(main.measurements().session().marks().count(), 0);
    // The commands follow the view last pressed.
    EXPECT_EQ(&main.activeMeasurements(), &high.measurements());
    click(main, {10, 10});
    EXPECT_EQ(&main.activeMeasurements(), &main.measurements());
    EXPECT_TRUE(labelAt(testing::render(high), 750, 267, QStringLiteral("25.00 m")));

    // A narrower window measures across its own image.
    CSonarHView narrow(rig.ctx);
    testing::showAt(narrow, 600, 400);
    const std::int32_t w = narrow.viewGeometry().imageWidth;
    ASSERT_NE(w, rig.store().imageWidth);
    narrow.measurements().toggleMode(MouseMode::MeasureRange);
    click(narrow, {w * 3 / 4 - narrow.viewGeometry().scrollX, 200});
    ASSERT_EQ(narrow.measurements().session().marks().count(), 1);
    EXPECT_NEAR(narrow.measurements().session().marks().entries()[0].valueM, 25.0, 0.1);
}

TEST(MeasurementView, ColourIndicatorShowsThePalette) {
    ViewRig rig;
    rig.palette.colourTableIndex = kGrey;
    CSkerryView view(rig.ctx);
    testing::showAt(view, 800, 500);
    const QRect bar = ColourIndicatorRect(view.size());
    QImage img = testing::render(view);
    EXPECT_NE(img.pixel(bar.center()), qRgb(127, 127, 127)) << "hidden until switched on";
    int shown = 1;
    rig.ctx.colourIndicatorShown = &shown;
    img = testing::render(view);
    EXPECT_EQ(img.pixel(bar.center().x(), bar.top()), qRgb(254, 254, 254));
    EXPECT_EQ(img.pixel(bar.center().x(), bar.bottom()), qRgb(0, 0, 0));
    const QRgb mid = img.pixel(bar.center().x(), bar.top() + bar.height() / 2);
    EXPECT_NEAR(qRed(mid), 127, 2);
    EXPECT_EQ(qRed(mid), qBlue(mid));
}

TEST(MeasurementView, EventMarkersAreRedCirclesWithTheirNumber) {
    ViewRig rig;
    CSkerryView view(rig.ctx);
    testing::showAt(view, 800, 500);
    const EventMarkerPlace place{7, 400, 200};
    rig.ctx.drawEventMarks = [&](QPainter& p, const ViewGeometry& g) { DrawEventMarkers(p, g, {&place, 1}); };
    const QImage img = testing::render(view);
    const QRgb red = qRgb(250, 0, 0);
    EXPECT_GT(testing::countColour(img, red, QRect(386, 186, 29, 29)), 60) << "the circle and the number";
    // 24 pixels across, centred: nothing above or left of it, its top and left there.
    EXPECT_EQ(testing::countColour(img, red, QRect(380, 180, 40, 6)), 0);
    EXPECT_EQ(testing::countColour(img, red, QRect(380, 180, 6, 40)), 0);
    EXPECT_GT(testing::countColour(img, red, QRect(396, 187, 9, 3)), 0) << "its top";
    EXPECT_GT(testing::countColour(img, red, QRect(387, 196, 3, 9)), 0) << "its left side";
    EXPECT_GT(testing::countColour(img, red, QRect(396, 193, 9, 14)), 5) << "the number inside";
    EXPECT_EQ(testing::countColour(img, red, QRect(0, 0, 800, 150)), 0);
}

}  // namespace
}  // namespace hx
