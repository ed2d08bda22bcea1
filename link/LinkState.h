// The link's part of the document: the head table, the system-wide link
// fields and the values of the last poll cycle. Written on the user-interface
// thread by the protocol, the acquisition cycle, the head settings, the
// settings load and the data-file reader; read by everything that shows or
// records a ping.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/Heads.h"
#include "core/LocalTime.h"

namespace hx {

template <typename T>
using PerHead = std::array<T, kHeadCount>;

// Per-head settings and the last reply of every head, indexed by head number.
struct HeadTable {
    PerHead<std::int32_t> headAvailable{1, 1, 1, 1};
    PerHead<std::string> headIpAddress{"192.168.0.2", "192.168.0.3", "192.168.0.4", "192.168.0.5"};
    PerHead<std::int32_t> headFrequency{120000, 260000, 675000, 200000};  // Hz
    PerHead<std::int32_t> headFrequencyMin{};                              // Hz, from the system information
    PerHead<std::int32_t> headFrequencyMax{};                              // Hz, from the system information
    PerHead<std::int32_t> headGain{6, 6, 6, 6};                            // dB, 0..40
    PerHead<std::uint8_t> headXmitControl{0x10, 0x10, 0x10, 0x10};

    std::int32_t sideScanRange = 50;        // m, shared by heads L, M and H
    std::int32_t sideScanRangeIndex = 9;
    std::int32_t echoSounderRange = 50;     // m
    std::int32_t echoSounderRangeIndex = 9;

    PerHead<CommandMessage> headCommand{};
    PerHead<ReplyHeader> headReplyHeader{};
    PerHead<DisplayLine> headDisplayLine{};
    PerHead<std::string> headIdText{"n/a", "n/a", "n/a", "n/a"};
    PerHead<std::int32_t> headStatus{};
};

// System-wide link fields.
struct LinkFields {
    std::int32_t availableHeadCount = 4;
    std::int32_t orientationAvailable = 0;
    std::int32_t allSideScansAvailable = 1;
    std::int32_t twoSideScansAvailable = 0;
    std::int32_t displayHeadA = 0;
    std::int32_t displayHeadB = 2;

    std::int32_t commandLength = static_cast<std::int32_t>(kCommandBytes);
    std::int32_t replyHeaderLength = static_cast<std::int32_t>(kReplyHeaderBytes);
    std::int32_t sideDataPoints = static_cast<std::int32_t>(kSideDataPoints);

    SystemInfo systemInfo{};
    std::array<std::uint8_t, 6> headSerialNumber{};
    std::int32_t sysInfoPending = 1;
    std::int32_t sysInfoReceived = 0;
    // Connection attempts for the system information and when the first
    // was made: the operator learns that nothing answers.
    std::int32_t sysInfoTries = 0;
    LocalTime sysInfoSince{};
    std::int32_t pollIndex = 0;
    std::int32_t linkStale = 1;
    // 1 once a head's connection is up and the head may be polled; 0 after a
    // close or a failure. The system information connection never sets it.
    PerHead<std::int32_t> headConnected{};
    std::int32_t playbackMode = 0;
};

// The stamp and timing of the last cycle (real time) or played record.
struct CycleValues {
    LocalTime pingTime;
    LocalTime pingClock;
    std::string pingDateText;          // "%02d-%s-%04d"
    std::string pingTimeText;          // "%02d:%02d:%02d"
    std::string pingMillisecondsText;  // ".%03d"

    std::int32_t goodCycleCount = 0;
    std::int32_t pingInterval = 0;            // ms, mean of the last ten cycle-to-cycle times
    std::int32_t pingIntervalAverage = 0;
    std::int32_t pingIntervalSum = 0;
    std::int32_t pingIntervalCount = 0;
    std::uint32_t pingIntervalLastTick = 0;
};

}  // namespace hx
