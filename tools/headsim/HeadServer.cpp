#include "tools/headsim/HeadServer.h"

#include "tools/headsim/HeadSession.h"
#include "tools/headsim/SimContext.h"

#include <QTcpServer>
#include <QTcpSocket>

namespace hx::sim {

namespace {

constexpr int kMaxSessions = 16;  // per head; more are refused at once

}  // namespace

HeadServer::HeadServer(int head, SimContext& context, QObject* parent)
    : QObject(parent), head_(head), context_(context), server_(new QTcpServer(this)) {
    connect(server_, &QTcpServer::newConnection, this, &HeadServer::acceptPending);
}

bool HeadServer::listen(const QHostAddress& address, quint16 port, QString* error) {
    if (server_->listen(address, port)) return true;
    *error = QStringLiteral("cannot listen on %1:%2: %3").arg(address.toString()).arg(port).arg(server_->errorString());
    return false;
}

quint16 HeadServer::port() const { return server_->serverPort(); }

void HeadServer::shutdown() {
    server_->close();
    for (HeadSession* session : findChildren<HeadSession*>(Qt::FindDirectChildrenOnly)) session->finish();
}

void HeadServer::acceptPending() {
    while (QTcpSocket* socket = server_->nextPendingConnection()) {
        if (findChildren<HeadSession*>(Qt::FindDirectChildrenOnly).size() >= kMaxSessions) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        auto* session = new HeadSession(socket, head_, context_, this);
        connect(session, &HeadSession::pingLimitReached, this, &HeadServer::pingLimitReached);
    }
}

}  // namespace hx::sim
