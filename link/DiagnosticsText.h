// The texts of the diagnostics window, built from the link's state. Two
// layouts: all four heads when the three sidescan heads are present, else the
// display pair and the echo sounder.
#pragma once

#include <string>

#include "link/HeadHealth.h"
#include "link/LinkState.h"

namespace hx {

struct DiagnosticsTexts {
    std::string header = "n/a";
    std::string serialStat = "n/a";
    std::string frequency = "n/a";
    std::string realTimePrf = "n/a";
    std::string gain = "n/a";
    std::string range = "n/a";
    std::string connection = "n/a";
    std::string loopTime = "n/a";
    std::string dispTime = "n/a";
    std::string runMode = "n/a";
    std::string serialNumber = "n/a";
    // Link health, per head in the order of the rows above.
    std::string pingRate = "n/a";
    std::string rejected = "n/a";
    std::string pingAge = "n/a";
    std::string rebuilds = "n/a";
};

// units: 0 metric, 1 imperial; any other value leaves the range text as it
// was in previous.
DiagnosticsTexts buildDiagnosticsTexts(const HeadTable& heads, const LinkFields& link, const CycleValues& cycle,
                                       int displayTimeMs, int units, const DiagnosticsTexts& previous);

// The link health rows; "n/a" in playback. rates: pings a second per head.
void fillLinkHealthTexts(DiagnosticsTexts& texts, const LinkFields& link, const LinkHealthMeter& meter,
                         const PerHead<double>& rates, std::uint32_t nowMs);

// The transmit dialog's five boxes: row A port/stbd, row B port/stbd, echo
// sounder. A ticked box means the transmitter is on (its bit clear).
struct TransmitBoxes {
    bool aPort = true, aStbd = true, bPort = true, bStbd = true, echoSounder = true;
};

TransmitBoxes transmitBoxesFrom(const HeadTable& heads, const LinkFields& link);
// Ticked boxes clear their bit, unticked ones set it; other bits stay.
void applyTransmitBoxes(const TransmitBoxes& boxes, HeadTable& heads, const LinkFields& link);

}  // namespace hx
