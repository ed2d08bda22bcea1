// ITimerPort over one QTimer per timer id. Expiry calls the handler given at
// construction on the thread that owns this object.
#pragma once

#include <QObject>
#include <QTimer>

#include <functional>
#include <map>
#include <memory>

#include "core/TimerPort.h"

namespace hx {

class QtTimerPort final : public QObject, public ITimerPort {
    Q_OBJECT
public:
    using Handler = std::function<void(TimerId)>;
    explicit QtTimerPort(Handler onExpired, QObject* parent = nullptr);

    void start(TimerId id, int intervalMs, bool singleShot) override;
    void stop(TimerId id) override;
    bool isActive(TimerId id) const override;
    // The interval the timer was last started with (-1: never started).
    int intervalMs(TimerId id) const;

private:
    QTimer& timerFor(TimerId id);

    Handler onExpired_;
    std::map<TimerId, std::unique_ptr<QTimer>> timers_;
};

}  // namespace hx
