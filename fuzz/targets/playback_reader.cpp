// The playback reader over a data file held in memory: the open checks, then
// records read forwards and backwards, jumps to any offset with
// resynchronisation, and event-mark rewrites, in an order taken from the
// input, wrapping at the ends as the playback step does. Input: the last 97
// bytes give 48 two-byte operations and the read-only switch; the rest is
// the file.
#include <fuzzer/FuzzedDataProvider.h>

#include <vector>

#include "record/ReadWriteFiles.h"
#include "support/FuzzSupport.h"
#include "support/MemoryFileSystem.h"

using namespace hx;

namespace {
constexpr std::size_t kMaxOperations = 48;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    std::vector<std::uint16_t> operations;
    while (operations.size() < kMaxOperations && in.remaining_bytes() > 0)
        operations.push_back(in.ConsumeIntegral<std::uint16_t>());
    const bool readOnly = in.ConsumeBool();

    fuzz::MemoryFileSystem fs;
    fs.bytes("f.642") = in.ConsumeRemainingBytes<std::uint8_t>();
    if (readOnly) fs.readOnly.insert("f.642");
    const std::uint64_t size64 = fs.bytes("f.642").size();

    DataFileState state;
    fuzz::CountingNotifier notifier;
    CReadWriteFiles files(state, fs, notifier);
    int pairHookRuns = 0;
    files.setDisplayPairHook([&](const HeadTable&, LinkFields&) { ++pairHookRuns; });
    if (files.openPlayback("f.642") != OpenStatus::Opened) {
        FUZZ_CHECK(notifier.messages == 1);
        return 0;
    }
    FUZZ_CHECK(files.playbackReadOnly() == readOnly);
    FUZZ_CHECK(state.firstRecordOffset <= state.usableLength && state.usableLength <= size64);
    FUZZ_CHECK(state.recordLength >= kMinRecordBytes && state.recordLength <= kMaxRecordBytes);

    HeadTable heads;
    LinkFields link;
    CycleValues cycle;
    SentenceSlots sentences;
    int gpsType = 0;
    int alarm = 1;
    RecordTargets targets{heads, link, cycle, sentences, gpsType, alarm};

    for (const std::uint16_t op : operations) {
        switch (op & 3) {
        case 0:
        case 1: {
            if (state.recordPosition >= state.usableLength) state.recordPosition = state.firstRecordOffset;
            const std::uint64_t at = state.recordPosition;
            const int hookRunsBefore = pairHookRuns;
            const ReadResult r = files.readRecord((op & 3) == 1, targets);
            FUZZ_CHECK(r.status != ReadStatus::IoError && r.status != ReadStatus::NotOpen);
            if (r.status == ReadStatus::Ok) {
                FUZZ_CHECK(pairHookRuns == hookRunsBefore + 1);
                FUZZ_CHECK(at + state.recordLength <= size64);
            }
            if (r.status == ReadStatus::EndOfFile) state.recordPosition = state.firstRecordOffset;
            break;
        }
        case 2: {
            const std::uint64_t from = (op >> 2) * (size64 + 1) / 16384;
            const bool found = files.resynchronise(from);
            if (found) FUZZ_CHECK(state.recordPosition >= from && state.recordPosition < state.usableLength);
            else FUZZ_CHECK(state.recordPosition == state.usableLength);
            break;
        }
        case 3: {
            const auto result = files.rewritePlayedEventMark(op >> 8, static_cast<std::uint16_t>(0x8000 | ((op >> 2) & 0x3F)));
            if (readOnly) FUZZ_CHECK(result == MarkRewrite::ReadOnly);
            FUZZ_CHECK(fs.bytes("f.642").size() == size64);
            break;
        }
        }
        // A record found past damage may end beyond the usable length (which
        // counts whole records from the first one), never beyond the file.
        FUZZ_CHECK(state.recordPosition <= size64);
    }
    return 0;
}
