// Per-pixel mappings used for every row: the display gain and the sine curve
// that turns a head's pixel into its colour byte of the composite. Kept as
// 256-entry tables (the gain's rebuilt only when the gain changes), so a row
// costs one look-up per pixel.
#pragma once

#include <array>
#include <cstdint>

namespace hx {

using PixelTable = std::array<std::uint8_t, 256>;

// trunc(min(p × g, 254)), never below 0.
PixelTable MakeGainTable(double gain);
// min(254, trunc(255 × sin(p × 0.5 × 3.1415926 / 256))) for the gain-scaled
// pixel p: pixel 128 gives 180.
const PixelTable& CompositeSineTable();

// A table cached for the last gain it was made for.
class CachedPixelTable {
public:
    using Maker = PixelTable (*)(double);
    explicit CachedPixelTable(Maker maker) : maker_(maker) {}
    const PixelTable& forGain(double gain) {
        if (!valid_ || gain != gain_) {
            table_ = maker_(gain);
            gain_ = gain;
            valid_ = true;
        }
        return table_;
    }

private:
    Maker maker_;
    PixelTable table_{};
    double gain_ = 0.0;
    bool valid_ = false;
};

}  // namespace hx
