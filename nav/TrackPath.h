// The drawn GPS track, held compactly: pieces of polyline in track metres
// (x east, y south of the track origin), each kept at a few levels of detail
// so that a day of fixes at 10 Hz stays small and quick to draw. Each level
// drops the points that lie within its tolerance of the line through their
// neighbours (an incremental sleeve, O(1) per point), and vertices sit in
// blocks with bounding boxes so that a view draws only what it shows.
// Changed only by addSegment and clear (the track plotter's).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace hx {

struct TrackVertex {
    float xM = 0.0f;
    float yM = 0.0f;
};

struct TrackRect {
    double left = 0.0, top = 0.0, right = 0.0, bottom = 0.0;  // metres, top < bottom
};

class TrackPath {
public:
    // Tolerances of the detail levels, finest first, in metres.
    static constexpr std::array<double, 3> kLevelToleranceM = {0.2, 1.0, 5.0};
    static constexpr int kLevelCount = static_cast<int>(kLevelToleranceM.size());
    static constexpr std::size_t kBlockVertices = 256;
    // Above this many vertices over all levels the finest level is given up,
    // then the next: memory stays bounded however long the program runs.
    static constexpr std::size_t kVertexCap = 4u << 20;

    explicit TrackPath(std::size_t vertexCap = kVertexCap) : vertexCap_(vertexCap) {}

    // Appends the segment from -> to. A segment that does not start where the
    // last one ended begins a new piece.
    void addSegment(double fromXM, double fromYM, double toXM, double toYM);
    void clear();

    bool empty() const { return segmentCount_ == 0; }
    std::uint64_t segmentCount() const { return segmentCount_; }
    std::size_t vertexCount(int level) const;
    std::size_t totalVertexCount() const;
    std::size_t pieceCount(int level) const;
    std::size_t memoryBytes() const;

    // The coarsest level whose tolerance stays within maxErrorPx at
    // zoomPxPerM (falls back to the finest level still kept).
    int levelFor(double zoomPxPerM, double maxErrorPx = 0.5) const;
    int finestLevel() const { return finestLevel_; }

    // Calls draw with consecutive polylines of the level (at least two
    // vertices each) that may cross rect; runs outside it are skipped.
    void forEachPolyline(int level, const TrackRect& rect,
                         const std::function<void(std::span<const TrackVertex>)>& draw) const;
    // Every polyline of the level.
    void forEachPolyline(int level, const std::function<void(std::span<const TrackVertex>)>& draw) const;

private:
    struct Block {
        float left, top, right, bottom;
    };
    struct Level {
        std::vector<TrackVertex> vertices;
        std::vector<std::size_t> pieceStarts;  // index of each piece's first vertex
        std::vector<Block> blocks;             // bounds of the segments starting in each block
        // Sleeve of the open run: from the anchor (last fixed vertex) the
        // tail may still move while new points stay within the tolerance.
        bool hasTail = false;
        double anchorX = 0, anchorY = 0;
        double baseAngle = 0, lowAngle = 0, highAngle = 0;  // relative to baseAngle
        double reachM = 0;  // farthest distance from the anchor in the run
    };

    void startPiece(Level& level, double x, double y);
    void addPoint(Level& level, double toleranceM, double x, double y);
    void pushVertex(Level& level, double x, double y);
    void moveTail(Level& level, double x, double y);
    void growBlock(Level& level, std::size_t index);
    void enforceCap();

    std::size_t vertexCap_;
    std::array<Level, kLevelCount> levels_{};
    int finestLevel_ = 0;
    bool haveEnd_ = false;
    double endX_ = 0, endY_ = 0;
    std::uint64_t segmentCount_ = 0;
};

}  // namespace hx
