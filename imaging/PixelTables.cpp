#include "imaging/PixelTables.h"

#include <algorithm>
#include <cmath>

namespace hx {

namespace {
std::uint8_t toPixel(double v) {
    if (!(v > 0.0)) return 0;  // also NaN from a hostile gain
    return static_cast<std::uint8_t>(v);
}
}  // namespace

PixelTable MakeGainTable(double gain) {
    PixelTable t{};
    for (int p = 0; p < 256; ++p) t[static_cast<std::size_t>(p)] = toPixel(std::trunc(std::min(p * gain, 254.0)));
    return t;
}

const PixelTable& CompositeSineTable() {
    static const PixelTable table = [] {
        PixelTable t{};
        for (int p = 0; p < 256; ++p)
            t[static_cast<std::size_t>(p)] =
                toPixel(std::min(254.0, std::trunc(255 * std::sin(p * 0.5 * 3.1415926 / 256))));
        return t;
    }();
    return table;
}

}  // namespace hx
