// The palette editor's model: three curves, one per colour channel, drawn
// over the 256 intensities as piecewise-linear lines through control points
// the operator drags, and the palette they give. Coordinates are the
// editor's drawing area: the graph spans x0..x0 + 512 (two pixels per
// intensity) and y0..y0 + 256 (the top is full brightness). Points sit on a
// grid of 32 pixels across, so a curve has at most 17 points, well within
// the palette file's 128. Changed by the editor's mouse and buttons and by
// palette files, on the user-interface thread.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "imaging/ColourTables.h"

namespace hx {

inline constexpr int kCurveX0 = 16;
inline constexpr int kCurveY0 = 16;
inline constexpr int kCurveWidthPx = 512;
inline constexpr int kCurveHeightPx = 256;
inline constexpr int kCurveGridPx = 32;
inline constexpr int kCurveChannels = 3;  // red, green, blue

enum CurveChannel : int { kRedCurve = 0, kGreenCurve = 1, kBlueCurve = 2 };

// The nearest grid column (x0 + 32·k, k = 0..16) of a position: 16 pixels
// to the left or 15 to the right of a grid column snap to it.
int SnapCurveX(int x);
// The intensity index of a graph column (at most 255).
int CurveIndexAt(int x);
// The channel value of a graph row: 256 at the top edge, 0 at the bottom
// edge, clamped to 0..255.
int CurveValueAt(double y);
// The graph row of a value.
int CurveYFor(int value);

class PaletteCurves {
public:
    // Every channel a straight ramp; the palette (255 − i) in every channel
    // until a curve is drawn or a palette is taken.
    PaletteCurves();

    const std::vector<CurvePoint>& points(int channel) const;
    // The points as drawn now: a dragged point at the pointer.
    std::vector<CurvePoint> drawnPoints(int channel) const;
    const Palette& palette() const { return palette_; }

    int selected() const { return selected_; }
    void select(int channel);

    // Back to the two end points of a ramp; that channel is recomputed.
    void reset(int channel);

    // Curves that follow a table (a point on every grid column) and the
    // table itself as the palette.
    void followTable(const Palette& table);
    // A palette file's curves and palette as the document holds them. A
    // channel without a usable curve (fewer than two points) follows the
    // palette instead; stray coordinates are brought into the graph.
    void takeFromDocument(const PaletteState& doc);
    // The editor's palette and curves into the document.
    void publish(PaletteState& doc) const;

    // Dragging, in drawing coordinates. press grabs the selected channel's
    // point within 31 pixels across and 3 along the value axis (true when
    // one was grabbed); move draws it at the pointer, held inside the graph
    // and between its neighbours (an end point only moves up and down);
    // release puts it down snapped to the grid. A release without a grabbed
    // point inside the graph adds a point there. A point put down on the
    // column of another takes its place.
    bool press(int x, int y);
    void move(int x, int y);
    void release(int x, int y);
    bool dragging() const { return grabbed_.has_value(); }

    // Whether a press at this place belongs to the graph (else, outside the
    // graph and the strips, it moves the window).
    static bool insideGraph(int x, int y);
    static bool movesWindow(int x, int y);

private:
    struct Grab {
        CurvePoint original;
        CurvePoint live;
        bool leftEnd = false;
        bool rightEnd = false;
        int leftX = kCurveX0;
        int rightX = kCurveX0 + kCurveWidthPx;
    };
    void recompute(int channel, const std::vector<CurvePoint>& pts);
    void putDown(int channel, CurvePoint p);

    std::array<std::vector<CurvePoint>, kCurveChannels> points_;
    Palette palette_{};
    int selected_ = kRedCurve;
    std::optional<Grab> grabbed_;
};

// Channel value of a palette entry, and setting it.
std::uint8_t ChannelValue(const PaletteEntry& e, int channel);
void SetChannelValue(PaletteEntry& e, int channel, std::uint8_t value);

}  // namespace hx
