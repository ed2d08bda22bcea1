// The waterfall images of the current image set and what goes with their
// rows: in two-head operation one 8-bit image per displayed head, in
// three-head operation one per sidescan head plus the 24-bit composite.
// Row metadata follows the primary head's rows, with a frozen copy for Hold.
// Written by the line processing, the rebuild, the resize and the clears.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "core/Heads.h"
#include "imaging/RowMeta.h"
#include "imaging/WaterfallImage.h"

namespace hx {

struct LineCountState;
struct PaletteState;

inline constexpr int kCompositeBytesPerPixel = 3;  // blue, green, red
inline constexpr int kDefaultImageWidth = 2000;

// Row metadata as a ring with the same newest-row index as the primary image.
struct RowMetaRing {
    RingIndex ring;
    std::vector<RowMeta> rows;

    int size() const { return ring.rows; }
    RowMeta& at(int r) { return rows[static_cast<std::size_t>(ring.physical(r))]; }
    const RowMeta& at(int r) const { return rows[static_cast<std::size_t>(ring.physical(r))]; }
    void resize(int count);
    // Every row cleared (no stamp, texts or ping, line count 1) and the ring restarted.
    void clear();
};

// The drawing description handed to the views with each paint.
struct ImageHeader {
    std::int32_t width = kDefaultImageWidth;
    std::int32_t height = -kDefaultImageWidth;  // negative: row 0 at the top
    std::int32_t bitCount = 8;                  // 24 while painting the composite
};

struct WaterfallStore {
    std::int32_t imageWidth = kDefaultImageWidth;
    std::int32_t imageHeight = kDefaultImageWidth;
    double imageScale = 1.0;  // image pixels per input sample
    std::int32_t viewClientWidth = 0;  // the main view's width the images were sized for

    std::array<std::int32_t, kSideScanHeadCount> headImageWidth{2000, 2000, 2000};
    std::array<std::int32_t, kSideScanHeadCount> headImageHeight{2000, 2000, 2000};
    std::array<double, kSideScanHeadCount> headImageScale{1.0, 1.0, 1.0};

    std::array<WaterfallImage, kSideScanHeadCount> headImage;       // two-head set
    std::array<WaterfallImage, kSideScanHeadCount> threeHeadImage;  // three-head set
    WaterfallImage compositeImage;                                  // three-head set, B, G, R
    std::int32_t threeHeadSet = 0;                                  // which set is allocated

    RowMetaRing rowMeta;                 // live, moves with the primary head's rows
    std::vector<RowMeta> frozenRowMeta;  // taken when Hold starts; row 0 first
    std::int64_t frozenTotalRows = 0;

    std::int64_t validRows = 0;  // rows that hold data, at most the image height
    std::int64_t totalRows = 0;  // rows appended since the last clear
    // Per head: the newest row is playback's wrap mark, which the next line
    // neither merges into nor blends toward.
    std::array<std::uint8_t, kSideScanHeadCount> wrapMarkOnTop{};
    std::int32_t imagesReady = 0;
    std::int32_t waterfallEnabled = 1;  // 0 in the playback "Bitmap View" mode
    std::int32_t viewReady = 0;         // image allocation waits for it

    ImageHeader imagePaletteHeader;
};

// The image a head's lines go to in the allocated set, or null when that head
// has none.
WaterfallImage* HeadImageFor(WaterfallStore& store, int head);
const WaterfallImage* HeadImageFor(const WaterfallStore& store, int head);

// Row r of head h's image (8-bit pixels), empty when there is no such row.
std::span<const std::uint8_t> HeadImageRow(const WaterfallStore& store, int head, int row);
// Row r of the composite (3 bytes per pixel: blue, green, red), or empty.
std::span<const std::uint8_t> CompositeRow(const WaterfallStore& store, int row);

// Frees the old set and allocates the new one, zero-filled: for displayHeadA
// and displayHeadB in two-head operation, for the three heads and the
// composite in three-head operation. Records each head's geometry, fills the
// image header and replaces the custom palette by the selected table.
void AllocateImages(WaterfallStore& store, PaletteState& palette, bool threeHeads, int displayHeadA, int displayHeadB,
                    std::int32_t widthPx, std::int32_t heightPx);

// After every re-allocation and when "Bitmap View" sets up a page: every
// image black, carries zeroed, both row metadata sets cleared with line count
// 1, and the row counters at 0.
void ClearScreen(WaterfallStore& store, LineCountState& lines);

// "&Clear Screen": every image black; row metadata, counters and the history
// stay, so the next rebuild brings the picture back.
void ClearImagePixels(WaterfallStore& store);

// Takes the frozen copy of the row metadata and the row count as Hold starts.
void FreezeRowMeta(WaterfallStore& store);

// The metadata of row r as the views and measurements see it: the frozen copy
// while on Hold, else the live rows. Null outside the image.
const RowMeta* DisplayedRowMeta(const WaterfallStore& store, int row, bool hold);

}  // namespace hx
