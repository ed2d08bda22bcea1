#include "imaging/StorePing.h"

#include <algorithm>
#include <limits>

#include "imaging/Rebuild.h"

namespace hx {

namespace {

std::span<const std::uint8_t, 2000> echoLine(const HeadTable& heads, int head) {
    const DisplayLine& line = heads.headDisplayLine[static_cast<std::size_t>(head)];
    return std::span<const std::uint8_t, 2000>(line.data() + kEchoLineOffset, kEchoLineBytes);
}

bool sideScanHead(int head) {
    return head >= 0 && head < kSideScanHeadCount;
}

PingHistoryRecord& fillRecord(ImagingState& imaging, const CycleValues& cycle, const HeadTable& heads,
                              const PingExtras& extras) {
    PingHistory& history = imaging.history;
    if (history.historyWriteIndex < 0 || history.historyWriteIndex >= kHistoryRecords) history.historyWriteIndex = 0;
    PingHistoryRecord& record = history.records[static_cast<std::size_t>(history.historyWriteIndex)];
    for (int h = 0; h < kSideScanHeadCount; ++h) {
        const auto src = echoLine(heads, h);
        std::ranges::copy(src, record.samples[static_cast<std::size_t>(h)].begin());
    }
    record.stamp = MakeRowStamp(cycle.pingTimeText, cycle.pingMillisecondsText);
    if (!extras.reversePlayback) {
        record.gpsText = extras.gpsText;
        record.altitudeM = extras.altitudeM;
        record.headingDeg = extras.headingDeg;
    } else {
        // Playing backwards the fix is not taken; the ping keeps the GPS data
        // of the ping before it rather than whatever its slot last held.
        const auto previous = HistoryIndexBack(history, 1);
        const PingHistoryRecord empty{};
        const PingHistoryRecord& from = previous ? history.records[static_cast<std::size_t>(*previous)] : empty;
        if (&from != &record) {
            record.gpsText = from.gpsText;
            record.altitudeM = from.altitudeM;
            record.headingDeg = from.headingDeg;
        }
    }
    record.pingNumber = extras.pingNumber;
    record.pingIntervalMs = cycle.pingInterval;
    record.rangeM = heads.sideScanRange;
    record.shipSpeedKn = extras.gpsSpeedKn;
    record.spare = 0;
    return record;
}

// The row metadata the new rows take: this ping's stamp and number, and
// (unless playing backwards) the GPS data; playing backwards, the rows keep
// the GPS data of the newest row.
RowMeta pingMeta(const ImagingState& imaging, const PingHistoryRecord& record, bool reverse) {
    RowMeta m;
    m.stamp = record.stamp;
    m.pingNumber = record.pingNumber;
    if (!reverse) {
        m.gps.text = record.gpsText;
        m.gps.altitudeM = record.altitudeM;
        m.gps.headingDeg = record.headingDeg;
    } else if (imaging.store.rowMeta.size() > 0) {
        m.gps = imaging.store.rowMeta.at(0).gps;
    }
    return m;
}

LineInput lineInput(const HeadTable& heads, const PingHistoryRecord& record, int head) {
    const auto k = static_cast<std::size_t>(head);
    return LineInput{record.samples[k], record.rangeM, heads.headFrequency[k], heads.headAvailable[k] != 0};
}

}  // namespace

void MeasurePingInterval(CycleValues& cycle, std::uint32_t tickMs, bool playback, bool firstPing) {
    if (firstPing) {
        cycle.pingIntervalLastTick = tickMs;
        cycle.pingIntervalSum = 0;
        cycle.pingIntervalCount = 0;
        // Live, nothing measured before counts (a played file's steps neither).
        if (!playback) cycle.pingIntervalAverage = 0;
        return;
    }
    // Unsigned difference: the 32-bit tick counter may wrap between pings.
    const std::uint32_t elapsed = tickMs - cycle.pingIntervalLastTick;
    const std::int64_t sum = std::int64_t{cycle.pingIntervalSum} + elapsed;
    cycle.pingIntervalSum =
        static_cast<std::int32_t>(std::min<std::int64_t>(sum, std::numeric_limits<std::int32_t>::max()));
    cycle.pingIntervalLastTick = tickMs;
    if (++cycle.pingIntervalCount >= 10) {
        cycle.pingIntervalAverage = cycle.pingIntervalSum / 10;
        cycle.pingIntervalSum = 0;
        cycle.pingIntervalCount = 0;
    }
    if (!playback) cycle.pingInterval = cycle.pingIntervalAverage;
}

StoredPing StorePing(ImagingState& imaging, CycleValues& cycle, const HeadTable& heads, const LinkFields& link,
                     const SpeedSource& speed, const PingExtras& extras, IPingHooks* hooks) {
    // The first ping held (after start-up, a file opened, the return to real
    // time) starts the interval measurement afresh.
    const bool firstPing = HistoryCount(imaging.history) == 0;
    const PingHistoryRecord& record = fillRecord(imaging, cycle, heads, extras);
    if (hooks) hooks->writeToDataFile(record);

    StoredPing result;
    MeasurePingInterval(cycle, extras.tickMs, link.playbackMode != 0, firstPing);
    if (!imaging.display.holdDisplay) {
        if (hooks) hooks->refreshLayoutIfChanged();
        WaterfallStore& store = imaging.store;
        if (store.waterfallEnabled && store.imagesReady) {
            const bool three = link.allSideScansAvailable != 0;
            const int primary = three ? kHeadL : link.displayHeadA;
            const int secondary = link.displayHeadB;
            if (sideScanHead(primary)) {
                const auto pk = static_cast<std::size_t>(primary);
                const LineCountImage geometry =
                    three ? LineCountImage{store.imageWidth, store.imageScale}
                          : LineCountImage{store.headImageWidth[pk], store.headImageScale[pk]};
                ComputeLineCount(imaging.lines, {record.rangeM, record.pingIntervalMs, record.shipSpeedKn}, primary,
                                 imaging.display.sideDisplayMode, geometry, speed);
                const std::int32_t n = ChosenLineCount(imaging.lines, speed);
                const RowMeta meta = pingMeta(imaging, record, extras.reversePlayback);
                auto append = [&](int head, bool isPrimary) {
                    AppendLine(store, imaging.work, imaging.display, lineInput(heads, record, head),
                               LineTarget{head, three, isPrimary}, n, meta, imaging.lines.speedLineCount);
                };
                if (three) {
                    for (int h = 0; h < kSideScanHeadCount; ++h) append(h, h == kHeadL);
                } else {
                    append(primary, true);
                    if (sideScanHead(secondary) && secondary != primary) append(secondary, false);
                }
                // The sonar windows' images take the same rows.
                AppendWindowLines(imaging.windows, record, meta, n, imaging.lines.speedLineCount,
                                  WindowImageInputs{imaging.history, imaging.display, speed, heads});
                result.drawn = true;
                result.rowsAdded = n;
            }
        }
    }
    AdvanceHistory(imaging.history);
    return result;
}

void SetHold(ImagingState& imaging, bool on, const HeadTable& heads, const LinkFields& link, const SpeedSource& speed) {
    const bool wasOn = imaging.display.holdDisplay != 0;
    imaging.display.holdDisplay = on ? 1 : 0;
    if (on && !wasOn) {
        FreezeRowMeta(imaging.store);
    } else if (!on && wasOn && !link.playbackMode && imaging.store.imagesReady) {
        RebuildImages(imaging.store, imaging.work, imaging.lines, imaging.history, imaging.display, speed, heads, link);
        RefitWindowImages(imaging.windows, imaging.store,
                          WindowImageInputs{imaging.history, imaging.display, speed, heads});
    }
}

}  // namespace hx
