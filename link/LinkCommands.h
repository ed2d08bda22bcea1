// The link's menu and toolbar commands (range, gain, transmit disable, head
// availability, orientation filter switches): what each does to the head
// table, and the state its menu entry shows. Effects outside the head table
// (control bar refresh, view redraw, rebuilding the connections) are returned
// for the caller to carry out.
#pragma once

#include <cstdint>

#include "link/LinkState.h"
#include "link/OrientationState.h"

namespace hx {

namespace linkcmd {
inline constexpr int kRangeUp = 32791;
inline constexpr int kRangeDown = 32793;
inline constexpr int kGainUp = 32795;
inline constexpr int kGainDown = 32797;
inline constexpr int kRangeChoiceFirst = 32872;  // 10 m (index 5)
inline constexpr int kRangeChoiceLast = 32882;   // 200 m (index 15)
inline constexpr int kRangeChoiceIndexBase = 32867;
inline constexpr int kXmitPortLow = 41031;
inline constexpr int kXmitPortMedium = 41032;
inline constexpr int kXmitPortHigh = 41033;
inline constexpr int kXmitStbdLow = 41034;
inline constexpr int kXmitStbdMedium = 41035;
inline constexpr int kXmitStbdHigh = 41036;
inline constexpr int kXmitEchoSounder = 41037;
inline constexpr int kNotAvailableFirst = 41040;  // L, M, H, ES
inline constexpr int kNotAvailableLast = 41043;
inline constexpr int kRollFilter = 41020;
inline constexpr int kPitchFilter = 41021;
inline constexpr int kHeadingFilter = 41022;
inline constexpr int kTemperatureFilter = 41023;
inline constexpr int kDepthFilter = 41024;
inline constexpr int kAltitudeFilter = 41025;
}  // namespace linkcmd

// Bit set of what the caller must do after a command.
enum LinkCommandEffect : unsigned {
    kEffectNone = 0,
    kEffectHandled = 1u << 0,             // the id is a link command
    kEffectRefreshControlBar = 1u << 1,
    kEffectRedrawViews = 1u << 2,
    kEffectRebuildConnections = 1u << 3,  // run AcquisitionCycle::availabilityChanged()
};

struct LinkCommandState {
    bool handled = false;  // false: not one of these commands
    bool enabled = false;
    bool checked = false;
};

// Runs a command. Range, gain, transmit and availability commands act only in
// real-time mode; the filter switches in both modes.
unsigned runLinkCommand(int commandId, HeadTable& heads, const LinkFields& link, OrientationFilters& filters);

// Enabled and check mark of a command's menu entry.
LinkCommandState linkCommandState(int commandId, const HeadTable& heads, const LinkFields& link,
                                  const OrientationFilters& filters);

// The head a transmit entry acts on, or -1: "Low", "Medium", "High" are heads
// L, M, H with all three sidescan heads; otherwise "Low" and "High" are the
// display pair and "Medium" acts on none.
int xmitEntryHead(int commandId, const LinkFields& link);

}  // namespace hx
