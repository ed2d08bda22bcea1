// The simulator's command line, parsed into plain values. Parsing is a pure
// function so that every option and every refusal is tested without
// starting a server.
#pragma once

#include "core/Heads.h"
#include "tools/headsim/model/FaultPlan.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hx::sim {

struct SimOptions {
    std::array<std::string, kHeadCount> addresses{"127.0.0.2", "127.0.0.3", "127.0.0.4", "127.0.0.5"};
    int port = 4040;                      // 0: each server picks a free port
    std::array<bool, kHeadCount> present{true, true, true, true};
    bool orientationSensor = true;
    std::string serial = "642001";
    std::array<unsigned, kHeadCount> nominalKHz{120, 260, 540, 200};
    std::array<unsigned, kHeadCount> lowestKHz{100, 230, 480, 180};
    std::array<unsigned, kHeadCount> highestKHz{150, 300, 700, 220};
    bool noDelay = false;
    double seconds = 0.0;                 // 0: no time bound
    long pings = 0;                       // 0: no ping bound
    FaultOptions faults;
    bool gpsPty = false;
    int gpsUdpPort = 0;                   // 0: no UDP output
    bool allowNonLoopback = false;
    std::string replayXtfPath;            // empty: synthetic sidescan
};

struct ParsedOptions {
    SimOptions options;
    bool help = false;
    bool version = false;  // --version
    std::string error;  // empty when the command line is good
};

ParsedOptions parseSimOptions(const std::vector<std::string>& args);
std::string simUsage();

// Dotted IPv4 text to a number with the first octet in the top byte.
std::optional<std::uint32_t> parseIpv4(std::string_view text);
bool isLoopback(std::uint32_t ipv4);

}  // namespace hx::sim
