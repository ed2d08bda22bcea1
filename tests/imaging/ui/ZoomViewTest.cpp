// The zoom commands, the Z cycle, dragging and Hold on a rendered main view,
// the medium and high windows filled across their own width, and the
// context menu's request.
#include <QContextMenuEvent>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include "imaging/ui/SkerryView.h"
#include "imaging/ui/SonarHView.h"
#include "imaging/ui/SonarMView.h"
#include "imaging/ui/WaterfallBlit.h"
#include "tests/imaging/ui/ViewTestRig.h"

namespace hx {
namespace {

using testing::ViewRig;

void storeBlockPings(ViewRig& rig, int count) {
    for (int p = 1; p <= count; ++p) {
        for (int h = 0; h < kSideScanHeadCount; ++h) {
            auto& line = rig.heads.headDisplayLine[static_cast<std::size_t>(h)];
            std::fill(line.begin() + kEchoLineOffset, line.begin() + kEchoLineOffset + kEchoLineBytes, std::uint8_t{0});
            std::fill(line.begin() + kEchoLineOffset + 1090, line.begin() + kEchoLineOffset + 1110, std::uint8_t{200});
        }
        rig.cycle.pingInterval = 200;
        StorePing(*rig.imaging, rig.cycle, rig.heads, rig.link, rig.speed, PingExtras{});
    }
}

// The first bright column of a frame row.
int firstBright(const QImage& frame, int y, QRgb bright) {
    for (int x = 0; x < frame.width(); ++x)
        if (frame.pixel(x, y) == bright) return x;
    return -1;
}

TEST(ZoomOnScreen, ZoomInMagnifiesThePictureAboutTheWindowCentre) {
    ViewRig rig;
    rig.flags.grid = 0;
    rig.flags.showRange = 0;
    CSkerryView view(rig.ctx);
    testing::showAt(view, 1000, 600);  // fill: 1000 pixels, 2 samples a pixel
    storeBlockPings(rig, 12);
    const QRgb bright = MakeColourLut(BuildImagePalette(rig.palette))[200];
    const int before = firstBright(testing::render(view), 0, bright);
    EXPECT_NEAR(before, 545, 1) << "sample 1090 at two samples a pixel";

    view.zoomIn();  // 50 % + 100 %: a 3000-pixel image, 1.5 pixels a sample
    EXPECT_EQ(rig.store().imageWidth, 3000);
    EXPECT_EQ(view.scroll(), QPoint(1000, 0)) << "500 × 3 − 500 across; the newest rows stay on top";
    const QImage zoomed = testing::render(view);
    const int after = firstBright(zoomed, 0, bright);
    EXPECT_NEAR(after, 3 * before - 1000, 4) << "the block three times as far from the centre";
    int width = 0;
    for (int x = after; x >= 0 && x < zoomed.width() && zoomed.pixel(x, 0) == bright; ++x) ++width;
    EXPECT_NEAR(width, 30, 3) << "20 samples at 1.5 pixels";

    view.runCommand(ViewCommand::FillTheScreen);
    EXPECT_EQ(firstBright(testing::render(view), 0, bright), before) << "back in place, no shift";
}

TEST(ZoomOnScreen, TwoHundredPercentOnHoldShowsTheRowsAndTheirTimes) {
    ViewRig rig;
    rig.flags.grid = 0;
    rig.flags.showRange = 0;
    CSkerryView view(rig.ctx);
    testing::showAt(view, 1000, 600);
    rig.storePings(1, 30, [](int p, int) { return 10 + p; });
    SetHold(*rig.imaging, true, rig.heads, rig.link, rig.speed);
    rig.storePings(31, 5, [](int, int) { return 250; });  // kept in the history, not drawn

    view.runCommand(ViewCommand::Zoom200);  // two rows a ping
    const QImage img = testing::render(view);
    const ColourLut lut = MakeColourLut(BuildImagePalette(rig.palette));
    // Rebuilt from the history: the newest ping's rows first, each ping's
    // line on its two rows (the upper one of a pair a blend toward it).
    EXPECT_EQ(img.pixel(100, 0), lut[250]);
    EXPECT_EQ(img.pixel(100, 11), lut[40]) << "ping 30 in rows 10 and 11";
    EXPECT_EQ(img.pixel(100, 13), lut[39]);
    // The readout on Hold reads the rebuilt rows' times.
    testing::mouse(view, QEvent::MouseMove, {100, 13});
    ASSERT_FALSE(rig.readouts.empty());
    EXPECT_EQ(rig.readouts.back().timeText, "12:00:29");
}

TEST(ZoomOnScreen, PanningNeverLeavesTheImage) {
    ViewRig rig;
    CSkerryView view(rig.ctx);
    testing::showAt(view, 1000, 600);
    view.runCommand(ViewCommand::Zoom200);
    testing::mouse(view, QEvent::MouseButtonPress, {900, 500}, Qt::LeftButton, Qt::LeftButton);
    testing::mouse(view, QEvent::MouseMove, {-5000, -5000}, Qt::NoButton, Qt::LeftButton);
    testing::mouse(view, QEvent::MouseButtonRelease, {-5000, -5000}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(view.scroll(), QPoint(3000, 3400)) << "the image's far corner at the window's";
    testing::wheel(view, {10, 10}, {0, -1200});
    EXPECT_EQ(view.scroll(), QPoint(3000, 3400));
    view.runCommand(ViewCommand::FillTheScreen);
    EXPECT_EQ(view.scroll().x(), 0) << "a filled window has nothing to scroll across";
    EXPECT_LE(view.scroll().y(), 400);
}

TEST(ZoomOnScreen, ContextMenuFactors) {
    ViewRig rig;
    CSkerryView view(rig.ctx);
    testing::showAt(view, 1000, 600);
    view.selectZoomFactor(1.5);
    EXPECT_EQ(rig.store().imageWidth, 3000);
    EXPECT_FALSE(view.commandState(ViewCommand::FillTheScreen).checked);
    view.selectZoomFactor(3.0);
    EXPECT_EQ(rig.store().imageWidth, 6000);
    view.selectZoomFactor(9.0);  // no such factor
    EXPECT_EQ(rig.store().imageWidth, 6000);

    QSignalSpy asked(&view, &CSkerryView::contextMenuRequested);
    QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(40, 30), view.mapToGlobal(QPoint(40, 30)));
    QApplication::sendEvent(&view, &e);
    ASSERT_EQ(asked.count(), 1);
    EXPECT_EQ(asked.front().front().toPoint(), view.mapToGlobal(QPoint(40, 30)));
}

TEST(ZoomOnScreen, ArrowKeysMoveThePointer) {
    ViewRig rig;
    CSkerryView view(rig.ctx);
    testing::showAt(view, 1000, 600);
    testing::mouse(view, QEvent::MouseMove, {200, 100});
    view.runCommand(ViewCommand::KeyRight);
    view.runCommand(ViewCommand::KeyRight);
    view.runCommand(ViewCommand::KeyDown);
    ASSERT_FALSE(rig.readouts.empty());
    // 1000 pixels over 50 m each side: 202 pixels is 29.8 m port.
    EXPECT_NEAR(rig.readouts.back().rangeM, 50.0 * (500 - 202) / 500, 1e-9);
    EXPECT_FALSE(rig.readouts.back().starboard);
}

// The medium and high windows fill their own width, with the main rows.
TEST(SonarWindowsOnScreen, EachWindowFillsItsOwnWidth) {
    ViewRig rig(true);
    rig.flags.grid = 0;
    CSkerryView main(rig.ctx);
    testing::showAt(main, 400, 300);
    rig.storePings(1, 20, [](int, int h) { return 20 + h * 50; });
    const ColourLut lut = MakeColourLut(BuildImagePalette(rig.palette));
    CSonarMView m(rig.ctx);
    testing::showAt(m, 900, 200);
    CSonarHView h(rig.ctx);
    testing::showAt(h, 700, 200);
    ASSERT_NE(m.shownImage(), nullptr);
    EXPECT_EQ(m.shownImage()->width(), 900);
    EXPECT_EQ(h.shownImage()->width(), 700);
    EXPECT_EQ(testing::render(m).pixel(880, 0), lut[70]) << "drawn to the right edge, not the main view's";
    EXPECT_EQ(testing::render(h).pixel(650, 0), lut[120]);
    EXPECT_EQ(h.viewGeometry().imageWidth, 700);

    // New pings reach the windows' images too.
    rig.storePings(21, 10, [](int, int hd) { return hd == kHeadH ? 200 : 5; });
    EXPECT_EQ(testing::render(h).pixel(650, 0), lut[200]);
    // Resized, a window's image follows.
    testing::showAt(h, 500, 200);
    EXPECT_EQ(h.shownImage()->width(), 500);
    EXPECT_EQ(testing::render(h).pixel(480, 0), lut[200]);
}

}  // namespace
}  // namespace hx
