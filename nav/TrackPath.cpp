#include "nav/TrackPath.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace hx {

namespace {

double wrapAngle(double a) {
    while (a > std::numbers::pi) a -= 2 * std::numbers::pi;
    while (a <= -std::numbers::pi) a += 2 * std::numbers::pi;
    return a;
}

}  // namespace

void TrackPath::growBlock(Level& level, std::size_t index) {
    const TrackVertex& v = level.vertices[index];
    const std::size_t b = index / kBlockVertices;
    if (b >= level.blocks.size()) {
        level.blocks.push_back({v.xM, v.yM, v.xM, v.yM});
    } else {
        Block& blk = level.blocks[b];
        blk.left = std::min(blk.left, v.xM);
        blk.right = std::max(blk.right, v.xM);
        blk.top = std::min(blk.top, v.yM);
        blk.bottom = std::max(blk.bottom, v.yM);
    }
    // The block before also holds the segment that ends here.
    if (b > 0 && index % kBlockVertices == 0) {
        Block& prev = level.blocks[b - 1];
        prev.left = std::min(prev.left, v.xM);
        prev.right = std::max(prev.right, v.xM);
        prev.top = std::min(prev.top, v.yM);
        prev.bottom = std::max(prev.bottom, v.yM);
    }
}

void TrackPath::pushVertex(Level& level, double x, double y) {
    level.vertices.push_back({static_cast<float>(x), static_cast<float>(y)});
    growBlock(level, level.vertices.size() - 1);
}

// Bounds only grow as the tail moves: culling stays conservative.
void TrackPath::moveTail(Level& level, double x, double y) {
    level.vertices.back() = {static_cast<float>(x), static_cast<float>(y)};
    growBlock(level, level.vertices.size() - 1);
}

void TrackPath::startPiece(Level& level, double x, double y) {
    level.hasTail = false;
    level.pieceStarts.push_back(level.vertices.size());
    pushVertex(level, x, y);
    level.anchorX = x;
    level.anchorY = y;
}

void TrackPath::addPoint(Level& level, double toleranceM, double x, double y) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        const double dx = x - level.anchorX;
        const double dy = y - level.anchorY;
        const double d = std::hypot(dx, dy);
        if (!level.hasTail) {
            if (d <= toleranceM) return;  // within the tolerance of the line's end already
            pushVertex(level, x, y);
            level.hasTail = true;
            level.baseAngle = std::atan2(dy, dx);
            const double w = std::asin(toleranceM / d);
            level.lowAngle = -w;
            level.highAngle = w;
            level.reachM = d;
            return;
        }
        // The run may go on while the point lies inside the sleeve of every
        // earlier point and does not turn back towards the anchor.
        if (d > toleranceM && d >= level.reachM - toleranceM) {
            const double rel = wrapAngle(std::atan2(dy, dx) - level.baseAngle);
            if (rel >= level.lowAngle && rel <= level.highAngle) {
                moveTail(level, x, y);
                const double w = std::asin(toleranceM / d);
                level.lowAngle = std::max(level.lowAngle, rel - w);
                level.highAngle = std::min(level.highAngle, rel + w);
                level.reachM = std::max(level.reachM, d);
                return;
            }
        }
        // Fix the tail and start a new run from it.
        const TrackVertex& tail = level.vertices.back();
        level.anchorX = tail.xM;
        level.anchorY = tail.yM;
        level.hasTail = false;
    }
}

void TrackPath::addSegment(double fromXM, double fromYM, double toXM, double toYM) {
    const bool joins = haveEnd_ && fromXM == endX_ && fromYM == endY_;
    for (int i = finestLevel_; i < kLevelCount; ++i) {
        Level& level = levels_[static_cast<std::size_t>(i)];
        if (!joins) startPiece(level, fromXM, fromYM);
        addPoint(level, kLevelToleranceM[static_cast<std::size_t>(i)], toXM, toYM);
    }
    haveEnd_ = true;
    endX_ = toXM;
    endY_ = toYM;
    ++segmentCount_;
    if (totalVertexCount() > vertexCap_) enforceCap();
}

