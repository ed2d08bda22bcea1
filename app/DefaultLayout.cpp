#include "app/DefaultLayout.h"

namespace hx {

LayoutRects defaultLayout(int screenWidth, int screenHeight, int barHeight) {
    const int split = static_cast<int>(0.8 * screenWidth);
    const int third = screenHeight / 3;
    LayoutRects l;
    l.mainFrame = {0, 0, split, screenHeight / 2 + 4 * barHeight};
    l.lWindow = {0, 0, split, third};
    l.mWindow = {0, third, split, 2 * third};
    l.hWindow = {0, 2 * third, split, screenHeight};
    l.esWindow = {split, 0, screenWidth, screenHeight / 2};
    l.gpsTrack = {split, screenHeight / 2, screenWidth, screenHeight};
    return l;
}

WindowRect storedChildRect(const WindowRect& r, int frameSize) {
    return {r.left - 2 * frameSize, r.top - 8 * frameSize, r.right - 2 * frameSize, r.bottom - 8 * frameSize};
}

}  // namespace hx
