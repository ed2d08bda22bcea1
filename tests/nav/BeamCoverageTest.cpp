// The beam coverage window's arithmetic: the buttons and their limits, the
// picture's geometry, the fan's directivity and shading, and the texts.
#include <gtest/gtest.h>

#include <algorithm>

#include "nav/BeamCoverage.h"
#include "nav/GpsConfigModel.h"

namespace hx {
namespace {

TEST(BeamButtons, RangeLadderBothWays) {
    struct Case {
        int from, up, down;
    } cases[] = {{10, 20, 10}, {20, 30, 10}, {50, 60, 40}, {60, 80, 50}, {125, 150, 100},
                 {150, 200, 125}, {200, 200, 150}, {70, 200, 10}, {0, 200, 10}};
    for (const Case& c : cases) {
        EXPECT_EQ(beamRangeUp(c.from), c.up) << c.from;
        EXPECT_EQ(beamRangeDown(c.from), c.down) << c.from;
    }
}

TEST(BeamButtons, FrequencyCyclesAndSetsTheBeamWidth) {
    BeamCoverageParams p;
    EXPECT_EQ(beamWidthText(p), "BeamWidth: 75 deg.");
    applyBeamButton(p, kBeamFrequencyUp);
    EXPECT_STREQ(beamFrequencyName(p.frequency), "Medium");
    EXPECT_EQ(beamWidthText(p), "BeamWidth: 60 deg.");
    applyBeamButton(p, kBeamFrequencyDown);
    applyBeamButton(p, kBeamFrequencyDown);
    EXPECT_STREQ(beamFrequencyName(p.frequency), "High");
    EXPECT_FALSE(applyBeamButton(p, 12345));
}

TEST(BeamButtons, HeightAndGainLimitsInBothUnits) {
    BeamCoverageParams p;
    p.heightFt = 599;
    applyBeamButton(p, kBeamHeightUp);  // metres: +3, at most 600
    EXPECT_EQ(p.heightFt, 600);
    p.heightFt = 4;
    applyBeamButton(p, kBeamHeightDown);
    applyBeamButton(p, kBeamHeightDown);
    EXPECT_EQ(p.heightFt, 3);
    applyBeamButton(p, kBeamFeet);
    applyBeamButton(p, kBeamHeightDown);
    applyBeamButton(p, kBeamHeightDown);
    applyBeamButton(p, kBeamHeightDown);
    EXPECT_EQ(p.heightFt, 1);
    applyBeamButton(p, kBeamMeters);  // below 3 becomes 3
    EXPECT_EQ(p.heightFt, 3);
    EXPECT_EQ(p.feetMode, 0);
    p.gain = 100;
    applyBeamButton(p, kBeamGainUp);
    EXPECT_EQ(p.gain, 100);
    p.gain = 0;
    applyBeamButton(p, kBeamGainDown);
    EXPECT_EQ(p.gain, 0);
}

TEST(BeamTexts, MetresAndFeet) {
    BeamCoverageParams p;  // Low, 50 m, 90 ft, gain 20
    EXPECT_EQ(beamRangeText(p), "Range = 50 m");
    EXPECT_EQ(beamHeightText(p), "H: 30 m");
    EXPECT_EQ(beamPrintLine(p), "Frequency: Low    Range: 50 m     Height: 30 m     Units: meters     Gain: 20");
    EXPECT_EQ(beamPanel(p)[2].value, "30 m");
    applyBeamButton(p, kBeamFeet);
    EXPECT_EQ(beamRangeText(p), "Range = 150 ft");
    EXPECT_EQ(beamHeightText(p), "H: 90 ft");
    EXPECT_EQ(beamPrintLine(p), "Frequency: Low    Range: 150 ft     Height: 90 ft     Units: feet     Gain: 20");
    EXPECT_EQ(beamPanel(p)[4].value, "feet");
}

TEST(BeamGeometry, PictureFromTheClientWidth) {
    BeamCoverageParams p;  // 90 ft = 30 m above the bottom, 50 m range
    const BeamGeometry g = beamGeometry(p, 980);
    EXPECT_EQ(g.pictureRightPx, 810);
    EXPECT_EQ(g.centreX, 410);
    EXPECT_EQ(g.halfWidthPx, 400);
    EXPECT_DOUBLE_EQ(g.pxPerM, 8.0);
    EXPECT_EQ(g.bottomY, 130 + 240);  // 30 m at 8 px a metre
    p.rangeM = 0;                     // hostile: no division by zero
    EXPECT_GT(beamGeometry(p, 980).bottomY, 0);
}

TEST(BeamFan, DirectivityPeaksOnTheAxisAndMirrorsAboutIt) {
    BeamCoverageParams p;
    const auto rays = beamFan(p, 400);
    ASSERT_EQ(rays.size(), static_cast<std::size_t>(kBeamRayCount));
    // Ray 299 is (almost exactly) straight down the beam's axis: the full
    // level 10^0.8 x 25.5, depressed 20 degrees.
    EXPECT_EQ(rays[299].intensity, 160);
    EXPECT_EQ(rays[299].dx, 375);
    EXPECT_EQ(rays[299].dy, 136);
    for (int i = 0; i < 250; ++i)
        EXPECT_NEAR(rays[static_cast<std::size_t>(299 - i)].intensity, rays[static_cast<std::size_t>(299 + i)].intensity, 1) << i;
    const auto strongest = std::max_element(rays.begin(), rays.end(), [](auto& a, auto& b) { return a.intensity < b.intensity; });
    EXPECT_EQ(strongest->intensity, rays[299].intensity);
    // A narrower beam falls off faster.
    p.frequency = BeamFrequency::High;
    EXPECT_LT(beamFan(p, 400)[250].intensity, rays[250].intensity);
    // Full gain saturates instead of overflowing; no gain is faint.
    p.gain = 100;
    EXPECT_EQ(beamFan(p, 400)[299].intensity, 255);
    p.gain = 0;
    EXPECT_EQ(beamFan(p, 400)[299].intensity, 25);
}

TEST(GpsConfigNetworkSources, EndpointsAreCheckedBeforeTheyApply) {
    GpsConfigModel m;
    GpsSettings s;
    m.load(s, {});
    EXPECT_FALSE(m.applyEnabled());
    EXPECT_FALSE(m.setGpsdServer("", 2947));
    EXPECT_FALSE(m.setUdpListen("127.0.0.1", 70000));
    EXPECT_FALSE(m.applyEnabled());
    EXPECT_TRUE(m.setGpsdServer("127.0.0.1", 2948));
    EXPECT_TRUE(m.setUdpListen("127.0.0.1", 10111));
    EXPECT_TRUE(m.applyEnabled());
    m.selectSource(GpsSourceKind::Gpsd);
    const GpsApplyOutcome out = m.accept(s, false);
    EXPECT_TRUE(out.changed);
    EXPECT_EQ(s.gpsdHost, "127.0.0.1");
    EXPECT_EQ(s.gpsdPort, 2948);
    EXPECT_EQ(s.udpPort, 10111);
    EXPECT_EQ(s.gpsSource, GpsSourceKind::Gpsd);
}

}  // namespace
}  // namespace hx
