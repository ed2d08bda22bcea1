// The sentence decoder and the parser state on real and hand-made sentences:
// the documented examples first, then the faults real receivers provoke.
#include <gtest/gtest.h>

#include <string>

#include "nav/GpsParserState.h"
#include "nav/NmeaSentence.h"
#include "tests/nav/NmeaTestUtil.h"

namespace hx {
namespace {

using test::withChecksum;

constexpr const char* kGga = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47";
// The classic RMC example with its longitude letter changed to W; its "*6A"
// belongs to the E version, so the test recomputes it.
constexpr const char* kRmcBody = "$GPRMC,123519,A,4807.038,N,01131.000,W,022.4,084.4,230394,003.1,W";

GpsParserState parseAll(std::initializer_list<std::string> sentences, int gpsType = 0) {
    GpsParserState st;
    st.gpsType = gpsType;
    for (const auto& s : sentences) ParseNmeaSentence(st, s);
    return st;
}

TEST(NmeaParser, GgaExample) {
    GpsParserState st = parseAll({kGga}, 1);
    const GpsFix& f = st.fix;
    EXPECT_NEAR(f.gpsLatitude, 48.1173, 1e-9);
    EXPECT_NEAR(f.gpsLongitude, 11.0 + 31.0 / 60.0, 1e-9);
    EXPECT_EQ(f.latText, "48.07.038 N");
    EXPECT_EQ(f.lonText, "011.31.000 E");
    EXPECT_EQ(f.timeText, "12:35:19");
    EXPECT_EQ(st.qualityText, "From GGA:  1");
    EXPECT_EQ(st.satellitesInUse, 8);
    EXPECT_EQ(st.fixPending, 1);
    EXPECT_EQ(f.gpsUpdated, 1);
}

TEST(NmeaParser, RmcExampleWithRecomputedOrRemovedChecksum) {
    for (const std::string& rmc : {withChecksum(kRmcBody), std::string(kRmcBody)}) {
        GpsParserState st = parseAll({rmc}, 2);
        EXPECT_DOUBLE_EQ(st.fix.gpsSpeed, 22.4) << rmc;
        EXPECT_EQ(st.fix.speedText, "22.4 Knots");
        EXPECT_DOUBLE_EQ(st.fix.gpsCourse, 84.4);
        EXPECT_EQ(st.fix.courseText, "84.4 Deg.");
        EXPECT_EQ(st.fix.dateText, "23-MAR-1994");
        EXPECT_EQ(st.qualityText, "From RMC:  A");
        EXPECT_TRUE(PublishFix(st));
        EXPECT_NEAR(st.fix.gpsLongitude, -11.516667, 1e-6);
        EXPECT_NEAR(st.fix.gpsLatitude, 48.1173, 1e-9);
    }
    // As printed, the sum does not match: a corrupted sentence changes nothing.
    GpsParserState st = parseAll({std::string(kRmcBody) + "*6A"});
    EXPECT_EQ(st.fix.latText, "n/a");
    EXPECT_EQ(st.fix.speedText, "n/a");
    EXPECT_EQ(st.fixPending, 0);
    EXPECT_EQ(st.fix.gpsUpdated, 1);
}

TEST(NmeaParser, RmcDates) {
    struct Case {
        const char* date;
        const char* text;
    };
    // 311269: years from 70 on are 19xx, below are 20xx, so 69 is 2069.
    const Case cases[] = {{"010100", "01-JAN-2000"}, {"311269", "31-DEC-2069"}, {"010170", "01-JAN-1970"},
                          {"011313", "01--2013"},    {"311299", "31-DEC-1999"}};
    for (const auto& c : cases) {
        const std::string rmc = withChecksum(std::string("$GPRMC,123519,A,4807.038,N,01131.000,E,1.0,2.0,") + c.date + ",,");
        EXPECT_EQ(parseAll({rmc}).fix.dateText, c.text) << c.date;
    }
    // A date field shorter than five characters is not read.
    EXPECT_EQ(parseAll({withChecksum("$GPRMC,123519,A,4807.038,N,01131.000,E,1.0,2.0,0101,,")}).fix.dateText, "n/a");
}

TEST(NmeaParser, VtgTakesFieldsOfAtLeastThreeCharacters) {
    GpsParserState st = parseAll({"$GPVTG,54.7,T,34.4,M,5.5,N,10.2,K"});
    EXPECT_DOUBLE_EQ(st.fix.gpsSpeed, 5.5);
    EXPECT_DOUBLE_EQ(st.fix.gpsCourse, 54.7);
    EXPECT_EQ(st.fix.speedText, "5.5 Knots");
    EXPECT_EQ(st.fix.courseText, "54.7 Deg.");

    GpsParserState short_ = parseAll({"$GPVTG,5,T,,M,5,N,,K"});
    EXPECT_DOUBLE_EQ(short_.fix.gpsSpeed, 3.0);
    EXPECT_DOUBLE_EQ(short_.fix.gpsCourse, 0.0);
    EXPECT_EQ(short_.fix.speedText, "n/a");
    // Parsed all the same.
    EXPECT_EQ(short_.fixPending, 1);

    // u-blox without a true course: the speed still counts.
    GpsParserState noCourse = parseAll({"$GNVTG,,T,,M,0.059,N,0.110,K,A*31"});
    EXPECT_DOUBLE_EQ(noCourse.fix.gpsSpeed, 0.059);
    EXPECT_EQ(noCourse.fix.courseText, "n/a");
}

TEST(NmeaParser, HeadingFallsBackToCourseAfterTenReadsWithoutHdt) {
    GpsParserState st = parseAll({"$GPVTG,54.7,T,34.4,M,5.5,N,10.2,K", "$HEHDT,274.07,T*19"});
    EXPECT_DOUBLE_EQ(st.fix.gpsHeading, 274.07);
    EXPECT_EQ(st.fix.headingText, "274.1 Deg.");
    EXPECT_EQ(st.headingSeen, 1);
    EndOfRead(st);
    for (int read = 1; read <= 9; ++read) {
        st.headingSeen = 0;
        EndOfRead(st);
        EXPECT_DOUBLE_EQ(st.fix.gpsHeading, 274.07) << read;
    }
    st.headingSeen = 0;
    EndOfRead(st);
    EXPECT_DOUBLE_EQ(st.fix.gpsHeading, 54.7);
    EXPECT_EQ(st.fix.headingText, "n/a");

    st.headingSeen = 0;
    ParseNmeaSentence(st, "$GPHDT,10.5,T");
    EndOfRead(st);
    EXPECT_DOUBLE_EQ(st.fix.gpsHeading, 10.5);
    EXPECT_EQ(st.fix.headingText, "10.5 Deg.");
    EXPECT_EQ(st.readsWithoutHeading, 0);
}

TEST(NmeaParser, EmptyHdtFieldCarriesNoHeading) {
    GpsParserState st = parseAll({"$GPHDT,123.4,T"});
    ASSERT_DOUBLE_EQ(st.fix.gpsHeading, 123.4);
    st.headingSeen = 0;
    st.readsWithoutHeading = 5;
    ParseNmeaSentence(st, "$GPHDT,,T*1B");  // a receiver without a heading solution
    EXPECT_DOUBLE_EQ(st.fix.gpsHeading, 123.4);
    EXPECT_EQ(st.fix.headingText, "123.4 Deg.");
    EXPECT_EQ(st.headingSeen, 0);
    EXPECT_EQ(st.readsWithoutHeading, 5);
}

TEST(NmeaParser, TimeOutOfRangeLeavesTimeText) {
    GpsParserState st = parseAll({kGga});
    ParseNmeaSentence(st, withChecksum("$GPGGA,246000,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,"));
    EXPECT_EQ(st.fix.timeText, "12:35:19");
    ParseNmeaSentence(st, withChecksum("$GPGGA,236059.50,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,"));
    EXPECT_EQ(st.fix.timeText, "12:35:19");
    ParseNmeaSentence(st, withChecksum("$GPGGA,235959.50,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,"));
    EXPECT_EQ(st.fix.timeText, "23:59:59");
}

TEST(NmeaParser, LowerCaseHemispheresAreSouthAndWest) {
    GpsParserState st = parseAll({"$GPGGA,123519,4807.038,s,01131.000,w,1,08,0.9,545.4,M,46.9,M,,"});
    EXPECT_EQ(st.fix.latText, "48.07.038 s");
    ASSERT_TRUE(PublishFix(st));
    EXPECT_LT(st.fix.gpsLatitude, 0);
    EXPECT_LT(st.fix.gpsLongitude, 0);
    // Another letter leaves the value positive.
    GpsParserState other = parseAll({"$GPGGA,123519,4807.038,X,01131.000,Q,1,08,0.9,545.4,M,46.9,M,,"});
    ASSERT_TRUE(PublishFix(other));
    EXPECT_GT(other.fix.gpsLatitude, 0);
    EXPECT_GT(other.fix.gpsLongitude, 0);
}

TEST(NmeaParser, ShortSentencesAreIgnoredButMarkTheRead) {
    GpsParserState st = parseAll({"$GPGGA,1,"});
    EXPECT_EQ(st.fix.gpsUpdated, 1);
    EXPECT_EQ(st.fixPending, 0);
    GpsParserState other = parseAll({"$GPGSV,1,1,00*79", "GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,"});
    EXPECT_EQ(other.fixPending, 0);
    EXPECT_EQ(other.fix.latText, "n/a");
}

TEST(NmeaParser, CoordinateTextKeepsMinutesAsReceivedCutToFourDecimals) {
    const NmeaFields f = decodeNmeaSentence("$GPGLL,4916.45,N,12311.123456,W,225444.00,A");
    ASSERT_TRUE(f.latitude && f.longitude);
    EXPECT_EQ(f.latitude->text, "49.16.45 N");
    EXPECT_EQ(f.longitude->text, "123.11.1234 W");
    EXPECT_NEAR(f.longitude->valueDeg, 123 + 11.123456 / 60, 1e-12);
    EXPECT_EQ(f.timeText, "22:54:44");
}

TEST(NmeaParser, GllTimeIsReadOnlyWhenAPointFollows) {
    // Quirk kept: "225444,A" has no '.' after the time's comma.
    const NmeaFields f = decodeNmeaSentence("$GPGLL,4916.45,N,12311.12,W,225444,A");
    EXPECT_TRUE(f.latitude && f.longitude);
    EXPECT_FALSE(f.timeText);
}

TEST(NmeaParser, EmptyCoordinateFieldsAreSkippedNotReadFromLaterFields) {
    // No fix yet: empty coordinates, and a '.' only in the HDOP.
    GpsParserState st = parseAll({"$GPGGA,,,,,,0,00,99.99,,,,,,*48", "$GPGLL,,,,,,V,N*64", "$GPRMC,,V,,,,,,,,,,N*53"});
    EXPECT_EQ(st.fix.latText, "n/a");
    EXPECT_EQ(st.fix.lonText, "n/a");
    EXPECT_EQ(st.fix.timeText, "n/a");  // an empty time field is no time either
    EXPECT_FALSE(PublishFix(st));

    // Even with a valid fix flag, an empty field is never a coordinate.
    const NmeaFields f = decodeNmeaSentence("$GNGGA,123519.00,,,,,1,08,0.9,545.4,M,46.9,M,,");
    EXPECT_FALSE(f.latitude);
    EXPECT_FALSE(f.longitude);
    EXPECT_EQ(f.timeText, "12:35:19");
    // A field without its point, or with one minute digit, holds no coordinate.
    const NmeaFields g = decodeNmeaSentence("$GPGGA,123519,4807,N,1.5,E,1,08,0.9,545.4,M,46.9,M,,");
    EXPECT_FALSE(g.latitude);
    EXPECT_FALSE(g.longitude);
    // Nor does a value beyond 90 or 180 degrees.
    const NmeaFields h = decodeNmeaSentence("$GPGGA,123519,9107.038,N,18031.000,E,1,08,0.9,545.4,M,46.9,M,,");
    EXPECT_FALSE(h.latitude);
    EXPECT_FALSE(h.longitude);
    EXPECT_TRUE(decodeNmeaSentence("$GPGGA,123519,8959.999,S,17959.999,W,1,08,0.9,545.4,M,46.9,M,,").longitude);
}

// A signed coordinate once gave a negative value that the hemisphere letter
// then turned round (fuzz input regression-signed-coordinate).
TEST(NmeaParser, SignedCoordinateFieldsHoldNoPosition) {
    const char* const sentences[] = {
        "$GPRMC,132820.60,A,-4134.49821229,N,09345.033,W,0.0,0.0,010203,,",
        "$GPRMC,132820.60,A,4134.498,N,+09345.033,W,0.0,0.0,010203,,",
        "$GPGGA,123519,-007.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,",
        "$GPGLL,4916.45,N,123-1.12,W,225444.00,A",
    };
    for (const char* sentence : sentences) {
        const NmeaFields f = decodeNmeaSentence(sentence);
        EXPECT_TRUE(!f.latitude || !f.longitude) << sentence;
        for (const auto* c : {&f.latitude, &f.longitude}) {
            if (*c) {
                EXPECT_GE((*c)->valueDeg, 0.0) << sentence;
            }
        }
    }
    GpsParserState st = parseAll({sentences[0]});
    EXPECT_FALSE(PublishFix(st)) << "no position from a signed latitude";
    EXPECT_EQ(st.fix.latText, "n/a");
}

TEST(NmeaParser, NoFixSentencesKeepThePositionButGiveTheirOtherFields) {
    GpsParserState st = parseAll({kGga});
    ASSERT_TRUE(PublishFix(st));
    const double lat = st.fix.gpsLatitude;
    const double lon = st.fix.gpsLongitude;

    // RMC status V: time, speed, course and date still count.
    ParseNmeaSentence(st, withChecksum("$GPRMC,071734.929,V,0000.0000,N,00000.0000,E,0.10,12.00,111111,,,N"));
    // GLL status V and GGA quality 0 with positions from a simulator or cold start.
    ParseNmeaSentence(st, withChecksum("$GPGLL,3728.0549,N,12213.8639,W,014413.076,V"));
    ParseNmeaSentence(st, withChecksum("$GPGGA,071735.000,4404.1178,N,12118.8608,W,0,4,,1127.8,M,-19.6,M,,"));
    // GLL with a status letter other than A ("N", from one receiver).
    ParseNmeaSentence(st, withChecksum("$GPGLL,3728.0549,N,12213.8639,W,014414.076,N,V"));
    EXPECT_EQ(st.fix.latText, "48.07.038 N");
    EXPECT_EQ(st.fix.lonText, "011.31.000 E");
    EXPECT_EQ(st.fix.timeText, "01:44:14");  // from the last GLL
    EXPECT_EQ(st.fix.speedText, "0.1 Knots");
    EXPECT_EQ(st.fix.courseText, "12.0 Deg.");
    EXPECT_EQ(st.fix.dateText, "11-NOV-2011");
    PublishFix(st);
    EXPECT_DOUBLE_EQ(st.fix.gpsLatitude, lat);
    EXPECT_DOUBLE_EQ(st.fix.gpsLongitude, lon);

    // An empty GGA quality field reads as 0.
    EXPECT_TRUE(decodeNmeaSentence("$GPGGA,123519,4807.038,N,01131.000,E,,08,0.9,545.4,M,46.9,M,,").noFix);
    // Quality 2 (DGPS) and 8 (simulator) are fixes.
    EXPECT_TRUE(decodeNmeaSentence("$GPGGA,123519,4807.038,N,01131.000,E,2,08,0.9,545.4,M,46.9,M,,").latitude);
    EXPECT_TRUE(decodeNmeaSentence("$GPGGA,123519,4807.038,N,01131.000,E,8,08,0.9,545.4,M,46.9,M,,").latitude);
}

TEST(NmeaParser, ChecksumIsCheckedOnlyWhenPresent) {
    EXPECT_EQ(nmeaChecksumOf(kGga), NmeaChecksum::Good);
    EXPECT_EQ(nmeaChecksumOf("$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r"), NmeaChecksum::Good);
    EXPECT_EQ(nmeaChecksumOf("$GPHDT,,t*1B"), NmeaChecksum::Bad);
    EXPECT_EQ(nmeaChecksumOf("$GPHDT,,T*1B"), NmeaChecksum::Good);
    EXPECT_EQ(nmeaChecksumOf("$gphdt,,T*1B"), NmeaChecksum::Bad);
    EXPECT_EQ(nmeaChecksumOf("$GPHDT,,T*1"), NmeaChecksum::Bad);
    EXPECT_EQ(nmeaChecksumOf("$GPHDT,,T*1G"), NmeaChecksum::Bad);
    EXPECT_EQ(nmeaChecksumOf("$GPVTG,54.7,T,34.4,M,5.5,N,10.2,K"), NmeaChecksum::Absent);
    EXPECT_EQ(nmeaChecksumOf(withChecksum("$GPVTG,54.7,T,34.4,M,5.5,N,10.2,K")), NmeaChecksum::Good);
    // Lower-case hex digits are accepted.
    EXPECT_EQ(nmeaChecksumOf("$GPRMC,220952.00,A,4742.21,N,01200.75,E,0.0,0.0,181223,0.0,E*5a"), NmeaChecksum::Good);

    // A corrupted longitude from a cold-starting receiver is not taken.
    GpsParserState st = parseAll({kGga, "$GPRMC,000344.03,A,4808.9992,N,4,02.3*05"});
    PublishFix(st);
    EXPECT_NEAR(st.fix.gpsLongitude, 11.516667, 1e-6);
}

TEST(NmeaParser, TalkersAndTypesAreRecognisedByCharactersThreeToFive) {
    EXPECT_EQ(nmeaTypeOf("$GNGGA,"), NmeaType::GGA);
    EXPECT_EQ(nmeaTypeOf("$INRMC,"), NmeaType::RMC);
    EXPECT_EQ(nmeaTypeOf("$HEHDT,"), NmeaType::HDT);
    EXPECT_EQ(nmeaTypeOf("$ECGLL,"), NmeaType::GLL);
    EXPECT_EQ(nmeaTypeOf("$GAVTG,"), NmeaType::VTG);
    EXPECT_EQ(nmeaTypeOf("$GPgga,"), NmeaType::None);
    EXPECT_EQ(nmeaTypeOf("$GPZDA,"), NmeaType::None);
    EXPECT_EQ(nmeaTypeOf("$GPGG"), NmeaType::None);
    EXPECT_EQ(nmeaTypeOf(""), NmeaType::None);
}

TEST(NmeaParser, DiagnosticsFollowTheSentenceSelection) {
    const std::string gll = "$GPGLL,4916.45,N,12311.12,W,225444.00,A";
    const std::string rmc = withChecksum(kRmcBody);
    EXPECT_EQ(parseAll({kGga, gll, rmc}, 0).qualityText, "From GLL:  A");
    EXPECT_EQ(parseAll({kGga, gll, rmc}, 1).qualityText, "From GGA:  1");
    EXPECT_EQ(parseAll({kGga, gll, rmc}, 2).qualityText, "From RMC:  A");
    EXPECT_EQ(parseAll({kGga, gll, rmc}, 3).qualityText, "From GGA:  1");
    EXPECT_EQ(parseAll({gll, rmc}, 1).qualityText, "n/a");
    EXPECT_EQ(parseAll({kGga}, 0).satellitesInUse, 8);
    EXPECT_EQ(parseAll({"$GPGGA,010203.00,4404.1178,N,12118.8608,W,1,4,,1127.8,M,-19.6,M,,"}, 1).satellitesInUse, 4);
}

TEST(NmeaParser, PublishNeedsBothTextsAndANewSentence) {
    GpsParserState st;
    EXPECT_FALSE(PublishFix(st));
    // Latitude alone (GLL cut after it) does not publish, but its sign shows.
    ParseNmeaSentence(st, "$GPGLL,3349.0337,S,");
    EXPECT_EQ(st.fixPending, 1);  // a GLL, although it stopped before its sixth comma
    EXPECT_EQ(st.fix.latText, "n/a");
    ParseNmeaSentence(st, "$GPGLL,3349.0337,S,,,222449.00,A");
    EXPECT_EQ(st.fixPending, 1);
    EXPECT_FALSE(PublishFix(st));
    EXPECT_LT(st.fix.gpsLatitude, 0);
    ParseNmeaSentence(st, "$GPGGA,222449.00,3349.0337,S,01843.9282,E,1,07,02.31,000115.4,M,0033.3,M,,");
    EXPECT_TRUE(PublishFix(st));
    EXPECT_FALSE(PublishFix(st));  // nothing new since
    ParseNmeaSentence(st, "$GPVTG,54.7,T,34.4,M,5.5,N,10.2,K");
    EXPECT_TRUE(PublishFix(st));  // any recognised sentence publishes again
    EXPECT_NEAR(st.fix.gpsLatitude, -(33 + 49.0337 / 60), 1e-12);
}

TEST(NmeaParser, ResetEmptiesTheFix) {
    GpsParserState st = parseAll({kGga, withChecksum(kRmcBody), "$GPHDT,10.5,T"});
    ResetGpsData(st);
    for (const std::string* t : {&st.fix.latText, &st.fix.lonText, &st.fix.timeText, &st.fix.speedText,
                                 &st.fix.courseText, &st.fix.headingText, &st.fix.dateText})
        EXPECT_EQ(*t, "n/a");
    EXPECT_EQ(st.fix.gpsSpeed, 0.0);
    EXPECT_EQ(st.fix.gpsHeading, 0.0);
    EXPECT_EQ(st.fix.gpsLatitude, 0.0);
    EXPECT_EQ(st.readsWithoutHeading, 0);
    EXPECT_FALSE(PublishFix(st));
}

TEST(NmeaParser, InitialFixHasItsDefaults) {
    const GpsParserState st;
    EXPECT_EQ(st.fix.latText, "n/a");
    EXPECT_EQ(st.fix.headingText, "");
    EXPECT_DOUBLE_EQ(st.fix.gpsSpeed, 3.0);
    EXPECT_EQ(st.qualityText, "n/a");
}

}  // namespace
}  // namespace hx
