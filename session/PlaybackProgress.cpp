#include "session/PlaybackProgress.h"

#include <algorithm>

#include "session/PlaybackState.h"

namespace hx {

int ClampPlaySpeed(int speed) { return std::clamp(speed, kMinPlaySpeed, kMaxPlaySpeed); }

int PlaybackIntervalMs(int speed) {
    const int s = ClampPlaySpeed(speed);
    return s < 10 ? 100 - 10 * s : 0;
}

std::uint64_t BytesPerSliderStep(std::uint64_t usableLength) {
    return std::max<std::uint64_t>(usableLength / kSliderSteps, 1);
}

int SliderPositionFor(std::uint64_t recordPosition, std::uint64_t bytesPerStep) {
    const std::uint64_t step = std::max<std::uint64_t>(bytesPerStep, 1);
    return static_cast<int>(std::min<std::uint64_t>(recordPosition / step, kSliderSteps));
}

std::uint64_t SliderTargetOffset(int sliderPosition, std::uint64_t bytesPerStep) {
    return static_cast<std::uint64_t>(std::clamp(sliderPosition, 0, kSliderSteps)) * bytesPerStep;
}

}  // namespace hx
