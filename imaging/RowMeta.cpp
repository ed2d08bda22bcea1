#include "imaging/RowMeta.h"

#include <algorithm>

namespace hx {

RowStamp MakeRowStamp(std::string_view timeText, std::string_view millisecondsText) {
    RowStamp s{};
    const std::size_t timeLen = std::min<std::size_t>(timeText.size(), 8);
    std::copy_n(timeText.begin(), timeLen, s.begin());
    if (!millisecondsText.empty() && millisecondsText.front() == '.') millisecondsText.remove_prefix(1);
    const std::size_t msLen = std::min<std::size_t>(millisecondsText.size(), 3);
    std::copy_n(millisecondsText.begin(), msLen, s.begin() + 8);
    return s;
}

std::string StampTimeText(const RowStamp& stamp) {
    std::string text;
    for (std::size_t i = 0; i < 8 && stamp[i] != '\0'; ++i) text.push_back(stamp[i]);
    return text;
}

}  // namespace hx
