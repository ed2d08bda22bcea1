// QtHeadConnections on its own, against QTcpServer on loopback: events come
// from the event loop only, a dropped connection stays silent, and nothing
// but a literal IPv4 address is ever connected to.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <string>
#include <vector>

#include "QtTestApp.h"
#include "core/LoopbackOnly.h"
#include "platform/QtHeadConnections.h"

namespace hx {
namespace {

class Recorder final : public IHeadConnectionEvents {
public:
    struct Event {
        std::string kind;
        int head;
        std::size_t bytes;
    };
    void onConnected(int head) override { add("connected", head, 0); }
    void onBytesReceived(int head, std::span<const std::uint8_t> b) override {
        add("bytes", head, b.size());
        received.insert(received.end(), b.begin(), b.end());
    }
    void onClosed(int head) override { add("closed", head, 0); }
    void onError(int head, const std::string& text) override {
        add("error", head, 0);
        lastError = text;
    }
    std::size_t count(const std::string& kind) const {
        std::size_t n = 0;
        for (const auto& e : events) n += e.kind == kind;
        return n;
    }

    bool insidePortCall = false;
    bool eventDuringPortCall = false;
    std::vector<Event> events;
    std::vector<std::uint8_t> received;
    std::string lastError;

private:
    void add(const char* kind, int head, std::size_t n) {
        eventDuringPortCall = eventDuringPortCall || insidePortCall;
        events.push_back({kind, head, n});
    }
};

struct PortRig {
    Recorder events;
    QtHeadConnections port;
    PortRig() {
        test::qtTestApp();
        port.setEvents(&events);
    }
    void connect(int head, const std::string& address, std::uint16_t p) {
        events.insidePortCall = true;
        port.connect(head, address, p);
        events.insidePortCall = false;
    }
};

// A server on a loopback address that records its one client.
struct Server {
    QTcpServer server;
    QTcpSocket* client = nullptr;
    explicit Server(const char* address) {
        server.listen(QHostAddress(QString::fromLatin1(address)), 0);
        QObject::connect(&server, &QTcpServer::newConnection, [this] { client = server.nextPendingConnection(); });
    }
    std::uint16_t port() const { return server.serverPort(); }
};

TEST(QtHeadConnections, RefusesAnythingButAnIpv4AddressWithoutLookingItUp) {
    // None of these is an IPv4 address outside loopback: the switch may be
    // off to see the address check itself.
    qputenv(kLoopbackOnlyVariable, "0");
    PortRig r;
    r.connect(0, "not-an-address", 4040);
    r.connect(1, "::1", 4040);
    r.connect(2, "", 4040);
    EXPECT_TRUE(r.events.events.empty()) << "reported from the event loop, not inside connect()";
    ASSERT_TRUE(QTest::qWaitFor([&] { return r.events.count("error") == 3; }, 2000));
    EXPECT_FALSE(r.events.eventDuringPortCall);
    EXPECT_NE(r.events.lastError.find("not an IPv4 address"), std::string::npos);
    qputenv(kLoopbackOnlyVariable, "1");
}

TEST(QtHeadConnections, LoopbackOnlyRefusesTheFactoryAddressesWithoutASocket) {
    // CTest runs every test with the switch on; this one depends on it.
    qputenv(kLoopbackOnlyVariable, "1");
    const char* factory[] = {"192.168.0.2", "192.168.0.3", "192.168.0.4", "192.168.0.5"};
    // Never go on unless the refusal is certain: a mistake here must not
    // become a connection attempt.
    for (const char* address : factory) ASSERT_TRUE(loopbackRefusal(address, "head").has_value()) << address;
    PortRig r;
    for (int h = 0; h < 4; ++h) r.connect(h, factory[h], 4040);
    EXPECT_EQ(r.port.connectAttempts(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return r.events.count("error") == 4; }, 2000));
    EXPECT_FALSE(r.events.eventDuringPortCall);
    EXPECT_NE(r.events.lastError.find("192.168.0.5"), std::string::npos) << r.events.lastError;
    EXPECT_NE(r.events.lastError.find("HX642_LOOPBACK_ONLY"), std::string::npos) << r.events.lastError;
    for (int h = 0; h < 4; ++h) EXPECT_FALSE(r.port.isOpen(h));
}

TEST(QtHeadConnections, RefusedConnectionIsAnError) {
    PortRig r;
    std::uint16_t freePort = 0;
    {
        Server s("127.0.20.1");
        ASSERT_TRUE(s.server.isListening());
        freePort = s.port();
    }
    r.connect(3, "127.0.20.1", freePort);
    ASSERT_TRUE(QTest::qWaitFor([&] { return r.events.count("error") == 1; }, 3000));
    EXPECT_EQ(r.events.events[0].head, 3);
    EXPECT_FALSE(r.events.eventDuringPortCall);
    EXPECT_FALSE(r.port.isOpen(3));
}

TEST(QtHeadConnections, ConnectReceiveCloseAndPeerClose) {
    PortRig r;
    Server s("127.0.20.2");
    ASSERT_TRUE(s.server.isListening());
    r.connect(1, "127.0.20.2", s.port());
    ASSERT_TRUE(QTest::qWaitFor([&] { return r.events.count("connected") == 1 && s.client != nullptr; }, 3000));
    EXPECT_TRUE(r.port.isOpen(1));

    const std::vector<std::uint8_t> command(128, 0x44);
    r.port.send(1, command);
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.client->bytesAvailable() >= 128; }, 3000));
    EXPECT_EQ(s.client->readAll(), QByteArray(128, 0x44));

    s.client->write(QByteArray(1000, 'a'));
    s.client->flush();
    s.client->write(QByteArray(128, 'b'));
    ASSERT_TRUE(QTest::qWaitFor([&] { return r.events.received.size() == 1128; }, 3000));
    EXPECT_EQ(r.events.received[999], 'a');
    EXPECT_EQ(r.events.received[1000], 'b');

    s.client->disconnectFromHost();
    ASSERT_TRUE(QTest::qWaitFor([&] { return r.events.count("closed") == 1; }, 3000));
    EXPECT_EQ(r.events.count("error"), 0u) << "a peer's close is not an error";
    // Sending on a closed connection is ignored.
    r.port.send(1, command);
}

TEST(QtHeadConnections, ADroppedConnectionReportsNothingMore) {
    PortRig r;
    Server s("127.0.20.3");
    r.connect(2, "127.0.20.3", s.port());
    ASSERT_TRUE(QTest::qWaitFor([&] { return r.events.count("connected") == 1 && s.client != nullptr; }, 3000));
    r.port.close(2);
    EXPECT_FALSE(r.port.isOpen(2));
    s.client->write(QByteArray(300, 'x'));
    s.client->disconnectFromHost();
    QTest::qWait(200);
    EXPECT_EQ(r.events.count("bytes"), 0u);
    EXPECT_EQ(r.events.count("closed"), 0u);

    // Replacing a connection mid-connect: only the new one reports.
    Server other("127.0.20.4");
    r.connect(0, "127.0.20.3", s.port());
    r.connect(0, "127.0.20.4", other.port());
    ASSERT_TRUE(QTest::qWaitFor([&] { return r.events.count("connected") == 2; }, 3000));
    QTest::qWait(100);
    EXPECT_EQ(r.events.count("connected"), 2u);
    EXPECT_FALSE(r.events.eventDuringPortCall);
}

}  // namespace
}  // namespace hx
