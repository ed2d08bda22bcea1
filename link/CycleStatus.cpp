#include "link/CycleStatus.h"

#include "link/DataReply.h"

namespace hx {

void stampCycle(const LocalTime& now, CycleValues& cycle) {
    cycle.pingTime = now;
    cycle.pingClock = now;
    cycle.pingDateText = formatDateText(now);
    cycle.pingTimeText = formatTimeText(now);
    cycle.pingMillisecondsText = formatMillisecondsText(now);
}

CycleStatus readCycleStatus(const HeadTable& heads) {
    CycleStatus s;
    for (std::size_t h = 0; h < kHeadCount; ++h) {
        if (heads.headAvailable[h] == 0) continue;
        const ReplyHeader& header = heads.headReplyHeader[h];
        for (std::size_t i = 0; i < 3 && header[i] != 0; ++i) s.idText[h].push_back(static_cast<char>(header[i]));
        s.statusByte[h] = header[kReplyStatusOffset];
        s.read[h] = true;
        s.errorSum += header[kReplyStatusOffset] & kStatusErrorMask;
    }
    return s;
}

void applyCycleStatus(const CycleStatus& status, HeadTable& heads) {
    for (std::size_t h = 0; h < kHeadCount; ++h) {
        if (!status.read[h]) continue;
        heads.headIdText[h] = status.idText[h];
        heads.headStatus[h] = status.statusByte[h];
    }
}

}  // namespace hx
