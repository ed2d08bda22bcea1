// Derives the available-head count and the pair of sidescan heads shown side
// by side from the heads' availability. Run after every change of
// availability: system information decode, settings load, played record and
// the "Not Available" commands.
#pragma once

#include <cstdint>

#include "link/LinkState.h"

namespace hx {

struct DisplayPair {
    std::int32_t availableHeadCount = 0;
    std::int32_t allSideScansAvailable = 0;
    std::int32_t twoSideScansAvailable = 0;
    std::int32_t displayHeadA = 0;
    std::int32_t displayHeadB = 0;
};

// Pure: the derived fields for the given availability flags. With no
// sidescan head available the pair keeps the previous heads.
DisplayPair deriveDisplayPair(const PerHead<std::int32_t>& headAvailable, std::int32_t previousHeadA,
                              std::int32_t previousHeadB);

// Writes the derived fields into the link fields.
void applyDisplayPair(const PerHead<std::int32_t>& headAvailable, LinkFields& link);

}  // namespace hx
