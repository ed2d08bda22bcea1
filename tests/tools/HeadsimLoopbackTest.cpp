// The real hx642-headsim over loopback TCP: started with QProcess, spoken to
// in raw bytes. Each test has its own loopback addresses and lets each
// server pick a free port; every wait is bounded.
#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTcpSocket>

#include "tools/headsim/model/ReplayShading.h"
#include "tools/headsim/model/XtfReplay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <fcntl.h>
#include <map>
#include <poll.h>
#include <string>
#include <unistd.h>

namespace {

constexpr int kStartTimeoutMs = 10000;
constexpr int kReplyTimeoutMs = 5000;

QByteArray command(quint8 code, quint8 half, quint16 rangeM = 50, quint32 frequencyHz = 120000, quint8 transmit = 0x10) {
    QByteArray m(128, '\0');
    m[0] = static_cast<char>(0xFE);
    m[1] = static_cast<char>(code);
    m[10] = static_cast<char>(half);
    m[12] = static_cast<char>(transmit);
    for (int i = 0; i < 4; ++i) m[30 + i] = static_cast<char>((frequencyHz >> (8 * i)) & 0xFF);
    m[34] = static_cast<char>(rangeM & 0xFF);
    m[35] = static_cast<char>(rangeM >> 8);
    m[38] = 6;
    m[50] = 0x10;
    m[52] = 0x01;
    m[127] = static_cast<char>(0xFD);
    return m;
}

QByteArray dataRequest(quint8 half) { return command(0x44, half); }
QByteArray sysInfoRequest() { return command(0x99, 0x00); }

quint8 byteAt(const QByteArray& b, int i) { return static_cast<quint8>(b.at(i)); }
quint32 u32At(const QByteArray& b, int i) {
    return byteAt(b, i) | (byteAt(b, i + 1) << 8) | (byteAt(b, i + 2) << 16) | (static_cast<quint32>(byteAt(b, i + 3)) << 24);
}

struct Endpoint {
    QString address;
    quint16 port = 0;
};

// One run of the simulator; stopped (SIGTERM, then kill) when it goes out of scope.
class Simulator {
public:
    explicit Simulator(const QString& subnet, QStringList extra = {}) {
        QStringList args = {"--addresses", QStringLiteral("%1.2,%1.3,%1.4,%1.5").arg(subnet), "--port", "0", "--seconds", "60"};
        args += extra;
        process_.start(QStringLiteral(HX642_BINARY_DIR "/tools/headsim/hx642-headsim"), args);
    }
    ~Simulator() {
        if (process_.state() == QProcess::NotRunning) return;
        process_.terminate();
        if (!process_.waitForFinished(5000)) {
            process_.kill();
            process_.waitForFinished(2000);
        }
    }

    // Reads the start-up lines up to "ready"; false if it never comes.
    bool waitReady() {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < kStartTimeoutMs) {
            while (process_.canReadLine()) {
                const QString line = QString::fromLocal8Bit(process_.readLine()).trimmed();
                lines_ << line;
                const QStringList parts = line.split(' ');
                if (parts.size() == 3 && parts[0] == "listening") {
                    const qsizetype colon = parts[2].lastIndexOf(':');
                    heads_[parts[1]] = {parts[2].left(colon), static_cast<quint16>(parts[2].mid(colon + 1).toUInt())};
                }
                if (line == "ready") return true;
            }
            if (process_.state() == QProcess::NotRunning) return false;
            process_.waitForReadyRead(100);
        }
        return false;
    }

    Endpoint head(const QString& letter) const { return heads_.at(letter); }
    const QStringList& lines() const { return lines_; }
    QProcess& process() { return process_; }

private:
    QProcess process_;
    QStringList lines_;
    std::map<QString, Endpoint> heads_;
};

bool connectTo(QTcpSocket& s, const Endpoint& e) {
    s.connectToHost(e.address, e.port);
    return s.waitForConnected(kReplyTimeoutMs);
}

