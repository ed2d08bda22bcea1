// Every real receiver capture in the shared corpus through the reader's
// framing and the parser, in one read and in reads of several sizes:
// the sentences cut must match the capture's .sentences.txt, and every
// position the reference daemon reported (.expected.json) must be decoded.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "nav/GpsParserState.h"
#include "nav/GpsReadFraming.h"
#include "nav/GpsReader.h"
#include "nav/NmeaSentence.h"

namespace hx {
namespace {

namespace fs = std::filesystem;

const fs::path kCorpus = fs::path(HX642_SHARED_DIR) / "corpus" / "nmea";
// About a centimetre: the daemon prints nine decimals of a degree.
constexpr double kToleranceDeg = 1e-7;

std::string readFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::vector<std::string> captureNames() {
    std::vector<std::string> names;
    if (!fs::is_directory(kCorpus)) return names;
    for (const auto& e : fs::directory_iterator(kCorpus))
        if (e.path().extension() == ".log") names.push_back(e.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 0;
}

// One sentence a line; \\ \r \n \t and \xHH escapes.
std::vector<std::string> readSentences(const fs::path& p) {
    const std::string text = readFile(p);
    std::vector<std::string> out;
    std::string cur;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\n') {
            out.push_back(cur);
            cur.clear();
        } else if (c == '\\' && i + 1 < text.size()) {
            const char e = text[++i];
            if (e == 'r') cur += '\r';
            else if (e == 'n') cur += '\n';
            else if (e == 't') cur += '\t';
            else if (e == 'x' && i + 2 < text.size()) {
                cur += static_cast<char>(hexDigit(text[i + 1]) * 16 + hexDigit(text[i + 2]));
                i += 2;
            } else cur += e;
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) out.push_back(cur);
    return out;
}

struct Expected {
    double lat, lon;
    std::string after;
};

std::vector<Expected> readExpected(const fs::path& p) {
    QFile f(QString::fromStdString(p.string()));
    std::vector<Expected> out;
    if (!f.open(QIODevice::ReadOnly)) return out;
    const QJsonArray tpv = QJsonDocument::fromJson(f.readAll()).object().value("tpv").toArray();
    for (const auto& v : tpv) {
        const QJsonObject o = v.toObject();
        if (!o.contains("lat") || !o.contains("lon")) continue;
        out.push_back({o.value("lat").toDouble(), o.value("lon").toDouble(), o.value("after").toString().toStdString()});
    }
    return out;
}

struct Position {
    double lat, lon;
};

// Feeds the capture in reads of chunk bytes (0: one read), then single "$"
// reads (a later sentence's start) until nothing more is cut. Collects the
// sentences cut before the flush, all cut sentences, and every position a
// recognised sentence decoded.
struct CaptureRun {
    std::vector<std::string> cutBeforeFlush;
    std::vector<std::string> cutAll;
    std::vector<Position> positions;
    GpsParserState parser;
    GpsFramingState framing;
};

CaptureRun runCapture(const std::string& bytes, std::size_t chunk) {
    CaptureRun run;
    std::vector<std::string>* cutInto = &run.cutBeforeFlush;
    auto onRecognised = [&run](std::string_view s) {
        ParseNmeaSentence(run.parser, s);
        const NmeaFields f = decodeNmeaSentence(s);
        if (f.latitude && f.longitude) {
            const double lat = (f.latitude->hemisphere == 'S' || f.latitude->hemisphere == 's') ? -f.latitude->valueDeg
                                                                                                  : f.latitude->valueDeg;
            const double lon = (f.longitude->hemisphere == 'W' || f.longitude->hemisphere == 'w')
                                   ? -f.longitude->valueDeg
                                   : f.longitude->valueDeg;
            run.positions.push_back({lat, lon});
        }
    };
    auto onCut = [&cutInto, &run](std::string_view s) {
        cutInto->emplace_back(s);
        run.cutAll.emplace_back(s);
    };
    auto oneRead = [&](std::string_view b) {
        run.parser.fix.gpsUpdated = 0;
        run.parser.headingSeen = 0;
        const FramedRead fr = frameGpsRead(run.framing, b, onRecognised, onCut);
        EndOfRead(run.parser);
        PublishFix(run.parser);
        return fr;
    };
    if (chunk == 0) {
        oneRead(bytes);
    } else {
        for (std::size_t at = 0; at < bytes.size(); at += chunk)
            oneRead(std::string_view(bytes).substr(at, chunk));
    }
    std::vector<std::string> flushed;
    cutInto = &flushed;
    for (int guard = 0; guard < 100000; ++guard)
        if (oneRead("$").sentencesCut == 0) break;
    return run;
}

bool decodedNear(const std::vector<Position>& positions, double lat, double lon) {
    for (const auto& p : positions)
        if (std::fabs(p.lat - lat) < kToleranceDeg && std::fabs(p.lon - lon) < kToleranceDeg) return true;
    return false;
}

class NmeaCorpus : public ::testing::TestWithParam<std::string> {};

TEST_P(NmeaCorpus, OneReadCutsTheListedSentencesAndDecodesEveryReportedPosition) {
    const std::string name = GetParam();
    const std::string bytes = readFile(kCorpus / (name + ".log"));
    ASSERT_FALSE(bytes.empty());
    const CaptureRun run = runCapture(bytes, 0);

    const std::vector<std::string> listed = readSentences(kCorpus / (name + ".sentences.txt"));
    ASSERT_EQ(run.cutBeforeFlush.size(), listed.size());
    for (std::size_t i = 0; i < listed.size(); ++i) ASSERT_EQ(run.cutBeforeFlush[i], listed[i]) << "sentence " << i;

    for (const Expected& e : readExpected(kCorpus / (name + ".expected.json"))) {
        if (decodedNear(run.positions, e.lat, e.lon)) continue;
        // The daemon also reported a position right after a sentence that
        // says there is no fix; such a position is not taken on purpose.
        const NmeaFields after = decodeNmeaSentence(e.after);
        EXPECT_TRUE(after.type != NmeaType::None && after.noFix)
            << name << ": position " << e.lat << ", " << e.lon << " not decoded (reported after " << e.after << ")";
    }
    // Nothing in the captures may publish a value that is not a number.
    EXPECT_TRUE(std::isfinite(run.parser.fix.gpsLatitude));
    EXPECT_TRUE(std::isfinite(run.parser.fix.gpsLongitude));
    EXPECT_TRUE(std::isfinite(run.parser.fix.gpsSpeed));
}

TEST_P(NmeaCorpus, ReadsOfOtherSizesCutTheSameSentencesInOrder) {
    const std::string name = GetParam();
    const std::string bytes = readFile(kCorpus / (name + ".log"));
    const CaptureRun whole = runCapture(bytes, 0);
    for (std::size_t chunk : {1u, 7u, 64u, 333u, 1024u, 4096u}) {
        SCOPED_TRACE("chunk " + std::to_string(chunk));
        const CaptureRun run = runCapture(bytes, chunk);
        // Before the flush: a prefix of the one-read cut (the byte counter
        // may leave the last complete sentences in the remainder) ...
        ASSERT_LE(run.cutBeforeFlush.size(), whole.cutBeforeFlush.size());
        for (std::size_t i = 0; i < run.cutBeforeFlush.size(); ++i)
            ASSERT_EQ(run.cutBeforeFlush[i], whole.cutBeforeFlush[i]) << "sentence " << i;
        // ... and once later sentences arrive, everything is cut exactly once,
        // in order.
        ASSERT_EQ(run.cutAll, whole.cutAll);
        EXPECT_EQ(run.parser.fix.latText, whole.parser.fix.latText);
        EXPECT_EQ(run.parser.fix.lonText, whole.parser.fix.lonText);
        EXPECT_EQ(run.parser.fix.timeText, whole.parser.fix.timeText);
        EXPECT_EQ(run.parser.fix.dateText, whole.parser.fix.dateText);
        EXPECT_EQ(run.parser.fix.speedText, whole.parser.fix.speedText);
        EXPECT_DOUBLE_EQ(run.parser.fix.gpsLatitude, whole.parser.fix.gpsLatitude);
        EXPECT_DOUBLE_EQ(run.parser.fix.gpsLongitude, whole.parser.fix.gpsLongitude);
        EXPECT_LE(run.framing.historyCount, kSentenceHistoryCapacity);
    }
}

TEST_P(NmeaCorpus, ReaderSnapshotsStaySane) {
    const std::string bytes = readFile(kCorpus / (GetParam() + ".log"));
    GpsReader reader;
    for (std::size_t at = 0; at < bytes.size(); at += 100) {
        const GpsSnapshot s = reader.read(std::string_view(bytes).substr(at, 100));
        ASSERT_TRUE(std::isfinite(s.fix.gpsLatitude) && std::fabs(s.fix.gpsLatitude) < 1e6);
        ASSERT_TRUE(std::isfinite(s.fix.gpsLongitude));
        ASSERT_LE(s.historyCount, kSentenceHistoryCapacity);
        if (s.positionPublished) {
            ASSERT_NE(s.fix.latText, "n/a");
            ASSERT_NE(s.fix.lonText, "n/a");
        }
    }
}

std::string testName(const ::testing::TestParamInfo<std::string>& info) {
    std::string n;
    for (char c : info.param) n += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return n;
}

INSTANTIATE_TEST_SUITE_P(Captures, NmeaCorpus, ::testing::ValuesIn(captureNames()), testName);

TEST(NmeaCorpusFiles, TheSharedCorpusIsThere) {
    const auto names = captureNames();
    EXPECT_GE(names.size(), 30u) << "no captures under " << kCorpus;
}

}  // namespace
}  // namespace hx
