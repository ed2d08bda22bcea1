#include "link/DataReply.h"

#include <algorithm>

namespace hx {

ReplyHalf replyHalf(std::span<const std::uint8_t> reply) {
    if (reply.size() < kDataReplyBytes) return ReplyHalf::Other;
    switch (reply[kReplyHalfOffset]) {
    case 0x00: return ReplyHalf::First;
    case 0x10: return ReplyHalf::Second;
    default: return ReplyHalf::Other;
    }
}

bool storeDataReply(int head, std::span<const std::uint8_t> reply, HeadTable& heads) {
    if (head < 0 || head >= kHeadCount) return false;
    const ReplyHalf half = replyHalf(reply);
    if (half == ReplyHalf::Other) return false;

    const auto h = static_cast<std::size_t>(head);
    const auto header = reply.first(kReplyStoredHeaderBytes);
    const auto data = reply.subspan(kReplyDataOffset, kSideDataPoints);
    DisplayLine& line = heads.headDisplayLine[h];
    const bool echoSounder = head == kHeadES;

    if (half == ReplyHalf::Second || echoSounder)
        std::copy(header.begin(), header.end(), heads.headReplyHeader[h].begin());

    if (half == ReplyHalf::Second) {
        std::copy(data.begin(), data.end(), line.begin() + 1024);
    } else if (echoSounder) {
        std::copy(data.begin(), data.end(), line.begin() + kEchoLineOffset);
    } else {
        // Port side: nearest sample at byte 1023, farthest at byte 24.
        for (std::size_t j = 0; j < kSideDataPoints; ++j) line[1023 - j] = data[j];
    }
    return true;
}

}  // namespace hx
