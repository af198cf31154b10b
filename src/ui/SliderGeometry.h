#pragma once

#include <cstdint>

#include "support/Geometry.h"

namespace tsy {

struct TPoint {
    int X = 0;
    int Y = 0;

    bool operator==(const TPoint&) const = default;
};

struct TSize {
    int Width = 0;
    int Height = 0;

    bool operator==(const TSize&) const = default;
};

// The screen edge the slider is docked to, as stored in "Slider.Edge".
enum class TSliderEdge : std::uint8_t { Left = 0, Right = 1, Top = 2, Bottom = 3 };

// One edge's row of the fixed table.
struct TSliderEdgeInfo {
    int Dx; // step to show, across the edge
    int Dy;
    int Sign; // +1 when showing moves away from the origin
    // The holder is pushed past the strip (by 0 or 1 strip depth) where the strip comes first.
    int HolderShiftX;
    int HolderShiftY;
};

const TSliderEdgeInfo& SliderEdgeInfo(TSliderEdge edge);

// A stored edge number; anything outside 0..3 falls back to the left edge.
TSliderEdge SliderEdgeFromNumber(std::int32_t number);

// True for the left and right edges, whose along-axis is vertical.
inline bool IsVerticalEdge(TSliderEdge edge) {
    return edge == TSliderEdge::Left || edge == TSliderEdge::Right;
}

// Pixel sizes of the panel, designed at 96 DPI.
struct TSliderMetrics {
    int Border = 1;    // frame around the holder
    int Strip = 8;     // the strip beside the holder, on the side away from the screen edge
    int Holder = 54;   // the logo's square
    int Travel = 58;   // distance between the shown and the hidden position
    int NearEdge = 62; // how close to a screen edge a dragged panel snaps

    bool operator==(const TSliderMetrics&) const = default;
};

TSliderMetrics ScaleSliderMetrics(int dpi);

// Window size on an edge: 64 x 56 on the left and right, 56 x 64 on the top and bottom.
TSize SliderSize(TSliderEdge edge, const TSliderMetrics& m);
// Where the holder sits in the window on an edge.
TRect SliderHolderRect(TSliderEdge edge, const TSliderMetrics& m);

// Coordinate across the edge (left for vertical edges, top otherwise) when fully out and
// when in.
int SliderShownPosition(TSliderEdge edge, TSize window, TSize screen);
int SliderHiddenPosition(TSliderEdge edge, TSize window, TSize screen, const TSliderMetrics& m);

// The cursor's offsets taken when a drag starts.
struct TSliderGrab {
    int Along = 0;
    int Across = 0;

    bool operator==(const TSliderGrab&) const = default;
};

TSliderGrab GrabAt(TSliderEdge edge, TPoint cursorInClient, TSize window);
// Window position that keeps the grabbed point under the cursor.
TPoint DragPosition(TSliderEdge edge, TPoint cursor, const TSliderGrab& grab, TSize window);
// The cursor kept far enough from the screen edge that the grabbed point stays on screen.
TPoint ClampDragCursor(TSliderEdge edge, TPoint cursor, const TSliderGrab& grab, TSize screen);

// Bits 1 left, 2 right, 4 top, 8 bottom: which screen edges a window at `position` is near.
unsigned NearEdgeFlags(TPoint position, TSize screen, const TSliderMetrics& m);
// The current edge when its own flag is set, else the lowest flagged edge, else the current one.
TSliderEdge ChooseEdge(unsigned flags, TSliderEdge current);

// Whether a point in client coordinates lies inside a window; the inclusive test also accepts
// the far border.
bool InsideInclusive(TPoint client, TSize window);
bool InsideExclusive(TPoint client, TSize window);

} // namespace tsy
