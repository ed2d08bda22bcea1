// "Co&mmunication", the head settings menus and the toolbar's range and gain
// buttons: every link command through its binding, reconnect, diagnostics,
// and the transmit and filter dialogs.
#include "app/AppContext.h"
#include "app/CommandBindings.h"
#include "app/CommandHandlers.h"
#include "app/CommandRouter.h"
#include "app/MainFrame.h"
#include "app/SonarWindows.h"
#include "app/StatusPresenter.h"
#include "link/DiagnosticsText.h"
#include "link/ui/XmitDlg.h"
#include "session/SkerrySession.h"

namespace hx {

namespace {

using C = CommandId;

void runLinkCommand(const AppContext& app, const LinkCommand& command) {
    CSkerryDoc& doc = *app.doc;
    const unsigned effects = runLinkCommand(command, doc.heads, doc.link, doc.orientation.filters);
    if (effects & kEffectRebuildConnections) app.session->link().availabilityChanged();
    if (effects & kEffectRefreshControlBar) app.status->refreshControlBars();
    if (effects & kEffectRedrawViews) app.windows->updateViews();
    app.status->refreshStatus();
}

void orientationFilterDialog(const AppContext& app) {
    auto& f = app.doc->orientation.filters;
    const auto on = [&f](OrientationChannel c) { return f[c].enabled != 0; };
    COrientFilterDlg dlg({on(OrientationChannel::Pitch), on(OrientationChannel::Roll),
                          on(OrientationChannel::Heading), on(OrientationChannel::Depth),
                          on(OrientationChannel::Temperature)},
                         app.frame);
    if (dlg.exec() != QDialog::Accepted) return;
    const auto s = dlg.switches();
    f[OrientationChannel::Pitch].enabled = s.pitch;
    f[OrientationChannel::Roll].enabled = s.roll;
    f[OrientationChannel::Heading].enabled = s.heading;
    f[OrientationChannel::Depth].enabled = s.depth;
    f[OrientationChannel::Temperature].enabled = s.temp;
}

}  // namespace

void registerLinkCommands(const AppContext& app) {
    CommandRouter& r = app.frame->router();
    CSkerryDoc& doc = *app.doc;
    for (const LinkBinding& b : linkBindings()) {
        const LinkCommand command = b.command;
        r.setHandler(b.id, [&app, command] { runLinkCommand(app, command); });
        r.setUpdater(b.id, [&doc, command](CommandState& s) {
            const LinkCommandState st = linkCommandState(command, doc.heads, doc.link, doc.orientation.filters);
            s.enabled = st.enabled;
            s.checked = st.checked;
        }, b.checkable);
    }

    r.setHandler(C::Reconnect, [&app] { app.session->link().reconnect(); });
    r.setUpdater(C::Reconnect, [&doc](CommandState& s) { s.enabled = doc.link.playbackMode == 0; });

    r.setHandler(C::Diagnostics, [&app] { app.status->showDiagnostics(); });
    r.setUpdater(C::Diagnostics, [&app](CommandState& s) { s.checked = app.status->diagnosticsShown(); }, true);

    r.setHandler(C::TransmitEnable, [&app, &doc] {
        CXmitDlg dlg(transmitBoxesFrom(doc.heads, doc.link), app.frame);
        if (dlg.exec() == QDialog::Accepted) applyTransmitBoxes(dlg.boxes(), doc.heads, doc.link);
    });
    r.setHandler(C::OrientationFilters, [&app] { orientationFilterDialog(app); });
}

}  // namespace hx
