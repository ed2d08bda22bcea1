// Range, gain, transmit, availability and filter commands, their limits and
// the command bytes they change.
#include <gtest/gtest.h>

#include "core/ByteIO.h"
#include "link/DisplayPair.h"
#include "link/LinkDefaults.h"
#include "link/HeadSettings.h"
#include "link/LinkCommands.h"

namespace hx {
namespace {

constexpr LinkCommand kRangeUp{LinkAction::RangeUp};
constexpr LinkCommand kRangeDown{LinkAction::RangeDown};
constexpr LinkCommand kGainUp{LinkAction::GainUp};
constexpr LinkCommand kGainDown{LinkAction::GainDown};
constexpr LinkCommand transmit(TransmitEntry e) { return LinkCommand::transmit(e); }

struct Doc {
    HeadTable heads;
    LinkFields link;
    CycleValues cycle;
    OrientationState orientation;
    Doc() { initialiseLinkDefaults({heads, link, cycle, orientation}); }
    unsigned run(LinkCommand c) { return runLinkCommand(c, heads, link, orientation.filters); }
    LinkCommandState state(LinkCommand c) const { return linkCommandState(c, heads, link, orientation.filters); }
    int rangeInCommand(int h) const { return *readU16Le(heads.headCommand[static_cast<std::size_t>(h)], 34); }
};

TEST(RangeCommands, UpAndDownWithTheirLimits) {
    Doc d;
    const int expectedUp[] = {60, 80, 100, 120};
    for (int r : expectedUp) {
        EXPECT_NE(d.run(kRangeUp) & kEffectRefreshControlBar, 0u);
        EXPECT_EQ(d.heads.sideScanRange, r);
        EXPECT_EQ(d.rangeInCommand(0), r);
        EXPECT_EQ(d.rangeInCommand(2), r);
    }
    selectSideScanRange(d.heads, 19);
    EXPECT_EQ(d.heads.sideScanRange, 500);
    EXPECT_EQ(d.run(kRangeUp), kEffectNone);  // at 500 m nothing changes
    EXPECT_EQ(d.heads.sideScanRangeIndex, 19);
    for (int i = 0; i < 14; ++i) d.run(kRangeDown);
    EXPECT_EQ(d.heads.sideScanRange, 10);
    EXPECT_EQ(d.heads.sideScanRangeIndex, 5);
    EXPECT_EQ(d.run(kRangeDown), kEffectNone);
    EXPECT_EQ(d.heads.sideScanRangeIndex, 5);
    // The echo sounder keeps its own range in its command.
    EXPECT_EQ(d.rangeInCommand(3), 50);
}

TEST(RangeCommands, MenuChoicesAndCheckMark) {
    Doc d;
    EXPECT_NE(d.run(LinkCommand::rangeChoice(5)) & kEffectRedrawViews, 0u);
    EXPECT_EQ(d.heads.sideScanRangeIndex, 5);
    EXPECT_EQ(d.heads.sideScanRange, 10);
    EXPECT_TRUE(d.state(LinkCommand::rangeChoice(5)).checked);
    EXPECT_FALSE(d.state(LinkCommand::rangeChoice(6)).checked);
    d.run(LinkCommand::rangeChoice(15));
    EXPECT_EQ(d.heads.sideScanRangeIndex, 15);
    EXPECT_EQ(d.heads.sideScanRange, 200);
    EXPECT_EQ(d.rangeInCommand(1), 200);
    EXPECT_TRUE(d.state(LinkCommand::rangeChoice(15)).checked);
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
    d.run(kGainUp);
    EXPECT_EQ(d.heads.headGain, (PerHead<std::int32_t>{40, 40, 7, 6}));
    EXPECT_EQ(d.heads.headCommand[2][38], 7);
    d.heads.headGain = {0, 1, 6, 6};
    d.run(kGainDown);
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
    d.run(transmit(TransmitEntry::PortLow));
    d.run(transmit(TransmitEntry::PortMedium));
    d.run(transmit(TransmitEntry::StbdHigh));
    d.run(transmit(TransmitEntry::EchoSounder));
    EXPECT_EQ(d.heads.headXmitControl, (PerHead<std::uint8_t>{0x12, 0x12, 0x11, 0x11}));
    EXPECT_EQ(d.heads.headCommand[0][12], 0x12);
    EXPECT_EQ(d.heads.headCommand[3][12], 0x11);
    EXPECT_TRUE(d.state(transmit(TransmitEntry::PortMedium)).checked);
    EXPECT_FALSE(d.state(transmit(TransmitEntry::StbdMedium)).checked);
    d.run(transmit(TransmitEntry::PortLow));  // toggles back, the other bits stay
    EXPECT_EQ(d.heads.headXmitControl[0], 0x10);
}

TEST(TransmitCommands, TwoHeadsActOnTheDisplayPair) {
    Doc d;
    d.heads.headAvailable = {1, 0, 1, 1};
    applyDisplayPair(d.heads.headAvailable, d.link);  // pair L, H
    d.run(transmit(TransmitEntry::PortHigh));
    EXPECT_EQ(d.heads.headXmitControl[2], 0x12);
    EXPECT_TRUE(d.state(transmit(TransmitEntry::PortHigh)).checked);
    d.run(transmit(TransmitEntry::PortMedium));
    d.run(transmit(TransmitEntry::StbdMedium));
    EXPECT_EQ(d.heads.headXmitControl, (PerHead<std::uint8_t>{0x10, 0x10, 0x12, 0x10}));
    EXPECT_FALSE(d.state(transmit(TransmitEntry::PortMedium)).checked);
    d.run(transmit(TransmitEntry::StbdLow));
    EXPECT_EQ(d.heads.headXmitControl[0], 0x11);
}

TEST(AvailabilityCommands, InvertAndAskForARebuild) {
    Doc d;
    EXPECT_NE(d.run(LinkCommand::notAvailable(kHeadH)) & kEffectRebuildConnections, 0u);
    EXPECT_EQ(d.heads.headAvailable[2], 0);
    EXPECT_TRUE(d.state(LinkCommand::notAvailable(kHeadH)).checked);
    d.run(LinkCommand::notAvailable(kHeadH));
    EXPECT_EQ(d.heads.headAvailable[2], 1);
    EXPECT_FALSE(d.state(LinkCommand::notAvailable(kHeadH)).checked);
}

TEST(LinkCommands, DisabledInPlaybackExceptTheFilterSwitches) {
    Doc d;
    d.link.playbackMode = 1;
    const LinkCommand realTimeOnly[] = {kRangeUp, kGainUp, LinkCommand::rangeChoice(8),
                                        transmit(TransmitEntry::PortLow), LinkCommand::notAvailable(kHeadL)};
    for (const LinkCommand& c : realTimeOnly) {
        SCOPED_TRACE(static_cast<int>(c.action));
        EXPECT_FALSE(d.state(c).enabled);
        EXPECT_EQ(d.run(c), kEffectNone);
    }
    EXPECT_EQ(d.heads.sideScanRangeIndex, 9);
    EXPECT_EQ(d.heads.headAvailable[0], 1);
    const LinkCommand depth = LinkCommand::filter(OrientationChannel::Depth);
    EXPECT_TRUE(d.state(depth).enabled);
    d.run(depth);
    EXPECT_EQ(d.orientation.filters[OrientationChannel::Depth].enabled, 1);
    EXPECT_TRUE(d.state(depth).checked);
    // Arguments out of range do nothing.
    EXPECT_EQ(d.run(LinkCommand::filter(static_cast<OrientationChannel>(9))), kEffectNone);
    d.link.playbackMode = 0;
    EXPECT_EQ(d.run(LinkCommand::notAvailable(7)), kEffectNone);
    EXPECT_EQ(d.run({LinkAction::ToggleTransmit, 42}), kEffectNone);
}

TEST(LinkCommands, FilterSwitchesMapToTheirValues) {
    Doc d;
    const OrientationChannel channels[] = {OrientationChannel::Roll, OrientationChannel::Pitch,
                                           OrientationChannel::Heading, OrientationChannel::Temperature,
                                           OrientationChannel::Depth, OrientationChannel::Altitude};
    const CommandMessage before = d.heads.headCommand[0];
    for (OrientationChannel channel : channels) {
        d.run(LinkCommand::filter(channel));
        EXPECT_EQ(d.orientation.filters[channel].enabled, 1) << static_cast<int>(channel);
    }
    for (OrientationChannel channel : channels) {
        d.run(LinkCommand::filter(channel));
        EXPECT_EQ(d.orientation.filters[channel].enabled, 0) << static_cast<int>(channel);
    }
    EXPECT_EQ(d.heads.headCommand[0], before);  // the commands are not touched
}

}  // namespace
}  // namespace hx
