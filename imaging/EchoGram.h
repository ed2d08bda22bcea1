// The echo sounder's echogram: one column per ping at the right edge, older
// columns further left, depth downwards. Held as a ring of columns in
// row-major memory: appending writes one column and moves the ring's start,
// so a ping costs the echogram's height, never its area; a row of the
// picture is then two contiguous spans (oldest part, newest part).
// Changed by ResizeEchoGram (the view's resize), AppendEchoColumn (once per
// ping, live and played, also while on Hold) and FreezeEchoGram (Hold on).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace hx {

// The view's margins around the echogram, pixels.
inline constexpr int kEchoTopMarginPx = 30;
inline constexpr int kEchoBottomMarginPx = 30;
inline constexpr int kEchoRightMarginPx = 30;
inline constexpr std::size_t kEchoSampleCount = 1000;  // echo samples per ping, nearest first

// One echogram picture: rows x columns colour indexes (0..254).
class EchoGramImage {
public:
    int columns() const { return columns_; }
    int rows() const { return rows_; }
    bool empty() const { return pixels_.empty(); }

    // Physical column of the leftmost (oldest) picture column.
    int oldestColumn() const { return oldest_; }
    // Value at picture column c (0 leftmost, columns() - 1 newest), row r.
    std::uint8_t at(int c, int r) const;
    // Physical row r: the picture's row r is physicalRow(r)[oldestColumn()..]
    // followed by physicalRow(r)[0..oldestColumn()).
    std::span<const std::uint8_t> physicalRow(int r) const;
    const std::uint8_t* data() const { return pixels_.data(); }

    void allocate(int columns, int rows);
    // Writes a new newest column (values[0] at row 0); the oldest falls off.
    void pushColumn(std::span<const std::uint8_t> values);

private:
    int columns_ = 0;
    int rows_ = 0;
    int oldest_ = 0;
    std::vector<std::uint8_t> pixels_;
};

// The document's echo sounder state ("esImage", "esHoldImage" and their size).
struct EchoSounderState {
    int imageWidthPx = 0;   // W: client width rounded up to a multiple of 4
    int imageHeightPx = 0;  // H: client height rounded up to a multiple of 4
    double sampleRatio = 0.0;  // ES samples per echogram row, 1000 / (H - 60)
    EchoGramImage live;
    EchoGramImage hold;     // frozen copy shown while the display is on Hold
    bool holdTaken = false;  // hold holds the picture of the latest switch to Hold
    std::vector<std::uint8_t> work;  // the resampled column, reused
};

// Echogram rows n = H - 60 and columns W - 30 for a W x H image (0 when the
// window is too small to hold any).
int EchoRowsFor(int imageHeightPx);
int EchoColumnsFor(int imageWidthPx);

// The view's resize (width x height above 0): W and H rounded up to
// multiples of 4, both pictures re-allocated and cleared. The history is lost.
void ResizeEchoGram(EchoSounderState& echo, int clientWidthPx, int clientHeightPx);

// Bottom detection on one resampled column: the mean of the values above 20
// (integer), then the first value above that mean, at index k of n, gives
// rangeM x k / n metres. nullopt (altitude unchanged) when no value exceeds
// 20 or none exceeds the mean.
std::optional<double> DetectAltitudeM(std::span<const std::uint8_t> column, std::int32_t rangeM);

// One ping: the 1000 echo samples resampled to the echogram's n rows (the
// stretching resampler with its interpolation when n > 1000, else the
// window maximum; 255 becomes 254) and pushed as the newest column. Returns
// the new altitude, or nullopt when it stays as it was (no echogram yet, or
// no bottom found).
std::optional<double> AppendEchoColumn(EchoSounderState& echo, std::span<const std::uint8_t, kEchoSampleCount> samples,
                                       double interpolationFactor, std::int32_t rangeM);

// Hold on: the live picture is copied into the frozen one.
void FreezeEchoGram(EchoSounderState& echo);

// Hold as the echogram follows it, whoever switched it (the Hold command,
// the H key of a window, playback, the event dialog): the first look after
// Hold went on takes the frozen copy, a look with Hold off lets the next
// Hold take a new one. Called before each column is appended and before each
// paint, so the frozen picture is the live one at the moment Hold went on.
void FollowEchoGramHold(EchoSounderState& echo, bool hold);

}  // namespace hx
