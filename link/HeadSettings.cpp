#include "link/HeadSettings.h"

#include <algorithm>

#include "link/CommandMessages.h"

namespace hx {

std::int32_t rangeForIndex(int index) {
    const int i = std::clamp(index, 0, static_cast<int>(kRangeTableM.size()) - 1);
    return kRangeTableM[static_cast<std::size_t>(i)];
}

namespace {

void setSideScanIndex(HeadTable& heads, int index) {
    heads.sideScanRangeIndex = std::clamp(index, 0, static_cast<int>(kRangeTableM.size()) - 1);
    heads.sideScanRange = rangeForIndex(heads.sideScanRangeIndex);
    updateCommandsFromSettings(heads);
}

}  // namespace

bool sideScanRangeUp(HeadTable& heads) {
    if (heads.sideScanRangeIndex >= kRangeIndexMaxToolbar) return false;
    setSideScanIndex(heads, heads.sideScanRangeIndex + 1);
    return true;
}

bool sideScanRangeDown(HeadTable& heads) {
    if (heads.sideScanRangeIndex <= kRangeIndexMin) return false;
    setSideScanIndex(heads, heads.sideScanRangeIndex - 1);
    return true;
}

void selectSideScanRange(HeadTable& heads, int index) { setSideScanIndex(heads, index); }

void sideScanGainUp(HeadTable& heads) {
    for (int h = kHeadL; h <= kHeadH; ++h) {
        auto& g = heads.headGain[static_cast<std::size_t>(h)];
        if (g < kGainMaxDb) ++g;
    }
    updateCommandsFromSettings(heads);
}

void sideScanGainDown(HeadTable& heads) {
    for (int h = kHeadL; h <= kHeadH; ++h) {
        auto& g = heads.headGain[static_cast<std::size_t>(h)];
        if (g > kGainMinDb) --g;
    }
    updateCommandsFromSettings(heads);
}

void spinHeadGain(HeadTable& heads, int head, int stepDb) {
    if (head < 0 || head >= kHeadCount) return;
    auto& g = heads.headGain[static_cast<std::size_t>(head)];
    g = std::clamp(g + stepDb, kGainMinDb, kGainMaxDb);
    updateCommandsFromSettings(heads);
}

void spinSideScanRange(HeadTable& heads, int step) {
    heads.sideScanRangeIndex = std::clamp(heads.sideScanRangeIndex + step, kRangeIndexMin, kRangeIndexMaxSpin);
    heads.sideScanRange = rangeForIndex(heads.sideScanRangeIndex);
    updateCommandsFromSettings(heads);
}

void spinEchoSounderRange(HeadTable& heads, int step) {
    heads.echoSounderRangeIndex = std::clamp(heads.echoSounderRangeIndex + step, kRangeIndexMin, kRangeIndexMaxSpin);
    heads.echoSounderRange = rangeForIndex(heads.echoSounderRangeIndex);
    updateCommandsFromSettings(heads);
}

void toggleXmitBit(HeadTable& heads, int head, std::uint8_t bit) {
    if (head < 0 || head >= kHeadCount) return;
    heads.headXmitControl[static_cast<std::size_t>(head)] ^= bit;
    updateCommandsFromSettings(heads);
}

}  // namespace hx
