#include "app/LinkHealthTicker.h"

#include "app/AppContext.h"
#include "app/NavWindows.h"
#include "app/SonarWindows.h"
#include "app/StatusPresenter.h"
#include "core/Clock.h"
#include "session/SkerryDoc.h"

namespace hx {

namespace {
constexpr int kTickMs = 1000;
}  // namespace

LinkHealthTicker::LinkHealthTicker(const AppContext& app, const IClock& clock, QObject* parent)
    : QObject(parent), app_(app), clock_(clock) {
    const CSkerryDoc& doc = *app_.doc;
    app_.windows->setHealthSources(
        [&doc, &clock](int head) { return headBadge(doc.linkHealth, doc.heads, doc.link, head, clock.tickMs()); },
        [&doc] { return sysInfoWaitText(doc.heads, doc.link); });
    connect(&timer_, &QTimer::timeout, this, &LinkHealthTicker::tick);
    timer_.start(kTickMs);
}

void LinkHealthTicker::tick() {
    CSkerryDoc& doc = *app_.doc;
    if (doc.link.playbackMode != 0 || doc.closing) return;
    app_.status->setPingRates(doc.linkHealth.takePingRates(clock_.tickMs()));
    app_.status->refreshDiagnostics();
    app_.status->refreshStatus();
    app_.windows->updateViews();
    if (app_.nav) app_.nav->updateEchoSounder();
}

}  // namespace hx
