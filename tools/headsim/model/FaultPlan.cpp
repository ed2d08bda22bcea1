#include "tools/headsim/model/FaultPlan.h"

#include "tools/headsim/model/Noise.h"

namespace hx::sim {

ReplyFaults FaultPlan::nextReply(bool dataReply, std::size_t replyBytes) {
    ReplyFaults f;
    ++replies_;
    if (dataReply) ++dataReplies_;
    const auto seed = hashCombine(static_cast<std::uint64_t>(head_) + 1, static_cast<std::uint64_t>(replies_));
    if (dataReply && options_.errorEvery > 0 && dataReplies_ % options_.errorEvery == 0) {
        // Walk through the five error flags, one per faulty reply.
        const long nth = dataReplies_ / options_.errorEvery - 1;
        f.statusErrorBits = static_cast<std::uint8_t>(0x04u << (nth % 5));
    }
    if (options_.splitReplies && replyBytes > 1) {
        // Cut at a different place each time, never at either end.
        f.splitAt = 1 + static_cast<std::size_t>(mix64(seed) % (replyBytes - 1));
    }
    f.extraByte = options_.extraByte;
    if (dataReply && options_.garbageEvery > 0 && dataReplies_ % options_.garbageEvery == 0) {
        f.garbageBytes = 1 + static_cast<std::size_t>(mix64(seed ^ 0x6A7Bull) % 64);
        f.garbageSeed = seed;
    }
    f.closeAfter = options_.closeAfter > 0 && replies_ >= options_.closeAfter;
    return f;
}

void fillGarbage(std::uint64_t seed, std::uint8_t* out, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) out[i] = static_cast<std::uint8_t>(mix64(seed + i) >> 56);
}

}  // namespace hx::sim
