// The texts of the status bars' value panes, in the operator's units.
#pragma once

#include <string>

#include "link/LinkState.h"

namespace hx {

std::string formatZoomPercent(double zoom);                                // "%d%"
std::string formatTarget(bool starboard, double rangeM, bool feet);        // "P: %.1f m" / "S: %.1f ft"
std::string formatTemperature(double celsius, bool feet);                  // "%.1f C" / "%.1f F"
std::string formatDepth(double metres, bool feet);                         // "%.1f m" / "%.1f ft"
std::string formatAngle(double degrees);                                   // "%.1f"
// "%d %d %d %d" and its shorter forms, by the heads present.
std::string formatGains(const HeadTable& heads, const LinkFields& link);
// Range texts of the head control bar: "%d m", or metres x 3 as "%d ft".
std::string formatRangeText(int rangeM, bool feet);

}  // namespace hx
