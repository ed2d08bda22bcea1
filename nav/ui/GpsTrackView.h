// The track plotter window ("HX642 - Track Plotter"): draws the document's
// track, waypoints and present position on the metric grid, pans with the
// left button, re-centres by itself, and offers the GPS commands in its
// context menu. The track, the zoom and the waypoints belong to the
// document; the view keeps only its pan and origin (TrackViewState).
// Commands it cannot run itself (context menu, + = - keys) go to the main
// window through `command`.
#pragma once

#include <QImage>
#include <QWidget>

#include <functional>

#include "nav/TrackPlotSettings.h"
#include "nav/TrackPlotter.h"
#include "nav/TrackView.h"
#include "nav/WaypointList.h"
#include "nav/ui/TrackPlotPainter.h"

class QMenu;

namespace hx {

// The commands the window offers but leaves to the main window; the program
// binds each to its command id.
enum class TrackPlotCommand { GpsCommPortSettings, SpeedCorrection, EraseGpsTracks, ZoomIn, ZoomOut };

struct TrackPlotContext {
    const TrackState& track;
    TrackPlotSettings& plot;  // the zoom ("&Restore image" sets it to 1.0)
    const WaypointTable& waypoints;
    const WaypointMarkerPath& marks;
    std::function<bool()> feetUnits;                // the metres / feet switch
    std::function<void(TrackPlotCommand)> command;  // run by the main window
};

inline constexpr const char* kTrackPlotterTitle = "HX642 - Track Plotter";

class CGPSTrackView : public QWidget {
    Q_OBJECT
public:
    explicit CGPSTrackView(TrackPlotContext context, QWidget* parent = nullptr);

    const TrackViewState& viewState() const { return view_; }
    const TrackPlotPainter& painter() const { return painter_; }
    // The context menu: "GPS Comm Port &Settings", "&Speed Correction",
    // "&Erase GPS Tracks", "Zoom &In", "Zoom &Out"; each sends its command.
    QMenu* buildContextMenu(QWidget* parent);

public slots:
    // "&Restore image" (32816, key R): zoom 1.0 and the present position in the centre.
    void restoreImage();
    // The view's part of "&Erase GPS Tracks": origin back to the centre, no pan.
    void eraseView();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void send(TrackPlotCommand command);

    TrackPlotContext ctx_;
    TrackViewState view_;
    TrackPlotPainter painter_;
    QImage frame_;
};

}  // namespace hx
