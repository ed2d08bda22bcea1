// A walk over a whole data file that says what it holds: records and their
// layouts, ping range and gaps, first and last time, event marks, and every
// damaged place (bytes that are no record, head blocks that name another
// head or carry too long a data length, a cut-off last record). Reads the
// file only; used by "hx642-cli info".
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "record/DataRecord.h"
#include "record/FileAccess.h"

namespace hx {

struct RecordLayout {
    std::array<bool, kHeadCount> heads{};
    bool systemInfo = false;
    std::uint32_t recordLength = 0;
    std::uint64_t records = 0;
};

struct PingGap {
    std::uint32_t before = 0;  // ping of the record before the gap
    std::uint32_t after = 0;   // ping of the record after it
};

struct DamageNote {
    std::uint64_t offset = 0;  // file offset of the damaged place
    std::uint64_t bytes = 0;   // its length
    std::string what;
};

struct DataFileSummary {
    static constexpr std::size_t kListed = 20;  // gaps, marks and damage listed one by one

    std::uint64_t fileBytes = 0;
    std::uint64_t records = 0;
    std::vector<RecordLayout> layouts;

    std::uint32_t firstPing = 0;
    std::uint32_t lastPing = 0;
    std::uint32_t lowestPing = 0;
    std::uint32_t highestPing = 0;
    std::uint64_t missingPings = 0;
    std::uint64_t gapCount = 0;
    std::uint64_t outOfOrder = 0;     // records whose ping is not above the one before
    std::vector<PingGap> gaps;        // the first kListed

    std::string startTime;            // "07-DEC-2026 14:05:09.123" of the first record
    std::string endTime;              // of the last record
    // The longest time between two records that follow each other, from
    // their clock times (a stalled program or a link that went quiet).
    std::int64_t longestPauseMs = 0;
    std::uint32_t longestPauseAfterPing = 0;

    std::uint64_t eventMarks = 0;
    std::vector<std::pair<std::uint32_t, int>> marks;  // (ping, event number), the first kListed

    std::uint64_t damageCount = 0;
    std::vector<DamageNote> damage;   // the first kListed
    std::uint64_t trailingBytes = 0;  // a cut-off last record (never played)
    bool readError = false;           // the file could not be read to its end
};

DataFileSummary scanDataFile(IRandomAccessFile& file);

// "L M H ES" for the present heads.
std::string headNames(const std::array<bool, kHeadCount>& heads);

}  // namespace hx
