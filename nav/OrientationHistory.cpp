#include "nav/OrientationHistory.h"

#include <algorithm>
#include <cmath>

namespace hx {

namespace {

// Keeps a far-out value representable: rows this far away are off the
// picture anyway.
int truncatedRow(double row) { return static_cast<int>(std::trunc(std::clamp(row, -1.0e6, 1.0e6))); }

}  // namespace

bool historyRowFor(HistLane lane, double value, int laneHeightPx, int& row) {
    if (!std::isfinite(value)) return false;
    const int c = laneHeightPx;
    const double top = kHistTopMarginPx;
    double r = 0.0;
    switch (lane) {
        case HistLane::Depth: r = top + value / 100.0 * c; break;
        case HistLane::Temperature: r = top + 2.0 * c - c * (value + 5.0) / 40.0; break;
        case HistLane::Pitch: r = top + 2.0 * c + c / 2 - c * (value / 5.0) * 0.5; break;
        case HistLane::Roll: r = top + 3.0 * c + c / 2 - c * (value / 5.0) * 0.5; break;
        case HistLane::Heading: r = top + 4.0 * c + c * value / 360.0; break;
    }
    row = truncatedRow(r);
    return true;
}

void OrientationHistory::resize(int clientWidthPx, int clientHeightPx) {
    if (clientWidthPx < 1 || clientHeightPx < 1) return;
    width_ = (clientWidthPx + 3) / 4 * 4;
    height_ = clientHeightPx;
    lane_ = (height_ - 2 * kHistTopMarginPx) / kHistLaneCount;
    columns_ = std::max(width_ - kHistRightMarginPx + 1, 0);
    oldest_ = 0;
    pixels_.assign(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(height_), 0);
    const int L = lane_;
    previous_ = {kHistTopMarginPx,
                 kHistTopMarginPx + (height_ - 20) / 10 + L,
                 kHistTopMarginPx + static_cast<int>(2.5 * L),
                 kHistTopMarginPx + static_cast<int>(3.5 * L),
                 kHistTopMarginPx + static_cast<int>(4.5 * L)};
}

std::uint8_t OrientationHistory::at(int x, int y) const {
    if (x < 0 || x >= columns_ || y < 0 || y >= height_) return 0;
    int p = oldest_ + x;
    if (p >= columns_) p -= columns_;
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(columns_) + static_cast<std::size_t>(p)];
}

std::span<const std::uint8_t> OrientationHistory::physicalRow(int y) const {
    if (y < 0 || y >= height_ || columns_ == 0) return {};
    return {pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(columns_),
            static_cast<std::size_t>(columns_)};
}

void OrientationHistory::AppendHistoryColumn(const OrientationValues& v) {
    if (columns_ == 0 || height_ == 0) return;
    // The oldest column's memory becomes the new, cleared, newest column.
    const int x = oldest_;
    oldest_ = oldest_ + 1 == columns_ ? 0 : oldest_ + 1;
    const auto stride = static_cast<std::size_t>(columns_);
    std::uint8_t* column = pixels_.data() + x;
    for (int y = 0; y < height_; ++y) column[static_cast<std::size_t>(y) * stride] = 0;
    if (lane_ < 1) return;

    auto put = [&](int y, std::uint8_t index) {
        if (y >= 0 && y < height_) column[static_cast<std::size_t>(y) * stride] = index;
    };
    const int c = lane_;
    put(kHistTopMarginPx + 2 * c + c / 2, kHistCentreDotIndex);
    put(kHistTopMarginPx + 3 * c + c / 2, kHistCentreDotIndex);

    const std::array<double, kHistLaneCount> values = {v.depthM, v.temperatureC, v.pitchDeg, v.rollDeg, v.headingDeg};
    const std::array<std::uint8_t, kHistLaneCount> colours = {kHistDepthIndex, kHistTemperatureIndex, kHistPitchIndex,
                                                              kHistRollIndex, kHistHeadingIndex};
    for (int lane = 0; lane < kHistLaneCount; ++lane) {
        int row = 0;
        if (!historyRowFor(static_cast<HistLane>(lane), values[static_cast<std::size_t>(lane)], c, row)) continue;
        if (row < kHistTopMarginPx || row >= height_ - 1) continue;
        int& prev = previous_[static_cast<std::size_t>(lane)];
        const int from = std::max(std::min(prev, row), 0);
        const int to = std::min(std::max(prev, row), height_ - 1);
        for (int y = from; y <= to; ++y) put(y, colours[static_cast<std::size_t>(lane)]);
        prev = row;
    }
}

}  // namespace hx
