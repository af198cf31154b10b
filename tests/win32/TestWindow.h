#pragma once

#include <windows.h>

#include <string>

namespace tsy::testing {

// A plain top-level window to parent the controls under test; visible on request.
class TestWindow {
public:
    explicit TestWindow(bool visible = false) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "TsyTestWindow";
        RegisterClassExA(&wc); // fails harmlessly once the class exists
        window_ =
            CreateWindowExA(0, "TsyTestWindow", "Test", WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0), 10,
                            10, 600, 200, nullptr, nullptr, wc.hInstance, nullptr);
    }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    ~TestWindow() {
        if (window_) {
            DestroyWindow(window_);
        }
    }
    HWND Get() const { return window_; }

private:
    HWND window_ = nullptr;
};

inline std::string WindowText(HWND window) {
    char buffer[512] = {};
    const int length = GetWindowTextA(window, buffer, sizeof buffer);
    return std::string(buffer, static_cast<std::size_t>(length > 0 ? length : 0));
}

// Lets posted and sent messages run.
inline void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

} // namespace tsy::testing
