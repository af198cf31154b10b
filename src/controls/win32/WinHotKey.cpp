#include "controls/win32/WinHotKey.h"

namespace tsy::win32 {

bool RegisterMainHotKey(HWND window, bool use, std::uint32_t modifiers, std::uint32_t key) {
    UnregisterHotKey(window, kMainHotKeyId);
    if (!use) {
        return false;
    }
    return RegisterHotKey(window, kMainHotKeyId, modifiers, key) != FALSE;
}

void UnregisterMainHotKey(HWND window) {
    UnregisterHotKey(window, kMainHotKeyId);
}

std::uint32_t CurrentModifierState() {
    const auto down = [](int key) { return GetKeyState(key) < 0; };
    return ModifiersFromKeys(down(VK_CONTROL), down(VK_MENU), down(VK_SHIFT), down(VK_LWIN), down(VK_RWIN));
}

std::string PlatformKeyName(std::uint32_t virtualKey) {
    const UINT scanCode = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
    if (scanCode == 0) {
        return {};
    }
    char name[64] = {};
    const int length = GetKeyNameTextA(static_cast<LONG>(scanCode << 16), name, sizeof name);
    return length > 0 ? std::string(name, static_cast<std::size_t>(length)) : std::string();
}

std::string HotKeyText(std::uint32_t modifiers, std::uint32_t key) {
    return HotKeyToText(modifiers, key, PlatformKeyName);
}

TWinHotKey::TWinHotKey(TModifierReader readModifiers) : readModifiers_(std::move(readModifiers)) {}

TWinHotKey::~TWinHotKey() {
    HWND window = Window();
    Detach();
    if (owned_ && window) {
        DestroyWindow(window);
    }
}

bool TWinHotKey::Create(HWND parent, int id, int x, int y, int width, int height) {
    HWND edit =
        CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, x,
                        y, width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                        reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
    if (!edit) {
        return false;
    }
    if (!Attach(edit)) {
        DestroyWindow(edit);
        return false;
    }
    owned_ = true;
    return true;
}

bool TWinHotKey::Attach(HWND edit) {
    if (!TSubclass::Attach(edit)) {
        return false;
    }
    owned_ = false;
    Display();
    return true;
}

void TWinHotKey::SetHotKeyKey(std::uint32_t key) {
    state_.SetKey(key);
    Display();
}

void TWinHotKey::SetHotKeyModifiers(std::uint32_t modifiers) {
    state_.SetModifiers(modifiers);
    Display();
}

void TWinHotKey::Display() {
    HWND window = Window();
    if (!window) {
        return;
    }
    const std::string text = HotKeyText(state_.Modifiers(), state_.Key());
    SetWindowTextA(window, text.c_str());
    const auto end = static_cast<WPARAM>(text.size());
    SendMessageA(window, EM_SETSEL, end, static_cast<LPARAM>(end));
}

namespace {

// The character a key press was translated into would reach a dialog's mnemonics (Alt+P
// pressing a "&P" button) before the control could drop it; take it from the queue first.
void DropPendingCharacters(HWND window) {
    MSG pending;
    while (PeekMessageA(&pending, window, WM_CHAR, WM_DEADCHAR, PM_REMOVE | PM_NOYIELD)) {
    }
    while (PeekMessageA(&pending, window, WM_SYSCHAR, WM_SYSDEADCHAR, PM_REMOVE | PM_NOYIELD)) {
    }
}

} // namespace

LRESULT TWinHotKey::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETDLGCODE: {
        // In a dialog every key is a candidate for the combination, except that Tab still
        // moves on to the next control.
        const LRESULT code = CallOriginal(message, wParam, lParam);
        const auto* msg = reinterpret_cast<const MSG*>(lParam);
        if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_TAB) {
            return code;
        }
        return code | DLGC_WANTALLKEYS;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        DropPendingCharacters(Window());
        if (state_.KeyDown(static_cast<std::uint32_t>(wParam), readModifiers_())) {
            Display();
        }
        return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if (state_.KeyUp(static_cast<std::uint32_t>(wParam), readModifiers_())) {
            Display();
        }
        return 0;
    case WM_CHAR:
    case WM_SYSCHAR:
    // The text is always the combination: no pasting, cutting or undoing into it.
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
    case WM_CONTEXTMENU:
        return 0;
    default:
        return CallOriginal(message, wParam, lParam);
    }
}

} // namespace tsy::win32
