#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/win32/SingleInstance.h"

namespace {

using tsy::win32::HandOverToRunningInstance;
using tsy::win32::TSingleInstance;

std::string UniqueName(const char* stem) {
    return std::string(stem) + std::to_string(GetCurrentProcessId()) + "/" + std::to_string(GetTickCount());
}

TEST(SingleInstance, OnlyTheFirstHolderOfTheMutexIsFirstUntilItReleases) {
    const std::string name = UniqueName("TsyTest/Mutex");
    {
        TSingleInstance first(name.c_str());
        EXPECT_TRUE(first.IsFirst());
        TSingleInstance second(name.c_str());
        EXPECT_FALSE(second.IsFirst());
        first.Release();
        EXPECT_FALSE(first.IsFirst());
    }
    // Once every handle is closed the name is free again.
    TSingleInstance again(name.c_str());
    EXPECT_TRUE(again.IsFirst());
}

struct TReceiver {
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == switchMessage) {
            ++received;
            lastParams = wParam | lParam;
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
    static inline UINT switchMessage = 0;
    static inline int received = 0;
    static inline WPARAM lastParams = 1;
};

TEST(SingleInstance, HandOverFindsTheWindowByClassAndCaptionAndPostsTheSwitchMessage) {
    TReceiver::switchMessage = RegisterWindowMessageA(tsy::win32::kSwitchToWindowMessageName);
    ASSERT_NE(TReceiver::switchMessage, 0u);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = TReceiver::Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TsyHandOverTarget";
    ASSERT_TRUE(RegisterClassExA(&wc));
    const std::string caption = UniqueName("Target ");
    HWND target = CreateWindowExA(0, wc.lpszClassName, caption.c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                  nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(target, nullptr);

    // Same class, other caption: not the one.
    EXPECT_EQ(HandOverToRunningInstance(wc.lpszClassName, "Another caption", TReceiver::switchMessage),
              nullptr);
    EXPECT_EQ(HandOverToRunningInstance(wc.lpszClassName, caption.c_str(), TReceiver::switchMessage), target);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
    EXPECT_EQ(TReceiver::received, 1);
    EXPECT_EQ(TReceiver::lastParams, 0u);
    DestroyWindow(target);
    UnregisterClassA(wc.lpszClassName, wc.hInstance);
}

TEST(SingleInstance, MessageLoopEndsWithTheQuitCode) {
    PostQuitMessage(5);
    EXPECT_EQ(tsy::win32::RunMessageLoop(), 5);
}

} // namespace
