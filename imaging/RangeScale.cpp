#include "imaging/RangeScale.h"

namespace hx {

RangeScaleLayout layoutRangeScale(int imageWidth, int scrollX, int rangeM, ScaleSides sides, bool feet, bool grid) {
    RangeScaleLayout out;
    const double W = imageWidth;
    const bool both = sides == ScaleSides::Both;
    const int count = both ? 10 : 5;  // lines i = 0..count

    double step = 0.0;
    double x1 = -scrollX;
    if (!feet) {
        step = (both ? 0.1 : 0.2) * W;
    } else {
        // Feet labels sit at three feet a metre; the grid shrinks so that the
        // label 3R falls at 0.9144 of the side's width from the nadir.
        const double w = 0.0428 * W;
        step = (W - 2.0 * w) * (both ? 0.1 : 0.2);
        if (sides == ScaleSides::PortOnly)
            x1 = 2.0 * w - scrollX;
        else if (both)
            x1 = w - scrollX;
    }
    const int unit = feet ? 3 : 1;

    for (int i = 0; i <= count; ++i) {
        const int x = static_cast<int>(i * step + x1);
        int value = 0;
        switch (sides) {
            case ScaleSides::PortOnly:
                value = ((5 - i) * rangeM * unit) / 5;
                break;
            case ScaleSides::StbdOnly:
                value = (rangeM * i * unit) / 5;
                break;
            case ScaleSides::Both:
                value = i <= 5 ? (rangeM * (5 - i) * unit) / 5 : (rangeM * (i - 5) * unit) / 5;
                break;
        }

        ScaleLine line;
        line.x = x;
        line.fullHeight = grid;
        line.yellow = grid ? (both && i == 5) : !both;
        out.lines.push_back(line);

        int centre = x;
        const bool first = i == 0;
        const bool last = i == count;
        if (!feet) {
            if (first && sides != ScaleSides::StbdOnly) centre += 12;
            if (last && sides != ScaleSides::PortOnly) centre -= 12;
        }
        out.labels.push_back({centre, std::to_string(value)});
    }
    return out;
}

}  // namespace hx
