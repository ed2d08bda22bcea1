// "&GPS Options" (the track plotter, the GPS settings, speed info, the GPS
// time options, erasing the track, its zoom and the waypoint list), the
// instrument windows of "&Sonar" and "&Beam Coverage" of "&Help".
#include "app/AppContext.h"
#include "app/CommandHandlers.h"
#include "app/CommandRouter.h"
#include "app/GpsLink.h"
#include "app/MainFrame.h"
#include "app/NavWindows.h"
#include "app/SonarWindows.h"
#include "session/SkerryDoc.h"

namespace hx {

namespace {

using C = CommandId;

void registerGpsCommands(CommandRouter& r, const AppContext& app) {
    CSkerryDoc& doc = *app.doc;
    NavWindows& nav = *app.nav;
    const auto playback = [&doc] { return doc.link.playbackMode != 0; };

    r.setHandler(C::ShowGpsTrackPlotter, [&nav] { nav.showTrackPlotter(); });
    r.setUpdater(C::ShowGpsTrackPlotter, [&doc](CommandState& s) { s.enabled = showTrackPlotterEnabled(doc.trackPlot); });

    r.setHandler(C::GpsCommPortSettings, [&nav] { nav.showGpsDialog(); });
    r.setUpdater(C::GpsCommPortSettings, [playback](CommandState& s) { s.enabled = !playback(); });

    r.setHandler(C::SpeedCorrectionInfo, [&nav] { nav.runSpeedDialog(); });
    r.setUpdater(C::SpeedCorrectionInfo,
                 [&doc](CommandState& s) { s.checked = doc.speed.speedCorrectionEnabled != 0; }, true);

    r.setHandler(C::ConvertUtcToLocal, [&doc] { toggleConvertUtcToLocal(doc.speed); });
    r.setUpdater(C::ConvertUtcToLocal, [&doc](CommandState& s) { s.checked = doc.speed.convertUtcToLocal != 0; }, true);
    // Sets the stored option; no check mark, and only in real time.
    r.setHandler(C::SynchronizeGpsTime, [&doc, playback] { synchronizeWithGpsTime(doc.speed, playback()); });
    r.setUpdater(C::SynchronizeGpsTime,
                 [playback](CommandState& s) { s.enabled = synchronizeWithGpsTimeEnabled(playback()); });

    r.setHandler(C::EraseGpsTracks, [&app, &doc, &nav] {
        EraseGpsTracks(doc.track);
        app.gps->resetData();
        doc.gpsLatest.fix.gpsLatitude = 0.0;
        doc.gpsLatest.fix.gpsLongitude = 0.0;
        nav.eraseTrackView();
        app.windows->updateViews();
    });
    r.setHandler(C::GpsZoomIn, [&doc, &nav] {
        GpsZoomIn(doc.trackPlot);
        nav.updateViews();
    });
    r.setHandler(C::GpsZoomOut, [&doc, &nav] {
        GpsZoomOut(doc.trackPlot);
        nav.updateViews();
    });

    r.setHandler(C::LoadWaypointList, [&nav] { nav.loadWaypointList(); });
    r.setUpdater(C::LoadWaypointList, [&doc](CommandState& s) { s.enabled = loadWaypointListEnabled(doc.track); });
}

void registerInstrumentCommands(CommandRouter& r, const AppContext& app) {
    CSkerryDoc& doc = *app.doc;
    NavWindows& nav = *app.nav;

    r.setHandler(C::EchoSounder, [&nav] { nav.toggleEchoSounder(); });
    r.setUpdater(C::EchoSounder, [&doc, &nav](CommandState& s) {
        s.enabled = doc.heads.headAvailable[kHeadES] != 0;
        s.checked = nav.echoSounderVisible();
    }, true);

    // The orientation windows exist only with an orientation sensor.
    r.setHandler(C::OrientationHistory, [&nav] { nav.showOrientation(); });
    r.setUpdater(C::OrientationHistory, [&doc, &nav](CommandState& s) {
        s.enabled = doc.link.orientationAvailable != 0;
        s.checked = nav.orientationVisible();
    }, true);

    r.setHandler(C::BeamCoverage, [&nav] { nav.showBeamCoverage(); });
}

}  // namespace

void registerNavCommands(const AppContext& app) {
    CommandRouter& r = app.frame->router();
    registerGpsCommands(r, app);
    registerInstrumentCommands(r, app);
}

}  // namespace hx
