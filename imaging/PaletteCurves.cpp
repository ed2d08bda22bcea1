#include "imaging/PaletteCurves.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace hx {

namespace {

constexpr int kLeftX = kCurveX0;
constexpr int kRightX = kCurveX0 + kCurveWidthPx;
constexpr int kTopY = kCurveY0;
constexpr int kBottomY = kCurveY0 + kCurveHeightPx;
constexpr int kGrabAcrossPx = 31;
constexpr int kGrabAlongPx = 3;

std::vector<CurvePoint> ramp() {
    return {{static_cast<std::uint16_t>(kLeftX), static_cast<std::uint16_t>(kBottomY)},
            {static_cast<std::uint16_t>(kRightX), static_cast<std::uint16_t>(kTopY)}};
}

CurvePoint clampedPoint(int x, int y) {
    return {static_cast<std::uint16_t>(std::clamp(x, kLeftX, kRightX)),
            static_cast<std::uint16_t>(std::clamp(y, kTopY, kBottomY))};
}

// Sorted by x with one point per column (the later one wins).
void normalise(std::vector<CurvePoint>& pts) {
    std::stable_sort(pts.begin(), pts.end(), [](CurvePoint a, CurvePoint b) { return a.x < b.x; });
    std::vector<CurvePoint> out;
    for (CurvePoint p : pts) {
        if (!out.empty() && out.back().x == p.x)
            out.back() = p;
        else
            out.push_back(p);
    }
    pts = std::move(out);
}

}  // namespace

int SnapCurveX(int x) {
    const int rel = x - kCurveX0 + kCurveGridPx / 2;
    // Floor division, so that positions left of the graph snap to its edge.
    const int k = rel >= 0 ? rel / kCurveGridPx : -((-rel + kCurveGridPx - 1) / kCurveGridPx);
    return std::clamp(kCurveX0 + k * kCurveGridPx, kLeftX, kRightX);
}

int CurveIndexAt(int x) { return std::clamp((x - kCurveX0) / 2, 0, kPaletteEntries - 1); }

int CurveValueAt(double y) {
    const double v = std::trunc(kCurveHeightPx - (y - kCurveY0));
    return static_cast<int>(std::clamp(v, 0.0, 255.0));
}

int CurveYFor(int value) { return kBottomY - std::clamp(value, 0, 255); }

std::uint8_t ChannelValue(const PaletteEntry& e, int channel) {
    return channel == kRedCurve ? e.red : channel == kGreenCurve ? e.green : e.blue;
}

void SetChannelValue(PaletteEntry& e, int channel, std::uint8_t value) {
    if (channel == kRedCurve)
        e.red = value;
    else if (channel == kGreenCurve)
        e.green = value;
    else
        e.blue = value;
}

PaletteCurves::PaletteCurves() {
    for (auto& pts : points_) pts = ramp();
    for (int i = 0; i < kPaletteEntries; ++i) {
        const auto v = static_cast<std::uint8_t>(255 - i);
        palette_[static_cast<std::size_t>(i)] = {v, v, v, 0};
    }
}

const std::vector<CurvePoint>& PaletteCurves::points(int channel) const {
    return points_[static_cast<std::size_t>(std::clamp(channel, 0, kCurveChannels - 1))];
}

std::vector<CurvePoint> PaletteCurves::drawnPoints(int channel) const {
    std::vector<CurvePoint> pts = points(channel);
    if (grabbed_ && channel == selected_) {
        const auto it = std::find(pts.begin(), pts.end(), grabbed_->original);
        if (it != pts.end()) *it = grabbed_->live;
        normalise(pts);
    }
    return pts;
}

void PaletteCurves::select(int channel) {
    if (channel < 0 || channel >= kCurveChannels) return;
    grabbed_.reset();
    selected_ = channel;
}

void PaletteCurves::recompute(int channel, const std::vector<CurvePoint>& pts) {
    // Between each pair of neighbouring points, every second column: the
    // value on the line, into that channel of the column's entry.
    for (std::size_t k = 0; k + 1 < pts.size(); ++k) {
        const CurvePoint a = pts[k];
        const CurvePoint b = pts[k + 1];
        if (a.x == b.x) continue;
        for (int x = a.x; x < b.x + 1; x += 2) {
            const double y = a.y + static_cast<double>(b.y - a.y) * (x - a.x) / (b.x - a.x);
            PaletteEntry& e = palette_[static_cast<std::size_t>(CurveIndexAt(x))];
            SetChannelValue(e, channel, static_cast<std::uint8_t>(CurveValueAt(y)));
        }
    }
}

void PaletteCurves::reset(int channel) {
    if (channel < 0 || channel >= kCurveChannels) return;
    if (grabbed_ && channel == selected_) grabbed_.reset();
    points_[static_cast<std::size_t>(channel)] = ramp();
    recompute(channel, points_[static_cast<std::size_t>(channel)]);
}

void PaletteCurves::followTable(const Palette& table) {
    grabbed_.reset();
    palette_ = table;
    for (int c = 0; c < kCurveChannels; ++c) {
        std::vector<CurvePoint>& pts = points_[static_cast<std::size_t>(c)];
        pts.clear();
        for (int x = kLeftX; x <= kRightX; x += kCurveGridPx) {
            const int value = ChannelValue(table[static_cast<std::size_t>(CurveIndexAt(x))], c);
            pts.push_back(clampedPoint(x, CurveYFor(value)));
        }
    }
}

