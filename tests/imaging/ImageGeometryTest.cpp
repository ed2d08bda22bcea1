// Image sizes for the zoom modes, the zoom commands and the "Bitmap View"
// page arithmetic.
#include <gtest/gtest.h>

#include "imaging/BitmapPage.h"
#include "imaging/ImageGeometry.h"
#include "imaging/LineCount.h"

namespace hx {
namespace {

TEST(ImageGeometry, FillTheScreenUsesTheRoundedWindowWidth) {
    ViewZoom zoom;
    const auto g = ComputeImageGeometry(1001, zoom, true);
    ASSERT_TRUE(g);
    EXPECT_EQ(g->imageWidth, 1004);
    EXPECT_EQ(g->imageHeight, 1004);
    EXPECT_DOUBLE_EQ(g->zoomFactor, 0.502);
    EXPECT_EQ(g->imageScale, 1.0);
    EXPECT_DOUBLE_EQ(ComputeImageGeometry(1001, zoom, false)->imageScale, 0.502);
    EXPECT_EQ(ComputeImageGeometry(1004, zoom, true)->imageWidth, 1004);
    EXPECT_EQ(ComputeImageGeometry(1, zoom, true)->imageWidth, 4);
    EXPECT_FALSE(ComputeImageGeometry(0, zoom, true));
    EXPECT_FALSE(ComputeImageGeometry(-5, zoom, true));
}

TEST(ImageGeometry, HundredAndTwoHundredPercent) {
    ViewZoom zoom;
    ASSERT_TRUE(SelectZoomMode(zoom, kZoom100));
    EXPECT_FALSE(SelectZoomMode(zoom, kZoom100)) << "already in that mode";
    auto g = ComputeImageGeometry(1001, zoom, true);
    EXPECT_EQ(g->imageWidth, 2000);
    EXPECT_EQ(g->imageScale, static_cast<double>(static_cast<float>(2000.0 / 1004)));
    EXPECT_EQ(g->zoomFactor, 1.0);
    EXPECT_EQ(ComputeImageGeometry(1001, zoom, false)->imageScale, 1.0);

    ASSERT_TRUE(SelectZoomMode(zoom, kZoom200));
    g = ComputeImageGeometry(1001, zoom, false);
    EXPECT_EQ(g->imageWidth, 4000);
    EXPECT_EQ(g->imageHeight, 4000);
    EXPECT_EQ(g->imageScale, 2.0);
    EXPECT_EQ(g->zoomFactor, 2.0);

    // "Zoom In" changes the factor, not the image size.
    ZoomIn(zoom);
    EXPECT_EQ(ComputeImageGeometry(1001, zoom, false)->imageWidth, 4000);
    EXPECT_FALSE(SelectZoomMode(zoom, 7));
}

TEST(ImageGeometry, ZoomCommands) {
    ViewZoom zoom;
    zoom.scrollX = 30;
    zoom.scrollY = 40;
    EXPECT_FALSE(ZoomIn(zoom));
    EXPECT_EQ(zoom.zoomFactor, 2.0);
    EXPECT_FALSE(ZoomIn(zoom));
    EXPECT_TRUE(ZoomIn(zoom)) << "above 3 it returns to 1";
    EXPECT_EQ(zoom.zoomFactor, 1.0);
    EXPECT_EQ(zoom.scrollX, 0);
    zoom.scrollY = 9;
    EXPECT_TRUE(ZoomOut(zoom));
    EXPECT_EQ(zoom.zoomFactor, 1.0);
    EXPECT_EQ(zoom.scrollY, 0);
    zoom.zoomFactor = 3.0;
    EXPECT_FALSE(ZoomOut(zoom));
    EXPECT_EQ(zoom.zoomFactor, 2.0);
    zoom.scrollX = 5;
    RestoreImage(zoom);
    EXPECT_EQ(zoom.zoomFactor, 1.0);
    EXPECT_EQ(zoom.scrollX, 0);

    ViewZoom cycle;
    CycleZoomMode(cycle);
    EXPECT_EQ(cycle.zoomMode, kZoom100);
    EXPECT_EQ(cycle.zoomFactor, 1.0);
    CycleZoomMode(cycle);
    EXPECT_EQ(cycle.zoomMode, kZoom200);
    EXPECT_EQ(cycle.zoomFactor, 2.0);
    CycleZoomMode(cycle);
    EXPECT_EQ(cycle.zoomMode, kZoomFillScreen);

    // The image point under the mouse stays there: (100 + 50) / 1 × 2 − 50.
    EXPECT_EQ(ScrollKeepingPoint(100, 50, 1.0, 2.0), 250);
    EXPECT_EQ(ScrollKeepingPoint(250, 50, 2.0, 0.502), 25);  // trunc(trunc(150) × 0.502 − 50)
    EXPECT_EQ(ScrollKeepingPoint(10, 5, 0.0, 2.0), 10);
}

TEST(BitmapPage, SetUpAndScrolling) {
    WaterfallStore store;
    LineCountState lines;
    store.imageHeight = 1000;
    store.totalRows = 77;
    lines.speedCarry[0] = 0.5;

    // Speed correction off: the position starts a page back from the record.
    auto s = SetUpBitmapPage(store, lines, 5000 * 3000ull, 3000, 20000, false);
    EXPECT_EQ(s.page.position, 4000);
    EXPECT_EQ(s.page.range, 20000);
    EXPECT_FALSE(s.rewindFile);
    EXPECT_EQ(store.totalRows, 0) << "the page set-up clears the screen";
    EXPECT_EQ(lines.speedCarry[0], 0.0);

    s = SetUpBitmapPage(store, lines, 300 * 3000ull, 3000, 20000, false);
    EXPECT_EQ(s.page.position, 0);
    EXPECT_TRUE(s.rewindFile);

    s = SetUpBitmapPage(store, lines, 300 * 3000ull, 3000, 20000, true);
    EXPECT_EQ(s.page.position, 300);
    EXPECT_EQ(s.page.range, 21000);
    EXPECT_FALSE(SetUpBitmapPage(store, lines, 12345, 0, 10, true).rewindFile) << "no record length yet";

    BitmapPage page{300, 21000};
    ScrollBitmapPage(page, store, PageScroll::LineUp);
    EXPECT_EQ(page.position, 364);
    ScrollBitmapPage(page, store, PageScroll::PageDown);
    EXPECT_EQ(page.position, 0) << "clamped at 0";
    ScrollBitmapPage(page, store, PageScroll::PageUp);
    ScrollBitmapPage(page, store, PageScroll::LineDown);
    EXPECT_EQ(page.position, 448);
    ScrollBitmapPage(page, store, PageScroll::Wheel, 120);
    EXPECT_EQ(page.position, 568);
    ScrollBitmapPage(page, store, PageScroll::Thumb, 500);
    EXPECT_EQ(page.position, 19500);
    ScrollBitmapPage(page, store, PageScroll::Wheel, 100000);
    EXPECT_EQ(page.position, 20000) << "clamped at range − imageHeight";
    EXPECT_EQ(store.validRows, 1000);

    BitmapPage tiny{0, 10};
    ScrollBitmapPage(tiny, store, PageScroll::PageUp);
    EXPECT_EQ(tiny.position, 0) << "a file shorter than a page does not scroll";
}

}  // namespace
}  // namespace hx
