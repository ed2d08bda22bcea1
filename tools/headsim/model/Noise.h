// Deterministic hashing and smooth value noise. The synthetic seabed and the
// speckle are functions of position and ping number alone, so the same place
// looks the same on every ping and on every run.
#pragma once

#include <cstdint>

namespace hx::sim {

// A well-mixed 64-bit hash (splitmix64 finaliser).
constexpr std::uint64_t mix64(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

constexpr std::uint64_t hashCombine(std::uint64_t a, std::uint64_t b) {
    return mix64(a ^ (b + 0x632BE59BD9B4E019ull + (a << 6) + (a >> 2)));
}

// Uniform in [0, 1) from a hash.
constexpr double unitFromHash(std::uint64_t h) {
    return static_cast<double>(h >> 11) * (1.0 / 9007199254740992.0);
}

// Uniform in [0, 1) for an integer lattice point.
double latticeUnit(std::int64_t ix, std::int64_t iy, std::uint64_t seed);

// Smooth noise in [0, 1) with features about one unit across: bilinear
// interpolation of lattice values with a smoothstep fade.
double valueNoise(double x, double y, std::uint64_t seed);

}  // namespace hx::sim
