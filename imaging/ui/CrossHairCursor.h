// The pointer over the sidescan views: a thin cross-hair with an open centre,
// white with a dark outline so it shows on bright and dark seabed alike.
#pragma once

#include <QCursor>

namespace hx {

inline constexpr int kCrossHairSizePx = 31;
inline constexpr int kCrossHairHotSpot = 15;

QCursor MakeCrossHairCursor();

}  // namespace hx
