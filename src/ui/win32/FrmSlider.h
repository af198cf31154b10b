#pragma once

#include <windows.h>

#include <functional>

#include "support/win32/JpegImage.h"
#include "support/win32/Window.h"
#include "ui/Slider.h"

namespace tsy {
struct TAppSettings;
}

namespace tsy::win32 {

inline constexpr const char* kSliderFormClassName = "TSliderForm";
inline constexpr const char* kSlideStepMessageName = "TSY::SLIDE-STEP";
inline constexpr const char* kSlideEndMessageName = "TSY::SLIDE-END";

struct TSliderMessages {
    UINT Step = 0;
    UINT End = 0;
};

// Registered once at start-up.
TSliderMessages RegisterSliderMessages();

struct TSliderFormContext {
    HINSTANCE Instance = nullptr;
    TAppSettings* Settings = nullptr;
    TSliderMessages Messages;
    // Brings up the main window; run by a click on the logo.
    std::function<void()> ActivateMainWindow;
};

// The quick-access panel: a borderless, always-on-top tool window (no taskbar button) in
// the panel's green, the strip that takes the mouse for dragging and the logo that brings
// up the main window. The geometry and the sliding are TSlider's.
class TSliderForm : public TWindow, private ISliderHost {
public:
    explicit TSliderForm(TSliderFormContext context);
    ~TSliderForm() override;

    // Creates the window hidden at the stored place and shows it without activating it.
    void Create();

    const TSlider& Slider() const noexcept { return slider_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    TRect Bounds() const override;
    void SetBounds(const TRect& bounds) override;
    TPoint CursorPos() const override;
    void SetCursorPos(TPoint position) override;
    TSize ScreenSize() const override;
    bool TimerEnabled() const override { return timerOn_; }
    void SetTimerEnabled(bool on) override;
    void ActivateMainWindow() override;

    bool OverLogo(LPARAM clientPoint) const;
    void Paint(HDC dc) const;
    // The holder moves inside the window when the edge changes, even at the same size.
    void RepaintOnEdgeChange();
    void ButtonDown(LPARAM point);
    void ButtonUp(LPARAM point);

    TSliderFormContext context_;
    TSlider slider_;
    TJpegImage logo_;
    TSliderEdge paintedEdge_ = TSliderEdge::Left;
    bool timerOn_ = false;
    bool logoPressed_ = false;
    // The mouse has entered and no leave has come since.
    bool mouseInside_ = false;
};

} // namespace tsy::win32
