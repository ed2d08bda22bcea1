// The record codec: field offsets, lengths, the "$GPS" rule, round trips
// over every set of heads, and the header checks that decide what counts as
// a record start.
#include <gtest/gtest.h>

#include <cstring>

#include "RecordSamples.h"
#include "core/ByteIO.h"
#include "record/DataRecord.h"
#include "record/RecordTime.h"

namespace hx {
namespace {

using rectest::headSet;
using rectest::sampleRecordBytes;
using rectest::SampleDocument;

std::string textAt(const std::vector<std::uint8_t>& b, std::size_t at, std::size_t n) {
    return std::string(reinterpret_cast<const char*>(b.data() + at), n);
}

void expectZeros(const std::vector<std::uint8_t>& b, std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i) EXPECT_EQ(b[i], 0) << "byte " << i;
}

TEST(DataRecordLayout, HeaderFieldsSitAtTheirOffsets) {
    SampleDocument doc;
    doc.setHeads({true, false, false, true});  // L and ES
    doc.setSystemInfo(true);
    doc.gpsType = 2;
    auto b = sampleRecordBytes(doc, 0x01020304, 0x8005);
    // A real stamp: 7 December 2026, 14:05:09.123.
    ASSERT_EQ(b.size(), 6304u);

    LocalTime t{2026, 12, 1, 7, 14, 5, 9, 123};
    doc.cycle.pingDateText = formatDateText(t);
    doc.cycle.pingTimeText = formatTimeText(t);
    doc.cycle.pingMillisecondsText = formatMillisecondsText(t);
    b.clear();
    encodeRecord(recordFromDocument(doc.sources(), 0x01020304, 0x8005), b);

    EXPECT_EQ(textAt(b, 0, 4), std::string("642\0", 4));
    EXPECT_EQ(readU32Le(b, 4), 0x01020304u);
    EXPECT_EQ(readU32Le(b, 8), 6304u);
    EXPECT_EQ(readU16Le(b, 12), 1000);
    expectZeros(b, 14, 16);
    EXPECT_EQ(textAt(b, 16, 12), std::string("07-DEC-2026\0", 12));
    EXPECT_EQ(textAt(b, 28, 9), std::string("14:05:09\0", 9));
    EXPECT_EQ(textAt(b, 37, 5), std::string(".123\0", 5));
    expectZeros(b, 42, 46);
    EXPECT_EQ(b[46], 2);
    EXPECT_EQ(b[47], 1);
    EXPECT_EQ(b[48], 0);
    EXPECT_EQ(b[49], 0);
    EXPECT_EQ(b[50], 1);
    EXPECT_EQ(b[51], 0x24);                 // GPS type 2 in the high nibble, 4 in the low
    EXPECT_EQ(readU16Le(b, 52), 5024);      // sentence block after two head blocks
    EXPECT_EQ(b[54], 1);
    EXPECT_EQ(readU16Le(b, 55), 6048);      // system information after the sentence block
    EXPECT_EQ(b[57], 1);
    expectZeros(b, 58, 64);
    EXPECT_EQ(readU16Le(b, 64), 0x8005);
    EXPECT_EQ(readU16Le(b, 66), 15000);
    expectZeros(b, 68, 70);
    EXPECT_EQ(readU16Le(b, 70), 180);
    expectZeros(b, 72, 256);
    // The system information block is the reply as received.
    EXPECT_TRUE(std::equal(doc.link.systemInfo.begin(), doc.link.systemInfo.end(), b.begin() + 6048));
}

TEST(DataRecordLayout, HeadBlocksCarryTheHeadsInHeadOrder) {
    SampleDocument doc;
    doc.setHeads({true, false, true, true});
    doc.heads.headFrequency = {120000, 260000, 675000, 200000};
    doc.heads.sideScanRange = 75;
    doc.heads.echoSounderRange = 30;
    doc.heads.headGain = {6, 7, 8, 9};
    doc.heads.headXmitControl = {0x10, 0x11, 0x12, 0x13};
    auto b = sampleRecordBytes(doc, 9);
    ASSERT_EQ(b.size(), 256u + 3 * 2384 + 1024);

    const int order[] = {kHeadL, kHeadH, kHeadES};
    for (int k = 0; k < 3; ++k) {
        const int h = order[k];
        const std::size_t at = 256 + 2384 * static_cast<std::size_t>(k);
        SCOPED_TRACE(h);
        EXPECT_EQ(textAt(b, at, 5), "Sonar");
        EXPECT_EQ(b[at + 5], h);
        EXPECT_EQ(readU16Le(b, at + 6), 2000);
        expectZeros(b, at + 8, at + 10);
        EXPECT_EQ(readU32Le(b, at + 10), static_cast<std::uint32_t>(doc.heads.headFrequency[h]));
        EXPECT_EQ(readU16Le(b, at + 14), h == kHeadES ? 30 : 75);
        expectZeros(b, at + 16, at + 18);
        EXPECT_EQ(b[at + 18], doc.heads.headGain[h]);
        EXPECT_EQ(b[at + 19], 0);
        EXPECT_EQ(b[at + 20], h == kHeadES ? 0 : doc.heads.headXmitControl[h]);
        expectZeros(b, at + 21, at + 128);
        EXPECT_TRUE(std::equal(doc.heads.headCommand[h].begin(), doc.heads.headCommand[h].end(), b.begin() + at + 128));
        EXPECT_TRUE(std::equal(doc.heads.headReplyHeader[h].begin(), doc.heads.headReplyHeader[h].end(),
                               b.begin() + at + 256));
        EXPECT_TRUE(std::equal(doc.heads.headDisplayLine[h].begin() + 24, doc.heads.headDisplayLine[h].begin() + 2024,
                               b.begin() + at + 384));
    }
}

TEST(DataRecordLayout, RecordLengthFollowsHeadsAndSystemInformation) {
    EXPECT_EQ(recordLengthFor(4, true), 11072u);
    EXPECT_EQ(recordLengthFor(3, false), 8432u);
    EXPECT_EQ(recordLengthFor(2, false), 6048u);
    EXPECT_EQ(recordLengthFor(2, true), 6304u);
    EXPECT_EQ(kMaxRecordBytes, 11072u);
    SampleDocument doc;
    for (unsigned bits = 1; bits < 16; ++bits) {
        for (bool sys : {false, true}) {
            doc.setHeads(headSet(bits));
            doc.setSystemInfo(sys);
            const auto b = sampleRecordBytes(doc, bits);
            const int n = headBlockCount(headSet(bits));
            EXPECT_EQ(b.size(), recordLengthFor(n, sys));
            EXPECT_EQ(readU16Le(b, 52), 256 + 2384 * n);
            EXPECT_EQ(readU16Le(b, 55), sys ? 256 + 2384 * n + 1024 : 0);
        }
    }
}

TEST(DataRecordLayout, SentenceBlockSlotsAndTheNoGpsText) {
    SampleDocument doc;
    doc.setHeads({true, true, true, true});
    doc.setSystemInfo(false);
    doc.sentences = {};
    auto b = sampleRecordBytes(doc, 1);
    const std::size_t at = 256 + 4 * 2384;
    EXPECT_EQ(textAt(b, at, 5), std::string("$GPS\0", 5));
    expectZeros(b, at + 4, at + 1024);

    doc.sentences[0] = "";
    doc.sentences[3] = "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A";
    doc.sentences[9] = std::string(150, 'x');  // longer than a slot
    b = sampleRecordBytes(doc, 1);
    EXPECT_EQ(textAt(b, at, 4), "$GPS");
    EXPECT_EQ(textAt(b, at + 300, doc.sentences[3].size()), doc.sentences[3]);
    EXPECT_EQ(b[at + 300 + doc.sentences[3].size()], 0);
    EXPECT_EQ(textAt(b, at + 900, 99), std::string(99, 'x'));
    EXPECT_EQ(b[at + 999], 0);
    expectZeros(b, at + 1000, at + 1024);
}

TEST(DataRecordCodec, RoundTripsEveryHeadSetWithAndWithoutSystemInformation) {
    SampleDocument doc;
    for (unsigned bits = 1; bits < 16; ++bits) {
        for (bool sys : {false, true}) {
            SCOPED_TRACE(testing::Message() << "heads " << bits << " sys " << sys);
            doc.setHeads(headSet(bits));
            doc.setSystemInfo(sys);
            doc.heads.headGain = {1, 2, 3, 4};
            doc.heads.headXmitControl = {0x10, 0x12, 0x13, 0x11};
            const DataRecord written = recordFromDocument(doc.sources(), 1000 + bits, sys ? 0x8063 : 0);
            std::vector<std::uint8_t> b;
            encodeRecord(written, b);
            const auto decoded = decodeRecord(b);
            ASSERT_TRUE(decoded);
            EXPECT_FALSE(decoded->damaged());
            const DataRecord& r = decoded->record;
            EXPECT_EQ(r.pingNumber, written.pingNumber);
            EXPECT_EQ(r.dateText, written.dateText);
            EXPECT_EQ(r.timeText, written.timeText);
            EXPECT_EQ(r.millisecondsText, written.millisecondsText);
            EXPECT_EQ(r.headPresent, written.headPresent);
            EXPECT_EQ(r.gpsType, written.gpsType);
            EXPECT_EQ(r.orientationAvailable, written.orientationAvailable);
            EXPECT_EQ(r.eventMark, written.eventMark);
            EXPECT_EQ(r.pingIntervalMs, written.pingIntervalMs);
            EXPECT_EQ(r.sentences, written.sentences);
            EXPECT_EQ(r.systemInfo.has_value(), sys);
            if (sys) {
                EXPECT_EQ(*r.systemInfo, *written.systemInfo);
            }
            for (int h = 0; h < kHeadCount; ++h) {
                if (!written.headPresent[h]) {
                    EXPECT_EQ(decoded->blocks[h], BlockStatus::Absent);
                    continue;
                }
                EXPECT_EQ(decoded->blocks[h], BlockStatus::Ok);
                const HeadBlock& a = written.heads[h];
                const HeadBlock& d = r.heads[h];
                EXPECT_EQ(d.frequencyHz, a.frequencyHz);
                EXPECT_EQ(d.rangeM, a.rangeM);
                EXPECT_EQ(d.gainStep, a.gainStep);
                EXPECT_EQ(d.xmitControl, h == kHeadES ? 0 : a.xmitControl);
                EXPECT_EQ(d.command, a.command);
                EXPECT_EQ(d.replyHeader, a.replyHeader);
                EXPECT_EQ(d.echoLine, a.echoLine);
            }
        }
    }
}

TEST(DataRecordCodec, HeaderChecksDecideWhatIsARecordStart) {
    SampleDocument doc;
    doc.setHeads({true, true, true, false});
    auto good = sampleRecordBytes(doc, 5);
    ASSERT_TRUE(checkRecordHeader(good));

    auto b = good;
    b[1] = '5';
    EXPECT_FALSE(checkRecordHeader(b)) << "magic";
    b = good;
    writeU32Le(b, 8, 8432 + 1);
    EXPECT_FALSE(checkRecordHeader(b)) << "length that the flags do not call for";
    b = good;
    b[54] = 2;
    EXPECT_FALSE(checkRecordHeader(b)) << "system information flag";
    b = good;
    b[48] = 0;
    EXPECT_FALSE(checkRecordHeader(b)) << "flags disagree with the length";
    EXPECT_FALSE(checkRecordHeader(std::span(good).first(255))) << "short header";

    // A head count of 4 means all four heads, whatever the flags say.
    doc.setHeads({true, true, true, true});
    b = sampleRecordBytes(doc, 6);
    b[48] = 0;
    b[50] = 0;
    const auto shape = checkRecordHeader(b);
    ASSERT_TRUE(shape);
    EXPECT_EQ(shape->headPresent, (std::array<bool, 4>{true, true, true, true}));
}

TEST(DataRecordCodec, DamagedHeadBlocksAreNamedAndNotTaken) {
    SampleDocument doc;
    doc.setHeads({true, true, false, false});
    auto b = sampleRecordBytes(doc, 5);
    b[256 + 5] = 2;                       // block of L names H
    writeU16Le(b, 256 + 2384 + 6, 5000);  // block of M is too long
    auto d = decodeRecord(b);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->blocks[0], BlockStatus::WrongHead);
    EXPECT_EQ(d->blocks[1], BlockStatus::DataTooLong);
    EXPECT_TRUE(d->damaged());
    // The sentence block is still read from its own place.
    EXPECT_EQ(d->record.sentences, doc.sentences);

