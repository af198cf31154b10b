#pragma once

#include "controls/HotKey.h"
#include "controls/win32/Subclass.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

namespace tsy::win32 {

// The hotkey of the main window: identifier 0, registered on the main window's handle.
inline constexpr int kMainHotKeyId = 0;

// The platform's RegisterHotKey; tests see what is passed to it.
using TRegisterHotKeyCall = std::function<BOOL(HWND window, int id, UINT modifiers, UINT key)>;

// RegisterHotKey with MOD_NOREPEAT, so that holding the keys fires once; a system that does not
// know the flag refuses it, and then gets the plain combination. Taken combinations are not retried.
bool RegisterHotKeyOnce(HWND window, int id, std::uint32_t modifiers, std::uint32_t key,
                        const TRegisterHotKeyCall& call = {});

// Whether the combination can be registered now: tried on `window` and released at once.
bool HotKeyAvailable(HWND window, std::uint32_t modifiers, std::uint32_t key,
                     const TRegisterHotKeyCall& call = {});

enum class THotKeyRegistration { Off, Registered, Taken, Refused };

// Re-registers hotkey 0 of `window`: unregisters it, then registers (modifiers, key) when `use`.
THotKeyRegistration RegisterMainHotKey(HWND window, bool use, std::uint32_t modifiers, std::uint32_t key,
                                       const TRegisterHotKeyCall& call = {});
void UnregisterMainHotKey(HWND window);

// The modifier keys down now (GetKeyState).
std::uint32_t CurrentModifierState();

// The platform's name for a key from its scan code; empty when it has none.
std::string PlatformKeyName(std::uint32_t virtualKey);

// HotKeyToText with the platform's names for keys outside the fixed table.
std::string HotKeyText(std::uint32_t modifiers, std::uint32_t key);

// An edit box that captures a key combination, the Windows key included. Key and character
// messages never reach the edit, so nothing typed becomes text; neither does pasting.
class TWinHotKey : private TSubclass {
public:
    using TModifierReader = std::function<std::uint32_t()>;

    // Tests replace the keyboard state reader.
    explicit TWinHotKey(TModifierReader readModifiers = CurrentModifierState);
    ~TWinHotKey() override;

    bool Create(HWND parent, int id, int x, int y, int width, int height);
    // Takes over an edit box made elsewhere (a dialog template's, for instance).
    bool Attach(HWND edit);
    HWND Handle() const { return Window(); }

    std::uint32_t HotKeyKey() const { return state_.Key(); }
    std::uint32_t HotKeyModifiers() const { return state_.Modifiers(); }
    void SetHotKeyKey(std::uint32_t key);
    void SetHotKeyModifiers(std::uint32_t modifiers);
    // After every change of the shown combination.
    void SetOnChange(std::function<void()> handler) { onChange_ = std::move(handler); }

private:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Display();

    TModifierReader readModifiers_;
    THotKeyState state_;
    bool owned_ = false;
    std::function<void()> onChange_;
};

} // namespace tsy::win32
