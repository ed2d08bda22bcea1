// Cursor range and the status readout from the row data.
#include <gtest/gtest.h>

#include "imaging/DisplaySettings.h"
#include "imaging/ui/PointerReadout.h"

namespace hx {
namespace {

TEST(CursorRange, NadirBySideMode) {
    // Both sides, W = 1000, R = 50: 250 pixels right of the centre is 25 m.
    CursorRange c = ComputeCursorRange(750, 1000, 50, kBothSides);
    EXPECT_TRUE(c.starboard);
    EXPECT_DOUBLE_EQ(c.rangeM, 25.0);
    c = ComputeCursorRange(499, 1000, 50, kBothSides);
    EXPECT_FALSE(c.starboard);
    EXPECT_DOUBLE_EQ(c.rangeM, 0.1);
    EXPECT_TRUE(ComputeCursorRange(500, 1000, 50, kBothSides).starboard);
    // Port only: the nadir is the right edge; 250 pixels left of it is 12.5 m.
    c = ComputeCursorRange(750, 1000, 50, kPortOnly);
    EXPECT_FALSE(c.starboard);
    EXPECT_DOUBLE_EQ(c.rangeM, 12.5);
    // Starboard only: the nadir is the left edge.
    c = ComputeCursorRange(250, 1000, 50, kStarboardOnly);
    EXPECT_TRUE(c.starboard);
    EXPECT_DOUBLE_EQ(c.rangeM, 12.5);
}

TEST(CursorRange, DegenerateInputsGiveZeroNotFaults) {
    EXPECT_DOUBLE_EQ(ComputeCursorRange(10, 0, 50, kBothSides).rangeM, 0.0);
    // Far outside the image with a hostile range: large, finite, no overflow.
    EXPECT_NEAR(ComputeCursorRange(-2000000000LL, 1000, 2000000000, kBothSides).rangeM, 8.000002e15, 1.0e3);
}

TEST(PointerReadout, RowTextsOverTheImageOnly) {
    WaterfallStore store;
    store.imageWidth = store.imageHeight = 100;
    store.rowMeta.resize(100);
    store.frozenRowMeta.assign(100, RowMeta{});
    RowMeta& row = store.rowMeta.at(3);
    row.stamp = MakeRowStamp("12:34:56", ".789");
    row.gps.text = {"lat", "lon", "time", "spd", "crs", "hdg"};
    store.frozenRowMeta[3].stamp = MakeRowStamp("01:02:03", ".000");

    PointerReadout r = ReadPointer(store, kBothSides, 50, false, 75, 3, "08-DEC-2026");
    EXPECT_TRUE(r.inView);
    EXPECT_TRUE(r.inImage);
    EXPECT_TRUE(r.starboard);
    EXPECT_DOUBLE_EQ(r.rangeM, 25.0);
    EXPECT_EQ(r.timeText, "12:34:56");
    EXPECT_EQ(r.dateText, "08-DEC-2026");
    EXPECT_EQ(r.gpsText[5], "hdg");

    r = ReadPointer(store, kBothSides, 50, true, 75, 3, "08-DEC-2026");
    EXPECT_EQ(r.timeText, "01:02:03");  // the frozen rows while on Hold

    r = ReadPointer(store, kBothSides, 50, false, 75, 4, "08-DEC-2026");
    EXPECT_TRUE(r.inImage);
    EXPECT_EQ(r.timeText, "");
    EXPECT_EQ(r.dateText, "");  // no time, no date

    for (auto [x, y] : {std::pair{-1, 3}, {100, 3}, {5, -1}, {5, 100}}) {
        r = ReadPointer(store, kBothSides, 50, false, x, y, "08-DEC-2026");
        EXPECT_TRUE(r.inView);
        EXPECT_FALSE(r.inImage);
        EXPECT_EQ(r.timeText, "");
    }
}

}  // namespace
}  // namespace hx
