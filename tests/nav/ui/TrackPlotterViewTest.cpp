// The track plotter window fed by real receiver captures: the track is drawn
// where the positions project, the zoom ladder and its keys, panning,
// re-centring near an edge, erasing, the context menu, and waypoints loaded
// from a list file written here.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <cmath>
#include <fstream>
#include <sstream>

#include "fakes/FakeNotifier.h"
#include "nav/GpsReader.h"
#include "nav/UtmProjection.h"
#include "nav/ui/GpsTrackView.h"
#include "nav/ui/NavUiTestSupport.h"

namespace hx {
namespace {

using test::countColour;
using test::render;

struct Fix {
    double lat, lon;
};

std::string readCapture(const char* name) {
    std::ifstream in(std::string(HX642_SHARED_DIR) + "/corpus/nmea/" + name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

struct TrackRig {
    TrackState track;
    TrackPlotSettings plot;
    WaypointTable table;
    WaypointMarkerPath marks;
    bool feet = false;
    std::vector<TrackPlotCommand> commands;
    std::vector<Fix> fixes;  // every published position, in order
    CGPSTrackView view{TrackPlotContext{track, plot, table, marks, [this] { return feet; },
                                        [this](TrackPlotCommand c) { route(c); }}};

    TrackRig() { view.resize(400, 300); }

    // What the main window does with the view's commands.
    void route(TrackPlotCommand c) {
        commands.push_back(c);
        if (c == TrackPlotCommand::ZoomIn) GpsZoomIn(plot);
        if (c == TrackPlotCommand::ZoomOut) GpsZoomOut(plot);
        if (c == TrackPlotCommand::EraseGpsTracks) {
            EraseGpsTracks(track);
            view.eraseView();
        }
    }

    // The capture arrives one line per read, as a slow receiver delivers it.
    void feed(const std::string& capture) {
        GpsReader reader;
        std::size_t start = 0;
        while (start < capture.size()) {
            std::size_t end = capture.find('\n', start);
            end = end == std::string::npos ? capture.size() : end + 1;
            const GpsSnapshot s = reader.read(std::string_view(capture).substr(start, end - start));
            if (s.positionPublished) {
                AddTrackPoint(track, s.fix.gpsLatitude, s.fix.gpsLongitude);
                fixes.push_back({s.fix.gpsLatitude, s.fix.gpsLongitude});
            }
            start = end;
        }
    }

    // Where a position is drawn after the last paint.
    QPointF screenOf(const Fix& f) const {
        const UtmPoint p = LatLonToUtm(f.lat, f.lon);
        const double x = p.eastingM - track.trackOriginEasting;
        const double y = track.trackOriginNorthing - p.northingM;
        return {trackScreenOffsetX(view.viewState()) + x * plot.gpsZoomFactor,
                trackScreenOffsetY(view.viewState()) + y * plot.gpsZoomFactor};
    }
};

QRect greenBounds(const QImage& image) {
    QRect r;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xffffff) == (kTrackColour & 0xffffff)) r |= QRect(x, y, 1, 1);
    return r;
}

void key(QWidget& w, const QString& text) {
    QKeyEvent e(QEvent::KeyPress, 0, Qt::NoModifier, text);
    QApplication::sendEvent(&w, &e);
}

void mouse(QWidget& w, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons) {
    QMouseEvent e(type, QPointF(at), QPointF(w.mapToGlobal(at)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(&w, &e);
}

class CaptureTrack : public ::testing::TestWithParam<const char*> {};

TEST_P(CaptureTrack, DrawnWhereThePositionsProjectAndNowhereElse) {
    TrackRig rig;
    rig.plot.gpsZoomFactor = 2.5;
    rig.feed(readCapture(GetParam()));
    ASSERT_GT(rig.fixes.size(), 20u);
    ASSERT_GT(rig.track.trackPath.segmentCount(), 10u);
    const QImage image = render(rig.view);
    test::keepShot(image, QStringLiteral("track-") + QString::fromLatin1(GetParam()));

    // The first fix only sets the origin and the next one that moves starts
    // the line; every fix from there on lies on it.
    TrackState replay;
    std::size_t firstOnLine = 0;
    for (std::size_t i = 0; i < rig.fixes.size() && replay.trackPath.empty(); ++i) {
        AddTrackPoint(replay, rig.fixes[i].lat, rig.fixes[i].lon);
        firstOnLine = i - 1;
    }
    std::vector<QPointF> expected;
    for (std::size_t i = firstOnLine; i < rig.fixes.size(); ++i) expected.push_back(rig.screenOf(rig.fixes[i]));
    int checked = 0;
    const QPointF end = expected.back();
    for (const QPointF& p : expected) {
        if (!image.rect().adjusted(2, 2, -2, -2).contains(p.toPoint())) continue;
        if (std::hypot(p.x() - end.x(), p.y() - end.y()) < 7.0) continue;  // under the boat's marker
        const QRect near(p.toPoint() - QPoint(2, 2), QSize(5, 5));
        EXPECT_GT(countColour(image, near, kTrackColour), 0) << p.x() << "," << p.y() << " fix " << &p - expected.data();
        ++checked;
    }
    EXPECT_GT(checked, 20);
    // Every green pixel lies within 2 px of the line through the fixes.
    auto distance = [](QPointF p, QPointF a, QPointF b) {
        const QPointF d = b - a;
        const double len2 = QPointF::dotProduct(d, d);
        const double t = len2 > 0 ? std::clamp(QPointF::dotProduct(p - a, d) / len2, 0.0, 1.0) : 0.0;
        const QPointF q = a + t * d - p;
        return std::hypot(q.x(), q.y());
    };
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & 0xffffff) != (kTrackColour & 0xffffff)) continue;
            double best = 1e9;
            for (std::size_t i = 0; i + 1 < expected.size(); ++i)
                best = std::min(best, distance(QPointF(x, y), expected[i], expected[i + 1]));
            ASSERT_LT(best, 2.0) << x << "," << y;
        }
    // The present position is marked in white at the end of the track.
    EXPECT_GT(countColour(image, QRect(end.toPoint() - QPoint(2, 2), QSize(5, 5)), kTrackMarkerColour), 0);
}

INSTANTIATE_TEST_SUITE_P(Receivers, CaptureTrack, ::testing::Values("haicom-305N.log", "humminbird-M37.log"),
                         [](const auto& info) {
                             std::string name = std::string(info.param).substr(0, std::string(info.param).find('-'));
                             return name;
                         });

TEST(TrackPlotter, ZoomLadderWithTheKeysScalesTheDrawing) {
    TrackRig rig;
    rig.plot.gpsZoomFactor = 0.05;
    rig.feed(readCapture("humminbird-M37.log"));
    const double ladder[] = {0.1, 0.25, 0.5, 1.0, 2.5, 2.5};
    for (double z : ladder) {
        key(rig.view, QStringLiteral("+"));
        EXPECT_DOUBLE_EQ(rig.plot.gpsZoomFactor, z);
    }
    const QRect at25 = greenBounds(render(rig.view));
    key(rig.view, QStringLiteral("-"));
    EXPECT_DOUBLE_EQ(rig.plot.gpsZoomFactor, 1.0);
    key(rig.view, QStringLiteral("="));
    key(rig.view, QStringLiteral("-"));
    const QRect at1 = greenBounds(render(rig.view));
    EXPECT_NEAR(static_cast<double>(at25.width()) / at1.width(), 2.5, 0.15);
    for (int i = 0; i < 6; ++i) key(rig.view, QStringLiteral("-"));
    EXPECT_DOUBLE_EQ(rig.plot.gpsZoomFactor, 0.05);
}

TEST(TrackPlotter, DragPansAndTheEdgeBringsThePositionBackToTheCentre) {
    TrackRig rig;
    rig.plot.gpsZoomFactor = 1.0;
    rig.feed(readCapture("haicom-305N.log"));
    const QRect before = greenBounds(render(rig.view));
    mouse(rig.view, QEvent::MouseButtonPress, {200, 150}, Qt::LeftButton, Qt::LeftButton);
    mouse(rig.view, QEvent::MouseMove, {230, 140}, Qt::NoButton, Qt::LeftButton);
    mouse(rig.view, QEvent::MouseButtonRelease, {230, 140}, Qt::LeftButton, Qt::NoButton);
    const QRect panned = greenBounds(render(rig.view));
    EXPECT_EQ(panned.topLeft() - before.topLeft(), QPoint(30, -10));
    EXPECT_EQ(rig.view.viewState().savedPanX, -30);

    // Dragged so that the boat would sit 5 px from the right edge.
    const QPointF boat = rig.screenOf(rig.fixes.back());
    const int dx = 395 - static_cast<int>(boat.x());
    mouse(rig.view, QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton, Qt::LeftButton);
    mouse(rig.view, QEvent::MouseMove, {100 + dx, 100}, Qt::NoButton, Qt::LeftButton);
    mouse(rig.view, QEvent::MouseButtonRelease, {100 + dx, 100}, Qt::LeftButton, Qt::NoButton);
    const QImage image = render(rig.view);
    EXPECT_EQ(rig.view.viewState().panX, 0);
    EXPECT_EQ(rig.view.viewState().savedPanX, 0);
    EXPECT_GT(countColour(image, QRect(198, 148, 5, 5), kTrackMarkerColour), 0);
}

TEST(TrackPlotter, EraseEmptiesThePlotAndTheTrackResumesFromTheCentre) {
    TrackRig rig;
    rig.plot.gpsZoomFactor = 2.5;
    const std::string capture = readCapture("haicom-305N.log");
    rig.feed(capture.substr(0, capture.size() / 2));
    ASSERT_FALSE(greenBounds(render(rig.view)).isEmpty());
    rig.route(TrackPlotCommand::EraseGpsTracks);
    const QImage erased = render(rig.view);
    EXPECT_TRUE(greenBounds(erased).isEmpty());
    EXPECT_GT(countColour(erased, QRect(198, 148, 5, 5), kTrackMarkerColour), 0);
    rig.feed(capture.substr(capture.size() / 2));
    const QRect resumed = greenBounds(render(rig.view));
    EXPECT_FALSE(resumed.isEmpty());
    EXPECT_TRUE(resumed.adjusted(-30, -30, 30, 30).contains(QPoint(200, 150)));
}

TEST(TrackPlotter, ContextMenuSendsTheGpsCommands) {
    TrackRig rig;
    std::unique_ptr<QMenu> menu(rig.view.buildContextMenu(nullptr));
    QStringList texts;
    for (QAction* a : menu->actions()) {
        texts << a->text();
        a->trigger();
    }
    EXPECT_EQ(texts, QStringList({QStringLiteral("GPS Comm Port &Settings"), QStringLiteral("&Speed Correction"),
                                  QStringLiteral("&Erase GPS Tracks"), QStringLiteral("Zoom &In"),
                                  QStringLiteral("Zoom &Out")}));
    using T = TrackPlotCommand;
    EXPECT_EQ(rig.commands, (std::vector<T>{T::GpsCommPortSettings, T::SpeedCorrection, T::EraseGpsTracks, T::ZoomIn,
                                            T::ZoomOut}));
}

std::string ddmm(double deg, int degreeDigits) {
    const double a = std::fabs(deg);
    const int d = static_cast<int>(a);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%0*d%07.4f", degreeDigits, d, (a - d) * 60.0);
    return buf;
}

TEST(TrackPlotter, WaypointsFromAListFileAreDrawnWithTheirNumbersAndNames) {
    TrackRig rig;
    rig.plot.gpsZoomFactor = 2.5;
    rig.feed(readCapture("haicom-305N.log"));
    ASSERT_TRUE(loadWaypointListEnabled(rig.track));
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("survey.wpt")).toStdString();
    const std::size_t picks[] = {10, rig.fixes.size() / 2, rig.fixes.size() - 5};
    {
        std::ofstream out(path);
        int n = 7;
        for (std::size_t i : picks) {
            const Fix& f = rig.fixes[i];
            out << n++ << ",MARK " << i << "," << ddmm(f.lat, 2) << "," << (f.lat < 0 ? 'S' : 'N') << ","
                << ddmm(f.lon, 3) << "," << (f.lon < 0 ? 'W' : 'E') << "\r\n";
        }
    }
    test::FakeNotifier notifier;
    ASSERT_EQ(LoadWaypointFile(path, notifier, rig.track, rig.table, rig.marks), WaypointLoadResult::Loaded);
    ASSERT_EQ(rig.table.count, 3);
    EXPECT_EQ(rig.table.entries[1].name, "MARK " + std::to_string(picks[1]));
    const QImage image = render(rig.view);
    test::keepShot(image, QStringLiteral("track-waypoints"));
    for (std::size_t i : picks) {
        const QPoint at = rig.screenOf(rig.fixes[i]).toPoint();
        // The circle of diameter 24 around the place, the name to its right.
        EXPECT_GT(countColour(image, QRect(at - QPoint(14, 14), QSize(29, 29)), kWaypointColour), 30) << i;
        EXPECT_GT(countColour(image, QRect(at + QPoint(16, -10), QSize(60, 20)), kWaypointColour), 10) << i;
    }
}

}  // namespace
}  // namespace hx
