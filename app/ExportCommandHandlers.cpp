// The exports in "&File": the played recording to XTF (playback only), and
// the track and the events of the played file or of the recording being
// made. Each is enabled only while there is a recording to read and no
// other export is running.
#include "app/AppContext.h"
#include "app/CommandHandlers.h"
#include "app/CommandRouter.h"
#include "app/ExportTools.h"
#include "app/MainFrame.h"

namespace hx {

void registerExportCommands(const AppContext& app) {
    using C = CommandId;
    CommandRouter& r = app.frame->router();
    auto* tools = new ExportTools(app);  // the frame owns it
    if (app.notifier != nullptr) tools->setNotifier(*app.notifier);

    r.setHandler(C::ExportXtf, [tools] { tools->exportXtf(); });
    r.setUpdater(C::ExportXtf, [tools](CommandState& s) { s.enabled = tools->canExportXtf(); });
    r.setHandler(C::ExportTrack, [tools] { tools->exportTrack(TrackContent::Track); });
    r.setUpdater(C::ExportTrack, [tools](CommandState& s) { s.enabled = tools->canExportTrack(); });
    r.setHandler(C::ExportEvents, [tools] { tools->exportTrack(TrackContent::Events); });
    r.setUpdater(C::ExportEvents, [tools](CommandState& s) { s.enabled = tools->canExportTrack(); });
}

}  // namespace hx
