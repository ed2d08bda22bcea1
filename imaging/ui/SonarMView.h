// The medium-frequency window: head M's image (in two-head operation without
// M, head H's), drawn at the main view's scroll with no overlays.
#pragma once

#include <QImage>
#include <QWidget>

#include "imaging/ui/SidescanContext.h"

namespace hx {

class CSonarMView : public QWidget {
    Q_OBJECT
public:
    explicit CSonarMView(SidescanContext& context, QWidget* parent = nullptr);

    // The image this view shows in the allocated set, or null.
    const WaterfallImage* shownImage() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    SidescanContext& ctx_;
    QImage frame_;
};

}  // namespace hx
