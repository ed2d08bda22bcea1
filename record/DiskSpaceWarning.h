// The warning before the disk fills: how much room is left for the recording
// and for how long at the rate it is being written. Amber below 2 GB free,
// red below 200 MB; the recorder itself stops when a record no longer fits.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>

namespace hx {

enum class DiskSpaceLevel { Plenty, Low, Critical };

inline constexpr std::uint64_t kDiskLowBytes = 2'000'000'000ULL;
inline constexpr std::uint64_t kDiskCriticalBytes = 200'000'000ULL;

// The rate a recording grows at, over about the last minute.
class RecordingRate {
public:
    // The recording's total bytes at a tick of the millisecond clock.
    void note(std::uint32_t tickMs, std::uint64_t totalBytes);
    void reset() {
        samples_.clear();
        latest_.reset();
    }
    // Bytes a second; nullopt until a few seconds have been seen.
    std::optional<double> bytesPerSecond() const;

private:
    struct Sample {
        std::uint32_t tickMs;
        std::uint64_t bytes;
    };
    std::deque<Sample> samples_;  // about one a second, over the last minute
    std::optional<Sample> latest_;
};

struct DiskSpaceReport {
    DiskSpaceLevel level = DiskSpaceLevel::Plenty;
    std::optional<std::int64_t> minutesLeft;  // while recording at a known rate
    std::string text;                         // "Disk: 1.8 GB free, 95 min left"
};

DiskSpaceReport diskSpaceReport(std::uint64_t freeBytes, std::optional<double> bytesPerSecond);

}  // namespace hx
