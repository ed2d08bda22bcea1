#include "imaging/PingHistory.h"

namespace hx {

void ClearHistory(PingHistory& history) {
    history.historyWriteIndex = 0;
    history.historyWrapped = 0;
    for (auto& r : history.records) {
        r.samples[kHeadL].fill(0);
        r.rangeM = 0;
        r.pingIntervalMs = 0;
        r.pingNumber = 0;
        r.shipSpeedKn = 0.0;
        r.spare = 0;
    }
}

std::optional<int> HistoryIndexBack(const PingHistory& history, int k) {
    if (k < 1 || k > kHistoryRecords) return std::nullopt;
    int index = history.historyWriteIndex - k;
    if (index < 0) {
        if (!history.historyWrapped) return std::nullopt;
        index += kHistoryRecords;
    }
    return index;
}

void AdvanceHistory(PingHistory& history) {
    if (++history.historyWriteIndex >= kHistoryRecords) {
        history.historyWriteIndex = 0;
        history.historyWrapped = 1;
    }
}

int HistoryCount(const PingHistory& history) {
    return history.historyWrapped ? kHistoryRecords : history.historyWriteIndex;
}

}  // namespace hx
