// The reply framer over a received byte stream cut into random chunks, with
// data and system information requests going out in between; every reply it
// completes goes on as the link hands it on (stored, or decoded and applied).
// Input: the stream's bytes from the front; the request pattern and the
// chunk sizes from the end.
#include <fuzzer/FuzzedDataProvider.h>

#include "link/DataReply.h"
#include "link/ReplyFramer.h"
#include "link/SystemInfoDecode.h"
#include "support/FuzzSupport.h"

using namespace hx;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    ReplyFramer framer;
    HeadTable heads;
    LinkFields link;
    ExpectedReply asked = ExpectedReply::None;
    int head = 0;
    std::size_t fed = 0;
    std::size_t delivered = 0;
    while (in.remaining_bytes() > 0) {
        const auto step = in.ConsumeIntegral<std::uint8_t>();
        switch (step & 3) {
        case 1: asked = ExpectedReply::Data; framer.expect(asked); break;
        case 2: asked = ExpectedReply::SystemInfo; framer.expect(asked); break;
        case 3:
            if (step & 0x80) {
                asked = ExpectedReply::None;
                framer.reset();
            }
            break;
        default: break;
        }
        head = (step >> 2) & 3;
        const auto chunk = in.ConsumeBytes<std::uint8_t>(in.ConsumeIntegralInRange<std::size_t>(0, 1400));
        const auto reply = framer.feed(chunk);
        // Whatever is thrown away, held or handed on was received; nothing
        // is counted twice.
        fed += chunk.size();
        if (reply) delivered += reply->size();
        FUZZ_CHECK(framer.discarded() + framer.buffered() + delivered <= fed);
        if (!reply) {
            FUZZ_CHECK(framer.expected() == asked);
            FUZZ_CHECK(framer.buffered() < ReplyFramer::replyLength(asked) || (asked == ExpectedReply::None && framer.buffered() == 0));
            continue;
        }
        // A reply is exactly as long as the request said, and the framer then waits for nothing.
        FUZZ_CHECK(asked != ExpectedReply::None);
        FUZZ_CHECK(reply->size() == ReplyFramer::replyLength(asked));
        FUZZ_CHECK(framer.expected() == ExpectedReply::None);
        FUZZ_CHECK(framer.buffered() == 0);
        if (asked == ExpectedReply::Data) {
            const bool stored = storeDataReply(head, *reply, heads);
            FUZZ_CHECK(stored == (replyHalf(*reply) != ReplyHalf::Other));
        } else if (const auto info = parseSystemInfo(*reply)) {
            applySystemInfo(*info, reply->first<kSystemInfoBytes>(), heads, link);
        }
        asked = ExpectedReply::None;
    }
    return 0;
}
