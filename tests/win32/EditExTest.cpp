#include "controls/win32/EditEx.h"

#include "TestWindow.h"

#include <gtest/gtest.h>

namespace tsy::win32 {

namespace {

HMENU g_openMenu = nullptr;
bool g_menuSeen = false;

// Runs inside the menu's own message loop: notes which menu is open and closes it.
void CALLBACK CloseOpenMenu(HWND, UINT, UINT_PTR id, DWORD) {
    HWND popup = FindWindowA("#32768", nullptr);
    if (popup && IsWindowVisible(popup)) {
        g_menuSeen = true;
        g_openMenu = reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
    }
    KillTimer(nullptr, id);
    EndMenu();
}

HMENU OpenContextMenu(HWND edit) {
    g_openMenu = nullptr;
    g_menuSeen = false;
    SetTimer(nullptr, 0, 300, CloseOpenMenu);
    RECT box{};
    GetWindowRect(edit, &box);
    SendMessageA(edit, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit), MAKELPARAM(box.left + 5, box.top + 5));
    tsy::testing::PumpMessages();
    return g_openMenu;
}

} // namespace

TEST(EditEx, OwnPopupMenuReplacesTheStandardOne) {
    tsy::testing::TestWindow parent(true);
    TEditEx edit;
    ASSERT_TRUE(edit.Create(parent.Get(), 5, 10, 10, 200, 22));
    SetWindowTextA(edit.Handle(), "text");

    HMENU standard = OpenContextMenu(edit.Handle());
    ASSERT_TRUE(g_menuSeen) << "no menu opened";
    EXPECT_NE(standard, nullptr);

    HMENU own = CreatePopupMenu();
    AppendMenuA(own, MF_STRING, 42, "Own");
    edit.SetPopupMenu(own);
    EXPECT_EQ(OpenContextMenu(edit.Handle()), own);

    edit.SetPopupMenu(nullptr);
    HMENU again = OpenContextMenu(edit.Handle());
    EXPECT_TRUE(g_menuSeen);
    EXPECT_NE(again, own);
    DestroyMenu(own);
}

TEST(EditEx, BehavesAsAPlainEditOtherwise) {
    tsy::testing::TestWindow parent;
    TEditEx edit;
    ASSERT_TRUE(edit.Create(parent.Get(), 5, 10, 10, 200, 22));
    SendMessageA(edit.Handle(), WM_CHAR, 'h', 1);
    SendMessageA(edit.Handle(), WM_CHAR, 'i', 1);
    EXPECT_EQ(tsy::testing::WindowText(edit.Handle()), "hi");
}

} // namespace tsy::win32
