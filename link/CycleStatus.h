// The end of a poll cycle, shared by live acquisition and playback: the time
// stamp, and the status check that copies each available head's identifier
// and status byte, decodes the sensor block and counts good cycles.
#pragma once

#include "core/LocalTime.h"
#include "link/LinkState.h"
#include "link/OrientationState.h"

namespace hx {

// Sets pingTime, the ping clock and the date, time and milliseconds texts.
void stampCycle(const LocalTime& now, CycleValues& cycle);

// Status check. For every available head: headIdText from reply header bytes
// 0..2 (up to a NUL), headStatus from byte 3, and its error flags (mask 0x7C)
// summed. The sensor block is decoded when the orientation sensor is present.
// Returns true, and counts the cycle in goodCycleCount, when no flag is set.
bool checkCycleStatus(HeadTable& heads, const LinkFields& link, CycleValues& cycle, OrientationState& orientation);

}  // namespace hx
