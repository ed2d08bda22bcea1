#include "imaging/EchoGram.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "imaging/DisplaySettings.h"
#include "imaging/ResampleLine.h"

namespace hx {

std::uint8_t EchoGramImage::at(int c, int r) const {
    if (c < 0 || c >= columns_ || r < 0 || r >= rows_) return 0;
    int p = oldest_ + c;
    if (p >= columns_) p -= columns_;
    return pixels_[static_cast<std::size_t>(r) * static_cast<std::size_t>(columns_) + static_cast<std::size_t>(p)];
}

std::span<const std::uint8_t> EchoGramImage::physicalRow(int r) const {
    if (r < 0 || r >= rows_) return {};
    return {pixels_.data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(columns_),
            static_cast<std::size_t>(columns_)};
}

void EchoGramImage::allocate(int columns, int rows) {
    columns_ = std::max(columns, 0);
    rows_ = std::max(rows, 0);
    if (columns_ == 0 || rows_ == 0) columns_ = rows_ = 0;
    oldest_ = 0;
    pixels_.assign(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_), 0);
}

void EchoGramImage::pushColumn(std::span<const std::uint8_t> values) {
    if (empty()) return;
    // The oldest column's memory takes the new values and becomes the newest.
    const auto stride = static_cast<std::size_t>(columns_);
    std::uint8_t* p = pixels_.data() + oldest_;
    const std::size_t n = std::min(values.size(), static_cast<std::size_t>(rows_));
    for (std::size_t r = 0; r < n; ++r, p += stride) *p = values[r];
    for (std::size_t r = n; r < static_cast<std::size_t>(rows_); ++r, p += stride) *p = 0;
    oldest_ = oldest_ + 1 == columns_ ? 0 : oldest_ + 1;
}

int EchoRowsFor(int imageHeightPx) { return std::max(imageHeightPx - kEchoTopMarginPx - kEchoBottomMarginPx, 0); }

int EchoColumnsFor(int imageWidthPx) { return std::max(imageWidthPx - kEchoRightMarginPx, 0); }

void ResizeEchoGram(EchoSounderState& echo, int clientWidthPx, int clientHeightPx) {
    if (clientWidthPx <= 0 || clientHeightPx <= 0) return;
    echo.imageWidthPx = (clientWidthPx + 3) / 4 * 4;
    echo.imageHeightPx = (clientHeightPx + 3) / 4 * 4;
    const int columns = EchoColumnsFor(echo.imageWidthPx);
    const int rows = EchoRowsFor(echo.imageHeightPx);
    echo.live.allocate(columns, rows);
    echo.hold.allocate(columns, rows);
    echo.work.assign(static_cast<std::size_t>(echo.live.rows()), 0);
    echo.sampleRatio = rows > 0 ? static_cast<double>(kEchoSampleCount) / rows : 0.0;
}

std::optional<double> DetectAltitudeM(std::span<const std::uint8_t> column, std::int32_t rangeM) {
    constexpr int kStrongEcho = 20;
    long long sum = 0;
    long long count = 0;
    for (const std::uint8_t v : column) {
        if (v > kStrongEcho) {
            sum += v;
            ++count;
        }
    }
    if (count == 0) return std::nullopt;
    const long long mean = sum / count;
    const auto first = std::find_if(column.begin(), column.end(), [mean](std::uint8_t v) { return v > mean; });
    if (first == column.end()) return std::nullopt;
    const auto k = static_cast<double>(first - column.begin());
    return static_cast<double>(rangeM) * k / static_cast<double>(column.size());
}

std::optional<double> AppendEchoColumn(EchoSounderState& echo, std::span<const std::uint8_t, kEchoSampleCount> samples,
                                       double interpolationFactor, std::int32_t rangeM) {
    const int n = echo.live.rows();
    if (n <= 0 || echo.live.columns() <= 0) return std::nullopt;
    echo.sampleRatio = static_cast<double>(kEchoSampleCount) / n;
    // The echo samples stand where the resampler finds one side's samples.
    std::array<std::uint8_t, 2000> line{};
    std::memcpy(line.data(), samples.data(), kEchoSampleCount);
    echo.work.resize(static_cast<std::size_t>(n));
    ResampleLine(line, n, kPortOnly, interpolationFactor, echo.work);
    echo.live.pushColumn(echo.work);
    return DetectAltitudeM(echo.work, rangeM);
}

void FreezeEchoGram(EchoSounderState& echo) {
    echo.hold = echo.live;
    echo.holdTaken = true;
}

void FollowEchoGramHold(EchoSounderState& echo, bool hold) {
    if (!hold) {
        echo.holdTaken = false;
    } else if (!echo.holdTaken) {
        FreezeEchoGram(echo);
    }
}

}  // namespace hx
