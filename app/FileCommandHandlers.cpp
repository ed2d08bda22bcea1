// "&File": connect, playback and recent files, recording and copying, and
// the playback switches.
#include "app/AppContext.h"
#include "app/CommandHandlers.h"
#include "app/CommandRouter.h"
#include "app/ConnectionController.h"
#include "app/MainFrame.h"
#include "session/SkerrySession.h"

namespace hx {

namespace {

using C = CommandId;

void openRecentEntry(const AppContext& app, int index) {
    const QStringList& recent = *app.recentFiles;
    if (index < recent.size() && !recent[index].isEmpty())
        app.session->playback().openRecentFile(recent[index].toStdString());
    else
        app.session->playback().openWithDialog();
}

}  // namespace

void registerFileCommands(const AppContext& app) {
    CommandRouter& r = app.frame->router();
    SkerrySession& session = *app.session;
    PlaybackEngine& playback = session.playback();
    CSkerryDoc& doc = *app.doc;
    const auto inPlayback = [&doc] { return doc.link.playbackMode != 0; };

    r.setHandler(C::Connect, [&app] { app.connection->connectCommand(); });
    r.setHandler(C::Playback, [&playback] { playback.openWithDialog(); });
    const CommandId recent[] = {C::RecentFile1, C::RecentFile2, C::RecentFile3, C::RecentFile4};
    for (int i = 0; i < 4; ++i) r.setHandler(recent[i], [&app, i] { openRecentEntry(app, i); });

    r.setHandler(C::Record, [&session] { session.recorder().recordStart(session.playbackContext()); });
    // Start only when not recording (a copy only forwards while scrolling);
    // stop only while recording. The toolbar buttons share the state.
    r.setUpdater(C::Record, [&session, &playback, inPlayback](CommandState& s) {
        const bool playing = inPlayback();
        s.text = playing ? QStringLiteral("Copy Start...\tCtrl+S") : QStringLiteral("Record Data...\tCtrl+S");
        s.enabled = playing ? playback.canCopyStart() : !session.recorder().recording();
    });
    r.setHandler(C::StopRecording, [&session] { session.recorder().recordStop(session.playbackContext()); });
    r.setUpdater(C::StopRecording, [&session, inPlayback](CommandState& s) {
        s.text = inPlayback() ? QStringLiteral("Copy Stop...\tCtrl+Z") : QStringLiteral("Stop Recording...\tCtrl+Z");
        s.enabled = session.recorder().recording();
    });

    r.setHandler(C::SettingsChangeAlarm, [&playback] { playback.toggleSettingsChangeAlarm(); });
    r.setUpdater(C::SettingsChangeAlarm, [&playback, &doc](CommandState& s) {
        s.enabled = playback.canSettingsChangeAlarm();
        s.checked = doc.view.settingsChangeAlarm != 0;
    }, true);
    r.setHandler(C::ReversePlayback, [&playback] { playback.toggleReverse(); });
    r.setUpdater(C::ReversePlayback, [&playback, &doc](CommandState& s) {
        s.enabled = playback.canReverse();
        s.checked = doc.playback.reverse;
    }, true);
    r.setHandler(C::BitmapView, [&playback] { playback.toggleBitmapView(); });
    r.setUpdater(C::BitmapView, [&playback, &doc](CommandState& s) {
        s.enabled = playback.canBitmapView();
        s.checked = !doc.playback.scrolling;
    }, true);
    r.setHandler(C::Exit, [&app] { app.frame->close(); });
}

}  // namespace hx
