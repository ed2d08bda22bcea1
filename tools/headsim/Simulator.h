// The simulator program: one HeadServer per present head, the optional GPS
// output, the run's bounds (--seconds, --pings) and a clean stop on SIGINT
// or SIGTERM. start() prints the "listening", "gps" and "ready" lines the
// callers wait for.
#pragma once

#include "tools/headsim/SimContext.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>
#include <vector>

namespace hx {
class SignalWatcher;
}

namespace hx::sim {

class GpsOutput;
class HeadServer;

class Simulator : public QObject {
    Q_OBJECT
public:
    explicit Simulator(const SimOptions& options, QObject* parent = nullptr);
    ~Simulator() override;

    // The sidescan heads replay this recording instead of the synthetic seabed.
    void replayFrom(std::shared_ptr<XtfReplay> replay);
    bool start(QString* error);

private:
    void stop(const char* reason);

    std::unique_ptr<SimContext> context_;
    std::vector<HeadServer*> servers_;
    GpsOutput* gps_ = nullptr;
    SignalWatcher* signals_ = nullptr;
    QTimer deadline_;
    bool stopping_ = false;
};

}  // namespace hx::sim
