#include "tools/headsim/model/HeadCommand.h"

#include "core/ByteIO.h"

#include <algorithm>

namespace hx::sim {

std::optional<HeadRequest> parseCommand(std::span<const std::uint8_t> message) {
    if (message.size() != kCommandBytes) return std::nullopt;
    if (message[0] != kStartOfMessage || message[kCommandBytes - 1] != kEndOfMessage) return std::nullopt;
    HeadRequest r;
    switch (message[1]) {
        case kDataRequest: r.kind = HeadRequest::Kind::Data; break;
        case kSystemInfoRequest: r.kind = HeadRequest::Kind::SystemInfo; break;
        default: return std::nullopt;
    }
    const std::uint8_t half = message[10];
    if (r.kind == HeadRequest::Kind::Data && half != kFirstHalf && half != kSecondHalf) return std::nullopt;
    r.secondHalf = half == kSecondHalf;
    r.transmitControl = message[12];
    r.headKind = message[15];
    r.frequencyHz = readU32Le(message, 30).value_or(0);
    r.rangeM = readU16Le(message, 34).value_or(0);
    r.gainDb = message[38];
    return r;
}

void CommandFramer::push(std::span<const std::uint8_t> bytes) {
    compact();
    buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
}

std::optional<CommandMessage> CommandFramer::next() {
    for (;;) {
        const auto begin = buffer_.begin() + static_cast<std::ptrdiff_t>(start_);
        const auto found = std::find(begin, buffer_.end(), kStartOfMessage);
        const auto skipped = static_cast<std::size_t>(found - begin);
        discarded_ += skipped;
        start_ += skipped;
        if (buffer_.size() - start_ < kCommandBytes) return std::nullopt;
        const std::uint8_t* p = buffer_.data() + start_;
        const bool known = p[1] == kDataRequest || p[1] == kSystemInfoRequest;
        if (known && p[kCommandBytes - 1] == kEndOfMessage) {
            CommandMessage m;
            std::copy(p, p + kCommandBytes, m.begin());
            start_ += kCommandBytes;
            return m;
        }
        // Not a command after all: this 0xFE was data or garbage.
        ++start_;
        ++discarded_;
    }
}

void CommandFramer::compact() {
    if (start_ == 0) return;
    buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(start_));
    start_ = 0;
}

}  // namespace hx::sim
