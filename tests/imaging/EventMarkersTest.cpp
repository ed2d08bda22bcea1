// Where event markers fall: the row the event's ping drew, at its position
// for the side display mode, live or frozen.
#include <gtest/gtest.h>

#include "imaging/DisplaySettings.h"
#include "imaging/EventMarkers.h"

namespace hx {
namespace {

// Rows 0..n−1 drawn by pings, newest first, `rowsPerPing` rows each.
WaterfallStore storeWithPings(int firstPing, int pings, int rowsPerPing, int height) {
    WaterfallStore store;
    store.imageWidth = store.imageHeight = 1000;
    store.rowMeta.resize(height);
    int r = 0;
    for (int p = firstPing + pings - 1; p >= firstPing && r < height; --p)
        for (int k = 0; k < rowsPerPing && r < height; ++k, ++r) {
            store.rowMeta.at(r).pingNumber = p;
            store.rowMeta.at(r).stamp = MakeRowStamp("12:00:00", ".000");
        }
    return store;
}

TEST(EventMarkers, ColumnsForTheSideModes) {
    struct Case {
        double position;
        std::int32_t mode;
        std::optional<std::int64_t> x;
    } cases[] = {
        {0.25, kBothSides, 250},  {0.25, kPortOnly, 500},      {0.75, kPortOnly, std::nullopt},
        {0.75, kStarboardOnly, 500}, {0.25, kStarboardOnly, std::nullopt}, {1.5, kBothSides, 1000},
    };
    for (const Case& c : cases) EXPECT_EQ(MarkerColumn(c.position, 1000, c.mode), c.x) << c.position << " " << c.mode;
    // A click maps back to the same place.
    for (std::int32_t mode : {kBothSides, kPortOnly, kStarboardOnly})
        for (std::int64_t x : {0, 120, 499, 800, 1000})
            EXPECT_EQ(MarkerColumn(MarkerPositionAt(x, 1000, mode), 1000, mode), x) << mode << " " << x;
    EXPECT_DOUBLE_EQ(MarkerPositionAt(500, 1000, kPortOnly), 0.25);
    EXPECT_DOUBLE_EQ(MarkerPositionAt(500, 1000, kStarboardOnly), 0.75);
}

TEST(EventMarkers, OnTheNewestRowOfTheirPing) {
    WaterfallStore store = storeWithPings(1, 100, 3, 200);  // ping 100 on rows 0..2, ping 34 on rows 198..199
    const std::vector<EventMarkerRequest> events = {{0, 90, 0.5}, {1, 90, 0.1}, {2, 40, 0.9}, {3, 5, 0.2}};
    const auto places = PlaceEventMarkers(store, false, kBothSides, events);
    ASSERT_EQ(places.size(), 3u) << "ping 5 has left the image";
    EXPECT_EQ(places[0].number, 0);
    EXPECT_EQ(places[0].row, 30);
    EXPECT_EQ(places[0].imageX, 500);
    EXPECT_EQ(places[1].number, 1);
    EXPECT_EQ(places[1].row, 30);
    EXPECT_EQ(places[2].row, 180);
    EXPECT_EQ(places[2].imageX, 900);

    // On Hold the frozen rows decide; an empty row holds no ping.
    FreezeRowMeta(store);
    store.rowMeta.clear();
    EXPECT_TRUE(PlaceEventMarkers(store, false, kBothSides, events).empty());
    EXPECT_EQ(PlaceEventMarkers(store, true, kBothSides, events).size(), 3u);
    // Port only shows only the port half (the centre is its right edge).
    EXPECT_EQ(PlaceEventMarkers(store, true, kPortOnly, events).size(), 2u);
}

TEST(EventMarkers, APingShownTwiceGetsTwoMarkers) {
    WaterfallStore store = storeWithPings(1, 10, 2, 40);  // rows 0..19
    for (int r = 20; r < 40; ++r) store.rowMeta.at(r) = store.rowMeta.at(r - 20);  // played round again
    const std::vector<EventMarkerRequest> events = {{7, 4, 0.5}};
    const auto places = PlaceEventMarkers(store, false, kBothSides, events);
    ASSERT_EQ(places.size(), 2u);
    EXPECT_EQ(places[0].row, 12);
    EXPECT_EQ(places[1].row, 32);
}

}  // namespace
}  // namespace hx
