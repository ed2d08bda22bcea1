// The default window layout from the screen size: the main frame takes the
// left 80 % of the screen's width and half its height plus room for the bars;
// the sidescan windows share the left 80 %, the echo sounder and the GPS
// track windows the right 20 %.
#pragma once

#include "settings/StoredSettings.h"

namespace hx {

LayoutRects defaultLayout(int screenWidth, int screenHeight, int barHeight);

// A child window's stored rectangle from its screen rectangle: moved left by
// twice the frame size and up by eight times it (the client area's offset).
WindowRect storedChildRect(const WindowRect& screenRect, int frameSize);

}  // namespace hx
