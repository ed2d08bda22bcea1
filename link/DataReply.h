// Where a framed 1128-byte data reply is stored in the head table.
//
//   offset size  contents
//     0     3    head identifier, three characters
//     3     1    status byte; bits 2..6 (mask 0x7C) are error flags
//    10     1    half indicator: 0x00 first half, 0x10 second half
//   127  1000    samples, nearest range first (ES second half: sensor block)
//  1127     1    not interpreted
//
// Bytes 0..126 are the reply header. A sidescan first half (port) is stored
// reversed into display line bytes 1023..24; a second half (starboard) goes
// to bytes 1024..2023 with its header. The echo sounder stores its header
// with both halves and its echo samples unreversed from byte 24.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "link/LinkState.h"

namespace hx {

inline constexpr std::size_t kReplyHalfOffset = 10;
inline constexpr std::size_t kReplyStatusOffset = 3;
inline constexpr std::size_t kReplyStoredHeaderBytes = kReplyHeaderBytes - 1;  // 127
inline constexpr std::size_t kReplyDataOffset = kReplyHeaderBytes - 1;          // 127
inline constexpr std::uint8_t kStatusErrorMask = 0x7C;

enum class ReplyHalf { First, Second, Other };

// The half indicator of a data reply; Other for any other value or a reply
// shorter than 1128 bytes.
ReplyHalf replyHalf(std::span<const std::uint8_t> reply);

// Stores a data reply of head h (0..3) that is at least 1128 bytes long into
// the head's display line and, where the layout says so, its reply header
// store. Returns false and changes nothing for a short reply, a head out of
// range or a half indicator other than 0x00 and 0x10.
bool storeDataReply(int head, std::span<const std::uint8_t> reply, HeadTable& heads);

}  // namespace hx
