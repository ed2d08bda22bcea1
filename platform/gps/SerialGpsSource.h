// A GPS receiver on a serial port (USB adapters, on-board UARTs, pseudo-
// terminals): opening with the line settings, finding a port that opens,
// and the byte reads. Lives on the reader thread.
#pragma once

#include <QSerialPort>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "nav/GpsPortList.h"
#include "nav/GpsSettings.h"
#include "platform/gps/GpsByteSource.h"

namespace hx {

struct SerialOpenOutcome {
    bool opened = false;
    bool settingsApplied = false;
    QString message;  // for the operator, empty when all went well
};

class SerialGpsSource final : public GpsByteSource {
    Q_OBJECT
public:
    explicit SerialGpsSource(QObject* parent = nullptr);
    ~SerialGpsSource() override;

    // Opens the device read-only, applies baud rate, data bits, parity, stop
    // bits and flow control, and discards both buffers. A device that does
    // not open gives "<device> is not available. \nPlease choose another COM
    // port!"; settings the line refuses give "<device> failed! \nPlease check
    // its settings." and the port stays open with its previous settings.
    SerialOpenOutcome OpenGpsPort(const QString& device, const GpsSettings& line);

    bool isOpen() const override;
    QByteArray readAvailable(qint64 maxBytes) override;
    void close() override;
    QString displayName() const override { return device_; }

private:
    void onError(QSerialPort::SerialPortError error);

    std::unique_ptr<QSerialPort> port_;
    QString device_;
};

// Serial devices the system lists, sorted by path.
std::vector<std::string> discoverGpsDevices();

// Whether a device opens now (it is closed again at once).
bool gpsDeviceOpens(const QString& device);

// The configuration dialog's probe: every discovered device and whether it
// opens now. Feed it to buildGpsPortList with the configured device.
std::vector<ProbedPort> probeGpsPorts();

// FindGpsPort: the configured device (or the device of the configured port
// number), then every discovered device; the first that opens, or nullopt.
std::optional<std::string> FindGpsPort(const GpsSettings& s, const std::vector<std::string>& discovered);

}  // namespace hx
