#include "imaging/ui/SkerryView.h"

#include <QElapsedTimer>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>

#include <algorithm>
#include <climits>

#include "imaging/ui/ColourIndicator.h"
#include "imaging/ui/CrossHairCursor.h"
#include "imaging/ui/ViewOverlays.h"
#include "imaging/ui/WaterfallBlit.h"

namespace hx {

namespace {

// Scroll offsets stay far from the integer limits, however far a drag goes.
constexpr long long kMaxScrollPx = 1000000000LL;
int clampScroll(long long v) { return static_cast<int>(std::clamp(v, -kMaxScrollPx, kMaxScrollPx)); }

template <typename T>
T perHead(const PerHead<T>& values, int head) {
    return head >= 0 && head < kHeadCount ? values[static_cast<std::size_t>(head)] : T{};
}

}  // namespace

CSkerryView::CSkerryView(SidescanContext& context, QWidget* parent) : CSkerryView(context, true, parent) {}

CSkerryView::CSkerryView(SidescanContext& context, bool mainView, QWidget* parent)
    : QWidget(parent),
      ctx_(context),
      mainView_(mainView),
      measurements_(context, *this, [this](MouseMode mode) { setMouseMode(mode); }, [this] { return scroll(); }) {
    hooks_ = measurements_.hooks();
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(MakeCrossHairCursor());
    if (mainView_) {
        pageBar_ = new QScrollBar(Qt::Vertical, this);
        pageBar_->hide();
        pageBar_->setCursor(Qt::ArrowCursor);
        connect(pageBar_, &QScrollBar::actionTriggered, this, &CSkerryView::bitmapScrollAction);
    }
}

ViewGeometry CSkerryView::viewGeometry() const {
    return pointer_.geometry(ctx_, zoom_.scrollX, zoom_.scrollY, zoom_.zoomFactor, size());
}

// ---- painting ----

void CSkerryView::paintEvent(QPaintEvent*) {
    QElapsedTimer timer;
    timer.start();
    if (mainView_) syncBitmapScrollBar();
    PrepareFrame(frame_, size());
    paintContent(frame_);
    {
        QPainter screen(this);
        screen.drawImage(0, 0, frame_);
    }
    if (mainView_) {
        const double ms = static_cast<double>(timer.nsecsElapsed()) / 1.0e6;
        ctx_.flags.displayTimeMs = static_cast<std::int32_t>((ms + ctx_.flags.displayTimeMs) / 2.0);
    }
    pointer_.report(ctx_, zoom_.scrollX, zoom_.scrollY);
}

void CSkerryView::paintContent(QImage& frame) {
    WaterfallStore& store = ctx_.imaging.store;
    const int headA = ctx_.link.displayHeadA;
    // New lines are expanded for the zoom this view shows, and the marks
    // follow its scroll.
    ctx_.imaging.display.interpolationFactor = zoom_.zoomFactor;
    ctx_.flags.scrollX = zoom_.scrollX;
    ctx_.flags.scrollY = zoom_.scrollY;
    store.imagePaletteHeader.width = store.imageWidth;
    store.imagePaletteHeader.height = -store.imageHeight;

    if (store.imagesReady) {
        if (store.threeHeadSet && !store.compositeImage.empty()) {
            store.imagePaletteHeader.bitCount = 24;
            if (ctx_.palette.nightRed != 0)
                BlitCompositeThrough(frame, store.compositeImage, MakeColourLut(BuildImagePalette(ctx_.palette)),
                                     -zoom_.scrollX, -zoom_.scrollY);
            else
                BlitComposite(frame, store.compositeImage, -zoom_.scrollX, -zoom_.scrollY);
        } else if (const WaterfallImage* image = HeadImageFor(store, headA)) {
            store.imagePaletteHeader.bitCount = 8;
            BlitIndexed(frame, *image, MakeColourLut(BuildImagePalette(ctx_.palette)), -zoom_.scrollX, -zoom_.scrollY);
        }
    }

    QPainter p(&frame);
    const OverlayInk ink = overlayInkFor(ctx_.palette);
    paintRangeScale(p);
    const bool feet = ctx_.flags.units == 1;
    if (ctx_.flags.showRange)
        DrawRangeText(p, RangeText(ctx_.heads.sideScanRange, perHead(ctx_.heads.headGain, headA), feet, false),
                      FrequencyText(perHead(ctx_.heads.headFrequency, headA)), ink);
    StatusMarks marks;
    marks.sysInfoPending = !ctx_.link.playbackMode && ctx_.link.sysInfoPending;
    if (marks.sysInfoPending && ctx_.sysInfoWait) marks.sysInfoWait = ctx_.sysInfoWait();
    marks.hold = ctx_.imaging.display.holdDisplay != 0;
    marks.speedCorrection = ctx_.speed.speedCorrectionEnabled != 0;
    marks.goodCycleCount = ctx_.cycle.goodCycleCount;
    DrawStatusMarks(p, size(), marks, ink);
    if (store.threeHeadSet)
        DrawViewBadges(p, ctx_.healthBadge, {kHeadL, kHeadM, kHeadH}, width() - 6, kMainViewBadgeTop, ink);
    else
        DrawViewBadges(p, ctx_.healthBadge, {headA}, width() - 6, kMainViewBadgeTop, ink);
    paintMeasurements(p);
    if (ctx_.colourIndicatorShown && *ctx_.colourIndicatorShown) {
        const bool composite = store.threeHeadSet && !store.compositeImage.empty();
        const ColourLut lut = MakeColourLut(BuildImagePalette(ctx_.palette));
        DrawColourIndicator(p, size(), composite ? nullptr : &lut);
    }
    if (ctx_.drawEventMarks) ctx_.drawEventMarks(p, viewGeometry());
}

void CSkerryView::paintRangeScale(QPainter& painter) {
    RangeScaleParams params;
    params.imageWidth = ctx_.imaging.store.imageWidth;
    params.scrollX = zoom_.scrollX;
    params.rangeM = ctx_.heads.sideScanRange;
    params.sideDisplayMode = ctx_.imaging.display.sideDisplayMode;
    params.feet = ctx_.flags.units == 1;
    params.grid = ctx_.flags.grid != 0;
    params.clientHeight = height();
    DrawRangeScale(painter, params, overlayInkFor(ctx_.palette));
}

void CSkerryView::paintMeasurements(QPainter& painter) {
    if (hooks_.paint) hooks_.paint(painter, viewGeometry());
}

// ---- size and zoom ----

void CSkerryView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (pageBar_) {
        const int w = pageBar_->sizeHint().width();
        pageBar_->setGeometry(width() - w, 0, w, height());
    }
    if (mainView_ && width() > 0 && height() > 0) resizeImages();
}

