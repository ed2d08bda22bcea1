// Splitting a long recording into files of a chosen size or duration. The
// next file carries on the ping numbers; its name is the first file's name
// with a counter ("run.642", "run-002.642", "run-003.642", ...), and its event
// file goes beside it.
#pragma once

#include <cstdint>
#include <string>

namespace hx {

struct SplitRule {
    std::uint64_t maxBytes = 0;    // 0: no split by size
    std::uint32_t maxMinutes = 0;  // 0: no split by time
    bool active() const { return maxBytes != 0 || maxMinutes != 0; }
};

// The name of the counter-th file of a recording whose first file is firstPath.
std::string splitFileName(const std::string& firstPath, int counter);

// Whether the next record goes into a new file: it would take the file past
// its size, or the file has run its time. A file holds at least one record.
bool splitDue(const SplitRule& rule, std::uint64_t fileBytes, std::uint32_t nextRecordBytes, std::uint32_t fileAgeMs);

}  // namespace hx
