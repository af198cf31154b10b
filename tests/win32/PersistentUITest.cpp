#include "settings/win32/Win32PersistentUI.h"

#include "support/win32/RegistryStore.h"

#include <commctrl.h>

#include <gtest/gtest.h>

namespace tsy::win32 {
namespace {

constexpr const char* kTestRoot = "\\Software\\TessalyTests\\PersistentUI";

struct WindowTraits {
    static HWND Invalid() noexcept { return nullptr; }
    static void Close(HWND h) noexcept { ::DestroyWindow(h); }
};
using UniqueWindow = UniqueHandle<WindowTraits>;

// A real window with a list view, a tab control and a combo box, stored in a
// private key of the current user that is removed afterwards.
class Win32PersistentUITest : public ::testing::Test {
protected:
    void SetUp() override {
        Remove();
        INITCOMMONCONTROLSEX init{sizeof init, ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES};
        ::InitCommonControlsEx(&init);
        HINSTANCE instance = ::GetModuleHandleA(nullptr);
        form.Reset(::CreateWindowExA(0, "STATIC", "Layout", WS_OVERLAPPEDWINDOW, 50, 60, 400, 300, nullptr,
                                     nullptr, instance, nullptr));
        ASSERT_TRUE(form);
        list = ::CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | LVS_REPORT, 0, 0, 300, 100, form.Get(),
                                 nullptr, instance, nullptr);
        tabs = ::CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD, 0, 100, 300, 50, form.Get(), nullptr,
                                 instance, nullptr);
        combo = ::CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | CBS_DROPDOWNLIST, 0, 160, 200, 100,
                                  form.Get(), nullptr, instance, nullptr);
        ASSERT_TRUE(list && tabs && combo);
        for (int i = 0; i < 3; ++i) {
            LVCOLUMNA column{};
            column.mask = LVCF_WIDTH;
            column.cx = 50 + 10 * i;
            ListView_InsertColumn(list, i, &column);
            TCITEMA tab{};
            tab.mask = TCIF_TEXT;
            char text[] = "Page";
            tab.pszText = text;
            TabCtrl_InsertItem(tabs, i, &tab);
            ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("entry"));
        }
    }
    void TearDown() override { Remove(); }
    static void Remove() { ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\TessalyTests"); }

    TRegistryStore store;
    UniqueWindow form;
    HWND list = nullptr;
    HWND tabs = nullptr;
    HWND combo = nullptr;
};

TEST_F(Win32PersistentUITest, AClosedWindowReopensWithItsPlacementAndControlStates) {
    TWin32PUIListView lvSites(list, "lvSites");
    TWin32PUIPageControl pgcPages(tabs, "pgcPages");
    TWin32PUIComboBox cbFilter(combo, "cbFilter");
    TWin32PUIWindow window(form.Get(), "SettingsForm");
    window.components = {&lvSites, &pgcPages, &cbFilter};
    TPersistentUI pui(store, RootKey::CurrentUser, kTestRoot);
    pui.RegisterForm(window, {std::string(kPUIListViewClass), std::string(kPUIPageControlClass)});
    pui.SetIncludes(window, {&cbFilter});

    ::SetWindowPos(form.Get(), nullptr, 120, 90, 420, 330, SWP_NOZORDER);
    ListView_SetColumnWidth(list, 1, 140);
    TabCtrl_SetCurSel(tabs, 2);
    ::SendMessageA(combo, CB_SETCURSEL, 1, 0);
    pui.SaveForm(window);

    ::SetWindowPos(form.Get(), nullptr, 10, 10, 250, 200, SWP_NOZORDER);
    ListView_SetColumnWidth(list, 1, 30);
    TabCtrl_SetCurSel(tabs, 0);
    ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    int changedTo = -1;
    TWin32PUIPageControl watched(tabs, "pgcPages", [&](int page) { changedTo = page; });
    window.components = {&lvSites, &watched, &cbFilter};
    pui.LoadForm(window);

    RECT rect{};
    ::GetWindowRect(form.Get(), &rect);
    EXPECT_EQ(rect.left, 120);
    EXPECT_EQ(rect.top, 90);
    EXPECT_EQ(rect.right - rect.left, 420);
    EXPECT_EQ(rect.bottom - rect.top, 330);
    EXPECT_EQ(ListView_GetColumnWidth(list, 1), 140);
    EXPECT_EQ(TabCtrl_GetCurSel(tabs), 2);
    EXPECT_EQ(changedTo, 2);
    EXPECT_EQ(::SendMessageA(combo, CB_GETCURSEL, 0, 0), 1);
}

TEST_F(Win32PersistentUITest, AMinimisedWindowStoresItsNormalPlacement) {
    ::SetWindowPos(form.Get(), nullptr, 70, 80, 300, 200, SWP_NOZORDER);
    ::ShowWindow(form.Get(), SW_SHOWNORMAL);
    ::ShowWindow(form.Get(), SW_MINIMIZE);
    TWin32PUIWindow window(form.Get(), "MainForm");
    TPUIRect bounds = window.GetBounds();
    EXPECT_EQ(bounds.Left, 70);
    EXPECT_EQ(bounds.Top, 80);
    EXPECT_EQ(bounds.Width, 300);
    EXPECT_EQ(bounds.Height, 200);
    EXPECT_TRUE(window.IsOnScreen(bounds));
    EXPECT_FALSE(window.IsOnScreen({-32000, -32000, 160, 24}));
}

} // namespace
} // namespace tsy::win32