void CSkerryView::resizeImages() {
    if (!ResizeImages(ctx_.imaging, ctx_.palette, zoom_, width(), ctx_.heads, ctx_.link, ctx_.speed)) return;
    // The scroll stays on the new image: no band of black after a zoom change.
    setScroll(zoom_.scrollX, zoom_.scrollY);
    refreshAll();
}

void CSkerryView::fillTheScreen() {
    if (SelectZoomMode(zoom_, kZoomFillScreen)) resizeImages();
}

void CSkerryView::zoom100() {
    if (SelectZoomMode(zoom_, kZoom100)) resizeImages();
}

void CSkerryView::zoom200() {
    if (SelectZoomMode(zoom_, kZoom200)) resizeImages();
}

void CSkerryView::zoomIn() {
    const ViewZoom before = zoom_;
    if (ZoomIn(zoom_)) stopDrag();
    clearMarks();
    applyZoomChange(before);
}

void CSkerryView::zoomOut() {
    const ViewZoom before = zoom_;
    if (ZoomOut(zoom_)) stopDrag();
    clearMarks();
    applyZoomChange(before);
}

void CSkerryView::selectZoomFactor(double factor) {
    const ViewZoom before = zoom_;
    if (!SelectZoomFactor(zoom_, factor)) return;
    clearMarks();
    applyZoomChange(before);
}

void CSkerryView::restoreImage() {
    const ViewZoom before = zoom_;
    RestoreImage(zoom_);
    stopDrag();
    clearMarks();
    applyZoomChange(before);
}