// Exactly n bytes, or fewer if the time runs out; chunks counts the reads it took.
QByteArray readExactly(QTcpSocket& s, qint64 n, int timeoutMs = kReplyTimeoutMs, int* chunks = nullptr) {
    QByteArray out;
    QElapsedTimer clock;
    clock.start();
    while (out.size() < n && clock.elapsed() < timeoutMs) {
        if (s.bytesAvailable() == 0 && !s.waitForReadyRead(static_cast<int>(std::max<qint64>(1, timeoutMs - clock.elapsed()))))
            continue;
        const QByteArray part = s.read(n - out.size());
        if (!part.isEmpty() && chunks) ++*chunks;
        out += part;
    }
    return out;
}

// True if nothing at all arrives within ms.
bool staysQuiet(QTcpSocket& s, int ms) {
    return s.bytesAvailable() == 0 && !s.waitForReadyRead(ms);
}

QByteArray exchange(QTcpSocket& s, const QByteArray& request, qint64 replyBytes) {
    s.write(request);
    s.flush();
    return readExactly(s, replyBytes);
}

}  // namespace

TEST(HeadsimLoopback, SystemInformationReplyIs256BytesWithTheServedAddresses) {
    Simulator sim("127.0.20", {"--no-delay", "--serial", "SIM042"});
    ASSERT_TRUE(sim.waitReady()) << sim.lines().join('\n').toStdString();
    EXPECT_EQ(sim.lines().size(), 5);  // four heads, then ready
    QTcpSocket s;
    ASSERT_TRUE(connectTo(s, sim.head("L")));
    const QByteArray reply = exchange(s, sysInfoRequest(), 256);
    ASSERT_EQ(reply.size(), 256);
    EXPECT_EQ(reply.left(3), "TQZ");
    EXPECT_EQ(reply.mid(10, 6), "SIM042");
    EXPECT_EQ(byteAt(reply, 50), 0x1F);
    const char* letters[] = {"L", "M", "H", "E"};
    for (int k = 0; k < 4; ++k) {
        const int block = 90 + 30 * k;
        const QString address = QStringLiteral("%1.%2.%3.%4")
                                    .arg(byteAt(reply, block + 13)).arg(byteAt(reply, block + 12))
                                    .arg(byteAt(reply, block + 11)).arg(byteAt(reply, block + 10));
        EXPECT_EQ(address, sim.head(letters[k]).address);
    }
    EXPECT_TRUE(staysQuiet(s, 100));  // exactly 256, nothing after
    // Any head answers it.
    QTcpSocket es;
    ASSERT_TRUE(connectTo(es, sim.head("E")));
    EXPECT_EQ(exchange(es, sysInfoRequest(), 256).left(3), "TQZ");
}

TEST(HeadsimLoopback, BothHalvesOfAPingEchoTheHalfSelector) {
    Simulator sim("127.0.21", {"--no-delay"});
    ASSERT_TRUE(sim.waitReady());
    QTcpSocket l, es;
    ASSERT_TRUE(connectTo(l, sim.head("L")));
    ASSERT_TRUE(connectTo(es, sim.head("E")));
    for (int cycle = 1; cycle <= 3; ++cycle) {
        const QByteArray port = exchange(l, dataRequest(0x00), 1128);
        const QByteArray stbd = exchange(l, dataRequest(0x10), 1128);
        const QByteArray echo = exchange(es, dataRequest(0x00), 1128);
        const QByteArray sensors = exchange(es, dataRequest(0x10), 1128);
        ASSERT_EQ(port.size(), 1128);
        ASSERT_EQ(stbd.size(), 1128);
        ASSERT_EQ(echo.size(), 1128);
        ASSERT_EQ(sensors.size(), 1128);
        EXPECT_EQ(port.left(3), "SSL");
        EXPECT_EQ(echo.left(3), "ES1");
        EXPECT_EQ(byteAt(port, 10), 0x00);
        EXPECT_EQ(byteAt(stbd, 10), 0x10);
        EXPECT_EQ(byteAt(echo, 10), 0x00);
        EXPECT_EQ(byteAt(sensors, 10), 0x10);
        for (const QByteArray* r : {&port, &stbd, &echo, &sensors}) EXPECT_EQ(byteAt(*r, 3) & 0x7C, 0);
        // One ping per cycle, the same for both heads.
        EXPECT_EQ(u32At(port, 4), static_cast<quint32>(cycle));
        EXPECT_EQ(u32At(echo, 4), static_cast<quint32>(cycle));
        const double depthM = (byteAt(sensors, 137) | (byteAt(sensors, 138) << 8)) * 1000.0 / 65536.0;
        EXPECT_GT(depthM, 2.0);
        EXPECT_LT(depthM, 60.0);
    }
}