void PaletteCurves::takeFromDocument(const PaletteState& doc) {
    grabbed_.reset();
    palette_ = doc.customPalette;
    const PaletteCurves fromPalette = [&] {
        PaletteCurves p;
        p.followTable(doc.customPalette);
        return p;
    }();
    for (int c = 0; c < kCurveChannels; ++c) {
        const auto k = static_cast<std::size_t>(c);
        const int n = std::clamp(doc.curvePointCount[k], 0, kCurvePointsMax);
        std::vector<CurvePoint> pts;
        for (int i = 0; i < n; ++i) {
            const CurvePoint p = doc.curvePoints[k][static_cast<std::size_t>(i)];
            pts.push_back(clampedPoint(p.x, p.y));
        }
        normalise(pts);
        if (pts.size() < 2) {
            points_[k] = fromPalette.points_[k];
            continue;
        }
        // A curve reaches both edges of the graph.
        if (pts.front().x != kLeftX) pts.insert(pts.begin(), clampedPoint(kLeftX, pts.front().y));
        if (pts.back().x != kRightX) pts.push_back(clampedPoint(kRightX, pts.back().y));
        if (pts.size() > static_cast<std::size_t>(kCurvePointsMax)) {
            const CurvePoint last = pts.back();
            pts.resize(kCurvePointsMax - 1);
            pts.push_back(last);
        }
        points_[k] = std::move(pts);
    }
}

void PaletteCurves::publish(PaletteState& doc) const {
    doc.customPalette = palette_;
    for (int c = 0; c < kCurveChannels; ++c) {
        const auto k = static_cast<std::size_t>(c);
        const auto& pts = points_[k];
        const int n = std::min<int>(static_cast<int>(pts.size()), kCurvePointsMax);
        doc.curvePointCount[k] = n;
        doc.curvePoints[k] = CurvePoints{};
        for (int i = 0; i < n; ++i) doc.curvePoints[k][static_cast<std::size_t>(i)] = pts[static_cast<std::size_t>(i)];
    }
}

bool PaletteCurves::insideGraph(int x, int y) {
    return x >= kLeftX && x <= kRightX && y >= kTopY && y <= kBottomY;
}

bool PaletteCurves::movesWindow(int x, int y) {
    return x >= kCurveX0 + 532 || y >= kCurveY0 + 336;
}

bool PaletteCurves::press(int x, int y) {
    grabbed_.reset();
    const std::vector<CurvePoint>& pts = points_[static_cast<std::size_t>(selected_)];
    std::optional<std::size_t> best;
    int bestDistance = 0;
    for (std::size_t i = 0; i < pts.size(); ++i) {
        const int dx = std::abs(x - pts[i].x);
        const int dy = std::abs(y - pts[i].y);
        if (dx > kGrabAcrossPx || dy > kGrabAlongPx) continue;
        if (!best || dx + dy < bestDistance) {
            best = i;
            bestDistance = dx + dy;
        }
    }
    if (!best) return false;
    Grab g;
    g.original = g.live = pts[*best];
    g.leftEnd = std::abs(pts[*best].x - kLeftX) <= 1;
    g.rightEnd = std::abs(pts[*best].x - kRightX) <= 1;
    g.leftX = *best > 0 ? pts[*best - 1].x : kLeftX;
    g.rightX = *best + 1 < pts.size() ? pts[*best + 1].x : kRightX;
    grabbed_ = g;
    return true;
}

void PaletteCurves::move(int x, int y) {
    if (!grabbed_) return;
    Grab& g = *grabbed_;
    int nx = x;
    if (g.leftEnd) {
        nx = kLeftX;
    } else if (g.rightEnd) {
        nx = kRightX;
    } else {
        nx = std::clamp(x, std::min(g.leftX + 1, g.rightX), std::max(g.rightX - 1, g.leftX));
    }
    g.live = clampedPoint(nx, y);
    recompute(selected_, drawnPoints(selected_));
}

void PaletteCurves::putDown(int channel, CurvePoint p) {
    std::vector<CurvePoint>& pts = points_[static_cast<std::size_t>(channel)];
    const auto same = std::find_if(pts.begin(), pts.end(), [&](CurvePoint q) { return q.x == p.x; });
    if (same != pts.end()) {
        same->y = p.y;
    } else if (pts.size() < static_cast<std::size_t>(kCurvePointsMax)) {
        pts.push_back(p);
        normalise(pts);
    }
}

void PaletteCurves::release(int x, int y) {
    std::vector<CurvePoint>& pts = points_[static_cast<std::size_t>(selected_)];
    if (grabbed_) {
        const Grab g = *grabbed_;
        grabbed_.reset();
        const int nx = g.leftEnd ? kLeftX : g.rightEnd ? kRightX : SnapCurveX(x);
        const auto it = std::find(pts.begin(), pts.end(), g.original);
        if (it != pts.end()) pts.erase(it);
        putDown(selected_, clampedPoint(nx, y));
    } else {
        if (!insideGraph(x, y)) return;
        putDown(selected_, clampedPoint(SnapCurveX(x), y));
    }
    // A curve always reaches both edges.
    if (pts.empty() || pts.front().x != kLeftX) putDown(selected_, clampedPoint(kLeftX, kBottomY));
    if (pts.back().x != kRightX) putDown(selected_, clampedPoint(kRightX, kTopY));
    recompute(selected_, pts);
}

}  // namespace hx
