#include "tools/headsim/model/Noise.h"

#include <cmath>

namespace hx::sim {

double latticeUnit(std::int64_t ix, std::int64_t iy, std::uint64_t seed) {
    return unitFromHash(hashCombine(hashCombine(seed, static_cast<std::uint64_t>(ix)), static_cast<std::uint64_t>(iy)));
}

double valueNoise(double x, double y, std::uint64_t seed) {
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const auto ix = static_cast<std::int64_t>(fx);
    const auto iy = static_cast<std::int64_t>(fy);
    const double tx = x - fx;
    const double ty = y - fy;
    const double sx = tx * tx * (3.0 - 2.0 * tx);
    const double sy = ty * ty * (3.0 - 2.0 * ty);
    const double v00 = latticeUnit(ix, iy, seed);
    const double v10 = latticeUnit(ix + 1, iy, seed);
    const double v01 = latticeUnit(ix, iy + 1, seed);
    const double v11 = latticeUnit(ix + 1, iy + 1, seed);
    const double a = v00 + (v10 - v00) * sx;
    const double b = v01 + (v11 - v01) * sx;
    return a + (b - a) * sy;
}

}  // namespace hx::sim
