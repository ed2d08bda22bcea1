#include "imaging/Rebuild.h"

#include <algorithm>
#include <cmath>

namespace hx {

namespace {

void gainRow(std::span<std::uint8_t> row, std::span<const std::uint8_t> line, const PixelTable& gain) {
    for (std::size_t x = 0; x < row.size(); ++x) row[x] = gain[line[x]];
}

void maxInto(std::vector<std::uint8_t>& into, std::span<const std::uint8_t> line) {
    for (std::size_t x = 0; x < into.size(); ++x) into[x] = std::max(into[x], line[x]);
}

RowMeta metaOf(const PingHistoryRecord& record, int n) {
    RowMeta m;
    m.stamp = record.stamp;
    m.gps.text = record.gpsText;
    m.gps.altitudeM = record.altitudeM;
    m.gps.headingDeg = record.headingDeg;
    m.pingNumber = record.pingNumber;
    m.lineCount = static_cast<std::uint8_t>(n & 0xFF);
    return m;
}

}  // namespace

void RebuildFromHistory(WaterfallStore& store, LineWork& work, LineCountState& lines, const PingHistory& history,
                        const DisplaySettings& display, const SpeedSource& speed, std::int32_t frequencyHz,
                        const LineTarget& target, const LineCountImage* countImage) {
    WaterfallImage* image = HeadImageFor(store, target.head);
    if (!image) return;
    const int h = target.head;
    const auto hk = static_cast<std::size_t>(h);
    const int width = image->width();
    const int height = image->height();
    const bool primary = target.primary;

    lines.speedCarry[hk] = 0.0;
    lines.fixedCarry[hk] = 0.0;
    image->clear();
    if (primary) store.rowMeta.clear();
    work.previousLine.assign(static_cast<std::size_t>(width), 0);
    work.pendingLine.assign(static_cast<std::size_t>(width), 0);
    bool pending = false;
    int pendingRecord = -1;

    const double g = display.displayGain[hk];
    const PixelTable& gainTable = work.gainTable[hk].forGain(g);
    const LineCountImage geometry = countImage         ? *countImage
                                    : target.threeHeads ? LineCountImage{store.imageWidth, store.imageScale}
                                                        : LineCountImage{store.headImageWidth[hk], store.headImageScale[hk]};
    const std::span<std::uint8_t> lineBuffer = work.lineFor(width);
    const auto line = lineBuffer.first(static_cast<std::size_t>(width));

    auto writeMeta = [&](int row, const RowMeta& m) {
        if (primary && row < store.rowMeta.size()) store.rowMeta.at(row) = m;
    };

    int r = 0;
    for (int k = 1; k < kHistoryRecords && r < height; ++k) {
        const auto index = HistoryIndexBack(history, k);
        if (!index) break;
        const PingHistoryRecord& record = history.records[static_cast<std::size_t>(*index)];
        ComputeLineCount(lines, {record.rangeM, record.pingIntervalMs, record.shipSpeedKn}, h, display.sideDisplayMode,
                         geometry, speed);
        const int n = ChosenLineCount(lines, speed);
        work.samplesPerPixel = ResampleLine(record.samples[hk], width, display.sideDisplayMode,
                                            display.interpolationFactor, lineBuffer);
        ApplyHighFrequencyLimit(line, frequencyHz, record.rangeM, display.sideDisplayMode);

        if (n == 0) {
            // Drawn with the next older ping that adds a row, as the live
            // display merged it into that ping's row.
            maxInto(work.pendingLine, line);
            pending = true;
            if (pendingRecord < 0) pendingRecord = *index;
            continue;
        }
        if (pending) {
            for (std::size_t x = 0; x < line.size(); ++x) line[x] = std::max(line[x], work.pendingLine[x]);
            std::ranges::fill(work.pendingLine, std::uint8_t{0});
            pending = false;
            pendingRecord = -1;
        }

        // The last ping's rows are cut at the image's bottom edge.
        const int rows = std::min(n, height - r);
        const RowMeta meta = metaOf(record, n);
        if (r == 0) {
            for (int j = 0; j < rows; ++j) gainRow(image->row(j), line, gainTable);
        } else {
            // A straight run from the newer line above down to this ping's line.
            for (int j = 1; j <= rows; ++j) BlendFillRow(image->row(r + j - 1), work.previousLine, line, n, j, g);
        }
        for (int j = 0; j < rows; ++j) writeMeta(r + j, meta);
        std::ranges::copy(line, work.previousLine.begin());
        r += n;
    }
    r = std::min(r, height);
    if (pending && r < height) {
        // The oldest pings held added no row: they show in the next row, uncounted.
        gainRow(image->row(r), work.pendingLine, gainTable);
        writeMeta(r, metaOf(history.records[static_cast<std::size_t>(pendingRecord)], 0));
    }

    if (primary) {
        store.validRows = r;
        const int count = std::min<int>(store.rowMeta.size(), static_cast<int>(store.frozenRowMeta.size()));
        for (int row = 0; row < count; ++row)
            store.frozenRowMeta[static_cast<std::size_t>(row)].lineCount = store.rowMeta.at(row).lineCount;
    }
}

void RebuildComposite(WaterfallStore& store, LineWork& work, LineCountState& lines, const PingHistory& history,
                      const DisplaySettings& display, const SpeedSource& speed, const HeadTable& heads) {
    for (int h = 0; h < kSideScanHeadCount; ++h)
        RebuildFromHistory(store, work, lines, history, display, speed,
                           heads.headFrequency[static_cast<std::size_t>(h)], LineTarget{h, true, h == kHeadL});

    WaterfallImage& composite = store.compositeImage;
    if (composite.empty()) return;
    composite.clear();
    const PixelTable& sine = CompositeSineTable();
    for (int h = 0; h < kSideScanHeadCount; ++h) {
        const WaterfallImage* image = HeadImageFor(store, h);
        if (!image || image->width() != composite.width() || image->height() != composite.height()) continue;
        const std::size_t channel = static_cast<std::size_t>(2 - h);
        for (int r = 0; r < composite.height(); ++r) {
            const auto src = image->row(r);
            auto dst = composite.row(r);
            for (std::size_t x = 0; x < src.size(); ++x) dst[x * kCompositeBytesPerPixel + channel] = sine[src[x]];
        }
    }
}

void RebuildImages(WaterfallStore& store, LineWork& work, LineCountState& lines, const PingHistory& history,
                   const DisplaySettings& display, const SpeedSource& speed, const HeadTable& heads,
                   const LinkFields& link) {
    if (store.threeHeadSet) {
        RebuildComposite(store, work, lines, history, display, speed, heads);
        return;
    }
    const int a = link.displayHeadA;
    const int b = link.displayHeadB;
    auto frequency = [&](int head) {
        return head >= 0 && head < kSideScanHeadCount ? heads.headFrequency[static_cast<std::size_t>(head)] : 0;
    };
    RebuildFromHistory(store, work, lines, history, display, speed, frequency(a), LineTarget{a, false, true});
    if (b != a)
        RebuildFromHistory(store, work, lines, history, display, speed, frequency(b), LineTarget{b, false, false});
}

}  // namespace hx
