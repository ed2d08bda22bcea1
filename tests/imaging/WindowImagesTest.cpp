// The medium and high windows' own images: as wide as their windows, with
// the main image's rows, fed with every drawn ping and rebuilt with the
// main images.
#include <gtest/gtest.h>

#include "ImagingTestSupport.h"
#include "imaging/ImageGeometry.h"
#include "imaging/StorePing.h"
#include "imaging/WindowImages.h"

namespace hx {
namespace {

using testing::constantLine;

struct Rig {
    ImagingState imaging;
    PaletteState palette;
    HeadTable heads;
    LinkFields link = testing::threeHeadLink();
    CycleValues cycle = testing::cycleAt(1, 0);
    SpeedSource speed;
    ViewZoom zoom;

    explicit Rig(int mainWindowWidth) {
        palette.colourTables = GenerateColourTables();
        speed.speedCorrectionEnabled = 0;
        imaging.store.viewReady = 1;
        ResizeImages(imaging, palette, zoom, mainWindowWidth, heads, link, speed);
    }
    WindowImageInputs inputs() { return {imaging.history, imaging.display, speed, heads}; }
    WindowWaterfall& high() { return imaging.windows[kHighWindowSlot]; }
    void ping(std::uint8_t l, std::uint8_t m, std::uint8_t h) {
        testing::setEchoLine(heads, kHeadL, constantLine(l));
        testing::setEchoLine(heads, kHeadM, constantLine(m));
        testing::setEchoLine(heads, kHeadH, constantLine(h));
        StorePing(imaging, cycle, heads, link, speed, PingExtras{});
    }
};

TEST(WindowImages, AWindowWiderThanTheMainViewIsFilled) {
    Rig rig(1000);  // main image 1000 × 1000
    rig.ping(10, 20, 30);
    FitWindowImage(rig.high(), kHeadH, 1500, rig.imaging.store, rig.inputs());
    ASSERT_TRUE(rig.high().open());
    EXPECT_EQ(rig.high().image()->width(), 1500) << "its own width";
    EXPECT_EQ(rig.high().image()->height(), 1000) << "the main image's rows";
    // The ping drawn before the window opened is there (rebuilt), to the right edge.
    const auto row = HeadImageRow(rig.high().store, kHeadH, 0);
    EXPECT_EQ(row[0], 30);
    EXPECT_EQ(row[1400], 30);
}

TEST(WindowImages, EveryDrawnPingTakesTheMainImagesRows) {
    Rig rig(2000);  // one row a ping with speed correction off
    FitWindowImage(rig.high(), kHeadH, 1000, rig.imaging.store, rig.inputs());
    for (int p = 0; p < 5; ++p) rig.ping(1, 2, static_cast<std::uint8_t>(50 + p));
    EXPECT_EQ(rig.imaging.store.validRows, 5);
    EXPECT_EQ(rig.high().store.validRows, 5) << "same rows as the main image";
    // 1000 pixels for 2000 samples: reduction by maximum keeps the line's value.
    EXPECT_EQ(HeadImageRow(rig.high().store, kHeadH, 0)[10], 54);
    EXPECT_EQ(HeadImageRow(rig.high().store, kHeadH, 4)[10], 50);

    // Hold: nothing is drawn; released, both are rebuilt alike.
    SetHold(rig.imaging, true, rig.heads, rig.link, rig.speed);
    rig.ping(1, 2, 99);
    EXPECT_EQ(HeadImageRow(rig.high().store, kHeadH, 0)[10], 54);
    SetHold(rig.imaging, false, rig.heads, rig.link, rig.speed);
    EXPECT_EQ(HeadImageRow(rig.high().store, kHeadH, 0)[10], 99);
    EXPECT_EQ(HeadImageRow(rig.imaging.store, kHeadH, 0)[10], 99);
}

TEST(WindowImages, TheWindowFollowsTheMainImagesZoom) {
    Rig rig(1000);
    FitWindowImage(rig.high(), kHeadH, 1200, rig.imaging.store, rig.inputs());
    EXPECT_EQ(rig.high().image()->width(), 1200);
    // The main view at 200 %: the window keeps its share of the width.
    ASSERT_TRUE(SelectZoomMode(rig.zoom, kZoom200));
    ResizeImages(rig.imaging, rig.palette, rig.zoom, 1000, rig.heads, rig.link, rig.speed);
    ASSERT_TRUE(rig.high().open());
    EXPECT_EQ(rig.high().image()->width(), 4800);
    EXPECT_EQ(rig.high().image()->height(), 4000);
    EXPECT_EQ(WindowScrollX(rig.high(), rig.imaging.store, 1000), 1200);
}

TEST(WindowImages, ClearsAndClosing) {
    Rig rig(2000);
    FitWindowImage(rig.high(), kHeadH, 800, rig.imaging.store, rig.inputs());
    rig.ping(1, 2, 77);
    ClearWindowPixels(rig.imaging.windows);
    EXPECT_EQ(HeadImageRow(rig.high().store, kHeadH, 0)[5], 0);
    EXPECT_EQ(rig.high().store.validRows, 1) << "the rows stay counted for the next rebuild";
    ClearWindowImages(rig.imaging.windows);
    EXPECT_EQ(rig.high().store.validRows, 0);
    CloseWindowImage(rig.high());
    EXPECT_FALSE(rig.high().open());
    rig.ping(1, 2, 3);  // no window: nothing to feed
    FitWindowImage(rig.high(), 7, 800, rig.imaging.store, rig.inputs());
    EXPECT_FALSE(rig.high().open()) << "no such head";
    FitWindowImage(rig.high(), kHeadH, 0, rig.imaging.store, rig.inputs());
    EXPECT_FALSE(rig.high().open()) << "no width";
}

TEST(WindowImages, ImageWidthArithmetic) {
    WaterfallStore main;
    main.imageWidth = 1520;
    main.viewClientWidth = 1517;
    EXPECT_EQ(WindowImageWidth(1900, main), 1904);  // ceil(1520 × 1900 / 1517) = 1904, a multiple of 4
    EXPECT_EQ(WindowImageWidth(0, main), 0);
    EXPECT_EQ(WindowImageWidth(1 << 30, main), kMaxImageWidthPx);
}

}  // namespace
}  // namespace hx
