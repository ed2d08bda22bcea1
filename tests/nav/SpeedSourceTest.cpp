// Speed source choice, the "Speed Info" dialog's working state and the two
// GPS time options.
#include <gtest/gtest.h>

#include "nav/SpeedSource.h"

namespace hx {
namespace {

TEST(SpeedSource, SpeedForAPing) {
    SpeedSettings s;  // GPS speed, correction on
    EXPECT_DOUBLE_EQ(speedForPingKnots(s, 5.2), 5.2);
    EXPECT_DOUBLE_EQ(speedForPingKnots(s, 0.0), 3.0);
    EXPECT_DOUBLE_EQ(speedForPingKnots(s, -1.0), 3.0);
    s.useManualSpeed = 1;
    s.manualShipSpeed = 4.5;
    EXPECT_DOUBLE_EQ(speedForPingKnots(s, 5.2), 4.5);
    s.useManualSpeed = 0;
    s.useGpsSpeed = 0;  // "No Speed / Program Default"
    EXPECT_DOUBLE_EQ(speedForPingKnots(s, 5.2), 3.0);
    s.useGpsSpeed = 1;
    s.speedCorrectionEnabled = 0;
    EXPECT_DOUBLE_EQ(speedForPingKnots(s, 5.2), 3.0);
}

TEST(SpeedSource, ManualSpeedIsStoredInTenths) {
    EXPECT_DOUBLE_EQ(manualSpeedFromSetting(30), 3.0);
    EXPECT_EQ(manualSpeedToSetting(4.5), 45);
    EXPECT_DOUBLE_EQ(manualSpeedFromSetting(-5), 0.0);
    EXPECT_DOUBLE_EQ(manualSpeedFromSetting(5000), 10.0);
}

TEST(SpeedSource, DialogManualSpeedOk) {
    SpeedSettings s;
    SpeedDialogModel m(s);
    EXPECT_EQ(m.source(), SpeedSourceChoice::GpsSpeed);
    EXPECT_EQ(m.spinPosition(), 30);
    m.chooseSource(SpeedSourceChoice::ManualSpeed);
    for (int i = 0; i < 15; ++i) EXPECT_TRUE(m.stepSpin(+1));
    EXPECT_DOUBLE_EQ(m.workingSpeedKnots(), 4.5);
    EXPECT_EQ(m.speedBoxText(), "4.5");
    m.accept(s);
    EXPECT_DOUBLE_EQ(s.manualShipSpeed, 4.5);
    EXPECT_EQ(s.useManualSpeed, 1);
    EXPECT_EQ(s.useGpsSpeed, 0);
    EXPECT_EQ(manualSpeedToSetting(s.manualShipSpeed), 45);
}

TEST(SpeedSource, SpinStopsAtItsEnds) {
    SpeedSettings s;
    s.manualShipSpeed = 10.0;
    SpeedDialogModel m(s);
    EXPECT_FALSE(m.stepSpin(+1));
    EXPECT_DOUBLE_EQ(m.workingSpeedKnots(), 10.0);
    s.manualShipSpeed = 0.0;
    SpeedDialogModel low(s);
    EXPECT_FALSE(low.stepSpin(-1));
    EXPECT_DOUBLE_EQ(low.workingSpeedKnots(), 0.0);
    // Tenths that do not sit exactly in binary still step cleanly.
    s.manualShipSpeed = 2.3;
    SpeedDialogModel odd(s);
    EXPECT_EQ(odd.spinPosition(), 23);
    odd.stepSpin(+1);
    EXPECT_DOUBLE_EQ(odd.workingSpeedKnots(), 2.4);
}

TEST(SpeedSource, TypedSpeedAppliesWhenValid) {
    SpeedSettings s;
    SpeedDialogModel m(s);
    EXPECT_TRUE(m.setTypedSpeed("6.25"));
    EXPECT_DOUBLE_EQ(m.workingSpeedKnots(), 6.3);
    EXPECT_FALSE(m.setTypedSpeed("12"));
    EXPECT_FALSE(m.setTypedSpeed("-1"));
    EXPECT_FALSE(m.setTypedSpeed("fast"));
    EXPECT_FALSE(m.setTypedSpeed(""));
    EXPECT_DOUBLE_EQ(m.workingSpeedKnots(), 6.3);
}

TEST(SpeedSource, NoSpeedChoiceAndCorrectionBox) {
    SpeedSettings s;
    SpeedDialogModel m(s);
    m.chooseSource(SpeedSourceChoice::ProgramDefault);
    m.setSpeedCorrection(false);
    m.accept(s);
    EXPECT_EQ(s.useGpsSpeed, 0);
    EXPECT_EQ(s.useManualSpeed, 0);
    EXPECT_EQ(s.speedCorrectionEnabled, 0);
    EXPECT_EQ(SpeedDialogModel(s).source(), SpeedSourceChoice::ProgramDefault);
    EXPECT_DOUBLE_EQ(speedForPingKnots(s, 8.0), 3.0);
}

TEST(SpeedSource, TimeOptions) {
    SpeedSettings s;
    toggleConvertUtcToLocal(s);
    EXPECT_EQ(s.convertUtcToLocal, 1);
    toggleConvertUtcToLocal(s);
    EXPECT_EQ(s.convertUtcToLocal, 0);
    EXPECT_FALSE(synchronizeWithGpsTimeEnabled(true));
    synchronizeWithGpsTime(s, true);
    EXPECT_EQ(s.autoSyncGpsTime, 0);
    synchronizeWithGpsTime(s, false);
    EXPECT_EQ(s.autoSyncGpsTime, 1);
    synchronizeWithGpsTime(s, false);
    EXPECT_EQ(s.autoSyncGpsTime, 1);
}

}  // namespace
}  // namespace hx
