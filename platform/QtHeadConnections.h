// The four head connections over QTcpSocket, non-blocking, on the thread that
// owns this object. Events go to the link's IHeadConnectionEvents; a dropped
// or replaced connection never reports again. Connects only to the literal
// IPv4 address the link gives it; a host name is refused, never looked up,
// and so is any address outside 127.0.0.0/8 under HX642_LOOPBACK_ONLY.
#pragma once

#include <QObject>
#include <QPointer>
#include <QTcpSocket>

#include <array>

#include "link/HeadConnectionPort.h"

namespace hx {

class QtHeadConnections final : public QObject, public IHeadConnectionPort {
    Q_OBJECT
public:
    explicit QtHeadConnections(QObject* parent = nullptr);
    ~QtHeadConnections() override;

    // Where events go; set before the first connect.
    void setEvents(IHeadConnectionEvents* events) { events_ = events; }

    void connect(int head, const std::string& address, std::uint16_t port) override;
    void send(int head, std::span<const std::uint8_t> bytes) override;
    void close(int head) override;

    // For diagnostics and tests.
    bool isOpen(int head) const;
    // Sockets asked to connect so far, and addresses refused without one.
    int connectAttempts() const { return connectAttempts_; }
    int refusedAddresses() const { return refusedAddresses_; }

private:
    void drop(int head);
    void reportError(int head, quint64 generation, const QString& text);

    IHeadConnectionEvents* events_ = nullptr;
    std::array<QPointer<QTcpSocket>, 4> sockets_{};
    // Bumped whenever a head's socket is replaced, so that a queued event of
    // an old socket is recognised and ignored.
    std::array<quint64, 4> generation_{};
    bool inConnectCall_ = false;
    int connectAttempts_ = 0;
    int refusedAddresses_ = 0;
};

}  // namespace hx
