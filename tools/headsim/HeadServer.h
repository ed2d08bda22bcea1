// The TCP server of one simulated head: listens on the head's own address
// and gives every accepted connection its own HeadSession.
#pragma once

#include <QHostAddress>
#include <QObject>
#include <QString>

class QTcpServer;

namespace hx::sim {

struct SimContext;

class HeadServer : public QObject {
    Q_OBJECT
public:
    HeadServer(int head, SimContext& context, QObject* parent = nullptr);

    bool listen(const QHostAddress& address, quint16 port, QString* error);
    quint16 port() const;
    // Closes the listening socket and every session, sending what they have queued.
    void shutdown();

signals:
    void pingLimitReached();

private:
    void acceptPending();

    int head_;
    SimContext& context_;
    QTcpServer* server_;
};

}  // namespace hx::sim
