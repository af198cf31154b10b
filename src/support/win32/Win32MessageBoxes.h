#pragma once

#include "support/MessageBoxes.h"
#include "support/OwnerStack.h"

#include <windows.h>

namespace tsy::win32 {

inline TWindowHandle ToHandle(HWND window) {
    return reinterpret_cast<TWindowHandle>(window);
}
inline HWND ToHwnd(TWindowHandle window) {
    return reinterpret_cast<HWND>(window);
}

// The program's message boxes, each owned by the window on top of the owner stack.
class TWin32MessageBoxes : public IMessageBoxes {
public:
    static constexpr const char* kErrorCaption = "Tessaly";

    explicit TWin32MessageBoxes(TOwnerStack& owners) : owners_(owners) {}

    void Warning(std::string_view text) override;
    bool Confirm(std::string_view text) override;
    void Information(std::string_view text) override;
    void Error(std::string_view text) override;

    // The window that owns the next box: the topmost entry that is still a window.
    HWND Owner() const;

private:
    TOwnerStack& owners_;
};

} // namespace tsy::win32
