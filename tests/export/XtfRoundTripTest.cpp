// XTF written by the writer and read back by the reader: header fields,
// every sample, positions, times, the other packets, padding and sizes.
#include <gtest/gtest.h>

#include <cmath>

#include "XtfCollector.h"
#include "XtfSamples.h"
#include "export/ByteSource.h"
#include "export/XtfChannels.h"
#include "export/XtfEncode.h"
#include "export/XtfFormat.h"
#include "export/XtfReader.h"
#include "export/XtfWriter.h"

namespace hx {
namespace {

using namespace xtftest;

const char* kGga = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47";

struct Written {
    MemorySink sink;
    XtfWriteCounts counts;
};

// Pings 1..n with all six channels; after ping 2 a raw serial and an
// attitude packet, after ping 3 a note.
void writeSurvey(Written& w, std::uint32_t n) {
    XtfWriter writer(w.sink);
    ASSERT_EQ(writer.begin(sixChannelInfo()), XtfWriteStatus::Written);
    for (std::uint32_t ping = 1; ping <= n; ++ping) {
        const PingSamples s = samplesFor(ping);
        ASSERT_EQ(writer.writePing(pingFor(ping, s)), XtfWriteStatus::Written) << writer.lastError();
        if (ping == 2) {
            ASSERT_EQ(writer.writeSerial({timeOfPing(ping), 1, kGga}), XtfWriteStatus::Written);
            ASSERT_EQ(writer.writeAttitude({timeOfPing(ping), -1.5, 2.25, 0.125, 3.0, 351.75}), XtfWriteStatus::Written);
        }
        if (ping == 3) {
            const std::string text = xtfEventNoteText(7, ping, "Wreck, bow \xE9paul & <mast>\n");
            ASSERT_EQ(writer.writeNote({timeOfPing(ping), text}), XtfWriteStatus::Written);
        }
    }
    w.counts = writer.counts();
}

XtfReadReport readBack(const std::vector<std::uint8_t>& bytes, XtfCollector& out) {
    MemorySource src(bytes);
    return readXtf(src, out);
}

TEST(XtfRoundTrip, HeaderNamesOurProgramSerialAndChannels) {
    Written w;
    writeSurvey(w, 1);
    XtfCollector c;
    const auto report = readBack(w.sink.bytes(), c);
    ASSERT_TRUE(report.headerOk) << report.headerError;
    const XtfFileHeader& h = c.header;
    EXPECT_EQ(h.fileFormat, 0x7B);
    EXPECT_EQ(h.programName, "HX642");
    EXPECT_EQ(h.programVersion, "0.1.0");
    EXPECT_EQ(h.sonarName, "HX642");
    EXPECT_EQ(h.note, "Serial number A12345");
    EXPECT_EQ(h.thisFileName, "survey-0001.642");
    EXPECT_EQ(h.navUnits, 3);
    EXPECT_EQ(h.headerBytes, 1024u);
    ASSERT_EQ(h.sonarChannels, 6);
    EXPECT_EQ(h.bathymetryChannels, 0);
    const auto info = sixChannelInfo();
    for (std::size_t i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(h.channels[i].name, info.channels[i].name);
        EXPECT_EQ(h.channels[i].typeOfChannel, i % 2 == 0 ? 1 : 2);
        EXPECT_EQ(h.channels[i].subChannelNumber, i);
        EXPECT_EQ(h.channels[i].bytesPerSample, 1);
        EXPECT_EQ(h.channels[i].uniPolar, 1);
        EXPECT_EQ(h.channels[i].sampleFormat, 8);
        EXPECT_FLOAT_EQ(h.channels[i].frequencyKHz, static_cast<float>(info.channels[i].frequencyKHz));
    }
}

TEST(XtfRoundTrip, EveryPingSampleTimeAndPositionComesBack) {
    Written w;
    writeSurvey(w, 30);
    XtfCollector c;
    const auto report = readBack(w.sink.bytes(), c);
    ASSERT_EQ(c.pings.size(), 30u);
    EXPECT_EQ(report.damageCount, 0u);
    for (std::uint32_t ping = 1; ping <= 30; ++ping) {
        SCOPED_TRACE(ping);
        const PingSamples s = samplesFor(ping);
        const XtfPing in = pingFor(ping, s);
        const CollectedPing& out = c.pings[ping - 1];
        const XtfPingHeader& h = out.record.header;
        EXPECT_EQ(h.headerType, 0);
        EXPECT_EQ(h.pingNumber, ping);
        EXPECT_EQ(h.time.year, in.time.year);
        EXPECT_EQ(h.time.month, in.time.month);
        EXPECT_EQ(h.time.day, in.time.day);
        EXPECT_EQ(h.time.hour, in.time.hour);
        EXPECT_EQ(h.time.minute, in.time.minute);
        EXPECT_EQ(h.time.second, in.time.second);
        EXPECT_EQ(h.time.hundredths, in.time.millisecond / 10);
        EXPECT_EQ(h.julianDay, in.time.day == 7 ? 341 : 342);  // 7 December 2026 is day 341
        EXPECT_EQ(h.shipY, in.position->latDeg);
        EXPECT_EQ(h.shipX, in.position->lonDeg);
        EXPECT_EQ(h.sensorY, in.position->latDeg);
        EXPECT_EQ(h.sensorX, in.position->lonDeg);
        EXPECT_FLOAT_EQ(h.soundVelocity, 750.0f);
        EXPECT_FLOAT_EQ(h.shipSpeedKnots, 3.5f);
        EXPECT_FLOAT_EQ(h.shipGyroDeg, 354.25f);
        EXPECT_FLOAT_EQ(h.sensorHeadingDeg, 352.5f);
        EXPECT_FLOAT_EQ(h.sensorPitchDeg, -1.25f);
        EXPECT_FLOAT_EQ(h.sensorRollDeg, 2.5f);
        EXPECT_FLOAT_EQ(h.sensorDepthM, 14.03f);
        EXPECT_FLOAT_EQ(h.sensorPrimaryAltitudeM, 11.45f);
        ASSERT_EQ(out.record.channels.size(), 6u);
        for (std::size_t ch = 0; ch < 6; ++ch) {
            const XtfChannelHeader& chh = out.record.channels[ch].header;
            EXPECT_EQ(chh.channelNumber, ch);
            EXPECT_FLOAT_EQ(chh.slantRangeM, 75.0f);
            EXPECT_FLOAT_EQ(chh.timeDurationS, 0.1f);  // 2 x 75 m at 1500 m/s
            EXPECT_FLOAT_EQ(chh.secondsPerPing, 0.1f);
            EXPECT_EQ(chh.frequencyKHz, static_cast<std::uint16_t>(in.channels[ch].frequencyKHz));
            EXPECT_EQ(chh.gainCode, 20 + ch);
            ASSERT_EQ(chh.numSamples, 1000u);
            EXPECT_TRUE(std::equal(s.channel[ch].begin(), s.channel[ch].end(), out.samples[ch].begin()))
                << "channel " << ch;
        }
    }
}

TEST(XtfRoundTrip, SerialAttitudeAndNotePackets) {
    Written w;
    writeSurvey(w, 4);
    XtfCollector c;
    readBack(w.sink.bytes(), c);

    ASSERT_EQ(c.serials.size(), 1u);
    EXPECT_EQ(c.serials[0].text, kGga);
    EXPECT_EQ(c.serials[0].port, 1);
    EXPECT_EQ(c.serials[0].time.hundredths, timeOfPing(2).millisecond / 10);
    EXPECT_EQ(c.serials[0].timeTag, millisecondOfDay(timeOfPing(2)));

    ASSERT_EQ(c.attitudes.size(), 1u);
    const XtfAttitudeRecord& a = c.attitudes[0];
    EXPECT_FLOAT_EQ(a.pitchDeg, -1.5f);
    EXPECT_FLOAT_EQ(a.rollDeg, 2.25f);
    EXPECT_FLOAT_EQ(a.heaveM, 0.125f);
    EXPECT_FLOAT_EQ(a.yawDeg, 3.0f);
    EXPECT_FLOAT_EQ(a.headingDeg, 351.75f);
    EXPECT_EQ(a.milliseconds, timeOfPing(2).millisecond);
    EXPECT_EQ(a.sourceEpoch, static_cast<std::uint32_t>(unixSeconds(timeOfPing(2))));

    ASSERT_EQ(c.notes.size(), 1u);
    EXPECT_EQ(c.notes[0].text, "Event 7, ping 3: Wreck, bow \xE9paul & <mast>");
    EXPECT_EQ(c.notes[0].time.second, timeOfPing(3).second);

    // Order in the file: ping 1, ping 2, serial, attitude, ping 3, note, ping 4.
    std::vector<int> types;
    for (const auto& p : c.packets) types.push_back(p.headerType);
    EXPECT_EQ(types, (std::vector<int>{0, 0, 6, 3, 0, 1, 0}));
}

TEST(XtfRoundTrip, PacketsArePaddedWithZerosToMultiplesOf64) {
    Written w;
    writeSurvey(w, 4);
    XtfCollector c;
    const auto report = readBack(w.sink.bytes(), c);
    EXPECT_TRUE(report.accountsForEveryByte());
    EXPECT_EQ(report.fileBytes, w.counts.bytes);
    for (const auto& p : c.packets) EXPECT_EQ(p.bytes % 64, 0u) << "packet at " << p.offset;
    // 256 + 6 x (64 + 1000) = 6640, padded to 6656.
    EXPECT_EQ(report.packets.at(kXtfSonar).bytes, 4u * 6656u);
    for (const auto& p : c.pings) {
        EXPECT_EQ(p.record.paddingBytes, 16u);
        EXPECT_TRUE(p.record.paddingIsZero);
    }
    EXPECT_EQ(report.packets.at(kXtfRawSerial).bytes, 128u);  // 30 + 66 characters
    EXPECT_EQ(report.packets.at(kXtfAttitude).bytes, 64u);
    EXPECT_EQ(report.packets.at(kXtfNotes).bytes, 256u);
}

TEST(XtfRoundTrip, PacketSizesForChannelCountsAndTextLengths) {
    const auto info = sixChannelInfo();
    const PingSamples s = samplesFor(1);
    struct Case {
        std::size_t channels;
        std::size_t bytes;
    };
    for (const Case& k : {Case{1, 1344}, Case{2, 2432}, Case{3, 3456}, Case{6, 6656}}) {
        std::vector<std::uint8_t> out;
        std::string reason;
        ASSERT_TRUE(encodeXtfPing(info, pingFor(1, s, k.channels), out, reason)) << reason;
        EXPECT_EQ(out.size(), k.bytes) << k.channels << " channels";
        EXPECT_EQ(*readU32Le(out, 10), k.bytes);
    }
    for (const auto& [length, bytes] : std::vector<std::pair<std::size_t, std::size_t>>{
             {0, 64}, {34, 64}, {35, 128}, {98, 128}, {99, 192}}) {
        std::vector<std::uint8_t> out;
        std::string reason;
        ASSERT_TRUE(encodeXtfSerial({timeOfPing(1), 0, std::string(length, 'x')}, out, reason));
        EXPECT_EQ(out.size(), bytes) << length << " characters";
        EXPECT_EQ(*readU32Le(out, 10), bytes);
    }
}

TEST(XtfRoundTrip, SevenChannelsGrowTheHeaderToTwoKilobytes) {
    XtfFileInfo info = sixChannelInfo();
    info.channels.push_back({XtfSide::Port, "EXTRA", 100.0});
    MemorySink sink;
    XtfWriter writer(sink);
    ASSERT_EQ(writer.begin(info), XtfWriteStatus::Written);
    const PingSamples s = samplesFor(1);
    XtfPing p = pingFor(1, s);
    p.channels.push_back({6, 50.0, 100.0, 0, s.channel[0]});
    ASSERT_EQ(writer.writePing(p), XtfWriteStatus::Written);
    XtfCollector c;
    const auto report = readBack(sink.bytes(), c);
    EXPECT_EQ(report.headerBytes, 2048u);
    ASSERT_EQ(c.header.channels.size(), 7u);
    EXPECT_EQ(c.header.channels[6].name, "EXTRA");
    ASSERT_EQ(c.pings.size(), 1u);
    EXPECT_EQ(c.pings[0].record.channels.size(), 7u);
    EXPECT_TRUE(report.accountsForEveryByte());
}

TEST(XtfRoundTrip, PingWithoutPositionOrSensorsStoresZeros) {
    MemorySink sink;
    XtfWriter writer(sink);
    ASSERT_EQ(writer.begin(sixChannelInfo()), XtfWriteStatus::Written);
    const PingSamples s = samplesFor(1);
    XtfPing p = pingFor(1, s, 2);
    p.position.reset();
    p.speedKnots.reset();
    p.headingDeg = std::nan("");
    ASSERT_EQ(writer.writePing(p), XtfWriteStatus::Written);
    XtfCollector c;
    readBack(sink.bytes(), c);
    ASSERT_EQ(c.pings.size(), 1u);
    EXPECT_EQ(c.pings[0].record.header.shipX, 0.0);
    EXPECT_EQ(c.pings[0].record.header.shipY, 0.0);
    EXPECT_EQ(c.pings[0].record.header.shipSpeedKnots, 0.0f);
    EXPECT_EQ(c.pings[0].record.header.sensorHeadingDeg, 0.0f);
}

TEST(XtfRoundTrip, UnusablePingsAreRejectedWholeAndTheFileStaysClean) {
    const PingSamples s = samplesFor(1);
    struct Case {
        const char* what;
        XtfPing ping;
    };
    std::vector<Case> cases;
    auto base = [&] { return pingFor(1, s, 2); };
    {
        XtfPing p = base();
        p.channels[1].channel = 6;
        cases.push_back({"undeclared channel", p});
    }
    {
        XtfPing p = base();
        std::swap(p.channels[0], p.channels[1]);
        cases.push_back({"channels out of order", p});
    }
    {
        XtfPing p = base();
        p.channels[1].channel = 0;
        cases.push_back({"channel twice", p});
    }
    {
        XtfPing p = base();
        p.time.month = 13;
        cases.push_back({"invalid time", p});
    }
    {
        XtfPing p = base();
        p.time = {2026, 2, 29, 12, 0, 0, 0};
        cases.push_back({"29 February in a common year", p});
    }
    {
        XtfPing p = base();
        p.channels.clear();
        cases.push_back({"no channel", p});
    }
    {
        XtfPing p = base();
        p.channels[0].samples = {};
        cases.push_back({"no samples", p});
    }
    {
        XtfPing p = base();
        p.channels[0].slantRangeM = std::nan("");
        cases.push_back({"range not a number", p});
    }
    {
        XtfPing p = base();
        p.soundVelocityMps = 0.0;
        cases.push_back({"no sound velocity", p});
    }

    MemorySink sink;
    XtfWriter writer(sink);
    ASSERT_EQ(writer.begin(sixChannelInfo()), XtfWriteStatus::Written);
    ASSERT_EQ(writer.writePing(base()), XtfWriteStatus::Written);
    for (const Case& k : cases) {
        const std::size_t before = sink.bytes().size();
        EXPECT_EQ(writer.writePing(k.ping), XtfWriteStatus::Rejected) << k.what;
        EXPECT_FALSE(writer.lastError().empty()) << k.what;
        EXPECT_EQ(sink.bytes().size(), before) << k.what;
    }
    ASSERT_EQ(writer.writePing(pingFor(2, s, 2)), XtfWriteStatus::Written);
    EXPECT_EQ(writer.counts().pings, 2u);
    EXPECT_EQ(writer.counts().rejected, cases.size());

    XtfCollector c;
    const auto report = readBack(sink.bytes(), c);
    EXPECT_EQ(c.pings.size(), 2u);
    EXPECT_EQ(report.damageCount, 0u);
    EXPECT_TRUE(report.accountsForEveryByte());
}

TEST(XtfRoundTrip, WriterRefusesPacketsBeforeItsHeader) {
    MemorySink sink;
    XtfWriter writer(sink);
    const PingSamples s = samplesFor(1);
    EXPECT_EQ(writer.writePing(pingFor(1, s)), XtfWriteStatus::Failed);
    EXPECT_TRUE(sink.bytes().empty());
    XtfFileInfo none;
    EXPECT_EQ(writer.begin(none), XtfWriteStatus::Failed);  // no channel to describe
    EXPECT_TRUE(sink.bytes().empty());
}

}  // namespace
}  // namespace hx

