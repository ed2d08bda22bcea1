#include "imaging/ui/SonarMView.h"

#include <QPainter>

#include "imaging/ui/CrossHairCursor.h"
#include "imaging/ui/WaterfallBlit.h"

namespace hx {

CSonarMView::CSonarMView(SidescanContext& context, QWidget* parent) : QWidget(parent), ctx_(context) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setCursor(MakeCrossHairCursor());
}

const WaterfallImage* CSonarMView::shownImage() const {
    const WaterfallStore& store = ctx_.imaging.store;
    if (store.threeHeadSet) return HeadImageFor(store, kHeadM);
    if (const WaterfallImage* m = HeadImageFor(store, kHeadM)) return m;
    return HeadImageFor(store, kHeadH);
}

void CSonarMView::paintEvent(QPaintEvent*) {
    PrepareFrame(frame_, size());
    if (ctx_.imaging.store.imagesReady) {
        if (const WaterfallImage* image = shownImage())
            BlitIndexed(frame_, *image, MakeColourLut(BuildImagePalette(ctx_.palette)), -ctx_.flags.scrollX,
                        -ctx_.flags.scrollY);
    }
    QPainter screen(this);
    screen.drawImage(0, 0, frame_);
}

}  // namespace hx