void CSkerryView::applyZoomChange(const ViewZoom& before) {
    // The image is made at the new size, so the picture itself grows or
    // shrinks; across, the window's centre keeps showing the same range,
    // and down, the same rows stay at the top (the newest on top stay in view).
    if (zoom_.zoomMode != before.zoomMode || zoom_.zoomFactor != before.zoomFactor) {
        const double oldWidth = ctx_.imaging.store.imageWidth;
        const int centreX = width() / 2;
        const bool keepPlace = zoom_.scrollX == before.scrollX && zoom_.scrollY == before.scrollY;
        resizeImages();
        const double ratio = oldWidth > 0 ? ctx_.imaging.store.imageWidth / oldWidth : 1.0;
        if (keepPlace)
            setScroll(static_cast<long long>((before.scrollX + centreX) * ratio) - centreX,
                      static_cast<long long>(before.scrollY * ratio));
    } else {
        setScroll(zoom_.scrollX, zoom_.scrollY);
    }
    refreshAll();
}

void CSkerryView::cycleZoom() {
    const double oldFactor = zoom_.zoomFactor;
    const QPoint oldScroll = scroll();
    CycleZoomMode(zoom_);
    stopDrag();
    clearMarks();
    resizeImages();
    // Keep the image point under the pointer where it is (as far as the
    // new image reaches).
    const QPoint mouse = pointer_.pos();
    setScroll(ScrollKeepingPoint(oldScroll.x(), mouse.x(), oldFactor, zoom_.zoomFactor),
              ScrollKeepingPoint(oldScroll.y(), mouse.y(), oldFactor, zoom_.zoomFactor));
    dragScroll_ = scroll();
    refreshAll();
}

// ---- flags ----

void CSkerryView::toggleGrid() {
    ctx_.flags.grid = ctx_.flags.grid ? 0 : 1;
    refreshAll();
}

void CSkerryView::toggleShowRange() {
    ctx_.flags.showRange = ctx_.flags.showRange ? 0 : 1;
    refreshAll();
}

void CSkerryView::setMetric() {
    if (ctx_.flags.units == 0) return;
    ctx_.flags.units = 0;
    refreshAll();
    if (ctx_.unitsChanged) ctx_.unitsChanged();
}

void CSkerryView::setImperial() {
    if (ctx_.flags.units == 1) return;
    ctx_.flags.units = 1;
    refreshAll();
    if (ctx_.unitsChanged) ctx_.unitsChanged();
}

void CSkerryView::toggleShowMarkShadow() { ctx_.flags.showMarkShadow = ctx_.flags.showMarkShadow ? 0 : 1; }

void CSkerryView::toggleTimeMarks() {
    setMouseMode(mouseMode_ == MouseMode::TimeMarks ? MouseMode::None : MouseMode::TimeMarks);
}

void CSkerryView::toggleGpsMarks() {
    setMouseMode(mouseMode_ == MouseMode::GpsMarks ? MouseMode::None : MouseMode::GpsMarks);
}

void CSkerryView::setMouseMode(MouseMode mode) {
    mouseMode_ = mode;
    measurements_.modeChanged(mode);
    update();
}

// ---- commands ----

void CSkerryView::runCommand(ViewCommand command) {
    using C = ViewCommand;
    switch (command) {
        case C::FillTheScreen: fillTheScreen(); break;
        case C::Zoom100: zoom100(); break;
        case C::Zoom200: zoom200(); break;
        case C::ZoomIn: zoomIn(); break;
        case C::ZoomOut: zoomOut(); break;
        case C::RestoreImage: restoreImage(); break;
        case C::ZoomCycle: cycleZoom(); break;
        case C::Grid: toggleGrid(); break;
        case C::ShowRange: toggleShowRange(); break;
        case C::Metric: setMetric(); break;
        case C::Imperial: setImperial(); break;
        case C::ShowMarkShadow: toggleShowMarkShadow(); break;
        case C::TimeMarks: toggleTimeMarks(); break;
        case C::GpsMarks: toggleGpsMarks(); break;
        case C::KeyLeft: movePointer(-1, 0); break;
        case C::KeyRight: movePointer(1, 0); break;
        case C::KeyUp: movePointer(0, -1); break;
        case C::KeyDown: movePointer(0, 1); break;
    }
}

