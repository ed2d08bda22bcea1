// How each head's link is doing, so that a dead link never looks like a
// quiet seabed: the pings it delivered, those refused for error flags, and
// the age of its newest good ping. Fed with every completed cycle.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "link/CycleStatus.h"
#include "link/LinkState.h"

namespace hx {

struct HeadHealth {
    std::uint64_t pings = 0;     // cycles that carried this head's reply
    std::uint64_t rejected = 0;  // of those, with error flags in its status byte
    std::optional<std::uint32_t> lastGoodTickMs;
};

// Live: a good ping within the last second; Late: within three; Lost: older
// or never.
enum class HealthLevel { Live, Late, Lost };

class LinkHealthMeter {
public:
    void noteCycle(const CycleStatus& status, std::uint32_t tickMs);
    // The watchdog closed every connection and connected the heads again.
    void noteRebuild() { ++rebuilds_; }
    std::uint64_t rebuilds() const { return rebuilds_; }
    const HeadHealth& head(int h) const { return heads_[static_cast<std::size_t>(h)]; }

    // Pings a second of each head since the previous call (the CLI asks
    // once a second), then starts a new interval.
    PerHead<double> takePingRates(std::uint32_t tickMs);

private:
    PerHead<HeadHealth> heads_{};
    PerHead<std::uint64_t> pingsAtLastRate_{};
    std::optional<std::uint32_t> lastRateTickMs_;
    std::uint64_t rebuilds_ = 0;
};

HealthLevel healthLevel(const HeadHealth& head, std::uint32_t nowMs);
// Seconds since the newest good ping, or nullopt when there was none.
std::optional<double> goodPingAgeS(const HeadHealth& head, std::uint32_t nowMs);
// "L 9.8/s 0 rej 0.1 s" ("L 0.0/s 0 rej -" before any good ping).
std::string headHealthText(int head, const HeadHealth& health, double pingsPerSecond, std::uint32_t nowMs);

// A view's badge for one head: "L 0.4 s" ("L -" before any good ping) in
// the colour of its level.
struct HeadBadge {
    std::string text;
    HealthLevel level = HealthLevel::Lost;
};
// None in playback, and for a head the system does not have.
std::optional<HeadBadge> headBadge(const LinkHealthMeter& meter, const HeadTable& heads, const LinkFields& link,
                                   int head, std::uint32_t nowMs);

// While the system information is awaited and the first try went
// unanswered: "No answer from 127.0.0.1 (3 tries since 14:02:31)". Empty
// otherwise.
std::string sysInfoWaitText(const HeadTable& heads, const LinkFields& link);

}  // namespace hx
