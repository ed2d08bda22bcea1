// Measurements and marks on a sidescan waterfall: the horizontal range from
// the track to a target, the distance between two targets, a target's height
// from its acoustic shadow, and '+' marks. Points are image coordinates (the
// window point plus the view's scroll); the image is drawn one pixel per
// screen pixel, so image rows are the waterfall's rows. One session per view,
// changed by the view's clicks and the measure commands on the
// user-interface thread; it keeps at most 100 entries.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "imaging/WaterfallStore.h"

namespace hx {

inline constexpr int kMaxMarks = 100;

enum class MarkKind : std::int32_t {
    Range = 0,
    Distance = 1,
    Plus = 2,
    Target = 3,
    BottomReturn = 4,
    ShadowStart = 5,
    ShadowEnd = 6,  // carries the target's height
};

struct ImagePoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const ImagePoint&, const ImagePoint&) = default;
};

struct MarkEntry {
    ImagePoint p1;  // first point
    ImagePoint p2;  // second point
    MarkKind kind = MarkKind::Range;
    double valueM = 0.0;  // range, distance or height in metres
};

// The stored entries, in the order they were made.
class MarkList {
public:
    // False (and nothing stored) once the list holds kMaxMarks entries.
    bool add(const MarkEntry& entry);
    void clear() { count_ = 0; }
    int count() const { return count_; }
    std::span<const MarkEntry> entries() const { return {entries_.data(), static_cast<std::size_t>(count_)}; }

private:
    std::array<MarkEntry, kMaxMarks> entries_{};
    int count_ = 0;
};

// What a measurement reads of the display at the moment.
struct MeasureFrame {
    std::int32_t imageWidth = 0;
    std::int32_t rangeM = 0;
    std::int32_t sideDisplayMode = 3;
    bool speedCorrection = true;
    // The rows' line counts, for distances with speed correction off: the
    // frozen set while on Hold. Null: every row counts one.
    const WaterfallStore* store = nullptr;
    bool hold = false;
};

// The image column of the track (nadir): the right edge for port only, the
// left edge for starboard only, the centre for both sides.
std::int64_t NadirColumn(std::int32_t imageWidth, std::int32_t sideDisplayMode);
// Pixels from the nadir to the far edge of one side.
std::int64_t SideSpanPx(std::int32_t imageWidth, std::int32_t sideDisplayMode);
// Horizontal range under an image column: R × |x − nadir| / span.
double RangeAtColumnM(std::int64_t imageX, const MeasureFrame& frame);
// Whether a column lies on the starboard side.
bool StarboardAt(std::int64_t imageX, std::int32_t imageWidth, std::int32_t sideDisplayMode);

// Along-track rows between two image rows: the row difference, or with speed
// correction off the sum of the rows' line counts from the upper row down to
// (not including) the lower one, so the along-track extent is counted as the
// pings ran rather than as the fixed rows drew them.
std::int64_t AlongTrackRows(std::int32_t rowA, std::int32_t rowB, const MeasureFrame& frame);
// Distance between two image points in metres.
double DistanceM(ImagePoint a, ImagePoint b, const MeasureFrame& frame);
// A target's height from the towfish altitude and its shadow: length ×
// altitude / (start + length); nothing when start + length is 0.
std::optional<double> TargetHeightM(double altitudeM, double shadowStartM, double shadowLengthM);

// "%.2f m", or in feet "%.2f ft" with the value divided by 0.3048. Always
// with a point, whatever the program's locale.
std::string LengthText(double valueM, bool feet);

// The height measurement's prompts by stage; stage 3 shows the height so far.
std::string HeightPrompt(int stage, double heightM, bool feet);

// Where a value's text starts (its top-left corner in window coordinates)
// for a label anchored at an image column and a window point: 33 pixels
// above the point, or 17 below it within 25 pixels of the top; 50 pixels
// further left when the column lies within 50 pixels of the image's right
// edge.
struct TextOrigin {
    std::int32_t x = 0;
    std::int32_t y = 0;
};
TextOrigin MarkTextOrigin(std::int64_t imageX, std::int32_t windowX, std::int32_t windowY, std::int32_t imageWidth);

enum class MeasureMode { None, Range, Distance, TargetHeight, PlusMark };

// The line drawn under the pointer while a mode is on.
struct LiveMeasurement {
    bool shown = false;
    ImagePoint from;          // image coordinates
    ImagePoint to;
    bool plusAtFrom = false;  // distance: the first point's '+'
    std::string text;         // value or prompt, placed at the pointer
};

// The height measurement's values as the stages set them.
struct HeightState {
    double targetAltitudeM = 0.0;
    double shadowStartRangeM = 0.0;
    double shadowLengthM = 0.0;
    double targetHeightM = 0.0;
};

class MeasurementSession {
public:
    MeasureMode mode() const { return mode_; }
    // Selects a mode (ending any other) or, with None, ends the current one.
    // A mode selected again starts over.
    void setMode(MeasureMode mode);

    // A left press with the mode on. Returns true when the press completed
    // the measurement and the mode has ended.
    bool press(ImagePoint click, const MeasureFrame& frame, bool feet);
    // The button release: the height measurement moves to its next stage.
    void release();

    // What to draw under the pointer now.
    LiveMeasurement live(ImagePoint mouse, const MeasureFrame& frame, bool feet) const;

    const MarkList& marks() const { return marks_; }
    void clearMarks() { marks_.clear(); }
    int heightStage() const { return stage_; }
    bool firstPointPlaced() const { return firstPlaced_; }
    const HeightState& height() const { return height_; }
    // Entries a full list refused since the marks were last cleared.
    int refusedEntries() const { return refused_; }

private:
    void store(const MarkEntry& entry);
    ImagePoint nadirAt(std::int32_t row, const MeasureFrame& frame) const;

    MarkList marks_;
    MeasureMode mode_ = MeasureMode::None;
    bool firstPlaced_ = false;
    ImagePoint first_;
    int stage_ = 0;       // target height: 0 target, 1 bottom return, 2 shadow start, 3 shadow end
    bool advance_ = false;  // a height stage was placed; the release moves on
    MarkEntry previous_;  // the last entry of the height measurement being made
    HeightState height_;
    int refused_ = 0;
};

// Choosing an area of a view to save: off, choosing (a press starts the
// rectangle, the release ends it) or chosen.
class AreaSelection {
public:
    enum class State { Off, Choosing, Chosen };

    State state() const { return state_; }
    bool dragging() const { return dragging_; }
    // Off → choosing; choosing or chosen → off. The corners are cleared.
    void toggle();
    void press(ImagePoint p);
    // The release at the press point cancels the rectangle and stays choosing.
    void release(ImagePoint p);
    // The chosen rectangle, or while dragging the one up to the pointer:
    // left, top, right, bottom with left ≤ right and top ≤ bottom.
    struct Rect {
        std::int32_t left = 0, top = 0, right = 0, bottom = 0;
        std::int32_t width() const { return right - left; }
        std::int32_t height() const { return bottom - top; }
    };
    Rect rect(ImagePoint pointer) const;
    Rect chosen() const { return rect(second_); }

private:
    State state_ = State::Off;
    bool dragging_ = false;
    ImagePoint first_;
    ImagePoint second_;
};

}  // namespace hx
