// The simulated GPS receiver: once a second, on the second, the towfish's
// position as NMEA sentences, written to a pseudo-terminal it creates (the
// program under test opens the slave like a serial port) or sent as UDP
// datagrams to a loopback port.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class QSocketNotifier;
class QUdpSocket;

namespace hx::sim {

struct SimContext;

class GpsOutput : public QObject {
    Q_OBJECT
public:
    GpsOutput(const SimContext& context, QObject* parent = nullptr);
    ~GpsOutput() override;

    bool openPty(QString* error);
    void openUdp(quint16 port);
    QString ptyPath() const { return ptyPath_; }
    void start();

private:
    void tick();
    void scheduleNext();
    void writeSentence(const std::string& sentence);
    void drainMaster();

    const SimContext& context_;
    QTimer timer_;
    long sentencesWritten_ = 0;
    int masterFd_ = -1;
    int slaveFd_ = -1;
    QString ptyPath_;
    QSocketNotifier* masterNotifier_ = nullptr;
    QUdpSocket* udp_ = nullptr;
    quint16 udpPort_ = 0;
};

}  // namespace hx::sim
