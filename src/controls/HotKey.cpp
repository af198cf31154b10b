#include "controls/HotKey.h"

namespace tsy {

bool IsModifierKey(std::uint32_t virtualKey) {
    return (virtualKey >= 16 && virtualKey <= 18) || virtualKey == 91 || virtualKey == 92 ||
           (virtualKey >= 160 && virtualKey <= 165);
}

std::uint32_t ModifiersFromKeys(bool ctrl, bool alt, bool shift, bool leftWin, bool rightWin) {
    std::uint32_t modifiers = 0;
    if (ctrl) {
        modifiers |= kHotKeyCtrl;
    }
    if (alt) {
        modifiers |= kHotKeyAlt;
    }
    if (shift) {
        modifiers |= kHotKeyShift;
    }
    if (leftWin || rightWin) {
        modifiers |= kHotKeyWin;
    }
    return modifiers;
}

std::string HotKeyKeyName(std::uint32_t virtualKey) {
    static const char* const kNavigation[] = {"Space", "PgUp", "PgDn",  "End", "Home",
                                              "Left",  "Up",   "Right", "Down"};
    switch (virtualKey) {
    case 8:
        return "BkSp";
    case 9:
        return "Tab";
    case 13:
        return "Enter";
    case 27:
        return "Esc";
    case 45:
        return "Ins";
    case 46:
        return "Del";
    default:
        break;
    }
    if (virtualKey >= 32 && virtualKey <= 40) {
        return kNavigation[virtualKey - 32];
    }
    if (virtualKey >= 48 && virtualKey <= 57) {
        return std::string(1, static_cast<char>('0' + (virtualKey - 48)));
    }
    if (virtualKey >= 96 && virtualKey <= 105) {
        return std::string(1, static_cast<char>('0' + (virtualKey - 96)));
    }
    if (virtualKey >= 65 && virtualKey <= 90) {
        return std::string(1, static_cast<char>(virtualKey));
    }
    if (virtualKey >= 112 && virtualKey <= 135) {
        return "F" + std::to_string(virtualKey - 111);
    }
    return {};
}

std::string HotKeyToText(std::uint32_t modifiers, std::uint32_t key, const TKeyNameLookup& platformName) {
    std::string text;
    if (modifiers & kHotKeyCtrl) {
        text += "Ctrl + ";
    }
    if (modifiers & kHotKeyAlt) {
        text += "Alt + ";
    }
    if (modifiers & kHotKeyWin) {
        text += "Win + ";
    }
    if (modifiers & kHotKeyShift) {
        text += "Shift + ";
    }
    if (key != 0) {
        std::string name = HotKeyKeyName(key);
        if (name.empty() && platformName) {
            name = platformName(key);
        }
        text += name;
    } else if (text.empty()) {
        text = "None";
    }
    return text;
}

void THotKeyState::Set(std::uint32_t modifiers, std::uint32_t key) {
    modifiers_ = modifiers;
    key_ = key;
}

void THotKeyState::SetKey(std::uint32_t key) {
    Set(modifiers_, key);
    restart_ = true;
}

void THotKeyState::SetModifiers(std::uint32_t modifiers) {
    Set(modifiers, key_);
    restart_ = true;
}

bool THotKeyState::KeyDown(std::uint32_t virtualKey, std::uint32_t currentModifiers) {
    if (restart_) {
        modifiers_ = 0;
        key_ = 0;
        restart_ = false;
        complete_ = false;
    }
    const bool modifier = IsModifierKey(virtualKey);
    if (complete_ && modifier) {
        return false;
    }
    if (modifier) {
        Set(currentModifiers, key_);
    } else {
        Set(modifiers_, virtualKey);
        complete_ = false;
    }
    return true;
}

bool THotKeyState::KeyUp(std::uint32_t virtualKey, std::uint32_t currentModifiers) {
    if (IsModifierKey(virtualKey)) {
        if (!complete_) {
            Set(currentModifiers, key_);
            return true;
        }
        if (currentModifiers == 0) {
            restart_ = true;
        }
        return false;
    }
    if (virtualKey == key_) {
        complete_ = true;
        if (modifiers_ == 0) {
            restart_ = true;
        }
    }
    return false;
}

std::string HotKeyTakenNotice(const std::string& combination) {
    return combination + " is in use by another program. Choose another hotkey under Customize > Settings.";
}

} // namespace tsy
