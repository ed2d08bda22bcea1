// The echo sounder window: the echogram scrolls one column per ping at the
// right edge, the grid follows "Show ES Grid", Hold shows the frozen
// picture, and a survey-like run renders for a person to look at.
#include <gtest/gtest.h>

#include "nav/ui/EchoSounderView.h"
#include "nav/ui/NavUiTestSupport.h"

namespace hx {
namespace {

using test::countColour;
using test::render;

struct EchoRig {
    EchoSounderState echo;
    PaletteState palette;
    EchoSounderReadout readout;
    CEchoSounder view{EchoSounderContext{echo, palette, [this] { return readout; }}};

    EchoRig() {
        palette.colourTables = GenerateColourTables();
        palette.colourTableIndex = kNormalHigh;
        view.resize(230, 200);
        view.show();
    }
    QRgb colourOf(int index) const { return EchoSounderLut(BuildImagePalette(palette))[static_cast<std::size_t>(index)]; }
    void ping(std::uint8_t value) {
        std::array<std::uint8_t, kEchoSampleCount> s{};
        s.fill(value);
        if (auto a = AppendEchoColumn(echo, s, 1.0, readout.rangeM)) readout.altitudeM = *a;
    }
};

TEST(EchoSounderView, OneNewColumnPerPingAtTheRightEdge) {
    EchoRig rig;
    ASSERT_EQ(rig.echo.imageWidthPx, 232);
    ASSERT_EQ(rig.echo.live.columns(), 202);
    ASSERT_EQ(rig.echo.live.rows(), 140);
    rig.ping(100);
    rig.ping(200);
    QImage image = render(rig.view);
    const int row = 70;  // between grid lines
    EXPECT_EQ(image.pixel(201, row), rig.colourOf(200));
    EXPECT_EQ(image.pixel(200, row), rig.colourOf(100));
    EXPECT_EQ(image.pixel(199, row), rig.colourOf(0));
    rig.ping(50);
    image = render(rig.view);
    EXPECT_EQ(image.pixel(201, row), rig.colourOf(50));
    EXPECT_EQ(image.pixel(200, row), rig.colourOf(200));
    EXPECT_EQ(image.pixel(199, row), rig.colourOf(100));
    // The right edge line of the echogram stands beside the newest column.
    EXPECT_EQ(image.pixel(202, row), qRgb(120, 30, 0));
    // On Hold the frozen picture shows while the live one goes on.
    FreezeEchoGram(rig.echo);
    rig.readout.hold = true;
    rig.ping(240);
    EXPECT_EQ(render(rig.view).pixel(201, row), rig.colourOf(50));
}

TEST(EchoSounderView, GridLinesFollowTheSwitchButTheFrameStays) {
    EchoRig rig;
    // H 200: divisions every 27.6 rows from row 30.
    const QRgb pen = qRgb(120, 30, 0);
    QImage image = render(rig.view);
    EXPECT_EQ(countColour(image, QRect(0, 57, 190, 1), pen), 190);
    rig.readout.gridShown = false;
    image = render(rig.view);
    EXPECT_EQ(countColour(image, QRect(0, 57, 190, 1), pen), 0);
    EXPECT_EQ(countColour(image, QRect(0, 30, 190, 1), pen), 190);   // top line
    EXPECT_EQ(countColour(image, QRect(0, 168, 190, 1), pen), 190);  // bottom line
}

// The link badge in the top right corner takes its level's colour; at night
// the grid and the badge are dimmed.
TEST(EchoSounderView, LinkBadgeByLevelAndNightInk) {
    EchoRig rig;
    const QRect corner(120, 0, 110, 28);
    const auto countNear = [&](const QImage& image, QRgb colour) {
        return test::countPixels(image, corner, [colour](QRgb p) {
            return std::abs(qRed(p) - qRed(colour)) < 8 && std::abs(qGreen(p) - qGreen(colour)) < 8 &&
                   std::abs(qBlue(p) - qBlue(colour)) < 8;
        });
    };
    const QRgb green = qRgb(46, 125, 50), amber = qRgb(249, 168, 37), red = qRgb(198, 40, 40);
    const struct {
        HealthLevel level;
        QRgb fill;
    } cases[] = {{HealthLevel::Live, green}, {HealthLevel::Late, amber}, {HealthLevel::Lost, red}};
    for (const auto& c : cases) {
        rig.readout.health = HeadBadge{"ES 1.5 s", c.level};
        const QImage image = render(rig.view);
        for (QRgb other : {green, amber, red}) {
            if (other == c.fill)
                EXPECT_GT(countNear(image, other), 200);
            else
                EXPECT_EQ(countNear(image, other), 0);
        }
    }
    rig.readout.health.reset();
    EXPECT_EQ(countNear(render(rig.view), red), 0) << "playback: no badge";

    rig.palette.nightRed = 1;
    rig.palette.nightBrightness = 1;
    rig.readout.ink = overlayInkFor(rig.palette);
    rig.readout.health = HeadBadge{"ES 1.5 s", HealthLevel::Lost};
    const QImage night = render(rig.view);
    EXPECT_EQ(countNear(night, red), 0);
    EXPECT_GT(countNear(night, qRgb(49, 10, 10)), 200) << "a quarter of the day's red";
    EXPECT_EQ(countColour(night, QRect(0, 57, 190, 1), rig.readout.ink.scaleLine.rgb()), 190);
}

TEST(EchoSounderView, SurveyRunWithAnAltitudeRendersForTheEye) {
    EchoRig rig;
    rig.view.resize(420, 460);
    rig.readout.gainStep = 6;
    for (int p = 0; p < 400; ++p) {
        std::array<std::uint8_t, kEchoSampleCount> s{};
        const int bottom = 300 + static_cast<int>(60 * std::sin(p / 40.0));
        for (int i = 0; i < 1000; ++i)
            s[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(
                i < bottom ? (i * 7 + p * 13) % 23 : std::max(40, 230 - (i - bottom) / 3));
        if (auto a = AppendEchoColumn(rig.echo, s, 1.0, rig.readout.rangeM)) rig.readout.altitudeM = *a;
    }
    EXPECT_GT(rig.readout.altitudeM, 10.0);
    EXPECT_LT(rig.readout.altitudeM, 25.0);
    const QImage image = render(rig.view);
    test::keepShot(image, QStringLiteral("echo-sounder"));
    rig.readout.feet = true;
    test::keepShot(render(rig.view), QStringLiteral("echo-sounder-feet"));
    // The range text and the altitude text are drawn in yellow at their corners.
    EXPECT_GT(countColour(image, QRect(0, 0, 120, 24), qRgb(250, 250, 0)), 20);
    EXPECT_GT(countColour(image, QRect(0, 460 - 26, 120, 24), qRgb(250, 250, 0)), 20);
}

}  // namespace
}  // namespace hx
