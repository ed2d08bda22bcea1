// Reassembles one head's replies from the TCP byte stream. Each request says
// what comes back: after a data request exactly 1128 bytes, after a system
// information request exactly 256. Bytes that arrive while no reply is
// expected, or beyond the expected reply, are discarded, so a reply split
// over several segments is put together and a 1129-byte reply still works.
// Surplus bytes of the previous reply can still arrive after the next request
// has gone out; a data reply whose half indicator (byte 10) is neither 0x00
// nor 0x10 is therefore realigned by skipping up to 4 leading bytes when that
// finds a valid indicator, and otherwise delivered as it came.
// Changed only by expect(), feed() and reset().
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "core/Heads.h"

namespace hx {

enum class ExpectedReply { None, Data, SystemInfo };

class ReplyFramer {
public:
    // A request was just sent: forget any partial reply and wait for this one.
    void expect(ExpectedReply kind);
    // The connection was opened, closed or rebuilt.
    void reset() { expect(ExpectedReply::None); }

    // Consumes one received chunk, all of it. Returns the reply when this
    // chunk completes it; the view stays valid until the next reply
    // completes. Bytes after the completed reply in the same chunk are dropped.
    std::optional<std::span<const std::uint8_t>> feed(std::span<const std::uint8_t> chunk);

    ExpectedReply expected() const { return expected_; }
    std::size_t buffered() const { return filled_; }
    // Bytes thrown away since construction (stray or surplus).
    std::size_t discarded() const { return discarded_; }

    static std::size_t replyLength(ExpectedReply kind);
    static constexpr std::size_t kMaxRealignBytes = 4;

private:
    void realign();

    ExpectedReply expected_ = ExpectedReply::None;
    std::size_t filled_ = 0;
    bool aligned_ = false;
    std::size_t discarded_ = 0;
    std::array<std::uint8_t, kDataReplyBytes> buffer_{};
    std::array<std::uint8_t, kDataReplyBytes> complete_{};
};

}  // namespace hx
