#include "link/OrientationFilter.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace hx {

double medianOf(std::span<const double> values) {
    if (values.empty()) return 0.0;
    std::array<double, kFilterRawSamples> sorted{};
    const std::size_t n = std::min(values.size(), sorted.size());
    std::copy_n(values.begin(), n, sorted.begin());
    auto mid = sorted.begin() + static_cast<std::ptrdiff_t>(n / 2);
    std::nth_element(sorted.begin(), mid, sorted.begin() + static_cast<std::ptrdiff_t>(n));
    return *mid;
}

double runOutlierFilter(OutlierFilter& filter, double x, std::int32_t sampleCounter) {
    std::copy_backward(filter.raw.begin(), filter.raw.end() - 1, filter.raw.end());
    filter.raw[0] = x;
    std::copy_backward(filter.output.begin(), filter.output.end() - 1, filter.output.end());

    if (sampleCounter > 11) {
        const double m = medianOf(filter.raw);
        std::array<double, kFilterRawSamples> deviation{};
        for (std::size_t i = 0; i < deviation.size(); ++i) deviation[i] = std::fabs(filter.raw[i] - m);
        const double mad = medianOf(deviation);
        filter.output[0] = std::fabs(x - m) >= kMadOutlierFactor * mad ? m : x;
    }
    if (sampleCounter > 15) return (filter.output[0] + filter.output[1] + filter.output[2]) / 3.0;
    return x;
}

}  // namespace hx
