#include "record/RecordSearch.h"

#include <algorithm>
#include <array>
#include <vector>

#include "core/ByteIO.h"

namespace hx {

namespace {
constexpr std::size_t kScanChunkBytes = 64 * 1024;
}

std::optional<FoundRecord> recordAt(IRandomAccessFile& file, std::uint64_t offset, std::uint64_t end) {
    if (offset > end || end - offset < kRecordHeaderBytes) return std::nullopt;
    std::array<std::uint8_t, kRecordHeaderBytes> header{};
    if (file.readAt(offset, header) != header.size()) return std::nullopt;
    auto shape = checkRecordHeader(header);
    if (!shape || shape->recordLength > end - offset) return std::nullopt;
    return FoundRecord{offset, *shape};
}

std::optional<FoundRecord> findNextRecord(IRandomAccessFile& file, std::uint64_t from, std::uint64_t end) {
    std::vector<std::uint8_t> chunk(kScanChunkBytes);
    std::uint64_t at = from;
    while (at < end && end - at >= kRecordHeaderBytes) {
        const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(chunk.size(), end - at));
        const std::size_t got = file.readAt(at, std::span(chunk.data(), want));
        if (got < 3) return std::nullopt;
        for (std::size_t i = 0; i + 2 < got; ++i) {
            if (chunk[i] != '6' || chunk[i + 1] != '4' || chunk[i + 2] != '2') continue;
            if (auto found = recordAt(file, at + i, end)) return found;
        }
        // Overlap two bytes so that a magic across the chunk border is seen.
        at += got - 2;
    }
    return std::nullopt;
}

std::optional<FoundRecord> findRecordOfPing(IRandomAccessFile& file, std::uint32_t pingNumber,
                                            std::optional<std::uint64_t> guessOffset, std::uint64_t searchFrom,
                                            std::uint64_t end) {
    if (guessOffset) {
        if (auto found = recordAt(file, *guessOffset, end); found && found->shape.pingNumber == pingNumber)
            return found;
    }
    std::uint64_t at = searchFrom;
    while (at < end) {
        auto found = recordAt(file, at, end);
        if (!found) found = findNextRecord(file, at + 1, end);
        if (!found) return std::nullopt;
        if (found->shape.pingNumber == pingNumber) return found;
        at = found->offset + found->shape.recordLength;
    }
    return std::nullopt;
}

MarkRewrite rewriteEventMark(IRandomAccessFile& file, std::uint32_t pingNumber, std::uint16_t mark,
                             std::optional<std::uint64_t> guessOffset, std::uint64_t searchFrom) {
    const auto end = file.size();
    if (!end) return MarkRewrite::WriteFailed;
    const auto found = findRecordOfPing(file, pingNumber, guessOffset, searchFrom, *end);
    if (!found) return MarkRewrite::NotFound;
    std::array<std::uint8_t, 2> field{};
    writeU16Le(field, 0, mark);
    return file.writeAt(found->offset + rec::kEventMark, field) ? MarkRewrite::Written : MarkRewrite::WriteFailed;
}

}  // namespace hx
