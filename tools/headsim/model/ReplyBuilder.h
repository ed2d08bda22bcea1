// The replies a head sends, written with the checked little-endian helpers
// into buffers the caller owns (no allocation per reply).
//
// Data reply, 1128 bytes:
//   offset size  field
//   0      3     head identifier ("SSL", "SSM", "SSH", "ES1")
//   3      1     status; bits 2..6 (0x7C) are error flags
//   4      4     ping number (this simulator's choice: lets a client see
//                that all heads of a cycle answered from the same ping)
//   8      1     head number 0..3
//   10     1     half indicator, echoed from the request: 0x00 or 0x10
//   12     1     transmit control in force
//   15     1     head kind, 0x80 for the echo sounder
//   30     4     frequency in force, Hz
//   34     2     range in force, m
//   38     1     gain in force, dB
//   127    1000  samples, nearest range first (echo sounder second half: sensor block)
//   1127   1     0
//
// System information reply, 256 bytes: "TQZ", serial number at 10..15,
// configuration bits at 50, and from 90 one 30-byte block per head with
// nominal, lowest and highest frequency in kHz at 0, 2, 4 and the IPv4
// address at 10 as a little-endian number (block byte 13 = first octet).
//
// Sensor block, first 12 data bytes of the echo sounder's second half:
// pitch, roll, heading (signed, 360/65536 degree), 2 unused bytes,
// temperature (signed, 100/65536 degree C), depth (unsigned, 1000/65536 m).
#pragma once

#include "core/Heads.h"
#include "tools/headsim/model/EchoSounderSynth.h"

#include <array>
#include <cstdint>
#include <span>

namespace hx::sim {

inline constexpr std::size_t kReplyDataOffset = kReplyHeaderBytes - 1;  // 127
inline constexpr std::uint8_t kStatusErrorMask = 0x7C;
inline constexpr std::size_t kSensorBlockBytes = 12;

struct ReplyHeaderFields {
    std::array<char, 3> id{'S', 'S', 'L'};
    std::uint8_t status = 0;
    std::uint32_t pingNumber = 0;
    std::uint8_t headNumber = 0;
    bool secondHalf = false;
    std::uint8_t transmitControl = 0x10;
    std::uint32_t frequencyHz = 0;
    std::uint16_t rangeM = 0;
    std::uint8_t gainDb = 0;
};

void buildDataReply(std::span<std::uint8_t, kDataReplyBytes> out, const ReplyHeaderFields& header,
                    std::span<const std::uint8_t, kSideDataPoints> samples);

struct HeadBlock {
    std::uint16_t nominalKHz = 0;
    std::uint16_t lowestKHz = 0;
    std::uint16_t highestKHz = 0;
    std::uint32_t ipv4 = 0;  // first octet in the top byte
};

struct SystemDescription {
    std::array<char, 6> serial{'6', '4', '2', '0', '0', '1'};
    std::array<bool, kHeadCount> present{true, true, true, true};
    bool orientationSensor = true;
    std::array<HeadBlock, kHeadCount> heads{};
};

void buildSystemInfo(std::span<std::uint8_t, kSystemInfoBytes> out, const SystemDescription& system);

// Writes the 12-byte sensor block at the start of data; false if it is too short.
bool encodeSensorBlock(std::span<std::uint8_t> data, const SensorReading& reading);

}  // namespace hx::sim
