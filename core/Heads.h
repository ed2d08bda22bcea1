// Head numbering and the fixed sizes of the sonar link's messages and lines.
// Every per-head array in the program is indexed by these numbers.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace hx {

inline constexpr int kHeadCount = 4;
inline constexpr int kSideScanHeadCount = 3;

enum HeadNumber : int {
    kHeadL = 0,   // low-frequency sidescan, nominally 120 kHz
    kHeadM = 1,   // medium-frequency sidescan, nominally 260 kHz
    kHeadH = 2,   // high-frequency sidescan, nominally 540 kHz
    kHeadES = 3,  // echo sounder with the orientation sensor
};

// "L", "M", "H", "ES": how the heads are named to the operator.
inline constexpr const char* headLetter(int head) {
    constexpr const char* kLetters[kHeadCount] = {"L", "M", "H", "ES"};
    return head >= 0 && head < kHeadCount ? kLetters[head] : "?";
}

inline constexpr std::size_t kCommandBytes = 128;
inline constexpr std::size_t kReplyHeaderBytes = 128;   // stored header; the link fills bytes 0..126
inline constexpr std::size_t kSideDataPoints = 1000;    // samples per half ping
inline constexpr std::size_t kDataReplyBytes = kReplyHeaderBytes + kSideDataPoints;  // 1128
inline constexpr std::size_t kSystemInfoBytes = 256;

inline constexpr std::size_t kDisplayLineBytes = 2048;
inline constexpr std::size_t kEchoLineOffset = 24;      // first echo byte in a display line
inline constexpr std::size_t kEchoLineBytes = 2000;     // port far..near, then starboard near..far

using CommandMessage = std::array<std::uint8_t, kCommandBytes>;
using ReplyHeader = std::array<std::uint8_t, kReplyHeaderBytes>;
using DisplayLine = std::array<std::uint8_t, kDisplayLineBytes>;
using SystemInfo = std::array<std::uint8_t, kSystemInfoBytes>;

}  // namespace hx
