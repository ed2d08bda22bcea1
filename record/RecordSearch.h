// Finding records inside a data file by their headers: the next record
// start after damage, and the record of a given ping for rewriting its event
// mark. A place counts as a record start only when its header is
// self-consistent (checkRecordHeader) and the whole record lies before end,
// so bytes that merely read "642" inside echo data are passed over.
#pragma once

#include <cstdint>
#include <optional>

#include "record/DataRecord.h"
#include "record/FileAccess.h"

namespace hx {

struct FoundRecord {
    std::uint64_t offset = 0;
    RecordShape shape;
};

// The header at offset when it starts a whole record ending at or before end.
std::optional<FoundRecord> recordAt(IRandomAccessFile& file, std::uint64_t offset, std::uint64_t end);

// The first record start at or after from whose record ends at or before end.
std::optional<FoundRecord> findNextRecord(IRandomAccessFile& file, std::uint64_t from, std::uint64_t end);

// The record whose header carries pingNumber. guessOffset is tried first
// (where the ping would be if no cycle was skipped); otherwise the file is
// walked from searchFrom record by record, stepping over damage.
std::optional<FoundRecord> findRecordOfPing(IRandomAccessFile& file, std::uint32_t pingNumber,
                                            std::optional<std::uint64_t> guessOffset, std::uint64_t searchFrom,
                                            std::uint64_t end);

enum class MarkRewrite {
    Written,
    NotFound,   // no record of that ping in the file: nothing written
    WriteFailed,
    NoFile,     // the file is not open
    ReadOnly,   // the file is open for reading only
};

// Rewrites the event mark field (header bytes 64-65) of the record of
// pingNumber, and nothing else.
MarkRewrite rewriteEventMark(IRandomAccessFile& file, std::uint32_t pingNumber, std::uint16_t mark,
                             std::optional<std::uint64_t> guessOffset, std::uint64_t searchFrom);

}  // namespace hx
