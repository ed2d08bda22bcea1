// The navigation and instrument windows of the running program: the track
// plotter, the echo sounder, the orientation frame (instruments above the
// history strip), the beam coverage and the GPS settings dialog. Creates,
// titles and places them (the settings' rectangles, else the layout's),
// keeps the document's switches and rectangles in step with them, and
// repaints them when a ping or a GPS read brings new data. Their logic and
// data live in the document; this only builds and wires. Everything here
// runs on the user-interface thread.
#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>

#include "app/CommandIds.h"
#include "settings/StoredSettings.h"

class QWidget;

namespace hx {

struct AppContext;
class CBeamCoverView;
class CEchoSounder;
class CGPSConfigDlg;
class CGPSTrackView;
class CHistView;
class COrientationView;
class IFileDialogPort;
class INotifier;

inline constexpr const char* kOrientationFrameTitle = "HX642 - Orientation";

class NavWindows final : public QObject {
    Q_OBJECT
public:
    NavWindows(const AppContext& app, IFileDialogPort& dialogs, INotifier& notifier);
    ~NavWindows() override;

    // After the main frame is shown: the windows the settings want.
    void start();
    // The settings file was (re)loaded: a wanted track window opens, and the
    // windows that exist keep their places (the file's rectangles are older).
    void settingsLoaded();
    // A ping went through the pipeline, live or played: the windows follow
    // the head set (echo sounder, orientation sensor) and repaint.
    void pingShown();
    // The echo sounder's link badge ages between pings.
    void updateEchoSounder();
    // Night: the track plotter, the instruments and the beam coverage draw
    // in day colours, so they show through a veil of this opacity (1: none).
    void setNightVeil(double opacity);
    // Everything shown again (a command changed what they draw).
    void updateViews();
    // A file opens for playback: the echogram and the history start empty.
    void clearInstrumentViews();
    // "Default Layout": the echo sounder and track windows to the layout's places.
    void applyDefaultLayout(const LayoutRects& layout);

    // "Show &GPS Track Plotter": wanted from now on; created or raised.
    void showTrackPlotter();
    // "&Erase GPS Tracks" on the window's side.
    void eraseTrackView();
    // "Echo Sounder": created the first time, afterwards shown or hidden.
    void toggleEchoSounder();
    bool echoSounderVisible() const;
    // "Orientation History": the orientation frame created or raised.
    void showOrientation();
    bool orientationVisible() const;
    // "&Beam Coverage".
    void showBeamCoverage();
    // "GPS Comm Port &Settings"; hidden again when a file plays.
    void showGpsDialog();
    void hideGpsDialog();
    // "&Speed Correction / Info": the modal dialog, then the line count
    // follows (a playback page in "Bitmap View" is built again at once).
    void runSpeedDialog();
    // "&Load Waypoint List": dialog, file and marks; the plot repaints.
    void loadWaypointList();

    // The windows, while they exist (tests and screenshots look at them).
    CGPSTrackView* trackView() const;
    CEchoSounder* echoSounderView() const;
    COrientationView* orientationView() const;
    CHistView* historyView() const;
    CBeamCoverView* beamView() const;
    CGPSConfigDlg* gpsDialog() const;
    QWidget* trackWindow() const { return trackWindow_; }
    QWidget* echoSounderWindow() const { return echoWindow_; }
    QWidget* orientationWindow() const { return orientationWindow_; }
    QWidget* beamWindow() const { return beamWindow_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A stored window rectangle as a place; empty when it holds none.
    static QRect storedPlace(const WindowRect& r);
    static void showAndRaise(QWidget* window);
    void applyNightVeil();
    QWidget* frameWindow(QWidget* view, const char* title, const QRect& place);
    // A window to a rectangle that includes its title bar and borders.
    void placeWindow(QWidget* window, const QRect& outer);
    void takeOwnBorders(QObject* watched);
    void createTrackPlotter();
    void createEchoSounder();
    void createOrientation();
    void closeEchoSounder();
    void closeOrientation();
    void followHeadSet();
    void storeRect(QObject* window);
    QRect orientationDefaultPlace() const;
    void repaintAfter(CommandId id);

    const AppContext& app_;
    IFileDialogPort& dialogs_;
    INotifier& notifier_;

    QPointer<QWidget> trackWindow_;
    QPointer<CGPSTrackView> trackView_;
    QPointer<QWidget> echoWindow_;
    QPointer<CEchoSounder> echoView_;
    QPointer<QWidget> orientationWindow_;
    QPointer<COrientationView> orientationView_;
    QPointer<CHistView> historyView_;
    QPointer<QWidget> beamWindow_;
    QPointer<CBeamCoverView> beamView_;
    QPointer<CGPSConfigDlg> gpsDialog_;

    // Windows placed before their borders were known: their whole size.
    QHash<QObject*, QSize> undecorated_;
    double nightVeil_ = 1.0;
    // The application is quitting: its windows close with it.
    bool quitting_ = false;
    // The orientation frame's place; no settings key keeps it.
    QRect orientationPlace_;
    // The head set the windows last followed (-1: none yet).
    int followedEchoSounder_ = -1;
    int followedOrientation_ = -1;
};

}  // namespace hx
