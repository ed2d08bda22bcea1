// The network GPS sources end to end on loopback: NMEA 0183 datagrams on a
// UDP port, and a real gpsd reading a pseudo-terminal that the test feeds.
#include <gtest/gtest.h>

#include <QTcpServer>
#include <QUdpSocket>

#include "platform/gps/NetworkGpsSources.h"
#include "tests/platform/GpsTestSupport.h"

namespace hx {
namespace {

using test::PtyPair;
using test::ReaderHarness;

const ::testing::Environment* const kApp = ::testing::AddGlobalTestEnvironment(new test::QtAppEnvironment);

const std::string kGga = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n";
const std::string kRmc = "$GPRMC,123520,A,4807.038,S,01131.000,W,022.4,084.4,230394,003.1,W*6F\r\n";

// A free TCP port on a loopback address (closed again for the server to take).
quint16 freeTcpPort(const QHostAddress& address) {
    QTcpServer probe;
    if (!probe.listen(address, 0)) return 0;
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

TEST(GpsUdp, DatagramsOnLoopbackReachTheFix) {
    ReaderHarness h;
    GpsSettings s;
    s.gpsSource = GpsSourceKind::Udp;
    s.udpAddress = "127.0.0.31";
    s.udpPort = 0;  // a free port; the reopen reports it
    ASSERT_TRUE(h.reopen(s));
    ASSERT_TRUE(h.reopened.back().open);
    const quint16 port = h.reopened.back().boundPort;
    ASSERT_NE(port, 0);

    QUdpSocket sender;
    ASSERT_TRUE(sender.bind(QHostAddress(QStringLiteral("127.0.0.31")), 0));
    // One sentence per datagram, as multiplexers send them, and one split
    // over two datagrams.
    sender.writeDatagram(QByteArray::fromStdString(kGga), QHostAddress(QStringLiteral("127.0.0.31")), port);
    sender.writeDatagram(QByteArray::fromStdString(kRmc.substr(0, 20)), QHostAddress(QStringLiteral("127.0.0.31")), port);
    sender.writeDatagram(QByteArray::fromStdString(kRmc.substr(20) + "$"), QHostAddress(QStringLiteral("127.0.0.31")), port);
    const GpsSnapshot* r = h.readUntil([](const GpsSnapshot& s) { return s.fix.dateText != "n/a"; });
    ASSERT_NE(r, nullptr);
    EXPECT_TRUE(r->sourceOpen);
    EXPECT_EQ(r->fix.latText, "48.07.038 S");
    EXPECT_NEAR(r->fix.gpsLatitude, -48.1173, 1e-9);
    EXPECT_EQ(r->fix.speedText, "22.4 Knots");
}

TEST(GpsUdp, APortInUseOrABadAddressGivesAMessage) {
    QUdpSocket holder;
    ASSERT_TRUE(holder.bind(QHostAddress(QStringLiteral("127.0.0.32")), 0));  // exclusive by default
    ReaderHarness h;
    GpsSettings s;
    s.gpsSource = GpsSourceKind::Udp;
    s.udpAddress = "127.0.0.32";
    s.udpPort = holder.localPort();
    ASSERT_TRUE(h.reopen(s));
    EXPECT_FALSE(h.reopened.back().open);
    ASSERT_TRUE(test::waitUntil([&] { return !h.notifier.messages.empty(); }));
    EXPECT_NE(h.notifier.messages[0].find("is not available."), std::string::npos);

    s.udpAddress = "not-an-address";
    ASSERT_TRUE(h.reopen(s));
    EXPECT_FALSE(h.reopened.back().open);
    const GpsSnapshot* r = h.readOnce();
    ASSERT_NE(r, nullptr);
    EXPECT_FALSE(r->sourceOpen);
}

TEST(GpsGpsd, NoServerGivesOneMessageAndReadsGoOn) {
    ReaderHarness h;
    GpsSettings s;
    s.gpsSource = GpsSourceKind::Gpsd;
    s.gpsdHost = "127.0.0.33";
    s.gpsdPort = freeTcpPort(QHostAddress(QStringLiteral("127.0.0.33")));
    ASSERT_NE(s.gpsdPort, 0);
    ASSERT_TRUE(h.reopen(s));
    ASSERT_TRUE(test::waitUntil([&] { return !h.notifier.messages.empty(); }));
    EXPECT_EQ(h.notifier.messages[0], "gpsd 127.0.0.33:" + std::to_string(s.gpsdPort) +
                                          " is not available. \nPlease check the GPS source settings!");
    // Reconnection attempts at each read do not repeat the message.
    for (int i = 0; i < 5; ++i) {
        const GpsSnapshot* r = h.readOnce();
        ASSERT_NE(r, nullptr);
        EXPECT_FALSE(r->sourceOpen);
        test::waitUntil([] { return false; }, 20);
    }
    EXPECT_EQ(h.notifier.messages.size(), 1u);
}

class GpsdServer : public ::testing::Test {
protected:
    void SetUp() override {
        if (!pty_.ready()) GTEST_SKIP() << "socat could not make a pseudo-terminal pair";
        const QString gpsd = QStandardPaths::findExecutable(QStringLiteral("gpsd"), {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin"), QStringLiteral("/sbin")});
        if (gpsd.isEmpty()) GTEST_SKIP() << "gpsd is not installed";
        port_ = freeTcpPort(QHostAddress::LocalHost);
        if (port_ == 0) GTEST_SKIP() << "no free loopback port for gpsd";
        // -N foreground, -n read the device at once, -b read-only, -S port;
        // gpsd listens on loopback only unless told otherwise.
        gpsd_.setProgram(QStringLiteral("timeout"));
        gpsd_.setArguments({QStringLiteral("60"), gpsd, QStringLiteral("-N"), QStringLiteral("-n"), QStringLiteral("-b"),
                            QStringLiteral("-S"), QString::number(port_), pty_.readerPath()});
        gpsd_.setProcessChannelMode(QProcess::MergedChannels);
        gpsd_.start();
        if (!gpsd_.waitForStarted(3000)) GTEST_SKIP() << "gpsd could not be started";
        QTcpSocket probe;
        const bool up = test::waitUntil([&] {
            if (gpsd_.state() == QProcess::NotRunning) return true;
            probe.abort();
            probe.connectToHost(QHostAddress::LocalHost, port_);
            return probe.waitForConnected(100);
        }, 5000);
        if (!up || gpsd_.state() == QProcess::NotRunning)
            GTEST_SKIP() << "gpsd did not start listening: " << gpsd_.readAll().toStdString();
        probe.abort();
    }
    void TearDown() override {
        if (gpsd_.state() != QProcess::NotRunning) {
            gpsd_.terminate();
            if (!gpsd_.waitForFinished(3000)) {
                gpsd_.kill();
                gpsd_.waitForFinished(2000);
            }
        }
    }
    PtyPair pty_;
    QProcess gpsd_;
    quint16 port_ = 0;
};

TEST_F(GpsdServer, SentencesThroughGpsdReachTheFix) {
    ReaderHarness h;
    GpsSettings s;
    s.gpsSource = GpsSourceKind::Gpsd;
    s.gpsdHost = "127.0.0.1";
    s.gpsdPort = port_;
    ASSERT_TRUE(h.reopen(s));
    ASSERT_NE(h.readUntil([](const GpsSnapshot& r) { return r.sourceOpen; }, 100), nullptr);
    // gpsd passes the device's sentences through; its JSON reports are
    // filtered out before the framing.
    const GpsSnapshot* r = h.readUntil([this](const GpsSnapshot& r) {
        pty_.write(kRmc);
        return r.fix.dateText != "n/a";
    });
    ASSERT_NE(r, nullptr) << gpsd_.readAll().toStdString();
    EXPECT_EQ(r->fix.latText, "48.07.038 S");
    EXPECT_NEAR(r->fix.gpsLatitude, -48.1173, 1e-9);
    for (const GpsSnapshot& read : h.reads)
        for (int i = 0; i < read.historyCount; ++i)
            EXPECT_EQ(read.sentenceHistory[static_cast<std::size_t>(i)].find("\"class\""), std::string::npos);
    EXPECT_TRUE(h.notifier.messages.empty());
}

}  // namespace
}  // namespace hx
