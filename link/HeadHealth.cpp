#include "link/HeadHealth.h"

#include <cstdio>

#include "core/Heads.h"

namespace hx {

namespace {
constexpr std::uint32_t kLateAfterMs = 1000;
constexpr std::uint32_t kLostAfterMs = 3000;
constexpr std::uint8_t kStatusErrorMask = 0x7C;
}  // namespace

void LinkHealthMeter::noteCycle(const CycleStatus& status, std::uint32_t tickMs) {
    for (std::size_t h = 0; h < heads_.size(); ++h) {
        if (!status.read[h]) continue;
        HeadHealth& head = heads_[h];
        ++head.pings;
        if ((status.statusByte[h] & kStatusErrorMask) != 0) {
            ++head.rejected;
        } else {
            head.lastGoodTickMs = tickMs;
        }
    }
}

PerHead<double> LinkHealthMeter::takePingRates(std::uint32_t tickMs) {
    PerHead<double> rates{};
    // The tick counter wraps: spans are unsigned differences.
    const std::uint32_t spanMs = lastRateTickMs_ ? tickMs - *lastRateTickMs_ : 0;
    for (std::size_t h = 0; h < heads_.size(); ++h) {
        if (spanMs > 0) rates[h] = static_cast<double>(heads_[h].pings - pingsAtLastRate_[h]) * 1000.0 / spanMs;
        pingsAtLastRate_[h] = heads_[h].pings;
    }
    lastRateTickMs_ = tickMs;
    return rates;
}

std::optional<double> goodPingAgeS(const HeadHealth& head, std::uint32_t nowMs) {
    if (!head.lastGoodTickMs) return std::nullopt;
    return static_cast<double>(static_cast<std::uint32_t>(nowMs - *head.lastGoodTickMs)) / 1000.0;
}

HealthLevel healthLevel(const HeadHealth& head, std::uint32_t nowMs) {
    if (!head.lastGoodTickMs) return HealthLevel::Lost;
    const std::uint32_t ageMs = nowMs - *head.lastGoodTickMs;
    return ageMs < kLateAfterMs ? HealthLevel::Live : ageMs < kLostAfterMs ? HealthLevel::Late : HealthLevel::Lost;
}

std::string headHealthText(int head, const HeadHealth& health, double pingsPerSecond, std::uint32_t nowMs) {
    char text[96];
    const auto age = goodPingAgeS(health, nowMs);
    char ageText[24] = "-";
    if (age) std::snprintf(ageText, sizeof ageText, "%.1f s", *age);
    std::snprintf(text, sizeof text, "%s %.1f/s %llu rej %s", headLetter(head), pingsPerSecond,
                  static_cast<unsigned long long>(health.rejected), ageText);
    return text;
}

std::optional<HeadBadge> headBadge(const LinkHealthMeter& meter, const HeadTable& heads, const LinkFields& link,
                                   int head, std::uint32_t nowMs) {
    if (link.playbackMode != 0 || head < 0 || head >= kHeadCount) return std::nullopt;
    if (heads.headAvailable[static_cast<std::size_t>(head)] == 0) return std::nullopt;
    const HeadHealth& health = meter.head(head);
    HeadBadge badge;
    badge.level = healthLevel(health, nowMs);
    badge.text = headLetter(head);
    if (const auto age = goodPingAgeS(health, nowMs)) {
        char ageText[24];
        std::snprintf(ageText, sizeof ageText, " %.1f s", *age);
        badge.text += ageText;
    } else {
        badge.text += " -";
    }
    return badge;
}

std::string sysInfoWaitText(const HeadTable& heads, const LinkFields& link) {
    if (link.playbackMode != 0 || link.sysInfoPending == 0 || link.sysInfoTries < 2) return {};
    return "No answer from " + heads.headIpAddress[kHeadL] + " (" + std::to_string(link.sysInfoTries) +
           " tries since " + formatTimeText(link.sysInfoSince) + ")";
}

}  // namespace hx
