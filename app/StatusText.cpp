#include "app/StatusText.h"

#include <algorithm>
#include <cstdio>

namespace hx {

namespace {

constexpr double kMetresPerFoot = 0.3048;

template <typename... Args>
std::string format(const char* fmt, Args... args) {
    char buf[64];
    std::snprintf(buf, sizeof buf, fmt, args...);
    return buf;
}

}  // namespace

std::string formatZoomPercent(double zoom) { return format("%d", static_cast<int>(zoom * 100.0)) + "%"; }

std::string formatTarget(bool starboard, double rangeM, bool feet) {
    const char side = starboard ? 'S' : 'P';
    return feet ? format("%c: %.1f ft", side, rangeM / kMetresPerFoot) : format("%c: %.1f m", side, rangeM);
}

std::string formatTemperature(double celsius, bool feet) {
    return feet ? format("%.1f F", celsius * 9.0 / 5.0 + 32.0) : format("%.1f C", celsius);
}

std::string formatDepth(double metres, bool feet) {
    return feet ? format("%.1f ft", metres / kMetresPerFoot) : format("%.1f m", metres);
}

std::string formatAngle(double degrees) { return format("%.1f", degrees); }

std::string formatGains(const HeadTable& heads, const LinkFields& link) {
    const auto& g = heads.headGain;
    const bool es = heads.headAvailable[kHeadES] != 0;
    if (link.allSideScansAvailable) {
        return es ? format("%d %d %d %d", g[0], g[1], g[2], g[3]) : format("%d %d %d", g[0], g[1], g[2]);
    }
    const int a = g[static_cast<std::size_t>(std::clamp(link.displayHeadA, 0, 2))];
    const int b = g[static_cast<std::size_t>(std::clamp(link.displayHeadB, 0, 2))];
    return es ? format("%d %d %d", a, b, g[3]) : format("%d %d", a, b);
}

std::string formatRangeText(int rangeM, bool feet) {
    return feet ? format("%d ft", rangeM * 3) : format("%d m", rangeM);
}

}  // namespace hx
