// The high-frequency window: head H's image in three-head operation, else
// displayHeadB's, drawn at the main view's scroll, with displayHeadB's range
// lines ("%d m(%d dB)", always shown), the range scale and the measurements.
#pragma once

#include <QImage>
#include <QWidget>

#include "imaging/ui/SidescanContext.h"
#include "imaging/ui/ViewCommands.h"
#include "imaging/ui/ViewPointer.h"

namespace hx {

class CSonarHView : public QWidget {
    Q_OBJECT
public:
    explicit CSonarHView(SidescanContext& context, QWidget* parent = nullptr);

    const WaterfallImage* shownImage() const;
    ViewGeometry viewGeometry() const;

    MouseMode mouseMode() const { return mouseMode_; }
    void setMouseMode(MouseMode mode);
    void setMeasurementHooks(MeasurementHooks hooks) { hooks_ = std::move(hooks); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QPoint scroll() const { return {ctx_.flags.scrollX, ctx_.flags.scrollY}; }

    SidescanContext& ctx_;
    QImage frame_;
    ViewPointer pointer_;
    MouseMode mouseMode_ = MouseMode::None;
    MeasurementHooks hooks_;
};

}  // namespace hx
