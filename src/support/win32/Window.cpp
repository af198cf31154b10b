#include "support/win32/Window.h"

#include <stdexcept>
#include <string>

#include "support/win32/GuardedCall.h"
#include "support/win32/SystemCodePage.h"

namespace tsy::win32 {

TWindow::~TWindow() {
    if (handle_) {
        HWND window = handle_;
        // Detach first: the messages of the destruction must not reach a dying object.
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        handle_ = nullptr;
        DestroyWindow(window);
    }
}

namespace {

// The other width's call would give a conversion thunk instead of the procedure.
WNDPROC ProcedureOf(HWND window) {
    return reinterpret_cast<WNDPROC>(IsWindowUnicode(window) ? GetWindowLongPtrW(window, GWLP_WNDPROC)
                                                             : GetWindowLongPtrA(window, GWLP_WNDPROC));
}

LRESULT DefaultProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return IsWindowUnicode(window) ? DefWindowProcW(window, message, wParam, lParam)
                                   : DefWindowProcA(window, message, wParam, lParam);
}

// The ANSI and the Unicode functions, for one way of registering and creating.
struct TAnsiApi {
    using TClass = WNDCLASSEXA;
    static std::string Text(const char* text) { return text ? text : ""; }
    static inline const auto Find = &GetClassInfoExA;
    static inline const auto Register = &RegisterClassExA;
    static inline const auto Make = &CreateWindowExA;
};

struct TUnicodeApi {
    using TClass = WNDCLASSEXW;
    static std::wstring Text(const char* text) { return WideOf(TSystemCodePage().ToWide(text ? text : "")); }
    static inline const auto Find = &GetClassInfoExW;
    static inline const auto Register = &RegisterClassExW;
    static inline const auto Make = &CreateWindowExW;
};

template <class TApi>
HWND RegisterAndCreate(const TWindowClass& windowClass, WNDPROC procedure, const char* caption,
                       const TWindowPlacement& placement, void* param) {
    const auto name = TApi::Text(windowClass.Name);
    typename TApi::TClass wc{};
    wc.cbSize = sizeof wc;
    if (!TApi::Find(windowClass.Instance, name.c_str(), &wc)) {
        wc = {};
        wc.cbSize = sizeof wc;
        wc.style = windowClass.Style;
        wc.lpfnWndProc = procedure;
        wc.hInstance = windowClass.Instance;
        wc.hIcon = windowClass.Icon;
        wc.hIconSm = windowClass.SmallIcon;
        wc.hCursor = windowClass.Cursor ? windowClass.Cursor : LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground =
            windowClass.Background ? windowClass.Background : reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = name.c_str();
        if (!TApi::Register(&wc))
            throw std::runtime_error(std::string("Unable to register the window class ") + windowClass.Name +
                                     ".");
    }
    return TApi::Make(placement.ExStyle, name.c_str(), TApi::Text(caption).c_str(), placement.Style,
                      placement.Left, placement.Top, placement.Width, placement.Height, placement.Parent,
                      placement.Menu, windowClass.Instance, param);
}

} // namespace

TWindow* TWindow::FromHandle(HWND window) noexcept {
    if (!window || ProcedureOf(window) != &TWindow::WindowProc)
        return nullptr;
    return reinterpret_cast<TWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

HWND CreateWindowOfClass(const TWindowClass& windowClass, WNDPROC procedure, const char* caption,
                         const TWindowPlacement& placement, void* param) {
    return windowClass.Unicode
               ? RegisterAndCreate<TUnicodeApi>(windowClass, procedure, caption, placement, param)
               : RegisterAndCreate<TAnsiApi>(windowClass, procedure, caption, placement, param);
}

void TWindow::Create(const TWindowClass& windowClass, const char* caption,
                     const TWindowPlacement& placement) {
    if (handle_)
        throw std::logic_error("The window exists already.");
    if (!CreateWindowOfClass(windowClass, &TWindow::WindowProc, caption, placement, this))
        throw std::runtime_error(std::string("Unable to create the window ") + windowClass.Name + ".");
}

LRESULT TWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultHandling(message, wParam, lParam);
}

LRESULT TWindow::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    return DefaultProcedure(handle_, message, wParam, lParam);
}

LRESULT CALLBACK TWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self && message == WM_NCCREATE) {
        self = static_cast<TWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->handle_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self)
        return DefaultProcedure(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        LRESULT result = DefaultProcedure(window, message, wParam, lParam);
        self->handle_ = nullptr;
        self->HandleDestroyed();
        return result;
    }
    return GuardedCall(window, message, LRESULT(0),
                       [&] { return self->HandleMessage(message, wParam, lParam); });
}

} // namespace tsy::win32
