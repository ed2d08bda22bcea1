// Finding records by their headers in a damaged file: the next record start,
// the record of a ping, and the event-mark rewrite, which may change the two
// bytes of one record's mark field and nothing else. Input: the file's bytes
// from the front; the search start, ping, guessed offset and mark from the end.
#include <fuzzer/FuzzedDataProvider.h>

#include "record/RecordSearch.h"
#include "support/FuzzSupport.h"
#include "support/MemoryFileSystem.h"

using namespace hx;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const auto fromPick = in.ConsumeIntegral<std::uint16_t>();
    const auto ping = in.ConsumeIntegralInRange<std::uint32_t>(0, 8);
    const bool withGuess = in.ConsumeBool();
    const auto guessPick = in.ConsumeIntegral<std::uint16_t>();
    const auto mark = in.ConsumeIntegral<std::uint16_t>();

    fuzz::MemoryFileSystem fs;
    fuzz::Bytes& bytes = fs.bytes("f.642");
    bytes = in.ConsumeRemainingBytes<std::uint8_t>();
    const fuzz::Bytes original = bytes;
    const std::uint64_t end = bytes.size();
    const std::uint64_t from = end == 0 ? 0 : fromPick % (end + 1);
    auto file = fs.open("f.642", OpenMode::ReadWrite);

    if (const auto next = findNextRecord(*file, from, end)) {
        FUZZ_CHECK(next->offset >= from);
        FUZZ_CHECK(next->shape.recordLength <= end - next->offset);
        const auto same = recordAt(*file, next->offset, end);
        FUZZ_CHECK(same && same->shape.recordLength == next->shape.recordLength);
    }

    std::optional<std::uint64_t> guess;
    if (withGuess) guess = end == 0 ? 0 : guessPick % (end + 1);
    const auto found = findRecordOfPing(*file, ping, guess, from, end);
    if (found) FUZZ_CHECK(found->shape.pingNumber == ping && found->shape.recordLength <= end - found->offset);

    const MarkRewrite result = rewriteEventMark(*file, ping, mark, guess, from);
    FUZZ_CHECK(bytes.size() == original.size());
    bool changed = false;
    std::uint64_t lowest = 0, highest = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == original[i]) continue;
        if (!changed) lowest = i;
        highest = i;
        changed = true;
    }
    if (result != MarkRewrite::Written) {
        FUZZ_CHECK(!changed);
    } else if (changed) {
        FUZZ_CHECK(found.has_value());
        FUZZ_CHECK(lowest >= found->offset + rec::kEventMark && highest < found->offset + rec::kEventMark + 2);
    }
    return 0;
}