    // A shorter data length takes only that many bytes.
    b = sampleRecordBytes(doc, 5);
    writeU16Le(b, 256 + 6, 10);
    d = decodeRecord(b);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->blocks[0], BlockStatus::Ok);
    EXPECT_EQ(d->record.heads[0].dataLength, 10);

    EXPECT_FALSE(decodeRecord(std::span(b).first(b.size() - 1))) << "bytes shorter than the record";
}

TEST(DataRecordCodec, SentenceBlockIsSkippedWhenItsOffsetIsZero) {
    SampleDocument doc;
    doc.setHeads({false, false, false, true});
    auto b = sampleRecordBytes(doc, 1);
    writeU16Le(b, 52, 0);
    auto d = decodeRecord(b);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->sentenceBlockOffset, 0);
    EXPECT_EQ(d->record.sentences, SentenceSlots{});
}

struct TimeCase {
    const char* date;
    const char* time;
    const char* ms;
    LocalTime expected;
};

TEST(RecordTime, TakesTheClockFromTheTexts) {
    const LocalTime before{1999, 6, 0, 15, 1, 2, 3, 4};
    const TimeCase cases[] = {
        {"07-DEC-2026", "14:05:09", ".123", {2026, 12, 0, 7, 14, 5, 9, 123}},
        {"01-JAN-2007", "00:00:00", ".000", {2007, 1, 0, 1, 0, 0, 0, 0}},
        {"31-XYZ-2007", "23:59:59", ".999", {2007, 6, 0, 31, 23, 59, 59, 999}},  // unknown month: kept
        {"", "", "", before},                                                   // nothing to take
        {"ab-MAR-20x7", "1a:22:33", "456", {1999, 3, 0, 15, 1, 22, 33, 456}},  // bad parts kept
    };
    for (const auto& c : cases) {
        LocalTime clock = before;
        takeRecordTime(c.date, c.time, c.ms, clock);
        EXPECT_EQ(clock, c.expected) << c.date << " " << c.time << " " << c.ms;
    }
}

}  // namespace
}  // namespace hx
