// One side of a recorded ping as a head sends it: resampled from the
// recording's slant ranges to the head's 1000 samples at the range it is set
// to (beyond the recording's range: quiet water, receiver noise only), scaled
// so that the recording's seabed sits where the synthetic seabed does at the
// default gain, with the head's gain on top (4 counts per dB, like every
// sample the simulator sends).
#pragma once

#include "tools/headsim/model/SidescanSynth.h"
#include "tools/headsim/model/XtfReplay.h"

#include <cstdint>
#include <span>

namespace hx::sim {

// Where the recording's seabed level lands at the program's default gain:
// the median of the synthetic seabed at its brightest.
inline constexpr double kReplaySeabedCounts = 92.0;
inline constexpr double kReplayReferenceGainDb = 6.0;

struct ReplayShade {
    double rangeM = 50.0;
    double gainDb = 6.0;
    bool transmitting = true;
    double seabedDb = 0.0;  // the recording's seabed level (ReplayCalibration)
    // A head on another frequency than the recording's loses more or less to
    // absorption: this much per metre, one way, more than the recording did.
    // Counted from calibrationRangeM, so every head's brightest seabed stays
    // on the same level and only the fall-off with range differs.
    double extraAbsorptionDbPerM = 0.0;
    double calibrationRangeM = 0.0;
    std::uint64_t noiseSeed = 0;
};

// The recording's power in each head sample, relative to its seabed level
// (1 = seabed), averaged over the sample's slant ranges where the head's
// samples are longer than the recording's and interpolated where they are
// shorter; 0 where the recording has nothing.
void resampleReplaySide(const ReplaySide& side, double seabedDb, double rangeM, std::span<float, kSamplesPerSide> out);

void shadeReplaySide(const ReplaySide& side, const ReplayShade& shade, std::span<std::uint8_t, kSamplesPerSide> out);

}  // namespace hx::sim
