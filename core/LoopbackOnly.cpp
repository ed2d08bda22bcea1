#include "core/LoopbackOnly.h"

#include <array>
#include <charconv>
#include <cstdlib>

namespace hx {

bool loopbackOnly() {
    const char* value = std::getenv(kLoopbackOnlyVariable);
    return value != nullptr && *value != '\0' && std::string(value) != "0";
}

bool isLoopbackAddress(const std::string& address) {
    if (address == "localhost") return true;
    // Exactly four decimal parts of 0..255, the first one 127.
    std::array<int, 4> parts{};
    const char* p = address.data();
    const char* end = address.data() + address.size();
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            if (p == end || *p != '.') return false;
            ++p;
        }
        const char* start = p;
        const auto [next, ec] = std::from_chars(p, end, parts[i]);
        if (ec != std::errc() || next == start || next - start > 3 || parts[i] < 0 || parts[i] > 255) return false;
        p = next;
    }
    return p == end && parts[0] == 127;
}

std::optional<std::string> loopbackRefusal(const std::string& address, const std::string& what) {
    if (!loopbackOnly() || isLoopbackAddress(address)) return std::nullopt;
    return std::string(kLoopbackOnlyVariable) + " is set: " + what + " address \"" + address +
           "\" is outside 127.0.0.0/8, not tried";
}

}  // namespace hx
