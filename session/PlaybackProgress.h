// Pure arithmetic of the playback bar: the step timer's interval for a play
// speed, and the progress slider's position for a place in the file.
#pragma once

#include <cstdint>

namespace hx {

// The speed limited to 0..20.
int ClampPlaySpeed(int speed);

// Interval of the playback step timer in ms: 100 - 10 x speed for speeds 0
// to 9, and 0 (as fast as the timer fires) for 10 to 20.
int PlaybackIntervalMs(int speed);

// Bytes one slider step stands for: usable length / 100, at least 1 so that
// a position can always be divided by it.
std::uint64_t BytesPerSliderStep(std::uint64_t usableLength);

// Slider position 0..100 of a record position.
int SliderPositionFor(std::uint64_t recordPosition, std::uint64_t bytesPerStep);

// Offset a slider position 0..100 stands for.
std::uint64_t SliderTargetOffset(int sliderPosition, std::uint64_t bytesPerStep);

}  // namespace hx
