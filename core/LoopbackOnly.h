// The loopback-only switch: with HX642_LOOPBACK_ONLY set (to anything but
// "0" or empty) every program refuses to connect to, or bind, an address
// outside 127.0.0.0/8. Tests, demos and CI set it so that nothing run on a
// development machine can ever reach real sonar heads or a real network.
#pragma once

#include <optional>
#include <string>

namespace hx {

inline constexpr const char* kLoopbackOnlyVariable = "HX642_LOOPBACK_ONLY";

// True when the environment asks for loopback only.
bool loopbackOnly();

// True for a dotted-quad IPv4 address in 127.0.0.0/8 ("localhost" counts as
// one too: it never leaves the machine).
bool isLoopbackAddress(const std::string& address);

// Why a connection or bind to address is refused: nullopt when it is allowed
// (the switch is off, or the address is loopback). what names the peer for
// the message, e.g. "head L" or "gpsd".
std::optional<std::string> loopbackRefusal(const std::string& address, const std::string& what);

}  // namespace hx
