#include "record/DiskSpaceWarning.h"

#include <cmath>
#include <cstdio>

namespace hx {

namespace {
constexpr std::uint32_t kWindowMs = 60000;
constexpr std::uint32_t kMinimumSpanMs = 3000;
constexpr std::uint32_t kSampleEveryMs = 1000;
}  // namespace

void RecordingRate::note(std::uint32_t tickMs, std::uint64_t totalBytes) {
    // A smaller total is a new file or a new recording: start again.
    if (latest_ && totalBytes < latest_->bytes) reset();
    latest_ = Sample{tickMs, totalBytes};
    // One kept sample a second is enough for a minute's window. The tick
    // counter wraps: spans are unsigned differences.
    if (samples_.empty() || static_cast<std::uint32_t>(tickMs - samples_.back().tickMs) >= kSampleEveryMs)
        samples_.push_back(*latest_);
    while (samples_.size() > 1 && static_cast<std::uint32_t>(tickMs - samples_.front().tickMs) > kWindowMs)
        samples_.pop_front();
}

std::optional<double> RecordingRate::bytesPerSecond() const {
    if (samples_.empty() || !latest_) return std::nullopt;
    const std::uint32_t spanMs = latest_->tickMs - samples_.front().tickMs;
    if (spanMs < kMinimumSpanMs) return std::nullopt;
    return static_cast<double>(latest_->bytes - samples_.front().bytes) * 1000.0 / spanMs;
}

DiskSpaceReport diskSpaceReport(std::uint64_t freeBytes, std::optional<double> bytesPerSecond) {
    DiskSpaceReport r;
    r.level = freeBytes < kDiskCriticalBytes ? DiskSpaceLevel::Critical
              : freeBytes < kDiskLowBytes    ? DiskSpaceLevel::Low
                                             : DiskSpaceLevel::Plenty;
    char amount[32];
    if (freeBytes >= 1'000'000'000ULL)
        std::snprintf(amount, sizeof amount, "%.1f GB", std::floor(static_cast<double>(freeBytes) / 1e8) / 10.0);
    else
        std::snprintf(amount, sizeof amount, "%.0f MB", std::floor(static_cast<double>(freeBytes) / 1e6));
    r.text = std::string("Disk: ") + amount + " free";
    if (bytesPerSecond && *bytesPerSecond > 0.0) {
        r.minutesLeft = static_cast<std::int64_t>(static_cast<double>(freeBytes) / *bytesPerSecond / 60.0);
        r.text += ", " + std::to_string(*r.minutesLeft) + " min left";
    }
    return r;
}

}  // namespace hx
