#include "imaging/ui/ViewPointer.h"

#include <QRect>

namespace hx {

ViewGeometry ViewPointer::geometry(const SidescanContext& context, int scrollX, int scrollY, double zoomFactor,
                                   QSize client, int imageWidthPx) const {
    ViewGeometry g;
    g.scrollX = scrollX;
    g.scrollY = scrollY;
    g.zoomFactor = zoomFactor;
    g.imageWidth = imageWidthPx >= 0 ? imageWidthPx : context.imaging.store.imageWidth;
    g.imageHeight = context.imaging.store.imageHeight;
    g.clientWidth = client.width();
    g.clientHeight = client.height();
    g.mouseX = pos_.x();
    g.mouseY = pos_.y();
    g.mouseInside = inside_;
    g.hold = context.imaging.display.holdDisplay != 0;
    return g;
}

void ViewPointer::moved(QPoint windowPos, QSize client) {
    pos_ = windowPos;
    known_ = true;
    inside_ = QRect(QPoint(0, 0), client).contains(windowPos);
}

void ViewPointer::report(const SidescanContext& context, int scrollX, int scrollY, int imageWidthPx) {
    if (!context.pointerInfo) return;
    if (inside_) {
        const WaterfallStore& store = context.imaging.store;
        context.pointerInfo(ReadPointer(store, context.imaging.display.sideDisplayMode, context.heads.sideScanRange,
                                        context.imaging.display.holdDisplay != 0,
                                        static_cast<std::int64_t>(pos_.x()) + scrollX,
                                        static_cast<std::int64_t>(pos_.y()) + scrollY, context.cycle.pingDateText,
                                        imageWidthPx));
        reported_ = true;
    } else if (reported_) {
        context.pointerInfo(PointerReadout{});
        reported_ = false;
    }
}

}  // namespace hx
