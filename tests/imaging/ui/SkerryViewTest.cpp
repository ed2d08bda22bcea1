// The main view's image size, zoom commands, scrolling, pointer readout and
// the waterfall pixels it paints; the M and L windows' choice of image.
#include <QScrollBar>

#include <gtest/gtest.h>

#include "imaging/ui/CrossHairCursor.h"
#include "imaging/ui/SkerryView.h"
#include "imaging/ui/SonarHView.h"
#include "imaging/ui/SonarLView.h"
#include "imaging/ui/SonarMView.h"
#include "imaging/ui/WaterfallBlit.h"
#include "tests/imaging/ui/ViewTestRig.h"

namespace hx {
namespace {

using testing::ViewRig;

// ---- image size and zoom ----

TEST(MainViewSize, FillTheScreenRoundsTheWidthUpToFour) {
    ViewRig rig;
    CSkerryView view(rig.ctx);
    testing::showAt(view, 1001, 600);
    EXPECT_EQ(rig.store().imageWidth, 1004);
    EXPECT_EQ(rig.store().imageHeight, 1004);
    EXPECT_DOUBLE_EQ(view.zoomFactor(), 0.502);
    ASSERT_NE(HeadImageFor(rig.store(), kHeadL), nullptr);
    EXPECT_EQ(HeadImageFor(rig.store(), kHeadL)->width(), 1004);
    EXPECT_EQ(HeadImageFor(rig.store(), kHeadH)->height(), 1004);
    EXPECT_EQ(rig.store().imagesReady, 1);
    EXPECT_DOUBLE_EQ(rig.imaging->display.interpolationFactor, 0.502);
    EXPECT_TRUE(view.commandState(ViewCommand::FillTheScreen).checked);
    EXPECT_FALSE(view.commandState(ViewCommand::Zoom200).checked);
}

TEST(MainViewSize, TwoHundredPercentGivesFourThousandPixels) {
    ViewRig rig(true);
    CSkerryView view(rig.ctx);
    testing::showAt(view, 1001, 600);
    view.runCommand(ViewCommand::Zoom200);
    EXPECT_EQ(rig.store().imageWidth, 4000);
    EXPECT_EQ(rig.store().imageHeight, 4000);
    EXPECT_EQ(rig.store().compositeImage.width(), 4000);
    EXPECT_DOUBLE_EQ(view.zoomFactor(), 2.0);
    EXPECT_TRUE(view.commandState(ViewCommand::Zoom200).checked);
    EXPECT_FALSE(view.commandState(ViewCommand::FillTheScreen).checked);
    // The paint hands the factor to the line expansion: pairs are interpolated.
    testing::render(view);
    EXPECT_DOUBLE_EQ(rig.imaging->display.interpolationFactor, 2.0);
    EXPECT_EQ(rig.store().imagePaletteHeader.bitCount, 24);

    view.runCommand(ViewCommand::Zoom100);
    EXPECT_EQ(rig.store().imageWidth, 2000);
    EXPECT_DOUBLE_EQ(view.zoomFactor(), 1.0);
    // The same mode again does not re-allocate.
    const std::uint8_t* before = rig.store().compositeImage.row(0).data();
    view.runCommand(ViewCommand::Zoom100);
    EXPECT_EQ(rig.store().compositeImage.row(0).data(), before);
}

TEST(MainViewSize, ImagesWaitForTheViewToBeReady) {
    ViewRig rig;
    rig.store().viewReady = 0;
    CSkerryView view(rig.ctx);
    testing::showAt(view, 640, 480);
    EXPECT_EQ(rig.store().imageWidth, 640);  // geometry follows the window
    EXPECT_EQ(HeadImageFor(rig.store(), kHeadL), nullptr);
    const QImage img = testing::render(view);  // background and overlays only
    EXPECT_EQ(img.pixel(321, 100), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(320, 100), qRgb(200, 200, 0)) << "the scale's centre line";
    rig.store().viewReady = 1;
    view.resizeImages();
    ASSERT_NE(HeadImageFor(rig.store(), kHeadL), nullptr);
    EXPECT_EQ(HeadImageFor(rig.store(), kHeadL)->width(), 640);
}

TEST(MainViewZoom, ZoomCycleKeepsTheImagePointUnderThePointer) {
    ViewRig rig;
    CSkerryView view(rig.ctx);
    testing::showAt(view, 1000, 600);
    ASSERT_DOUBLE_EQ(view.zoomFactor(), 0.5);
    view.runCommand(ViewCommand::Zoom100);
    // Drag to scroll (50, 80), then rest the pointer at (300, 200).
    testing::mouse(view, QEvent::MouseButtonPress, {400, 300}, Qt::LeftButton, Qt::LeftButton);
    testing::mouse(view, QEvent::MouseMove, {350, 220}, Qt::NoButton, Qt::LeftButton);
    testing::mouse(view, QEvent::MouseButtonRelease, {350, 220}, Qt::LeftButton, Qt::NoButton);
    testing::mouse(view, QEvent::MouseMove, {300, 200});
    ASSERT_EQ(view.scroll(), QPoint(50, 80));

    int marksCleared = 0;
    view.setMeasurementHooks({.clearMarks = [&] { ++marksCleared; }});
    // 100 % → 200 %: trunc(350 / 1) × 2 − 300 = 400, 280 × 2 − 200 = 360.
    testing::key(view, Qt::Key_Z, "z");
    EXPECT_EQ(view.zoom().zoomMode, kZoom200);
    EXPECT_EQ(view.scroll(), QPoint(400, 360));
    EXPECT_EQ(rig.store().imageWidth, 4000);
    // 200 % → Fill (0.5): the point's scroll, 350 × 0.5 − 300 < 0, stays on
    // the image: no band of black at the top or the left.
    view.runCommand(ViewCommand::ZoomCycle);
    EXPECT_EQ(view.zoom().zoomMode, kZoomFillScreen);
    EXPECT_DOUBLE_EQ(view.zoomFactor(), 0.5);
    EXPECT_EQ(view.scroll(), QPoint(0, 0));
    EXPECT_EQ(rig.store().imageWidth, 1000);
    // Fill → 100 %: trunc(300 / 0.5) × 1 − 300 = 300, 400 − 200 = 200.
    view.cycleZoom();
    EXPECT_EQ(view.zoom().zoomMode, kZoom100);
    EXPECT_EQ(view.scroll(), QPoint(300, 200));
    EXPECT_EQ(marksCleared, 3);
    // The document's copy of the scroll follows the main view.
    EXPECT_EQ(rig.flags.scrollX, 300);
    EXPECT_EQ(rig.flags.scrollY, 200);
}

TEST(MainViewZoom, ZoomInAndOutResizeTheImageAboutTheWindowCentre) {
    ViewRig rig;
    CSkerryView view(rig.ctx);
    testing::showAt(view, 1000, 600);
    view.runCommand(ViewCommand::Zoom100);
    int marksCleared = 0;
    view.setMeasurementHooks({.clearMarks = [&] { ++marksCleared; }});
    testing::mouse(view, QEvent::MouseButtonPress, {400, 300}, Qt::LeftButton, Qt::LeftButton);
    testing::mouse(view, QEvent::MouseMove, {380, 290}, Qt::NoButton, Qt::LeftButton);
    testing::mouse(view, QEvent::MouseButtonRelease, {380, 290}, Qt::LeftButton, Qt::NoButton);
    ASSERT_EQ(view.scroll(), QPoint(20, 10));

    view.zoomIn();
    EXPECT_DOUBLE_EQ(view.zoomFactor(), 2.0);
    EXPECT_EQ(rig.store().imageWidth, 4000) << "the picture itself grows";
    EXPECT_EQ(view.scroll(), QPoint(540, 20)) << "across about the centre, (20 + 500) × 2 − 500; down 10 × 2";
    EXPECT_TRUE(view.commandState(ViewCommand::Zoom200).checked);
    view.zoomIn();
    EXPECT_EQ(rig.store().imageWidth, 6000);
    EXPECT_FALSE(view.commandState(ViewCommand::Zoom200).checked);
    view.zoomIn();  // above 3: back to 1 with the scroll cleared
    EXPECT_DOUBLE_EQ(view.zoomFactor(), 1.0);
    EXPECT_EQ(rig.store().imageWidth, 2000);
    EXPECT_EQ(view.scroll(), QPoint(0, 0));
    view.zoomOut();  // below 1: stays 1
    EXPECT_DOUBLE_EQ(view.zoomFactor(), 1.0);
    view.zoomIn();
    view.restoreImage();
    EXPECT_DOUBLE_EQ(view.zoomFactor(), 1.0);
    EXPECT_EQ(rig.store().imageWidth, 2000);
    EXPECT_EQ(marksCleared, 6);
}

TEST(MainViewCommands, FlagsAndTheirCheckMarks) {
    ViewRig rig;
    CSkerryView view(rig.ctx);
    EXPECT_TRUE(view.commandState(ViewCommand::Metric).checked);
    EXPECT_FALSE(view.commandState(ViewCommand::Imperial).checked);
    view.runCommand(ViewCommand::Metric);
    EXPECT_EQ(rig.unitsChanges, 0);  // already metric
    view.runCommand(ViewCommand::Imperial);
    EXPECT_EQ(rig.flags.units, 1);
    EXPECT_EQ(rig.unitsChanges, 1);
    EXPECT_TRUE(view.commandState(ViewCommand::Imperial).checked);
    EXPECT_GE(rig.refreshes, 1);

    EXPECT_TRUE(view.commandState(ViewCommand::Grid).checked);
    view.runCommand(ViewCommand::Grid);
    EXPECT_EQ(rig.flags.grid, 0);
    view.runCommand(ViewCommand::ShowRange);
    EXPECT_EQ(rig.flags.showRange, 0);
    view.runCommand(ViewCommand::ShowMarkShadow);
    EXPECT_EQ(rig.flags.showMarkShadow, 0);
    EXPECT_FALSE(view.commandState(ViewCommand::ShowMarkShadow).checked);

    view.runCommand(ViewCommand::TimeMarks);
    EXPECT_TRUE(view.commandState(ViewCommand::TimeMarks).checked);
    view.runCommand(ViewCommand::GpsMarks);  // ends the time marks
    EXPECT_FALSE(view.commandState(ViewCommand::TimeMarks).checked);
    EXPECT_TRUE(view.commandState(ViewCommand::GpsMarks).checked);

}

// ---- mouse, keys and the pointer readout ----

TEST(MainViewPointer, ReadoutAtEachPaintAndMove) {
    ViewRig rig;
    rig.heads.sideScanRange = 50;
    CSkerryView view(rig.ctx);
    testing::showAt(view, 1000, 600);
    view.runCommand(ViewCommand::Zoom100);  // 2000 × 2000: one row a ping with speed correction off
    rig.storePings(1, 20, [](int p, int) { return p; });

    testing::mouse(view, QEvent::MouseMove, {750, 2});
    ASSERT_FALSE(rig.readouts.empty());
    PointerReadout r = rig.readouts.back();
    EXPECT_TRUE(r.inView);
    EXPECT_TRUE(r.inImage);
    EXPECT_FALSE(r.starboard);  // left of the 2000-pixel image's centre
    EXPECT_DOUBLE_EQ(r.rangeM, 12.5);
    EXPECT_EQ(r.timeText, "12:00:18");  // row 2 is the third newest ping
    EXPECT_EQ(r.dateText, "08-DEC-2026");
    EXPECT_EQ(r.gpsText[0], "gps0#18");

    rig.readouts.clear();
    testing::render(view);
    ASSERT_EQ(rig.readouts.size(), 1u);
    EXPECT_EQ(rig.readouts.back().timeText, "12:00:18");

    // Arrow keys move the pointer one pixel and count as a move.
    testing::key(view, Qt::Key_Down);
    testing::key(view, Qt::Key_Left);
    r = rig.readouts.back();
    EXPECT_EQ(r.timeText, "12:00:17");
    EXPECT_DOUBLE_EQ(r.rangeM, 50.0 * 251 / 1000);
    view.runCommand(ViewCommand::KeyUp);
    EXPECT_EQ(rig.readouts.back().timeText, "12:00:18");

    // Below the rows drawn the row has no time and no date.
    testing::mouse(view, QEvent::MouseMove, {10, 500});
    r = rig.readouts.back();
    EXPECT_TRUE(r.inImage);
    EXPECT_FALSE(r.starboard);
    EXPECT_EQ(r.timeText, "");
    EXPECT_EQ(r.dateText, "");

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&view, &leave);
    EXPECT_FALSE(rig.readouts.back().inView);
    const std::size_t count = rig.readouts.size();
    testing::render(view);
    EXPECT_EQ(rig.readouts.size(), count) << "nothing more once the pointer has left";
}

TEST(MainViewPointer, FrozenRowsWhileOnHold) {
    ViewRig rig;
    CSkerryView view(rig.ctx);
    testing::showAt(view, 1000, 600);
    view.runCommand(ViewCommand::Zoom100);
    rig.storePings(1, 10, [](int p, int) { return p; });
    SetHold(*rig.imaging, true, rig.heads, rig.link, rig.speed);
    rig.storePings(11, 5, [](int p, int) { return p; });  // kept in the history only
    rig.store().rowMeta.at(0).stamp = MakeRowStamp("23:59:59", ".000");  // live rows change meanwhile
    testing::mouse(view, QEvent::MouseMove, {10, 0});
    EXPECT_EQ(rig.readouts.back().timeText, "12:00:10");
    EXPECT_EQ(rig.readouts.back().gpsText[3], "gps3#10");
    SetHold(*rig.imaging, false, rig.heads, rig.link, rig.speed);  // rebuilt from the history
    testing::render(view);
    EXPECT_EQ(rig.readouts.back().timeText, "12:00:15");
}

TEST(MainViewMouse, DragScrollsAndRefreshesEveryView) {
    ViewRig rig;
    CSkerryView view(rig.ctx);
    testing::showAt(view, 1000, 600);
    view.runCommand(ViewCommand::Zoom100);
    const int before = rig.refreshes;
    testing::mouse(view, QEvent::MouseButtonPress, {500, 300}, Qt::LeftButton, Qt::LeftButton);
    testing::mouse(view, QEvent::MouseMove, {450, 260}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(view.scroll(), QPoint(50, 40));
    EXPECT_EQ(rig.flags.scrollX, 50);
    testing::mouse(view, QEvent::MouseMove, {480, 290}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(view.scroll(), QPoint(20, 10));
    EXPECT_GT(rig.refreshes, before);
    testing::mouse(view, QEvent::MouseButtonRelease, {480, 290}, Qt::LeftButton, Qt::NoButton);
    testing::mouse(view, QEvent::MouseMove, {100, 100});
    EXPECT_EQ(view.scroll(), QPoint(20, 10)) << "the drag ended at the release";

    // A point-placing mode takes the click instead of dragging.
    std::vector<QPoint> pressed;
    std::vector<QPoint> released;
    view.setMeasurementHooks({.press = [&](MouseMode, QPoint p) { pressed.push_back(p); },
                              .release = [&](MouseMode, QPoint p) { released.push_back(p); }});
    view.setMouseMode(MouseMode::MeasureRange);
    testing::mouse(view, QEvent::MouseButtonPress, {200, 100}, Qt::LeftButton, Qt::LeftButton);
    testing::mouse(view, QEvent::MouseMove, {250, 150}, Qt::NoButton, Qt::LeftButton);
    testing::mouse(view, QEvent::MouseButtonRelease, {250, 150}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(view.scroll(), QPoint(20, 10));
    ASSERT_EQ(pressed.size(), 1u);
    EXPECT_EQ(pressed[0], QPoint(220, 110));  // image coordinates
    ASSERT_EQ(released.size(), 1u);

    // Time marks end at the next release; no drag meanwhile.
    view.setMouseMode(MouseMode::TimeMarks);
    testing::mouse(view, QEvent::MouseButtonPress, {200, 100}, Qt::LeftButton, Qt::LeftButton);
    testing::mouse(view, QEvent::MouseMove, {260, 100}, Qt::NoButton, Qt::LeftButton);
    testing::mouse(view, QEvent::MouseButtonRelease, {260, 100}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(view.mouseMode(), MouseMode::None);
    EXPECT_EQ(view.scroll(), QPoint(20, 10));
}

TEST(MainViewMouse, WheelScrollsWithinTheImage) {
    ViewRig rig;
    CSkerryView view(rig.ctx);
    testing::showAt(view, 1000, 600);
    view.runCommand(ViewCommand::Zoom100);
    testing::wheel(view, {100, 100}, {0, -120});
    EXPECT_EQ(view.scroll(), QPoint(0, 64));
    testing::wheel(view, {100, 100}, {0, 240});
    EXPECT_EQ(view.scroll(), QPoint(0, 0)) << "not above the newest row";
    for (int i = 0; i < 40; ++i) testing::wheel(view, {100, 100}, {0, -120});
    EXPECT_EQ(view.scroll(), QPoint(0, 2000 - 600)) << "not below the image's bottom";
    testing::wheel(view, {100, 100}, {-120, 0});
    EXPECT_EQ(view.scroll().x(), 64);
}

TEST(MainViewMouse, WheelAndScrollBarMoveTheBitmapViewPage) {
    ViewRig rig;
    CSkerryView view(rig.ctx);
    testing::showAt(view, 1000, 600);
    rig.store().waterfallEnabled = 0;  // "Bitmap View" on
    rig.page.range = 5000;
    rig.page.position = 1000;
    testing::wheel(view, {100, 100}, {0, 120});
    EXPECT_EQ(rig.page.position, 1120);
    EXPECT_EQ(view.scroll(), QPoint(0, 0));
    testing::wheel(view, {100, 100}, {0, -120 * 100});
    EXPECT_EQ(rig.page.position, 0);

    testing::render(view);
    QApplication::processEvents();
    auto* bar = view.findChild<QScrollBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->isVisible());
    const int top = 5000 - rig.store().imageHeight;
    EXPECT_EQ(bar->maximum(), top);
    EXPECT_EQ(bar->value(), top) << "position 0 is the end of the file, at the bottom";
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);  // page up
    EXPECT_EQ(rig.page.position, 512);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);  // line down
    EXPECT_EQ(rig.page.position, 448);
    bar->setSliderPosition(100);
    bar->triggerAction(QAbstractSlider::SliderMove);
    EXPECT_EQ(rig.page.position, top - 100);

    rig.store().waterfallEnabled = 1;
    testing::render(view);
    QApplication::processEvents();
    EXPECT_FALSE(bar->isVisible());
}

TEST(MainViewMouse, KeysHoldAndDoubleClick) {
    ViewRig rig;
    CSkerryView view(rig.ctx);
    testing::showAt(view, 1000, 600);
    testing::key(view, Qt::Key_H, "h");
    EXPECT_EQ(rig.holdToggles, 1);
    // The row under a double click: (y + scroll) / zoom factor.
    testing::mouse(view, QEvent::MouseButtonDblClick, {10, 100}, Qt::LeftButton, Qt::LeftButton);
    ASSERT_EQ(rig.doubleClickedRows.size(), 1u);
    EXPECT_EQ(rig.doubleClickedRows[0], 200);
}

TEST(MainViewMouse, PressAndReleaseHoldThePlaybackStep) {
    ViewRig rig;
    rig.link.playbackMode = 1;
    CSkerryView view(rig.ctx);
    testing::showAt(view, 1000, 600);
    testing::mouse(view, QEvent::MouseButtonPress, {10, 10}, Qt::RightButton, Qt::RightButton);
    testing::mouse(view, QEvent::MouseButtonRelease, {10, 10}, Qt::RightButton, Qt::NoButton);
    EXPECT_EQ(rig.timers.log, (std::vector<std::string>{"stop 1030", "start 1010 100 once", "stop 1030",
                                                         "start 1010 100 once"}));
    rig.link.playbackMode = 0;
    rig.timers.log.clear();
    testing::mouse(view, QEvent::MouseButtonPress, {10, 10}, Qt::RightButton, Qt::RightButton);
    EXPECT_TRUE(rig.timers.log.empty());
}

TEST(MainViewMouse, OwnCrossHairCursor) {
    ViewRig rig;
    CSkerryView view(rig.ctx);
    EXPECT_EQ(view.cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(view.cursor().hotSpot(), QPoint(kCrossHairHotSpot, kCrossHairHotSpot));
    const QImage shape = view.cursor().pixmap().toImage();
    EXPECT_EQ(qAlpha(shape.pixel(kCrossHairHotSpot, kCrossHairHotSpot)), 0) << "open centre";
    EXPECT_EQ(shape.pixel(kCrossHairHotSpot, 2), qRgb(255, 255, 255));
}

// ---- what is painted ----

TEST(MainViewPaint, ResizeKeepsTheSamePings) {
    ViewRig rig;
    rig.speed.speedCorrectionEnabled = 0;
    CSkerryView view(rig.ctx);
    testing::showAt(view, 1000, 600);
    view.runCommand(ViewCommand::Zoom100);  // one row per ping
    rig.storePings(1, 300, [](int p, int h) { return (p * 3 + h * 40) % 250; });

    auto snapshot = [&](int head) {
        std::vector<std::vector<std::uint8_t>> rows;
        for (int r = 0; r < 320; ++r) {
            const auto row = HeadImageRow(rig.store(), head, r);
            rows.emplace_back(row.begin(), row.end());
        }
        return rows;
    };
    const auto rowsL = snapshot(kHeadL);
    const auto rowsH = snapshot(kHeadH);
    std::vector<int> pings;
    for (int r = 0; r < 320; ++r) pings.push_back(rig.store().rowMeta.at(r).pingNumber);
    ASSERT_EQ(pings[0], 300);
    ASSERT_EQ(rowsL[0][10], (300 * 3) % 250);

    view.resize(1300, 700);  // same 2000-pixel image: rebuilt from the history
    QApplication::processEvents();
    EXPECT_EQ(rig.store().imageWidth, 2000);
    EXPECT_EQ(snapshot(kHeadL), rowsL);
    EXPECT_EQ(snapshot(kHeadH), rowsH);
    for (int r = 0; r < 320; ++r) EXPECT_EQ(rig.store().rowMeta.at(r).pingNumber, pings[static_cast<std::size_t>(r)]);

    // At a new scale the newest pings still lead, in order.
    view.fillTheScreen();
    EXPECT_EQ(rig.store().imageWidth, 1300);
    // Fewer rows than pings now: the newest may share its row with the one before.
    EXPECT_GE(rig.store().rowMeta.at(0).pingNumber, 299);
    int last = 301;
    for (int r = 0; r < 150; ++r) {
        const int p = rig.store().rowMeta.at(r).pingNumber;
        EXPECT_LE(p, last);
        last = p;
    }
    EXPECT_LT(last, 300);
}

TEST(MainViewPaint, WaterfallThroughThePaletteAndTheOverlayIndexInYellow) {
    ViewRig rig;
    rig.flags.grid = 0;
    rig.flags.showRange = 0;
    CSkerryView view(rig.ctx);
    testing::showAt(view, 640, 480);
    // Pings of 255, which the line processing turns into 254: no yellow.
    rig.storePings(1, 40, [](int, int) { return 255; });
    const QImage plain = testing::render(view);
    const ColourLut lut = MakeColourLut(BuildImagePalette(rig.palette));
    EXPECT_EQ(plain.pixel(300, 0), lut[254]);
    EXPECT_EQ(testing::countColour(plain, qRgb(255, 255, 0), plain.rect()), 0);

    // A row of index 255 (playback's wrap mark) shows in the overlay yellow.
    WaterfallImage* image = HeadImageFor(rig.store(), kHeadL);
    ASSERT_NE(image, nullptr);
    std::ranges::fill(image->row(3), std::uint8_t{255});
    const QImage img = testing::render(view);
    EXPECT_EQ(img.pixel(100, 3), qRgb(255, 255, 0));
    EXPECT_EQ(img.pixel(300, 0), lut[254]);

    // Another table is used at the next paint; 255 stays yellow in it.
    rig.palette.colourTableIndex = kGrey;
    const QImage grey = testing::render(view);
    EXPECT_EQ(grey.pixel(100, 0), qRgb(254, 254, 254));
    EXPECT_EQ(grey.pixel(100, 3), qRgb(255, 255, 0));
    EXPECT_EQ(rig.store().imagePaletteHeader.bitCount, 8);
    EXPECT_EQ(rig.store().imagePaletteHeader.width, 640);
    EXPECT_EQ(rig.store().imagePaletteHeader.height, -640);
}

TEST(MainViewPaint, CompositeInThreeHeadOperation) {
    ViewRig rig(true);
    rig.flags.grid = 0;
    rig.flags.showRange = 0;
    CSkerryView view(rig.ctx);
    testing::showAt(view, 640, 480);
    // Head M at 128 gives the green byte 180 (L and H at 0).
    rig.storePings(1, 5, [](int, int h) { return h == kHeadM ? 128 : 0; });
    const QImage img = testing::render(view);
    EXPECT_EQ(img.pixel(320, 0), qRgb(0, 180, 0));
    // Scrolled by a drag, the image moves with it: up over the drawn rows,
    // and down no further than its top.
    testing::mouse(view, QEvent::MouseButtonPress, {100, 104}, Qt::LeftButton, Qt::LeftButton);
    testing::mouse(view, QEvent::MouseMove, {100, 100}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(view.scroll(), QPoint(0, 4));
    EXPECT_EQ(testing::render(view).pixel(320, 0), qRgb(0, 0, 0)) << "the drawn rows went up out of the window";
    testing::mouse(view, QEvent::MouseMove, {100, 140}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(view.scroll(), QPoint(0, 0));
    EXPECT_EQ(testing::render(view).pixel(320, 0), qRgb(0, 180, 0));
}

TEST(OtherViews, EachWindowShowsItsHead) {
    ViewRig rig;  // two-head: L and H
    rig.flags.grid = 0;
    CSkerryView main(rig.ctx);
    testing::showAt(main, 400, 300);
    rig.storePings(1, 5, [](int, int h) { return 20 + h * 50; });
    const ColourLut lut = MakeColourLut(BuildImagePalette(rig.palette));

    CSonarLView second(rig.ctx);
    testing::showAt(second, 400, 300);
    EXPECT_EQ(rig.store().imageWidth, 400) << "only the main view decides the image size";
    CSonarMView m(rig.ctx);
    testing::showAt(m, 400, 300);
    CSonarHView h(rig.ctx);
    testing::showAt(h, 400, 300);

    EXPECT_EQ(testing::render(main).pixel(200, 150), qRgb(0, 0, 0)) << "rows below the five drawn are black";
    EXPECT_EQ(testing::render(main).pixel(200, 0), lut[20]);
    EXPECT_EQ(testing::render(second).pixel(200, 0), lut[120]);
    EXPECT_EQ(testing::render(m).pixel(200, 0), lut[120]) << "no M: the H image";
    EXPECT_EQ(testing::render(h).pixel(200, 0), lut[120]);

    // M and H follow the main view's scroll.
    rig.flags.scrollY = -2;
    EXPECT_EQ(testing::render(m).pixel(200, 1), qRgb(0, 0, 0));
    EXPECT_EQ(testing::render(m).pixel(200, 2), lut[120]);
    EXPECT_EQ(testing::render(h).pixel(200, 2), lut[120]);
}

TEST(OtherViews, ThreeHeadWindows) {
    ViewRig rig(true);
    rig.flags.grid = 0;
    rig.link.displayHeadB = kHeadM;
    CSkerryView main(rig.ctx);
    testing::showAt(main, 400, 300);
    rig.storePings(1, 5, [](int, int h) { return 20 + h * 50; });
    const ColourLut lut = MakeColourLut(BuildImagePalette(rig.palette));
    CSonarLView second(rig.ctx);
    testing::showAt(second, 400, 300);
    CSonarMView m(rig.ctx);
    testing::showAt(m, 400, 300);
    CSonarHView h(rig.ctx);
    testing::showAt(h, 400, 300);
    EXPECT_EQ(testing::render(second).pixel(200, 0), lut[70]) << "displayHeadB's own image";
    EXPECT_EQ(testing::render(m).pixel(200, 0), lut[70]);
    EXPECT_EQ(testing::render(h).pixel(200, 0), lut[120]);
}

}  // namespace
}  // namespace hx
