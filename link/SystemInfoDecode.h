// The 256-byte system information reply: which heads exist, their frequency
// limits and addresses, and the system's serial number.
//
//   offset size  contents
//     0     3    'T' 'Q' 'Z'
//    10     6    serial number, six characters
//    50     1    configuration: bit 0 L, bit 1 M, bit 2 H, bit 3 ES present,
//                bit 4 orientation sensor present
//    90   4x30   head blocks of L, M, H, ES; in each block:
//                  +0 u16 nominal kHz, +2 u16 lowest kHz, +4 u16 highest kHz,
//                  +10 u32 IPv4 address (block byte 13 is the first octet)
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "link/LinkState.h"

namespace hx {

struct SystemInfoHeadBlock {
    std::uint16_t nominalKHz = 0;
    std::uint16_t lowestKHz = 0;
    std::uint16_t highestKHz = 0;
    std::uint32_t address = 0;  // first octet in the top byte
};

struct SystemInfoReply {
    std::array<std::uint8_t, 6> serialNumber{};
    std::uint8_t configuration = 0;
    std::array<SystemInfoHeadBlock, kHeadCount> heads{};

    bool headPresent(int head) const { return (configuration >> head) & 1; }
    bool orientationPresent() const { return (configuration >> 4) & 1; }
};

// True for a message of exactly 256 bytes that starts with 'T', 'Q', 'Z'.
bool isSystemInfoReply(std::span<const std::uint8_t> message);

// Pure decode; nullopt unless isSystemInfoReply().
std::optional<SystemInfoReply> parseSystemInfo(std::span<const std::uint8_t> message);

// "%d.%d.%d.%d" of an address whose first octet is the top byte.
std::string formatIpv4(std::uint32_t address);

// Applies a decoded reply to the head table and the link fields: pending and
// received flags, the stored reply, serial number, availability, orientation
// sensor, frequency limits with the nominal frequency clamped to them, the
// addresses of present heads, and the derived head count and display pair.
// Connections are the caller's business.
void applySystemInfo(const SystemInfoReply& info, std::span<const std::uint8_t, kSystemInfoBytes> raw,
                     HeadTable& heads, LinkFields& link);

}  // namespace hx
