#include "imaging/ui/MeasurementOverlay.h"

#include <QPainter>
#include <QPen>
#include <QWidget>

#include "imaging/ui/ViewOverlays.h"

namespace hx {

namespace {

const QColor kMarkPen{0, 200, 200};
const QColor kMarkText{250, 250, 250};
constexpr int kPlusArmPx = 8;

MeasureMode measureModeOf(MouseMode mode) {
    switch (mode) {
        case MouseMode::MeasureRange: return MeasureMode::Range;
        case MouseMode::MeasureDistance: return MeasureMode::Distance;
        case MouseMode::MeasureTargetHeight: return MeasureMode::TargetHeight;
        case MouseMode::PlusMark: return MeasureMode::PlusMark;
        default: return MeasureMode::None;
    }
}

bool measuring(MouseMode mode) { return measureModeOf(mode) != MeasureMode::None; }

ImagePoint imagePoint(QPoint p) { return {p.x(), p.y()}; }

QPoint toWindow(ImagePoint p, const ViewGeometry& g) {
    return {static_cast<int>(static_cast<long long>(p.x) - g.scrollX),
            static_cast<int>(static_cast<long long>(p.y) - g.scrollY)};
}

void drawPlus(QPainter& p, QPoint at) {
    p.drawLine(at.x() - kPlusArmPx, at.y(), at.x() + kPlusArmPx, at.y());
    p.drawLine(at.x(), at.y() - kPlusArmPx, at.x(), at.y() + kPlusArmPx);
}

void drawLabel(QPainter& p, std::int64_t imageX, QPoint windowAt, std::int32_t imageWidth, const std::string& text) {
    const TextOrigin o = MarkTextOrigin(imageX, windowAt.x(), windowAt.y(), imageWidth);
    DrawTextAt(p, o.x, o.y, QString::fromStdString(text));
}

}  // namespace

MeasurementOverlay::MeasurementOverlay(SidescanContext& context, QWidget& view,
                                       std::function<void(MouseMode)> setViewMode, std::function<QPoint()> scroll)
    : ctx_(context), view_(view), setViewMode_(std::move(setViewMode)), scroll_(std::move(scroll)) {}

MeasurementOverlay::~MeasurementOverlay() {
    if (ctx_.activeMeasurements == this) ctx_.activeMeasurements = nullptr;
}

MeasurementHooks MeasurementOverlay::hooks() {
    MeasurementHooks h;
    h.press = [this](MouseMode mode, QPoint p) { press(mode, p); };
    h.release = [this](MouseMode mode, QPoint p) { release(mode, p); };
    h.paint = [this](QPainter& painter, const ViewGeometry& g) { paint(painter, g); };
    h.clearMarks = [this] { clearMarks(); };
    return h;
}

MeasureFrame MeasurementOverlay::frame() const {
    MeasureFrame f;
    f.imageWidth = imageWidth_ ? imageWidth_() : ctx_.imaging.store.imageWidth;
    f.rangeM = ctx_.heads.sideScanRange;
    f.sideDisplayMode = ctx_.imaging.display.sideDisplayMode;
    f.speedCorrection = ctx_.speed.speedCorrectionEnabled != 0;
    f.store = &ctx_.imaging.store;
    f.hold = ctx_.imaging.display.holdDisplay != 0;
    return f;
}

void MeasurementOverlay::modeChanged(MouseMode mode) {
    viewMode_ = mode;
    const MeasureMode m = measureModeOf(mode);
    if (session_.mode() != m) session_.setMode(m);
    // One mode at a time: another mode ends the selection.
    if (mode != MouseMode::SelectArea && selection_.state() != AreaSelection::State::Off) selection_.toggle();
}

void MeasurementOverlay::toggleMode(MouseMode mode) {
    if (!measuring(mode)) return;
    setViewMode_(viewMode_ == mode ? MouseMode::None : mode);
}

void MeasurementOverlay::toggleSelectArea() {
    if (measuring(viewMode_)) return;
    if (selection_.state() == AreaSelection::State::Off) {
        selection_.toggle();
        setViewMode_(MouseMode::SelectArea);
    } else {
        selection_.toggle();
        setViewMode_(MouseMode::None);
    }
    repaint();
}

bool MeasurementOverlay::canSaveSelected() const {
    return selection_.state() == AreaSelection::State::Chosen && !selection_.dragging() &&
           !selectedWindowRect().isEmpty();
}

QRect MeasurementOverlay::selectedWindowRect() const {
    if (selection_.state() != AreaSelection::State::Chosen) return {};
    const AreaSelection::Rect r = selection_.chosen();
    const QPoint s = scroll_ ? scroll_() : QPoint();
    const QRect area(static_cast<int>(static_cast<long long>(r.left) - s.x()),
                     static_cast<int>(static_cast<long long>(r.top) - s.y()), r.width(), r.height());
    return area.intersected(view_.rect());
}

void MeasurementOverlay::clearMarks() {
    session_.clearMarks();
    repaint();
}

void MeasurementOverlay::press(MouseMode mode, QPoint p) {
    ctx_.activeMeasurements = this;
    if (mode == MouseMode::SelectArea) {
        selection_.press(imagePoint(p));
        return;
    }
    if (session_.mode() == MeasureMode::None) return;
    if (session_.press(imagePoint(p), frame(), feet())) setViewMode_(MouseMode::None);
}

void MeasurementOverlay::release(MouseMode mode, QPoint p) {
    if (mode == MouseMode::SelectArea) {
        selection_.release(imagePoint(p));
        return;
    }
    session_.release();
}

void MeasurementOverlay::repaint() { view_.update(); }

void MeasurementOverlay::paint(QPainter& p, const ViewGeometry& g) const {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(kMarkPen, 2, Qt::SolidLine, Qt::FlatCap));
    p.setFont(OverlayFont(kMarkFontPx));
    const std::int32_t w = g.imageWidth;
    const bool ft = feet();

