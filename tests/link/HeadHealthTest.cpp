// Each head's link health: levels by the age of its newest good ping, refused
// pings counted, and the rate over the tick counter's wrap.
#include <gtest/gtest.h>

#include "link/HeadHealth.h"

namespace hx {
namespace {

CycleStatus cycleWith(std::uint8_t statusL, bool esRead) {
    CycleStatus s;
    s.read = {true, false, false, esRead};
    s.statusByte = {statusL, 0, 0, 0};
    return s;
}

TEST(HeadHealth, LevelsFollowTheAgeOfTheNewestGoodPing) {
    LinkHealthMeter meter;
    const std::uint32_t start = 4294967000u;  // wraps 296 ms later
    meter.noteCycle(cycleWith(0, true), start);
    meter.noteCycle(cycleWith(0x10, true), start + 500);  // L refused: its good ping stays the first
    const struct {
        std::uint32_t afterMs;
        HealthLevel l, es;
        const char* textL;
    } cases[] = {
        {999, HealthLevel::Live, HealthLevel::Live, "L 0.0/s 1 rej 1.0 s"},
        {1000, HealthLevel::Late, HealthLevel::Live, "L 0.0/s 1 rej 1.0 s"},
        {2999, HealthLevel::Late, HealthLevel::Late, "L 0.0/s 1 rej 3.0 s"},
        {3000, HealthLevel::Lost, HealthLevel::Late, "L 0.0/s 1 rej 3.0 s"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.afterMs);
        const std::uint32_t now = start + c.afterMs;
        EXPECT_EQ(healthLevel(meter.head(kHeadL), now), c.l);
        EXPECT_EQ(healthLevel(meter.head(kHeadES), now), c.es);
        EXPECT_EQ(headHealthText(kHeadL, meter.head(kHeadL), 0.0, now), c.textL);
    }
    EXPECT_EQ(meter.head(kHeadL).pings, 2u);
    EXPECT_EQ(healthLevel(meter.head(kHeadM), start), HealthLevel::Lost) << "never heard";
    EXPECT_EQ(headHealthText(kHeadM, meter.head(kHeadM), 0.0, start), "M 0.0/s 0 rej -");
}

TEST(HeadHealth, PingRatePerIntervalAcrossTheTickWrap) {
    LinkHealthMeter meter;
    std::uint32_t tick = 4294966000u;
    meter.takePingRates(tick);
    for (int i = 0; i < 20; ++i) meter.noteCycle(cycleWith(0, i % 2 == 0), tick += 100);  // 2 s
    const PerHead<double> rates = meter.takePingRates(tick);
    EXPECT_DOUBLE_EQ(rates[kHeadL], 10.0);
    EXPECT_DOUBLE_EQ(rates[kHeadES], 5.0);
    EXPECT_DOUBLE_EQ(meter.takePingRates(tick + 1000)[kHeadL], 0.0) << "a quiet second";
}

}  // namespace
}  // namespace hx
