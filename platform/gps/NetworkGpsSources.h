// GPS bytes over the network: from a gpsd server (TCP, the NMEA of its
// devices after a watch request) and NMEA 0183 datagrams on a UDP port.
// Both feed the same framing and parser as a serial port. Live on the
// reader thread.
#pragma once

#include <QHostAddress>
#include <QTcpSocket>
#include <QUdpSocket>

#include <memory>

#include "nav/GpsdStream.h"
#include "platform/gps/GpsByteSource.h"

namespace hx {

class GpsdGpsSource final : public GpsByteSource {
    Q_OBJECT
public:
    explicit GpsdGpsSource(QObject* parent = nullptr);
    ~GpsdGpsSource() override;

    // Starts connecting; the watch request goes out once connected. A lost
    // connection is tried again at the next read request.
    void open(const QString& host, quint16 port);

    bool isOpen() const override;
    QByteArray readAvailable(qint64 maxBytes) override;
    void close() override;
    QString displayName() const override;

private:
    void connectNow();

    std::unique_ptr<QTcpSocket> socket_;
    GpsdStreamFilter filter_;
    QString host_;
    quint16 port_ = 0;
    bool reported_ = false;  // the operator heard about a failure since the last success
};

class UdpGpsSource final : public GpsByteSource {
    Q_OBJECT
public:
    explicit UdpGpsSource(QObject* parent = nullptr);
    ~UdpGpsSource() override;

    // Binds the address (a loopback address, or 0.0.0.0 for any) and port;
    // port 0 takes a free one. False when the bind fails.
    bool open(const QString& address, quint16 port);
    quint16 boundPort() const;

    bool isOpen() const override;
    QByteArray readAvailable(qint64 maxBytes) override;
    void close() override;
    QString displayName() const override;

private:
    void drain();

    std::unique_ptr<QUdpSocket> socket_;
    QByteArray pending_;
    QString address_;
    quint16 port_ = 0;
};

}  // namespace hx
