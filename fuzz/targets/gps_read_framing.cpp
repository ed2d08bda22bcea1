// The GPS reader's logic over a byte stream that arrives in reads of random
// sizes, as a serial port delivers it: framing, the sentence decoder, the
// parser state and publishing, read after read. Input: the stream from the
// front; the read sizes from the end.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>

#include "nav/GpsReader.h"
#include "support/FuzzSupport.h"

using namespace hx;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    GpsReader reader;
    reader.setSentenceSelection(in.ConsumeIntegralInRange<int>(0, 3));
    while (in.remaining_bytes() > 0) {
        const std::string bytes = in.ConsumeBytesAsString(in.ConsumeIntegralInRange<std::size_t>(0, 700));
        const GpsSnapshot s = reader.read(bytes);
        FUZZ_CHECK(reader.framing().remainder.size() <= kGpsRemainderLimitBytes);
        FUZZ_CHECK(s.historyCount >= 0 && s.historyCount <= kSentenceHistoryCapacity);
        FUZZ_CHECK(std::isfinite(s.fix.gpsLatitude) && std::isfinite(s.fix.gpsLongitude));
        FUZZ_CHECK(std::abs(s.fix.gpsLatitude) <= 90.0 + 1e-9 || !s.positionPublished);
        FUZZ_CHECK(std::isfinite(s.fix.gpsSpeed) && std::isfinite(s.fix.gpsCourse) && std::isfinite(s.fix.gpsHeading));
        // Every slot holds a whole recognised sentence: one '$', at its start.
        for (const std::string& slot : s.gpsSentences)
            FUZZ_CHECK(slot.empty() || (slot[0] == '$' && slot.find('$', 1) == std::string::npos));
    }
    return 0;
}
