// The pointer over one view: where it is in window coordinates, whether it is
// inside, and the status readout the view hands on at each paint and move.
#pragma once

#include <QPoint>
#include <QSize>

#include "imaging/ui/SidescanContext.h"

namespace hx {

class ViewPointer {
public:
    void moved(QPoint windowPos, QSize client);
    void left() { inside_ = false; }

    QPoint pos() const { return pos_; }
    bool known() const { return known_; }
    bool inside() const { return inside_; }

    // Sends the readout for the pointer at this scroll, or, once, that it
    // left. imageWidthPx (when not negative) is the view's own image width.
    void report(const SidescanContext& context, int scrollX, int scrollY, int imageWidthPx = -1);

    // What overlay painters need: the view's scroll and zoom, the image and
    // client sizes, this pointer and Hold.
    ViewGeometry geometry(const SidescanContext& context, int scrollX, int scrollY, double zoomFactor,
                          QSize client, int imageWidthPx = -1) const;

private:
    QPoint pos_;
    bool known_ = false;
    bool inside_ = false;
    bool reported_ = false;
};

}  // namespace hx
