// "&GPS Options": the GPS time options and erasing the track.
#include "app/AppContext.h"
#include "app/CommandHandlers.h"
#include "app/CommandRouter.h"
#include "app/GpsLink.h"
#include "app/MainFrame.h"
#include "app/SonarWindows.h"
#include "session/SkerryDoc.h"

namespace hx {

namespace {

using C = CommandId;

void toggle(std::int32_t& flag) { flag = flag ? 0 : 1; }

}  // namespace

void registerNavCommands(const AppContext& app) {
    CommandRouter& r = app.frame->router();
    CSkerryDoc& doc = *app.doc;
    r.setHandler(C::ConvertUtcToLocal, [&doc] { toggle(doc.speed.convertUtcToLocal); });
    r.setUpdater(C::ConvertUtcToLocal, [&doc](CommandState& s) { s.checked = doc.speed.convertUtcToLocal != 0; }, true);
    r.setHandler(C::SynchronizeGpsTime, [&doc] { toggle(doc.speed.autoSyncGpsTime); });
    r.setUpdater(C::SynchronizeGpsTime, [&doc](CommandState& s) { s.checked = doc.speed.autoSyncGpsTime != 0; }, true);
    r.setHandler(C::EraseGpsTracks, [&app, &doc] {
        EraseGpsTracks(doc.track);
        app.gps->resetData();
        app.windows->updateViews();
    });
}

}  // namespace hx
