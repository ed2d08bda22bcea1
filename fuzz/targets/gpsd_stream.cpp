// The gpsd stream filter: gpsd's JSON report lines taken out, NMEA lines let
// through. However the stream is cut into reads, the filter must let the
// same bytes through, and never a line that starts with '{'. Input: the
// stream from the front; the read sizes from the end.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "nav/GpsdStream.h"
#include "support/FuzzSupport.h"

using namespace hx;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    std::string chunked;
    std::string stream;
    GpsdStreamFilter byReads;
    while (in.remaining_bytes() > 0) {
        const std::string read = in.ConsumeBytesAsString(in.ConsumeIntegralInRange<std::size_t>(0, 600));
        stream += read;
        chunked += byReads.filter(read);
    }
    GpsdStreamFilter whole;
    const std::string atOnce = whole.filter(stream);
    FUZZ_CHECK(atOnce == chunked);
    for (std::size_t at = 0; at < atOnce.size();) {
        FUZZ_CHECK(atOnce[at] != '{');
        const std::size_t nl = atOnce.find('\n', at);
        FUZZ_CHECK(nl != std::string::npos);  // only whole lines come out
        at = nl + 1;
    }
    return 0;
}
