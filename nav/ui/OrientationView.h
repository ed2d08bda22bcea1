// The orientation window (COrientationView, "HX642 - Orientation"): five
// instruments with their read-outs, redrawn every 500 ms from the values
// `readout` returns. Dragging with the left button moves the window; H
// toggles Hold like the Hold command.
#pragma once

#include <QImage>
#include <QPoint>
#include <QTimer>
#include <QWidget>

#include <functional>

#include "nav/OrientationInstruments.h"

namespace hx {

struct OrientationReadout {
    OrientationValues values;
    bool feet = false;
};

inline constexpr const char* kOrientationTitle = "HX642 - Orientation";
inline constexpr int kOrientationRedrawMs = 500;

class COrientationView : public QWidget {
    Q_OBJECT
public:
    explicit COrientationView(std::function<OrientationReadout()> readout, QWidget* parent = nullptr);

    bool redrawTimerActive() const { return timer_.isActive(); }

signals:
    void holdToggled();
    // The window was dragged to a new place (its frame geometry).
    void windowMoved(const QRect& frame);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::function<OrientationReadout()> readout_;
    QTimer timer_;
    QImage frame_;
    bool dragging_ = false;
    QPoint pressGlobal_;
    QPoint windowAtPress_;
};

}  // namespace hx
