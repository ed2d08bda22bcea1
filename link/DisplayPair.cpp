#include "link/DisplayPair.h"

namespace hx {

DisplayPair deriveDisplayPair(const PerHead<std::int32_t>& headAvailable, std::int32_t previousHeadA,
                              std::int32_t previousHeadB) {
    DisplayPair p;
    p.displayHeadA = previousHeadA;
    p.displayHeadB = previousHeadB;
    int absent = 0;
    for (int h = 0; h < kHeadCount; ++h)
        if (headAvailable[static_cast<std::size_t>(h)] == 0) ++absent;
    p.availableHeadCount = kHeadCount - absent;

    // The last available sidescan head wins.
    for (int h = 0; h < kSideScanHeadCount; ++h) {
        if (headAvailable[static_cast<std::size_t>(h)] != 0) {
            p.displayHeadA = h;
            p.displayHeadB = h;
        }
    }

    const bool l = headAvailable[kHeadL] != 0;
    const bool m = headAvailable[kHeadM] != 0;
    const bool hi = headAvailable[kHeadH] != 0;
    const bool es = headAvailable[kHeadES] != 0;
    p.allSideScansAvailable = (l && m && hi) ? 1 : 0;
    if (p.allSideScansAvailable == 0) {
        const bool two = (p.availableHeadCount == 3 && es) || (p.availableHeadCount == 2 && !es);
        p.twoSideScansAvailable = two ? 1 : 0;
        if (two) {
            if (!l) {
                p.displayHeadA = kHeadM;
                p.displayHeadB = kHeadH;
            } else {
                p.displayHeadA = kHeadL;
                p.displayHeadB = kHeadM;
                if (!m) p.displayHeadB = kHeadH;
            }
        }
    } else {
        p.twoSideScansAvailable = 0;
    }
    return p;
}

void applyDisplayPair(const PerHead<std::int32_t>& headAvailable, LinkFields& link) {
    const DisplayPair p = deriveDisplayPair(headAvailable, link.displayHeadA, link.displayHeadB);
    link.availableHeadCount = p.availableHeadCount;
    link.allSideScansAvailable = p.allSideScansAvailable;
    link.twoSideScansAvailable = p.twoSideScansAvailable;
    link.displayHeadA = p.displayHeadA;
    link.displayHeadB = p.displayHeadB;
}

}  // namespace hx
