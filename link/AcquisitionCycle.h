// Drives the heads in real time: requests the system information, connects
// every available head, polls them in turn (first half, then second half of
// each head's ping), completes the cycle, and rebuilds the connections when
// the 3-second watchdog finds the link silent. Changed only by the operator's
// link commands, the connection events and the watchdog expiry, all on one
// thread; it writes the head table, the link fields and the cycle values.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "core/Clock.h"
#include "core/Notifier.h"
#include "core/TimerPort.h"
#include "link/CycleSink.h"
#include "link/HeadConnectionPort.h"
#include "link/LinkState.h"
#include "link/ReplyFramer.h"

namespace hx {

inline constexpr int kLinkWatchdogMs = 3000;
inline constexpr const char* kSystemErrorText = "system error! ";

struct LinkPorts {
    IHeadConnectionPort& connections;
    ITimerPort& timers;
    IClock& clock;
    INotifier& notifier;
    ICycleSink& sink;
    ILinkObserver* observer = nullptr;
};

class AcquisitionCycle final : public IHeadConnectionEvents {
public:
    AcquisitionCycle(HeadTable& heads, LinkFields& link, CycleValues& cycle, LinkPorts ports);

    // TCP port of every head, or of one head (a simulator may give each its own).
    void setHeadPort(std::uint16_t port);
    void setHeadPort(int head, std::uint16_t port);
    std::uint16_t headPort(int head) const;

    // Real-time mode: playbackMode = 0 and the watchdog armed. The caller
    // closes a played file and reloads the settings first.
    void enterRealTimeMode();
    // The operator confirmed the connection dialog: head L's address becomes
    // the typed one and the system information is requested over it. Open
    // connections are closed first so that the link starts clean.
    void requestSystemInformation(const std::string& head0Address);
    // The reconnect command: close all connections, connect all available heads.
    void reconnect();
    // A file is opened for playback: the link is closed and the watchdog stays off.
    void enterPlaybackMode();
    // The "Not Available" commands changed a head's availability: the head
    // count and display pair follow the flags and the connections are rebuilt.
    void availabilityChanged();

    void connectHead(int head);
    void connectAllAvailable();
    void closeAll();

    // Expiry of a timer; only the link watchdog concerns the link.
    void onTimer(TimerId id);

    void onConnected(int head) override;
    void onBytesReceived(int head, std::span<const std::uint8_t> bytes) override;
    void onClosed(int head) override;
    void onError(int head, const std::string& text) override;

    bool isConnected(int head) const;
    const ReplyFramer& framer(int head) const { return framers_[static_cast<std::size_t>(head)]; }

private:
    enum class Socket { Closed, Connecting, Open };

    static bool validHead(int head) { return head >= 0 && head < kHeadCount; }
    void armWatchdog();
    void stopWatchdog();
    void sendCommand(int head);
    void dropConnection(int head);
    void connectFinished(int head, bool ok);
    void handleReply(int head, std::span<const std::uint8_t> reply);
    void handleSystemInfo(std::span<const std::uint8_t> reply);
    void nextHead(int head);
    void completeCycle();
    CycleView view() const { return {heads_, link_, cycle_}; }

    HeadTable& heads_;
    LinkFields& link_;
    CycleValues& cycle_;
    LinkPorts ports_;

    std::array<std::uint16_t, kHeadCount> headPorts_{kDefaultHeadPort, kDefaultHeadPort, kDefaultHeadPort,
                                                     kDefaultHeadPort};
    std::array<Socket, kHeadCount> sockets_{};
    std::array<ReplyFramer, kHeadCount> framers_{};
    // One "system error! " box until the link works again, not one per rebuild.
    bool systemErrorShown_ = false;
};

}  // namespace hx
