#include "link/ReplyFramer.h"

#include <algorithm>

namespace hx {

std::size_t ReplyFramer::replyLength(ExpectedReply kind) {
    switch (kind) {
    case ExpectedReply::Data: return kDataReplyBytes;
    case ExpectedReply::SystemInfo: return kSystemInfoBytes;
    case ExpectedReply::None: break;
    }
    return 0;
}

void ReplyFramer::expect(ExpectedReply kind) {
    expected_ = kind;
    filled_ = 0;
    aligned_ = kind != ExpectedReply::Data;
}

namespace {
constexpr std::size_t kHalfIndicatorOffset = 10;
bool validHalf(std::uint8_t b) { return b == 0x00 || b == 0x10; }
}  // namespace

void ReplyFramer::realign() {
    // Called once the first 15 bytes of a data reply are in.
    aligned_ = true;
    if (validHalf(buffer_[kHalfIndicatorOffset])) return;
    for (std::size_t k = 1; k <= kMaxRealignBytes; ++k) {
        if (!validHalf(buffer_[kHalfIndicatorOffset + k])) continue;
        std::copy(buffer_.begin() + static_cast<std::ptrdiff_t>(k),
                  buffer_.begin() + static_cast<std::ptrdiff_t>(filled_), buffer_.begin());
        filled_ -= k;
        discarded_ += k;
        return;
    }
}

std::optional<std::span<const std::uint8_t>> ReplyFramer::feed(std::span<const std::uint8_t> chunk) {
    const std::size_t want = replyLength(expected_);
    if (want == 0) {
        discarded_ += chunk.size();
        return std::nullopt;
    }
    constexpr std::size_t kAlignWindow = kHalfIndicatorOffset + kMaxRealignBytes + 1;
    while (!chunk.empty()) {
        // Until the alignment is settled, take no more than its window.
        const std::size_t room = aligned_ ? want - filled_ : kAlignWindow - filled_;
        const std::size_t take = std::min(chunk.size(), room);
        std::copy_n(chunk.begin(), take, buffer_.begin() + static_cast<std::ptrdiff_t>(filled_));
        filled_ += take;
        chunk = chunk.subspan(take);
        if (!aligned_) {
            if (filled_ < kAlignWindow) return std::nullopt;
            realign();
            continue;
        }
        if (filled_ == want) break;
    }
    if (filled_ < want) return std::nullopt;

    // Complete: hand out a copy so that a request sent while the reply is
    // being handled cannot overwrite it, and drop the rest of the chunk.
    discarded_ += chunk.size();
    std::copy_n(buffer_.begin(), want, complete_.begin());
    expected_ = ExpectedReply::None;
    filled_ = 0;
    return std::span<const std::uint8_t>(complete_.data(), want);
}

}  // namespace hx
