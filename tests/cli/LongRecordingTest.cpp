// hx642-cli on a long recording written in the test: render --full cut into
// tiles with their sidecars, and export's answers on the command line.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <cstdio>

#include "CliTestSupport.h"
#include "fakes/FakeNotifier.h"
#include "record/RecordSamples.h"
#include "record/ReadWriteFiles.h"
#include "record/StdFileSystem.h"

namespace hx::clitest {
namespace {

// "$GPRMC,...*hh" of ping p: 1 s per ping from 10:00:00 UTC.
std::string rmcFor(std::uint32_t p) {
    char body[128];
    std::snprintf(body, sizeof body, "GPRMC,10%02u%02u.00,A,5738.%04u,N,01139.2000,E,4.0,0.0,071226,,",
                  p / 60 % 60, p % 60, 1000 + p % 8000);
    unsigned sum = 0;
    for (const char* c = body; *c; ++c) sum ^= static_cast<unsigned char>(*c);
    char sentence[160];
    std::snprintf(sentence, sizeof sentence, "$%s*%02X", body, sum);
    return sentence;
}

// pings records of heads L, M, H and ES with a GPS read each; the record of
// ping `damaged` gets a head block that claims too many samples.
void writeRecording(const QString& path, std::uint32_t pings, std::uint32_t damaged = 0) {
    StdFileSystem fs;
    test::FakeNotifier notifier;
    DataFileState state;
    CReadWriteFiles writer(state, fs, notifier);
    ASSERT_TRUE(writer.createOutput(path.toStdString()));
    rectest::SampleDocument doc;
    doc.setHeads({true, true, true, true});
    std::vector<std::uint64_t> offsets;
    for (std::uint32_t p = 1; p <= pings; ++p) {
        doc.fillForPing(p);
        for (auto& header : doc.heads.headReplyHeader) header[3] = 0;
        doc.sentences = {};
        doc.sentences[0] = rmcFor(p);
        state.pingNumber = p;
        offsets.push_back(writer.outputSize());
        ASSERT_EQ(writer.writeRecord(doc.sources()), WriteStatus::Written);
    }
    writer.closeOutput();
    if (damaged == 0) return;
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.seek(static_cast<qint64>(offsets[damaged - 1] + kRecordHeaderBytes + 6));
    file.write("\x34\x08", 2);  // 2100 samples in head L's block
}

class LongRecording : public FolderTest {};

TEST_F(LongRecording, FullRenderCutsTheStripIntoTiles) {
    // Without speed correction each ping is one row at 2000 pixels: 2600
    // pings in tiles of 1000 rows give two full tiles and one of 600.
    const QString file = path(QStringLiteral("long.642"));
    writeRecording(file, 2600);
    const CliResult r = runCli({QStringLiteral("render"), file, QStringLiteral("--out"), path(QStringLiteral("q.png")),
                                QStringLiteral("--full"), QStringLiteral("--tile-rows"), QStringLiteral("1000"),
                                QStringLiteral("--no-speed-correction")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("2600 rows in 3 tiles"))) << r.err.toStdString();

    const int expectedRows[] = {1000, 1000, 600};
    for (int t = 0; t < 3; ++t) {
        SCOPED_TRACE(t);
        const QString stem = path(QStringLiteral("q-%1").arg(t + 1, 4, 10, QLatin1Char('0')));
        const QImage tile(stem + QStringLiteral(".png"));
        ASSERT_FALSE(tile.isNull());
        EXPECT_EQ(tile.width(), 2000);
        EXPECT_EQ(tile.height(), expectedRows[t]);
        EXPECT_NE(tile.pixel(1000, tile.height() - 1) & 0xFFFFFF, 0u) << "drawn to the last row";

        QFile json(stem + QStringLiteral(".json"));
        ASSERT_TRUE(json.open(QIODevice::ReadOnly));
        const QJsonObject sidecar = QJsonDocument::fromJson(json.readAll()).object();
        EXPECT_EQ(sidecar.value("rows").toInt(), expectedRows[t]);
        EXPECT_EQ(sidecar.value("firstPing").toInteger(), 1000 * t + 1);
        const QJsonArray pings = sidecar.value("pings").toArray();
        ASSERT_EQ(pings.size(), expectedRows[t]);
        // Ping p begins at row p - 1 of the strip, in time order, with the
        // time and position of its GPS read.
        const QJsonObject second = pings.at(1).toObject();
        const auto ping = static_cast<std::uint32_t>(second.value("ping").toInteger());
        EXPECT_EQ(second.value("row").toInt(), static_cast<int>(ping - 1) - 1000 * t);
        EXPECT_EQ(second.value("time").toString().left(19),
                  QStringLiteral("2026-12-07T10:%1:%2")
                      .arg(ping / 60 % 60, 2, 10, QLatin1Char('0'))
                      .arg(ping % 60, 2, 10, QLatin1Char('0')));
        EXPECT_NEAR(second.value("lat").toDouble(), 57.0 + (38.0 + (1000 + ping % 8000) / 10000.0) / 60.0, 1e-9);
    }
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("q-0004.png"))));
    EXPECT_EQ(runCli({QStringLiteral("render"), file, QStringLiteral("--out"), path(QStringLiteral("x.png")),
                      QStringLiteral("--full"), QStringLiteral("--tile-rows"), QStringLiteral("20000")})
                  .exitCode,
              2);
}

TEST_F(LongRecording, ExportCountsDamageAndLeavesNothingWhereItCannotWrite) {
    const QString file = path(QStringLiteral("d.642"));
    writeRecording(file, 50, 20);
    const CliResult ok = runCli({QStringLiteral("export"), file, QStringLiteral("--xtf"), path(QStringLiteral("d.xtf")),
                                 QStringLiteral("--track"), path(QStringLiteral("d.kml"))});
    ASSERT_EQ(ok.exitCode, 0) << ok.err.toStdString();
    EXPECT_TRUE(ok.err.contains(QStringLiteral("50 records, 49 pings written, 1 damaged skipped"))) << ok.err.toStdString();
    EXPECT_TRUE(ok.err.contains(QStringLiteral("recording's GPS time"))) << ok.err.toStdString();
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("d.kml"))));

    const struct {
        QStringList args;
        int exitCode;
        const char* message;
    } cases[] = {
        {{QStringLiteral("--xtf"), path(QStringLiteral("no/folder/x.xtf"))}, 1, "no/folder"},
        {{QStringLiteral("--events"), path(QStringLiteral("e.txt"))}, 1, ".gpx, .kml or .csv"},
        {{QStringLiteral("--first-ping"), QStringLiteral("9"), QStringLiteral("--last-ping"), QStringLiteral("3"),
          QStringLiteral("--xtf"), path(QStringLiteral("r.xtf"))},
         2, "after --last-ping"},
        {{}, 2, "nothing to write"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const CliResult r = runCli(QStringList{QStringLiteral("export"), file} + c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QLatin1String(c.message))) << r.err.toStdString();
    }
    EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral("*.part*")}, QDir::Files).size(), 0);
}

}  // namespace
}  // namespace hx::clitest
