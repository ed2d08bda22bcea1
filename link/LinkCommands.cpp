#include "link/LinkCommands.h"

#include "link/HeadSettings.h"

namespace hx {

namespace {

bool isRangeChoice(int id) { return id >= linkcmd::kRangeChoiceFirst && id <= linkcmd::kRangeChoiceLast; }
bool isXmitEntry(int id) { return id >= linkcmd::kXmitPortLow && id <= linkcmd::kXmitEchoSounder; }
bool isNotAvailable(int id) { return id >= linkcmd::kNotAvailableFirst && id <= linkcmd::kNotAvailableLast; }
bool isFilterSwitch(int id) { return id >= linkcmd::kRollFilter && id <= linkcmd::kAltitudeFilter; }

std::uint8_t xmitBit(int id) {
    if (id >= linkcmd::kXmitPortLow && id <= linkcmd::kXmitPortHigh) return kXmitPortOff;
    return kXmitStarboardOff;
}

OrientationChannel filterChannel(int id) {
    switch (id) {
    case linkcmd::kRollFilter: return OrientationChannel::Roll;
    case linkcmd::kPitchFilter: return OrientationChannel::Pitch;
    case linkcmd::kHeadingFilter: return OrientationChannel::Heading;
    case linkcmd::kTemperatureFilter: return OrientationChannel::Temperature;
    case linkcmd::kDepthFilter: return OrientationChannel::Depth;
    default: return OrientationChannel::Altitude;
    }
}

}  // namespace

int xmitEntryHead(int commandId, const LinkFields& link) {
    if (commandId == linkcmd::kXmitEchoSounder) return kHeadES;
    if (!isXmitEntry(commandId)) return -1;
    const int column = (commandId - linkcmd::kXmitPortLow) % 3;  // 0 Low, 1 Medium, 2 High
    if (link.allSideScansAvailable != 0) return column;
    if (column == 1) return -1;
    const int head = column == 0 ? link.displayHeadA : link.displayHeadB;
    return head >= 0 && head < kHeadCount ? head : -1;
}

unsigned runLinkCommand(int id, HeadTable& heads, const LinkFields& link, OrientationFilters& filters) {
    if (isFilterSwitch(id)) {
        auto& f = filters[filterChannel(id)];
        f.enabled = f.enabled != 0 ? 0 : 1;
        return kEffectHandled;
    }
    const bool known = id == linkcmd::kRangeUp || id == linkcmd::kRangeDown || id == linkcmd::kGainUp ||
                       id == linkcmd::kGainDown || isRangeChoice(id) || isXmitEntry(id) || isNotAvailable(id);
    if (!known) return kEffectNone;
    if (link.playbackMode != 0) return kEffectHandled;

    switch (id) {
    case linkcmd::kRangeUp:
        return kEffectHandled | (sideScanRangeUp(heads) ? kEffectRefreshControlBar : 0u);
    case linkcmd::kRangeDown:
        return kEffectHandled | (sideScanRangeDown(heads) ? kEffectRefreshControlBar : 0u);
    case linkcmd::kGainUp:
        sideScanGainUp(heads);
        return kEffectHandled | kEffectRefreshControlBar;
    case linkcmd::kGainDown:
        sideScanGainDown(heads);
        return kEffectHandled | kEffectRefreshControlBar;
    default: break;
    }
    if (isRangeChoice(id)) {
        selectSideScanRange(heads, id - linkcmd::kRangeChoiceIndexBase);
        return kEffectHandled | kEffectRedrawViews | kEffectRefreshControlBar;
    }
    if (isXmitEntry(id)) {
        const int head = xmitEntryHead(id, link);
        if (head >= 0) toggleXmitBit(heads, head, xmitBit(id));
        return kEffectHandled;
    }
    // "Not Available": the head's availability is inverted.
    auto& available = heads.headAvailable[static_cast<std::size_t>(id - linkcmd::kNotAvailableFirst)];
    available = available != 0 ? 0 : 1;
    return kEffectHandled | kEffectRebuildConnections;
}

LinkCommandState linkCommandState(int id, const HeadTable& heads, const LinkFields& link,
                                  const OrientationFilters& filters) {
    LinkCommandState s;
    if (isFilterSwitch(id)) {
        s.handled = true;
        s.enabled = true;
        s.checked = filters[filterChannel(id)].enabled != 0;
        return s;
    }
    const bool realTime = link.playbackMode == 0;
    if (id == linkcmd::kRangeUp || id == linkcmd::kRangeDown || id == linkcmd::kGainUp || id == linkcmd::kGainDown) {
        s.handled = true;
        s.enabled = realTime;
    } else if (isRangeChoice(id)) {
        s.handled = true;
        s.enabled = realTime;
        s.checked = heads.sideScanRangeIndex == id - linkcmd::kRangeChoiceIndexBase;
    } else if (isXmitEntry(id)) {
        s.handled = true;
        s.enabled = realTime;
        const int head = xmitEntryHead(id, link);
        s.checked = head >= 0 && (heads.headXmitControl[static_cast<std::size_t>(head)] & xmitBit(id)) != 0;
    } else if (isNotAvailable(id)) {
        s.handled = true;
        s.enabled = realTime;
        s.checked = heads.headAvailable[static_cast<std::size_t>(id - linkcmd::kNotAvailableFirst)] == 0;
    }
    return s;
}

}  // namespace hx