void TrackPath::enforceCap() {
    while (totalVertexCount() > vertexCap_ && finestLevel_ < kLevelCount - 1) {
        levels_[static_cast<std::size_t>(finestLevel_)] = Level{};
        ++finestLevel_;
    }
    Level& last = levels_[static_cast<std::size_t>(kLevelCount - 1)];
    if (last.vertices.size() <= vertexCap_) return;
    // Even the coarsest level is full: the older half of the track goes.
    const std::size_t cut = last.vertices.size() / 2;
    Level kept;
    kept.pieceStarts.push_back(0);
    for (std::size_t i = cut; i < last.vertices.size(); ++i) {
        kept.vertices.push_back(last.vertices[i]);
        growBlock(kept, kept.vertices.size() - 1);
    }
    for (std::size_t s : last.pieceStarts)
        if (s > cut) kept.pieceStarts.push_back(s - cut);
    kept.hasTail = last.hasTail;
    kept.anchorX = last.anchorX;
    kept.anchorY = last.anchorY;
    kept.baseAngle = last.baseAngle;
    kept.lowAngle = last.lowAngle;
    kept.highAngle = last.highAngle;
    kept.reachM = last.reachM;
    last = std::move(kept);
}

void TrackPath::clear() {
    levels_ = {};
    finestLevel_ = 0;
    haveEnd_ = false;
    segmentCount_ = 0;
}

std::size_t TrackPath::vertexCount(int level) const {
    if (level < 0 || level >= kLevelCount) return 0;
    return levels_[static_cast<std::size_t>(level)].vertices.size();
}

std::size_t TrackPath::totalVertexCount() const {
    std::size_t n = 0;
    for (const Level& l : levels_) n += l.vertices.size();
    return n;
}

std::size_t TrackPath::pieceCount(int level) const {
    if (level < 0 || level >= kLevelCount) return 0;
    return levels_[static_cast<std::size_t>(level)].pieceStarts.size();
}

std::size_t TrackPath::memoryBytes() const {
    std::size_t n = sizeof *this;
    for (const Level& l : levels_)
        n += l.vertices.capacity() * sizeof(TrackVertex) + l.pieceStarts.capacity() * sizeof(std::size_t) +
             l.blocks.capacity() * sizeof(Block);
    return n;
}

int TrackPath::levelFor(double zoomPxPerM, double maxErrorPx) const {
    int chosen = finestLevel_;
    for (int i = finestLevel_; i < kLevelCount; ++i)
        if (kLevelToleranceM[static_cast<std::size_t>(i)] * zoomPxPerM <= maxErrorPx) chosen = i;
    return chosen;
}

void TrackPath::forEachPolyline(int level, const std::function<void(std::span<const TrackVertex>)>& draw) const {
    forEachPolyline(level, TrackRect{-HUGE_VAL, -HUGE_VAL, HUGE_VAL, HUGE_VAL}, draw);
}

void TrackPath::forEachPolyline(int level, const TrackRect& rect,
                                const std::function<void(std::span<const TrackVertex>)>& draw) const {
    if (level < finestLevel_ || level >= kLevelCount) return;
    const Level& l = levels_[static_cast<std::size_t>(level)];
    const std::size_t total = l.vertices.size();
    auto visible = [&](std::size_t b) {
        const Block& blk = l.blocks[b];
        return blk.right >= rect.left && blk.left <= rect.right && blk.bottom >= rect.top && blk.top <= rect.bottom;
    };
    for (std::size_t p = 0; p < l.pieceStarts.size(); ++p) {
        const std::size_t first = l.pieceStarts[p];
        const std::size_t end = p + 1 < l.pieceStarts.size() ? l.pieceStarts[p + 1] : total;
        if (end - first < 2) continue;
        // Runs of visible blocks inside the piece, each drawn as one polyline.
        std::size_t i = first;
        while (i + 1 < end) {
            const std::size_t b = i / kBlockVertices;
            const std::size_t blockEnd = std::min(end - 1, (b + 1) * kBlockVertices);
            if (!visible(b)) {
                i = blockEnd;
                continue;
            }
            std::size_t runEnd = blockEnd;
            while (runEnd < end - 1 && visible(runEnd / kBlockVertices))
                runEnd = std::min(end - 1, (runEnd / kBlockVertices + 1) * kBlockVertices);
            draw(std::span<const TrackVertex>(l.vertices.data() + i, runEnd - i + 1));
            i = runEnd;
        }
    }
}

}  // namespace hx
