// The default window layout from the screen size: the main frame takes the
// left 80 % of the screen's width and half its height plus room for the bars;
// the sidescan windows share the left 80 %, the echo sounder and the GPS
// track windows the right 20 %. Every rectangle is a window's frame, title
// bar included, so a window placed by it is wholly on the screen; the stored
// rectangles are frames too, and a window goes back where it was.
#pragma once

#include <QMargins>
#include <QRect>

#include "settings/StoredSettings.h"

class QWidget;

namespace hx {

// The layout of a screen area of this size whose top-left corner is at
// (left, top) (the available area, below a desktop's top panel).
LayoutRects defaultLayout(int left, int top, int screenWidth, int screenHeight, int barHeight);
inline LayoutRects defaultLayout(int screenWidth, int screenHeight, int barHeight) {
    return defaultLayout(0, 0, screenWidth, screenHeight, barHeight);
}

QRect toQRect(const WindowRect& r);
WindowRect fromQRect(const QRect& r);

// The client area of a window whose frame is frameRect and whose frame
// borders are margins.
QRect clientRectForFrame(const QRect& frameRect, const QMargins& margins);

// Places a top-level window so that its frame (title bar and borders) covers
// frameRect. The borders are known only once the window manager has framed
// the window: until then the client takes the whole rectangle, and the first
// time the borders are known the size is corrected, once.
void placeWindowFrame(QWidget* window, const QRect& frameRect);

// The rectangle to store for a window: its frame on the screen.
WindowRect storedFrameRect(const QWidget* window);

}  // namespace hx
