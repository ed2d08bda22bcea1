// The commands a head receives: a stream framer that cuts 128-byte command
// messages out of whatever TCP delivers, and the decoder of one message.
//
// A data request for the first half at 50 m range, 120 kHz, gain 6:
//   FE 44 00.. 00 | [10] 00 | [12] 10 | [15] 00 | [30] C0 D4 01 00 | [34] 32 00
//   [36] 0A | [38] 06 | [50] 10 | [52] 01 | .. [127] FD
//
//   offset size  field
//   0      1     0xFE start of message
//   1      1     0x44 data request, 0x99 system information request
//   10     1     half selector: 0x00 first half, 0x10 second half
//   12     1     transmit control: bit 1 port off, bit 0 starboard (echo sounder) off
//   15     1     head kind: 0x80 for the echo sounder
//   30     4     frequency, Hz
//   34     2     range, m
//   38     1     gain, dB
//   127    1     0xFD end of message
#pragma once

#include "core/Heads.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace hx::sim {

inline constexpr std::uint8_t kStartOfMessage = 0xFE;
inline constexpr std::uint8_t kEndOfMessage = 0xFD;
inline constexpr std::uint8_t kDataRequest = 0x44;
inline constexpr std::uint8_t kSystemInfoRequest = 0x99;
inline constexpr std::uint8_t kFirstHalf = 0x00;
inline constexpr std::uint8_t kSecondHalf = 0x10;

struct HeadRequest {
    enum class Kind { Data, SystemInfo };
    Kind kind = Kind::Data;
    bool secondHalf = false;
    std::uint8_t transmitControl = 0x10;
    std::uint8_t headKind = 0;
    std::uint32_t frequencyHz = 0;
    std::uint16_t rangeM = 0;
    std::uint8_t gainDb = 0;
};

// nullopt for a message that is not one of the two commands: wrong start or
// end byte, unknown code, or a data request with an unknown half selector.
std::optional<HeadRequest> parseCommand(std::span<const std::uint8_t> message);

// Reassembles command messages from a byte stream. A candidate starts at
// 0xFE, is 128 bytes long, ends with 0xFD and carries a known command code;
// anything else is skipped one byte at a time until the stream lines up again.
class CommandFramer {
public:
    void push(std::span<const std::uint8_t> bytes);
    std::optional<CommandMessage> next();

    std::size_t discardedBytes() const { return discarded_; }
    std::size_t pendingBytes() const { return buffer_.size() - start_; }

private:
    void compact();

    std::vector<std::uint8_t> buffer_;
    std::size_t start_ = 0;
    std::size_t discarded_ = 0;
};

}  // namespace hx::sim
