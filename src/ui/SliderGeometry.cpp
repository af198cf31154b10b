#include "ui/SliderGeometry.h"

#include <algorithm>

namespace tsy {

namespace {

constexpr TSliderEdgeInfo kEdges[] = {
    {+1, 0, +1, 0, 0},
    {-1, 0, -1, 1, 0},
    {0, +1, +1, 0, 0},
    {0, -1, -1, 0, 1},
};

int Abs(int value) {
    return value < 0 ? -value : value;
}

} // namespace

const TSliderEdgeInfo& SliderEdgeInfo(TSliderEdge edge) {
    return kEdges[static_cast<int>(edge)];
}

TSliderEdge SliderEdgeFromNumber(std::int32_t number) {
    // The registry may hold anything; an unknown edge must not index past the table.
    return number >= 0 && number <= 3 ? static_cast<TSliderEdge>(number) : TSliderEdge::Left;
}

TSliderMetrics ScaleSliderMetrics(int dpi) {
    const TSliderMetrics design;
    TSliderMetrics m;
    m.Border = ScaleForDpi(design.Border, dpi);
    m.Strip = ScaleForDpi(design.Strip, dpi);
    m.Holder = ScaleForDpi(design.Holder, dpi);
    m.Travel = ScaleForDpi(design.Travel, dpi);
    m.NearEdge = ScaleForDpi(design.NearEdge, dpi);
    return m;
}

TSize SliderSize(TSliderEdge edge, const TSliderMetrics& m) {
    const TSliderEdgeInfo& e = SliderEdgeInfo(edge);
    return {Abs(e.Dx) * m.Strip + m.Holder + 2 * m.Border, Abs(e.Dy) * m.Strip + m.Holder + 2 * m.Border};
}

TRect SliderHolderRect(TSliderEdge edge, const TSliderMetrics& m) {
    const TSliderEdgeInfo& e = SliderEdgeInfo(edge);
    return {m.Border + e.HolderShiftX * m.Strip, m.Border + e.HolderShiftY * m.Strip, m.Holder, m.Holder};
}

int SliderShownPosition(TSliderEdge edge, TSize window, TSize screen) {
    switch (edge) {
    case TSliderEdge::Right:
        return screen.Width - window.Width;
    case TSliderEdge::Bottom:
        return screen.Height - window.Height;
    default:
        return 0;
    }
}

int SliderHiddenPosition(TSliderEdge edge, TSize window, TSize screen, const TSliderMetrics& m) {
    return SliderShownPosition(edge, window, screen) - SliderEdgeInfo(edge).Sign * m.Travel;
}

TSliderGrab GrabAt(TSliderEdge edge, TPoint c, TSize window) {
    switch (edge) {
    case TSliderEdge::Left:
        return {c.Y, c.X};
    case TSliderEdge::Right:
        return {c.Y, window.Width - c.X};
    case TSliderEdge::Top:
        return {c.X, c.Y};
    case TSliderEdge::Bottom:
        return {c.X, window.Height - c.Y};
    }
    return {};
}

TPoint DragPosition(TSliderEdge edge, TPoint p, const TSliderGrab& grab, TSize window) {
    switch (edge) {
    case TSliderEdge::Left:
        return {p.X - grab.Across, p.Y - grab.Along};
    case TSliderEdge::Right:
        return {p.X + grab.Across - window.Width, p.Y - grab.Along};
    case TSliderEdge::Top:
        return {p.X - grab.Along, p.Y - grab.Across};
    case TSliderEdge::Bottom:
        return {p.X - grab.Along, p.Y + grab.Across - window.Height};
    }
    return p;
}

TPoint ClampDragCursor(TSliderEdge edge, TPoint p, const TSliderGrab& grab, TSize screen) {
    switch (edge) {
    case TSliderEdge::Left:
        p.X = std::max(p.X, grab.Across);
        break;
    case TSliderEdge::Right:
        p.X = std::min(p.X, screen.Width - grab.Across);
        break;
    case TSliderEdge::Top:
        p.Y = std::max(p.Y, grab.Across);
        break;
    case TSliderEdge::Bottom:
        p.Y = std::min(p.Y, screen.Height - grab.Across);
        break;
    }
    return p;
}

unsigned NearEdgeFlags(TPoint w, TSize screen, const TSliderMetrics& m) {
    const int near = m.NearEdge;
    unsigned flags = 0;
    if (w.X < near)
        flags |= 1;
    if (screen.Width - near - w.X < near)
        flags |= 2;
    if (w.Y < near)
        flags |= 4;
    if (screen.Height - near - w.Y < near)
        flags |= 8;
    return flags;
}

TSliderEdge ChooseEdge(unsigned flags, TSliderEdge current) {
    if (flags & (1u << static_cast<int>(current)))
        return current;
    for (int edge = 0; edge < 4; ++edge)
        if (flags & (1u << edge))
            return static_cast<TSliderEdge>(edge);
    return current;
}

bool InsideInclusive(TPoint c, TSize window) {
    return c.X >= 0 && c.X <= window.Width && c.Y >= 0 && c.Y <= window.Height;
}

bool InsideExclusive(TPoint c, TSize window) {
    return c.X >= 0 && c.X < window.Width && c.Y >= 0 && c.Y < window.Height;
}

} // namespace tsy
