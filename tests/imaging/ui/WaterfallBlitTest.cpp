// The blit against a pixel-by-pixel reading of the ring image, at offsets
// that cut every edge and with the ring's newest row in the middle of the
// buffer, so both spans are drawn.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "imaging/ui/WaterfallBlit.h"

namespace hx {
namespace {

std::uint8_t valueAt(int r, int x, int channel = 0) { return static_cast<std::uint8_t>((r * 7 + x * 3 + channel * 50) % 255); }

WaterfallImage ringImage(int w, int h, int bpp, int scrolled) {
    WaterfallImage image(w, h, bpp);
    image.scroll(scrolled);  // the newest row is no longer the buffer's first
    for (int r = 0; r < h; ++r) {
        auto row = image.row(r);
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < bpp; ++c) row[static_cast<std::size_t>(x * bpp + c)] = valueAt(r, x, c);
    }
    return image;
}

ColourLut greyLut() {
    Palette p{};
    for (int i = 0; i < 256; ++i)
        p[static_cast<std::size_t>(i)] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                                          static_cast<std::uint8_t>(i / 2), 0};
    return MakeColourLut(p);
}

class BlitAtOffset : public ::testing::TestWithParam<QPoint> {};

TEST_P(BlitAtOffset, IndexedImageLandsPixelForPixel) {
    const WaterfallImage image = ringImage(64, 48, 1, 17);
    const ColourLut lut = greyLut();
    QImage frame;
    PrepareFrame(frame, QSize(40, 30));
    const QPoint o = GetParam();
    BlitIndexed(frame, image, lut, o.x(), o.y());
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x) {
            const int ix = x - o.x();
            const int iy = y - o.y();
            const bool inside = ix >= 0 && iy >= 0 && ix < image.width() && iy < image.height();
            const QRgb want = inside ? lut[valueAt(iy, ix)] : qRgb(0, 0, 0);
            ASSERT_EQ(frame.pixel(x, y), want) << "at " << x << "," << y;
        }
}

TEST_P(BlitAtOffset, CompositeTakesBlueGreenRedBytes) {
    const WaterfallImage image = ringImage(64, 48, 3, 30);
    QImage frame;
    PrepareFrame(frame, QSize(40, 30));
    const QPoint o = GetParam();
    BlitComposite(frame, image, o.x(), o.y());
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x) {
            const int ix = x - o.x();
            const int iy = y - o.y();
            const bool inside = ix >= 0 && iy >= 0 && ix < image.width() && iy < image.height();
            const QRgb want = inside ? qRgb(valueAt(iy, ix, 2), valueAt(iy, ix, 1), valueAt(iy, ix, 0)) : qRgb(0, 0, 0);
            ASSERT_EQ(frame.pixel(x, y), want) << "at " << x << "," << y;
        }
}

INSTANTIATE_TEST_SUITE_P(Offsets, BlitAtOffset,
                         ::testing::Values(QPoint(0, 0), QPoint(-5, -7), QPoint(3, 4), QPoint(-30, -40),
                                           QPoint(35, 25), QPoint(-64, 0), QPoint(0, 30), QPoint(-2000000000, 5),
                                           QPoint(5, 2000000000)),
                         [](const auto& info) {
                             auto part = [](int v) { return (v < 0 ? "m" : "") + std::to_string(std::abs(v)); };
                             return "x" + part(info.param.x()) + "_y" + part(info.param.y());
                         });

TEST(WaterfallBlit, EmptyImageOrFrameDrawsNothing) {
    QImage frame;
    PrepareFrame(frame, QSize(8, 8));
    BlitIndexed(frame, WaterfallImage{}, greyLut(), 0, 0);
    BlitComposite(frame, WaterfallImage{}, 0, 0);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) EXPECT_EQ(frame.pixel(x, y), qRgb(0, 0, 0));
    QImage none;
    BlitIndexed(none, ringImage(4, 4, 1, 0), greyLut(), 0, 0);  // no crash
    // An image of the wrong depth for the call is not read as the other kind.
    BlitIndexed(frame, ringImage(4, 4, 3, 0), greyLut(), 0, 0);
    EXPECT_EQ(frame.pixel(0, 0), qRgb(0, 0, 0));
}

// Index 255 is the overlays' yellow in every built-in table, and the frame
// shows it: the playback wrap mark (a row of 255) is a yellow line.
TEST(WaterfallBlit, IndexReservedForOverlaysShowsTheOverlayYellow) {
    const auto tables = GenerateColourTables();
    for (int t = 0; t < kColourTableCount; ++t) {
        const ColourLut lut = MakeColourLut(ConvertColourTable(tables[static_cast<std::size_t>(t)]));
        EXPECT_EQ(lut[255], qRgb(255, 255, 0)) << "table " << t;
    }
    Palette p{};
    for (int i = 0; i < 256; ++i) p[static_cast<std::size_t>(i)] = {0, 0, static_cast<std::uint8_t>(i), 0};
    p[255] = {0, 255, 255, 0};
    const ColourLut lut = MakeColourLut(p);
    EXPECT_EQ(lut[254], qRgb(254, 0, 0));
    EXPECT_EQ(lut[0], qRgb(0, 0, 0));

    WaterfallImage image(6, 3, 1);
    std::fill(image.row(1).begin(), image.row(1).end(), std::uint8_t{255});
    QImage frame;
    PrepareFrame(frame, QSize(6, 3));
    BlitIndexed(frame, image, lut, 0, 0);
    for (int x = 0; x < 6; ++x) EXPECT_EQ(frame.pixel(x, 1), qRgb(255, 255, 0));
}

TEST(WaterfallBlit, FrameIsReusedAndClearedToBlack) {
    QImage frame;
    PrepareFrame(frame, QSize(10, 6));
    frame.fill(qRgb(9, 9, 9));
    const uchar* before = frame.constBits();
    PrepareFrame(frame, QSize(10, 6));
    EXPECT_EQ(frame.constBits(), before);
    EXPECT_EQ(frame.pixel(9, 5), qRgb(0, 0, 0));
    PrepareFrame(frame, QSize(12, 7));
    EXPECT_EQ(frame.size(), QSize(12, 7));
    EXPECT_EQ(frame.format(), QImage::Format_RGB32);
}

}  // namespace
}  // namespace hx
