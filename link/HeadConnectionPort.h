// The link's view of the four TCP head connections: it asks the port to
// connect, send and close by head number, and the port reports what happened
// through IHeadConnectionEvents on the same thread, never from inside a call
// to the port itself.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace hx {

inline constexpr std::uint16_t kDefaultHeadPort = 4040;

class IHeadConnectionPort {
public:
    virtual ~IHeadConnectionPort() = default;
    // Drops any previous connection of the head and starts a non-blocking
    // connect to the dotted IPv4 address; the outcome comes as onConnected or
    // onError. No event of the dropped connection arrives afterwards.
    virtual void connect(int head, const std::string& address, std::uint16_t port) = 0;
    // Queues the bytes on the head's connection; ignored when it is not up.
    virtual void send(int head, std::span<const std::uint8_t> bytes) = 0;
    // Shuts the connection down; no further event comes from it.
    virtual void close(int head) = 0;
};

class IHeadConnectionEvents {
public:
    virtual ~IHeadConnectionEvents() = default;
    virtual void onConnected(int head) = 0;
    virtual void onBytesReceived(int head, std::span<const std::uint8_t> bytes) = 0;
    // The peer closed the connection.
    virtual void onClosed(int head) = 0;
    // A connect attempt failed, or an open connection broke.
    virtual void onError(int head, const std::string& text) = 0;
};

}  // namespace hx
