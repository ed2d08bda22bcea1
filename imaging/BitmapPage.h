// The playback "Bitmap View" page: a position in the file counted in rows
// from its end, moved by the vertical scroll bar and the mouse wheel. While
// the mode is on no rows are drawn. Set up when the mode, the side display
// mode or the speed settings change; scrolled by the view.
#pragma once

#include <cstdint>

#include "imaging/WaterfallStore.h"

namespace hx {

struct LineCountState;

struct BitmapPage {
    std::int64_t position = 0;  // rows, counted from the end of the file
    std::int64_t range = 0;     // scroll range in rows
};

struct BitmapPageSetUp {
    BitmapPage page;
    bool rewindFile = false;  // the playback record position goes back to 0
};

// Page set-up: clears the screen, then position = record position / record
// length − (imageHeight with speed correction off, else 0); a negative
// position rewinds the file and becomes 0. The range is the record count,
// plus imageHeight with speed correction on.
BitmapPageSetUp SetUpBitmapPage(WaterfallStore& store, LineCountState& lines, std::uint64_t recordPosition,
                                std::uint32_t recordLength, std::int64_t recordCount, bool speedCorrectionEnabled);

enum class PageScroll { LineUp, LineDown, PageUp, PageDown, Thumb, Wheel };

// Scroll bar and wheel: line ±64, page ±512, the thumb sets range −
// imageHeight − thumb, the wheel adds its delta (120 per notch). The position
// stays within 0..range − imageHeight; every image row counts as valid.
void ScrollBitmapPage(BitmapPage& page, WaterfallStore& store, PageScroll action, std::int64_t value = 0);

}  // namespace hx
