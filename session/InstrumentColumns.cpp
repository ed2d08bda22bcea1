#include "session/InstrumentColumns.h"

namespace hx {

void AppendInstrumentColumns(InstrumentDisplays& d, const HeadTable& heads, const ImagingState& imaging,
                             OrientationState& orientation) {
    // The Bitmap View of playback pages through the file without scrolling:
    // no echogram column then.
    if (d.echoSounderOpen && imaging.store.waterfallEnabled != 0) {
        EchoSounderState& echo = d.echoSounder;
        FollowEchoGramHold(echo, imaging.display.holdDisplay != 0);
        const DisplayLine& line = heads.headDisplayLine[kHeadES];
        const std::span<const std::uint8_t, kEchoSampleCount> samples(line.data() + kEchoLineOffset, kEchoSampleCount);
        if (const auto altitude = AppendEchoColumn(echo, samples, imaging.display.interpolationFactor,
                                                   heads.echoSounderRange))
            orientation.altitudeM = *altitude;
    }
    if (d.historyOpen) {
        d.history.AppendHistoryColumn({orientation.pitchDeg, orientation.rollDeg, orientation.headingDeg,
                                       orientation.depthM, orientation.temperatureC});
    }
}

void ClearInstrumentColumns(InstrumentDisplays& d) {
    EchoSounderState& echo = d.echoSounder;
    if (echo.imageWidthPx > 0 && echo.imageHeightPx > 0) {
        // Same size, nothing drawn: the resize arithmetic does exactly that.
        const int w = echo.imageWidthPx, h = echo.imageHeightPx;
        ResizeEchoGram(echo, w, h);
    }
    echo.holdTaken = false;
    if (d.history.widthPx() > 0 && d.history.heightPx() > 0) d.history.resize(d.history.widthPx(), d.history.heightPx());
}

}  // namespace hx
