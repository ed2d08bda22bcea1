#include "app/SessionDisplay.h"

#include <cstdio>

#include "app/AppContext.h"
#include "app/HeadSetLayout.h"
#include "app/NavWindows.h"
#include "app/SonarWindows.h"
#include "app/StatusPresenter.h"

namespace hx {

void SessionDisplay::cycleProcessed(const PingOutcome& outcome) {
    if (!outcome.accepted) {
        app_.status->refreshDiagnostics();
        return;
    }
    if (outcome.stored.drawn || app_.doc->imaging.display.holdDisplay) app_.windows->updateViews();
    if (app_.nav) app_.nav->pingShown();
    app_.status->refreshStatus();
    app_.status->refreshDiagnostics();
    if (processed_) processed_();
}

void SessionDisplay::headSetMayHaveChanged() { app_.layout->rebuildIfChanged(); }

void SessionDisplay::onSystemInfoDecoded() { app_.layout->rebuild(); }

void SessionDisplay::onConnectionChanged(int) { app_.status->refreshDiagnostics(); }

void SessionDisplay::onLinkRebuilt() {
    ++rebuilds_;
    constexpr qint64 kLogEveryMs = 60000;
    if (lastRebuildLog_.isValid() && lastRebuildLog_.elapsed() < kLogEveryMs) return;
    lastRebuildLog_.start();
    std::fprintf(stderr, "hx642: no reply within the watchdog's time: head connections rebuilt (%ld since start, %ld "
                 "since the last report)\n", rebuilds_, rebuilds_ - rebuildsLogged_);
    rebuildsLogged_ = rebuilds_;
}

}  // namespace hx
