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
    EXPECT_FALSE(SelectZoomMode(zoom, 7));
}

// The image is zoomFactor × 2000 pixels outside "Fill the Screen", so a
// resize after "Zoom In" keeps the zoomed size.
TEST(ImageGeometry, TheImageFollowsTheZoomFactor) {
    ViewZoom zoom;
    ASSERT_TRUE(SelectZoomMode(zoom, kZoom200));
    ZoomIn(zoom);
    EXPECT_EQ(zoom.zoomFactor, 3.0);
    for (int window : {800, 1001, 1900}) EXPECT_EQ(ComputeImageGeometry(window, zoom, false)->imageWidth, 6000);
    EXPECT_EQ(ComputeImageGeometry(1001, zoom, false)->imageScale, 3.0);

    // The context menu's factors.
    const std::pair<double, int> factors[] = {{1.0, 2000}, {1.25, 2500}, {1.5, 3000}, {1.75, 3500},
                                              {2.0, 4000}, {3.0, 6000},  {4.0, 8000}};
    for (const auto& [factor, width] : factors) {
        SCOPED_TRACE(factor);
        ViewZoom z;
        ASSERT_TRUE(SelectZoomFactor(z, factor));
        EXPECT_FALSE(SelectZoomFactor(z, factor)) << "already that factor";
        EXPECT_EQ(ComputeImageGeometry(1001, z, true)->imageWidth, width);
        EXPECT_TRUE(ZoomFactorChecked(z, factor));
        EXPECT_FALSE(ZoomModeChecked(z, kZoomFillScreen));
        EXPECT_EQ(ZoomModeChecked(z, kZoom200), factor == 2.0);
        EXPECT_EQ(ZoomModeChecked(z, kZoom100), factor == 1.0);
    }
    ViewZoom z;
    EXPECT_FALSE(SelectZoomFactor(z, 0.5));
    EXPECT_FALSE(SelectZoomFactor(z, 5.0));
    EXPECT_TRUE(ZoomModeChecked(z, kZoomFillScreen));
    EXPECT_FALSE(ZoomFactorChecked(z, 1.0)) << "Fill the Screen is no factor of its own";
}

// Zoom In from "Fill the Screen" makes the image bigger at once: 76 % on a
// 1520-pixel window becomes 176 %, a 3520-pixel image, then 276 %.
TEST(ImageGeometry, ZoomInFromFillTheScreenEnlargesTheImage) {
    ViewZoom zoom;
    const auto fill = ComputeImageGeometry(1520, zoom, true);
    zoom.zoomFactor = fill->zoomFactor;
    EXPECT_DOUBLE_EQ(zoom.zoomFactor, 0.76);
    EXPECT_FALSE(ZoomIn(zoom));
    EXPECT_EQ(ComputeImageGeometry(1520, zoom, true)->imageWidth, 3520);
    EXPECT_FALSE(ZoomModeChecked(zoom, kZoomFillScreen));
    EXPECT_FALSE(ZoomModeChecked(zoom, kZoom100)) << "176 % is not 100 %";
    EXPECT_FALSE(ZoomIn(zoom));
    EXPECT_EQ(ComputeImageGeometry(1520, zoom, true)->imageWidth, 5520);
    EXPECT_TRUE(ZoomIn(zoom)) << "above 3 it returns to 1";
    EXPECT_EQ(ComputeImageGeometry(1520, zoom, true)->imageWidth, 2000);

    // Zoom Out keeps "Fill the Screen": the whole width already shows.
    ViewZoom filled;
    filled.zoomFactor = 0.76;
    EXPECT_FALSE(ZoomOut(filled));
    EXPECT_EQ(filled.zoomMode, kZoomFillScreen);
    EXPECT_DOUBLE_EQ(filled.zoomFactor, 0.76);
    // "100 %" from a factor of 3 goes back to 2000 pixels.
    EXPECT_TRUE(SelectZoomMode(zoom, kZoom200));
    ZoomIn(zoom);
    EXPECT_TRUE(SelectZoomMode(zoom, kZoom100));
    EXPECT_EQ(ComputeImageGeometry(1520, zoom, true)->imageWidth, 2000);
}

TEST(ImageGeometry, NoImageIsWiderThanTheLimit) {
    ViewZoom zoom;
    for (int window : {8192, 8193, 12288, 20000, 1000000, 2147483647}) {
        SCOPED_TRACE(window);
        const auto g = ComputeImageGeometry(window, zoom, true);
        ASSERT_TRUE(g);
        EXPECT_LE(g->imageWidth, kMaxImageWidthPx);
        EXPECT_EQ(g->imageWidth % 4, 0);
    }
    EXPECT_EQ(ComputeImageGeometry(20000, zoom, true)->imageWidth, kMaxImageWidthPx);
    zoom.zoomMode = kZoom100;
    zoom.zoomFactor = 1.0e9;
    EXPECT_EQ(ComputeImageGeometry(1000, zoom, true)->imageWidth, kMaxImageWidthPx);
}

TEST(ImageGeometry, ZoomCommands) {
    ViewZoom zoom;
    zoom.zoomMode = kZoom100;
    zoom.scrollX = 30;
    zoom.scrollY = 40;
    EXPECT_FALSE(ZoomIn(zoom));
    EXPECT_EQ(zoom.zoomFactor, 2.0);
    EXPECT_EQ(zoom.zoomMode, kZoom200);
    EXPECT_EQ(zoom.scrollX, 30) << "the scroll stays while the factor steps";
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
    EXPECT_TRUE(RestoreImage(zoom));
    EXPECT_EQ(zoom.zoomFactor, 1.0);
    EXPECT_EQ(zoom.scrollX, 0);
    EXPECT_FALSE(RestoreImage(zoom)) << "already at 1";
    ViewZoom fill;
    fill.zoomFactor = 0.5;
    fill.scrollY = 12;
    EXPECT_FALSE(RestoreImage(fill)) << "Fill the Screen keeps its size";
    EXPECT_EQ(fill.scrollY, 0);

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

TEST(ImageGeometry, ScrollStaysOnTheImage) {
    EXPECT_EQ(ClampScrollToImage(500, 4000, 1500), 500);
    EXPECT_EQ(ClampScrollToImage(3000, 4000, 1500), 2500);
    EXPECT_EQ(ClampScrollToImage(-20, 4000, 1500), 0);
    EXPECT_EQ(ClampScrollToImage(700, 1520, 1520), 0) << "an image that fits does not scroll";
    EXPECT_EQ(ClampScrollToImage(700, 1000, 1520), 0);
    EXPECT_EQ(ClampScrollToImage(5000000000LL, 4000, 100), 3900);
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
