#include "imaging/ui/ViewPointer.h"

#include <QRect>

namespace hx {

void ViewPointer::moved(QPoint windowPos, QSize client) {
    pos_ = windowPos;
    known_ = true;
    inside_ = QRect(QPoint(0, 0), client).contains(windowPos);
}

void ViewPointer::report(const SidescanContext& context, int scrollX, int scrollY) {
    if (!context.pointerInfo) return;
    if (inside_) {
        const WaterfallStore& store = context.imaging.store;
        context.pointerInfo(ReadPointer(store, context.imaging.display.sideDisplayMode, context.heads.sideScanRange,
                                        context.imaging.display.holdDisplay != 0,
                                        static_cast<std::int64_t>(pos_.x()) + scrollX,
                                        static_cast<std::int64_t>(pos_.y()) + scrollY, context.cycle.pingDateText));
        reported_ = true;
    } else if (reported_) {
        context.pointerInfo(PointerReadout{});
        reported_ = false;
    }
}

}  // namespace hx