ViewCommandState CSkerryView::commandState(ViewCommand command) const {
    using C = ViewCommand;
    ViewCommandState s;
    switch (command) {
        case C::FillTheScreen: s.checked = ZoomModeChecked(zoom_, kZoomFillScreen); break;
        case C::Zoom100: s.checked = ZoomModeChecked(zoom_, kZoom100); break;
        case C::Zoom200: s.checked = ZoomModeChecked(zoom_, kZoom200); break;
        case C::Grid: s.checked = ctx_.flags.grid != 0; break;
        case C::ShowRange: s.checked = ctx_.flags.showRange != 0; break;
        case C::Metric: s.checked = ctx_.flags.units == 0; break;
        case C::Imperial: s.checked = ctx_.flags.units == 1; break;
        case C::ShowMarkShadow: s.checked = ctx_.flags.showMarkShadow != 0; break;
        case C::TimeMarks: s.checked = mouseMode_ == MouseMode::TimeMarks; break;
        case C::GpsMarks: s.checked = mouseMode_ == MouseMode::GpsMarks; break;
        case C::ZoomIn:
        case C::ZoomOut:
        case C::RestoreImage:
        case C::ZoomCycle:
        case C::KeyLeft:
        case C::KeyRight:
        case C::KeyUp:
        case C::KeyDown: break;
    }
    return s;
}

// ---- helpers ----

void CSkerryView::setScroll(long long x, long long y) {
    // Kept on the image, whether a drag, the wheel or a zoom change moves it.
    const WaterfallStore& store = ctx_.imaging.store;
    zoom_.scrollX = ClampScrollToImage(clampScroll(x), store.imageWidth, width());
    zoom_.scrollY = ClampScrollToImage(clampScroll(y), store.imageHeight, height());
    if (mainView_) {
        ctx_.flags.scrollX = zoom_.scrollX;
        ctx_.flags.scrollY = zoom_.scrollY;
    }
}

void CSkerryView::clearMarks() {
    if (hooks_.clearMarks) hooks_.clearMarks();
}

void CSkerryView::holdPlaybackStep() {
    if (!ctx_.link.playbackMode || !ctx_.timers) return;
    ctx_.timers->stop(TimerId::PlaybackStep);
    ctx_.timers->start(TimerId::PlaybackStart, 100, true);
}

void CSkerryView::refreshAll() {
    update();
    if (ctx_.refreshAllViews) ctx_.refreshAllViews();
}

bool CSkerryView::bitmapViewActive() const {
    return mainView_ && ctx_.bitmapPage && !ctx_.imaging.store.waterfallEnabled;
}

void CSkerryView::syncBitmapScrollBar() {
    if (!pageBar_) return;
    const bool on = bitmapViewActive();
    if (on != pageBar_->isVisibleTo(this)) {
        // Not from inside the paint: show or hide it once the paint is done.
        QTimer::singleShot(0, pageBar_, [bar = pageBar_, on] { bar->setVisible(on); });
    }
    if (!on) return;
    const BitmapPage& page = *ctx_.bitmapPage;
    const long long maxPosition = std::max<long long>(page.range - ctx_.imaging.store.imageHeight, 0);
    const int maximum = static_cast<int>(std::min<long long>(maxPosition, INT_MAX));
    const QSignalBlocker block(pageBar_);
    pageBar_->setRange(0, maximum);
    pageBar_->setSingleStep(64);
    pageBar_->setPageStep(512);
    pageBar_->setValue(static_cast<int>(std::clamp<long long>(maxPosition - page.position, 0, maximum)));
}

void CSkerryView::bitmapScrollAction(int action) {
    if (!bitmapViewActive() || action == QAbstractSlider::SliderNoAction) return;
    PageScroll what = PageScroll::Thumb;
    std::int64_t value = 0;
    switch (action) {
        case QAbstractSlider::SliderSingleStepSub: what = PageScroll::LineUp; break;
        case QAbstractSlider::SliderSingleStepAdd: what = PageScroll::LineDown; break;
        case QAbstractSlider::SliderPageStepSub: what = PageScroll::PageUp; break;
        case QAbstractSlider::SliderPageStepAdd: what = PageScroll::PageDown; break;
        default: value = pageBar_->sliderPosition(); break;  // thumb, top, bottom
    }
    ScrollBitmapPage(*ctx_.bitmapPage, ctx_.imaging.store, what, value);
    refreshAll();
}

}  // namespace hx
