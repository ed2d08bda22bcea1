// The XTF channels of our sidescan heads: for each head present, in head
// order L, M, H, its port side and then its starboard side, so that a
// recording with all three heads has six channels and one with only H has
// two. A head's echo line already holds what each channel wants: port
// samples from far to near, then starboard samples from near to far.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/Heads.h"
#include "export/XtfInput.h"

namespace hx {

using SideScanPresence = std::array<bool, kSideScanHeadCount>;

// Named "L PORT", "L STBD", "M PORT", ...
std::vector<XtfFileChannel> xtfSideScanChannels(const SideScanPresence& present,
                                                const std::array<double, kSideScanHeadCount>& frequencyKHz);

// The channel number of one side of a sidescan head, or nullopt when that
// head is not present (or head is not a sidescan head).
std::optional<std::uint16_t> xtfChannelOf(const SideScanPresence& present, int head, XtfSide side);

}  // namespace hx
