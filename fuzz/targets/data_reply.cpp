// One data reply stored into the head table as the acquisition cycle does,
// for any head number, followed by the per-cycle sensor decode of what head
// ES then holds. Input: the reply from the front; the head number from the end.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>

#include "link/DataReply.h"
#include "link/SensorBlock.h"
#include "support/FuzzSupport.h"

using namespace hx;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const int head = in.ConsumeIntegralInRange<int>(-2, kHeadCount + 1);
    const auto reply = in.ConsumeRemainingBytes<std::uint8_t>();

    HeadTable heads;
    const HeadTable before = heads;
    const ReplyHalf half = replyHalf(reply);
    const bool valid = reply.size() >= kDataReplyBytes && head >= 0 && head < kHeadCount && half != ReplyHalf::Other;
    FUZZ_CHECK(storeDataReply(head, reply, heads) == valid);
    if (!valid) {
        // A refused reply changes nothing.
        FUZZ_CHECK(heads.headDisplayLine == before.headDisplayLine);
        FUZZ_CHECK(heads.headReplyHeader == before.headReplyHeader);
        return 0;
    }
    OrientationState orientation;
    decodeSensorBlockInto(heads, orientation);
    const SensorValues values = decodeSensorBlock(
        std::span<const std::uint8_t>(heads.headDisplayLine[kHeadES]).subspan(kSensorBlockOffset, kSensorBlockBytes), 22.0);
    FUZZ_CHECK(std::isfinite(values.pitchDeg) && std::isfinite(values.rollDeg) && std::isfinite(values.headingDeg) &&
               std::isfinite(values.temperatureC) && std::isfinite(values.depthM));
    return 0;
}
