#include "platform/QtHeadConnections.h"

#include <QHostAddress>
#include <QLoggingCategory>
#include <QMetaObject>
#include <QTimer>

#include "core/Heads.h"
#include "core/LoopbackOnly.h"

namespace hx {

namespace {
Q_LOGGING_CATEGORY(lcHeads, "hx642.heads", QtInfoMsg)

bool validHead(int head) { return head >= 0 && head < 4; }
}  // namespace

QtHeadConnections::QtHeadConnections(QObject* parent) : QObject(parent) {}

QtHeadConnections::~QtHeadConnections() {
    for (int h = 0; h < 4; ++h) drop(h);
}

void QtHeadConnections::drop(int head) {
    auto& slot = sockets_[static_cast<std::size_t>(head)];
    ++generation_[static_cast<std::size_t>(head)];
    if (!slot) return;
    QTcpSocket* s = slot.data();
    slot.clear();
    s->disconnect(this);
    // A graceful shutdown when the connection is up; the socket deletes
    // itself once closed, and at the latest with this object.
    if (s->state() == QAbstractSocket::ConnectedState) {
        QObject::connect(s, &QAbstractSocket::disconnected, s, &QObject::deleteLater);
        s->disconnectFromHost();
        if (s->state() == QAbstractSocket::UnconnectedState) {
            s->deleteLater();
        } else {
            // A peer that does not take our last bytes does not keep it open.
            QTimer::singleShot(2000, s, [s] {
                s->abort();
                s->deleteLater();
            });
        }
    } else {
        s->abort();
        s->deleteLater();
    }
}

void QtHeadConnections::reportError(int head, quint64 generation, const QString& text) {
    if (generation != generation_[static_cast<std::size_t>(head)]) return;
    if (events_ != nullptr) events_->onError(head, text.toStdString());
}

void QtHeadConnections::connect(int head, const std::string& address, std::uint16_t port) {
    if (!validHead(head)) return;
    drop(head);
    const quint64 generation = generation_[static_cast<std::size_t>(head)];

    if (const auto refusal = loopbackRefusal(address, std::string("head ") + headLetter(head))) {
        // Refused before any socket exists: no packet leaves the machine.
        ++refusedAddresses_;
        const QString text = QString::fromStdString(*refusal);
        qCWarning(lcHeads) << text;
        QMetaObject::invokeMethod(
            this, [this, head, generation, text] { reportError(head, generation, text); }, Qt::QueuedConnection);
        return;
    }
    QHostAddress host;
    if (!host.setAddress(QString::fromStdString(address)) || host.protocol() != QAbstractSocket::IPv4Protocol) {
        // Reported from the event loop, never from inside this call.
        const QString text = QStringLiteral("not an IPv4 address: \"%1\"").arg(QString::fromStdString(address));
        QMetaObject::invokeMethod(
            this, [this, head, generation, text] { reportError(head, generation, text); }, Qt::QueuedConnection);
        return;
    }

    ++connectAttempts_;
    auto* s = new QTcpSocket(this);
    sockets_[static_cast<std::size_t>(head)] = s;
    QObject::connect(s, &QAbstractSocket::connected, this, [this, head, generation, s] {
        if (generation != generation_[static_cast<std::size_t>(head)]) return;
        // Commands are small and each waits for its reply: no Nagle delay.
        s->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        if (events_ != nullptr) events_->onConnected(head);
    });
    QObject::connect(s, &QIODevice::readyRead, this, [this, head, generation, s] {
        if (generation != generation_[static_cast<std::size_t>(head)]) return;
        const QByteArray data = s->readAll();
        if (data.isEmpty() || events_ == nullptr) return;
        events_->onBytesReceived(
            head, std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(data.constData()),
                                                static_cast<std::size_t>(data.size())));
    });
    QObject::connect(s, &QAbstractSocket::disconnected, this, [this, head, generation] {
        if (generation != generation_[static_cast<std::size_t>(head)]) return;
        if (events_ != nullptr) events_->onClosed(head);
    });
    QObject::connect(s, &QAbstractSocket::errorOccurred, this,
                     [this, head, generation, s](QAbstractSocket::SocketError error) {
                         // The peer's close arrives as disconnected().
                         if (error == QAbstractSocket::RemoteHostClosedError) return;
                         const QString text = s->errorString();
                         qCDebug(lcHeads) << "head" << head << text;
                         if (inConnectCall_) {
                             // An immediate failure inside connectToHost():
                             // reported later, never from inside connect().
                             QMetaObject::invokeMethod(
                                 this, [this, head, generation, text] { reportError(head, generation, text); },
                                 Qt::QueuedConnection);
                         } else {
                             reportError(head, generation, text);
                         }
                     });

    qCDebug(lcHeads) << "head" << head << "connecting to" << host.toString() << port;
    inConnectCall_ = true;
    s->connectToHost(host, port);
    inConnectCall_ = false;
}

void QtHeadConnections::send(int head, std::span<const std::uint8_t> bytes) {
    if (!validHead(head)) return;
    QTcpSocket* s = sockets_[static_cast<std::size_t>(head)].data();
    if (s == nullptr || s->state() != QAbstractSocket::ConnectedState) return;
    s->write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
}

void QtHeadConnections::close(int head) {
    if (validHead(head)) drop(head);
}

bool QtHeadConnections::isOpen(int head) const {
    if (!validHead(head)) return false;
    const QTcpSocket* s = sockets_[static_cast<std::size_t>(head)].data();
    return s != nullptr && s->state() == QAbstractSocket::ConnectedState;
}

}  // namespace hx
