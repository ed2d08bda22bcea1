#include "imaging/ResampleLine.h"

#include <algorithm>
#include <cmath>

#include "imaging/DisplaySettings.h"

namespace hx {

namespace {

constexpr std::uint8_t kMaxPixel = 254;  // 255 is kept for overlays

std::uint8_t clampPixel(std::uint8_t v) {
    return v == 255 ? kMaxPixel : v;
}

// Magnification: each column repeats the sample under it.
void expand(const std::uint8_t* src, int sideSamples, double s, std::span<std::uint8_t> out) {
    const int w = static_cast<int>(out.size());
    // Two, four or eight columns a sample ("100 %" with one side, "200 %"):
    // the accumulator is exact, and column i shows sample (i + 1) / m.
    for (int m : {2, 4, 8}) {
        if (s * m != 1.0) continue;
        for (int i = 0; i < w; ++i)
            out[static_cast<std::size_t>(i)] = clampPixel(src[std::min((i + 1) / m, sideSamples - 1)]);
        return;
    }
    double a = 0.0;
    int p = 0;
    for (int i = 0; i < w; ++i) {
        a += s;
        const double whole = std::trunc(a);
        // The accumulated position reaches the side's end at the last column;
        // the last sample is repeated there.
        if (whole >= 1.0 && p < sideSamples - 1) ++p;
        out[static_cast<std::size_t>(i)] = clampPixel(src[p]);
        a -= whole;
    }
}

// Linear interpolation between pixels f columns apart, in groups from column 0.
// The last group's far pixel is taken at the line's last column when the group
// reaches past the line.
void interpolate(std::span<std::uint8_t> out, int f) {
    const int w = static_cast<int>(out.size());
    const int groups = (w - 2) / f + 1;
    for (int g = 0; g < groups; ++g) {
        const int c = g * f;
        const double x0 = out[static_cast<std::size_t>(c)];
        const double x1 = out[static_cast<std::size_t>(std::min(c + f, w - 1))];
        auto put = [&](int k, double v) {
            if (c + k < w) out[static_cast<std::size_t>(c + k)] = static_cast<std::uint8_t>(std::trunc(v));
        };
        if (f == 2) {
            if (c + 1 < w)
                out[static_cast<std::size_t>(c + 1)] =
                    static_cast<std::uint8_t>((static_cast<int>(x0) + static_cast<int>(x1)) / 2);
        } else if (f == 3) {
            put(1, 0.75 * x0 + 0.25 * x1);
            put(2, 0.25 * x0 + 0.75 * x1);
        } else {
            put(1, 0.75 * x0 + 0.25 * x1);
            put(2, 0.5 * x0 + 0.5 * x1);
            put(3, 0.25 * x0 + 0.75 * x1);
        }
    }
}

// Reduction: each column shows the strongest sample it covers. Column k
// closes at the first sample i with i + 1 > t, t = (k + 1)·S accumulated,
// which is sample floor(t); samples left when the side runs out show nowhere.
void decimate(const std::uint8_t* src, int sideSamples, double s, std::span<std::uint8_t> out) {
    const std::size_t w = out.size();
    if (s == 1.0) {
        // One sample a column ("100 %" with both sides): column 0 closes after
        // sample 1, column k shows sample k + 1, the last column stays 0.
        const std::size_t columns = std::min<std::size_t>(w, static_cast<std::size_t>(sideSamples - 1));
        if (columns > 0) out[0] = clampPixel(std::max(src[0], src[1]));
        for (std::size_t k = 1; k < columns; ++k) out[k] = clampPixel(src[k + 1]);
        std::fill(out.begin() + static_cast<std::ptrdiff_t>(columns), out.end(), std::uint8_t{0});
        return;
    }
    std::size_t o = 0;
    int start = 0;
    double t = s;
    while (o < w) {
        const double last = std::floor(t);
        if (last > sideSamples - 1) break;
        const int end = static_cast<int>(last);
        std::uint8_t m = 0;
        for (int i = start; i <= end; ++i) m = std::max(m, src[i]);
        out[o++] = clampPixel(m);
        start = end + 1;
        t += s;
    }
    std::fill(out.begin() + static_cast<std::ptrdiff_t>(o), out.end(), std::uint8_t{0});
}

}  // namespace

double SamplesPerPixel(std::int32_t sideDisplayMode, int widthPx) {
    const double samples = 1000.0 * (sideDisplayMode == kBothSides ? 2 : 1);
    return samples / std::max(widthPx, 1);
}

double ResampleLine(std::span<const std::uint8_t, 2000> samples, int widthPx, std::int32_t sideDisplayMode,
                    double interpolationFactor, std::span<std::uint8_t> out) {
    const int w = std::clamp(widthPx, 1, static_cast<int>(out.size()));
    const auto line = out.first(static_cast<std::size_t>(w));
    const double s = SamplesPerPixel(sideDisplayMode, w);
    const bool both = sideDisplayMode == kBothSides;
    const std::uint8_t* src = samples.data() + (sideDisplayMode == kStarboardOnly ? 1000 : 0);
    const int sideSamples = both ? 2000 : 1000;
    if (s < 1.0) {
        expand(src, sideSamples, s, line);
        if (w >= 2 && (interpolationFactor == 2.0 || interpolationFactor == 3.0 || interpolationFactor == 4.0))
            interpolate(line, static_cast<int>(interpolationFactor));
    } else {
        decimate(src, sideSamples, s, line);
    }
    return s;
}

void ApplyHighFrequencyLimit(std::span<std::uint8_t> line, std::int32_t frequencyHz, std::int32_t rangeM,
                             std::int32_t sideDisplayMode) {
    if (frequencyHz < 540000 || rangeM <= 120) return;
    const double w = static_cast<double>(line.size());
    const auto n = static_cast<std::size_t>(std::trunc((rangeM - 120) * w * 0.5 / rangeM));
    const std::size_t size = line.size();
    auto zero = [&](std::size_t from, std::size_t count) {
        count = std::min(count, size - std::min(from, size));
        std::fill_n(line.begin() + static_cast<std::ptrdiff_t>(from), count, std::uint8_t{0});
    };
    if (sideDisplayMode == kBothSides) {
        zero(0, n);
        zero(size - std::min(n, size), n);
    } else if (sideDisplayMode == kPortOnly) {
        zero(0, 2 * n);
    } else if (sideDisplayMode == kStarboardOnly) {
        zero(size - std::min(2 * n, size), 2 * n);
    }
}

}  // namespace hx
