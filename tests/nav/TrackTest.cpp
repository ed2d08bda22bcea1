// The track: points, pieces and jumps from projected fixes, and the compact
// path that holds a long day of them.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "nav/TrackPlotter.h"
#include "nav/UtmProjection.h"

namespace hx {
namespace {

// Positions east of a start point by a number of metres, on one parallel in
// zone 32 (close enough to straight for these distances).
struct East {
    double lat = 54.0;
    double lon0 = 9.0;
    double lonFor(double metresEast) const {
        const double metresPerDeg = 111412.84 * std::cos(lat * M_PI / 180) - 93.5 * std::cos(3 * lat * M_PI / 180);
        return lon0 + metresEast / metresPerDeg;
    }
};

std::vector<std::vector<TrackVertex>> polylines(const TrackPath& path, int level = 0) {
    std::vector<std::vector<TrackVertex>> out;
    path.forEachPolyline(level, [&](std::span<const TrackVertex> v) { out.emplace_back(v.begin(), v.end()); });
    return out;
}

TEST(TrackPlotter, FirstFixSetsTheOriginAndDrawsNothing) {
    TrackState t;
    AddTrackPoint(t, 54.0, 9.0);
    EXPECT_EQ(t.trackFirstFix, 0);
    const UtmPoint p = LatLonToUtm(54.0, 9.0);
    EXPECT_DOUBLE_EQ(t.trackOriginEasting, p.eastingM);
    EXPECT_DOUBLE_EQ(t.trackOriginNorthing, p.northingM);
    EXPECT_TRUE(t.trackPath.empty());
    EXPECT_TRUE(hasTrackReference(t));
}

TEST(TrackPlotter, AFixProjectingToZeroIsIgnoredUntilTheFirstRealOne) {
    TrackState t;
    // No position yet: (0, 0) latitude/longitude projects to a northing of 0.
    AddTrackPoint(t, 0.0, 0.0);
    EXPECT_EQ(t.trackFirstFix, 1);
    EXPECT_FALSE(hasTrackReference(t));
}

TEST(TrackPlotter, ThirtyMetresJoinSixtyMetresStartANewPiece) {
    const East e;
    TrackState t;
    AddTrackPoint(t, e.lat, e.lonFor(0));   // origin
    AddTrackPoint(t, e.lat, e.lonFor(0));   // restart: placed, no segment; same easting keeps waiting
    EXPECT_EQ(t.trackRestart, 1);
    AddTrackPoint(t, e.lat, e.lonFor(1));   // restart: placed
    EXPECT_EQ(t.trackRestart, 0);
    EXPECT_TRUE(t.trackPath.empty());
    AddTrackPoint(t, e.lat, e.lonFor(31));  // 30 m east: a segment
    EXPECT_NEAR(t.trackX, 31.0, 0.05);
    EXPECT_NEAR(t.trackY, 0.0, 0.5);
    ASSERT_EQ(t.trackPath.segmentCount(), 1u);
    auto lines = polylines(t.trackPath);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NEAR(lines[0].back().xM - lines[0].front().xM, 30.0, 0.05);

    AddTrackPoint(t, e.lat, e.lonFor(91));  // 60 m further: a jump, not followed
    EXPECT_EQ(t.trackRestart, 1);
    EXPECT_NEAR(t.trackX, 31.0, 0.05);      // the present position stays
    AddTrackPoint(t, e.lat, e.lonFor(100)); // placed at its own place
    EXPECT_NEAR(t.trackX, 100.0, 0.1);
    AddTrackPoint(t, e.lat, e.lonFor(110));
    lines = polylines(t.trackPath);
    ASSERT_EQ(lines.size(), 2u);  // no connecting line across the jump
    EXPECT_NEAR(lines[1].front().xM, 100.0, 0.1);
    EXPECT_NEAR(lines[1].back().xM, 110.0, 0.1);
}

TEST(TrackPlotter, NorthIsUpAndSouthIsPositiveY) {
    TrackState t;
    AddTrackPoint(t, 54.0, 9.0);
    AddTrackPoint(t, 54.0001, 9.0);
    AddTrackPoint(t, 54.0002, 9.0);  // about 11 m north
    EXPECT_LT(t.trackY, -10.0);
}

TEST(TrackPlotter, EraseKeepsTheOriginAndResumesFromTheCentre) {
    const East e;
    TrackState t;
    for (int m = 0; m <= 40; m += 10) AddTrackPoint(t, e.lat, e.lonFor(m));
    ASSERT_FALSE(t.trackPath.empty());
    const double originE = t.trackOriginEasting;
    EraseGpsTracks(t);
    EXPECT_TRUE(t.trackPath.empty());
    EXPECT_EQ(t.trackX, 0.0);
    EXPECT_EQ(t.trackOriginEasting, originE);
    AddTrackPoint(t, e.lat, e.lonFor(50));
    EXPECT_NEAR(t.trackX, 10.0, 0.05);  // the next movement, from the centre
    EXPECT_EQ(t.trackPath.segmentCount(), 1u);
}

TEST(TrackPlotter, ReopenResetPlacesTheNextFixWithoutAJump) {
    const East e;
    TrackState t;
    for (int m = 0; m <= 40; m += 10) AddTrackPoint(t, e.lat, e.lonFor(m));
    ResetTrackForReopen(t);
    EXPECT_TRUE(t.trackPath.empty());
    EXPECT_EQ(t.utmEasting, 0.0);
    AddTrackPoint(t, e.lat, e.lonFor(45));
    EXPECT_NEAR(t.trackX, 45.0, 0.1);
    AddTrackPoint(t, e.lat, e.lonFor(55));
    auto lines = polylines(t.trackPath);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NEAR(lines[0].front().xM, 45.0, 0.1);
}

TEST(TrackPath, StraightRunsCollapseAndEveryPointStaysWithinTheTolerance) {
    TrackPath path;
    std::vector<TrackVertex> truth;
    double x = 0, y = 0;
    std::mt19937 rng(7);
    std::normal_distribution<double> wobble(0.0, 0.02);
    // Three legs with turns and a gentle curve.
    for (int i = 0; i < 3000; ++i) {
        const double heading = i < 1000 ? 0.3 : i < 2000 ? 0.3 + (i - 1000) * 0.002 : 2.5;
        const double nx = x + std::cos(heading) * 1.5 + wobble(rng);
        const double ny = y + std::sin(heading) * 1.5 + wobble(rng);
        path.addSegment(x, y, nx, ny);
        truth.push_back({static_cast<float>(nx), static_cast<float>(ny)});
        x = nx;
        y = ny;
    }
    for (int level = 0; level < TrackPath::kLevelCount; ++level) {
        SCOPED_TRACE(level);
        const auto lines = polylines(path, level);
        ASSERT_EQ(lines.size(), 1u);
        const auto& v = lines[0];
        EXPECT_LT(v.size(), truth.size() / 3);
        // The line ends at the last point; every point lies near the line.
        EXPECT_FLOAT_EQ(v.back().xM, truth.back().xM);
        const double tol = TrackPath::kLevelToleranceM[static_cast<std::size_t>(level)];
        for (const auto& p : truth) {
            double best = 1e9;
            for (std::size_t k = 0; k + 1 < v.size(); ++k) {
                const double ax = v[k].xM, ay = v[k].yM, bx = v[k + 1].xM, by = v[k + 1].yM;
                const double dx = bx - ax, dy = by - ay;
                const double len2 = dx * dx + dy * dy;
                double u = len2 > 0 ? ((p.xM - ax) * dx + (p.yM - ay) * dy) / len2 : 0;
                u = std::clamp(u, 0.0, 1.0);
                best = std::min(best, std::hypot(p.xM - (ax + u * dx), p.yM - (ay + u * dy)));
            }
            ASSERT_LE(best, tol * 1.5 + 1e-3);
        }
    }
    EXPECT_LT(path.vertexCount(2), path.vertexCount(1));
    EXPECT_LE(path.vertexCount(1), path.vertexCount(0));
}

TEST(TrackPath, ATurnBackIsKept) {
    TrackPath path;
    // Out 100 m east and back 60 m along the same line.
    double x = 0;
    for (int i = 1; i <= 100; ++i) {
        path.addSegment(x, 0, i, 0);
        x = i;
    }
    for (int i = 99; i >= 40; --i) {
        path.addSegment(x, 0, i, 0);
        x = i;
    }
    const auto lines = polylines(path, 0);
    ASSERT_EQ(lines.size(), 1u);
    float farthest = 0;
    for (const auto& v : lines[0]) farthest = std::max(farthest, v.xM);
    EXPECT_NEAR(farthest, 100.0f, 0.06f);
    EXPECT_NEAR(lines[0].back().xM, 40.0f, 1e-4f);
}

TEST(TrackPath, CullingSkipsWhatAViewDoesNotShow) {
    TrackPath path;
    std::mt19937 rng(1);
    std::uniform_real_distribution<double> step(-3.0, 3.0);
    double x = 0, y = 0;
    for (int i = 0; i < 20000; ++i) {
        const double nx = x + 2.0 + step(rng), ny = y + step(rng);
        path.addSegment(x, y, nx, ny);
        x = nx;
        y = ny;
    }
    std::size_t all = 0, shown = 0;
    path.forEachPolyline(0, [&](std::span<const TrackVertex> v) { all += v.size(); });
    bool touchesView = false;
    path.forEachPolyline(0, TrackRect{100, -200, 300, 200}, [&](std::span<const TrackVertex> v) {
        shown += v.size();
        for (const auto& p : v) touchesView = touchesView || (p.xM >= 100 && p.xM <= 300);
    });
    EXPECT_TRUE(touchesView);
    EXPECT_LT(shown, all / 20);
}

TEST(TrackPath, ADayAtTenHertzStaysSmall) {
    // 24 h of 10 Hz fixes: survey lines at 5 knots with metre-level GPS noise,
    // and an hour drifting on station where the noise is all there is.
    TrackPath path;
    std::mt19937 rng(24);
    std::normal_distribution<double> noise(0.0, 0.3);
    double x = 0, y = 0;
    const int fixes = 24 * 3600 * 10;
    double heading = 0;
    for (int i = 0; i < fixes; ++i) {
        const bool onStation = (i / 36000) % 24 == 5;
        if (i % 9000 == 0) heading += 3.0;  // a new line every 15 minutes
        const double speed = onStation ? 0.0 : 0.257;  // m per fix
        const double nx = x + std::cos(heading) * speed + noise(rng) * 0.1;
        const double ny = y + std::sin(heading) * speed + noise(rng) * 0.1;
        path.addSegment(x, y, nx, ny);
        x = nx;
        y = ny;
    }
    EXPECT_EQ(path.segmentCount(), static_cast<std::uint64_t>(fixes));
    EXPECT_LT(path.memoryBytes(), 48u << 20);
    // The views at the widest zooms draw far fewer vertices than fixes.
    EXPECT_LT(path.vertexCount(path.levelFor(0.05)), static_cast<std::size_t>(fixes) / 20);
    RecordProperty("vertices_finest", std::to_string(path.vertexCount(0)));
    RecordProperty("memory_bytes", std::to_string(path.memoryBytes()));
}

TEST(TrackPath, TheCapGivesUpFineLevelsFirst) {
    TrackPath path(3000);
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> jitter(-20.0, 20.0);
    double x = 0, y = 0;
    for (int i = 0; i < 5000; ++i) {
        const double nx = jitter(rng), ny = jitter(rng);
        path.addSegment(x, y, nx, ny);
        x = nx;
        y = ny;
        ASSERT_LE(path.totalVertexCount(), 3001u);
    }
    EXPECT_GT(path.finestLevel(), 0);
    EXPECT_EQ(path.vertexCount(0), 0u);
    EXPECT_EQ(path.levelFor(2.5), path.finestLevel());
    EXPECT_FALSE(polylines(path, path.finestLevel()).empty());
}

TEST(TrackPath, LevelFollowsTheZoom) {
    const TrackPath path;
    // At most half a pixel of error at every rung of the zoom ladder.
    EXPECT_EQ(path.levelFor(2.5), 0);
    EXPECT_EQ(path.levelFor(1.0), 0);
    EXPECT_EQ(path.levelFor(0.5), 1);
    EXPECT_EQ(path.levelFor(0.25), 1);
    EXPECT_EQ(path.levelFor(0.1), 2);
    EXPECT_EQ(path.levelFor(0.05), 2);
}

}  // namespace
}  // namespace hx
