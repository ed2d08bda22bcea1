// The reader on a real survey file: a 600 kHz two-channel sidescan towed by
// a small autonomous vehicle over a wreck (shared corpus, README beside it).
// What is expected here was read off that README and a hex dump.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "XtfCollector.h"
#include "export/ByteSource.h"
#include "export/XtfReader.h"

namespace hx {
namespace {

using xtftest::XtfCollector;

const std::string kRealFile = std::string(HX642_SHARED_DIR) + "/corpus/xtf/scotsman-iver2.xtf";

class XtfRealFileTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        FileSource src;
        ASSERT_TRUE(src.open(kRealFile)) << src.error();
        collected_ = new XtfCollector;
        report_ = new XtfReadReport(readXtf(src, *collected_));
    }
    static void TearDownTestSuite() {
        delete collected_;
        delete report_;
    }
    static XtfCollector* collected_;
    static XtfReadReport* report_;
};

XtfCollector* XtfRealFileTest::collected_ = nullptr;
XtfReadReport* XtfRealFileTest::report_ = nullptr;

TEST_F(XtfRealFileTest, HeaderAndChannelDescriptions) {
    ASSERT_TRUE(report_->headerOk) << report_->headerError;
    const XtfFileHeader& h = collected_->header;
    EXPECT_EQ(h.fileFormat, 0x7B);
    EXPECT_EQ(h.programName, "SEASCAN");
    EXPECT_EQ(h.sonarName, "HDS");
    EXPECT_EQ(h.navUnits, 3);
    EXPECT_EQ(h.headerBytes, 1024u);
    ASSERT_EQ(h.sonarChannels, 2);
    ASSERT_EQ(h.channels.size(), 2u);
    EXPECT_EQ(h.channels[0].name, "PORT");
    EXPECT_EQ(h.channels[0].typeOfChannel, 1);
    EXPECT_EQ(h.channels[1].name, "STARBOARD");
    EXPECT_EQ(h.channels[1].typeOfChannel, 2);
    for (const auto& c : h.channels) {
        EXPECT_EQ(c.bytesPerSample, 2);
        EXPECT_EQ(c.sampleFormat, 3);  // two-byte integers
        EXPECT_FLOAT_EQ(c.frequencyKHz, 600.0f);
    }
}

TEST_F(XtfRealFileTest, EveryByteAccountedForAndNoDamage) {
    EXPECT_EQ(report_->fileBytes, 2066304u);
    EXPECT_EQ(report_->headerBytes, 1024u);
    ASSERT_EQ(report_->packets.size(), 1u);
    EXPECT_EQ(report_->packets.at(0).count, 461u);
    EXPECT_EQ(report_->packets.at(0).bytes, 461u * 4480u);
    EXPECT_EQ(report_->skippedBytes, 0u);
    EXPECT_EQ(report_->damageCount, 0u);
    EXPECT_TRUE(report_->accountsForEveryByte());
    for (const auto& p : collected_->packets) EXPECT_EQ(p.bytes, 4480u) << "at " << p.offset;
}

TEST_F(XtfRealFileTest, EveryPingHasTwoChannelsOf1024SixteenBitSamples) {
    ASSERT_EQ(collected_->pings.size(), 461u);
    std::uint32_t expectedPing = 0;
    for (const auto& p : collected_->pings) {
        EXPECT_EQ(p.record.header.pingNumber, expectedPing++);
        EXPECT_FLOAT_EQ(p.record.header.soundVelocity, 750.0f);
        ASSERT_EQ(p.record.channels.size(), 2u);
        for (std::size_t c = 0; c < 2; ++c) {
            const XtfChannelData& ch = p.record.channels[c];
            EXPECT_EQ(ch.header.channelNumber, c);
            EXPECT_EQ(ch.header.numSamples, 1024u);
            EXPECT_EQ(ch.bytesPerSample, 2);
            EXPECT_EQ(ch.header.frequencyKHz, 600);
            EXPECT_NEAR(ch.header.slantRangeM, 29.98, 0.01);
        }
        EXPECT_EQ(p.record.paddingBytes, 0u);
    }
}

