// From a head's 2000 samples to one waterfall line of the image's width:
// expansion (with optional linear interpolation) when magnifying, peak
// decimation when reducing, and the high-frequency head's range limit.
// Pure functions over caller-owned buffers; no pixel leaves them above 254.
#pragma once

#include <cstdint>
#include <span>

namespace hx {

// The widest waterfall image: a window spread over three 4K screens fits.
// A wider window shows the image at this width; it bounds the memory of an
// image set (three heads and the composite at this size take about 900 MB).
inline constexpr std::int32_t kMaxImageWidthPx = 12288;

// Bytes beyond a line's width that a caller's line buffer keeps free, for
// the expansion's last interpolation group.
inline constexpr std::size_t kLineSlackBytes = 8;

// Samples per image column for a side mode and width:
// (1000 × (2 with both sides, else 1)) / width.
double SamplesPerPixel(std::int32_t sideDisplayMode, int widthPx);

// Resamples a head's 2000 samples (port far..near, starboard near..far) into
// out[0..widthPx) for the side mode: port only shows samples 0..999 with the
// farthest at the left, starboard only samples 1000..1999 with the nearest at
// the left, both sides all 2000. Returns the samples per pixel used.
// widthPx is clamped to 1..out.size(); out sized to the image width plus
// kLineSlackBytes serves any width.
double ResampleLine(std::span<const std::uint8_t, 2000> samples, int widthPx, std::int32_t sideDisplayMode,
                    double interpolationFactor, std::span<std::uint8_t> out);

// Blanks the part of a line beyond 120 m for a head of 540 kHz or more when
// the range exceeds 120 m: n = trunc((R − 120) × W × 0.5 / R) pixels at each
// outer edge with both sides, 2·n at the far port (left) or far starboard
// (right) edge with one side.
void ApplyHighFrequencyLimit(std::span<std::uint8_t> line, std::int32_t frequencyHz, std::int32_t rangeM,
                             std::int32_t sideDisplayMode);

}  // namespace hx
