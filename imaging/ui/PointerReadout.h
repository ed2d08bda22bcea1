// What the status bar shows for the pointer over a sidescan view: the side
// and horizontal range under it and, over the image, the time, date and GPS
// texts of the row. Pure: computed from the store at each paint.
#pragma once

#include <cstdint>
#include <string>

#include "imaging/RowMeta.h"
#include "imaging/WaterfallStore.h"

namespace hx {

struct CursorRange {
    bool starboard = false;
    double rangeM = 0.0;
};

// Horizontal range under image column x: the nadir is the right edge for
// port only, the left edge for starboard only and the centre for both sides.
CursorRange ComputeCursorRange(std::int64_t imageX, std::int32_t imageWidth, std::int32_t rangeM,
                               std::int32_t sideDisplayMode);

struct PointerReadout {
    bool inView = false;
    bool starboard = false;
    double rangeM = 0.0;
    bool inImage = false;       // the texts below are set only over the image
    std::string timeText;       // "hh:mm:ss" of the row, empty without data
    std::string dateText;       // the current date text when the time is set
    GpsTexts gpsText{};
};

// The readout for the pointer at image point (x, y) (window point plus
// scroll); the row texts come from the frozen row data while on Hold.
// imageWidthPx, when not negative, is the width of the image under the
// pointer (a sonar window's own) whose rows are the store's.
PointerReadout ReadPointer(const WaterfallStore& store, std::int32_t sideDisplayMode, std::int32_t rangeM, bool hold,
                           std::int64_t imageX, std::int64_t imageY, const std::string& currentDateText,
                           std::int32_t imageWidthPx = -1);

}  // namespace hx