TEST(HeadsimLoopback, SplitRepliesArriveInTwoSegmentsButTotal1128) {
    Simulator sim("127.0.22", {"--no-delay", "--split-replies"});
    ASSERT_TRUE(sim.waitReady());
    QTcpSocket s;
    ASSERT_TRUE(connectTo(s, sim.head("M")));
    for (const quint8 half : {0x00, 0x10}) {
        s.write(dataRequest(half));
        s.flush();
        int chunks = 0;
        const QByteArray reply = readExactly(s, 1128, kReplyTimeoutMs, &chunks);
        ASSERT_EQ(reply.size(), 1128);
        EXPECT_GE(chunks, 2);
        EXPECT_EQ(byteAt(reply, 10), half);
        EXPECT_TRUE(staysQuiet(s, 60));
    }
    const QByteArray info = exchange(s, sysInfoRequest(), 256);
    EXPECT_EQ(info.left(3), "TQZ");
}

TEST(HeadsimLoopback, CloseAfterEndsTheConnectionAfterItsReplies) {
    Simulator sim("127.0.23", {"--no-delay", "--close-after", "2"});
    ASSERT_TRUE(sim.waitReady());
    QTcpSocket s;
    ASSERT_TRUE(connectTo(s, sim.head("H")));
    EXPECT_EQ(exchange(s, dataRequest(0x00), 1128).size(), 1128);
    EXPECT_EQ(exchange(s, dataRequest(0x10), 1128).size(), 1128);
    s.write(dataRequest(0x00));
    EXPECT_TRUE(s.state() == QAbstractSocket::UnconnectedState || s.waitForDisconnected(kReplyTimeoutMs));
    // A new connection is served afresh.
    QTcpSocket again;
    ASSERT_TRUE(connectTo(again, sim.head("H")));
    EXPECT_EQ(exchange(again, dataRequest(0x00), 1128).size(), 1128);
}

TEST(HeadsimLoopback, SigtermStopsItCleanlyEvenWithAReplyPending) {
    Simulator sim("127.0.24", {"--delay-ms", "3000"});
    ASSERT_TRUE(sim.waitReady());
    QTcpSocket s;
    ASSERT_TRUE(connectTo(s, sim.head("L")));
    s.write(dataRequest(0x00));
    s.flush();
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 200) s.waitForReadyRead(20);  // let the request arrive
    sim.process().terminate();
    ASSERT_TRUE(sim.process().waitForFinished(5000));
    EXPECT_EQ(sim.process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(sim.process().exitCode(), 0);
}

