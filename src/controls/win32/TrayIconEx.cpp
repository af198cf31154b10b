#include "controls/win32/TrayIconEx.h"

#include "support/win32/GuardedCall.h"
#include "support/win32/Window.h"

#include "controls/TrayLogic.h"

#include <cstring>

namespace tsy::win32 {

namespace {

constexpr const char* kWindowClass = "TsyTrayIconWindow";

template <std::size_t N> void CopyCut(char (&to)[N], const std::string& from) {
    const std::size_t length = from.size() < N - 1 ? from.size() : N - 1;
    std::memcpy(to, from.data(), length);
    to[length] = '\0';
}

} // namespace

TTrayIconEx::TTrayIconEx(HINSTANCE instance, TNotify notify)
    : notify_(std::move(notify)), instance_(instance) {
    if (!notify_) {
        notify_ = [](DWORD message, NOTIFYICONDATAA* data) { return Shell_NotifyIconA(message, data); };
    }
    taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
}

HWND TTrayIconEx::MessageWindow() const {
    if (window_)
        return window_;
    // A top-level window: message-only windows do not hear broadcasts such as TaskbarCreated.
    window_ = CreateWindowOfClass({kWindowClass, instance_}, &TTrayIconEx::Route, "",
                                  {WS_POPUP, WS_EX_TOOLWINDOW, 0, 0, 0, 0}, const_cast<TTrayIconEx*>(this));
    return window_;
}

TTrayIconEx::~TTrayIconEx() {
    if (inTray_) {
        Notify(NIM_DELETE);
    }
    if (window_) {
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

void TTrayIconEx::SetIcon(HICON icon) {
    icon_ = icon;
    if (inTray_) {
        Notify(NIM_MODIFY);
    }
}

void TTrayIconEx::SetTip(std::string_view tip) {
    tip_ = std::string(tip);
    if (inTray_) {
        Notify(NIM_MODIFY);
    }
}

bool TTrayIconEx::SetVisible(bool visible) {
    visible_ = visible;
    if (visible && !inTray_) {
        inTray_ = Notify(NIM_ADD);
        return inTray_;
    }
    if (!visible && inTray_) {
        Notify(NIM_DELETE);
        inTray_ = false;
    }
    return true;
}

void TTrayIconEx::ShowWarningBalloon(std::string_view title, std::string_view text) {
    balloonTitle_ = std::string(title);
    balloonText_ = std::string(text);
    balloonPending_ = true;
    if (inTray_) {
        Notify(NIM_MODIFY);
    }
}

bool TTrayIconEx::Notify(DWORD message) {
    if (!MessageWindow()) {
        return false;
    }
    NOTIFYICONDATAA data{};
    // The older layout is understood by every shell version.
    data.cbSize = NOTIFYICONDATAA_V2_SIZE;
    data.hWnd = window_;
    data.uID = kTrayIconId;
    data.uFlags = NIF_MESSAGE | NIF_TIP | (icon_ ? NIF_ICON : 0);
    data.uCallbackMessage = kTrayCallbackMessage;
    data.hIcon = icon_;
    CopyCut(data.szTip, tip_);
    const bool balloon = balloonPending_ && message != NIM_DELETE;
    if (balloon) {
        data.uFlags |= NIF_INFO;
        data.dwInfoFlags = NIIF_WARNING;
        CopyCut(data.szInfoTitle, balloonTitle_);
        CopyCut(data.szInfo, balloonText_);
    }
    const bool done = notify_(message, &data) != FALSE;
    if (balloon && done) {
        balloonPending_ = false;
    }
    return done;
}

void TTrayIconEx::HideApplication() {
    if (main_) {
        ShowWindow(main_, SW_HIDE);
    }
    shown_ = false;
    if (events_.OnHideApplication) {
        events_.OnHideApplication();
    }
}

void TTrayIconEx::ShowApplication() {
    if (main_) {
        if (IsIconic(main_)) {
            ShowWindow(main_, SW_RESTORE);
        }
    }
    shown_ = true;
    if (main_) {
        ShowWindow(main_, SW_SHOW);
        SetForegroundWindow(main_);
        BringWindowToTop(main_);
    }
    if (events_.OnShowApplication) {
        events_.OnShowApplication();
    }
}

void TTrayIconEx::ToggleApplication(bool fromIcon) {
    HWND foreground = GetForegroundWindow();
    const bool modal = events_.IsModalOpen ? events_.IsModalOpen() : (main_ && !IsWindowEnabled(main_));
    const bool inFront = main_ && foreground == main_;
    switch (DecideToggle(modal, shown_, bringUpFirst_, fromIcon, inFront)) {
    case TToggleAction::None:
        break;
    case TToggleAction::BringToFront:
        SetForegroundWindow(main_);
        break;
    case TToggleAction::Hide:
        HideApplication();
        break;
    case TToggleAction::Show:
        ShowApplication();
        break;
    }
}

void TTrayIconEx::ApplicationMinimized() {
    if (minimizeToTray_) {
        HideApplication();
    }
}

void TTrayIconEx::OnMouse(UINT mouseMessage) {
    const TTrayMouseActions actions = RouteTrayMouse(mouseMessage, autoToggle_);
    if (actions.Toggle) {
        ToggleApplication(true);
    }
    if (actions.DoubleClick && events_.OnDblClick) {
        events_.OnDblClick();
    }
    if (actions.ContextMenu) {
        POINT at{};
        GetCursorPos(&at);
        SetForegroundWindow(main_ ? main_ : window_);
        if (events_.OnContextMenu) {
            events_.OnContextMenu(at);
        }
    }
}

LRESULT TTrayIconEx::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kTrayCallbackMessage) {
        if (wParam == kTrayIconId && static_cast<UINT>(lParam) == NIN_BALLOONUSERCLICK) {
            if (events_.OnBalloonClick) {
                events_.OnBalloonClick();
            }
        } else if (wParam == kTrayIconId) {
            OnMouse(static_cast<UINT>(lParam));
        }
        return 0;
    }
    if (taskbarCreated_ != 0 && message == taskbarCreated_) {
        // The old taskbar took the icon with it.
        inTray_ = false;
        if (visible_) {
            inTray_ = Notify(NIM_ADD);
        }
        return 0;
    }
    switch (message) {
    case WM_QUERYENDSESSION:
        return 1;
    case WM_ENDSESSION:
        if (wParam && inTray_) {
            Notify(NIM_DELETE);
            inTray_ = false;
        }
        return 0;
    default:
        return DefWindowProcA(window_, message, wParam, lParam);
    }
}

LRESULT CALLBACK TTrayIconEx::Route(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<TTrayIconEx*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self || !self->window_) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    // The icon's clicks run the main window's actions; their errors must not reach Windows.
    return GuardedCall(window, message, LRESULT(0),
                       [&] { return self->WindowProc(message, wParam, lParam); });
}

UniqueMenu CreateTrayMenu(UINT toggleCommand, UINT exitCommand) {
    UniqueMenu menu(CreatePopupMenu());
    if (!menu) {
        return menu;
    }
    AppendMenuA(menu.Get(), MF_STRING, toggleCommand, kTrayToggleCaption);
    AppendMenuA(menu.Get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu.Get(), MF_STRING, exitCommand, kTrayExitCaption);
    SetMenuDefaultItem(menu.Get(), toggleCommand, FALSE);
    return menu;
}

} // namespace tsy::win32
