#include "link/AcquisitionCycle.h"

#include <algorithm>

#include "link/CommandMessages.h"
#include "link/CycleStatus.h"
#include "link/DataReply.h"
#include "link/DisplayPair.h"
#include "link/SystemInfoDecode.h"

namespace hx {

AcquisitionCycle::AcquisitionCycle(HeadTable& heads, LinkFields& link, CycleValues& cycle, LinkPorts ports)
    : heads_(heads), link_(link), cycle_(cycle), ports_(ports) {
    sockets_.fill(Socket::Closed);
}

void AcquisitionCycle::setHeadPort(std::uint16_t port) { headPorts_.fill(port); }

void AcquisitionCycle::setHeadPort(int head, std::uint16_t port) {
    if (validHead(head)) headPorts_[static_cast<std::size_t>(head)] = port;
}

std::uint16_t AcquisitionCycle::headPort(int head) const {
    return validHead(head) ? headPorts_[static_cast<std::size_t>(head)] : kDefaultHeadPort;
}

bool AcquisitionCycle::isConnected(int head) const {
    return validHead(head) && link_.headConnected[static_cast<std::size_t>(head)] != 0;
}

void AcquisitionCycle::armWatchdog() { ports_.timers.start(TimerId::LinkWatchdog, kLinkWatchdogMs, true); }

void AcquisitionCycle::stopWatchdog() { ports_.timers.stop(TimerId::LinkWatchdog); }

// --- Modes and commands ---------------------------------------------------

void AcquisitionCycle::enterRealTimeMode() {
    link_.playbackMode = 0;
    armWatchdog();
}

void AcquisitionCycle::requestSystemInformation(const std::string& head0Address) {
    closeAll();
    heads_.headIpAddress[kHeadL] = head0Address;
    link_.sysInfoPending = 1;
    link_.sysInfoReceived = 0;
    link_.sysInfoTries = 1;
    link_.sysInfoSince = ports_.clock.localTime();
    connectHead(kHeadL);
}

void AcquisitionCycle::reconnect() {
    closeAll();
    connectAllAvailable();
}

void AcquisitionCycle::enterPlaybackMode() {
    closeAll();
    stopWatchdog();
    link_.playbackMode = 1;
}

void AcquisitionCycle::availabilityChanged() {
    // Without this the head count keeps the old number of heads and polling
    // would wait for a connection that is never made.
    applyDisplayPair(heads_.headAvailable, link_);
    if (link_.playbackMode != 0) return;
    closeAll();
    connectAllAvailable();
}

// --- Connections ------------------------------------------------------------

void AcquisitionCycle::connectHead(int head) {
    if (!validHead(head)) return;
    const auto h = static_cast<std::size_t>(head);
    link_.headConnected[h] = 0;
    framers_[h].reset();
    sockets_[h] = Socket::Connecting;
    ports_.connections.connect(head, heads_.headIpAddress[h], headPorts_[h]);
}

void AcquisitionCycle::connectAllAvailable() {
    link_.pollIndex = 0;  // counts successful connections until polling starts
    for (int h = 0; h < kHeadCount; ++h)
        if (heads_.headAvailable[static_cast<std::size_t>(h)] != 0 && !isConnected(h)) connectHead(h);
}

void AcquisitionCycle::dropConnection(int head) {
    const auto h = static_cast<std::size_t>(head);
    link_.headConnected[h] = 0;
    framers_[h].reset();
    sockets_[h] = Socket::Closed;
    ports_.connections.close(head);
}

void AcquisitionCycle::closeAll() {
    for (int h = 0; h < kHeadCount; ++h) dropConnection(h);
}

void AcquisitionCycle::sendCommand(int head) {
    const auto h = static_cast<std::size_t>(head);
    const CommandMessage& cmd = heads_.headCommand[h];
    framers_[h].expect(cmd[kCommandCodeOffset] == kCommandSystemInfoRequest ? ExpectedReply::SystemInfo
                                                                            : ExpectedReply::Data);
    const auto length = static_cast<std::size_t>(std::clamp<std::int32_t>(link_.commandLength, 0,
                                                                          static_cast<std::int32_t>(kCommandBytes)));
    ports_.connections.send(head, std::span<const std::uint8_t>(cmd.data(), length));
}

// --- Connection events ------------------------------------------------------

void AcquisitionCycle::onConnected(int head) {
    if (!validHead(head) || sockets_[static_cast<std::size_t>(head)] != Socket::Connecting) return;
    sockets_[static_cast<std::size_t>(head)] = Socket::Open;
    connectFinished(head, true);
}

void AcquisitionCycle::connectFinished(int head, bool ok) {
    const auto h = static_cast<std::size_t>(head);
    stopWatchdog();
    const bool realTime = link_.playbackMode == 0;
    if (!ok) {
        if (realTime) link_.headConnected[h] = 0;
    } else if (realTime && link_.sysInfoPending != 0) {
        // The system information goes over head L's connection, which is
        // not counted as a polling connection.
        if (head == kHeadL) {
            heads_.headCommand[kHeadL][kCommandCodeOffset] = kCommandSystemInfoRequest;
            sendCommand(kHeadL);
        }
    } else if (realTime) {
        link_.headConnected[h] = 1;
        link_.pollIndex += 1;
        if (link_.pollIndex >= link_.availableHeadCount) {
            for (int k = 0; k < kHeadCount; ++k) {
                if (!isConnected(k)) continue;
                link_.pollIndex = k;
                CommandMessage& cmd = heads_.headCommand[static_cast<std::size_t>(k)];
                cmd[kCommandCodeOffset] = kCommandDataRequest;
                cmd[kHalfSelectorOffset] = kHalfFirst;
                sendCommand(k);
                break;
            }
        }
    }
    armWatchdog();
    if (ports_.observer != nullptr) ports_.observer->onConnectionChanged(head);
}

void AcquisitionCycle::onBytesReceived(int head, std::span<const std::uint8_t> bytes) {
    if (!validHead(head)) return;
    if (auto reply = framers_[static_cast<std::size_t>(head)].feed(bytes)) handleReply(head, *reply);
}

void AcquisitionCycle::onClosed(int head) {
    if (!validHead(head)) return;
    const auto h = static_cast<std::size_t>(head);
    const bool wasPolled = link_.headConnected[h] != 0;
    link_.headConnected[h] = 0;
    framers_[h].reset();
    sockets_[h] = Socket::Closed;
    // Skipping a head that went away would complete cycles with its last
    // ping over and over, and record them as new. Rebuild the link instead,
    // as the watchdog would: no cycle completes until every head is back.
    if (wasPolled && link_.playbackMode == 0 && link_.sysInfoPending == 0 && heads_.headAvailable[h] != 0) {
        stopWatchdog();
        link_.linkStale = 1;
        closeAll();
        connectAllAvailable();
        armWatchdog();
        if (ports_.observer) ports_.observer->onLinkRebuilt();
    }
}

void AcquisitionCycle::onError(int head, const std::string& /*text*/) {
    if (!validHead(head)) return;
    const auto h = static_cast<std::size_t>(head);
    if (sockets_[h] == Socket::Connecting) {
        // The connect attempt failed; the watchdog retries.
        sockets_[h] = Socket::Closed;
        connectFinished(head, false);
        return;
    }
    if (sockets_[h] != Socket::Open) return;
    if (!systemErrorShown_) {
        systemErrorShown_ = true;
        ports_.notifier.message(kSystemErrorText, MessageIcon::Error);
    }
}

// --- Replies ----------------------------------------------------------------

void AcquisitionCycle::handleReply(int head, std::span<const std::uint8_t> reply) {
    if (isSystemInfoReply(reply)) {
        handleSystemInfo(reply);
        return;
    }
    if (reply.size() < kDataReplyBytes) {
        // A 256-byte message that is not system information: a short reply.
        link_.linkStale = 1;
        return;
    }
    link_.linkStale = 0;
    const auto h = static_cast<std::size_t>(head);
    switch (replyHalf(reply)) {
    case ReplyHalf::First:
        if (isConnected(head)) storeDataReply(head, reply, heads_);
        stopWatchdog();
        heads_.headCommand[h][kHalfSelectorOffset] = kHalfSecond;
        if (isConnected(head)) sendCommand(head);
        armWatchdog();
        break;
    case ReplyHalf::Second:
        if (isConnected(head)) storeDataReply(head, reply, heads_);
        nextHead(head);
        break;
    case ReplyHalf::Other:
        break;
    }
}

void AcquisitionCycle::handleSystemInfo(std::span<const std::uint8_t> reply) {
    const auto info = parseSystemInfo(reply);
    if (!info) return;
    applySystemInfo(*info, reply.first<kSystemInfoBytes>(), heads_, link_);
    // The frequencies may have changed; the commands carry what the
    // document shows and records.
    updateCommandsFromSettings(heads_);
    dropConnection(kHeadL);
    if (ports_.observer != nullptr) ports_.observer->onSystemInfoDecoded();
    connectAllAvailable();
}

void AcquisitionCycle::nextHead(int head) {
    int next = head + 1;
    bool completed = false;
    if (next >= kHeadCount) {
        next = 0;
        completeCycle();
        completed = true;
        if (link_.playbackMode != 0) return;  // the sink switched to playback
    }
    while (next < kHeadCount && !isConnected(next)) ++next;
    if (next >= kHeadCount) {
        if (!completed) completeCycle();
        if (link_.playbackMode != 0) return;
        next = 0;
        while (next < kHeadCount && !isConnected(next)) ++next;
    }
    if (next >= kHeadCount) {
        // Nothing connected: nothing is sent and the watchdog recovers.
        link_.pollIndex = 0;
        return;
    }
    link_.pollIndex = next;
    stopWatchdog();
    CommandMessage& cmd = heads_.headCommand[static_cast<std::size_t>(next)];
    cmd[kCommandCodeOffset] = kCommandDataRequest;
    cmd[kHalfSelectorOffset] = kHalfFirst;
    sendCommand(next);
    armWatchdog();
}

void AcquisitionCycle::completeCycle() {
    stampCycle(ports_.clock.localTime(), cycle_);
    const CycleStatus status = readCycleStatus(heads_);
    if (status.good()) {
        link_.linkStale = 0;
        systemErrorShown_ = false;
    }
    ports_.sink.onCycleComplete(view(), status);
}

// --- Watchdog -----------------------------------------------------------------

void AcquisitionCycle::onTimer(TimerId id) {
    if (id != TimerId::LinkWatchdog) return;
    stopWatchdog();
    if (link_.playbackMode != 0) return;
    link_.linkStale = 1;
    if (link_.sysInfoPending != 0) {
        ++link_.sysInfoTries;
        connectHead(kHeadL);
    } else {
        closeAll();
        connectAllAvailable();
        if (ports_.observer) ports_.observer->onLinkRebuilt();
    }
    armWatchdog();
}

}  // namespace hx
