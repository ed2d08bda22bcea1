#include "app/SessionDisplay.h"

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

}  // namespace hx
