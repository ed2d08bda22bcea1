// The event file text: parsed, written and parsed again. What was read must
// write the same way every time, with every position line six decimals
// within 0..1, and read back as what was written. Input: the file's text.
#include <string>
#include <string_view>

#include "record/EventFile.h"
#include "support/FuzzSupport.h"

using namespace hx;

namespace {

// "0.412500": a fraction of the image width with six decimals.
bool positionLine(std::string_view line) {
    if (line.size() != 8 || (line[0] != '0' && line[0] != '1') || line[1] != '.') return false;
    for (char c : line.substr(2))
        if (c < '0' || c > '9') return false;
    return line[0] == '0' || line == "1.000000";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    EventList list;
    const EventFileParse parse = parseEventFile(text, list);
    FUZZ_CHECK(list.count >= 0 && list.count <= kMaxEvents);
    FUZZ_CHECK(!(parse.overflow && list.count < kMaxEvents));

    const std::string written = formatEventFile(list);
    FUZZ_CHECK(formatEventFile(list) == written);
    // Eight lines an event, the third its position.
    std::size_t lines = 0;
    for (std::size_t at = 0; at < written.size();) {
        const std::size_t nl = written.find('\n', at);
        FUZZ_CHECK(nl != std::string::npos);
        if (lines % 8 == 2) FUZZ_CHECK(positionLine(std::string_view(written).substr(at, nl - at)));
        ++lines;
        at = nl + 1;
    }
    FUZZ_CHECK(lines == 8 * static_cast<std::size_t>(list.count));

    EventList back;
    const EventFileParse reparse = parseEventFile(written, back);
    FUZZ_CHECK(!reparse.damaged && !reparse.overflow);
    FUZZ_CHECK(back.count == list.count);
    FUZZ_CHECK(formatEventFile(back) == written);
    return 0;
}
