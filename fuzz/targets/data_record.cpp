// One data-file record: decoded, put into the document as playback does, and
// encoded again. Whatever the decoder accepts must encode into a record that
// decodes and encodes to the very same bytes. Input: the record's bytes.
#include <vector>

#include "record/DataRecord.h"
#include "record/RecordDocument.h"
#include "support/FuzzSupport.h"

using namespace hx;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto decoded = decodeRecord(std::span<const std::uint8_t>(data, size));
    if (!decoded) return 0;
    FUZZ_CHECK(decoded->shape.recordLength <= size);
    FUZZ_CHECK(decoded->shape.recordLength >= kMinRecordBytes && decoded->shape.recordLength <= kMaxRecordBytes);

    HeadTable heads;
    LinkFields link;
    CycleValues cycle;
    SentenceSlots sentences;
    int gpsType = 0;
    int alarm = 1;
    RecordTargets targets{heads, link, cycle, sentences, gpsType, alarm};
    applyRecordToDocument(*decoded, targets);

    std::vector<std::uint8_t> once;
    encodeRecord(decoded->record, once);
    FUZZ_CHECK(once.size() == recordLengthFor(headBlockCount(decoded->record.headPresent), decoded->record.systemInfo.has_value()));
    const auto again = decodeRecord(once);
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(!again->damaged());
    FUZZ_CHECK(again->record.pingNumber == decoded->record.pingNumber);
    FUZZ_CHECK(again->record.eventMark == decoded->record.eventMark);
    std::vector<std::uint8_t> twice;
    encodeRecord(again->record, twice);
    FUZZ_CHECK(twice == once);
    return 0;
}
