#include "controls/win32/WinHotKey.h"

#include "TestWindow.h"

#include <gtest/gtest.h>

#include <vector>

namespace tsy::win32 {

namespace {

class WinHotKeyTest : public ::testing::Test {
protected:
    tsy::testing::TestWindow parent;
    std::uint32_t held = 0;
    TWinHotKey hotKey{[this] { return held; }};

    void SetUp() override { ASSERT_TRUE(hotKey.Create(parent.Get(), 100, 10, 10, 200, 22)); }

    static std::uint32_t Bit(WPARAM vk) {
        switch (vk) {
        case VK_CONTROL:
            return kHotKeyCtrl;
        case VK_MENU:
            return kHotKeyAlt;
        case VK_SHIFT:
            return kHotKeyShift;
        case VK_LWIN:
        case VK_RWIN:
            return kHotKeyWin;
        default:
            return 0;
        }
    }
    LRESULT Down(WPARAM vk, UINT message = WM_KEYDOWN) {
        held |= Bit(vk);
        return SendMessageA(hotKey.Handle(), message, vk, 0);
    }
    LRESULT Up(WPARAM vk, UINT message = WM_KEYUP) {
        held &= ~Bit(vk);
        return SendMessageA(hotKey.Handle(), message, vk, static_cast<LPARAM>(0xC0000000u));
    }
    std::string Text() const { return tsy::testing::WindowText(hotKey.Handle()); }
    DWORD CaretEnd() const {
        DWORD start = 0, end = 0;
        SendMessageA(hotKey.Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        return end;
    }
};

} // namespace

TEST_F(WinHotKeyTest, StartsWithNone) {
    EXPECT_EQ(Text(), "None");
}

TEST_F(WinHotKeyTest, CtrlAltPBuiltWithKeyMessagesAndKeptAfterRelease) {
    EXPECT_EQ(Down(VK_CONTROL), 0);
    Down(VK_MENU, WM_SYSKEYDOWN);
    EXPECT_EQ(Text(), "Ctrl + Alt + ");
    Down('P', WM_SYSKEYDOWN);
    Up('P', WM_SYSKEYUP);
    Up(VK_CONTROL);
    Up(VK_MENU, WM_SYSKEYUP);
    EXPECT_EQ(Text(), "Ctrl + Alt + P");
    EXPECT_EQ(CaretEnd(), Text().size());
    EXPECT_EQ(hotKey.HotKeyModifiers(), kHotKeyCtrl | kHotKeyAlt);
    EXPECT_EQ(hotKey.HotKeyKey(), static_cast<std::uint32_t>('P'));
    Down(VK_SHIFT);
    EXPECT_EQ(Text(), "Shift + ");
}

TEST_F(WinHotKeyTest, TypedCharactersNeverBecomeText) {
    Down('A');
    SendMessageA(hotKey.Handle(), WM_CHAR, 'a', 0);
    SendMessageA(hotKey.Handle(), WM_CHAR, 'b', 0);
    SendMessageA(hotKey.Handle(), WM_SYSCHAR, 'c', 0);
    Up('A');
    EXPECT_EQ(Text(), "A");

    OpenClipboard(nullptr);
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, 6);
    memcpy(GlobalLock(memory), "paste", 6);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
    SendMessageA(hotKey.Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(Text(), "A");
}

TEST_F(WinHotKeyTest, SettingKeyAndModifiersShowsTheStoredCombination) {
    hotKey.SetHotKeyKey(81);
    hotKey.SetHotKeyModifiers(8);
    EXPECT_EQ(Text(), "Win + Q");
    EXPECT_EQ(CaretEnd(), 7u);
    // The next press starts afresh.
    Down(VK_F5);
    Up(VK_F5);
    EXPECT_EQ(Text(), "F5");
    EXPECT_EQ(hotKey.HotKeyModifiers(), 0u);
}

TEST_F(WinHotKeyTest, WindowsKeyAndQGiveTheDefault) {
    Down(VK_LWIN);
    Down('Q');
    Up('Q');
    Up(VK_LWIN);
    EXPECT_EQ(hotKey.HotKeyModifiers(), 8u);
    EXPECT_EQ(hotKey.HotKeyKey(), 81u);
    EXPECT_EQ(Text(), "Win + Q");
}

TEST_F(WinHotKeyTest, InADialogTakesEveryKeyButTab) {
    MSG key{};
    key.hwnd = hotKey.Handle();
    key.message = WM_KEYDOWN;
    for (WPARAM vk : {WPARAM{VK_RETURN}, WPARAM{VK_ESCAPE}, WPARAM{'P'}, WPARAM{VK_LEFT}}) {
        key.wParam = vk;
        EXPECT_TRUE(SendMessageA(hotKey.Handle(), WM_GETDLGCODE, vk, reinterpret_cast<LPARAM>(&key)) &
                    DLGC_WANTALLKEYS)
            << vk;
    }
    key.wParam = VK_TAB;
    EXPECT_FALSE(SendMessageA(hotKey.Handle(), WM_GETDLGCODE, VK_TAB, reinterpret_cast<LPARAM>(&key)) &
                 DLGC_WANTALLKEYS);
}

TEST_F(WinHotKeyTest, TranslatedCharactersOfAKeyPressAreDropped) {
    // As TranslateMessage leaves them in the queue before the key press is dispatched.
    PostMessageA(hotKey.Handle(), WM_SYSCHAR, 'p', 0);
    PostMessageA(hotKey.Handle(), WM_CHAR, 'p', 0);
    PostMessageA(parent.Get(), WM_CHAR, 'q', 0);
    Down(VK_MENU, WM_SYSKEYDOWN);
    Down('P', WM_SYSKEYDOWN);
    MSG left{};
    EXPECT_FALSE(PeekMessageA(&left, hotKey.Handle(), WM_CHAR, WM_SYSDEADCHAR, PM_REMOVE));
    EXPECT_TRUE(PeekMessageA(&left, parent.Get(), WM_CHAR, WM_CHAR, PM_REMOVE))
        << "other windows keep theirs";
    EXPECT_EQ(Text(), "Alt + P");
}

TEST(WinHotKeyKeyboard, ReadsModifiersFromTheThreadKeyboardState) {
    BYTE saved[256] = {};
    GetKeyboardState(saved);
    BYTE keys[256] = {};
    keys[VK_CONTROL] = 0x80;
    keys[VK_RWIN] = 0x80;
    ASSERT_TRUE(SetKeyboardState(keys));
    EXPECT_EQ(CurrentModifierState(), kHotKeyCtrl | kHotKeyWin);

    tsy::testing::TestWindow parent;
    TWinHotKey hotKey;
    ASSERT_TRUE(hotKey.Create(parent.Get(), 1, 0, 0, 100, 20));
    SendMessageA(hotKey.Handle(), WM_KEYDOWN, VK_CONTROL, 0);
    EXPECT_EQ(tsy::testing::WindowText(hotKey.Handle()), "Ctrl + Win + ");
    SetKeyboardState(saved);
}

TEST(WinHotKeyNames, PlatformNamesFillTheGapsOfTheTable) {
    EXPECT_EQ(HotKeyText(kHotKeyCtrl, 'P'), "Ctrl + P");
    EXPECT_EQ(HotKeyText(0, 0), "None");
    // A key outside the table gets whatever name the keyboard layout gives it.
    EXPECT_EQ(HotKeyText(0, VK_OEM_1), PlatformKeyName(VK_OEM_1));
    EXPECT_EQ(PlatformKeyName(0xFF), "");
}

TEST(WinHotKeyRegistration, RegistersIdZeroAndReleasesIt) {
    tsy::testing::TestWindow window;
    const UINT combination = MOD_CONTROL | MOD_ALT | MOD_SHIFT;
    EXPECT_EQ(RegisterMainHotKey(window.Get(), true, combination, VK_F11), THotKeyRegistration::Registered);
    // Registering again replaces the first registration instead of failing on it.
    EXPECT_EQ(RegisterMainHotKey(window.Get(), true, combination, VK_F11), THotKeyRegistration::Registered);
    EXPECT_EQ(RegisterMainHotKey(window.Get(), false, combination, VK_F11), THotKeyRegistration::Off);
    // Unregistered: the id is free again.
    EXPECT_TRUE(RegisterHotKey(window.Get(), kMainHotKeyId, MOD_CONTROL | MOD_ALT | MOD_SHIFT, VK_F11));
    UnregisterMainHotKey(window.Get());
    EXPECT_FALSE(UnregisterHotKey(window.Get(), kMainHotKeyId));
}

// Held keys firing once is the system's part; the program's part is asking for it.
TEST(WinHotKeyRegistration, AsksForNoRepeatAndFallsBackOnlyWhereTheFlagIsRefused) {
    std::vector<UINT> asked;
    DWORD refusal = ERROR_INVALID_PARAMETER;
    const TRegisterHotKeyCall olderSystem = [&](HWND, int, UINT modifiers, UINT) {
        asked.push_back(modifiers);
        if (modifiers & MOD_NOREPEAT) {
            SetLastError(refusal);
            return FALSE;
        }
        return TRUE;
    };
    tsy::testing::TestWindow window;
    EXPECT_EQ(RegisterMainHotKey(window.Get(), true, MOD_WIN, 'Q', olderSystem),
              THotKeyRegistration::Registered);
    EXPECT_EQ(asked, (std::vector<UINT>{MOD_WIN | MOD_NOREPEAT, MOD_WIN}));
    asked.clear();
    refusal = ERROR_HOTKEY_ALREADY_REGISTERED;
    EXPECT_EQ(RegisterMainHotKey(window.Get(), true, MOD_WIN, 'Q', olderSystem), THotKeyRegistration::Taken);
    EXPECT_EQ(asked, std::vector<UINT>{MOD_WIN | MOD_NOREPEAT}) << "a taken combination is not tried twice";
    EXPECT_FALSE(HotKeyAvailable(window.Get(), MOD_WIN, 'Q', olderSystem));
}

} // namespace tsy::win32