namespace hx {
namespace {

TEST(XtfChannels, HeadsPresentGiveTheirChannelsInHeadOrder) {
    struct Case {
        SideScanPresence present;
        std::vector<std::string> names;
        int stbdOfH;  // -1: none
    };
    const std::vector<Case> cases = {
        {{true, true, true}, {"L PORT", "L STBD", "M PORT", "M STBD", "H PORT", "H STBD"}, 5},
        {{false, false, true}, {"H PORT", "H STBD"}, 1},
        {{true, false, true}, {"L PORT", "L STBD", "H PORT", "H STBD"}, 3},
        {{true, true, false}, {"L PORT", "L STBD", "M PORT", "M STBD"}, -1},
        {{false, false, false}, {}, -1},
    };
    for (const Case& k : cases) {
        const auto channels = xtfSideScanChannels(k.present, {120.0, 260.0, 540.0});
        std::vector<std::string> names;
        for (const auto& c : channels) names.push_back(c.name);
        EXPECT_EQ(names, k.names);
        const auto h = xtfChannelOf(k.present, kHeadH, XtfSide::Starboard);
        EXPECT_EQ(h ? int{*h} : -1, k.stbdOfH);
        for (std::size_t i = 0; i < channels.size(); ++i)
            EXPECT_EQ(channels[i].side, i % 2 == 0 ? XtfSide::Port : XtfSide::Starboard);
    }
    EXPECT_EQ(xtfChannelOf({true, true, true}, kHeadES, XtfSide::Port), std::nullopt);
    EXPECT_EQ(xtfSideScanChannels({false, true, false}, {120.0, 260.0, 540.0})[0].frequencyKHz, 260.0);
}

TEST(XtfChannels, AnEchoLineSplitsIntoPortFarToNearAndStarboardNearToFar) {
    // An echo line as the data file stores it: 1000 port samples from the
    // farthest to the nearest, then 1000 starboard samples nearest first.
    std::array<std::uint8_t, 2000> echo{};
    for (std::size_t i = 0; i < 1000; ++i) {
        echo[i] = static_cast<std::uint8_t>(200 - i / 10);        // port: far dim .. near bright
        echo[1000 + i] = static_cast<std::uint8_t>(100 + i / 10);  // starboard: near .. far
    }
    const SideScanPresence present{false, true, false};
    XtfFileInfo info;
    info.channels = xtfSideScanChannels(present, {0.0, 260.0, 0.0});
    XtfPing ping;
    ping.time = {2026, 12, 7, 14, 5, 9, 123};
    const std::span<const std::uint8_t> line(echo);
    ping.channels.push_back({*xtfChannelOf(present, kHeadM, XtfSide::Port), 50.0, 260.0, 0, line.first(1000)});
    ping.channels.push_back({*xtfChannelOf(present, kHeadM, XtfSide::Starboard), 50.0, 260.0, 0, line.subspan(1000)});
    ping.shipHeadingDeg = 12.5;
    ping.courseDeg = 300.0;

    MemorySink sink;
    XtfWriter writer(sink);
    ASSERT_EQ(writer.begin(info), XtfWriteStatus::Written);
    ASSERT_EQ(writer.writePing(ping), XtfWriteStatus::Written);
    xtftest::XtfCollector c;
    MemorySource src(sink.bytes());
    readXtf(src, c);
    ASSERT_EQ(c.pings.size(), 1u);
    const auto& s = c.pings[0].samples;
    EXPECT_EQ(s[0].front(), echo[0]);      // port channel begins at the far end
    EXPECT_EQ(s[0].back(), echo[999]);     // and ends next to the vehicle
    EXPECT_EQ(s[1].front(), echo[1000]);   // starboard begins next to the vehicle
    EXPECT_EQ(s[1].back(), echo[1999]);
    EXPECT_EQ(c.header.channels[0].name, "M PORT");
    EXPECT_FLOAT_EQ(c.pings[0].record.header.shipGyroDeg, 12.5f);  // the ship's heading before its course
}

}  // namespace
}  // namespace hx
