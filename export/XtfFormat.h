// Sizes, codes and field helpers of the XTF sidescan format as this program
// writes and reads it. All numbers are little-endian; every structure is
// written and read field by field through core/ByteIO.h.
//
//   file header   1024 bytes: 256 bytes of fields, then one 128-byte channel
//                 description per channel; grows in 1024-byte steps beyond six
//   packets       each starts with magic 0xFACE, its type, a sub-channel, the
//                 number of channels to follow, 4 reserved bytes and its exact
//                 size (padding included); we pad every packet to 64 bytes
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

#include "core/ByteIO.h"

namespace hx {

inline constexpr std::uint8_t kXtfFileFormat = 0x7B;
inline constexpr std::uint8_t kXtfSystemType = 1;
inline constexpr std::uint16_t kXtfMagic = 0xFACE;

inline constexpr std::size_t kXtfHeaderStep = 1024;
inline constexpr std::size_t kXtfHeaderFieldBytes = 256;
inline constexpr std::size_t kXtfChanInfoBytes = 128;
inline constexpr std::size_t kXtfPacketStartBytes = 14;
inline constexpr std::size_t kXtfPingHeaderBytes = 256;
inline constexpr std::size_t kXtfChanHeaderBytes = 64;
inline constexpr std::size_t kXtfNotesBytes = 256;
inline constexpr std::size_t kXtfNotesTextBytes = 200;
inline constexpr std::size_t kXtfRawSerialHeaderBytes = 30;
inline constexpr std::size_t kXtfAttitudeBytes = 64;
inline constexpr std::size_t kXtfPacketAlignment = 64;

// Packet types (HeaderType).
inline constexpr std::uint8_t kXtfSonar = 0;
inline constexpr std::uint8_t kXtfNotes = 1;
inline constexpr std::uint8_t kXtfAttitude = 3;
inline constexpr std::uint8_t kXtfRawSerial = 6;

inline constexpr std::uint16_t kXtfNavUnitsDegrees = 3;
inline constexpr std::uint8_t kXtfChannelPort = 1;
inline constexpr std::uint8_t kXtfChannelStarboard = 2;
inline constexpr std::uint16_t kXtfSlantRangeImagery = 1;  // CorrectionFlags
inline constexpr std::uint8_t kXtfSampleFormatOneByteInteger = 8;

// The file header's size for that many channel descriptions.
constexpr std::size_t xtfFileHeaderBytes(std::size_t channels) {
    const std::size_t used = kXtfHeaderFieldBytes + channels * kXtfChanInfoBytes;
    return used <= kXtfHeaderStep ? kXtfHeaderStep : (used + kXtfHeaderStep - 1) / kXtfHeaderStep * kXtfHeaderStep;
}

constexpr std::size_t xtfPaddedSize(std::size_t bytes) {
    return (bytes + kXtfPacketAlignment - 1) / kXtfPacketAlignment * kXtfPacketAlignment;
}

// 32-bit IEEE floats, which core/ByteIO.h has no helper for.
inline void putF32(ByteWriter& w, double v) { w.u32(std::bit_cast<std::uint32_t>(static_cast<float>(v))); }
inline float getF32(ByteReader& r) { return std::bit_cast<float>(r.u32()); }

}  // namespace hx
