#include "platform/gps/SerialGpsSource.h"

#include <QLoggingCategory>
#include <QSerialPortInfo>

#include <algorithm>

namespace hx {

namespace {

Q_LOGGING_CATEGORY(lcSerial, "hx642.gps.serial")

// A line holding more than this while nobody reads stops taking bytes.
constexpr qint64 kReadBufferBytes = 1 << 20;

QSerialPort::Parity toParity(std::uint8_t p) {
    switch (p) {
        case 1: return QSerialPort::EvenParity;
        case 2: return QSerialPort::OddParity;
        case 3: return QSerialPort::MarkParity;
        case 4: return QSerialPort::SpaceParity;
        default: return QSerialPort::NoParity;
    }
}

// One and a half stop bits exist on a UART only with 5-bit words, where the
// two-stop-bit setting gives them.
QSerialPort::StopBits toStopBits(std::uint8_t s) { return s == 0 ? QSerialPort::OneStop : QSerialPort::TwoStop; }

QString notAvailable(const QString& device) {
    return device + QStringLiteral(" is not available. \nPlease choose another COM port!");
}

}  // namespace

SerialGpsSource::SerialGpsSource(QObject* parent) : GpsByteSource(parent) {}

SerialGpsSource::~SerialGpsSource() { close(); }

SerialOpenOutcome SerialGpsSource::OpenGpsPort(const QString& device, const GpsSettings& line) {
    close();
    device_ = device;
    SerialOpenOutcome out;
    port_ = std::make_unique<QSerialPort>();
    port_->setPortName(device);
    if (!port_->open(QIODevice::ReadOnly)) {
        qCWarning(lcSerial) << "open" << device << "failed:" << port_->errorString();
        port_.reset();
        out.message = notAvailable(device);
        return out;
    }
    out.opened = true;
    port_->setReadBufferSize(kReadBufferBytes);
    connect(port_.get(), &QSerialPort::errorOccurred, this, &SerialGpsSource::onError);

    bool ok = !gpsLineSettingsProblem(line).has_value();
    ok = ok && port_->setBaudRate(line.gpsBaudRate);
    ok = ok && port_->setDataBits(static_cast<QSerialPort::DataBits>(line.gpsDataBits));
    ok = ok && port_->setParity(toParity(line.gpsParity));
    ok = ok && port_->setStopBits(toStopBits(line.gpsStopBits));
    ok = ok && port_->setFlowControl(line.gpsFlow == 1 ? QSerialPort::HardwareControl : QSerialPort::NoFlowControl);
    if (!ok) {
        qCWarning(lcSerial) << "line settings for" << device << "refused:" << port_->errorString();
        port_->clearError();
        out.message = device + QStringLiteral(" failed! \nPlease check its settings.");
        port_->clear(QSerialPort::AllDirections);
        return out;
    }
    out.settingsApplied = true;
    port_->clear(QSerialPort::AllDirections);
    return out;
}

void SerialGpsSource::onError(QSerialPort::SerialPortError error) {
    // Framing and parity errors are dropped with the bytes; a vanished device
    // (USB adapter unplugged) closes the port and tells the operator once.
    if (error != QSerialPort::ResourceError) return;
    qCWarning(lcSerial) << device_ << "lost:" << (port_ ? port_->errorString() : QString());
    QMetaObject::invokeMethod(this, [this] { close(); }, Qt::QueuedConnection);
    emit problem(notAvailable(device_));
}

bool SerialGpsSource::isOpen() const { return port_ && port_->isOpen(); }

QByteArray SerialGpsSource::readAvailable(qint64 maxBytes) {
    if (!isOpen()) return {};
    return port_->read(maxBytes);
}

void SerialGpsSource::close() {
    if (!port_) return;
    port_->disconnect(this);
    port_->close();
    port_.reset();
}

std::vector<std::string> discoverGpsDevices() {
    std::vector<std::string> out;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        out.push_back(info.systemLocation().toStdString());
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

bool gpsDeviceOpens(const QString& device) {
    QSerialPort probe;
    probe.setPortName(device);
    if (!probe.open(QIODevice::ReadOnly)) return false;
    probe.close();
    return true;
}

std::vector<ProbedPort> probeGpsPorts() {
    std::vector<ProbedPort> out;
    for (const std::string& device : discoverGpsDevices())
        out.push_back({device, gpsDeviceOpens(QString::fromStdString(device))});
    return out;
}

std::optional<std::string> FindGpsPort(const GpsSettings& s, const std::vector<std::string>& discovered) {
    for (const std::string& device : gpsPortCandidates(s, discovered))
        if (gpsDeviceOpens(QString::fromStdString(device))) return device;
    return std::nullopt;
}

}  // namespace hx
