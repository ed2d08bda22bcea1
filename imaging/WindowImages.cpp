#include "imaging/WindowImages.h"

#include <algorithm>
#include <cmath>

#include "imaging/ImageGeometry.h"
#include "imaging/Rebuild.h"
#include "imaging/WrapMark.h"

namespace hx {

namespace {

bool sideScanHead(int head) { return head >= 0 && head < kSideScanHeadCount; }

// The window's lines are expanded for its own magnification.
DisplaySettings windowDisplay(const WindowWaterfall& window, const DisplaySettings& display) {
    DisplaySettings d = display;
    d.interpolationFactor = window.store.imageWidth / 2000.0;
    return d;
}

// The rows of the main images: their row counts are taken for this image.
LineCountImage mainRows(const WaterfallStore& main) { return LineCountImage{main.imageWidth, main.imageScale}; }

bool mainHasImages(const WaterfallStore& main) {
    for (int h = 0; h < kSideScanHeadCount; ++h)
        if (HeadImageFor(main, h)) return main.imagesReady != 0;
    return false;
}

std::int32_t frequencyOf(const HeadTable& heads, int head) {
    return heads.headFrequency[static_cast<std::size_t>(head)];
}

void rebuild(WindowWaterfall& window, const WaterfallStore& main, const WindowImageInputs& in) {
    if (!window.open()) return;
    const LineCountImage rows = mainRows(main);
    RebuildFromHistory(window.store, window.work, window.lines, in.history, windowDisplay(window, in.display),
                       in.speed, frequencyOf(in.heads, window.head), LineTarget{window.head, false, true}, &rows);
}

void allocate(WindowWaterfall& window, int head, std::int32_t widthPx, const WaterfallStore& main) {
    const auto k = static_cast<std::size_t>(head);
    const std::int32_t heightPx = std::max(main.imageHeight, 1);
    WaterfallStore& s = window.store;
    s = WaterfallStore{};
    window.lines = LineCountState{};
    window.head = head;
    s.imageWidth = widthPx;
    s.imageHeight = heightPx;
    s.imageScale = main.imageScale;
    s.threeHeadSet = 0;
    s.headImage[k] = WaterfallImage(widthPx, heightPx, 1);
    s.headImageWidth[k] = widthPx;
    s.headImageHeight[k] = heightPx;
    s.headImageScale[k] = main.imageScale;
    s.rowMeta.resize(heightPx);
    s.frozenRowMeta.assign(static_cast<std::size_t>(heightPx), RowMeta{});
    s.imagePaletteHeader = ImageHeader{widthPx, -heightPx, 8};
    s.viewReady = 1;
    s.imagesReady = 1;
    ClearScreen(s, window.lines);
}

}  // namespace

std::int32_t WindowImageWidth(std::int32_t windowClientWidthPx, const WaterfallStore& main) {
    if (windowClientWidthPx <= 0) return 0;
    const double mainClient = main.viewClientWidth > 0 ? main.viewClientWidth : main.imageWidth;
    const double scaled = std::ceil(static_cast<double>(main.imageWidth) * windowClientWidthPx / std::max(mainClient, 1.0));
    const auto width = static_cast<std::int32_t>(std::clamp(scaled, 1.0, double{kMaxImageWidthPx}));
    return std::min(RoundedClientWidth(width), kMaxImageWidthPx);
}

std::int32_t WindowScrollX(const WindowWaterfall& window, const WaterfallStore& main, std::int32_t mainScrollX) {
    if (main.imageWidth <= 0) return 0;
    return static_cast<std::int32_t>(static_cast<double>(mainScrollX) * window.store.imageWidth / main.imageWidth);
}

void FitWindowImage(WindowWaterfall& window, int head, std::int32_t clientWidthPx, const WaterfallStore& main,
                    const WindowImageInputs& in) {
    window.clientWidth = clientWidthPx;
    const std::int32_t width = WindowImageWidth(clientWidthPx, main);
    if (!sideScanHead(head) || width <= 0 || !mainHasImages(main)) {
        CloseWindowImage(window);
        window.clientWidth = clientWidthPx;
        window.head = sideScanHead(head) ? head : -1;  // remembered until the main images exist
        return;
    }
    const WaterfallImage* image = window.image();
    if (image && window.head == head && image->width() == width && image->height() == main.imageHeight &&
        window.store.imageScale == main.imageScale)
        return;
    allocate(window, head, width, main);
    rebuild(window, main, in);
}

void RefitWindowImages(WindowWaterfalls& windows, const WaterfallStore& main, const WindowImageInputs& in) {
    for (WindowWaterfall& window : windows) {
        if (window.head < 0) continue;
        const WaterfallImage* image = window.image();
        const std::int32_t width = WindowImageWidth(window.clientWidth, main);
        if (image && image->width() == width && image->height() == main.imageHeight &&
            window.store.imageScale == main.imageScale) {
            rebuild(window, main, in);
        } else {
            FitWindowImage(window, window.head, window.clientWidth, main, in);
        }
    }
}

void CloseWindowImage(WindowWaterfall& window) {
    window.head = -1;
    window.clientWidth = 0;
    window.store = WaterfallStore{};
    window.lines = LineCountState{};
}

void AppendWindowLines(WindowWaterfalls& windows, const PingHistoryRecord& record, const RowMeta& meta,
                       std::int32_t n, std::int32_t speedLineCount, const WindowImageInputs& in) {
    for (WindowWaterfall& window : windows) {
        if (!window.open()) continue;
        const int h = window.head;
        const auto k = static_cast<std::size_t>(h);
        const LineInput line{record.samples[k], record.rangeM, frequencyOf(in.heads, h), in.heads.headAvailable[k] != 0};
        AppendLine(window.store, window.work, windowDisplay(window, in.display), line, LineTarget{h, false, true}, n,
                   meta, speedLineCount);
    }
}

void ClearWindowImages(WindowWaterfalls& windows) {
    for (WindowWaterfall& window : windows)
        if (window.open()) ClearScreen(window.store, window.lines);
}

void ClearWindowPixels(WindowWaterfalls& windows) {
    for (WindowWaterfall& window : windows)
        if (window.open()) ClearImagePixels(window.store);
}

void InsertWindowWrapRows(WindowWaterfalls& windows) {
    for (WindowWaterfall& window : windows)
        if (window.open()) InsertWrapRow(window.store);
}

}  // namespace hx
