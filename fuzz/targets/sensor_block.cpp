// The orientation sensor block: the pure decode of a block of any length with
// any compass declination, and the per-cycle decode with its outlier filters
// over a run of blocks. Input: the blocks, 12 bytes each, from the front;
// the declination and the filter switches from the end.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cmath>

#include "link/SensorBlock.h"
#include "support/FuzzSupport.h"

using namespace hx;

namespace {
bool finite(const SensorValues& v) {
    return std::isfinite(v.pitchDeg) && std::isfinite(v.rollDeg) && std::isfinite(v.headingDeg) &&
           std::isfinite(v.temperatureC) && std::isfinite(v.depthM);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const double declination = in.ConsumeIntegralInRange<int>(-180, 180);
    const auto switches = in.ConsumeIntegral<std::uint8_t>();

    FUZZ_CHECK(finite(decodeSensorBlock(std::span<const std::uint8_t>(data, in.remaining_bytes()), declination)));

    HeadTable heads;
    OrientationState orientation;
    orientation.compassDeclination = declination;
    for (std::size_t c = 0; c < kOrientationChannelCount; ++c) orientation.filters.channel[c].enabled = (switches >> c) & 1;
    while (in.remaining_bytes() > 0) {
        const auto block = in.ConsumeBytes<std::uint8_t>(kSensorBlockBytes);
        auto& line = heads.headDisplayLine[kHeadES];
        std::fill(line.begin() + kSensorBlockOffset, line.begin() + kSensorBlockOffset + kSensorBlockBytes, 0);
        std::copy(block.begin(), block.end(), line.begin() + kSensorBlockOffset);
        // The echo sounder view's altitude goes through its filter too.
        orientation.altitudeM = block.empty() ? 0.0 : block[0] * 0.5;
        decodeSensorBlockInto(heads, orientation);
        FUZZ_CHECK(std::isfinite(orientation.pitchDeg) && std::isfinite(orientation.rollDeg) &&
                   std::isfinite(orientation.headingDeg) && std::isfinite(orientation.temperatureC) &&
                   std::isfinite(orientation.depthM) && std::isfinite(orientation.pingAltitudeM));
    }
    return 0;
}
