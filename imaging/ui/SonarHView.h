// The high-frequency window: head H's image in three-head operation, else
// displayHeadB's, across the window's own width with the main image's rows,
// drawn at the main view's scroll, with displayHeadB's range lines
// ("%d m(%d dB)", always shown), the range scale and the measurements.
#pragma once

#include <QImage>
#include <QWidget>

#include "imaging/ui/MeasurementOverlay.h"
#include "imaging/ui/SidescanContext.h"
#include "imaging/ui/ViewCommands.h"
#include "imaging/ui/ViewPointer.h"

namespace hx {

class CSonarHView : public QWidget {
    Q_OBJECT
public:
    explicit CSonarHView(SidescanContext& context, QWidget* parent = nullptr);
    ~CSonarHView() override;

    // The head this window shows for the present head set.
    int shownHead() const;
    // The image this view shows (its own, at its width), or null.
    const WaterfallImage* shownImage() const;
    // The window's image follows its width, the head set and the main
    // images (re-allocated and rebuilt when they changed).
    void followWindowWidth();
    ViewGeometry viewGeometry() const;

    MouseMode mouseMode() const { return mouseMode_; }
    void setMouseMode(MouseMode mode);
    void setMeasurementHooks(MeasurementHooks hooks) { hooks_ = std::move(hooks); }
    // This view's own measurements and marks, installed as its hooks.
    MeasurementOverlay& measurements() { return measurements_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    // The main view's scroll on this window's image (its own width, the same rows).
    QPoint scroll() const;
    int imageWidth() const;

    SidescanContext& ctx_;
    QImage frame_;
    ViewPointer pointer_;
    MouseMode mouseMode_ = MouseMode::None;
    MeasurementHooks hooks_;
    MeasurementOverlay measurements_;
    bool clickPending_ = false;
    QPoint clickAt_;
};

}  // namespace hx
