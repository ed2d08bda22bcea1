// The system clock behind IClock: local wall time and a monotonic tick.
#pragma once

#include <QElapsedTimer>

#include "core/Clock.h"

namespace hx {

class QtClock final : public IClock {
public:
    QtClock();
    LocalTime localTime() const override;
    std::uint32_t tickMs() const override;

private:
    QElapsedTimer elapsed_;
};

}  // namespace hx
