// Appending lines to the ring-of-rows waterfall store: exact row values, the
// composite, the row metadata, and the same picture as moving whole images.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

#include "ImagingTestSupport.h"
#include "LiteralWaterfall.h"
#include "imaging/AppendLine.h"
#include "imaging/ColourTables.h"
#include "imaging/LineCount.h"
#include "imaging/WaterfallStore.h"

namespace hx {
namespace {

using testing::constantLine;
using testing::LiteralAppendLine;
using testing::LiteralImageSet;

struct Store {
    WaterfallStore store;
    LineCountState lines;
    LineWork work;
    PaletteState palette;

    Store(bool three, int width, int headA = kHeadL, int headB = kHeadH) {
        palette.colourTables = GenerateColourTables();
        store.imageWidth = store.imageHeight = width;
        AllocateImages(store, palette, three, headA, headB, width, width);
        ClearScreen(store, lines);
    }
};

RowMeta pingMeta(int ping) {
    RowMeta m;
    m.pingNumber = ping;
    m.stamp = MakeRowStamp("10:20:" + std::to_string(10 + ping % 50), ".123");
    m.gps.text[kGpsLatText] = "lat " + std::to_string(ping);
    m.gps.altitudeM = ping * 0.5;
    return m;
}

void append(Store& s, const DisplaySettings& d, const LineSamples& samples, int head, bool three, bool primary, int n,
            int ping = 1, std::int32_t speedLineCount = 0, std::int32_t rangeM = 50,
            std::int32_t frequencyHz = 120000) {
    AppendLine(s.store, s.work, d, LineInput{samples, rangeM, frequencyHz, true}, LineTarget{head, three, primary}, n,
               pingMeta(ping), speedLineCount);
}

std::vector<int> rowOf(const WaterfallStore& store, int head, int row) {
    const auto r = HeadImageRow(store, head, row);
    return {r.begin(), r.end()};
}

TEST(AppendLine, VerticalFillBlendsTowardTheFormerNewestRow) {
    // Width 8, both sides: 250 samples per column; a constant line gives
    // seven equal columns and a last column of 0.
    Store s(false, 8);
    DisplaySettings d;
    append(s, d, constantLine(20), kHeadL, false, true, 1);
    append(s, d, constantLine(100), kHeadL, false, true, 4);
    EXPECT_EQ(rowOf(s.store, kHeadL, 0), (std::vector<int>{100, 100, 100, 100, 100, 100, 100, 0}));
    EXPECT_EQ(rowOf(s.store, kHeadL, 1)[0], 92);  // 0.75 × 100 + 0.25 × 70
    EXPECT_EQ(rowOf(s.store, kHeadL, 2)[0], 70);  // 0.5 × 100 + 0.5 × 40
    EXPECT_EQ(rowOf(s.store, kHeadL, 3)[0], 40);  // 0.25 × 100 + 0.75 × 20
    EXPECT_EQ(rowOf(s.store, kHeadL, 4)[0], 20);  // the former newest row
    EXPECT_EQ(rowOf(s.store, kHeadL, 5)[0], 0);
    EXPECT_EQ(s.store.validRows, 5);
    EXPECT_EQ(s.store.totalRows, 5);
}

TEST(AppendLine, PingWithoutRowsMergesIntoTheNewestRowByMaximum) {
    Store s(false, 8);
    DisplaySettings d;
    LineSamples a = constantLine(50);
    LineSamples b = constantLine(10);
    std::fill(b.begin(), b.begin() + 250, std::uint8_t{90});  // column 0 only
    append(s, d, constantLine(30), kHeadL, false, true, 1);
    append(s, d, a, kHeadL, false, true, 1);
    append(s, d, b, kHeadL, false, true, 0, 7);
    EXPECT_EQ(rowOf(s.store, kHeadL, 0), (std::vector<int>{90, 50, 50, 50, 50, 50, 50, 0}));
    EXPECT_EQ(rowOf(s.store, kHeadL, 1)[0], 30);
    EXPECT_EQ(s.store.totalRows, 2);
    EXPECT_EQ(s.store.rowMeta.at(0).pingNumber, 7) << "the merged row carries the newest ping";

    // With a gain the merge compares gain-scaled lines; the row is not scaled again.
    Store g(false, 8);
    d.displayGain[kHeadL] = 0.5;
    append(g, d, constantLine(200), kHeadL, false, true, 1);
    append(g, d, constantLine(100), kHeadL, false, true, 0);
    append(g, d, constantLine(100), kHeadL, false, true, 0);
    EXPECT_EQ(rowOf(g.store, kHeadL, 0)[0], 100);
}

TEST(AppendLine, GainNeverReachesTheOverlayIndex) {
    Store s(false, 8);
    DisplaySettings d;
    d.displayGain[kHeadL] = 1.5;
    append(s, d, constantLine(200), kHeadL, false, true, 1);
    EXPECT_EQ(rowOf(s.store, kHeadL, 0)[0], 254);
    d.displayGain[kHeadL] = 0.5;
    append(s, d, constantLine(201), kHeadL, false, true, 1);
    EXPECT_EQ(rowOf(s.store, kHeadL, 0)[0], 100);
    d.displayGain[kHeadL] = 2.0;
    append(s, d, constantLine(255), kHeadL, false, true, 3);
    for (int r = 0; r < 8; ++r)
        for (int v : rowOf(s.store, kHeadL, r)) EXPECT_LE(v, 254);
}

TEST(AppendLine, CompositeTakesEachHeadsSineByte) {
    // Gain 1.0: head M's pixel 128 gives the green byte trunc(255 × sin(128 × π/512)) = 180.
    Store s(true, 8);
    DisplaySettings d;
    append(s, d, constantLine(0), kHeadL, true, true, 1);
    append(s, d, constantLine(128), kHeadM, true, false, 1);
    append(s, d, constantLine(254), kHeadH, true, false, 1);
    const auto px = CompositeRow(s.store, 0);
    ASSERT_EQ(px.size(), 24u);
    EXPECT_EQ(px[0], 254) << "blue from H: 255 × sin(254 × π/512) = 254.97";
    EXPECT_EQ(px[1], 180) << "green from M";
    EXPECT_EQ(px[2], 0) << "red from L";
}

TEST(AppendLine, PrimaryRowsCarryThePingAndTheLowByteOfTheLineCount) {
    Store s(false, 16);
    DisplaySettings d;
    append(s, d, constantLine(10), kHeadL, false, true, 2, 41, 300);
    append(s, d, constantLine(10), kHeadH, false, false, 2, 41, 300);
    const RowMeta& m = s.store.rowMeta.at(1);
    EXPECT_EQ(m.pingNumber, 41);
    EXPECT_EQ(m.lineCount, 44);  // 300 & 0xFF
    EXPECT_EQ(StampTimeText(m.stamp), "10:20:51");
    EXPECT_EQ(std::string(m.stamp.data() + 8, 3), "123");
    EXPECT_EQ(m.gps.text[kGpsLatText], "lat 41");
    EXPECT_EQ(s.store.totalRows, 2) << "only the primary head counts rows";
}

// The ring store against whole-image moves: random pings, row counts from 0
// to beyond the image height, both image sets, changing gains and modes.
TEST(WaterfallStore, RingGivesTheSameRowsAsMovingTheWholeImage) {
    std::mt19937 rng(20240611);
    for (int trial = 0; trial < 24; ++trial) {
        const bool three = trial % 2 == 0;
        const int width = std::uniform_int_distribution<int>(3, 40)(rng);
        const int headA = three ? kHeadL : (trial % 4 == 1 ? kHeadM : kHeadL);
        const int headB = three ? kHeadH : kHeadH;
        Store s(three, width, headA, headB);
        LiteralImageSet ref(width, width, three, headA, headB);
        DisplaySettings d;
        auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };

        for (int ping = 1; ping <= 160; ++ping) {
            if (ping % 37 == 1) {
                d.sideDisplayMode = pick(1, 3);
                for (auto& g : d.displayGain) g = pick(0, 200) / 100.0;
                d.interpolationFactor =
                    std::array<double, 5>{1.0, 2.0, 3.0, 4.0, 0.5}[static_cast<std::size_t>(pick(0, 4))];
            }
            const int roll = pick(0, 19);
            const int n = roll < 4    ? 0
                          : roll < 17 ? pick(1, 5)
                          : roll < 19 ? pick(width - 2, width + 3)
                                      : pick(8000, 20000);
            const std::int32_t speedLineCount = pick(0, 600);
            const std::int32_t range = pick(0, 1) ? 50 : 150;
            const RowMeta meta = pingMeta(ping);
            const std::vector<int> heads = three ? std::vector<int>{0, 1, 2} : std::vector<int>{headA, headB};
            for (int h : heads) {
                const LineSamples samples = testing::randomLine(rng);
                const LineInput input{samples, range, pick(0, 1) ? 540000 : 260000, pick(0, 9) != 0};
                const LineTarget target{h, three, h == heads.front()};
                AppendLine(s.store, s.work, d, input, target, n, meta, speedLineCount);
                LiteralAppendLine(ref, d, input, target, n, meta, speedLineCount);
            }
            if (ping % 53 == 0) {
                ClearImagePixels(s.store);
                for (auto& image : ref.head) std::fill(image.begin(), image.end(), std::uint8_t{0});
                std::fill(ref.composite.begin(), ref.composite.end(), std::uint8_t{0});
            }

            for (int h : heads) {
                for (int r = 0; r < width; ++r) {
                    const auto got = HeadImageRow(s.store, h, r);
                    ASSERT_TRUE(std::equal(got.begin(), got.end(), ref.row(h, r), ref.row(h, r) + width))
                        << "trial " << trial << " ping " << ping << " head " << h << " row " << r;
                }
            }
            for (int r = 0; r < width; ++r) {
                if (three) {
                    const auto got = CompositeRow(s.store, r);
                    ASSERT_TRUE(
                        std::equal(got.begin(), got.end(), ref.compositeRow(r), ref.compositeRow(r) + 3 * width))
                        << "composite, trial " << trial << " ping " << ping << " row " << r;
                }
                const RowMeta& a = s.store.rowMeta.at(r);
                const RowMeta& b = ref.meta[static_cast<std::size_t>(r)];
                ASSERT_EQ(a.pingNumber, b.pingNumber) << "trial " << trial << " ping " << ping << " row " << r;
                ASSERT_EQ(a.lineCount, b.lineCount);
                ASSERT_EQ(a.stamp, b.stamp);
                ASSERT_EQ(a.gps.text, b.gps.text);
            }
            ASSERT_EQ(s.store.validRows, ref.validRows);
            ASSERT_EQ(s.store.totalRows, ref.totalRows);
        }
    }
}

TEST(WaterfallStore, NoPixelEverReachesTheOverlayIndex) {
    std::mt19937 rng(99);
    Store s(true, 64);
    DisplaySettings d;
    d.displayGain = {2.0, 1.37, 1.0};
    d.interpolationFactor = 2.0;
    for (int ping = 0; ping < 200; ++ping) {
        const int n = ping % 7;
        for (int h = 0; h < 3; ++h) append(s, d, testing::randomLine(rng), h, true, h == 0, n, ping);
    }
    for (int r = 0; r < 64; ++r) {
        for (int h = 0; h < 3; ++h) {
            const auto row = HeadImageRow(s.store, h, r);
            EXPECT_LE(*std::max_element(row.begin(), row.end()), 254);
        }
        const auto c = CompositeRow(s.store, r);
        EXPECT_LE(*std::max_element(c.begin(), c.end()), 254);
    }
}

TEST(WaterfallStore, TwoBlocksHoldTheRowsInOrder) {
    Store s(false, 10);
    DisplaySettings d;
    for (int ping = 1; ping <= 13; ++ping)
        append(s, d, constantLine(static_cast<std::uint8_t>(ping * 10)), kHeadL, false, true, ping % 3 + 1);
    const RowBlocks b = HeadImageFor(s.store, kHeadL)->blocks();
    EXPECT_EQ(b.upper.rows + b.lower.rows, 10);
    EXPECT_EQ(b.lower.firstRow, b.upper.rows);
    for (int r = 0; r < 10; ++r) {
        const RowBlock& block = r < b.upper.rows ? b.upper : b.lower;
        const std::uint8_t* p = block.data + static_cast<std::size_t>(r - block.firstRow) * b.rowBytes;
        const auto row = HeadImageRow(s.store, kHeadL, r);
        EXPECT_TRUE(std::equal(row.begin(), row.end(), p)) << r;
    }
}

TEST(WaterfallStore, AllocationMakesTheImageSetOfTheOperation) {
    PaletteState palette;
    palette.colourTables = GenerateColourTables();
    palette.colourTableIndex = kGrey;
    palette.useCustomPalette = 1;
    palette.customPalette[5] = {1, 2, 3, 0};
    WaterfallStore store;
    store.imageScale = 0.502;
    AllocateImages(store, palette, false, kHeadM, kHeadH, 1004, 1004);
    EXPECT_EQ(HeadImageFor(store, kHeadL), nullptr);
    ASSERT_NE(HeadImageFor(store, kHeadM), nullptr);
    EXPECT_EQ(HeadImageFor(store, kHeadM)->width(), 1004);
    EXPECT_EQ(HeadImageFor(store, kHeadH)->height(), 1004);
    EXPECT_TRUE(store.compositeImage.empty());
    EXPECT_EQ(store.headImageWidth[kHeadM], 1004);
    EXPECT_EQ(store.headImageScale[kHeadH], 0.502);
    EXPECT_EQ(store.headImageWidth[kHeadL], 2000) << "heads without an image keep their geometry";
    EXPECT_EQ(store.imagePaletteHeader.width, 1004);
    EXPECT_EQ(store.imagePaletteHeader.height, -1004);
    EXPECT_EQ(store.imagePaletteHeader.bitCount, 8);
    EXPECT_EQ(palette.customPalette[5], (PaletteEntry{1, 2, 3, 0})) << "the custom palette in use is kept";
    EXPECT_EQ(palette.currentTablePalette[200], (PaletteEntry{200, 200, 200, 0}));

    AllocateImages(store, palette, true, kHeadM, kHeadH, 40, 40);
    for (int h = 0; h < 3; ++h) ASSERT_NE(HeadImageFor(store, h), nullptr);
    EXPECT_EQ(store.compositeImage.width(), 40);
    EXPECT_EQ(store.compositeImage.rowBytes(), 120u);
    EXPECT_TRUE(store.headImage[kHeadM].empty()) << "the two-head set is freed";
    EXPECT_TRUE(HeadImageRow(store, 3, 0).empty());
    EXPECT_TRUE(HeadImageRow(store, 0, 40).empty());
}

TEST(WaterfallStore, ClearScreenAndTheClearScreenCommand) {
    Store s(true, 8);
    DisplaySettings d;
    for (int ping = 1; ping <= 3; ++ping)
        for (int h = 0; h < 3; ++h) append(s, d, constantLine(99), h, true, h == 0, 2, ping, 2);
    s.lines.speedCarry = {0.5, 0.25, 0.125};

    // "&Clear Screen": black pixels, rows and counters kept for the next rebuild.
    ClearImagePixels(s.store);
    EXPECT_EQ(rowOf(s.store, kHeadM, 0)[0], 0);
    EXPECT_EQ(CompositeRow(s.store, 1)[1], 0);
    EXPECT_EQ(s.store.rowMeta.at(0).pingNumber, 3);
    EXPECT_EQ(s.store.totalRows, 6);

    FreezeRowMeta(s.store);
    ClearScreen(s.store, s.lines);
    EXPECT_EQ(s.store.rowMeta.at(0).pingNumber, 0);
    EXPECT_EQ(s.store.rowMeta.at(0).lineCount, 1);
    EXPECT_EQ(s.store.frozenRowMeta[0].lineCount, 1);
    EXPECT_EQ(s.store.frozenRowMeta[0].stamp, RowStamp{});
    EXPECT_EQ(s.store.totalRows, 0);
    EXPECT_EQ(s.store.validRows, 0);
    EXPECT_EQ(s.store.frozenTotalRows, 0);
    EXPECT_EQ(s.lines.speedCarry[1], 0.0);
}

TEST(WaterfallStore, HoldShowsTheFrozenRows) {
    Store s(false, 8);
    DisplaySettings d;
    append(s, d, constantLine(10), kHeadL, false, true, 1, 5);
    FreezeRowMeta(s.store);
    append(s, d, constantLine(10), kHeadL, false, true, 1, 6);
    EXPECT_EQ(DisplayedRowMeta(s.store, 0, true)->pingNumber, 5);
    EXPECT_EQ(DisplayedRowMeta(s.store, 0, false)->pingNumber, 6);
    EXPECT_EQ(s.store.frozenTotalRows, 1);
    EXPECT_EQ(DisplayedRowMeta(s.store, 8, true), nullptr);
    EXPECT_EQ(DisplayedRowMeta(s.store, -1, false), nullptr);
}

}  // namespace
}  // namespace hx
