// The reader's framing: sentences cut at '$', the carried-over remainder,
// the slots and the history, fed in the ways a serial line delivers bytes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "nav/GpsReadFraming.h"
#include "nav/GpsReader.h"
#include "tests/nav/NmeaTestUtil.h"

namespace hx {
namespace {

struct Recorder {
    std::vector<std::string> recognised;
    std::vector<std::string> cut;
    FramedRead feed(GpsFramingState& st, std::string_view bytes) {
        return frameGpsRead(
            st, bytes, [this](std::string_view s) { recognised.emplace_back(s); },
            [this](std::string_view s) { cut.emplace_back(s); });
    }
};

const std::string kGga = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n";
const std::string kVtg = "$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K*48\r\n";
const std::string kRmc = "$GPRMC,123520,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*60\r\n";

std::string crOnly(const std::string& line) { return line.substr(0, line.size() - 1); }

TEST(GpsReadFraming, TwoSentencesAndAPartialThird) {
    GpsFramingState st;
    Recorder r;
    const FramedRead first = r.feed(st, kGga + kVtg + kRmc.substr(0, 4));
    EXPECT_EQ(first.sentencesCut, 2);
    ASSERT_EQ(r.recognised.size(), 2u);
    EXPECT_EQ(r.recognised[0], crOnly(kGga));  // the CR stays, the LF goes
    EXPECT_EQ(r.recognised[1], crOnly(kVtg));
    EXPECT_EQ(st.remainder, "$GPR");
    EXPECT_EQ(st.gpsSentences[0], crOnly(kGga));
    EXPECT_EQ(st.gpsSentences[2], "");

    r.feed(st, kRmc.substr(4) + "$");
    ASSERT_EQ(r.recognised.size(), 3u);
    EXPECT_EQ(r.recognised[2], crOnly(kRmc));
    EXPECT_EQ(st.gpsSentences[0], crOnly(kRmc));
    EXPECT_EQ(st.gpsSentences[1], "");
    EXPECT_EQ(st.remainder, "$");
}

TEST(GpsReadFraming, BytesBeforeTheFirstDollarAreDropped) {
    GpsFramingState st;
    Recorder r;
    r.feed(st, std::string("\x00\xff garbage,with,commas*00\r\n", 28) + kGga + "$");
    ASSERT_EQ(r.cut.size(), 1u);
    EXPECT_EQ(r.cut[0], crOnly(kGga));

    // Text without any '$' is carried until one arrives, then dropped.
    GpsFramingState carry;
    Recorder c;
    c.feed(carry, "no dollar here ");
    EXPECT_EQ(carry.remainder, "no dollar here ");
    c.feed(carry, "still none " + kVtg + kGga + "$");
    ASSERT_EQ(c.cut.size(), 2u);
    EXPECT_EQ(c.cut[0], crOnly(kVtg));
}

TEST(GpsReadFraming, SlotsKeepTheLastTenRecognisedInOrder) {
    GpsFramingState st;
    Recorder r;
    std::string twelve;
    for (int i = 0; i < 12; ++i)
        twelve += test::withChecksum("$GPHDT," + std::to_string(100 + i) + ".0,T") + "\r\n";
    r.feed(st, twelve + "$");
    EXPECT_EQ(r.recognised.size(), 12u);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(st.gpsSentences[static_cast<std::size_t>(i)].substr(7, 3), std::to_string(102 + i));

    Recorder r3;
    r3.feed(st, kGga + kVtg + kRmc + "$");
    EXPECT_EQ(st.gpsSentences[0], crOnly(kGga));
    EXPECT_EQ(st.gpsSentences[1], crOnly(kVtg));
    EXPECT_EQ(st.gpsSentences[2], crOnly(kRmc));
    for (std::size_t k = 3; k < 10; ++k) EXPECT_EQ(st.gpsSentences[k], "") << k;

    // A read without any recognised sentence leaves the slots alone.
    Recorder none;
    none.feed(st, "GSV,1,1,00*79\r\n$");
    EXPECT_EQ(st.gpsSentences[1], crOnly(kVtg));
}

TEST(GpsReadFraming, OtherTypesShortAndCorruptSentencesGoToTheHistoryOnly) {
    GpsFramingState st;
    Recorder r;
    const std::string badGga = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*48\r\n";
    const FramedRead fr = r.feed(st, "$GPZDA,201530.00,04,07,2002,00,00*60\r\n$$G" + badGga + kVtg + "$");
    EXPECT_EQ(fr.sentencesCut, 5);
    EXPECT_EQ(fr.corrupted, 1);
    ASSERT_EQ(r.recognised.size(), 1u);
    EXPECT_EQ(r.recognised[0], crOnly(kVtg));
    EXPECT_EQ(st.historyCount, 5);
    EXPECT_EQ(st.sentenceHistory[1], "");   // "$$": an empty sentence
    EXPECT_EQ(st.sentenceHistory[2], "$");  // "$G$": one character
    EXPECT_EQ(st.sentenceHistory[3], crOnly(badGga));
    EXPECT_EQ(st.gpsSentences[0], crOnly(kVtg));
    EXPECT_EQ(st.gpsSentences[1], "");
}

TEST(GpsReadFraming, HistoryKeepsTheLastTen) {
    GpsFramingState st;
    Recorder r;
    std::string text;
    for (int i = 0; i < 15; ++i) text += "$PXXX" + std::to_string(i) + "\r\n";
    r.feed(st, text + "$");
    EXPECT_EQ(st.historyCount, 10);
    EXPECT_EQ(st.sentenceHistory[0], "$PXXX5\r");
    EXPECT_EQ(st.sentenceHistory[9], "$PXXX14\r");
}

TEST(GpsReadFraming, OneByteReadsCutTheSameSentences) {
    const std::string stream = "junk" + kGga + kVtg + "$PGRME,15.0,M,45.0,M,25.0,M*1C\r\n" + kRmc + "$";
    GpsFramingState whole;
    Recorder w;
    w.feed(whole, stream);
    GpsFramingState bytes;
    Recorder b;
    for (char c : stream) b.feed(bytes, std::string_view(&c, 1));
    EXPECT_EQ(b.cut, w.cut);
    EXPECT_EQ(b.recognised, w.recognised);
    EXPECT_EQ(bytes.remainder, "$");
}

TEST(GpsReadFraming, ByteCounterCanHoldACompleteSentenceForTheNextRead) {
    // A long carried-over sentence uses up the small read's count: the
    // sentence completed in this read waits for the next one.
    GpsFramingState st;
    Recorder r;
    r.feed(st, kRmc.substr(0, kRmc.size() - 2));
    r.feed(st, "\r\n" + kVtg + "$GP");
    ASSERT_EQ(r.cut.size(), 1u);
    EXPECT_EQ(st.remainder, kVtg + "$GP");
    r.feed(st, "GSA");
    ASSERT_EQ(r.cut.size(), 2u);
    EXPECT_EQ(r.cut[1], crOnly(kVtg));
    EXPECT_EQ(st.remainder, "$GPGSA");
}

TEST(GpsReadFraming, RemainderStaysBounded) {
    GpsFramingState st;
    Recorder r;
    const std::string noise(40000, 'x');
    for (int i = 0; i < 10; ++i) r.feed(st, noise);
    EXPECT_LE(st.remainder.size(), kGpsRemainderLimitBytes);
    // A '$' followed by endless text is bounded the same way.
    GpsFramingState open;
    Recorder o;
    o.feed(open, "$GPGGA," + noise);
    for (int i = 0; i < 5; ++i) o.feed(open, noise);
    EXPECT_LE(open.remainder.size(), kGpsRemainderLimitBytes);
    // And the stream recovers at the next sentences. The dropped text counts
    // against this read's bytes, so they are cut in the read after.
    o.feed(open, kGga + kVtg + "$");
    o.feed(open, kRmc + kGga + "$");
    ASSERT_GE(o.recognised.size(), 3u);
    EXPECT_EQ(o.recognised[0], crOnly(kGga));
    EXPECT_EQ(o.recognised[1], crOnly(kVtg));
    EXPECT_EQ(o.recognised[2], crOnly(kRmc));
}

TEST(GpsReader, OneReadParsesPublishesAndSnapshots) {
    GpsReader reader;
    const GpsSnapshot s = reader.read("xx" + kGga + kRmc + kVtg.substr(0, 8));
    EXPECT_TRUE(s.positionPublished);
    EXPECT_TRUE(s.sourceOpen);
    EXPECT_EQ(s.fix.gpsUpdated, 1);
    EXPECT_EQ(s.fix.latText, "48.07.038 N");
    EXPECT_EQ(s.fix.dateText, "23-MAR-1994");
    EXPECT_EQ(s.gpsSentences[0], crOnly(kGga));
    EXPECT_EQ(s.gpsSentences[1], crOnly(kRmc));
    EXPECT_EQ(s.historyCount, 2);
    EXPECT_EQ(s.bytesRead, 2 + kGga.size() + kRmc.size() + 8);

    // The split sentence is parsed once, in the read that completes it.
    const GpsSnapshot t = reader.read(kVtg.substr(8) + "$");
    EXPECT_EQ(t.gpsSentences[0], crOnly(kVtg));
    EXPECT_EQ(t.gpsSentences[1], "");
    EXPECT_EQ(t.historyCount, 3);
    EXPECT_TRUE(t.positionPublished);  // VTG is a recognised sentence: the position goes again

    // A read with nothing new clears gpsUpdated and publishes nothing.
    const GpsSnapshot u = reader.read("");
    EXPECT_EQ(u.fix.gpsUpdated, 0);
    EXPECT_FALSE(u.positionPublished);
    EXPECT_EQ(u.gpsSentences[0], crOnly(kVtg));

    const GpsSnapshot closed = reader.readWithoutSource();
    EXPECT_FALSE(closed.sourceOpen);
    EXPECT_FALSE(closed.positionPublished);

    const GpsSnapshot reset = reader.reset();
    EXPECT_EQ(reset.fix.latText, "n/a");
    EXPECT_EQ(reset.historyCount, 0);
    EXPECT_EQ(reader.framing().remainder, "");
}

TEST(GpsReader, SentenceSelectionReachesTheDiagnostics) {
    GpsReader reader;
    reader.setSentenceSelection(2);
    const GpsSnapshot s = reader.read(kGga + kRmc + "$");
    EXPECT_EQ(s.qualityText, "From RMC:  A");
    EXPECT_EQ(s.satellitesInUse, 8);
}

}  // namespace
}  // namespace hx
