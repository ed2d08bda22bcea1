#include "imaging/Measurement.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "imaging/DisplaySettings.h"

namespace hx {

namespace {

constexpr double kMetresPerFoot = 0.3048;

std::int32_t toInt32(std::int64_t v) {
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

bool MarkList::add(const MarkEntry& entry) {
    if (count_ >= kMaxMarks) return false;
    entries_[static_cast<std::size_t>(count_++)] = entry;
    return true;
}

std::int64_t NadirColumn(std::int32_t imageWidth, std::int32_t sideDisplayMode) {
    if (sideDisplayMode == kPortOnly) return imageWidth;
    if (sideDisplayMode == kStarboardOnly) return 0;
    return imageWidth / 2;
}

std::int64_t SideSpanPx(std::int32_t imageWidth, std::int32_t sideDisplayMode) {
    if (sideDisplayMode == kPortOnly || sideDisplayMode == kStarboardOnly) return imageWidth;
    return imageWidth / 2;
}

double RangeAtColumnM(std::int64_t imageX, const MeasureFrame& frame) {
    const std::int64_t span = SideSpanPx(frame.imageWidth, frame.sideDisplayMode);
    if (span <= 0) return 0.0;
    // R × |x − nadir| is whole; only the division is in floating point.
    const std::int64_t product =
        static_cast<std::int64_t>(frame.rangeM) * std::llabs(imageX - NadirColumn(frame.imageWidth, frame.sideDisplayMode));
    return static_cast<double>(product) / static_cast<double>(span);
}

bool StarboardAt(std::int64_t imageX, std::int32_t imageWidth, std::int32_t sideDisplayMode) {
    if (sideDisplayMode == kPortOnly) return false;
    if (sideDisplayMode == kStarboardOnly) return true;
    return imageX >= imageWidth / 2;
}

std::int64_t AlongTrackRows(std::int32_t rowA, std::int32_t rowB, const MeasureFrame& frame) {
    const std::int64_t upper = std::min(rowA, rowB);
    const std::int64_t lower = std::max(rowA, rowB);
    if (frame.speedCorrection || !frame.store) return lower - upper;
    std::int64_t sum = 0;
    std::int64_t r = std::max<std::int64_t>(upper, 0);
    // Rows above the image (a negative scroll) count one each.
    sum += r - upper;
    for (; r < lower; ++r) {
        const RowMeta* meta = DisplayedRowMeta(*frame.store, static_cast<int>(r), frame.hold);
        if (!meta) break;
        sum += meta->lineCount;
    }
    // Rows below the image count one each.
    return sum + (lower - r);
}

double DistanceM(ImagePoint a, ImagePoint b, const MeasureFrame& frame) {
    const std::int64_t span = SideSpanPx(frame.imageWidth, frame.sideDisplayMode);
    if (span <= 0) return 0.0;
    const double dx = static_cast<double>(static_cast<std::int64_t>(b.x) - a.x);
    const double dy = static_cast<double>(AlongTrackRows(a.y, b.y, frame));
    return std::sqrt(dx * dx + dy * dy) * frame.rangeM / static_cast<double>(span);
}

std::optional<double> TargetHeightM(double altitudeM, double shadowStartM, double shadowLengthM) {
    const double sum = shadowStartM + shadowLengthM;
    if (sum == 0.0) return std::nullopt;
    return shadowLengthM * altitudeM / sum;
}

std::string LengthText(double valueM, bool feet) {
    double v = feet ? valueM / kMetresPerFoot : valueM;
    if (!std::isfinite(v)) v = 0.0;
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 2);
    std::string text = res.ec == std::errc() ? std::string(buf, res.ptr) : std::string("0.00");
    return text + (feet ? " ft" : " m");
}

std::string HeightPrompt(int stage, double heightM, bool feet) {
    switch (stage) {
        case 0: return "Click on the Target";
        case 1: return "Click on First (Bottom) Return";
        case 2: return "Click on Shadow Start";
        default: return "Click on Shadow End: H=" + LengthText(heightM, feet);
    }
}

TextOrigin MarkTextOrigin(std::int64_t imageX, std::int32_t windowX, std::int32_t windowY, std::int32_t imageWidth) {
    TextOrigin o;
    o.x = imageX >= static_cast<std::int64_t>(imageWidth) - 50 ? toInt32(static_cast<std::int64_t>(windowX) - 50) : windowX;
    o.y = windowY < 25 ? toInt32(static_cast<std::int64_t>(windowY) + 17) : toInt32(static_cast<std::int64_t>(windowY) - 33);
    return o;
}

// ---- session ----

void MeasurementSession::setMode(MeasureMode mode) {
    mode_ = mode;
    firstPlaced_ = false;
    stage_ = 0;
    advance_ = false;
    previous_ = MarkEntry{};
    height_ = HeightState{};
}

ImagePoint MeasurementSession::nadirAt(std::int32_t row, const MeasureFrame& frame) const {
    return {toInt32(NadirColumn(frame.imageWidth, frame.sideDisplayMode)), row};
}

void MeasurementSession::store(const MarkEntry& entry) {
    if (!marks_.add(entry)) ++refused_;
}

bool MeasurementSession::press(ImagePoint click, const MeasureFrame& frame, bool /*feet*/) {
    switch (mode_) {
        case MeasureMode::None:
            return false;
        case MeasureMode::Range:
            store({nadirAt(click.y, frame), click, MarkKind::Range, RangeAtColumnM(click.x, frame)});
            setMode(MeasureMode::None);
            return true;
        case MeasureMode::PlusMark:
            store({click, click, MarkKind::Plus, 0.0});
            setMode(MeasureMode::None);
            return true;
        case MeasureMode::Distance:
            if (!firstPlaced_) {
                first_ = click;
                firstPlaced_ = true;
                return false;
            }
            store({first_, click, MarkKind::Distance, DistanceM(first_, click, frame)});
            setMode(MeasureMode::None);
            return true;
        case MeasureMode::TargetHeight:
            break;
    }

    // Every entry of one height measurement lies on the target's row.
    const ImagePoint onTargetRow{click.x, previous_.p2.y};
    const double rangeM = RangeAtColumnM(click.x, frame);
    MarkEntry e;
    switch (stage_) {
        case 0:
            e = {nadirAt(click.y, frame), click, MarkKind::Target, rangeM};
            break;
        case 1:
            height_.targetAltitudeM = rangeM;  // the first bottom return lies at the towfish's altitude
            e = {previous_.p1, onTargetRow, MarkKind::BottomReturn, rangeM};
            break;
        case 2:
            height_.shadowStartRangeM = rangeM;
            e = {previous_.p1, onTargetRow, MarkKind::ShadowStart, rangeM};
            break;
        default: {
            const std::int64_t span = SideSpanPx(frame.imageWidth, frame.sideDisplayMode);
            const std::int64_t px = std::llabs(static_cast<std::int64_t>(click.x) - previous_.p2.x);
            height_.shadowLengthM =
                span > 0 ? static_cast<double>(static_cast<std::int64_t>(frame.rangeM) * px) / static_cast<double>(span)
                         : 0.0;
            if (auto h = TargetHeightM(height_.targetAltitudeM, height_.shadowStartRangeM, height_.shadowLengthM))
                height_.targetHeightM = *h;
            store({previous_.p2, onTargetRow, MarkKind::ShadowEnd, height_.targetHeightM});
            const HeightState done = height_;
            setMode(MeasureMode::None);
            height_ = done;  // the result stays readable
            return true;
        }
    }
    previous_ = e;
    store(e);
    advance_ = true;
    return false;
}

void MeasurementSession::release() {
    if (mode_ != MeasureMode::TargetHeight || !advance_) return;
    advance_ = false;
    stage_ = (stage_ + 1) % 4;
}

LiveMeasurement MeasurementSession::live(ImagePoint mouse, const MeasureFrame& frame, bool feet) const {
    LiveMeasurement l;
    switch (mode_) {
        case MeasureMode::None:
        case MeasureMode::PlusMark:
            return l;
        case MeasureMode::Range:
            l.shown = true;
            l.from = nadirAt(mouse.y, frame);
            l.to = mouse;
            l.text = LengthText(RangeAtColumnM(mouse.x, frame), feet);
            return l;
        case MeasureMode::Distance:
            if (!firstPlaced_) return l;
            l.shown = true;
            l.from = first_;
            l.to = mouse;
            l.plusAtFrom = true;
            l.text = LengthText(DistanceM(first_, mouse, frame), feet);
            return l;
        case MeasureMode::TargetHeight:
            break;
    }
    const std::int32_t row = stage_ == 3 ? previous_.p2.y : mouse.y;
    l.shown = true;
    l.from = nadirAt(row, frame);
    l.to = {mouse.x, row};
    double heightM = height_.targetHeightM;
    if (stage_ == 3) {
        const std::int64_t span = SideSpanPx(frame.imageWidth, frame.sideDisplayMode);
        const std::int64_t px = std::llabs(static_cast<std::int64_t>(mouse.x) - previous_.p2.x);
        const double lengthM =
            span > 0 ? static_cast<double>(static_cast<std::int64_t>(frame.rangeM) * px) / static_cast<double>(span) : 0.0;
        if (auto h = TargetHeightM(height_.targetAltitudeM, height_.shadowStartRangeM, lengthM)) heightM = *h;
    }
    l.text = HeightPrompt(stage_, heightM, feet);
    return l;
}

// ---- area selection ----

void AreaSelection::toggle() {
    state_ = state_ == State::Off ? State::Choosing : State::Off;
    dragging_ = false;
    first_ = second_ = ImagePoint{};
}

void AreaSelection::press(ImagePoint p) {
    if (state_ == State::Off) return;
    state_ = State::Choosing;
    first_ = second_ = p;
    dragging_ = true;
}

void AreaSelection::release(ImagePoint p) {
    if (!dragging_) return;
    dragging_ = false;
    if (p == first_) {
        first_ = second_ = ImagePoint{};
        state_ = State::Choosing;
        return;
    }
    second_ = p;
    state_ = State::Chosen;
}

AreaSelection::Rect AreaSelection::rect(ImagePoint pointer) const {
    const ImagePoint b = dragging_ ? pointer : second_;
    return {std::min(first_.x, b.x), std::min(first_.y, b.y), std::max(first_.x, b.x), std::max(first_.y, b.y)};
}

}  // namespace hx
