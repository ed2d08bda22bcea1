// One sidescan view's measurements, marks and area selection: it takes the
// view's clicks for the point-placing mouse modes, keeps the entries (in
// image coordinates, so they stay where they were drawn as new rows
// arrive), draws them and the live line under the pointer, and ends the
// view's mode when a measurement is done. The measure commands reach the
// active view's overlay.
#pragma once

#include <QPoint>
#include <QRect>

#include <functional>

#include "imaging/Measurement.h"
#include "imaging/ui/SidescanContext.h"
#include "imaging/ui/ViewCommands.h"

class QPainter;
class QWidget;

namespace hx {

// The overlay pens and fonts.
inline constexpr int kMarkFontPx = 22;

class MeasurementOverlay {
public:
    // view: the widget drawn on; setViewMode changes its mouse mode (the one
    // source of which mode is on); scroll gives its scroll offsets.
    MeasurementOverlay(SidescanContext& context, QWidget& view, std::function<void(MouseMode)> setViewMode,
                       std::function<QPoint()> scroll);
    ~MeasurementOverlay();
    MeasurementOverlay(const MeasurementOverlay&) = delete;
    MeasurementOverlay& operator=(const MeasurementOverlay&) = delete;

    // A view whose image is not the main image's width (a sonar window's
    // own) says its width; ranges and distances are taken across it.
    void setImageWidthSource(std::function<std::int32_t()> width) { imageWidth_ = std::move(width); }

    // What the view calls: its clicks, paints and the zoom's mark clearing.
    MeasurementHooks hooks();
    // The view's mode changed (by a command, a click or another mode).
    void modeChanged(MouseMode mode);

    // "Measure &Range", "Measure &Distance", "Measure Target &Height",
    // "Draw '+' Mark": on, or off when already on.
    void toggleMode(MouseMode mode);
    bool modeOn(MouseMode mode) const { return viewMode_ == mode; }
    // "Select an area to save": off → choosing, choosing or chosen → off;
    // nothing while a measuring or marking mode is on.
    void toggleSelectArea();
    bool selectAreaOn() const { return selection_.state() != AreaSelection::State::Off; }
    // "Save Selected": an area is chosen and no drag is in progress.
    bool canSaveSelected() const;
    // The chosen area in the view's window coordinates, within the view.
    QRect selectedWindowRect() const;
    // The outline is left out while the area is captured.
    void setSelectionOutlineShown(bool shown) { outlineShown_ = shown; }
    // "&Clear Lines/Marks" (and every zoom command).
    void clearMarks();

    const MeasurementSession& session() const { return session_; }
    const AreaSelection& selection() const { return selection_; }
    QWidget& view() const { return view_; }

    void paint(QPainter& painter, const ViewGeometry& geometry) const;

private:
    MeasureFrame frame() const;
    bool feet() const { return ctx_.flags.units == 1; }
    void press(MouseMode mode, QPoint imagePoint);
    void release(MouseMode mode, QPoint imagePoint);
    void repaint();

    SidescanContext& ctx_;
    QWidget& view_;
    std::function<void(MouseMode)> setViewMode_;
    std::function<QPoint()> scroll_;
    std::function<std::int32_t()> imageWidth_;  // null: the main image's
    MouseMode viewMode_ = MouseMode::None;
    MeasurementSession session_;
    AreaSelection selection_;
    bool outlineShown_ = true;
};

}  // namespace hx
