#include "tools/cli/Progress.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace hx::cli {

namespace {

constexpr int kBarWidth = 30;
constexpr auto kRedrawEvery = std::chrono::milliseconds(100);

}  // namespace

Progress::Progress(std::string what, std::uint64_t totalBytes)
    : what_(std::move(what)),
      total_(totalBytes),
      terminal_(isatty(STDERR_FILENO) == 1),
      start_(std::chrono::steady_clock::now()),
      lastDraw_(start_) {}

void Progress::update(std::uint64_t doneBytes, std::uint64_t records) {
    if (total_ == 0) return;
    const auto now = std::chrono::steady_clock::now();
    if (terminal_) {
        if (drawn_ && now - lastDraw_ < kRedrawEvery) return;
    } else {
        const int tenth = static_cast<int>(std::min<std::uint64_t>(doneBytes * 10 / total_, 10));
        if (tenth == lastTenth_) return;
        lastTenth_ = tenth;
    }
    lastDraw_ = now;
    draw(doneBytes, records);
}

void Progress::draw(std::uint64_t doneBytes, std::uint64_t records) {
    const double fraction = std::clamp(static_cast<double>(doneBytes) / static_cast<double>(total_), 0.0, 1.0);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    const double rate = seconds > 0.0 ? static_cast<double>(records) / seconds : 0.0;
    const int percent = static_cast<int>(fraction * 100.0);
    if (terminal_) {
        const int filled = static_cast<int>(fraction * kBarWidth);
        std::fprintf(stderr, "\r%s [%s%s] %3d %%  %.0f records/s ", what_.c_str(), std::string(filled, '#').c_str(),
                     std::string(kBarWidth - filled, '.').c_str(), percent, rate);
    } else {
        std::fprintf(stderr, "%s: %3d %%, %llu records, %.0f records/s\n", what_.c_str(), percent,
                     static_cast<unsigned long long>(records), rate);
    }
    drawn_ = true;
}

void Progress::finish() {
    if (terminal_ && drawn_) std::fputc('\n', stderr);
    drawn_ = false;
}

}  // namespace hx::cli
