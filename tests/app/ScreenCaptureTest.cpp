// What an operator sees of playback on a real display: hx642 plays a
// recording made by hx642-cli from hx642-headsim in a window on an X server
// of its own (Xvfb), and --screenshot takes the picture from the X server.
// A widget grab paints everything afresh and so shows rows that never
// reached the screen; the X server's picture shows only what was drawn there.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "tests/cli/CliTestSupport.h"

namespace hx::clitest {
namespace {

constexpr int kServerStartMs = 10000;
constexpr int kRecordMs = 60000;
constexpr int kProgramMs = 120000;

// An X server on a free display number, stopped with the test.
class XServer {
public:
    ~XServer() {
        if (process_.state() == QProcess::NotRunning) return;
        process_.terminate();
        if (!process_.waitForFinished(5000)) process_.kill();
        process_.waitForFinished(5000);
    }

    bool start(const QString& program) {
        for (int display = 87; display < 140; ++display) {
            const QString socket = QStringLiteral("/tmp/.X11-unix/X%1").arg(display);
            if (QFileInfo::exists(socket) || QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(display))) continue;
            process_.setProgram(program);
            process_.setArguments({QStringLiteral(":%1").arg(display), QStringLiteral("-screen"), QStringLiteral("0"),
                                   QStringLiteral("1280x800x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
            process_.setProcessChannelMode(QProcess::MergedChannels);
            process_.start();
            if (!process_.waitForStarted(kServerStartMs)) continue;
            if (waitUntil([&] { return QFileInfo::exists(socket) || process_.state() == QProcess::NotRunning; },
                          kServerStartMs) &&
                process_.state() == QProcess::Running) {
                display_ = QStringLiteral(":%1").arg(display);
                return true;
            }
            process_.kill();
            process_.waitForFinished(5000);
        }
        return false;
    }
    const QString& display() const { return display_; }

private:
    QProcess process_;
    QString display_;
};

// The share of a rectangle's pixels that are not (nearly) black.
double litShare(const QImage& image, const QRect& area) {
    int lit = 0, all = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x, ++all) {
            const QRgb p = image.pixel(x, y);
            lit += qRed(p) + qGreen(p) + qBlue(p) > 60;
        }
    return all ? static_cast<double>(lit) / all : 0.0;
}

TEST(ScreenCapture, PlayedRowsReachTheScreen) {
    testApp();
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty()) GTEST_SKIP() << "Xvfb is not installed (scripts/install-deps.sh installs it): no X server to look at";
    XServer server;
    ASSERT_TRUE(server.start(xvfb)) << "no X server could be started";

    // A recording from the simulator with pings about 160 ms apart.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    HeadSimulator sim;
    ASSERT_TRUE(sim.start(66, {QStringLiteral("--delay-ms"), QStringLiteral("20")}));
    const QString recording = dir.filePath(QStringLiteral("survey.642"));
    const CliResult recorded = runCli({QStringLiteral("record"), QStringLiteral("--address"), sim.address(kHeadL),
                                       QStringLiteral("--port"), QString::number(sim.port()), QStringLiteral("--out"),
                                       recording, QStringLiteral("--pings"), QStringLiteral("40")},
                                      kRecordMs);
    ASSERT_TRUE(recorded.finished);
    ASSERT_EQ(recorded.exitCode, 0) << recorded.err.toStdString();
    sim.stop();

    // Loopback heads only; a 1100 × 700 frame (wider than the bars need) at
    // the top left; playing as fast as the timer allows, round and round the file.
    const QString ini = dir.filePath(QStringLiteral("HX642.ini"));
    {
        QFile f(ini);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Sonar L]\nIP Address=127.0.66.2\n[Sonar M]\nIP Address=127.0.66.3\n"
                "[Sonar H]\nIP Address=127.0.66.4\n[Echo Sounder]\nIP Address=127.0.66.5\n"
                "[System]\nPlayback Speed=20\nGPS Tracking=0\n"
                "[Filters Enabled]\nMain Frame Left=0\nMain Frame Top=0\nMain Frame Right=1100\nMain Frame Bottom=700\n");
    }
    const QString shot = dir.filePath(QStringLiteral("screen.png"));
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), server.display());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("HX642_LOOPBACK_ONLY"), QStringLiteral("1"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.path());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.path());
    // The desktop's D-Bus library keeps a buffer to the end of the process:
    // not the program's leak.
    const QString suppressions = dir.filePath(QStringLiteral("lsan.supp"));
    {
        QFile f(suppressions);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("leak:libdbus-1.so\n");
    }
    env.insert(QStringLiteral("LSAN_OPTIONS"), QStringLiteral("suppressions=") + suppressions);
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(QStringLiteral(HX642_BINARY_DIR "/app/hx642"),
                  {QStringLiteral("--settings"), ini, QStringLiteral("--quit-after"), QStringLiteral("8"),
                   QStringLiteral("--screenshot"), shot, recording});
    ASSERT_TRUE(program.waitForStarted(10000));
    ASSERT_TRUE(waitUntil([&] { return program.state() == QProcess::NotRunning; }, kProgramMs));
    const QString output = QString::fromLocal8Bit(program.readAll());
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << output.toStdString();
    EXPECT_EQ(program.exitCode(), 0) << output.toStdString();

    QImage screen(shot);
    ASSERT_FALSE(screen.isNull()) << "no screenshot: " << output.toStdString();
    EXPECT_EQ(screen.size(), QSize(1100, 700)) << "the frame's area of the screen";
    // The waterfall's left half, well below the bars and above the status
    // bars: the played sonar picture, not the black of a view never redrawn.
    const QRect waterfall(20, 230, 460, 300);
    EXPECT_GT(litShare(screen, waterfall), 0.25) << "the played rows are on the screen";
}

}  // namespace
}  // namespace hx::clitest
