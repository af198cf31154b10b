#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "support/win32/Dialog.h"

namespace tsy::win32 {

// A page of a TPageHost, told when it becomes the shown one and when it stops being it.
class TPage : public TDialog {
public:
    virtual void Enter() {}
    virtual void Leave() {}

protected:
    using TDialog::TDialog;
};

// Child page dialogs shown one at a time in the display area of a tab control of the
// hosting dialog. With hidden tabs (a wizard) the tab control only gives the pages
// their place and buttons drive the pages. Page templates need WS_CHILD and DS_CONTROL.
class TPageHost {
public:
    TPageHost() = default;
    TPageHost(const TPageHost&) = delete;
    TPageHost& operator=(const TPageHost&) = delete;

    void Attach(TDialog& host, int tabId, bool tabsVisible);
    ~TPageHost();
    // Makes the page and adds its tab; the first page added is shown, and entered with the first
    // SetActivePage.
    void AddPage(TPage& page, const std::string& caption);

    HWND Tab() const noexcept { return tab_; }
    int PageCount() const noexcept { return int(pages_.size()); }
    // The page entered last, or -1.
    int ActivePage() const noexcept { return active_; }
    TPage& Page(int index) const { return *pages_.at(std::size_t(index)); }
    // Leaves the active page and enters the new one; false, and nothing changes, when the
    // index is out of range.
    bool SetActivePage(int index);
    void LeaveActivePage();

    // Ctrl+Tab and Ctrl+Shift+Tab (and Ctrl+PgDn, Ctrl+PgUp) move between the pages while
    // the host is open, as in any tabbed dialog.
    void EnableKeyboardSwitching();

private:
    static LRESULT CALLBACK FilterMessage(int code, WPARAM wParam, LPARAM lParam);
    bool HandleKey(const MSG& message);
    RECT PageArea() const;
    // Places every page in the tab's display area.
    void Fit();
    void Show(int index);

    TDialog* host_ = nullptr;
    HWND tab_ = nullptr;
    std::vector<TPage*> pages_;
    int active_ = -1;
    HHOOK hook_ = nullptr;
    TPageHost* previous_ = nullptr;
};

} // namespace tsy::win32
