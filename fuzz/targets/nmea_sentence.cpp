// The NMEA sentence decoder and the parser state, one line at a time as
// playback replays recorded sentences: each line decoded on its own, then
// parsed into the fix, with the end-of-read steps after every few lines.
// Input: text, one sentence a line.
#include <cmath>
#include <string_view>

#include "nav/GpsParserState.h"
#include "nav/NmeaSentence.h"
#include "support/FuzzSupport.h"

using namespace hx;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    GpsParserState state;
    int lines = 0;
    while (!text.empty()) {
        const std::size_t nl = text.find('\n');
        const std::string_view line = text.substr(0, nl);
        text.remove_prefix(nl == std::string_view::npos ? text.size() : nl + 1);

        const NmeaFields f = decodeNmeaSentence(line);
        if (f.type != NmeaType::None) {
            FUZZ_CHECK(f.checksum != NmeaChecksum::Bad);
            FUZZ_CHECK(nmeaTypeOf(line) == f.type);
        }
        for (const auto* c : {&f.latitude, &f.longitude})
            if (*c) FUZZ_CHECK(std::isfinite((*c)->valueDeg) && (*c)->valueDeg >= 0.0);
        for (const auto* v : {&f.speedKnots, &f.courseDeg, &f.headingDeg})
            if (*v) FUZZ_CHECK(std::isfinite(**v));

        state.fix.gpsUpdated = 0;
        ParseNmeaSentence(state, line);
        if (++lines % 4 == 0) {
            EndOfRead(state);
            PublishFix(state);
            FUZZ_CHECK(std::isfinite(state.fix.gpsLatitude) && std::isfinite(state.fix.gpsLongitude));
        }
    }
    EndOfRead(state);
    PublishFix(state);
    return 0;
}
