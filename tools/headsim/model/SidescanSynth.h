// Synthetic sidescan returns. traceSwath follows one side's fan across the
// seabed for one ping: slant ranges, grazing angles, shadows and layover,
// independent of frequency and gain, so the three sidescan heads share it.
// shadeSwath turns that into one head's 1000 samples, nearest range first.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace hx::sim {

class Seabed;
struct VehicleState;

inline constexpr int kSamplesPerSide = 1000;

enum class Side { Port, Starboard };

struct SwathProfile {
    double rangeM = 0.0;
    // Returned power per range bin before spreading, absorption and gain;
    // bin j covers slant ranges j..j+1 times rangeM / 1000.
    std::array<float, kSamplesPerSide> power{};
};

struct ShadeParams {
    double frequencyHz = 120000.0;
    double gainDb = 6.0;
    bool transmitting = true;
    double temperatureC = 10.0;
    std::uint64_t speckleSeed = 0;  // differs per ping, head and side
};

void traceSwath(const Seabed& seabed, const VehicleState& vehicle, Side side, double rangeM, SwathProfile& out);

void shadeSwath(const SwathProfile& profile, const ShadeParams& params, std::span<std::uint8_t, kSamplesPerSide> out);

}  // namespace hx::sim
