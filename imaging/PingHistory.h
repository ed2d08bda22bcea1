// The ring of the last 4000 pings: the only source from which the waterfall
// images are rebuilt after a resize, a zoom change or the end of Hold.
// StorePing writes one record per ping; ClearHistory empties it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/Heads.h"
#include "imaging/RowMeta.h"

namespace hx {

inline constexpr int kHistoryRecords = 4000;
inline constexpr std::size_t kLineSamples = kEchoLineBytes;  // 2000: port far..near, starboard near..far

using LineSamples = std::array<std::uint8_t, kLineSamples>;

struct PingHistoryRecord {
    std::array<LineSamples, kSideScanHeadCount> samples{};  // heads L, M, H
    std::int32_t rangeM = 0;                                // sidescan range, shared by the three heads
    std::int32_t pingIntervalMs = 0;                        // averaged ping interval
    std::int32_t pingNumber = 0;
    double shipSpeedKn = 0.0;  // GPS speed over ground as recorded
    RowStamp stamp{};
    std::int32_t spare = 0;
    GpsTexts gpsText{};
    double altitudeM = 0.0;
    double headingDeg = 0.0;
};

struct PingHistory {
    std::vector<PingHistoryRecord> records = std::vector<PingHistoryRecord>(kHistoryRecords);
    std::int32_t historyWriteIndex = 0;  // record the next ping goes to
    std::int32_t historyWrapped = 0;     // 1 once every record has been written
};

// Empties the ring: both indexes to 0 and, in every record, the L head's
// samples, the range, ping interval, ping number, ship speed and spare zeroed.
void ClearHistory(PingHistory& history);

// The record k pings before the next write position (k = 1 is the newest),
// or nothing when that ping is not held.
std::optional<int> HistoryIndexBack(const PingHistory& history, int k);

// Moves the write position on after a ping has been stored.
void AdvanceHistory(PingHistory& history);

// Pings held: historyWriteIndex until the ring wraps, then 4000.
int HistoryCount(const PingHistory& history);

}  // namespace hx
