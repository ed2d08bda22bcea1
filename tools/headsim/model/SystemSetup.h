// What the command line makes of the simulated system: the system
// information it reports, the frequency limits each head enforces, the
// identifiers in its replies and how long a head takes to answer.
#pragma once

#include "tools/headsim/model/ReplyBuilder.h"
#include "tools/headsim/model/SimOptions.h"
#include "tools/headsim/model/SonarWorld.h"

#include <array>

namespace hx::sim {

inline constexpr double kTravelSpeedMps = 1500.0;  // sound speed the heads time their pings with

std::array<FrequencyLimits, kHeadCount> frequencyLimits(const SimOptions& options);
SystemDescription systemDescription(const SimOptions& options);
std::array<char, 3> headIdentifier(int head);

// Delay before a data reply: the two-way travel time of the range for a
// first half (none with --no-delay), nothing more for a second half, plus
// the extra delay of --delay-ms for either.
int dataReplyDelayMs(const SimOptions& options, const PingSettings& settings, bool secondHalf);

}  // namespace hx::sim
