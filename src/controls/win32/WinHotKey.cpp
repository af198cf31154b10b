#include "controls/win32/WinHotKey.h"

namespace tsy::win32 {

namespace {

// Windows 7 and later; older systems refuse it as an invalid parameter.
constexpr UINT kNoRepeat = 0x4000;
// For the trial registration; the main window's hotkey is 0.
constexpr int kTrialHotKeyId = 0xBFFF;

} // namespace

bool RegisterHotKeyOnce(HWND window, int id, std::uint32_t modifiers, std::uint32_t key,
                        const TRegisterHotKeyCall& call) {
    const auto registerKey = [&](UINT flags) {
        return (call ? call(window, id, flags, key) : RegisterHotKey(window, id, flags, key)) != FALSE;
    };
    if (registerKey(modifiers | kNoRepeat)) {
        return true;
    }
    if (GetLastError() == ERROR_HOTKEY_ALREADY_REGISTERED) {
        return false;
    }
    return registerKey(modifiers);
}

bool HotKeyAvailable(HWND window, std::uint32_t modifiers, std::uint32_t key,
                     const TRegisterHotKeyCall& call) {
    if (!RegisterHotKeyOnce(window, kTrialHotKeyId, modifiers, key, call)) {
        return false;
    }
    UnregisterHotKey(window, kTrialHotKeyId);
    return true;
}

THotKeyRegistration RegisterMainHotKey(HWND window, bool use, std::uint32_t modifiers, std::uint32_t key,
                                       const TRegisterHotKeyCall& call) {
    UnregisterHotKey(window, kMainHotKeyId);
    if (!use) {
        return THotKeyRegistration::Off;
    }
    if (RegisterHotKeyOnce(window, kMainHotKeyId, modifiers, key, call)) {
        return THotKeyRegistration::Registered;
    }
    return GetLastError() == ERROR_HOTKEY_ALREADY_REGISTERED ? THotKeyRegistration::Taken
                                                             : THotKeyRegistration::Refused;
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
    owned_ = AdoptCreated(
        CreateChildEdit(parent, id, x, y, width, height, WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL),
        [this](HWND edit) { return Attach(edit); });
    return owned_;
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
    if (onChange_) {
        onChange_();
    }
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
