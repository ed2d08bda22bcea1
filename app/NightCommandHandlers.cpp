#include "app/AppContext.h"
#include "app/CommandHandlers.h"
#include "app/CommandRouter.h"
#include "app/MainFrame.h"
#include "app/NightMode.h"
#include "app/SonarWindows.h"
#include "session/SkerryDoc.h"

namespace hx {

void registerNightCommands(const AppContext& app) {
    CommandRouter& r = app.frame->router();
    NightMode* night = app.night;
    CSkerryDoc& doc = *app.doc;
    r.setHandler(CommandId::NightMode, [night] { night->toggle(); });
    r.setUpdater(CommandId::NightMode, [night](CommandState& s) { s.checked = night->on(); }, true);
    r.setHandler(CommandId::NightBrighter, [night] { night->brighter(); });
    r.setUpdater(CommandId::NightBrighter, [night, &doc](CommandState& s) {
        s.enabled = night->canStep() && doc.palette.nightBrightness < kNightBrightnessSteps;
    });
    r.setHandler(CommandId::NightDimmer, [night] { night->dimmer(); });
    r.setUpdater(CommandId::NightDimmer, [night, &doc](CommandState& s) {
        s.enabled = night->canStep() && doc.palette.nightBrightness > 1;
    });
    // Chosen from the table menu it stays until another table is chosen,
    // night mode or not.
    r.setHandler(CommandId::ColorNightRed, [&doc, windows = app.windows] {
        doc.palette.nightRed = 1;
        windows->updateViews();
    });
    r.setUpdater(CommandId::ColorNightRed, [&doc](CommandState& s) { s.checked = doc.palette.nightRed != 0; }, true);
}

}  // namespace hx
