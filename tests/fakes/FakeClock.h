// IClock for tests: local time and tick are whatever the test sets.
#pragma once

#include "core/Clock.h"

namespace hx::test {

class FakeClock final : public IClock {
public:
    LocalTime localTime() const override { return now; }
    std::uint32_t tickMs() const override { return tick; }

    LocalTime now{2026, 12, 2, 8, 14, 30, 5, 250};
    std::uint32_t tick = 0;
};

}  // namespace hx::test
