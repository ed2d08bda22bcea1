// Builders of head replies for the link tests: a data reply with a known
// sample pattern and a system information reply with chosen heads.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/ByteIO.h"
#include "core/Heads.h"

namespace hx::test {

// Sample j of a head's half: distinct per head, half and position.
inline std::uint8_t samplePattern(int head, int half, std::size_t j) {
    return static_cast<std::uint8_t>((j * 7 + static_cast<std::size_t>(head) * 31 + static_cast<std::size_t>(half) * 101) & 0xFF);
}

inline std::vector<std::uint8_t> makeDataReply(int head, std::uint8_t halfIndicator, std::uint8_t status = 0x00,
                                               std::size_t size = kDataReplyBytes) {
    std::vector<std::uint8_t> r(size, 0);
    const char* ids[] = {"LFA", "MFB", "HFC", "ESD"};
    for (std::size_t i = 0; i < 3 && i < size; ++i) r[i] = static_cast<std::uint8_t>(ids[head & 3][i]);
    if (size > 3) r[3] = status;
    for (std::size_t i = 4; i < 127 && i < size; ++i) r[i] = static_cast<std::uint8_t>(0xA0 + i);
    if (size > 10) r[10] = halfIndicator;
    const int half = halfIndicator == 0x10 ? 1 : 0;
    for (std::size_t j = 0; j < kSideDataPoints && 127 + j < size; ++j) r[127 + j] = samplePattern(head, half, j);
    if (size > 1127) r[1127] = 0xEE;
    return r;
}

struct HeadBlockValues {
    std::uint16_t nominalKHz = 0;
    std::uint16_t lowestKHz = 0;
    std::uint16_t highestKHz = 0;
    std::array<std::uint8_t, 4> address{};  // dotted order
};

inline std::vector<std::uint8_t> makeSystemInfo(std::uint8_t configuration, const std::array<HeadBlockValues, 4>& blocks,
                                                const std::string& serial = "SN0042") {
    std::vector<std::uint8_t> r(kSystemInfoBytes, 0);
    r[0] = 'T';
    r[1] = 'Q';
    r[2] = 'Z';
    for (std::size_t i = 0; i < 6 && i < serial.size(); ++i) r[10 + i] = static_cast<std::uint8_t>(serial[i]);
    r[50] = configuration;
    for (std::size_t k = 0; k < 4; ++k) {
        const std::size_t b = 90 + 30 * k;
        writeU16Le(r, b + 0, blocks[k].nominalKHz);
        writeU16Le(r, b + 2, blocks[k].lowestKHz);
        writeU16Le(r, b + 4, blocks[k].highestKHz);
        // Block byte 13 is the first octet of the dotted form, byte 10 the last.
        r[b + 13] = blocks[k].address[0];
        r[b + 12] = blocks[k].address[1];
        r[b + 11] = blocks[k].address[2];
        r[b + 10] = blocks[k].address[3];
    }
    return r;
}

// A system of loopback heads 127.0.<net>.2..5 with the nominal frequencies.
inline std::vector<std::uint8_t> makeLoopbackSystemInfo(std::uint8_t configuration, std::uint8_t net = 10) {
    std::array<HeadBlockValues, 4> blocks{};
    const std::uint16_t nominal[] = {120, 260, 540, 200};
    for (std::size_t k = 0; k < 4; ++k)
        blocks[k] = {nominal[k], static_cast<std::uint16_t>(nominal[k] - 20), static_cast<std::uint16_t>(nominal[k] + 20),
                     {127, 0, net, static_cast<std::uint8_t>(2 + k)}};
    return makeSystemInfo(configuration, blocks);
}

}  // namespace hx::test
