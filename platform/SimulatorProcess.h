// Runs hx642-headsim beside the program on loopback and reports where its
// head servers listen. Used by "hx642 --simulate", the command-line tools'
// demos and the loopback tests. The simulator is stopped when this object
// goes away.
#pragma once

#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

namespace hx {

struct SimulatorEndpoints {
    std::array<QString, 4> address;      // empty for a head the simulator does not serve
    std::array<std::uint16_t, 4> port{};
    QString gpsDevice;                   // the pseudo-terminal with NMEA, when asked for
};

class SimulatorProcess : public QObject {
    Q_OBJECT
public:
    explicit SimulatorProcess(QObject* parent = nullptr);
    ~SimulatorProcess() override;

    // The simulator binary: $HX642_HEADSIM, else beside this program, else
    // in the build tree's tools/headsim folder. Empty when none is found.
    static QString locateBinary();

    // Starts it with these extra arguments; ready() or failed() follows.
    void start(const QStringList& arguments);
    // Runs the event loop until ready or failed, at most timeoutMs.
    bool waitUntilReady(int timeoutMs);
    void stop();

    bool isReady() const { return ready_; }
    const SimulatorEndpoints& endpoints() const { return endpoints_; }
    // The address the system information is asked at: the first head served.
    QString systemAddress() const;
    QString errorText() const { return error_; }

signals:
    void ready();
    void failed(const QString& text);

private:
    void readOutput();
    void fail(const QString& text);

    QProcess process_;
    QByteArray pending_;
    SimulatorEndpoints endpoints_;
    bool ready_ = false;
    QString error_;
};

}  // namespace hx
