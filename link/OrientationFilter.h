// The median/MAD outlier filter run on each orientation value at every sensor
// decode. Pure over one filter's histories; the shared sample counter is the
// caller's, incremented after all six filters have run.
#pragma once

#include <cstdint>
#include <span>

#include "link/OrientationState.h"

namespace hx {

inline constexpr double kMadOutlierFactor = 1.4826;

// Median of an odd number of values: the middle one after sorting.
double medianOf(std::span<const double> values);

// Feeds raw sample x taken at the given counter value. Once the counter is
// above 11 an outlier (|x - median| >= 1.4826 * MAD over the last 11 samples)
// gives the median as filter output; once it is above 15 the result is the
// mean of the last three outputs, before that x itself.
double runOutlierFilter(OutlierFilter& filter, double x, std::int32_t sampleCounter);

}  // namespace hx
