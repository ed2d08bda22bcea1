#include "imaging/ui/SonarMView.h"

#include <QPainter>

#include "imaging/ui/CrossHairCursor.h"
#include "imaging/ui/ViewOverlays.h"
#include "imaging/ui/WaterfallBlit.h"

namespace hx {

namespace {

WindowWaterfall& slotOf(SidescanContext& ctx) {
    return ctx.imaging.windows[static_cast<std::size_t>(kMediumWindowSlot)];
}

}  // namespace

CSonarMView::CSonarMView(SidescanContext& context, QWidget* parent) : QWidget(parent), ctx_(context) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setCursor(MakeCrossHairCursor());
}

CSonarMView::~CSonarMView() { CloseWindowImage(slotOf(ctx_)); }

int CSonarMView::shownHead() const {
    const LinkFields& link = ctx_.link;
    if (link.allSideScansAvailable) return kHeadM;
    return link.displayHeadA == kHeadM || link.displayHeadB == kHeadM ? kHeadM : kHeadH;
}

const WaterfallImage* CSonarMView::shownImage() const { return slotOf(ctx_).image(); }

void CSonarMView::followWindowWidth() {
    FitWindowImage(slotOf(ctx_), shownHead(), width(), ctx_.imaging.store,
                   WindowImageInputs{ctx_.imaging.history, ctx_.imaging.display, ctx_.speed, ctx_.heads});
    update();
}

void CSonarMView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (width() > 0 && height() > 0) followWindowWidth();
}

void CSonarMView::paintEvent(QPaintEvent*) {
    PrepareFrame(frame_, size());
    const WindowWaterfall& window = slotOf(ctx_);
    if (ctx_.imaging.store.imagesReady) {
        if (const WaterfallImage* image = window.image())
            BlitIndexed(frame_, *image, MakeColourLut(BuildImagePalette(ctx_.palette)),
                        -WindowScrollX(window, ctx_.imaging.store, ctx_.flags.scrollX), -ctx_.flags.scrollY);
    }
    {
        QPainter p(&frame_);
        DrawViewBadges(p, ctx_.healthBadge, {shownHead()}, width() - 6, 4, overlayInkFor(ctx_.palette));
    }
    QPainter screen(this);
    screen.drawImage(0, 0, frame_);
}

}  // namespace hx
