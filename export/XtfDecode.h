// Decoders of the XTF file header and of whole packets (framing is the
// reader's job). Each reads only inside the bytes it is given and returns
// false with a reason when the structure does not fit them.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "export/XtfRecords.h"

namespace hx {

inline constexpr std::size_t kXtfMaxHeaderChannels = 1024;

// From the header's first 256 bytes: the size of the whole header (1024
// bytes, more with over six channels), or 0 with a reason.
std::size_t xtfHeaderSize(std::span<const std::uint8_t> first, std::string& reason);

bool decodeXtfFileHeader(std::span<const std::uint8_t> header, XtfFileHeader& out, std::string& reason);

// A sonar packet. Channel sample sizes come from the file header's channel
// descriptions; a channel the header does not describe is damage.
bool decodeXtfPing(std::span<const std::uint8_t> packet, const XtfFileHeader& file, XtfPingRecord& out,
                   std::string& reason);
bool decodeXtfNote(std::span<const std::uint8_t> packet, XtfNoteRecord& out, std::string& reason);
bool decodeXtfSerial(std::span<const std::uint8_t> packet, XtfSerialRecord& out, std::string& reason);
bool decodeXtfAttitude(std::span<const std::uint8_t> packet, XtfAttitudeRecord& out, std::string& reason);

}  // namespace hx
