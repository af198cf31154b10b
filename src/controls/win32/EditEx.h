#pragma once

#include "controls/win32/Subclass.h"

#include <windows.h>

namespace tsy::win32 {

// A plain edit box whose context menu is the owner's popup menu when one is set, and the
// platform's standard edit menu (cut, copy, paste, select all) otherwise.
class TEditEx : private TSubclass {
public:
    TEditEx() = default;
    ~TEditEx() override;

    bool Create(HWND parent, int id, int x, int y, int width, int height,
                DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL);
    bool Attach(HWND edit);
    HWND Handle() const { return Window(); }

    // Not owned; commands go to `commandTarget`, the parent when null. Null removes the menu.
    void SetPopupMenu(HMENU menu, HWND commandTarget = nullptr);

private:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    HMENU menu_ = nullptr;
    HWND commandTarget_ = nullptr;
    bool owned_ = false;
};

} // namespace tsy::win32
