// The second sidescan view of the main view's family: displayHeadB's image
// (in three-head operation that head's own image) with the range scale and
// measurements only. Zoom, scroll and mouse as CSkerryView; its size does not
// decide the image size, which follows the main view.
#pragma once

#include "imaging/ui/SkerryView.h"

namespace hx {

class CSonarLView : public CSkerryView {
    Q_OBJECT
public:
    explicit CSonarLView(SidescanContext& context, QWidget* parent = nullptr);

protected:
    void paintContent(QImage& frame) override;
};

}  // namespace hx
