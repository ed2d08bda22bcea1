#include "imaging/ui/SonarLView.h"

#include <QPainter>

#include "imaging/ui/WaterfallBlit.h"

namespace hx {

CSonarLView::CSonarLView(SidescanContext& context, QWidget* parent) : CSkerryView(context, false, parent) {}

void CSonarLView::paintContent(QImage& frame) {
    const WaterfallStore& store = ctx_.imaging.store;
    if (store.imagesReady) {
        if (const WaterfallImage* image = HeadImageFor(store, ctx_.link.displayHeadB))
            BlitIndexed(frame, *image, MakeColourLut(BuildImagePalette(ctx_.palette)), -zoom_.scrollX, -zoom_.scrollY);
    }
    QPainter p(&frame);
    paintRangeScale(p);
    paintMeasurements(p);
}

}  // namespace hx
