#include "controls/win32/TrayIconEx.h"

#include "controls/TrayLogic.h"
#include "support/win32/ErrorBoundary.h"

#include "TestWindow.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace tsy::win32 {

namespace {

struct NotifyCall {
    DWORD message;
    NOTIFYICONDATAA data;
};

class TrayIconExTest : public ::testing::Test {
protected:
    std::vector<NotifyCall> calls;
    BOOL answer = TRUE;
    TTrayIconEx tray{GetModuleHandleA(nullptr), [this](DWORD message, NOTIFYICONDATAA* data) {
                         calls.push_back({message, *data});
                         return answer;
                     }};

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageA(tray.MessageWindow(), message, wParam, lParam);
    }
    LRESULT Mouse(UINT mouseMessage) { return Send(kTrayCallbackMessage, kTrayIconId, mouseMessage); }
};

} // namespace

TEST_F(TrayIconExTest, AddsAndRemovesTheIconThroughItsOwnWindow) {
    ASSERT_NE(tray.MessageWindow(), nullptr);
    EXPECT_FALSE(tray.Visible());
    HICON icon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));
    tray.SetIcon(icon);
    tray.SetTip("Tessaly");
    EXPECT_TRUE(calls.empty()) << "nothing is shown before the icon is made visible";

    EXPECT_TRUE(tray.SetVisible(true));
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(calls[0].data.hWnd, tray.MessageWindow());
    EXPECT_EQ(calls[0].data.uID, kTrayIconId);
    EXPECT_EQ(calls[0].data.uCallbackMessage, static_cast<UINT>(WM_USER + 1));
    EXPECT_EQ(calls[0].data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(calls[0].data.hIcon, icon);
    EXPECT_STREQ(calls[0].data.szTip, "Tessaly");

    EXPECT_TRUE(tray.SetVisible(true)); // already there
    EXPECT_EQ(calls.size(), 1u);
    tray.SetTip("Other");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_STREQ(calls[1].data.szTip, "Other");

    tray.SetVisible(false);
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[2].message, static_cast<DWORD>(NIM_DELETE));
    EXPECT_FALSE(tray.InTray());
}

TEST_F(TrayIconExTest, LongTipIsCutToFit) {
    tray.SetTip(std::string(500, 'x'));
    tray.SetVisible(true);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(std::string(calls[0].data.szTip), std::string(sizeof calls[0].data.szTip - 1, 'x'));
}

TEST_F(TrayIconExTest, NewTaskbarGetsAVisibleIconBackButNotAnInvisibleOne) {
    ASSERT_NE(tray.TaskbarCreatedMessage(), 0u);
    EXPECT_EQ(tray.TaskbarCreatedMessage(), RegisterWindowMessageA("TaskbarCreated"));
    Send(tray.TaskbarCreatedMessage());
    EXPECT_TRUE(calls.empty());

    tray.SetVisible(true);
    Send(tray.TaskbarCreatedMessage());
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].message, static_cast<DWORD>(NIM_ADD));

    // A broadcast reaches the window too, as the shell sends it.
    SendMessageTimeoutA(HWND_BROADCAST, tray.TaskbarCreatedMessage(), 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[2].message, static_cast<DWORD>(NIM_ADD));
}

TEST_F(TrayIconExTest, RefusedIconIsWantedStillAndAddedWhenTheTaskbarComes) {
    answer = FALSE;
    EXPECT_FALSE(tray.SetVisible(true));
    EXPECT_TRUE(tray.Visible());
    EXPECT_FALSE(tray.InTray());
    tray.SetTip("x"); // not in the tray: nothing to modify
    EXPECT_EQ(calls.size(), 1u);
    answer = TRUE;
    Send(tray.TaskbarCreatedMessage());
    EXPECT_TRUE(tray.InTray());
    tray.SetVisible(false);
    EXPECT_EQ(calls.back().message, static_cast<DWORD>(NIM_DELETE));
}

