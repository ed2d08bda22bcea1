// What every head server and the GPS output share: the options, the one
// simulated world, the prebuilt system information reply and the clock the
// towfish moves by. Owned by the Simulator; sessions change the world and
// the counters as they answer requests.
#pragma once

#include "core/Heads.h"
#include "tools/headsim/model/SimOptions.h"
#include "tools/headsim/model/SonarWorld.h"

#include <chrono>

namespace hx::sim {

struct SimContext {
    SimOptions options;
    SonarWorld world;
    SystemInfo systemInfo{};
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
    long dataReplies = 0;
    long systemInfoReplies = 0;
    long ignoredCommands = 0;

    SimContext(const SimOptions& o, const std::array<FrequencyLimits, kHeadCount>& limits) : options(o), world(limits) {}

    double elapsedS() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    // With --pings N: true once N pings have been served and this head's
    // first-half request would start ping N + 1.
    bool pingLimitReached(int head) const {
        return options.pings > 0 && world.pingNumber() >= options.pings && world.firstHalfStartsPing(head);
    }
};

}  // namespace hx::sim
