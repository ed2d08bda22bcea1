// Turns SIGINT, SIGTERM and SIGHUP into a Qt signal through a self-pipe, so
// a program stops from its event loop and exits cleanly.
#pragma once

#include <QObject>
#include <QString>

class QSocketNotifier;

namespace hx {

class SignalWatcher : public QObject {
    Q_OBJECT
public:
    explicit SignalWatcher(QObject* parent = nullptr);
    ~SignalWatcher() override;

    bool install(QString* error);

signals:
    void stopRequested(int signalNumber);

private:
    void drain();

    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace hx
