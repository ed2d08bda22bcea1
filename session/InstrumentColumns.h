// The echo sounder's echogram and the orientation history strip as the
// document keeps them, and their step in the road of a ping: after the
// sidescan lines, the echo sounder's samples become the echogram's newest
// column and give the altitude (while its window exists and the waterfall
// scrolls, also on Hold), and the filtered orientation values become the
// history's newest column (while its window exists). The windows say whether
// they exist through the two flags; nothing here knows of windows.
#pragma once

#include "imaging/EchoGram.h"
#include "imaging/StorePing.h"
#include "link/LinkState.h"
#include "link/OrientationState.h"
#include "nav/OrientationHistory.h"

namespace hx {

struct InstrumentDisplays {
    EchoSounderState echoSounder;
    bool echoSounderOpen = false;  // the echo sounder window exists, shown or hidden
    OrientationHistory history;
    bool historyOpen = false;      // the orientation history window exists
};

// One good ping. The altitude found goes into orientation.altitudeM, which
// the next sensor decode feeds to the altitude filter and the next ping's
// history record carries.
void AppendInstrumentColumns(InstrumentDisplays& displays, const HeadTable& heads, const ImagingState& imaging,
                             OrientationState& orientation);

// A file opens for playback: both pictures start empty (their size stays).
void ClearInstrumentColumns(InstrumentDisplays& displays);

}  // namespace hx