TEST(HeadsimLoopback, RefusesANonLoopbackAddressWithoutTheOption) {
    QProcess p;
    p.start(QStringLiteral(HX642_BINARY_DIR "/tools/headsim/hx642-headsim"),
            {"--addresses", "10.20.30.2,127.0.25.3,127.0.25.4,127.0.25.5", "--port", "0", "--seconds", "5"});
    ASSERT_TRUE(p.waitForFinished(5000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 2);
    EXPECT_TRUE(p.readAllStandardOutput().isEmpty());
    EXPECT_TRUE(p.readAllStandardError().contains("loopback"));
}

TEST(HeadsimLoopback, GarbageOnTheLinkIsSkippedAndTheNextCommandAnswered) {
    Simulator sim("127.0.26", {"--no-delay"});
    ASSERT_TRUE(sim.waitReady());
    QTcpSocket s;
    ASSERT_TRUE(connectTo(s, sim.head("L")));
    QByteArray junk;
    for (int i = 0; i < 5000; ++i) junk.append(static_cast<char>((i * 2654435761u) >> 11));
    junk += dataRequest(0x00).left(70);          // a command cut short
    QByteArray unknown = dataRequest(0x00);
    unknown[1] = 0x21;                            // an unknown code
    junk += unknown;
    QByteArray badHalf = dataRequest(0x00);
    badHalf[10] = 0x05;                           // a half selector nobody sends
    junk += badHalf;
    s.write(junk);
    const QByteArray reply = exchange(s, dataRequest(0x10), 1128);
    ASSERT_EQ(reply.size(), 1128);
    EXPECT_EQ(byteAt(reply, 10), 0x10);
    EXPECT_TRUE(staysQuiet(s, 100));  // nothing answered the junk
    EXPECT_EQ(sim.process().state(), QProcess::Running);
}

TEST(HeadsimLoopback, PingLimitEndsTheRun) {
    Simulator sim("127.0.27", {"--no-delay", "--heads", "L", "--pings", "2"});
    ASSERT_TRUE(sim.waitReady());
    QTcpSocket s;
    ASSERT_TRUE(connectTo(s, sim.head("L")));
    for (int ping = 0; ping < 2; ++ping) {
        EXPECT_EQ(exchange(s, dataRequest(0x00), 1128).size(), 1128);
        EXPECT_EQ(exchange(s, dataRequest(0x10), 1128).size(), 1128);
    }
    s.write(dataRequest(0x00));
    s.flush();
    ASSERT_TRUE(sim.process().waitForFinished(5000));
    EXPECT_EQ(sim.process().exitCode(), 0);
}

TEST(HeadsimLoopback, FaultsSilentHeadErrorFlagsExtraByteNoSysinfo) {
    Simulator sim("127.0.28", {"--no-delay", "--silent-head", "M", "--error-every", "2", "--extra-byte", "--no-sysinfo"});
    ASSERT_TRUE(sim.waitReady());
    QTcpSocket l, m;
    ASSERT_TRUE(connectTo(l, sim.head("L")));
    ASSERT_TRUE(connectTo(m, sim.head("M")));
    // Every reply is 1129 bytes; every second one carries error flags.
    const QByteArray first = exchange(l, dataRequest(0x00), 1129);
    const QByteArray second = exchange(l, dataRequest(0x10), 1129);
    ASSERT_EQ(first.size(), 1129);
    ASSERT_EQ(second.size(), 1129);
    EXPECT_EQ(byteAt(first, 3) & 0x7C, 0);
    EXPECT_NE(byteAt(second, 3) & 0x7C, 0);
    EXPECT_EQ(byteAt(second, 3) & ~0x7C, 0);
    // The silent head takes requests and says nothing; nobody answers sysinfo.
    m.write(dataRequest(0x00));
    m.flush();
    EXPECT_TRUE(staysQuiet(m, 300));
    EXPECT_EQ(m.state(), QAbstractSocket::ConnectedState);
    l.write(sysInfoRequest());
    l.flush();
    EXPECT_TRUE(staysQuiet(l, 300));
}

TEST(HeadsimLoopback, GpsOnAPseudoTerminal) {
    Simulator sim("127.0.29", {"--heads", "L", "--gps-pty"});
    ASSERT_TRUE(sim.waitReady());
    QString device;
    for (const QString& line : sim.lines())
        if (line.startsWith("gps ")) device = line.mid(4);
    ASSERT_TRUE(device.startsWith("/dev/pts/")) << sim.lines().join('\n').toStdString();
    const int fd = ::open(device.toLocal8Bit().constData(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    QByteArray text;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 4000 && !text.contains("HDT")) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 200) <= 0) continue;
        char buf[512];
        const auto n = ::read(fd, buf, sizeof buf);
        if (n > 0) text.append(buf, static_cast<qsizetype>(n));
    }
    ::close(fd);
    int checked = 0;
    for (const QByteArray& line : text.split('\n')) {
        const qsizetype dollar = line.indexOf('$');
        const qsizetype star = line.indexOf('*');
        if (dollar < 0 || star < 0 || !line.endsWith('\r') || line.size() != star + 4) continue;
        unsigned x = 0;
        for (qsizetype i = dollar + 1; i < star; ++i) x ^= static_cast<unsigned char>(line[i]);
        EXPECT_EQ(line.mid(star + 1, 2).toUInt(nullptr, 16), x) << line.toStdString();
        if (line.mid(dollar + 3, 3) == "GGA") {
            EXPECT_TRUE(line.contains(",57") && line.contains(",N,011")) << line.toStdString();
        }
        ++checked;
    }
    EXPECT_GE(checked, 3) << text.toStdString();
}

