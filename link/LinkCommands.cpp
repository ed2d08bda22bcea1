#include "link/LinkCommands.h"

#include "link/HeadSettings.h"

namespace hx {

namespace {

bool validHead(int head) { return head >= 0 && head < kHeadCount; }

bool validChannel(int channel) { return channel >= 0 && channel < static_cast<int>(kOrientationChannelCount); }

bool validEntry(int entry) {
    return entry >= static_cast<int>(TransmitEntry::PortLow) && entry <= static_cast<int>(TransmitEntry::EchoSounder);
}

std::uint8_t transmitBit(TransmitEntry e) {
    return e <= TransmitEntry::PortHigh ? kXmitPortOff : kXmitStarboardOff;
}

}  // namespace

int transmitEntryHead(TransmitEntry entry, const LinkFields& link) {
    if (entry == TransmitEntry::EchoSounder) return kHeadES;
    const int column = static_cast<int>(entry) % 3;  // 0 Low, 1 Medium, 2 High
    if (link.allSideScansAvailable != 0) return column;
    if (column == 1) return -1;
    const int head = column == 0 ? link.displayHeadA : link.displayHeadB;
    return validHead(head) ? head : -1;
}

unsigned runLinkCommand(const LinkCommand& c, HeadTable& heads, const LinkFields& link, OrientationFilters& filters) {
    if (c.action == LinkAction::ToggleFilter) {
        if (!validChannel(c.arg)) return kEffectNone;
        auto& f = filters.channel[static_cast<std::size_t>(c.arg)];
        f.enabled = f.enabled != 0 ? 0 : 1;
        return kEffectNone;
    }
    if (link.playbackMode != 0) return kEffectNone;

    switch (c.action) {
    case LinkAction::RangeUp: return sideScanRangeUp(heads) ? kEffectRefreshControlBar : kEffectNone;
    case LinkAction::RangeDown: return sideScanRangeDown(heads) ? kEffectRefreshControlBar : kEffectNone;
    case LinkAction::GainUp:
        sideScanGainUp(heads);
        return kEffectRefreshControlBar;
    case LinkAction::GainDown:
        sideScanGainDown(heads);
        return kEffectRefreshControlBar;
    case LinkAction::SelectRange:
        selectSideScanRange(heads, c.arg);
        return kEffectRedrawViews | kEffectRefreshControlBar;
    case LinkAction::ToggleTransmit: {
        if (!validEntry(c.arg)) return kEffectNone;
        const auto entry = static_cast<TransmitEntry>(c.arg);
        const int head = transmitEntryHead(entry, link);
        if (head >= 0) toggleXmitBit(heads, head, transmitBit(entry));
        return kEffectNone;
    }
    case LinkAction::ToggleAvailable: {
        if (!validHead(c.arg)) return kEffectNone;
        auto& available = heads.headAvailable[static_cast<std::size_t>(c.arg)];
        available = available != 0 ? 0 : 1;
        return kEffectRebuildConnections;
    }
    case LinkAction::ToggleFilter: break;
    }
    return kEffectNone;
}

LinkCommandState linkCommandState(const LinkCommand& c, const HeadTable& heads, const LinkFields& link,
                                  const OrientationFilters& filters) {
    LinkCommandState s;
    if (c.action == LinkAction::ToggleFilter) {
        s.enabled = true;
        s.checked = validChannel(c.arg) && filters.channel[static_cast<std::size_t>(c.arg)].enabled != 0;
        return s;
    }
    s.enabled = link.playbackMode == 0;
    switch (c.action) {
    case LinkAction::SelectRange: s.checked = heads.sideScanRangeIndex == c.arg; break;
    case LinkAction::ToggleTransmit: {
        if (!validEntry(c.arg)) break;
        const auto entry = static_cast<TransmitEntry>(c.arg);
        const int head = transmitEntryHead(entry, link);
        s.checked = head >= 0 && (heads.headXmitControl[static_cast<std::size_t>(head)] & transmitBit(entry)) != 0;
        break;
    }
    case LinkAction::ToggleAvailable:
        s.checked = validHead(c.arg) && heads.headAvailable[static_cast<std::size_t>(c.arg)] == 0;
        break;
    default: break;
    }
    return s;
}

}  // namespace hx
