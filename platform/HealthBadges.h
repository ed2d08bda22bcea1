// The link health badges over a view: a head's letter and the age of its
// newest good ping, on green while pings arrive, amber after a second, red
// after three. Drawn right-aligned in a row that ends at (right, top).
#pragma once

#include <span>

#include "link/HeadHealth.h"
#include "platform/OverlayInk.h"

class QPainter;

namespace hx {

void DrawHealthBadges(QPainter& painter, int right, int top, std::span<const HeadBadge> badges,
                      const OverlayInk& ink);

}  // namespace hx