TEST_F(TrayIconExTest, EndOfSessionIsAgreedToAndRemovesTheIcon) {
    tray.SetVisible(true);
    EXPECT_EQ(Send(WM_QUERYENDSESSION), 1);
    Send(WM_ENDSESSION, FALSE);
    EXPECT_EQ(calls.size(), 1u);
    Send(WM_ENDSESSION, TRUE);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].message, static_cast<DWORD>(NIM_DELETE));
}

TEST_F(TrayIconExTest, MouseNotificationsReachTheOwner) {
    int doubleClicks = 0;
    int menus = 0;
    int hides = 0;
    TTrayIconEvents events;
    events.OnDblClick = [&] { ++doubleClicks; };
    events.OnContextMenu = [&](POINT) { ++menus; };
    events.OnHideApplication = [&] { ++hides; };
    tray.SetEvents(events);

    Mouse(WM_LBUTTONDBLCLK);
    Mouse(WM_LBUTTONDOWN);
    Mouse(WM_MOUSEMOVE);
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_EQ(hides, 0) << "AutoToggle is off";
    Mouse(WM_RBUTTONUP);
    EXPECT_EQ(menus, 1);
    Send(kTrayCallbackMessage, kTrayIconId + 1, WM_RBUTTONUP); // another icon's
    EXPECT_EQ(menus, 1);

    tray.SetAutoToggle(true);
    tray.SetApplicationShown(true);
    Mouse(WM_LBUTTONDBLCLK); // from the icon: a shown application hides
    EXPECT_EQ(hides, 1);
    EXPECT_EQ(doubleClicks, 2);
    EXPECT_FALSE(tray.ApplicationShown());
}

TEST_F(TrayIconExTest, WarningBalloonWaitsForTheIconAndItsClickReachesTheOwner) {
    int clicks = 0;
    TTrayIconEvents events;
    events.OnBalloonClick = [&] { ++clicks; };
    tray.SetEvents(events);
    tray.ShowWarningBalloon("Tessaly", "Taken.");
    EXPECT_TRUE(calls.empty()) << "no icon yet to carry it";
    answer = FALSE;
    tray.SetVisible(true);
    answer = TRUE;
    Send(tray.TaskbarCreatedMessage());
    ASSERT_EQ(calls.size(), 2u);
    for (const NotifyCall& call : calls) {
        EXPECT_EQ(call.message, static_cast<DWORD>(NIM_ADD));
        EXPECT_TRUE(call.data.uFlags & NIF_INFO) << "kept while the shell refused the icon";
        EXPECT_EQ(call.data.dwInfoFlags, static_cast<DWORD>(NIIF_WARNING));
        EXPECT_STREQ(call.data.szInfoTitle, "Tessaly");
        EXPECT_STREQ(call.data.szInfo, "Taken.");
    }
    tray.SetTip("Other");
    EXPECT_FALSE(calls.back().data.uFlags & NIF_INFO) << "shown once";
    tray.ShowWarningBalloon("Tessaly", std::string(400, 'x'));
    EXPECT_EQ(calls.back().message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(std::string(calls.back().data.szInfo), std::string(sizeof calls.back().data.szInfo - 1, 'x'));

    Send(kTrayCallbackMessage, kTrayIconId, NIN_BALLOONUSERCLICK);
    EXPECT_EQ(clicks, 1);
}

TEST_F(TrayIconExTest, AnErrorOfAClickHandlerGoesToTheErrorBoxNotToWindows) {
    std::vector<std::string> shown;
    TScopedErrorHandler errors([&](std::string_view text) { shown.emplace_back(text); });
    TTrayIconEvents events;
    events.OnDblClick = [] { throw std::runtime_error("Cannot show."); };
    tray.SetEvents(events);
    EXPECT_EQ(Mouse(WM_LBUTTONDBLCLK), 0);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "Cannot show.");
}

