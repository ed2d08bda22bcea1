// Four sonar heads scripted inside the test process: TCP servers on
// 127.0.<net>.2..5, all on one port, answering the system information
// request and every data request with known, ping-numbered bytes, and
// keeping every command they received. A recording made from them can be
// compared byte for byte with what was sent and received.
// Changed only by its own socket events.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "core/Heads.h"

namespace hx::clitest {

struct ScriptedOptions {
    int net = 0;
    bool splitReplies = false;  // every reply in two TCP segments
    int closingHead = -1;       // this head closes its first connection...
    int closeAfterReplies = 0;  // ...after so many data replies
};

class ScriptedHeads final : public QObject {
public:
    explicit ScriptedHeads(ScriptedOptions options);
    ~ScriptedHeads() override;

    // Listens on all four addresses with one port; false when that fails.
    bool listen();
    std::uint16_t port() const { return port_; }
    QString address(int head) const;

    // What one head received and sent for one of its pings. A head's pings
    // are numbered from 1, one more with every first-half request it gets.
    struct PingExchange {
        QByteArray firstCommand;
        QByteArray secondCommand;
        QByteArray firstReply;
        QByteArray secondReply;
    };
    const PingExchange* exchange(int head, std::uint32_t ping) const;

    const QByteArray& systemInfo() const { return systemInfo_; }
    int systemInfoRequests() const { return systemInfoRequests_; }
    // The last system information request as received (128 bytes).
    const QByteArray& systemInfoRequest() const { return systemInfoRequest_; }
    int connections(int head) const { return connections_[static_cast<std::size_t>(head)]; }
    // Commands that were neither a data request nor a system information
    // request, or a second half asked for before any first half.
    int unexpectedCommands() const { return unexpected_; }
    // The head's ping counter when its connection number `connection` (1..) was opened.
    std::uint32_t pingAtConnection(int head, int connection) const;

    // The reply a head sends for one half of one of its pings.
    static QByteArray dataReply(int head, std::uint32_t ping, bool secondHalf);

private:
    struct Session {
        int head = 0;
        int connection = 0;  // 1 for the head's first connection
        int replies = 0;
        QPointer<QTcpSocket> socket;
        QByteArray pending;
    };

    void accept(int head);
    void readCommands(Session& session);
    void answer(Session& session, const QByteArray& command);
    void send(Session& session, const QByteArray& reply);

    ScriptedOptions options_;
    std::array<std::unique_ptr<QTcpServer>, kHeadCount> servers_;
    std::uint16_t port_ = 0;
    QByteArray systemInfo_;
    QByteArray systemInfoRequest_;
    std::vector<std::unique_ptr<Session>> sessions_;
    std::array<std::uint32_t, kHeadCount> pings_{};
    std::array<int, kHeadCount> connections_{};
    std::map<std::pair<int, int>, std::uint32_t> pingAtConnection_;
    std::map<std::pair<int, std::uint32_t>, PingExchange> exchanges_;
    int systemInfoRequests_ = 0;
    int unexpected_ = 0;
};

}  // namespace hx::clitest
