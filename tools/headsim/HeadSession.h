// One client connection to one simulated head. Cuts commands out of the
// byte stream, answers them one at a time in order (after the head's travel
// time, from a timer), applies the configured faults and closes itself when
// the peer goes or a fault says so. The Simulator's context is shared.
#pragma once

#include "core/Heads.h"
#include "tools/headsim/model/FaultPlan.h"
#include "tools/headsim/model/HeadCommand.h"

#include <QObject>
#include <QTimer>

#include <array>
#include <cstdint>
#include <deque>

class QTcpSocket;

namespace hx::sim {

struct SimContext;

class HeadSession : public QObject {
    Q_OBJECT
public:
    HeadSession(QTcpSocket* socket, int head, SimContext& context, QObject* parent = nullptr);

    // Sends what is queued in the socket and closes it (simulator stopping).
    void finish();

signals:
    void pingLimitReached();

private:
    void onReadyRead();
    void serve();
    bool prepare(const HeadRequest& request, int* delayMs);
    void sendFirstPart();
    void sendRest();
    void completeReply();

    QTcpSocket* socket_;
    int head_;
    SimContext& context_;
    CommandFramer framer_;
    FaultPlan faults_;
    std::deque<HeadRequest> queue_;
    QTimer replyTimer_;
    QTimer splitTimer_;
    bool busy_ = false;
    bool serving_ = false;
    bool closing_ = false;
    bool silenced_ = false;  // --silent-every picked this connection

    // Reply, then room for the extra byte and the garbage after it.
    std::array<std::uint8_t, kDataReplyBytes + 1 + 64> out_{};
    std::size_t outBytes_ = 0;
    ReplyFaults replyFaults_;
    std::array<char, 16384> readBuffer_{};
};

}  // namespace hx::sim
