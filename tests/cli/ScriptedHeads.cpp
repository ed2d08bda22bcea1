#include "ScriptedHeads.h"

#include <QHostAddress>
#include <QTimer>

#include <span>

#include "core/ByteIO.h"

namespace hx::clitest {

namespace {

constexpr int kListenAttempts = 3;
constexpr int kCommandSize = 128;
constexpr int kSplitAt = 500;    // first segment of a split reply
constexpr int kSplitGapMs = 2;   // enough for the second write to be its own segment
constexpr std::uint8_t kConfiguration = 0x1F;  // L, M, H, ES and the orientation sensor

const char* const kIds[kHeadCount] = {"SSL", "SSM", "SSH", "ES1"};
const std::uint16_t kLimitsKHz[kHeadCount][3] = {{120, 100, 150}, {260, 230, 300}, {540, 480, 700}, {200, 180, 220}};

std::span<std::uint8_t> bytesOf(QByteArray& b) {
    return {reinterpret_cast<std::uint8_t*>(b.data()), static_cast<std::size_t>(b.size())};
}

std::uint8_t filler(int i) { return static_cast<std::uint8_t>(i * 37 + 11); }

// A system information reply whose uninterpreted bytes are all set, so that
// a recording shows whether it kept the reply as received.
QByteArray systemInfoFor(int net) {
    QByteArray b(static_cast<int>(kSystemInfoBytes), '\0');
    auto s = bytesOf(b);
    for (int i = 0; i < b.size(); ++i) s[static_cast<std::size_t>(i)] = filler(i);
    s[0] = 'T';
    s[1] = 'Q';
    s[2] = 'Z';
    const char serial[] = "SCR042";
    for (std::size_t i = 0; i < 6; ++i) s[10 + i] = static_cast<std::uint8_t>(serial[i]);
    s[50] = kConfiguration;
    for (std::size_t k = 0; k < kHeadCount; ++k) {
        const std::size_t block = 90 + 30 * k;
        writeU16Le(s, block + 0, kLimitsKHz[k][0]);
        writeU16Le(s, block + 2, kLimitsKHz[k][1]);
        writeU16Le(s, block + 4, kLimitsKHz[k][2]);
        // Byte 13 of the block is the first octet: 127.0.<net>.<2 + k>.
        writeU32Le(s, block + 10, (127u << 24) | (static_cast<std::uint32_t>(net) << 8) | static_cast<std::uint32_t>(2 + k));
    }
    return b;
}

}  // namespace

ScriptedHeads::ScriptedHeads(ScriptedOptions options) : options_(options), systemInfo_(systemInfoFor(options.net)) {}

ScriptedHeads::~ScriptedHeads() {
    for (auto& server : servers_)
        if (server) server->close();
    for (auto& session : sessions_)
        if (session->socket) session->socket->abort();
}

QString ScriptedHeads::address(int head) const { return QStringLiteral("127.0.%1.%2").arg(options_.net).arg(2 + head); }

bool ScriptedHeads::listen() {
    for (int attempt = 0; attempt < kListenAttempts; ++attempt) {
        bool all = true;
        std::uint16_t port = 0;
        for (int h = 0; h < kHeadCount && all; ++h) {
            auto server = std::make_unique<QTcpServer>();
            all = server->listen(QHostAddress(address(h)), port);
            if (h == 0) port = server->serverPort();
            connect(server.get(), &QTcpServer::newConnection, this, [this, h] { accept(h); });
            servers_[static_cast<std::size_t>(h)] = std::move(server);
        }
        if (all) {
            port_ = port;
            return true;
        }
        for (auto& server : servers_) server.reset();
    }
    return false;
}

std::uint32_t ScriptedHeads::pingAtConnection(int head, int connection) const {
    const auto it = pingAtConnection_.find({head, connection});
    return it == pingAtConnection_.end() ? 0 : it->second;
}

const ScriptedHeads::PingExchange* ScriptedHeads::exchange(int head, std::uint32_t ping) const {
    const auto it = exchanges_.find({head, ping});
    return it == exchanges_.end() ? nullptr : &it->second;
}

QByteArray ScriptedHeads::dataReply(int head, std::uint32_t ping, bool secondHalf) {
    QByteArray b(static_cast<int>(kDataReplyBytes), '\0');
    auto r = bytesOf(b);
    const std::uint32_t half = secondHalf ? 1 : 0;
    for (std::size_t i = 0; i < 3; ++i) r[i] = static_cast<std::uint8_t>(kIds[head][i]);
    r[3] = 0;  // status: no error flag
    writeU32Le(r, 4, ping);
    r[8] = static_cast<std::uint8_t>(head);
    r[9] = 0x5A;
    r[10] = secondHalf ? 0x10 : 0x00;
    for (std::size_t i = 11; i < 127; ++i)
        r[i] = static_cast<std::uint8_t>(i * 7 + ping * 3 + static_cast<std::uint32_t>(head) * 11 + half);
    for (std::size_t j = 0; j < kSideDataPoints; ++j)
        r[127 + j] = static_cast<std::uint8_t>(j * 31 + j / 7 + ping * 17 + static_cast<std::uint32_t>(head) * 5 + half * 101);
    r[1127] = 0xEE;
    return b;
}

void ScriptedHeads::accept(int head) {
    QTcpServer& server = *servers_[static_cast<std::size_t>(head)];
    while (server.hasPendingConnections()) {
        QTcpSocket* socket = server.nextPendingConnection();
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        auto session = std::make_unique<Session>();
        session->head = head;
        session->connection = ++connections_[static_cast<std::size_t>(head)];
        session->socket = socket;
        pingAtConnection_[{head, session->connection}] = pings_[static_cast<std::size_t>(head)];
        Session* s = session.get();
        sessions_.push_back(std::move(session));
        connect(socket, &QTcpSocket::readyRead, this, [this, s] { readCommands(*s); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void ScriptedHeads::readCommands(Session& session) {
    if (!session.socket) return;
    session.pending += session.socket->readAll();
    while (session.pending.size() >= kCommandSize) {
        const QByteArray command = session.pending.left(kCommandSize);
        session.pending.remove(0, kCommandSize);
        answer(session, command);
    }
}

void ScriptedHeads::answer(Session& session, const QByteArray& command) {
    const auto code = static_cast<std::uint8_t>(command[1]);
    const auto half = static_cast<std::uint8_t>(command[10]);
    const int h = session.head;
    std::uint32_t& ping = pings_[static_cast<std::size_t>(h)];
    if (code == 0x99) {
        ++systemInfoRequests_;
        systemInfoRequest_ = command;
        send(session, systemInfo_);
        return;
    }
    if (code != 0x44 || (half != 0x00 && half != 0x10) || (half == 0x10 && ping == 0)) {
        ++unexpected_;
        return;
    }
    if (half == 0x00) ++ping;
    PingExchange& ex = exchanges_[{h, ping}];
    const bool second = half == 0x10;
    (second ? ex.secondCommand : ex.firstCommand) = command;
    QByteArray& reply = second ? ex.secondReply : ex.firstReply;
    reply = dataReply(h, ping, second);
    ++session.replies;
    send(session, reply);
}

void ScriptedHeads::send(Session& session, const QByteArray& reply) {
    QPointer<QTcpSocket> socket = session.socket;
    if (!socket) return;
    const bool close = session.head == options_.closingHead && session.connection == 1 &&
                       session.replies == options_.closeAfterReplies && reply.size() == static_cast<qsizetype>(kDataReplyBytes);
    auto finish = [socket, close] {
        if (socket && close) socket->disconnectFromHost();
    };
    if (!options_.splitReplies) {
        socket->write(reply);
        socket->flush();
        finish();
        return;
    }
    socket->write(reply.left(kSplitAt));
    socket->flush();
    const QByteArray rest = reply.mid(kSplitAt);
    QTimer::singleShot(kSplitGapMs, this, [socket, rest, finish] {
        if (!socket) return;
        socket->write(rest);
        socket->flush();
        finish();
    });
}

}  // namespace hx::clitest
