// The palette editor's curves: the ramp after a reset, snapping, dragging
// points, curves that follow a table, and the curves and palette through the
// palette file and back.
#include <gtest/gtest.h>

#include "imaging/PaletteCurves.h"
#include "imaging/PaletteFile.h"

namespace hx {
namespace {

constexpr int x0 = kCurveX0;
constexpr int y0 = kCurveY0;

TEST(PaletteCurves, AResetChannelIsTheRampAndTheOthersStay) {
    PaletteCurves c;
    for (int ch = 0; ch < kCurveChannels; ++ch) {
        SCOPED_TRACE(ch);
        c.reset(ch);
        for (int i = 0; i < kPaletteEntries; ++i)
            ASSERT_EQ(ChannelValue(c.palette()[static_cast<std::size_t>(i)], ch), i) << "entry " << i;
        for (int other = ch + 1; other < kCurveChannels; ++other)
            EXPECT_EQ(ChannelValue(c.palette()[0], other), 255) << "not drawn yet: still 255 − i";
        ASSERT_EQ(c.points(ch).size(), 2u);
    }
}

TEST(PaletteCurves, SnappingToTheGrid) {
    const std::pair<int, int> cases[] = {
        {x0 + 40, x0 + 32}, {x0 + 48, x0 + 64}, {x0 + 16, x0 + 32}, {x0 + 15, x0},
        {x0 - 30, x0},      {x0 + 600, x0 + 512}, {x0 + 496, x0 + 512}, {x0 + 495, x0 + 480},
    };
    for (auto [in, out] : cases) EXPECT_EQ(SnapCurveX(in), out) << in - x0;
}

TEST(PaletteCurves, DraggingAPointChangesTheSelectedChannelOnly) {
    PaletteCurves c;
    for (int ch = 0; ch < kCurveChannels; ++ch) c.reset(ch);
    c.select(kGreenCurve);
    // A click in the graph adds a point at the snapped column: green 0 at index 128.
    c.release(x0 + 250, y0 + 256);
    ASSERT_EQ(c.points(kGreenCurve).size(), 3u);
    EXPECT_EQ(c.points(kGreenCurve)[1], (CurvePoint{x0 + 256, y0 + 256}));
    EXPECT_EQ(c.palette()[128].green, 0);
    EXPECT_EQ(c.palette()[192].green, 128) << "halfway from 0 at 128 to 255 at 255";
    EXPECT_EQ(c.palette()[128].red, 128) << "red keeps its ramp";

    // Grab it (within 31 across and 3 along) and pull it up to full brightness.
    ASSERT_TRUE(c.press(x0 + 256 + 20, y0 + 256 - 2));
    c.move(x0 + 256, y0 + 40);
    EXPECT_EQ(c.palette()[128].green, 216) << "the palette follows the drag";
    c.release(x0 + 261, y0);
    EXPECT_FALSE(c.dragging());
    EXPECT_EQ(c.points(kGreenCurve)[1], (CurvePoint{x0 + 256, y0}));
    EXPECT_EQ(c.palette()[128].green, 255);
    EXPECT_EQ(c.palette()[64].green, 128);

    // An end point moves only up and down.
    ASSERT_TRUE(c.press(x0 + 5, y0 + 256));
    c.release(x0 + 200, y0 + 156);
    EXPECT_EQ(c.points(kGreenCurve).front(), (CurvePoint{x0, y0 + 156}));
    EXPECT_EQ(c.palette()[0].green, 100);
    // A point put down on another's column takes its place.
    ASSERT_TRUE(c.press(x0 + 256, y0));
    c.release(x0 + 510, y0 + 128);
    EXPECT_EQ(c.points(kGreenCurve).size(), 2u);
    EXPECT_EQ(c.points(kGreenCurve).back(), (CurvePoint{x0 + 512, y0 + 128}));
    // Nothing near: no grab.
    EXPECT_FALSE(c.press(x0 + 256, y0 + 10));
}

TEST(PaletteCurves, CurvesFollowATableAndTheTableIsKept) {
    PaletteState doc;
    doc.colourTables = GenerateColourTables();
    const Palette table = ConvertColourTable(doc.colourTables[kNormalHigh]);
    PaletteCurves c;
    c.followTable(table);
    EXPECT_EQ(c.palette(), table) << "taking the table changes no colour";
    for (int ch = 0; ch < kCurveChannels; ++ch) {
        ASSERT_EQ(c.points(ch).size(), 17u);
        for (const CurvePoint& p : c.points(ch)) {
            const int index = CurveIndexAt(p.x);
            EXPECT_EQ(CurveValueAt(p.y), ChannelValue(table[static_cast<std::size_t>(index)], ch));
        }
    }
}

TEST(PaletteCurves, ThroughThePaletteFileAndBack) {
    PaletteCurves c;
    for (int ch = 0; ch < kCurveChannels; ++ch) c.reset(ch);
    c.select(kBlueCurve);
    c.release(x0 + 96, y0 + 30);
    c.release(x0 + 384, y0 + 200);
    PaletteState doc;
    c.publish(doc);
    EXPECT_EQ(doc.curvePointCount, (std::array<std::int32_t, 3>{2, 2, 4}));
    EXPECT_EQ(doc.customPalette, c.palette());

    PaletteState loaded;
    DecodePaletteFile(EncodePaletteFile(doc), loaded);
    PaletteCurves again;
    again.takeFromDocument(loaded);
    EXPECT_EQ(again.palette(), c.palette());
    for (int ch = 0; ch < kCurveChannels; ++ch) EXPECT_EQ(again.points(ch), c.points(ch)) << ch;
}

TEST(PaletteCurves, StrayFileCurvesAreBroughtIntoTheGraph) {
    PaletteState doc;
    doc.colourTables = GenerateColourTables();
    doc.customPalette = ConvertColourTable(doc.colourTables[kGrey]);
    doc.curvePointCount = {5, 1, 0};
    // Unsorted, outside the graph, two on one column.
    doc.curvePoints[0][0] = {900, 900};
    doc.curvePoints[0][1] = {x0 + 64, y0 + 10};
    doc.curvePoints[0][2] = {0, 0};
    doc.curvePoints[0][3] = {x0 + 64, y0 + 20};
    doc.curvePoints[0][4] = {x0 + 300, y0 + 100};
    PaletteCurves c;
    c.takeFromDocument(doc);
    const auto& red = c.points(kRedCurve);
    ASSERT_EQ(red.size(), 4u);
    EXPECT_EQ(red[0], (CurvePoint{x0, y0}));
    EXPECT_EQ(red[1], (CurvePoint{x0 + 64, y0 + 20}));
    EXPECT_EQ(red[3], (CurvePoint{x0 + 512, y0 + 256}));
    // Channels without a usable curve follow the file's palette.
    EXPECT_EQ(c.points(kGreenCurve).size(), 17u);
    EXPECT_EQ(c.palette(), doc.customPalette);
}

}  // namespace
}  // namespace hx
