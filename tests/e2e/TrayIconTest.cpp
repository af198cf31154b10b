// The notification-area icon, seen the way the shell sees it.
#include "E2eFixture.h"

#include <shellapi.h>

namespace tsy::e2e {
namespace {

class TrayIconTest : public ProgramTest {};

// The probe itself: an icon of our own is found while it exists and not after it is removed.
TEST_F(TrayIconTest, ProbeFindsAnIconOnlyWhileItExists) {
    HWND window = CreateWindowExA(0, "STATIC", "probe", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr);
    ASSERT_TRUE(window);
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = 5;
    data.uFlags = NIF_ICON;
    data.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));
    EXPECT_FALSE(HasTrayIcon(GetCurrentProcessId()));
    if (!Shell_NotifyIconA(NIM_ADD, &data)) {
        DestroyWindow(window);
        GTEST_SKIP() << "this desktop has no notification area";
    }
    EXPECT_TRUE(HasTrayIcon(GetCurrentProcessId()));
    Shell_NotifyIconA(NIM_DELETE, &data);
    EXPECT_FALSE(HasTrayIcon(GetCurrentProcessId()));
    DestroyWindow(window);
}

TEST_F(TrayIconTest, ShownWithMinimizeToTrayAndKeptWhenMinimised) {
    TProgram program;
    HWND main = StartShown(program);
    ASSERT_TRUE(main);
    EXPECT_TRUE(WaitUntil([&] { return HasTrayIcon(program.ProcessID()); }, 10s)) << "no tray icon";
    PostKey(FocusOf(main), VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); }, 10s))
        << "minimising to the tray hides the window";
    EXPECT_TRUE(HasTrayIcon(program.ProcessID())) << "the icon is the way back";
}

TEST_F(TrayIconTest, AbsentWithMinimizeToTrayOff) {
    SetSetting("MinimizeToTray", 0);
    TProgram program;
    HWND main = StartShown(program);
    ASSERT_TRUE(WaitForStartUpDone(main));
    EXPECT_FALSE(HasTrayIcon(program.ProcessID()));
    // Minimising then leaves a taskbar button: the window is iconic, not hidden.
    PostKey(FocusOf(main), VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return IsIconic(main) != FALSE; }, 10s));
    EXPECT_FALSE(HasTrayIcon(program.ProcessID()));
}

TEST_F(TrayIconTest, AbsentWhenStartedForTheSlider) {
    TProgram program;
    HWND main = Start(program, "/slider");
    ASSERT_TRUE(main);
    ASSERT_TRUE(WaitForStartUpDone(main));
    EXPECT_FALSE(HasTrayIcon(program.ProcessID()));
}

} // namespace
} // namespace tsy::e2e
