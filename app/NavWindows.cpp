#include "app/NavWindows.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QGraphicsOpacityEffect>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>

#include "app/AppContext.h"
#include "app/CommandRouter.h"
#include "app/CommandTable.h"
#include "app/GpsLink.h"
#include "app/MainFrame.h"
#include "app/SettingsSession.h"
#include "app/SonarWindows.h"
#include "nav/ui/BeamCoverView.h"
#include "nav/ui/EchoSounderView.h"
#include "nav/ui/GpsConfigDlg.h"
#include "nav/ui/GpsTrackView.h"
#include "nav/ui/HistView.h"
#include "nav/ui/OrientationView.h"
#include "nav/ui/ShipSpeedDlg.h"
#include "platform/gps/SerialGpsSource.h"
#include "session/SkerryDoc.h"
#include "session/SkerrySession.h"

namespace hx {

namespace {

WindowRect fromQRect(const QRect& r) { return {r.left(), r.top(), r.right() + 1, r.bottom() + 1}; }

CommandId commandFor(TrackPlotCommand c) {
    switch (c) {
        case TrackPlotCommand::GpsCommPortSettings: return CommandId::GpsCommPortSettings;
        case TrackPlotCommand::SpeedCorrection: return CommandId::SpeedCorrectionInfo;
        case TrackPlotCommand::EraseGpsTracks: return CommandId::EraseGpsTracks;
        case TrackPlotCommand::ZoomIn: return CommandId::GpsZoomIn;
        case TrackPlotCommand::ZoomOut: return CommandId::GpsZoomOut;
    }
    return CommandId::GpsZoomIn;
}

}  // namespace

QRect NavWindows::storedPlace(const WindowRect& r) {
    if (!r.valid() || r.right <= r.left || r.bottom <= r.top) return {};
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void NavWindows::showAndRaise(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

NavWindows::NavWindows(const AppContext& app, IFileDialogPort& dialogs, INotifier& notifier)
    : app_(app), dialogs_(dialogs), notifier_(notifier) {
    CSkerryDoc& doc = *app_.doc;
    // Created hidden at start; its command shows it.
    gpsDialog_ = new CGPSConfigDlg(GpsConfigContext{doc.gps, [] { return probeGpsPorts(); },
                                                    [this] { return app_.gps && app_.gps->portOpen(); },
                                                    [this] { return app_.doc->link.playbackMode != 0; }},
                                   app_.frame);
    connect(gpsDialog_, &CGPSConfigDlg::reopenRequested, this, [this] {
        if (app_.doc->link.playbackMode == 0) app_.gps->openForRealTime();
    });
    connect(gpsDialog_, &CGPSConfigDlg::readIntervalChanged, this, [this](int ms) { app_.gps->setIntervalMs(ms); });

    GpsLink* gps = app_.gps;
    connect(gps, &GpsLink::portReopened, this, [this] {
        if (gpsDialog_ && gpsDialog_->isVisible()) gpsDialog_->refill();
    });
    connect(gps, &GpsLink::snapshotTaken, this, [this] {
        if (gpsDialog_ && gpsDialog_->isVisible()) gpsDialog_->showReadDiagnostics(app_.doc->gpsLatest);
    });
    connect(gps, &GpsLink::viewsNeedRedraw, this, &NavWindows::updateViews);

    // Commands handled elsewhere that change what these windows draw.
    for (CommandId id : {CommandId::EsGrid, CommandId::Hold, CommandId::UnitsMetric, CommandId::UnitsImperial,
                         CommandId::CustomizePalette})
        repaintAfter(id);
    for (CommandId id : colorTableCommands()) repaintAfter(id);
    qApp->installEventFilter(this);
}

NavWindows::~NavWindows() {
    for (QWidget* w : {trackWindow_.data(), echoWindow_.data(), orientationWindow_.data(), beamWindow_.data(),
                       static_cast<QWidget*>(gpsDialog_.data())})
        delete w;
}

CGPSTrackView* NavWindows::trackView() const { return trackView_; }
CEchoSounder* NavWindows::echoSounderView() const { return echoView_; }
COrientationView* NavWindows::orientationView() const { return orientationView_; }
CHistView* NavWindows::historyView() const { return historyView_; }
CBeamCoverView* NavWindows::beamView() const { return beamView_; }
CGPSConfigDlg* NavWindows::gpsDialog() const { return gpsDialog_; }

void NavWindows::repaintAfter(CommandId id) {
    // The command's own handler runs first (it was connected first).
    connect(app_.frame->router().action(id), &QAction::triggered, this, &NavWindows::updateViews);
}

void NavWindows::start() {
    if (app_.doc->trackPlot.gpsTrackingShown != 0 && !trackWindow_) createTrackPlotter();
}

void NavWindows::settingsLoaded() {
    for (QObject* w : {static_cast<QObject*>(trackWindow_.data()), static_cast<QObject*>(echoWindow_.data())})
        if (w) storeRect(w);
    start();
}

void NavWindows::placeWindow(QWidget* window, const QRect& outer) {
    // Rectangles name whole windows. The window system gives these windows
    // the same title bar and borders as the main frame.
    const QRect inner = app_.frame->geometry(), whole = app_.frame->frameGeometry();
    const QMargins frame(inner.left() - whole.left(), inner.top() - whole.top(), whole.right() - inner.right(),
                         whole.bottom() - inner.bottom());
    const QRect client = outer.marginsRemoved(frame);
    // Before the main frame is decorated the borders are not known yet: the
    // window takes its own when it gets them.
    if (frame.isNull()) undecorated_.insert(window, outer.size());
    else undecorated_.remove(window);
    // move() places the title bar's corner even before the main frame's
    // decoration is known.
    window->move(outer.topLeft());
    window->resize(client.isValid() ? client.size() : outer.size());
}

void NavWindows::setNightVeil(double opacity) {
    nightVeil_ = opacity;
    applyNightVeil();
}

void NavWindows::applyNightVeil() {
    // Each view itself: a veil over a parent does not cover what its
    // children repaint on their own.
    for (QWidget* view : {static_cast<QWidget*>(trackView_.data()), static_cast<QWidget*>(orientationView_.data()),
                          static_cast<QWidget*>(historyView_.data()), static_cast<QWidget*>(beamView_.data())}) {
        if (!view) continue;
        auto* veil = qobject_cast<QGraphicsOpacityEffect*>(view->graphicsEffect());
        if (nightVeil_ >= 1.0) {
            view->setGraphicsEffect(nullptr);
            continue;
        }
        if (!veil) {
            veil = new QGraphicsOpacityEffect(view);
            view->setGraphicsEffect(veil);
        }
        veil->setOpacity(nightVeil_);
    }
}

QWidget* NavWindows::frameWindow(QWidget* view, const char* title, const QRect& place) {
    auto* window = new QWidget(app_.frame, Qt::Window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
    window->setWindowTitle(QString::fromLatin1(title));
    if (place.isValid()) placeWindow(window, place);
    window->installEventFilter(this);
    applyNightVeil();  // views in day colours go behind the veil; the echogram has night colours
    connect(window, &QObject::destroyed, this, [this, window] { undecorated_.remove(window); });
    window->show();
    return window;
}

bool NavWindows::eventFilter(QObject* watched, QEvent* event) {
    // The application quits by closing every window first (Exit, a stop
    // signal): those closes are not the operator's.
    if (event->type() == QEvent::Quit) {
        quitting_ = true;
        return false;
    }
    if (watched == qApp) return false;
    switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
            takeOwnBorders(watched);
            storeRect(watched);
            break;
        case QEvent::Close:
            // The operator closed the plotter: it is no longer wanted. Windows
            // that go with the program keep the switch as it was.
            if (watched == trackWindow_ && !app_.doc->closing && !quitting_) TrackPlotterClosed(app_.doc->trackPlot);
            break;
        default: break;
    }
    return QObject::eventFilter(watched, event);
}

void NavWindows::takeOwnBorders(QObject* watched) {
    const auto pending = undecorated_.find(watched);
    if (pending == undecorated_.end()) return;
    auto* window = static_cast<QWidget*>(watched);
    const QRect whole = window->frameGeometry(), inner = window->geometry();
    if (whole == inner) return;
    const QSize outer = *pending;
    undecorated_.erase(pending);
    const QSize client(outer.width() - (whole.width() - inner.width()), outer.height() - (whole.height() - inner.height()));
    if (client.isValid()) window->resize(client);
}

void NavWindows::storeRect(QObject* watched) {
    auto* window = qobject_cast<QWidget*>(watched);
    if (!window || !window->isVisible()) return;
    // The whole window, title bar and borders included, as it is placed.
    const WindowRect r = fromQRect(window->frameGeometry());
    if (!r.valid()) return;
    StoredSettings& stored = app_.doc->stored;
    if (window == trackWindow_) stored.system.gpsTrackWindow = r;
    else if (window == echoWindow_) stored.filters.esWindow = r;
    else if (window == orientationWindow_) orientationPlace_ = window->frameGeometry();
}

// ------------------------------------------------------------ track plotter

void NavWindows::createTrackPlotter() {
    CSkerryDoc& doc = *app_.doc;
    trackView_ = new CGPSTrackView(TrackPlotContext{
        doc.track, doc.trackPlot, doc.waypoints, doc.waypointMarks, [this] { return app_.doc->view.units == 1; },
        [this](TrackPlotCommand c) { app_.frame->router().trigger(commandFor(c)); }});
    trackWindow_ = frameWindow(trackView_, kTrackPlotterTitle, storedPlace(doc.stored.system.gpsTrackWindow));
}

void NavWindows::showTrackPlotter() {
    ShowTrackPlotter(app_.doc->trackPlot);
    if (trackWindow_) showAndRaise(trackWindow_);
    else createTrackPlotter();
}

void NavWindows::eraseTrackView() {
    if (trackView_) trackView_->eraseView();
}

void NavWindows::loadWaypointList() {
    CSkerryDoc& doc = *app_.doc;
    LoadWaypointList(dialogs_, notifier_, doc.track, doc.waypoints, doc.waypointMarks);
    if (trackView_) trackView_->update();
}

// ------------------------------------------------------------ following the session

void NavWindows::followHeadSet() {
    // The windows open when the head set brings their instrument and close
    // when it goes; between changes the operator's choice stands.
    const CSkerryDoc& doc = *app_.doc;
    const int echo = doc.heads.headAvailable[kHeadES] != 0 ? 1 : 0;
    if (echo != followedEchoSounder_) {
        followedEchoSounder_ = echo;
        if (echo && !echoWindow_) createEchoSounder();
        if (!echo) closeEchoSounder();
    }
    const int orientation = doc.link.orientationAvailable != 0 ? 1 : 0;
    if (orientation != followedOrientation_) {
        followedOrientation_ = orientation;
        if (orientation && !orientationWindow_) createOrientation();
        if (!orientation) closeOrientation();
    }
}

void NavWindows::pingShown() {
    followHeadSet();
    if (echoView_ && echoView_->isVisible()) echoView_->update();
    if (historyView_ && historyView_->isVisible()) historyView_->update();
    // Played positions come with the pings; live ones with the GPS reads.
    if (trackView_ && app_.doc->link.playbackMode != 0) trackView_->update();
}

void NavWindows::updateEchoSounder() {
    if (echoView_ && echoView_->isVisible()) echoView_->update();
}

void NavWindows::updateViews() {
    for (QWidget* v : {static_cast<QWidget*>(trackView_.data()), static_cast<QWidget*>(echoView_.data()),
                       static_cast<QWidget*>(orientationView_.data()), static_cast<QWidget*>(historyView_.data())})
        if (v) v->update();
}

void NavWindows::clearInstrumentViews() {
    ClearInstrumentColumns(app_.doc->instruments);
    updateViews();
}

void NavWindows::applyDefaultLayout(const LayoutRects& layout) {
    if (echoWindow_) placeWindow(echoWindow_, storedPlace(layout.esWindow));
    if (trackWindow_) placeWindow(trackWindow_, storedPlace(layout.gpsTrack));
}

// ------------------------------------------------------------ dialogs

void NavWindows::showGpsDialog() {
    if (gpsDialog_) showAndRaise(gpsDialog_);
}

void NavWindows::hideGpsDialog() {
    if (gpsDialog_ && gpsDialog_->isVisible()) gpsDialog_->hide();
}

void NavWindows::runSpeedDialog() {
    CSkerryDoc& doc = *app_.doc;
    CShipSpeedDlg dialog(doc.speed, app_.frame);
    dialog.exec();
    doc.imagingSpeed = speedSourceOf(doc.speed);
    // The page of "Bitmap View" shows the new speed at once; scrolling
    // waterfalls take it from the next ping.
    if (doc.link.playbackMode != 0 && doc.imaging.store.waterfallEnabled == 0) {
        app_.session->playback().setUpBitmapPage();
        app_.windows->updateViews();
    }
}

}  // namespace hx