TEST_F(XtfRealFileTest, FirstAndLastPingTimesAndPositions) {
    ASSERT_EQ(collected_->pings.size(), 461u);
    const XtfPingHeader& first = collected_->pings.front().record.header;
    EXPECT_EQ(first.time.year, 2013);
    EXPECT_EQ(first.time.month, 9);
    EXPECT_EQ(first.time.day, 10);
    EXPECT_EQ(first.time.hour, 21);
    EXPECT_EQ(first.time.minute, 13);
    EXPECT_EQ(first.time.second, 8);
    EXPECT_EQ(first.shipX, 0.0);
    EXPECT_EQ(first.shipY, 0.0);

    // The second ping carries the vehicle's navigation and attitude.
    const XtfPingHeader& second = collected_->pings[1].record.header;
    EXPECT_NEAR(second.shipY, 48.44545, 1e-6);
    EXPECT_NEAR(second.shipX, -68.827935, 1e-6);
    EXPECT_EQ(second.sensorY, second.shipY);
    EXPECT_EQ(second.sensorX, second.shipX);
    EXPECT_NEAR(second.shipSpeedKnots, 1.71, 0.01);
    EXPECT_NEAR(second.shipGyroDeg, 354.18, 0.01);
    EXPECT_NEAR(second.sensorHeadingDeg, 354.18, 0.01);
    EXPECT_NEAR(second.sensorDepthM, 14.03, 0.01);
    EXPECT_NEAR(second.sensorPrimaryAltitudeM, 11.45, 0.01);
    EXPECT_NEAR(second.sensorPitchDeg, -20.7, 0.01);
    EXPECT_NEAR(second.sensorRollDeg, 3.9, 0.01);
    EXPECT_EQ(second.time.hundredths, 13);
    EXPECT_EQ(second.julianDay, 252);  // this writer counts 1 January as day 0

    const XtfPingHeader& last = collected_->pings.back().record.header;
    EXPECT_EQ(last.time.hour, 21);
    EXPECT_EQ(last.time.minute, 14);
    EXPECT_EQ(last.time.second, 0);
    EXPECT_EQ(last.time.hundredths, 23);
    EXPECT_NEAR(last.shipY, 48.445863, 1e-6);
    EXPECT_NEAR(last.shipX, -68.828337, 1e-6);
    // Around 48.446 N, 68.828 W throughout.
    for (std::size_t i = 1; i < collected_->pings.size(); ++i) {
        const auto& h = collected_->pings[i].record.header;
        EXPECT_NEAR(h.shipY, 48.446, 0.002) << "ping " << i;
        EXPECT_NEAR(h.shipX, -68.828, 0.002) << "ping " << i;
    }
}

TEST_F(XtfRealFileTest, AltitudeAndPortSideRunsFromFarToNear) {
    float maxAltitude = 0.0f;
    double portNear = 0, portFar = 0, stbdNear = 0, stbdFar = 0;
    for (const auto& p : collected_->pings) {
        maxAltitude = std::max(maxAltitude, p.record.header.sensorPrimaryAltitudeM);
        for (std::size_t i = 0; i < 128; ++i) {
            portFar += p.samples[0][i];
            portNear += p.samples[0][1023 - i];
            stbdNear += p.samples[1][i];
            stbdFar += p.samples[1][1023 - i];
        }
    }
    EXPECT_NEAR(maxAltitude, 11.45f, 0.01f);
    // The water column under the vehicle is dark: the port channel's last
    // samples and the starboard channel's first are the nearest.
    EXPECT_LT(portNear, portFar);
    EXPECT_LT(stbdNear, stbdFar);
}

}  // namespace
}  // namespace hx
