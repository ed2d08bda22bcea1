// What the acquisition cycle hands on. A completed poll cycle is the state it
// leaves in the head table and the cycle values; the sink reads it there
// (ping-to-line processing, the recorder, a command-line recorder).
#pragma once

#include "link/LinkState.h"
#include "link/OrientationState.h"

namespace hx {

struct CycleView {
    const HeadTable& heads;
    const LinkFields& link;
    const CycleValues& cycle;
    const OrientationState& orientation;
};

class ICycleSink {
public:
    virtual ~ICycleSink() = default;
    // A cycle with no error flag in any available head's status byte.
    virtual void onCycleComplete(const CycleView& cycle) = 0;
};

// Changes that windows follow; every hook is optional.
class ILinkObserver {
public:
    virtual ~ILinkObserver() = default;
    // Availability, frequencies and addresses changed: rebuild menus and layout.
    virtual void onSystemInfoDecoded() {}
    // A cycle was refused for error flags: refresh the diagnostics.
    virtual void onCycleRejected(const CycleView&) {}
    // A connection attempt finished, well or not: refresh the diagnostics.
    virtual void onConnectionChanged(int /*head*/) {}
    // Every connection was closed and the available heads are being
    // connected again (watchdog expiry, or a head that went away).
    virtual void onLinkRebuilt() {}
};

}  // namespace hx
