// Turns the date, time and milliseconds texts of a played record back into a
// clock value. A part that does not read as digits (or an unknown month
// name) leaves that part of the clock as it was.
#pragma once

#include <string_view>

#include "core/LocalTime.h"

namespace hx {

// date "07-DEC-2026", time "14:05:09", milliseconds ".123" (or "123").
void takeRecordTime(std::string_view dateText, std::string_view timeText, std::string_view millisecondsText,
                    LocalTime& clock);

}  // namespace hx
