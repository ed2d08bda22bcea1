// Where the sidescan views draw their range scale: the grid lines or ticks,
// their colours and the labels, in window x coordinates. Pure geometry so the
// views only paint what this returns.
#pragma once

#include <string>
#include <vector>

namespace hx {

enum class ScaleSides { PortOnly, StbdOnly, Both };

struct ScaleLine {
    int x = 0;
    bool yellow = false;      // else dark red
    bool fullHeight = false;  // grid line from the top to b - 20, else a tick b - 25..b - 20
};

struct ScaleLabel {
    int centreX = 0;  // the label is centred here, its top at b - 18
    std::string text;
};

struct RangeScaleLayout {
    std::vector<ScaleLine> lines;
    std::vector<ScaleLabel> labels;
};

// imageWidth: W in pixels; scrollX: the image column at the window's left;
// rangeM: the sidescan range R; feet: imperial labels (three feet a metre).
RangeScaleLayout layoutRangeScale(int imageWidth, int scrollX, int rangeM, ScaleSides sides, bool feet, bool grid);

}  // namespace hx
