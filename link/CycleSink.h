// What the acquisition cycle hands on. A completed poll cycle is the state it
// leaves in the head table and the cycle values; the sink reads it there
// (ping-to-line processing, the recorder, a command-line recorder).
#pragma once

#include "link/CycleStatus.h"
#include "link/LinkState.h"

namespace hx {

struct CycleView {
    const HeadTable& heads;
    const LinkFields& link;
    const CycleValues& cycle;
};

class ICycleSink {
public:
    virtual ~ICycleSink() = default;
    // Every completed cycle, good or refused: status says which (a cycle
    // with an error flag in an available head's status byte is refused).
    virtual void onCycleComplete(const CycleView& cycle, const CycleStatus& status) = 0;
};

// Changes that windows follow; every hook is optional.
class ILinkObserver {
public:
    virtual ~ILinkObserver() = default;
    // Availability, frequencies and addresses changed: rebuild menus and layout.
    virtual void onSystemInfoDecoded() {}
    // A connection attempt finished, well or not: refresh the diagnostics.
    virtual void onConnectionChanged(int /*head*/) {}
    // Every connection was closed and the available heads are being
    // connected again (watchdog expiry, or a head that went away).
    virtual void onLinkRebuilt() {}
};

}  // namespace hx
