#pragma once

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <utility>

namespace tsy {

// Modifier bits as RegisterHotKey takes them.
inline constexpr std::uint32_t kHotKeyAlt = 1;
inline constexpr std::uint32_t kHotKeyCtrl = 2;
inline constexpr std::uint32_t kHotKeyShift = 4;
inline constexpr std::uint32_t kHotKeyWin = 8;

// Shift, Ctrl, Alt (16-18), the Windows keys (91, 92) and the left/right variants (160-165).
bool IsModifierKey(std::uint32_t virtualKey);

// The modifier bits for the keys that are down.
std::uint32_t ModifiersFromKeys(bool ctrl, bool alt, bool shift, bool leftWin, bool rightWin);

// The platform's own name of a key, asked for keys the fixed table does not name.
using TKeyNameLookup = std::function<std::string(std::uint32_t virtualKey)>;

// The fixed name of a key ("Enter", "PgUp", "F5", "Q", ...), empty for keys without one.
std::string HotKeyKeyName(std::uint32_t virtualKey);

// "Ctrl + ", "Alt + ", "Win + ", "Shift + " as set, then the key's name; "None" when nothing is set.
std::string HotKeyToText(std::uint32_t modifiers, std::uint32_t key, const TKeyNameLookup& platformName = {});

// The title of the notice that a combination is taken.
inline constexpr const char* kHotKeyNoticeTitle = "Tessaly";

// The notice for a combination (as HotKeyToText writes it) that another program holds.
std::string HotKeyTakenNotice(const std::string& combination);

// Each combination found taken is reported once per run, so that a newly chosen one that
// fails is still reported.
class THotKeyNotices {
public:
    // True the first time it is asked about the combination.
    bool FirstTime(std::uint32_t modifiers, std::uint32_t key) {
        return reported_.insert({modifiers, key}).second;
    }

private:
    std::set<std::pair<std::uint32_t, std::uint32_t>> reported_;
};

// What the hotkey editor makes of key presses. Every step that changes the combination returns
// true: the control then shows HotKeyToText and puts the caret at the end.
class THotKeyState {
public:
    std::uint32_t Modifiers() const { return modifiers_; }
    std::uint32_t Key() const { return key_; }
    bool Complete() const { return complete_; }
    bool Restart() const { return restart_; }

    // Each keeps the other half; the next key press then starts afresh.
    void SetKey(std::uint32_t key);
    void SetModifiers(std::uint32_t modifiers);

    // `currentModifiers` is the keyboard state at the time of the message; on key-up the
    // released key already counts as up.
    bool KeyDown(std::uint32_t virtualKey, std::uint32_t currentModifiers);
    bool KeyUp(std::uint32_t virtualKey, std::uint32_t currentModifiers);

private:
    void Set(std::uint32_t modifiers, std::uint32_t key);

    std::uint32_t modifiers_ = 0;
    std::uint32_t key_ = 0;
    bool complete_ = false;
    bool restart_ = false;
};

} // namespace tsy
