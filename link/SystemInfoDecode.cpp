#include "link/SystemInfoDecode.h"

#include <algorithm>
#include <cstdio>

#include "core/ByteIO.h"
#include "link/DisplayPair.h"

namespace hx {

namespace {
constexpr std::size_t kSerialOffset = 10;
constexpr std::size_t kConfigurationOffset = 50;
constexpr std::size_t kHeadBlockOffset = 90;
constexpr std::size_t kHeadBlockBytes = 30;
}  // namespace

bool isSystemInfoReply(std::span<const std::uint8_t> message) {
    return message.size() == kSystemInfoBytes && message[0] == 'T' && message[1] == 'Q' && message[2] == 'Z';
}

std::optional<SystemInfoReply> parseSystemInfo(std::span<const std::uint8_t> message) {
    if (!isSystemInfoReply(message)) return std::nullopt;
    SystemInfoReply info;
    std::copy_n(message.begin() + kSerialOffset, info.serialNumber.size(), info.serialNumber.begin());
    info.configuration = message[kConfigurationOffset];
    for (std::size_t k = 0; k < kHeadCount; ++k) {
        const std::size_t block = kHeadBlockOffset + kHeadBlockBytes * k;
        SystemInfoHeadBlock& b = info.heads[k];
        b.nominalKHz = readU16Le(message, block + 0).value_or(0);
        b.lowestKHz = readU16Le(message, block + 2).value_or(0);
        b.highestKHz = readU16Le(message, block + 4).value_or(0);
        b.address = readU32Le(message, block + 10).value_or(0);
    }
    return info;
}

std::string formatIpv4(std::uint32_t address) {
    char text[20];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", (address >> 24) & 0xFFu, (address >> 16) & 0xFFu,
                  (address >> 8) & 0xFFu, address & 0xFFu);
    return text;
}

void applySystemInfo(const SystemInfoReply& info, std::span<const std::uint8_t, kSystemInfoBytes> raw,
                     HeadTable& heads, LinkFields& link) {
    link.sysInfoPending = 0;
    link.sysInfoReceived = 1;
    std::copy(raw.begin(), raw.end(), link.systemInfo.begin());
    link.headSerialNumber = info.serialNumber;

    for (int k = 0; k < kHeadCount; ++k) heads.headAvailable[static_cast<std::size_t>(k)] = info.headPresent(k) ? 1 : 0;
    link.orientationAvailable = info.orientationPresent() ? 1 : 0;

    // Every head's limits are taken, present or not; the highest limit wins
    // when the two limits cross.
    for (std::size_t k = 0; k < kHeadCount; ++k) {
        const SystemInfoHeadBlock& b = info.heads[k];
        const std::int32_t lowest = static_cast<std::int32_t>(b.lowestKHz) * 1000;
        const std::int32_t highest = static_cast<std::int32_t>(b.highestKHz) * 1000;
        std::int32_t frequency = static_cast<std::int32_t>(b.nominalKHz) * 1000;
        if (frequency < lowest) frequency = lowest;
        if (frequency > highest) frequency = highest;
        heads.headFrequencyMin[k] = lowest;
        heads.headFrequencyMax[k] = highest;
        heads.headFrequency[k] = frequency;
    }

    // An absent head keeps the address it had.
    for (int k = 0; k < kHeadCount; ++k)
        if (info.headPresent(k)) heads.headIpAddress[static_cast<std::size_t>(k)] = formatIpv4(info.heads[static_cast<std::size_t>(k)].address);

    applyDisplayPair(heads.headAvailable, link);
}

}  // namespace hx
