// Encoders of the XTF file header and packets. Each checks its input first
// and either appends the whole structure to out (padded to 64 bytes where
// it is a packet) and returns true, or leaves out as it was, puts the reason
// into reason and returns false: nothing is ever encoded half.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "export/XtfInput.h"

namespace hx {

bool encodeXtfFileHeader(const XtfFileInfo& info, std::vector<std::uint8_t>& out, std::string& reason);
bool encodeXtfPing(const XtfFileInfo& info, const XtfPing& ping, std::vector<std::uint8_t>& out,
                   std::string& reason);
bool encodeXtfNote(const XtfNote& note, std::vector<std::uint8_t>& out, std::string& reason);
bool encodeXtfSerial(const XtfSerial& serial, std::vector<std::uint8_t>& out, std::string& reason);
bool encodeXtfAttitude(const XtfAttitude& attitude, std::vector<std::uint8_t>& out, std::string& reason);

}  // namespace hx
