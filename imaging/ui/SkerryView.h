// The main sidescan view: the composite in three-head operation, else
// displayHeadA's image, with the range scale, range text, status marks,
// measurements and event marks. Its size and zoom mode decide the image size
// (a resize re-allocates the images and rebuilds them from the ping history).
// The zoom, scroll, mouse mode and pointer are its own; everything else it
// reads from and writes to the shared context.
#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>

#include "imaging/ImageGeometry.h"
#include "imaging/ui/MeasurementOverlay.h"
#include "imaging/ui/SidescanContext.h"
#include "imaging/ui/ViewCommands.h"
#include "imaging/ui/ViewPointer.h"

class QScrollBar;

namespace hx {

class CSkerryView : public QWidget {
    Q_OBJECT
public:
    explicit CSkerryView(SidescanContext& context, QWidget* parent = nullptr);

    const ViewZoom& zoom() const { return zoom_; }
    double zoomFactor() const { return zoom_.zoomFactor; }
    QPoint scroll() const { return {zoom_.scrollX, zoom_.scrollY}; }
    ViewGeometry viewGeometry() const;

    MouseMode mouseMode() const { return mouseMode_; }
    // Selects a mode, ending every other one (None ends all).
    void setMouseMode(MouseMode mode);
    void setMeasurementHooks(MeasurementHooks hooks) { hooks_ = std::move(hooks); }
    // This view's measurements, marks and area selection, installed as its
    // hooks unless a caller sets others.
    MeasurementOverlay& measurements() { return measurements_; }
    // Where the measure commands go: the sidescan view last pressed or
    // focused, else this one.
    MeasurementOverlay& activeMeasurements() {
        return ctx_.activeMeasurements ? *ctx_.activeMeasurements : measurements_;
    }
    SidescanContext& context() const { return ctx_; }

    // The command router's entry points: run a view command, and its update
    // state (enabled, checked).
    void runCommand(ViewCommand command);
    ViewCommandState commandState(ViewCommand command) const;

public slots:
    void fillTheScreen();
    void zoom100();
    void zoom200();
    void zoomIn();
    void zoomOut();
    // The context menu's zoom factors 100 % to 400 %: the image becomes
    // factor × 2000 pixels wide.
    void selectZoomFactor(double factor);
    void restoreImage();
    void cycleZoom();  // key Z
    void toggleGrid();
    void toggleShowRange();
    void setMetric();
    void setImperial();
    void toggleShowMarkShadow();
    void toggleTimeMarks();
    void toggleGpsMarks();
    // Arrow keys: the pointer moves one pixel and is handled as a mouse move.
    void movePointer(int dx, int dy);
    // Re-allocates the images for this window's width and zoom mode and
    // rebuilds them from the history (also when viewReady has just been set).
    void resizeImages();

signals:
    // The right button over the view: the program shows its context menu
    // (zoom factors and Hold) at this screen point.
    void contextMenuRequested(QPoint globalPos);

protected:
    CSkerryView(SidescanContext& context, bool mainView, QWidget* parent);

    // Draws the image and overlays into the cleared frame.
    virtual void paintContent(QImage& frame);

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

    void paintMeasurements(QPainter& painter);
    void paintRangeScale(QPainter& painter);

    SidescanContext& ctx_;
    ViewZoom zoom_;

private:
    void handleMove(QPoint pos);
    void setScroll(long long x, long long y);
    void applyZoomChange(const ViewZoom& before);
    void clearMarks();
    void stopDrag() { dragging_ = false; }
    void holdPlaybackStep();
    void refreshAll();
    bool bitmapViewActive() const;
    void syncBitmapScrollBar();
    void bitmapScrollAction(int action);

    const bool mainView_;
    QImage frame_;
    ViewPointer pointer_;
    MouseMode mouseMode_ = MouseMode::None;
    MeasurementHooks hooks_;
    bool dragging_ = false;
    QPoint dragStart_;
    QPoint dragScroll_;
    QScrollBar* pageBar_ = nullptr;  // "Bitmap View" page, main view only
    MeasurementOverlay measurements_;
    bool clickPending_ = false;  // a left press with no mode: a click if released where it was pressed
    QPoint clickAt_;
};

}  // namespace hx
