#include "export/XtfChannels.h"

#include <string>

namespace hx {

std::vector<XtfFileChannel> xtfSideScanChannels(const SideScanPresence& present,
                                                const std::array<double, kSideScanHeadCount>& frequencyKHz) {
    static constexpr const char* kLetters[kSideScanHeadCount] = {"L", "M", "H"};
    std::vector<XtfFileChannel> out;
    for (int h = 0; h < kSideScanHeadCount; ++h) {
        if (!present[static_cast<std::size_t>(h)]) continue;
        const double kHz = frequencyKHz[static_cast<std::size_t>(h)];
        out.push_back({XtfSide::Port, std::string(kLetters[h]) + " PORT", kHz});
        out.push_back({XtfSide::Starboard, std::string(kLetters[h]) + " STBD", kHz});
    }
    return out;
}

std::optional<std::uint16_t> xtfChannelOf(const SideScanPresence& present, int head, XtfSide side) {
    if (head < 0 || head >= kSideScanHeadCount || !present[static_cast<std::size_t>(head)]) return std::nullopt;
    int before = 0;
    for (int h = 0; h < head; ++h) before += present[static_cast<std::size_t>(h)] ? 1 : 0;
    return static_cast<std::uint16_t>(2 * before + (side == XtfSide::Starboard ? 1 : 0));
}

}  // namespace hx
