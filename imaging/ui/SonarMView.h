// The medium-frequency window: head M's image (in two-head operation without
// M, head H's) across the window's own width, with the main image's rows at
// the main view's scroll, and no overlays.
#pragma once

#include <QImage>
#include <QWidget>

#include "imaging/ui/SidescanContext.h"

namespace hx {

class CSonarMView : public QWidget {
    Q_OBJECT
public:
    explicit CSonarMView(SidescanContext& context, QWidget* parent = nullptr);
    ~CSonarMView() override;

    // The head this window shows for the present head set.
    int shownHead() const;
    // The image this view shows (its own, at its width), or null.
    const WaterfallImage* shownImage() const;
    // The window's image follows its width, the head set and the main
    // images (re-allocated and rebuilt when they changed).
    void followWindowWidth();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    SidescanContext& ctx_;
    QImage frame_;
};

}  // namespace hx
