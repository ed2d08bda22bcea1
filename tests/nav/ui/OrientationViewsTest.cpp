// The orientation window's instruments follow the values (needle, pitch
// level), its keys and dragging; the history window plots each lane's trace
// at its row in the newest column.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalSpy>

#include <cmath>

#include "nav/ui/HistView.h"
#include "nav/ui/InstrumentPainter.h"
#include "nav/ui/NavUiTestSupport.h"
#include "nav/ui/OrientationView.h"

namespace hx {
namespace {

using test::countColour;
using test::render;

const QRgb kNeedle = qRgb(255, 100, 0);

TEST(OrientationView, CompassNeedlePointsAlongTheHeading) {
    OrientationReadout r;
    COrientationView view([&r] { return r; });
    view.resize(700, 220);
    const QPoint c = layoutInstruments(view.size()).centre[static_cast<std::size_t>(Instrument::Heading)];
    r.values.headingDeg = 90.0;
    QImage image = render(view);
    EXPECT_GT(countColour(image, QRect(c.x() + 10, c.y() - 1, 20, 3), kNeedle), 10);
    EXPECT_EQ(countColour(image, QRect(c.x() - 1, c.y() - 30, 3, 20), kNeedle), 0);
    r.values.headingDeg = 0.0;
    image = render(view);
    EXPECT_GT(countColour(image, QRect(c.x() - 1, c.y() - 30, 3, 20), kNeedle), 10);
    EXPECT_EQ(countColour(image, QRect(c.x() + 10, c.y() - 1, 20, 3), kNeedle), 0);
}

TEST(OrientationView, PitchLevelRisesWithTheBow) {
    OrientationReadout r;
    COrientationView view([&r] { return r; });
    view.resize(700, 220);
    const QPoint c = layoutInstruments(view.size()).centre[static_cast<std::size_t>(Instrument::Pitch)];
    const QPoint probe = c + QPoint(-15, -6);
    EXPECT_EQ(render(view).pixel(probe), qRgb(100, 120, 200));  // sky above the level
    r.values.pitchDeg = 45.0;                                    // level 12 px up
    EXPECT_EQ(render(view).pixel(probe), qRgb(100, 100, 100));
    r.values = {-3.5, 8.0, 237.0, 42.0, 11.0};
    test::keepShot(render(view), QStringLiteral("orientation"));
    r.feet = true;
    test::keepShot(render(view), QStringLiteral("orientation-feet"));
}

TEST(OrientationView, HoldKeyTimerAndDragging) {
    COrientationView view([] { return OrientationReadout{}; });
    QSignalSpy hold(&view, &COrientationView::holdToggled);
    QSignalSpy moved(&view, &COrientationView::windowMoved);
    for (const char* t : {"h", "H"}) {
        QKeyEvent e(QEvent::KeyPress, Qt::Key_H, t[0] == 'H' ? Qt::ShiftModifier : Qt::NoModifier, QString::fromLatin1(t));
        QApplication::sendEvent(&view, &e);
    }
    EXPECT_EQ(hold.count(), 2);
    view.resize(600, 200);
    view.move(100, 100);
    view.show();
    EXPECT_TRUE(view.redrawTimerActive());
    const QPoint start = view.pos();
    auto mouse = [&](QEvent::Type type, QPoint global, Qt::MouseButton b, Qt::MouseButtons bs) {
        QMouseEvent e(type, QPointF(view.mapFromGlobal(global)), QPointF(global), b, bs, Qt::NoModifier);
        QApplication::sendEvent(&view, &e);
    };
    const QPoint g = view.mapToGlobal(QPoint(50, 50));
    mouse(QEvent::MouseButtonPress, g, Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseMove, g + QPoint(25, 15), Qt::NoButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, g + QPoint(25, 15), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(view.pos() - start, QPoint(25, 15));
    EXPECT_EQ(moved.count(), 1);
    view.hide();
    EXPECT_FALSE(view.redrawTimerActive());
}

TEST(HistView, TracesAtTheirLaneRowsInTheNewestColumn) {
    OrientationHistory history;
    PaletteState palette;
    palette.colourTables = GenerateColourTables();
    palette.colourTableIndex = kGrey;
    CHistView view(history, palette);
    view.resize(400, 300);
    view.show();
    ASSERT_EQ(history.laneHeightPx(), 56);
    OrientationValues v{2.0, -2.0, 180.0, 50.0, 15.0};
    for (int i = 0; i < 3; ++i) history.AppendHistoryColumn(v);
    const QImage image = render(view);
    const auto lut = HistoryLut(BuildImagePalette(palette));
    const int x = history.newestColumnX();
    EXPECT_EQ(x, 370);
    EXPECT_EQ(image.pixel(x, 10 + 28), lut[kHistDepthIndex]);           // 50 m: half lane 0
    EXPECT_EQ(image.pixel(x, 10 + 112 - 28), lut[kHistTemperatureIndex]);  // 15 C: half lane 1
    EXPECT_EQ(image.pixel(x, 138), qRgb(0, 0, 255));                      // pitch +2: 150 - 11.2
    EXPECT_EQ(image.pixel(x, 10 + 168 + 28 + 11), qRgb(0, 255, 0));       // roll -2
    EXPECT_EQ(image.pixel(x, 10 + 224 + 28), qRgb(255, 0, 0));            // heading 180: half lane 4
    EXPECT_EQ(image.pixel(x - 2, 262), qRgb(255, 0, 0));                  // three pings, three columns
    EXPECT_NE(image.pixel(x - 3, 262), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(100, 10 + 56), qRgb(120, 30, 0));               // lane line
    // A towed run for the eye: the fish dives, warms, pitches, rolls and turns.
    for (int p = 0; p < 400; ++p)
        history.AppendHistoryColumn({3.0 * std::sin(p / 9.0), 4.0 * std::sin(p / 5.0), std::fmod(90.0 + p * 0.8, 360.0),
                                     40.0 + 25.0 * std::sin(p / 60.0), 12.0 + 6.0 * std::cos(p / 80.0)});
    test::keepShot(render(view), QStringLiteral("history"));
}

}  // namespace
}  // namespace hx
