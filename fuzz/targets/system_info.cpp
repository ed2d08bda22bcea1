// The system information reply: recognised, decoded and applied to the head
// table and link fields. Input: the message as received.
#include <cstdio>

#include "link/SystemInfoDecode.h"
#include "support/FuzzSupport.h"

using namespace hx;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> message(data, size);
    const auto info = parseSystemInfo(message);
    FUZZ_CHECK(info.has_value() == isSystemInfoReply(message));
    if (!info) return 0;
    FUZZ_CHECK(size == kSystemInfoBytes);

    HeadTable heads;
    LinkFields link;
    applySystemInfo(*info, message.first<kSystemInfoBytes>(), heads, link);
    FUZZ_CHECK(link.sysInfoReceived == 1 && link.sysInfoPending == 0);
    int available = 0;
    for (int h = 0; h < kHeadCount; ++h) {
        available += heads.headAvailable[h];
        // The nominal frequency lies within the limits, or at the highest when they cross.
        FUZZ_CHECK(heads.headFrequency[h] <= heads.headFrequencyMax[h]);
        FUZZ_CHECK(heads.headFrequency[h] >= heads.headFrequencyMin[h] ||
                   heads.headFrequencyMin[h] > heads.headFrequencyMax[h]);
        // Every address reads back as four numbers.
        unsigned a = 0, b = 0, c = 0, d = 0;
        FUZZ_CHECK(std::sscanf(heads.headIpAddress[h].c_str(), "%u.%u.%u.%u", &a, &b, &c, &d) == 4);
    }
    FUZZ_CHECK(link.displayHeadA >= 0 && link.displayHeadA < kHeadCount);
    FUZZ_CHECK(link.displayHeadB >= 0 && link.displayHeadB < kHeadCount);
    (void)available;
    return 0;
}
