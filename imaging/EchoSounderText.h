// The echo sounder view's depth scale and texts: where the five divisions
// and their labels go, the range and gain text and the altitude read-out, in
// metres or feet. Pure arithmetic; the view draws what these return.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace hx {

struct EchoScaleMark {
    int lineY = 0;       // row of the division line
    bool drawLine = false;  // the top line always, the others with the grid on
    int labelY = 0;      // top of the label
    std::string label;   // depth at the line, "%d" metres or feet
};

// Six marks (i = 0..5) down the echogram of an image H pixels high. In feet
// the divisions step by 3 R / 5 feet, placed at their true depth (3 feet are
// 0.9144 m), so the labels stay whole numbers.
std::array<EchoScaleMark, 6> EchoScaleMarks(int imageHeightPx, std::int32_t rangeM, bool feet, bool gridShown);

// "%d m(%d dB)" of the range and the gain step, or "%d ft(%d dB)" of 3 x range.
std::string EchoRangeText(std::int32_t rangeM, std::int32_t gainStep, bool feet);

// "A:%5.1f m", or "A:%5.1f ft" with the altitude converted to feet.
std::string EchoAltitudeText(double altitudeM, bool feet);

}  // namespace hx
