// The disk-space warning: its levels, its text, and the recording rate it
// counts the minutes left from.
#include <gtest/gtest.h>

#include "record/DiskSpaceWarning.h"

namespace hx {
namespace {

TEST(DiskSpaceWarning, LevelsAndTextAtTheEdges) {
    const struct {
        std::uint64_t freeBytes;
        std::optional<double> rate;
        DiskSpaceLevel level;
        const char* text;
    } cases[] = {
        {50'000'000'000ULL, std::nullopt, DiskSpaceLevel::Plenty, "Disk: 50.0 GB free"},
        {2'000'000'000ULL, 11072.0 * 10, DiskSpaceLevel::Plenty, "Disk: 2.0 GB free, 301 min left"},
        {1'999'999'999ULL, std::nullopt, DiskSpaceLevel::Low, "Disk: 1.9 GB free"},  // never shown as 2.0
        {200'000'000ULL, 1e6, DiskSpaceLevel::Low, "Disk: 200 MB free, 3 min left"},
        {199'999'999ULL, 0.0, DiskSpaceLevel::Critical, "Disk: 199 MB free"},  // not recording: no time
        {0, 1e6, DiskSpaceLevel::Critical, "Disk: 0 MB free, 0 min left"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const DiskSpaceReport r = diskSpaceReport(c.freeBytes, c.rate);
        EXPECT_EQ(r.level, c.level);
        EXPECT_EQ(r.text, c.text);
    }
}

TEST(DiskSpaceWarning, RateOverTheLastMinuteAcrossATickWrap) {
    RecordingRate rate;
    std::uint32_t tick = 4294900000u;
    std::uint64_t bytes = 0;
    for (int i = 0; i < 40; ++i, tick += 100, bytes += 1000) rate.note(tick, bytes);  // 4 s at 10 kB/s
    ASSERT_TRUE(rate.bytesPerSecond());
    EXPECT_NEAR(*rate.bytesPerSecond(), 10000.0, 500.0);
    for (int i = 0; i < 1200; ++i, tick += 100, bytes += 2000) rate.note(tick, bytes);  // then two minutes at 20 kB/s
    EXPECT_NEAR(*rate.bytesPerSecond(), 20000.0, 500.0) << "only the last minute counts";
    rate.note(tick, 0);  // a new recording
    EXPECT_FALSE(rate.bytesPerSecond());
}

}  // namespace
}  // namespace hx
