#include "platform/QtTimerPort.h"

namespace hx {

QtTimerPort::QtTimerPort(Handler onExpired, QObject* parent)
    : QObject(parent), onExpired_(std::move(onExpired)) {}

QTimer& QtTimerPort::timerFor(TimerId id) {
    auto& slot = timers_[id];
    if (!slot) {
        slot = std::make_unique<QTimer>();
        connect(slot.get(), &QTimer::timeout, this, [this, id] {
            if (onExpired_) onExpired_(id);
        });
    }
    return *slot;
}

void QtTimerPort::start(TimerId id, int intervalMs, bool singleShot) {
    QTimer& t = timerFor(id);
    t.setSingleShot(singleShot);
    t.start(intervalMs);
}

void QtTimerPort::stop(TimerId id) {
    if (auto it = timers_.find(id); it != timers_.end()) it->second->stop();
}

bool QtTimerPort::isActive(TimerId id) const {
    auto it = timers_.find(id);
    return it != timers_.end() && it->second->isActive();
}

int QtTimerPort::intervalMs(TimerId id) const {
    auto it = timers_.find(id);
    return it != timers_.end() ? it->second->interval() : -1;
}

}  // namespace hx
