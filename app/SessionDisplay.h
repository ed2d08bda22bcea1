// What the windows show of the running session: a processed cycle is drawn
// and shown in the bars, a refused one in the diagnostics; the menus and
// windows follow the head set the system reports.
#pragma once

#include <QElapsedTimer>

#include <functional>

#include "session/SkerrySession.h"

namespace hx {

struct AppContext;

class SessionDisplay final : public ISessionObserver {
public:
    // processed: after every live cycle has been shown (for the benchmarks).
    SessionDisplay(const AppContext& app, std::function<void()> processed)
        : app_(app), processed_(std::move(processed)) {}

    void cycleProcessed(const PingOutcome& outcome) override;
    void headSetMayHaveChanged() override;
    void onSystemInfoDecoded() override;
    void onConnectionChanged(int head) override;
    // Logged on stderr (the first, then at most one a minute), so that a gap
    // in a recording can be matched to the link that went quiet.
    void onLinkRebuilt() override;

private:
    const AppContext& app_;
    std::function<void()> processed_;
    long rebuilds_ = 0;
    long rebuildsLogged_ = 0;
    QElapsedTimer lastRebuildLog_;
};

}  // namespace hx
