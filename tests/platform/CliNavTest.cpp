// hx642-cli nmea and utm as an operator or a script runs them.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct Result {
    int exitCode = -1;
    QList<QByteArray> lines;
    QByteArray err;
};

Result runCli(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(HX642_CLI_PATH), args);
    Result r;
    if (!p.waitForFinished(30000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.exitCode = p.exitCode();
    r.lines = p.readAllStandardOutput().split('\n');
    while (!r.lines.isEmpty() && r.lines.back().isEmpty()) r.lines.removeLast();
    r.err = p.readAllStandardError();
    return r;
}

const QString kCapture = QStringLiteral(HX642_SHARED_DIR "/corpus/nmea/garmin48.log");

TEST(CliNmea, OneLinePerReadWithTheFixFields) {
    const Result whole = runCli({QStringLiteral("nmea"), kCapture});
    ASSERT_EQ(whole.exitCode, 0) << whole.err.toStdString();
    ASSERT_EQ(whole.lines.size(), 1);
    const QJsonObject o = QJsonDocument::fromJson(whole.lines[0]).object();
    for (const char* key : {"gpsLatitude", "gpsLongitude", "gpsSpeed", "gpsCourse", "gpsHeading", "latText", "lonText",
                            "timeText", "speedText", "courseText", "headingText", "dateText", "gpsSentences"})
        EXPECT_TRUE(o.contains(QLatin1String(key))) << key;
    EXPECT_EQ(o.value("gpsSentences").toArray().size(), 10);
    EXPECT_LT(o.value("gpsLatitude").toDouble(), 0.0);  // a southern capture
    EXPECT_NE(o.value("latText").toString(), QStringLiteral("n/a"));

    const Result chunked = runCli({QStringLiteral("nmea"), kCapture, QStringLiteral("--chunk"), QStringLiteral("500")});
    ASSERT_EQ(chunked.exitCode, 0);
    EXPECT_EQ(chunked.lines.size(), (4436 + 499) / 500);
    for (const QByteArray& line : chunked.lines) EXPECT_FALSE(QJsonDocument::fromJson(line).isNull()) << line.toStdString();
}

TEST(CliNmea, BadArguments) {
    EXPECT_EQ(runCli({QStringLiteral("nmea")}).exitCode, 2);
    EXPECT_EQ(runCli({QStringLiteral("nmea"), kCapture, QStringLiteral("--chunk"), QStringLiteral("0")}).exitCode, 2);
    EXPECT_EQ(runCli({QStringLiteral("nmea"), kCapture, QStringLiteral("--chunk")}).exitCode, 2);
    const Result missing = runCli({QStringLiteral("nmea"), QStringLiteral("/nonexistent/capture.log")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_FALSE(missing.err.isEmpty());
    QTemporaryDir dir;
    const QString empty = dir.filePath(QStringLiteral("empty.log"));
    QFile(empty).open(QIODevice::WriteOnly);
    const Result none = runCli({QStringLiteral("nmea"), empty});
    EXPECT_EQ(none.exitCode, 0);
    ASSERT_EQ(none.lines.size(), 1);
    EXPECT_EQ(QJsonDocument::fromJson(none.lines[0]).object().value("latText").toString(), QStringLiteral("n/a"));
}

TEST(CliUtm, ZoneEastingNorthing) {
    const Result r = runCli({QStringLiteral("utm"), QStringLiteral("-33.8172"), QStringLiteral("18.7321")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    ASSERT_EQ(r.lines.size(), 1);
    const QJsonObject o = QJsonDocument::fromJson(r.lines[0]).object();
    EXPECT_EQ(o.value("zone").toInt(), 34);
    EXPECT_EQ(o.value("hemisphere").toString(), QStringLiteral("S"));
    EXPECT_GT(o.value("northing").toDouble(), 6000000.0);
    EXPECT_GT(o.value("easting").toDouble(), 100000.0);
    EXPECT_EQ(runCli({QStringLiteral("utm"), QStringLiteral("95"), QStringLiteral("0")}).exitCode, 2);
    EXPECT_EQ(runCli({QStringLiteral("utm"), QStringLiteral("north")}).exitCode, 2);
}

}  // namespace
