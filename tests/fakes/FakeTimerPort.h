// ITimerPort for tests: records starts and stops; a test fires a timer by
// hand with fire(), which goes to the handler given at construction.
#pragma once

#include <functional>
#include <map>
#include <vector>

#include "core/TimerPort.h"

namespace hx::test {

class FakeTimerPort final : public ITimerPort {
public:
    struct Call {
        bool start;
        TimerId id;
        int intervalMs;
    };

    void start(TimerId id, int intervalMs, bool singleShot) override {
        active_[id] = true;
        interval_[id] = intervalMs;
        singleShot_[id] = singleShot;
        calls.push_back({true, id, intervalMs});
    }
    void stop(TimerId id) override {
        active_[id] = false;
        calls.push_back({false, id, 0});
    }
    bool isActive(TimerId id) const override {
        auto it = active_.find(id);
        return it != active_.end() && it->second;
    }
    int intervalMs(TimerId id) const {
        auto it = interval_.find(id);
        return it == interval_.end() ? 0 : it->second;
    }

    // Fires an active timer: a single-shot one stops first, as a real one does.
    bool fire(TimerId id, const std::function<void(TimerId)>& handler) {
        if (!isActive(id)) return false;
        if (singleShot_[id]) active_[id] = false;
        handler(id);
        return true;
    }

    std::vector<Call> calls;

private:
    std::map<TimerId, bool> active_;
    std::map<TimerId, int> interval_;
    std::map<TimerId, bool> singleShot_;
};

}  // namespace hx::test
