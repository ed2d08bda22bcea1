// The end of a poll cycle, shared by live acquisition and playback: the time
// stamp, and the status read of the heads' reply headers.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/LocalTime.h"
#include "link/LinkState.h"

namespace hx {

// Sets pingTime, the ping clock and the date, time and milliseconds texts.
void stampCycle(const LocalTime& now, CycleValues& cycle);

// What the reply headers of a completed cycle say. For every available head:
// its identifier (reply header bytes 0..2, up to a NUL) and status byte
// (byte 3); errorSum adds up their error flags (mask 0x7C).
struct CycleStatus {
    PerHead<bool> read{};
    PerHead<std::string> idText{};
    PerHead<std::uint8_t> statusByte{};
    int errorSum = 0;

    bool good() const { return errorSum == 0; }
};

// Reads the status of the cycle in the head table; changes nothing.
CycleStatus readCycleStatus(const HeadTable& heads);

// Puts the identifiers and status bytes read into the head table, where the
// diagnostics show them.
void applyCycleStatus(const CycleStatus& status, HeadTable& heads);

}  // namespace hx