// The real recording replayed: the H head, set to the recording's 600 kHz
// and to 50 m, answers its first ping with the recording's first ping, each
// side resampled to 1000 samples over 50 m, nearest first: the recording's
// 29.98 m in the first 600 samples, quiet water beyond. Checked against the
// recording's levels (4 counts per dB, its seabed on 92 at 6 dB of gain)
// wherever they stand well clear of the receiver noise.
TEST(HeadsimLoopback, ReplayedRecordingFirstPingArrivesResampled) {
    const std::string path = HX642_SHARED_DIR "/corpus/xtf/scotsman-iver2.xtf";
    std::string error;
    const auto replay = hx::sim::XtfReplay::open(path, error);
    ASSERT_TRUE(replay) << error;
    hx::sim::ReplayPing first;
    ASSERT_TRUE(replay->load(0, first));

    Simulator sim("127.0.40", {"--no-delay", "--replay-xtf", QString::fromStdString(path)});
    ASSERT_TRUE(sim.waitReady()) << sim.lines().join('\n').toStdString();
    QTcpSocket h;
    ASSERT_TRUE(connectTo(h, sim.head("H")));
    const QByteArray port = exchange(h, command(0x44, 0x00, 50, 600000), 1128);
    const QByteArray stbd = exchange(h, command(0x44, 0x10, 50, 600000), 1128);
    ASSERT_EQ(port.size(), 1128);
    ASSERT_EQ(stbd.size(), 1128);
    EXPECT_EQ(u32At(port, 4), 1u);
    EXPECT_EQ(u32At(stbd, 4), 1u);

    const std::pair<const hx::sim::ReplaySide*, const QByteArray*> sides[] = {{&first.port, &port}, {&first.starboard, &stbd}};
    for (const auto& [side, reply] : sides) {
        std::array<float, hx::sim::kSamplesPerSide> relative{};
        hx::sim::resampleReplaySide(*side, replay->calibration().seabedDb, 50.0, relative);
        int compared = 0;
        for (int j = 0; j < 1000; ++j) {
            const int got = byteAt(*reply, 127 + j);
            if (j >= 600) {
                EXPECT_LT(got, 40) << "beyond the recording's range, sample " << j;
            } else if (relative[static_cast<std::size_t>(j)] > 0.1f) {
                const double expected =
                    std::clamp(std::round(92.0 + 40.0 * std::log10(relative[static_cast<std::size_t>(j)])), 0.0, 255.0);
                EXPECT_NEAR(got, expected, 3.0) << "sample " << j;
                ++compared;
            }
        }
        EXPECT_GT(compared, 300);  // most of the swath is seabed
    }
}

// A file that cannot be replayed stops the simulator at start, before any
// server listens: exit status 2 and the reason on the error output.
TEST(HeadsimLoopback, ReplayOfABadFileIsRefusedAtStart) {
    const QString garbage = QString::fromStdString(::testing::TempDir()) + "/replay-garbage.xtf";
    QFile f(garbage);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(3000, 'z'));
    f.close();
    const std::pair<QString, QByteArray> cases[] = {{garbage, "not an XTF file"},
                                                    {garbage + ".missing", "replay-garbage.xtf.missing"}};
    for (const auto& [path, says] : cases) {
        Simulator sim("127.0.41", {"--replay-xtf", path});
        ASSERT_TRUE(sim.process().waitForFinished(kStartTimeoutMs)) << says.toStdString();
        EXPECT_EQ(sim.process().exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(sim.process().exitCode(), 2) << says.toStdString();
        EXPECT_TRUE(sim.process().readAllStandardOutput().isEmpty());
        EXPECT_TRUE(sim.process().readAllStandardError().contains(says)) << says.toStdString();
    }
    QFile::remove(garbage);
}
