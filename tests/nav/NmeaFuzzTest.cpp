// Random bytes and mutated real sentences into the framing and the parser:
// nothing may crash, read out of bounds (the sanitizer build watches), grow
// without bound or produce a value that is not a number.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "nav/GpsReader.h"
#include "nav/NmeaSentence.h"

namespace hx {
namespace {

const char* const kSeeds[] = {
    "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n",
    "$GPRMC,123519,A,4807.038,N,01131.000,W,022.4,084.4,230394,003.1,W*78\r\n",
    "$GPGLL,4916.45,N,12311.12,W,225444.00,A\r\n",
    "$GPVTG,54.7,T,34.4,M,5.5,N,10.2,K\r\n",
    "$HEHDT,274.07,T*19\r\n",
    "$GPGGA,,,,,,0,00,99.99,,,,,,*48\r\n",
    "$GNRMC,053229.438,V,,,,,,,020315,,,N*56\r\n",
};

void checkSnapshot(const GpsSnapshot& s, const GpsReader& reader) {
    ASSERT_TRUE(std::isfinite(s.fix.gpsLatitude));
    ASSERT_TRUE(std::isfinite(s.fix.gpsLongitude));
    ASSERT_TRUE(std::isfinite(s.fix.gpsSpeed));
    ASSERT_TRUE(std::isfinite(s.fix.gpsCourse));
    ASSERT_TRUE(std::isfinite(s.fix.gpsHeading));
    ASSERT_GE(s.historyCount, 0);
    ASSERT_LE(s.historyCount, kSentenceHistoryCapacity);
    ASSERT_LE(reader.framing().remainder.size(), kGpsRemainderLimitBytes);
    ASSERT_LT(s.fix.latText.size(), 200u);
    ASSERT_LT(s.fix.dateText.size(), 200u);
}

TEST(NmeaFuzz, RandomBytesInRandomReads) {
    std::mt19937 rng(642);
    for (int round = 0; round < 200; ++round) {
        GpsReader reader;
        reader.setSentenceSelection(round % 4);
        for (int read = 0; read < 20; ++read) {
            std::string bytes(std::uniform_int_distribution<int>(0, 600)(rng), '\0');
            // Mostly NMEA's own alphabet so that the decoders get deep.
            const std::string alphabet = "$,.*0123456789NSEWAVTKMGPRLCHDZ\r\n-+ ";
            for (char& c : bytes)
                c = (rng() % 8 == 0) ? static_cast<char>(rng() & 0xFF) : alphabet[rng() % alphabet.size()];
            const GpsSnapshot s = reader.read(bytes);
            checkSnapshot(s, reader);
        }
    }
}

TEST(NmeaFuzz, MutatedRealSentences) {
    std::mt19937 rng(4040);
    GpsReader reader;
    for (int round = 0; round < 20000; ++round) {
        std::string s = kSeeds[rng() % std::size(kSeeds)];
        const int edits = 1 + static_cast<int>(rng() % 4);
        for (int e = 0; e < edits && !s.empty(); ++e) {
            const std::size_t at = rng() % s.size();
            switch (rng() % 4) {
                case 0: s.erase(at, 1 + rng() % 5); break;
                case 1: s.insert(at, 1, ",.$*"[rng() % 4]); break;
                case 2: s[at] = static_cast<char>(rng() & 0xFF); break;
                default: s = s.substr(0, at); break;
            }
        }
        // Straight into the decoder, and through the reader.
        const NmeaFields f = decodeNmeaSentence(s);
        if (f.latitude) {
            ASSERT_TRUE(std::isfinite(f.latitude->valueDeg));
        }
        if (f.speedKnots) {
            ASSERT_TRUE(std::isfinite(*f.speedKnots));
        }
        const GpsSnapshot snap = reader.read(s);
        checkSnapshot(snap, reader);
    }
}

TEST(NmeaFuzz, EveryPrefixOfEverySeed) {
    for (const char* seed : kSeeds) {
        const std::string s = seed;
        for (std::size_t n = 0; n <= s.size(); ++n) {
            GpsParserState st;
            ParseNmeaSentence(st, std::string_view(s).substr(0, n));
            EndOfRead(st);
            PublishFix(st);
            ASSERT_TRUE(std::isfinite(st.fix.gpsLatitude));
        }
    }
}

}  // namespace
}  // namespace hx
