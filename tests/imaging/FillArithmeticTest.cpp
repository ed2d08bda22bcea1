// The vertical fill between rows: the live line and the rebuild compute a
// fill row with the same arithmetic, so a row drawn live and the same row
// drawn again from the history agree; and playback's wrap mark is neither
// merged into nor blended toward.
#include <gtest/gtest.h>

#include <vector>

#include "ImagingTestSupport.h"
#include "imaging/AppendLine.h"
#include "imaging/LineCount.h"
#include "imaging/Rebuild.h"
#include "imaging/StorePing.h"
#include "imaging/WaterfallStore.h"
#include "imaging/WrapMark.h"

namespace hx {
namespace {

using testing::constantLine;

struct FillCase {
    int n, j;
    std::uint8_t newer, older;
    double gain;
    std::uint8_t expected;
};

class FillRow : public ::testing::TestWithParam<FillCase> {};

// trunc(min(254, g × (((n − j)/n)·newer + (j/n)·older))) in double precision:
// (1/3)·1 + (2/3)·7 is 4.999999999999999 there, so the row is 4, not 5.
TEST_P(FillRow, TakesThePartsOfTheTwoRowsAsTheFormulaSays) {
    const FillCase c = GetParam();
    std::vector<std::uint8_t> out(3, 99);
    const std::vector<std::uint8_t> newer(3, c.newer);
    const std::vector<std::uint8_t> older(3, c.older);
    BlendFillRow(out, newer, older, c.n, c.j, c.gain);
    EXPECT_EQ(out, std::vector<std::uint8_t>(3, c.expected));
}

INSTANTIATE_TEST_SUITE_P(Rows, FillRow,
                         ::testing::Values(FillCase{3, 2, 1, 7, 1.0, 4}, FillCase{3, 1, 7, 1, 1.0, 4},
                                           FillCase{3, 1, 1, 7, 1.0, 2}, FillCase{4, 2, 100, 40, 1.0, 70},
                                           FillCase{2, 1, 254, 254, 2.0, 254}, FillCase{2, 1, 0, 0, 1.0, 0},
                                           FillCase{5, 4, 200, 100, 0.5, 60}, FillCase{2, 1, 100, 200, 0.0, 0}),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

// Speed correction off on a 6000-pixel image (three pixels a sample): every
// ping adds three rows. Live, the fill row two below ping B blends B and A
// as the rebuild's row between them does.
TEST(FillRow, LiveAndRebuiltRowsAgree) {
    ImagingState imaging;
    const LinkFields link = testing::twoHeadLink(kHeadL, kHeadH);
    PaletteState palette;
    palette.colourTables = GenerateColourTables();
    imaging.store.imageWidth = 6000;
    imaging.store.imageHeight = 12;
    imaging.store.imageScale = 3.0;
    AllocateImages(imaging.store, palette, false, kHeadL, kHeadH, 6000, 12);
    ClearScreen(imaging.store, imaging.lines);
    imaging.store.viewReady = imaging.store.imagesReady = 1;
    SpeedSource speed;
    speed.speedCorrectionEnabled = 0;
    HeadTable heads;
    CycleValues cycle = testing::cycleAt(1, 0);
    for (std::uint8_t value : {std::uint8_t{7}, std::uint8_t{1}}) {  // ping A, then ping B
        testing::setEchoLine(heads, kHeadL, constantLine(value));
        StorePing(imaging, cycle, heads, link, speed, PingExtras{});
    }
    ASSERT_FALSE(HeadImageRow(imaging.store, kHeadL, 2).empty());
    const std::uint8_t live = HeadImageRow(imaging.store, kHeadL, 2)[100];  // a copy: the rebuild redraws the row
    EXPECT_EQ(live, 4) << "(1/3)·1 + (2/3)·7 in double precision";

    RebuildImages(imaging.store, imaging.work, imaging.lines, imaging.history, imaging.display, speed, heads, link);
    // Rebuilt newest first: B in rows 0..2, then A's rows 3..5 run from B to A.
    EXPECT_EQ(HeadImageRow(imaging.store, kHeadL, 0)[100], 1);
    EXPECT_EQ(HeadImageRow(imaging.store, kHeadL, 4)[100], live);
    EXPECT_EQ(HeadImageRow(imaging.store, kHeadL, 5)[100], 7);
}

// After playback goes round, the wrap mark row stays whole: the next ping
// takes a row of its own even when it adds none, and its fill does not run
// toward the mark.
TEST(WrapMark, TheNextPingNeitherMergesIntoNorBlendsTowardTheMark) {
    WaterfallStore store;
    LineCountState lines;
    LineWork work;
    PaletteState palette;
    palette.colourTables = GenerateColourTables();
    store.imageWidth = store.imageHeight = 8;
    AllocateImages(store, palette, false, kHeadL, kHeadH, 8, 8);
    ClearScreen(store, lines);
    store.imagesReady = 1;
    DisplaySettings d;
    const RowMeta meta;
    auto append = [&](std::uint8_t v, int n) {
        const LineSamples s = constantLine(v);
        AppendLine(store, work, d, LineInput{s, 50, 120000, true}, LineTarget{kHeadL, false, true}, n, meta, n);
    };
    append(40, 1);
    InsertWrapRow(store);
    EXPECT_EQ(HeadImageRow(store, kHeadL, 0)[0], 255);

    append(80, 0);  // adds no row: still gets one, above the mark
    EXPECT_EQ(HeadImageRow(store, kHeadL, 0)[0], 80);
    EXPECT_EQ(HeadImageRow(store, kHeadL, 1)[0], 255) << "the mark is not merged away";
    EXPECT_EQ(HeadImageRow(store, kHeadL, 2)[0], 40);

    InsertWrapRow(store);
    append(60, 3);
    for (int r = 0; r < 3; ++r) EXPECT_EQ(HeadImageRow(store, kHeadL, r)[0], 60) << "row " << r << ": no ramp to the mark";
    EXPECT_EQ(HeadImageRow(store, kHeadL, 3)[0], 255);

    append(20, 0);  // away from the mark, a ping without rows merges as always
    EXPECT_EQ(HeadImageRow(store, kHeadL, 0)[0], 60);
}

}  // namespace
}  // namespace hx
