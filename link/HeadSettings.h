// The operator's head settings: the range table, range and gain steps, the
// spin controls, the transmit-control bits and head availability. Each change
// that reaches the heads is written into the command messages at once.
#pragma once

#include <array>
#include <cstdint>

#include "link/LinkState.h"

namespace hx {

inline constexpr std::array<std::int32_t, 20> kRangeTableM = {1,  2,  3,   4,   5,   10,  20,  30,  40,  50,
                                                              60, 80, 100, 120, 150, 200, 250, 300, 400, 500};
inline constexpr int kRangeIndexMin = 5;          // 10 m: lowest for every control
inline constexpr int kRangeIndexMaxToolbar = 19;  // 500 m
inline constexpr int kRangeIndexMaxSpin = 17;     // 300 m
inline constexpr int kGainMinDb = 0;
inline constexpr int kGainMaxDb = 40;

inline constexpr std::uint8_t kXmitStarboardOff = 0x01;  // echo sounder: transmitter off
inline constexpr std::uint8_t kXmitPortOff = 0x02;

// Range in metres of a table index; the index is clamped to the table.
std::int32_t rangeForIndex(int index);

// Toolbar range steps: up to index 19, down to index 5. False when at the limit.
bool sideScanRangeUp(HeadTable& heads);
bool sideScanRangeDown(HeadTable& heads);
// Range menu choice: any index of the table.
void selectSideScanRange(HeadTable& heads, int index);

// Gain of the three sidescan heads, one dB each, stopping at 0 and 40 per head.
void sideScanGainUp(HeadTable& heads);
void sideScanGainDown(HeadTable& heads);

// Control-bar spins: one head's gain limited to 0..40; a range index limited to 5..17.
void spinHeadGain(HeadTable& heads, int head, int stepDb);
void spinSideScanRange(HeadTable& heads, int step);
void spinEchoSounderRange(HeadTable& heads, int step);

// Toggles the given bit of a head's transmit-control byte, other bits kept.
void toggleXmitBit(HeadTable& heads, int head, std::uint8_t bit);

}  // namespace hx
