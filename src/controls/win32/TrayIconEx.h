#pragma once

#include "support/win32/UniqueHandle.h"

#include <windows.h>

#include <shellapi.h>

#include <functional>
#include <string>
#include <string_view>

namespace tsy::win32 {

// The icon's callback message and identifier.
inline constexpr UINT kTrayCallbackMessage = WM_USER + 1;
inline constexpr UINT kTrayIconId = 1;

struct TTrayIconEvents {
    std::function<void()> OnDblClick;         // left double-click on the icon
    std::function<void(POINT)> OnContextMenu; // right button released; the cursor position
    std::function<void()> OnHideApplication;  // after HideApplication
    std::function<void()> OnShowApplication;  // after ShowApplication
    std::function<bool()> IsModalOpen;        // unset: a modal dialog disables the main window
    std::function<void()> OnBalloonClick;     // the user clicked the icon's balloon
};

// The application's icon in the notification area, and the moves of the whole application
// between shown (main window visible) and hidden (only the icon, or the slider, remain). The
// icon talks to a hidden top-level window of its own, which also hears the taskbar's
// "TaskbarCreated" broadcast and the end of the session.
class TTrayIconEx {
public:
    // Tests replace the shell call.
    using TNotify = std::function<BOOL(DWORD message, NOTIFYICONDATAA* data)>;

    explicit TTrayIconEx(HINSTANCE instance, TNotify notify = {});
    TTrayIconEx(const TTrayIconEx&) = delete;
    TTrayIconEx& operator=(const TTrayIconEx&) = delete;
    ~TTrayIconEx();

    // Made on first use, so that a start without the icon makes no window for it.
    HWND MessageWindow() const;
    UINT TaskbarCreatedMessage() const { return taskbarCreated_; }

    void SetMainWindow(HWND mainWindow) { main_ = mainWindow; }
    void SetEvents(TTrayIconEvents events) { events_ = std::move(events); }
    // Not owned. Updates an icon that is already shown.
    void SetIcon(HICON icon);
    void SetTip(std::string_view tip);

    // A double-click toggles the application itself (besides OnDblClick).
    bool AutoToggle() const { return autoToggle_; }
    void SetAutoToggle(bool on) { autoToggle_ = on; }
    // A shown application that is not in front is brought forward by a toggle, not hidden.
    void SetBringUpFirst(bool on) { bringUpFirst_ = on; }
    // ApplicationMinimized hides the application.
    bool MinimizeToTray() const { return minimizeToTray_; }
    void SetMinimizeToTray(bool on) { minimizeToTray_ = on; }

    // Whether the icon is wanted; InTray whether the shell holds it now. False when the shell
    // refused; the icon is then added again when the taskbar comes (back).
    bool Visible() const { return visible_; }
    bool SetVisible(bool visible);
    bool InTray() const { return inTray_; }
    // A balloon with the warning icon; one asked for before the icon is in the tray comes with it.
    void ShowWarningBalloon(std::string_view title, std::string_view text);

    // The application's shown flag; set at start-up (false when started hidden).
    bool ApplicationShown() const { return shown_; }
    void SetApplicationShown(bool shown) { shown_ = shown; }

    void HideApplication();
    void ShowApplication();
    void ToggleApplication(bool fromIcon);
    // The main window calls this when it has been minimised.
    void ApplicationMinimized();

private:
    static LRESULT CALLBACK Route(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    bool Notify(DWORD message);
    void OnMouse(UINT mouseMessage);

    TNotify notify_;
    HINSTANCE instance_;
    mutable HWND window_ = nullptr;
    UINT taskbarCreated_ = 0;
    HWND main_ = nullptr;
    TTrayIconEvents events_;
    HICON icon_ = nullptr;
    std::string tip_;
    std::string balloonTitle_;
    std::string balloonText_;
    bool balloonPending_ = false;
    bool autoToggle_ = false;
    bool bringUpFirst_ = true;
    bool minimizeToTray_ = false;
    bool visible_ = false;
    bool inTray_ = false;
    bool shown_ = true;
};

// The tray menu: the default item "S&how Tessaly", a separator, "E&xit".
UniqueMenu CreateTrayMenu(UINT toggleCommand, UINT exitCommand);

} // namespace tsy::win32
