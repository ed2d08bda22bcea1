// The separate sonar windows' own images. The medium and high frequency
// windows each show one head across their own client width, so a window
// wider or narrower than the main view is filled. A window's image has the
// main image's rows (the same pings at the same heights, so that a target
// sits level in every window and the row times, marks and events hold for
// it) and its own width: the main image's width scaled by the two windows'
// width ratio. It is fed with every drawn ping, rebuilt with the main images
// and re-allocated when its window is resized.
#pragma once

#include <array>
#include <cstdint>

#include "imaging/AppendLine.h"
#include "imaging/DisplaySettings.h"
#include "imaging/LineCount.h"
#include "imaging/PingHistory.h"
#include "imaging/WaterfallStore.h"
#include "link/LinkState.h"

namespace hx {

// Slots: the medium window ("Sonar 260 kHz") and the high window ("Sonar 540 kHz").
inline constexpr int kMediumWindowSlot = 0;
inline constexpr int kHighWindowSlot = 1;
inline constexpr int kWindowImageSlots = 2;

struct WindowWaterfall {
    int head = -1;                 // the head shown; -1: no window
    std::int32_t clientWidth = 0;  // the window's client width
    WaterfallStore store;          // the head's image (the head is its primary)
    LineCountState lines;          // the rebuild's carries
    LineWork work;

    bool open() const { return head >= 0 && HeadImageFor(store, head) != nullptr; }
    const WaterfallImage* image() const { return head >= 0 ? HeadImageFor(store, head) : nullptr; }
};

using WindowWaterfalls = std::array<WindowWaterfall, kWindowImageSlots>;

// What the window images need besides the main images.
struct WindowImageInputs {
    const PingHistory& history;
    const DisplaySettings& display;
    const SpeedSource& speed;
    const HeadTable& heads;
};

// The width of a window's image: the main image's width times the window's
// over the main view's client width, rounded up to 4 (with "Fill the Screen"
// that is the window's own rounded width), at most kMaxImageWidthPx.
std::int32_t WindowImageWidth(std::int32_t windowClientWidthPx, const WaterfallStore& main);

// The window's horizontal scroll for the main view's: scaled by the widths.
std::int32_t WindowScrollX(const WindowWaterfall& window, const WaterfallStore& main, std::int32_t mainScrollX);

// A window of this client width shows this head: its image is allocated for
// the main images' rows and rebuilt from the history. Nothing changes when it
// already fits. A head outside L, M, H or a window without width closes it;
// so does a main set without images (it follows once they exist).
void FitWindowImage(WindowWaterfall& window, int head, std::int32_t clientWidthPx, const WaterfallStore& main,
                    const WindowImageInputs& in);

// The main images were re-allocated or rebuilt: every window image follows.
void RefitWindowImages(WindowWaterfalls& windows, const WaterfallStore& main, const WindowImageInputs& in);

// The window went away: its image is freed.
void CloseWindowImage(WindowWaterfall& window);

// One drawn ping: each open window appends its head's line of the record
// with the main images' row count n.
void AppendWindowLines(WindowWaterfalls& windows, const PingHistoryRecord& record, const RowMeta& meta,
                       std::int32_t n, std::int32_t speedLineCount, const WindowImageInputs& in);

// The main images' clears, marks and Hold, done to the window images too.
void ClearWindowImages(WindowWaterfalls& windows);     // ClearScreen
void ClearWindowPixels(WindowWaterfalls& windows);     // "&Clear Screen"
void InsertWindowWrapRows(WindowWaterfalls& windows);  // playback went round

}  // namespace hx
