// The track plotter window's arithmetic: zoom ladder, grid text, re-centring,
// panning, restore and erase.
#include <gtest/gtest.h>

#include <vector>

#include "nav/TrackView.h"

namespace hx {
namespace {

TEST(TrackView, ZoomLadderUpAndDown) {
    std::vector<double> up{0.05};
    for (int i = 0; i < 6; ++i) up.push_back(zoomIn(up.back()));
    EXPECT_EQ(up, (std::vector<double>{0.05, 0.1, 0.25, 0.5, 1.0, 2.5, 2.5}));
    std::vector<double> down{2.5};
    for (int i = 0; i < 6; ++i) down.push_back(zoomOut(down.back()));
    EXPECT_EQ(down, (std::vector<double>{2.5, 1.0, 0.5, 0.25, 0.1, 0.05, 0.05}));
    // Off-ladder values from a settings file.
    EXPECT_DOUBLE_EQ(zoomIn(1.5), 1.5);
    EXPECT_DOUBLE_EQ(zoomIn(4.0), 2.5);
    EXPECT_DOUBLE_EQ(zoomOut(1.5), 1.5);
    EXPECT_DOUBLE_EQ(zoomOut(7.0), 2.5);
    EXPECT_DOUBLE_EQ(zoomOut(0.04), 0.04);
}

TEST(TrackView, ZoomSettingIsThousandths) {
    EXPECT_DOUBLE_EQ(zoomFromSetting(1000), 1.0);
    EXPECT_DOUBLE_EQ(zoomFromSetting(50), 0.05);
    EXPECT_DOUBLE_EQ(zoomFromSetting(2500), 2.5);
    EXPECT_DOUBLE_EQ(zoomFromSetting(0), 1.0);
    EXPECT_DOUBLE_EQ(zoomFromSetting(-400), 1.0);
    EXPECT_DOUBLE_EQ(zoomFromSetting(1000000000LL), 10.0);
    EXPECT_DOUBLE_EQ(zoomFromSetting(1), 0.01);
    EXPECT_EQ(zoomToSetting(0.25), 250);
    EXPECT_EQ(zoomToSetting(zoomFromSetting(100)), 100);
}

TEST(TrackView, GridAndScaleText) {
    EXPECT_EQ(gridSpacingPx(false), 50);
    EXPECT_EQ(gridSpacingPx(true), 46);
    EXPECT_EQ(gridScaleText(1.0, false), "50m/DIV");
    EXPECT_EQ(gridScaleText(1.0, true), "150ft/DIV");
    EXPECT_EQ(gridScaleText(0.05, false), "1000m/DIV");
    EXPECT_EQ(gridScaleText(2.5, false), "20m/DIV");
    EXPECT_EQ(gridScaleText(2.5, true), "60ft/DIV");
    EXPECT_EQ(gridScaleText(0.05, true), "3000ft/DIV");
    EXPECT_EQ(gridScaleText(0.0, false), "50m/DIV");
}

TEST(TrackView, MarkNearAnEdgeRecentresAndDropsThePan) {
    TrackViewState v;
    resizeTrackView(v, 400, 300);
    EXPECT_EQ(v.originX, 200);
    EXPECT_EQ(v.originY, 150);
    // 100 m east at 1 px/m: well inside.
    EXPECT_FALSE(placeTrackMark(v, 100.0, 0.0, 1.0, 400, 300));
    EXPECT_EQ(v.originX, 200);
    // Panned 95 px to the left.
    pressTrackView(v, 0, 0);
    moveTrackView(v, -95, 0);
    releaseTrackView(v);
    EXPECT_EQ(v.panX, 95);
    EXPECT_FALSE(placeTrackMark(v, 280.0, 0.0, 1.0, 400, 300));  // drawn at 385
    EXPECT_TRUE(placeTrackMark(v, 290.0, 0.0, 1.0, 400, 300));   // at 395: 5 px from the edge
    EXPECT_EQ(v.originX, 200 - 290);
    EXPECT_EQ(v.originY, 150);
    EXPECT_EQ(v.panX, 0);
    EXPECT_EQ(v.savedPanX, 0);
    // Off the area altogether (north of it).
    EXPECT_TRUE(placeTrackMark(v, 0.0, -500.0, 1.0, 400, 300));
    EXPECT_EQ(v.originY, 150 + 500);
}

TEST(TrackView, DragPansFromWhereTheLastDragEnded) {
    TrackViewState v;
    EXPECT_FALSE(moveTrackView(v, 10, 10));  // no button held
    pressTrackView(v, 100, 100);
    EXPECT_TRUE(moveTrackView(v, 90, 80));
    EXPECT_EQ(v.panX, 10);
    EXPECT_EQ(v.panY, 20);
    releaseTrackView(v);
    pressTrackView(v, 50, 50);
    moveTrackView(v, 40, 50);
    EXPECT_EQ(v.panX, 20);
    EXPECT_EQ(v.panY, 20);
    releaseTrackView(v);
    EXPECT_EQ(v.savedPanX, 20);
    EXPECT_EQ(trackScreenOffsetX(v), v.originX - 20);
}

TEST(TrackView, RestoreAndErase) {
    TrackViewState v;
    resizeTrackView(v, 400, 300);
    placeTrackMark(v, 40.0, 30.0, 2.5, 400, 300);
    double zoom = 2.5;
    restoreTrackView(v, zoom, 400, 300);
    EXPECT_DOUBLE_EQ(zoom, 1.0);
    EXPECT_EQ(v.originX, 200 - 40);
    EXPECT_EQ(v.originY, 150 - 30);
    pressTrackView(v, 1, 1);
    eraseTrackView(v, 400, 300);
    EXPECT_EQ(v.originX, 200);
    EXPECT_FALSE(v.dragging);
    EXPECT_EQ(v.pressX, 0);
}

TEST(TrackView, VisibleRectInTrackMetres) {
    TrackViewState v;
    resizeTrackView(v, 400, 300);
    const TrackRect r = visibleTrackRect(v, 0.5, 400, 300);
    EXPECT_DOUBLE_EQ(r.left, -400.0);
    EXPECT_DOUBLE_EQ(r.right, 400.0);
    EXPECT_DOUBLE_EQ(r.top, -300.0);
    EXPECT_DOUBLE_EQ(r.bottom, 300.0);
}

}  // namespace
}  // namespace hx
