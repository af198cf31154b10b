#include "ui/Slider.h"

#include "settings/Settings.h"

namespace tsy {

TSlider::TSlider(ISliderHost& host, TAppSettings& settings, TSliderMetrics metrics)
    : host_(host), settings_(settings), metrics_(metrics) {}

void TSlider::FormShow() {
    TRect bounds = host_.Bounds();
    bounds.Left = settings_.SliderX;
    bounds.Top = settings_.SliderY;
    host_.SetBounds(bounds);
    SetEdge(SliderEdgeFromNumber(settings_.SliderEdge));
}

void TSlider::SetEdge(TSliderEdge edge) {
    const TSize size = SliderSize(edge, metrics_);
    TRect bounds = host_.Bounds();
    bounds.Width = size.Width;
    bounds.Height = size.Height;
    // Only a drag places the panel from the cursor; a settings change must not make it jump
    // to wherever the mouse happens to be.
    if (dragging_) {
        const TPoint from = DragPosition(edge_, host_.CursorPos(), grab_, size);
        bounds.Left = from.X;
        bounds.Top = from.Y;
    }
    const TSize screen = host_.ScreenSize();
    shown_ = SliderShownPosition(edge, size, screen);
    hidden_ = SliderHiddenPosition(edge, size, screen, metrics_);
    direction_ = 0;
    if (IsVerticalEdge(edge))
        bounds.Left = hidden_;
    else
        bounds.Top = hidden_;
    host_.SetBounds(bounds);
    edge_ = edge;
    snapped_ = true;
}

TPoint TSlider::CursorInClient() const {
    const TPoint cursor = host_.CursorPos();
    const TRect bounds = host_.Bounds();
    return {cursor.X - bounds.Left, cursor.Y - bounds.Top};
}

void TSlider::MouseEnter() {
    const TRect b = host_.Bounds();
    if (!dragging_ && InsideInclusive(CursorInClient(), {b.Width, b.Height}))
        StartSlide(+1);
}

void TSlider::MouseLeave() {
    const TRect b = host_.Bounds();
    if (!dragging_ && !InsideExclusive(CursorInClient(), {b.Width, b.Height}))
        StartSlide(-1);
}

bool TSlider::CanMove(int direction, TPoint position) {
    const TSliderEdgeInfo& e = SliderEdgeInfo(edge_);
    const int v = e.Dx * position.X + e.Dy * position.Y;
    bool can = false;
    if (direction == -1)
        can = v > e.Sign * hidden_;
    else if (direction == +1)
        can = v < e.Sign * shown_;
    if (!can)
        host_.SetTimerEnabled(false);
    return can;
}

void TSlider::StartSlide(int direction) {
    const TRect b = host_.Bounds();
    if (!CanMove(direction, {b.Left, b.Top}))
        return;
    if (direction == direction_ && host_.TimerEnabled())
        return;
    direction_ = direction;
    host_.SetTimerEnabled(true);
}

void TSlider::Step(int direction) {
    TRect b = host_.Bounds();
    if (!CanMove(direction, {b.Left, b.Top}))
        return;
    // Moving by the asked direction, not the current slide's, so that a stray step request
    // can never carry the panel past its travel.
    const TSliderEdgeInfo& e = SliderEdgeInfo(edge_);
    b.Left += e.Dx * direction;
    b.Top += e.Dy * direction;
    host_.SetBounds(b);
}

void TSlider::TimerTick() {
    for (int i = 0; i < kSliderStepsPerTick; ++i)
        Step(direction_);
}

void TSlider::MouseDown() {
    const TRect b = host_.Bounds();
    grab_ = GrabAt(edge_, CursorInClient(), {b.Width, b.Height});
    dragging_ = true;
}

void TSlider::MouseMove() {
    if (!dragging_)
        return;
    if (ignoreNextMove_) {
        ignoreNextMove_ = false;
        return;
    }
    const TPoint cursor = host_.CursorPos();
    const TRect b = host_.Bounds();
    MoveTo(DragPosition(edge_, cursor, grab_, {b.Width, b.Height}));
    const TPoint clamped = ClampDragCursor(edge_, cursor, grab_, host_.ScreenSize());
    if (!(clamped == cursor)) {
        host_.SetCursorPos(clamped);
        ignoreNextMove_ = true;
    }
}

void TSlider::MoveTo(TPoint position) {
    const unsigned flags = NearEdgeFlags(position, host_.ScreenSize(), metrics_);
    if (flags == 0) {
        snapped_ = false;
        TRect b = host_.Bounds();
        b.Left = position.X;
        b.Top = position.Y;
        host_.SetBounds(b);
        return;
    }
    if (!snapped_)
        SetEdge(ChooseEdge(flags, edge_));
    TRect b = host_.Bounds();
    if (IsVerticalEdge(edge_))
        b.Top = position.Y;
    else
        b.Left = position.X;
    host_.SetBounds(b);
}

void TSlider::MouseUp() {
    if (!dragging_)
        return;
    SetEdge(edge_);
    dragging_ = false;
    const TRect b = host_.Bounds();
    settings_.SliderX = b.Left;
    settings_.SliderY = b.Top;
    settings_.SliderEdge = static_cast<int>(edge_);
}

void TSlider::SlideEnd(int direction) {
    const TRect b = host_.Bounds();
    const bool inside = InsideInclusive(CursorInClient(), {b.Width, b.Height});
    if ((inside && direction != +1) || (!inside && direction == +1))
        StartSlide(direction);
}

void TSlider::LogoClick() {
    host_.ActivateMainWindow();
    StartSlide(-1);
}

} // namespace tsy