    for (const MarkEntry& e : session_.marks().entries()) {
        const QPoint a = toWindow(e.p1, g);
        const QPoint b = toWindow(e.p2, g);
        if (e.kind == MarkKind::Plus) {
            drawPlus(p, a);
            continue;
        }
        p.drawLine(a, b);
        if (e.kind == MarkKind::Distance) drawPlus(p, a);
        drawPlus(p, b);
        if (e.kind == MarkKind::Range || e.kind == MarkKind::Distance || e.kind == MarkKind::ShadowEnd) {
            p.setPen(kMarkText);
            drawLabel(p, e.p2.x, b, w, LengthText(e.valueM, ft));
            p.setPen(QPen(kMarkPen, 2, Qt::SolidLine, Qt::FlatCap));
        }
    }

    const ImagePoint mouse{g.mouseX + g.scrollX, g.mouseY + g.scrollY};
    if (g.mouseInside && session_.mode() != MeasureMode::None) {
        const LiveMeasurement live = session_.live(mouse, frame(), ft);
        if (live.shown) {
            p.drawLine(toWindow(live.from, g), toWindow(live.to, g));
            if (live.plusAtFrom) drawPlus(p, toWindow(live.from, g));
            p.setPen(kMarkText);
            drawLabel(p, mouse.x, {g.mouseX, g.mouseY}, w, live.text);
        }
    }

    if (outlineShown_ && (selection_.dragging() || selection_.state() == AreaSelection::State::Chosen)) {
        const AreaSelection::Rect r = selection_.rect(mouse);
        const QPoint tl = toWindow({r.left, r.top}, g);
        const QRect box(tl, QSize(r.width() + 1, r.height() + 1));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Qt::white, 1, Qt::SolidLine));
        p.drawRect(box.adjusted(0, 0, -1, -1));
        p.setPen(QPen(Qt::black, 1, Qt::DashLine));
        p.drawRect(box.adjusted(0, 0, -1, -1));
    }
    p.restore();
}

}  // namespace hx
