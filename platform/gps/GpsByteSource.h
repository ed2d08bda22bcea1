// A source of GPS bytes as the reader thread sees it: a serial port, a gpsd
// connection or a UDP socket. Lives on the reader thread; the reader takes
// what has arrived at each read request.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

namespace hx {

class GpsByteSource : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~GpsByteSource() override = default;

    virtual bool isOpen() const = 0;
    // The bytes waiting now, at most maxBytes; never waits for more.
    virtual QByteArray readAvailable(qint64 maxBytes) = 0;
    virtual void close() = 0;
    // What messages call it: "/dev/ttyUSB0", "gpsd localhost:2947", ...
    virtual QString displayName() const = 0;

signals:
    // A text for the operator's message box (the source was lost, could not
    // be reached, ...).
    void problem(const QString& text);
};

}  // namespace hx
