// IHeadConnectionPort for tests with four scripted heads behind it. Every
// outcome (connected, reply bytes, close, error) is queued and handed to the
// link only when the test calls step() or runUntil(), never from inside a
// port call, as the real port behaves. A dropped connection's queued events
// are discarded.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "core/TimerPort.h"
#include "link/HeadConnectionPort.h"
#include "LinkTestMessages.h"

namespace hx::test {

struct HeadScript {
    bool reachable = true;       // false: every connect attempt fails
    bool silent = false;         // accepts requests, never answers
    bool answerSystemInfo = true;
    std::uint8_t status = 0x00;  // status byte of its data replies
    std::size_t chunkBytes = 0;  // >0: replies arrive in chunks of this size
    std::size_t extraBytes = 0;  // bytes appended to each data reply
    int closeAfterReplies = -1;  // >=0: the peer closes after this many replies
    std::uint8_t halfOverride = 0xFF;  // != 0xFF: half indicator sent instead
    std::size_t replyBytes = kDataReplyBytes;
};

class FakeHeadNetwork final : public IHeadConnectionPort {
public:
    struct Request {
        int head;
        std::uint8_t code;  // command byte 1
        std::uint8_t half;  // command byte 10
        bool watchdogActive;  // the watchdog must be stopped at every send
        std::vector<std::uint8_t> bytes;
    };
    struct Connect {
        int head;
        std::string address;
        std::uint16_t port;
    };

    explicit FakeHeadNetwork(const ITimerPort* timers = nullptr) : timers_(timers) {}
    void attach(IHeadConnectionEvents* events) { events_ = events; }

    std::array<HeadScript, 4> script{};
    std::vector<std::uint8_t> systemInfo;           // served on 0x99 by any head
    std::array<std::uint8_t, 12> sensorBlock{};     // ES second-half data bytes 0..11

    std::vector<Request> requests;
    std::vector<Connect> connects;
    std::vector<int> closes;
    std::array<bool, 4> open{};

    void connect(int head, const std::string& address, std::uint16_t port) override {
        const auto h = static_cast<std::size_t>(head);
        ++generation_[h];
        open[h] = false;
        replies_[h] = 0;
        connects.push_back({head, address, port});
        if (script[h].reachable)
            push(head, Kind::Connected);
        else
            push(head, Kind::Error, {}, "Connection refused");
    }

    void send(int head, std::span<const std::uint8_t> bytes) override {
        const auto h = static_cast<std::size_t>(head);
        if (!open[h]) return;
        const bool wd = timers_ != nullptr && timers_->isActive(TimerId::LinkWatchdog);
        requests.push_back({head, bytes.size() > 1 ? bytes[1] : std::uint8_t{0},
                            bytes.size() > 10 ? bytes[10] : std::uint8_t{0}, wd, {bytes.begin(), bytes.end()}});
        const HeadScript& s = script[h];
        if (s.silent) return;
        std::vector<std::uint8_t> reply;
        if (bytes.size() > 1 && bytes[1] == 0x99) {
            if (!s.answerSystemInfo) return;
            reply = systemInfo;
        } else {
            const std::uint8_t half = s.halfOverride != 0xFF ? s.halfOverride : bytes[10];
            reply = makeDataReply(head, half, s.status, s.replyBytes);
            if (head == 3 && half == 0x10)
                for (std::size_t i = 0; i < sensorBlock.size(); ++i) reply[127 + i] = sensorBlock[i];
            reply.insert(reply.end(), s.extraBytes, 0x5A);
        }
        if (s.chunkBytes == 0) {
            push(head, Kind::Bytes, reply);
        } else {
            for (std::size_t at = 0; at < reply.size(); at += s.chunkBytes) {
                const std::size_t n = std::min(s.chunkBytes, reply.size() - at);
                push(head, Kind::Bytes, {reply.begin() + static_cast<std::ptrdiff_t>(at),
                                         reply.begin() + static_cast<std::ptrdiff_t>(at + n)});
            }
        }
        ++replies_[h];
        if (s.closeAfterReplies >= 0 && replies_[h] >= s.closeAfterReplies) push(head, Kind::Closed);
    }

    void close(int head) override {
        const auto h = static_cast<std::size_t>(head);
        ++generation_[h];
        open[h] = false;
        closes.push_back(head);
    }

    // The peer closes, or the connection breaks with an error.
    void peerClose(int head) { push(head, Kind::Closed); }
    void breakConnection(int head, const std::string& text) { push(head, Kind::Error, {}, text); }
    // Bytes from the head that answer nothing.
    void inject(int head, std::vector<std::uint8_t> bytes) { push(head, Kind::Bytes, std::move(bytes)); }

    // Delivers one queued event; false when nothing is queued.
    bool step() {
        while (!queue_.empty()) {
            Event e = std::move(queue_.front());
            queue_.pop_front();
            const auto h = static_cast<std::size_t>(e.head);
            if (e.generation != generation_[h]) continue;  // that connection was dropped
            switch (e.kind) {
            case Kind::Connected:
                open[h] = true;
                events_->onConnected(e.head);
                break;
            case Kind::Bytes: events_->onBytesReceived(e.head, e.bytes); break;
            case Kind::Closed:
                open[h] = false;
                ++generation_[h];
                events_->onClosed(e.head);
                break;
            case Kind::Error:
                if (!open[h]) ++generation_[h];
                events_->onError(e.head, e.text);
                break;
            }
            return true;
        }
        return false;
    }

    // Delivers events until the condition holds or nothing is left; bounded.
    bool runUntil(const std::function<bool()>& done, int maxEvents = 200000) {
        for (int i = 0; i < maxEvents; ++i) {
            if (done()) return true;
            if (!step()) return done();
        }
        return done();
    }
    void runUntilIdle(int maxEvents = 200000) {
        for (int i = 0; i < maxEvents && step(); ++i) {
        }
    }
    bool idle() const { return queue_.empty(); }

    // The data requests as "L0 L1 M0 ..." from request index `from`.
    std::string dataOrder(std::size_t from = 0) const {
        static const char* names[] = {"L", "M", "H", "E"};
        std::string out;
        for (std::size_t i = from; i < requests.size(); ++i) {
            if (requests[i].code != 0x44) continue;
            if (!out.empty()) out += ' ';
            out += names[requests[i].head];
            out += requests[i].half == 0x10 ? '1' : '0';
        }
        return out;
    }

private:
    enum class Kind { Connected, Bytes, Closed, Error };
    struct Event {
        int head;
        std::uint64_t generation;
        Kind kind;
        std::vector<std::uint8_t> bytes;
        std::string text;
    };
    void push(int head, Kind kind, std::vector<std::uint8_t> bytes = {}, std::string text = {}) {
        queue_.push_back({head, generation_[static_cast<std::size_t>(head)], kind, std::move(bytes), std::move(text)});
    }

    const ITimerPort* timers_;
    IHeadConnectionEvents* events_ = nullptr;
    std::deque<Event> queue_;
    std::array<std::uint64_t, 4> generation_{};
    std::array<int, 4> replies_{};
};

}  // namespace hx::test
