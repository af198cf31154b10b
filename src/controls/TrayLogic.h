#pragma once

#include <cstdint>

namespace tsy {

inline constexpr const char* kTrayToggleCaption = "S&how Tessaly"; // the menu's default item
inline constexpr const char* kTrayExitCaption = "E&xit";

// Callback notifications of the icon (the mouse message in the second parameter).
inline constexpr std::uint32_t kTrayLeftDoubleClick = 0x0203; // WM_LBUTTONDBLCLK
inline constexpr std::uint32_t kTrayRightButtonUp = 0x0205;   // WM_RBUTTONUP

enum class TToggleAction { None, BringToFront, Hide, Show };

// A toggle request (hotkey, or a double-click with AutoToggle): nothing while a modal dialog
// is open; a hidden application is shown; a shown one is brought forward first when it is not
// in front (BringUpFirst, not from the icon), else hidden.
TToggleAction DecideToggle(bool modalOpen, bool shown, bool bringUpFirst, bool fromIcon,
                           bool mainWindowInFront);

// The icon shows after ApplySettings exactly when MinimizeToTray is on and the program was not
// started for the slider.
bool TrayIconVisibleOnApply(bool minimizeToTray, bool startedForSlider);

// What a mouse notification of the icon leads to, in this order.
struct TTrayMouseActions {
    bool Toggle = false;      // ToggleApplication(true): double-click with AutoToggle
    bool DoubleClick = false; // the owner's double-click handler
    bool ContextMenu = false; // bring the application forward and open the menu at the cursor
};

TTrayMouseActions RouteTrayMouse(std::uint32_t mouseMessage, bool autoToggle);

} // namespace tsy
