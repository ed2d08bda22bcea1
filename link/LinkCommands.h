// The link's menu and toolbar commands (range, gain, transmit disable, head
// availability, orientation filter switches): what each does to the head
// table, and the state its menu entry shows. Effects outside the head table
// (control bar refresh, view redraw, rebuilding the connections) are returned
// for the caller to carry out. The program maps its command ids to these.
#pragma once

#include <cstdint>

#include "link/LinkState.h"
#include "link/OrientationState.h"

namespace hx {

enum class LinkAction {
    RangeUp,
    RangeDown,
    GainUp,
    GainDown,
    SelectRange,      // arg: range table index, 5 (10 m) .. 15 (200 m)
    ToggleTransmit,   // arg: a TransmitEntry
    ToggleAvailable,  // arg: head number, the "Not Available" entries
    ToggleFilter,     // arg: an OrientationChannel
};

// The transmit-disable entries: port and starboard of "Low", "Medium",
// "High", and the echo sounder.
enum class TransmitEntry : int { PortLow, PortMedium, PortHigh, StbdLow, StbdMedium, StbdHigh, EchoSounder };

struct LinkCommand {
    LinkAction action = LinkAction::RangeUp;
    int arg = 0;

    static constexpr LinkCommand rangeChoice(int index) { return {LinkAction::SelectRange, index}; }
    static constexpr LinkCommand transmit(TransmitEntry e) { return {LinkAction::ToggleTransmit, static_cast<int>(e)}; }
    static constexpr LinkCommand notAvailable(int head) { return {LinkAction::ToggleAvailable, head}; }
    static constexpr LinkCommand filter(OrientationChannel c) { return {LinkAction::ToggleFilter, static_cast<int>(c)}; }
};

// Bit set of what the caller must do after a command.
enum LinkCommandEffect : unsigned {
    kEffectNone = 0,
    kEffectRefreshControlBar = 1u << 1,
    kEffectRedrawViews = 1u << 2,
    kEffectRebuildConnections = 1u << 3,  // run AcquisitionCycle::availabilityChanged()
};

struct LinkCommandState {
    bool enabled = false;
    bool checked = false;
};

// Runs a command. Range, gain, transmit and availability commands act only in
// real-time mode; the filter switches in both modes.
unsigned runLinkCommand(const LinkCommand& command, HeadTable& heads, const LinkFields& link,
                        OrientationFilters& filters);

// Enabled and check mark of a command's menu entry.
LinkCommandState linkCommandState(const LinkCommand& command, const HeadTable& heads, const LinkFields& link,
                                  const OrientationFilters& filters);

// The head a transmit entry acts on, or -1: "Low", "Medium", "High" are heads
// L, M, H with all three sidescan heads; otherwise "Low" and "High" are the
// display pair and "Medium" acts on none.
int transmitEntryHead(TransmitEntry entry, const LinkFields& link);

}  // namespace hx
