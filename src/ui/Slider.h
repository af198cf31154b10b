#pragma once

#include "ui/SliderGeometry.h"

namespace tsy {

struct TAppSettings;

inline constexpr int kSliderTimerInterval = 10; // milliseconds
inline constexpr int kSliderStepsPerTick = 5;

// What the slider needs of its window and of the screen.
class ISliderHost {
public:
    virtual ~ISliderHost() = default;
    // The window's outer rectangle in screen coordinates (it has no frame).
    virtual TRect Bounds() const = 0;
    virtual void SetBounds(const TRect& bounds) = 0;
    virtual TPoint CursorPos() const = 0;
    virtual void SetCursorPos(TPoint position) = 0;
    // The primary screen's full size, not the work area.
    virtual TSize ScreenSize() const = 0;
    virtual bool TimerEnabled() const = 0;
    virtual void SetTimerEnabled(bool on) = 0;
    // Brings up the main window the way a second start does.
    virtual void ActivateMainWindow() = 0;
};

// The panel docked to a screen edge: where it rests, how it slides out and in, how it is
// dragged to another place or edge. The window shell feeds it the mouse and the timer.
class TSlider {
public:
    TSlider(ISliderHost& host, TAppSettings& settings, TSliderMetrics metrics = {});

    // Places the panel hidden at the stored place: only the coordinate along the edge is taken
    // from the settings.
    void FormShow();
    void SetEdge(TSliderEdge edge);

    void MouseEnter();
    void MouseLeave();

    // False (and the timer off) when the panel cannot move further in the direction
    // (+1 out, -1 in, anything else never).
    bool CanMove(int direction, TPoint position);
    // Starts or reverses a slide from the current position.
    void StartSlide(int direction);
    // One pixel in the direction, while it can move.
    void Step(int direction);
    void TimerTick();

    // The left button on the strip: down starts a drag, moves carry the panel, up drops it.
    void MouseDown();
    void MouseMove();
    void MouseUp();

    // The screen may have changed size: the positions follow.
    void SettingChange() { SetEdge(edge_); }
    // Another DPI: the sizes change, the window stays where it is along its edge.
    void SetMetrics(const TSliderMetrics& metrics) {
        metrics_ = metrics;
        SetEdge(edge_);
    }
    const TSliderMetrics& Metrics() const { return metrics_; }
    // The end-of-slide request: slides only when the cursor agrees with the direction.
    void SlideEnd(int direction);
    void LogoClick();

    TSliderEdge Edge() const { return edge_; }
    bool Dragging() const { return dragging_; }
    bool Snapped() const { return snapped_; }
    int Direction() const { return direction_; }
    int ShownPosition() const { return shown_; }
    const TSliderGrab& Grab() const { return grab_; }
    TRect HolderRect() const { return SliderHolderRect(edge_, metrics_); }

private:
    TPoint CursorInClient() const;
    void MoveTo(TPoint position);

    ISliderHost& host_;
    TAppSettings& settings_;
    TSliderMetrics metrics_;
    bool dragging_ = false;
    TSliderEdge edge_ = TSliderEdge::Left;
    bool snapped_ = false;
    bool ignoreNextMove_ = false;
    TSliderGrab grab_;
    int direction_ = 0;
    int shown_ = 0;
    int hidden_ = 0;
};

} // namespace tsy
