#include "platform/gps/NetworkGpsSources.h"

#include <QLoggingCategory>
#include <QNetworkDatagram>

#include "core/LoopbackOnly.h"

namespace hx {

namespace {

Q_LOGGING_CATEGORY(lcNet, "hx642.gps.net")

// Bytes held between two reads; beyond this the oldest are dropped.
constexpr qsizetype kPendingLimitBytes = 1 << 20;

QString unreachable(const QString& name) {
    return name + QStringLiteral(" is not available. \nPlease check the GPS source settings!");
}

}  // namespace

GpsdGpsSource::GpsdGpsSource(QObject* parent) : GpsByteSource(parent) {}

GpsdGpsSource::~GpsdGpsSource() { close(); }

QString GpsdGpsSource::displayName() const {
    return QStringLiteral("gpsd %1:%2").arg(host_).arg(port_);
}

void GpsdGpsSource::open(const QString& host, quint16 port) {
    close();
    host_ = host;
    port_ = port;
    reported_ = false;
    if (const auto refusal = loopbackRefusal(host.toStdString(), "gpsd")) {
        qCWarning(lcNet) << QString::fromStdString(*refusal);
        reported_ = true;
        emit problem(QString::fromStdString(*refusal));
        return;
    }
    socket_ = std::make_unique<QTcpSocket>();
    socket_->setReadBufferSize(kPendingLimitBytes);
    connect(socket_.get(), &QTcpSocket::connected, this, [this] {
        reported_ = false;
        filter_.reset();
        socket_->write(kGpsdWatchNmea.data(), static_cast<qint64>(kGpsdWatchNmea.size()));
    });
    connect(socket_.get(), &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError) {
        qCWarning(lcNet) << displayName() << socket_->errorString();
        if (!reported_) {
            reported_ = true;
            emit problem(unreachable(displayName()));
        }
    });
    connectNow();
}

void GpsdGpsSource::connectNow() {
    if (!socket_ || socket_->state() != QAbstractSocket::UnconnectedState) return;
    socket_->connectToHost(host_, port_);
}

bool GpsdGpsSource::isOpen() const { return socket_ && socket_->state() == QAbstractSocket::ConnectedState; }

QByteArray GpsdGpsSource::readAvailable(qint64 maxBytes) {
    if (!socket_) return {};
    if (!isOpen()) {
        connectNow();
        return {};
    }
    const QByteArray raw = socket_->read(maxBytes);
    const std::string nmea = filter_.filter(std::string_view(raw.constData(), static_cast<std::size_t>(raw.size())));
    return QByteArray(nmea.data(), static_cast<qsizetype>(nmea.size()));
}

void GpsdGpsSource::close() {
    if (!socket_) return;
    socket_->disconnect(this);
    socket_->abort();
    socket_.reset();
    filter_.reset();
}

UdpGpsSource::UdpGpsSource(QObject* parent) : GpsByteSource(parent) {}

UdpGpsSource::~UdpGpsSource() { close(); }

QString UdpGpsSource::displayName() const { return QStringLiteral("UDP %1:%2").arg(address_).arg(port_); }

bool UdpGpsSource::open(const QString& address, quint16 port) {
    close();
    address_ = address;
    port_ = port;
    if (const auto refusal = loopbackRefusal(address.toStdString(), "UDP NMEA")) {
        qCWarning(lcNet) << QString::fromStdString(*refusal);
        emit problem(QString::fromStdString(*refusal));
        return false;
    }
    QHostAddress host;
    if (!host.setAddress(address)) {
        qCWarning(lcNet) << "not an address:" << address;
        emit problem(unreachable(displayName()));
        return false;
    }
    socket_ = std::make_unique<QUdpSocket>();
    // Other programs on the same machine may listen to the same stream.
    if (!socket_->bind(host, port, QAbstractSocket::ShareAddress | QAbstractSocket::ReuseAddressHint)) {
        qCWarning(lcNet) << displayName() << socket_->errorString();
        socket_.reset();
        emit problem(unreachable(displayName()));
        return false;
    }
    connect(socket_.get(), &QUdpSocket::readyRead, this, &UdpGpsSource::drain);
    return true;
}

quint16 UdpGpsSource::boundPort() const { return socket_ ? socket_->localPort() : 0; }

void UdpGpsSource::drain() {
    while (socket_ && socket_->hasPendingDatagrams()) {
        const QNetworkDatagram d = socket_->receiveDatagram();
        pending_.append(d.data());
    }
    if (pending_.size() > kPendingLimitBytes) pending_.remove(0, pending_.size() - kPendingLimitBytes);
}

bool UdpGpsSource::isOpen() const { return socket_ != nullptr; }

QByteArray UdpGpsSource::readAvailable(qint64 maxBytes) {
    drain();
    const QByteArray out = pending_.left(maxBytes);
    pending_.remove(0, out.size());
    return out;
}

void UdpGpsSource::close() {
    if (!socket_) return;
    socket_->disconnect(this);
    socket_->close();
    socket_.reset();
    pending_.clear();
}

}  // namespace hx
