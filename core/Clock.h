// The clock the logic reads: local time for stamps and a millisecond tick
// counter for intervals. The platform reads the system clock; tests set it.
#pragma once

#include <cstdint>

#include "core/LocalTime.h"

namespace hx {

class IClock {
public:
    virtual ~IClock() = default;
    virtual LocalTime localTime() const = 0;
    // Milliseconds since an arbitrary start; wraps like a 32-bit tick count.
    virtual std::uint32_t tickMs() const = 0;
};

}  // namespace hx
