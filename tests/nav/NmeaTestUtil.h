// Helpers for NMEA tests: checksums for hand-made sentences.
#pragma once

#include <cstdio>
#include <string>

namespace hx::test {

// "$BODY" -> "$BODY*hh" with the right checksum.
inline std::string withChecksum(const std::string& dollarBody) {
    unsigned sum = 0;
    for (std::size_t i = 1; i < dollarBody.size(); ++i) sum ^= static_cast<unsigned char>(dollarBody[i]);
    char buf[4];
    std::snprintf(buf, sizeof buf, "*%02X", sum);
    return dollarBody + buf;
}

}  // namespace hx::test
