#include "link/CycleStatus.h"

#include "link/DataReply.h"
#include "link/SensorBlock.h"

namespace hx {

void stampCycle(const LocalTime& now, CycleValues& cycle) {
    cycle.pingTime = now;
    cycle.pingClock = now;
    cycle.pingDateText = formatDateText(now);
    cycle.pingTimeText = formatTimeText(now);
    cycle.pingMillisecondsText = formatMillisecondsText(now);
}

bool checkCycleStatus(HeadTable& heads, const LinkFields& link, CycleValues& cycle, OrientationState& orientation) {
    int errorSum = 0;
    for (std::size_t h = 0; h < kHeadCount; ++h) {
        if (heads.headAvailable[h] == 0) continue;
        const ReplyHeader& header = heads.headReplyHeader[h];
        std::string id;
        for (std::size_t i = 0; i < 3 && header[i] != 0; ++i) id.push_back(static_cast<char>(header[i]));
        heads.headIdText[h] = id;
        heads.headStatus[h] = header[kReplyStatusOffset];
        errorSum += header[kReplyStatusOffset] & kStatusErrorMask;
    }
    if (link.orientationAvailable != 0) decodeSensorBlockInto(heads, orientation);
    if (errorSum != 0) return false;
    ++cycle.goodCycleCount;
    return true;
}

}  // namespace hx
