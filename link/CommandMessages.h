// The 128-byte command message each head is sent: built once from a template,
// then patched in place by the settings and by the poll sequence, and sent
// exactly as stored.
//
//   offset size  contents
//     0     1    0xFE start of message
//     1     1    command code: 0x44 data request, 0x99 system information
//    10     1    half selector: 0x00 first half, 0x10 second half
//    12     1    transmit-control byte
//    15     1    head kind: 0x00 sidescan, 0x80 echo sounder
//    30     4    frequency, Hz (u32 LE)
//    34     2    range, m (u16 LE): sidescan range, echo sounder range for ES
//    36     1    0x0A for head L, else 0x00
//    38     1    gain, dB
//    50     1    0x10
//    52     1    0x01
//   127     1    0xFD end of message
#pragma once

#include <cstddef>
#include <cstdint>

#include "link/LinkState.h"

namespace hx {

inline constexpr std::uint8_t kCommandDataRequest = 0x44;
inline constexpr std::uint8_t kCommandSystemInfoRequest = 0x99;
inline constexpr std::uint8_t kHalfFirst = 0x00;
inline constexpr std::uint8_t kHalfSecond = 0x10;

inline constexpr std::size_t kCommandCodeOffset = 1;
inline constexpr std::size_t kHalfSelectorOffset = 10;
inline constexpr std::size_t kXmitControlOffset = 12;
inline constexpr std::size_t kHeadKindOffset = 15;
inline constexpr std::size_t kFrequencyOffset = 30;
inline constexpr std::size_t kRangeOffset = 34;
inline constexpr std::size_t kGainOffset = 38;

// Resets ranges, gains and transmit bytes to their defaults, writes the
// framing lengths and fills the four command templates.
void buildCommandTemplates(HeadTable& heads, LinkFields& link);

// Writes the current frequency, range, gain and transmit-control byte of
// every head into its command message. Bytes 1 and 10 are left to the poll
// sequence.
void updateCommandsFromSettings(HeadTable& heads);

}  // namespace hx
