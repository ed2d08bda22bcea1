// The file summary of "hx642-cli info" over a whole data file held in memory.
// Input: the file's bytes.
#include "record/DataFileScan.h"
#include "support/FuzzSupport.h"
#include "support/MemoryFileSystem.h"

using namespace hx;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::MemoryFileSystem fs;
    fs.bytes("f.642").assign(data, data + size);
    auto file = fs.open("f.642", OpenMode::Read);
    const DataFileSummary s = scanDataFile(*file);
    FUZZ_CHECK(!s.readError);
    FUZZ_CHECK(s.fileBytes == size);
    FUZZ_CHECK(s.records * kMinRecordBytes + s.trailingBytes <= size);
    FUZZ_CHECK(s.damage.size() <= DataFileSummary::kListed && s.damage.size() <= s.damageCount);
    FUZZ_CHECK(s.gaps.size() <= DataFileSummary::kListed && s.marks.size() <= DataFileSummary::kListed);
    std::uint64_t laidOut = 0;
    for (const RecordLayout& l : s.layouts) laidOut += l.records;
    FUZZ_CHECK(laidOut == s.records);
    for (const DamageNote& d : s.damage) FUZZ_CHECK(d.offset <= size && d.bytes <= size - d.offset);
    if (s.records > 0) FUZZ_CHECK(s.lowestPing <= s.highestPing);
    return 0;
}
