// One waterfall image held as a ring of rows. Adding rows moves the index of
// the newest row instead of the pixels, so a ping costs only the rows it
// writes. Row 0 is the newest (drawn at the top). Written by the line
// processing, the rebuild and the clear commands; read by the views.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace hx {

// Which physical row holds logical row r, for a ring of `rows` rows whose
// newest row is at `top`.
struct RingIndex {
    int rows = 0;
    int top = 0;

    int physical(int r) const {
        const int p = top + r;
        return p >= rows ? p - rows : p;
    }
    // Makes logical rows 0..n-1 new; the old row r becomes row r + n.
    void scroll(int n) { top = rows > 0 ? ((top - n) % rows + rows) % rows : 0; }
};

// The image's rows from the top down as at most two contiguous blocks of
// memory, so painting draws two spans instead of one per row.
struct RowBlock {
    const std::uint8_t* data = nullptr;  // first byte of the block's first row
    int firstRow = 0;                    // logical row of that first row
    int rows = 0;
};
struct RowBlocks {
    RowBlock upper;  // logical rows 0..
    RowBlock lower;  // the rest, possibly empty
    std::size_t rowBytes = 0;
};

class WaterfallImage {
public:
    WaterfallImage() = default;
    WaterfallImage(int widthPx, int heightPx, int bytesPerPixel);

    bool empty() const { return pixels_.empty(); }
    int width() const { return width_; }
    int height() const { return ring_.rows; }
    int bytesPerPixel() const { return bytesPerPixel_; }
    std::size_t rowBytes() const { return static_cast<std::size_t>(width_) * static_cast<std::size_t>(bytesPerPixel_); }

    std::span<std::uint8_t> row(int r);
    std::span<const std::uint8_t> row(int r) const;

    // Makes room for n new rows at the top (0 < n < height()): the rows move
    // down by n and the n oldest fall off. The new rows hold stale pixels
    // until written.
    void scroll(int n) { ring_.scroll(n); }

    // All pixels 0 and the newest row back at the start of the buffer.
    void clear();

    RowBlocks blocks() const;

private:
    int width_ = 0;
    int bytesPerPixel_ = 1;
    RingIndex ring_;
    std::vector<std::uint8_t> pixels_;
};

}  // namespace hx
