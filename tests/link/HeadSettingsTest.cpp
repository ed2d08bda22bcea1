// Range, gain, transmit, availability and filter commands, their limits and
// the command bytes they change.
#include <gtest/gtest.h>

#include "core/ByteIO.h"
#include "link/DisplayPair.h"
#include "link/DocumentLifecycle.h"
#include "link/HeadSettings.h"
#include "link/LinkCommands.h"

namespace hx {
namespace {

struct Doc {
    HeadTable heads;
    LinkFields link;
    CycleValues cycle;
    OrientationState orientation;
    Doc() { initialiseLinkDefaults({heads, link, cycle, orientation}); }
    unsigned run(int id) { return runLinkCommand(id, heads, link, orientation.filters); }
    LinkCommandState state(int id) const { return linkCommandState(id, heads, link, orientation.filters); }
    int rangeInCommand(int h) const { return *readU16Le(heads.headCommand[static_cast<std::size_t>(h)], 34); }
};

TEST(RangeCommands, UpAndDownWithTheirLimits) {
    Doc d;
    const int expectedUp[] = {60, 80, 100, 120};
    for (int r : expectedUp) {
        EXPECT_NE(d.run(linkcmd::kRangeUp) & kEffectRefreshControlBar, 0u);
        EXPECT_EQ(d.heads.sideScanRange, r);
        EXPECT_EQ(d.rangeInCommand(0), r);
        EXPECT_EQ(d.rangeInCommand(2), r);
    }
    selectSideScanRange(d.heads, 19);
    EXPECT_EQ(d.heads.sideScanRange, 500);
    EXPECT_EQ(d.run(linkcmd::kRangeUp), kEffectHandled);  // at 500 m nothing changes
    EXPECT_EQ(d.heads.sideScanRangeIndex, 19);
    for (int i = 0; i < 14; ++i) d.run(linkcmd::kRangeDown);
    EXPECT_EQ(d.heads.sideScanRange, 10);
    EXPECT_EQ(d.heads.sideScanRangeIndex, 5);
    EXPECT_EQ(d.run(linkcmd::kRangeDown), kEffectHandled);
    EXPECT_EQ(d.heads.sideScanRangeIndex, 5);
    // The echo sounder keeps its own range in its command.
    EXPECT_EQ(d.rangeInCommand(3), 50);
}

TEST(RangeCommands, MenuChoicesAndCheckMark) {
    Doc d;
    EXPECT_NE(d.run(32872) & kEffectRedrawViews, 0u);
    EXPECT_EQ(d.heads.sideScanRangeIndex, 5);
    EXPECT_EQ(d.heads.sideScanRange, 10);
    EXPECT_TRUE(d.state(32872).checked);
    EXPECT_FALSE(d.state(32873).checked);
    d.run(32882);
    EXPECT_EQ(d.heads.sideScanRangeIndex, 15);
    EXPECT_EQ(d.heads.sideScanRange, 200);
    EXPECT_EQ(d.rangeInCommand(1), 200);
    EXPECT_TRUE(d.state(32882).checked);
}

TEST(RangeCommands, SpinsStayWithin10And300Metres) {
    Doc d;
    spinSideScanRange(d.heads, 100);
    EXPECT_EQ(d.heads.sideScanRangeIndex, 17);
    EXPECT_EQ(d.heads.sideScanRange, 300);
    spinSideScanRange(d.heads, -100);
    EXPECT_EQ(d.heads.sideScanRange, 10);
    spinEchoSounderRange(d.heads, 1);
    EXPECT_EQ(d.heads.echoSounderRangeIndex, 10);
    EXPECT_EQ(d.heads.echoSounderRange, 60);
    EXPECT_EQ(d.rangeInCommand(3), 60);
    EXPECT_EQ(d.rangeInCommand(0), 10);
    spinEchoSounderRange(d.heads, 50);
    EXPECT_EQ(d.heads.echoSounderRange, 300);
    // A hostile index from a settings file is brought back into the table.
    d.heads.sideScanRangeIndex = 1000;
    spinSideScanRange(d.heads, 0);
    EXPECT_EQ(d.heads.sideScanRangeIndex, 17);
    EXPECT_EQ(rangeForIndex(-4), 1);
    EXPECT_EQ(rangeForIndex(99), 500);
}

TEST(GainCommands, StopAtTheLimitsPerHead) {
    Doc d;
    d.heads.headGain = {40, 39, 6, 6};
    d.run(linkcmd::kGainUp);
    EXPECT_EQ(d.heads.headGain, (PerHead<std::int32_t>{40, 40, 7, 6}));
    EXPECT_EQ(d.heads.headCommand[2][38], 7);
    d.heads.headGain = {0, 1, 6, 6};
    d.run(linkcmd::kGainDown);
    EXPECT_EQ(d.heads.headGain, (PerHead<std::int32_t>{0, 0, 5, 6}));
    spinHeadGain(d.heads, 3, 50);
    EXPECT_EQ(d.heads.headGain[3], 40);
    EXPECT_EQ(d.heads.headCommand[3][38], 40);
    spinHeadGain(d.heads, 3, -41);
    EXPECT_EQ(d.heads.headGain[3], 0);
    spinHeadGain(d.heads, 7, 1);  // no such head: nothing happens
}

TEST(TransmitCommands, AllThreeSidescans) {
    Doc d;
    d.run(linkcmd::kXmitPortLow);
    d.run(linkcmd::kXmitPortMedium);
    d.run(linkcmd::kXmitStbdHigh);
    d.run(linkcmd::kXmitEchoSounder);
    EXPECT_EQ(d.heads.headXmitControl, (PerHead<std::uint8_t>{0x12, 0x12, 0x11, 0x11}));
    EXPECT_EQ(d.heads.headCommand[0][12], 0x12);
    EXPECT_EQ(d.heads.headCommand[3][12], 0x11);
    EXPECT_TRUE(d.state(linkcmd::kXmitPortMedium).checked);
    EXPECT_FALSE(d.state(linkcmd::kXmitStbdMedium).checked);
    d.run(linkcmd::kXmitPortLow);  // toggles back, the other bits stay
    EXPECT_EQ(d.heads.headXmitControl[0], 0x10);
}

TEST(TransmitCommands, TwoHeadsActOnTheDisplayPair) {
    Doc d;
    d.heads.headAvailable = {1, 0, 1, 1};
    applyDisplayPair(d.heads.headAvailable, d.link);  // pair L, H
    d.run(linkcmd::kXmitPortHigh);
    EXPECT_EQ(d.heads.headXmitControl[2], 0x12);
    EXPECT_TRUE(d.state(linkcmd::kXmitPortHigh).checked);
    d.run(linkcmd::kXmitPortMedium);
    d.run(linkcmd::kXmitStbdMedium);
    EXPECT_EQ(d.heads.headXmitControl, (PerHead<std::uint8_t>{0x10, 0x10, 0x12, 0x10}));
    EXPECT_FALSE(d.state(linkcmd::kXmitPortMedium).checked);
    d.run(linkcmd::kXmitStbdLow);
    EXPECT_EQ(d.heads.headXmitControl[0], 0x11);
}

TEST(AvailabilityCommands, InvertAndAskForARebuild) {
    Doc d;
    EXPECT_NE(d.run(41042) & kEffectRebuildConnections, 0u);
    EXPECT_EQ(d.heads.headAvailable[2], 0);
    EXPECT_TRUE(d.state(41042).checked);
    d.run(41042);
    EXPECT_EQ(d.heads.headAvailable[2], 1);
    EXPECT_FALSE(d.state(41042).checked);
}

TEST(LinkCommands, DisabledInPlaybackExceptTheFilterSwitches) {
    Doc d;
    d.link.playbackMode = 1;
    for (int id : {linkcmd::kRangeUp, linkcmd::kGainUp, 32875, linkcmd::kXmitPortLow, 41040}) {
        SCOPED_TRACE(id);
        EXPECT_FALSE(d.state(id).enabled);
        EXPECT_EQ(d.run(id), kEffectHandled);
    }
    EXPECT_EQ(d.heads.sideScanRangeIndex, 9);
    EXPECT_EQ(d.heads.headAvailable[0], 1);
    EXPECT_TRUE(d.state(linkcmd::kDepthFilter).enabled);
    d.run(linkcmd::kDepthFilter);
    EXPECT_EQ(d.orientation.filters[OrientationChannel::Depth].enabled, 1);
    EXPECT_TRUE(d.state(linkcmd::kDepthFilter).checked);
    EXPECT_EQ(d.run(12345), kEffectNone);
    EXPECT_FALSE(d.state(12345).handled);
}

TEST(LinkCommands, FilterSwitchesMapToTheirValues) {
    Doc d;
    const std::pair<int, OrientationChannel> map[] = {
        {41020, OrientationChannel::Roll},        {41021, OrientationChannel::Pitch},
        {41022, OrientationChannel::Heading},     {41023, OrientationChannel::Temperature},
        {41024, OrientationChannel::Depth},       {41025, OrientationChannel::Altitude}};
    const CommandMessage before = d.heads.headCommand[0];
    for (const auto& [id, channel] : map) {
        d.run(id);
        EXPECT_EQ(d.orientation.filters[channel].enabled, 1) << id;
    }
    for (const auto& [id, channel] : map) {
        d.run(id);
        EXPECT_EQ(d.orientation.filters[channel].enabled, 0) << id;
    }
    EXPECT_EQ(d.heads.headCommand[0], before);  // the commands are not touched
}

}  // namespace
}  // namespace hx
