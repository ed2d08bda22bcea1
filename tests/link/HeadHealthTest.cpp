// Each head's link health: levels by the age of its newest good ping, refused
// pings counted, and the rate over the tick counter's wrap.
#include <gtest/gtest.h>

#include "link/DiagnosticsText.h"
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

// What the views and the diagnostics window show, by the fake clock: the
// badge of each head the system has, nothing in playback, and the rows in
// the diagnostics' head order.
TEST(HeadHealth, BadgesAndDiagnosticsRowsFollowTheClock) {
    LinkHealthMeter meter;
    HeadTable heads;
    heads.headAvailable = {1, 1, 0, 1};
    LinkFields link;
    link.allSideScansAvailable = 0;
    link.displayHeadA = kHeadL;
    link.displayHeadB = kHeadM;
    const std::uint32_t start = 1000;
    CycleStatus both;
    both.read = {true, true, false, true};
    meter.noteCycle(both, start);
    CycleStatus lowOnly;
    lowOnly.read = {true, false, false, false};
    meter.noteCycle(lowOnly, start + 2500);
    meter.noteRebuild();

    const struct {
        int head;
        std::uint32_t nowMs;
        std::optional<HealthLevel> level;  // none: no badge
        const char* text;
    } badges[] = {
        {kHeadL, start + 2500, HealthLevel::Live, "L 0.0 s"},
        {kHeadM, start + 2500, HealthLevel::Late, "M 2.5 s"},
        {kHeadM, start + 3000, HealthLevel::Lost, "M 3.0 s"},
        {kHeadES, start + 61000, HealthLevel::Lost, "ES 61.0 s"},
        {kHeadH, start, std::nullopt, ""},  // not in this system
    };
    for (const auto& c : badges) {
        SCOPED_TRACE(c.text);
        const auto badge = headBadge(meter, heads, link, c.head, c.nowMs);
        ASSERT_EQ(badge.has_value(), c.level.has_value());
        if (!badge) continue;
        EXPECT_EQ(badge->level, *c.level);
        EXPECT_EQ(badge->text, c.text);
    }

    DiagnosticsTexts t;
    fillLinkHealthTexts(t, link, meter, PerHead<double>{9.8, 4.0, 0.0, 4.0}, start + 3000);
    EXPECT_EQ(t.pingRate, "9.8,  4.0,  4.0 /s");  // L, M, echo sounder
    EXPECT_EQ(t.rejected, "0,  0,  0");
    EXPECT_EQ(t.pingAge, "0.5,  3.0,  3.0 s");
    EXPECT_EQ(t.rebuilds, "1");

    link.playbackMode = 1;
    EXPECT_FALSE(headBadge(meter, heads, link, kHeadL, start));
    fillLinkHealthTexts(t, link, meter, {}, start);
    EXPECT_EQ(t.pingAge, "n/a");
}

}  // namespace
}  // namespace hx
