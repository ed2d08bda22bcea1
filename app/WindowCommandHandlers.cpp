// "&Sonar", "&Window" and "&Help": the sonar windows, the default layout,
// the hot keys list and the about box.
#include <QCoreApplication>
#include <QMessageBox>

#include "app/AppContext.h"
#include "app/CommandHandlers.h"
#include "app/CommandRouter.h"
#include "app/HotKeysDialog.h"
#include "app/MainFrame.h"
#include "app/NavWindows.h"
#include "app/SettingsSession.h"
#include "app/SonarWindows.h"
#include "platform/QtTimerPort.h"
#include "session/SkerryDoc.h"
#include "session/SkerrySession.h"

namespace hx {

namespace {

using C = CommandId;

void about(const AppContext& app) {
    // The about box holds playback while the operator reads it; playback
    // goes on afterwards at its own speed.
    QtTimerPort& timers = *app.timers;
    timers.stop(TimerId::PlaybackStep);
    QMessageBox::about(app.frame, QStringLiteral("About HX642"),
                       QStringLiteral("HX642 Version %1\nMulti-frequency sidescan sonar surface program\nCorvane")
                           .arg(QCoreApplication::applicationVersion()));
    const CSkerryDoc& doc = *app.doc;
    if (doc.link.playbackMode != 0 && doc.playback.scrolling && doc.imaging.display.holdDisplay == 0)
        timers.start(TimerId::PlaybackStep, app.session->playback().intervalMs(), false);
}

}  // namespace

void registerWindowCommands(const AppContext& app) {
    CommandRouter& r = app.frame->router();
    CSkerryDoc& doc = *app.doc;
    SonarWindows& windows = *app.windows;
    r.setHandler(C::Sonar120, [&windows] { windows.showSonarWindow(kHeadL); });
    r.setUpdater(C::Sonar120, [&doc](CommandState& s) { s.enabled = doc.link.allSideScansAvailable != 0; });
    r.setHandler(C::Sonar260, [&windows] { windows.showSonarWindow(kHeadM); });
    r.setHandler(C::Sonar540, [&windows] { windows.showSonarWindow(kHeadH); });
    r.setUpdater(C::Sonar540, [&doc, &windows](CommandState& s) {
        s.checked = windows.sonarWindowExists(kHeadH) && !doc.link.allSideScansAvailable;
        if (!doc.link.allSideScansAvailable) {
            const auto b = static_cast<std::size_t>(std::clamp(doc.link.displayHeadB, 0, 2));
            s.text = QStringLiteral("Sonar %1 kHz").arg(doc.heads.headFrequency[b] / 1000);
        } else {
            s.text = QStringLiteral("Sonar 540 kHz");
        }
    }, true);
    r.setHandler(C::DefaultLayout, [&app, &windows] {
        const LayoutRects layout = app.settings->screenDefaults();
        windows.applyDefaultLayout(layout);
        if (app.nav) app.nav->applyDefaultLayout(layout);
    });
    r.setHandler(C::HotKeys, [&app] {
        auto* dlg = new CHelpListDlg(app.frame);
        dlg->setAttribute(Qt::WA_DeleteOnClose);
        dlg->show();
    });
    r.setHandler(C::About, [&app] { about(app); });
}

}  // namespace hx