TEST(TrayIconExApplication, HideShowAndToggleMoveTheMainWindow) {
    tsy::testing::TestWindow main(true);
    TTrayIconEx tray(GetModuleHandleA(nullptr), [](DWORD, NOTIFYICONDATAA*) { return TRUE; });
    tray.SetMainWindow(main.Get());
    int shows = 0;
    TTrayIconEvents events;
    events.OnShowApplication = [&] { ++shows; };
    tray.SetEvents(events);

    tray.HideApplication();
    EXPECT_FALSE(IsWindowVisible(main.Get()));
    EXPECT_FALSE(tray.ApplicationShown());

    tray.ToggleApplication(false);
    EXPECT_TRUE(IsWindowVisible(main.Get()));
    EXPECT_TRUE(tray.ApplicationShown());
    EXPECT_EQ(shows, 1);

    // A modal dialog disables its owner: the toggle does nothing then.
    EnableWindow(main.Get(), FALSE);
    tray.ToggleApplication(true);
    EXPECT_TRUE(IsWindowVisible(main.Get()));
    EnableWindow(main.Get(), TRUE);

    tray.ToggleApplication(true); // from the icon: hidden without bringing forward first
    EXPECT_FALSE(IsWindowVisible(main.Get()));
}

TEST(TrayIconExApplication, MinimisingHidesOnlyWithMinimizeToTray) {
    tsy::testing::TestWindow main(true);
    TTrayIconEx tray(GetModuleHandleA(nullptr), [](DWORD, NOTIFYICONDATAA*) { return TRUE; });
    tray.SetMainWindow(main.Get());
    ShowWindow(main.Get(), SW_MINIMIZE);
    tray.ApplicationMinimized();
    EXPECT_TRUE(IsWindowVisible(main.Get()));
    EXPECT_TRUE(tray.ApplicationShown());

    tray.SetMinimizeToTray(true);
    tray.ApplicationMinimized();
    EXPECT_FALSE(IsWindowVisible(main.Get()));
    EXPECT_FALSE(tray.ApplicationShown());

    tray.ShowApplication();
    EXPECT_TRUE(IsWindowVisible(main.Get()));
    EXPECT_FALSE(IsIconic(main.Get()));
}

TEST(TrayIconExApplication, HotkeyBringsACoveredWindowForwardBeforeHidingIt) {
    tsy::testing::TestWindow main(true);
    tsy::testing::TestWindow other(true);
    TTrayIconEx tray(GetModuleHandleA(nullptr), [](DWORD, NOTIFYICONDATAA*) { return TRUE; });
    tray.SetMainWindow(main.Get());
    SetForegroundWindow(other.Get());
    tsy::testing::PumpMessages();
    if (GetForegroundWindow() != other.Get()) {
        GTEST_SKIP() << "this display does not switch the foreground window";
    }
    tray.ToggleApplication(false);
    tsy::testing::PumpMessages();
    EXPECT_TRUE(IsWindowVisible(main.Get()));
    EXPECT_EQ(GetForegroundWindow(), main.Get());
    tray.ToggleApplication(false);
    EXPECT_FALSE(IsWindowVisible(main.Get()));
}

TEST(TrayIconExShell, RealShellAcceptsOrRefusesCleanly) {
    TTrayIconEx tray(GetModuleHandleA(nullptr));
    tray.SetIcon(LoadIconA(nullptr, MAKEINTRESOURCEA(32512)));
    tray.SetTip("Tessaly test");
    const bool added = tray.SetVisible(true);
    EXPECT_EQ(added, tray.InTray());
    EXPECT_TRUE(tray.SetVisible(false));
    EXPECT_FALSE(tray.InTray());
    if (!added) {
        GTEST_SKIP() << "no notification area on this display";
    }
}

TEST(TrayMenu, HasTheToggleAsDefaultThenASeparatorAndExit) {
    UniqueMenu menu = CreateTrayMenu(101, 102);
    ASSERT_TRUE(menu);
    ASSERT_EQ(GetMenuItemCount(menu.Get()), 3);
    char text[64] = {};
    GetMenuStringA(menu.Get(), 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "S&how Tessaly");
    GetMenuStringA(menu.Get(), 2, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "E&xit");
    EXPECT_EQ(GetMenuItemID(menu.Get(), 0), 101u);
    EXPECT_EQ(GetMenuItemID(menu.Get(), 2), 102u);
    EXPECT_EQ(GetMenuState(menu.Get(), 1, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
    EXPECT_EQ(GetMenuDefaultItem(menu.Get(), FALSE, 0), 101u);
}

} // namespace tsy::win32
