#include "support/win32/PageHost.h"

#include <commctrl.h>

#include "support/win32/Dialog.h"
#include "support/win32/ErrorBoundary.h"

namespace tsy::win32 {

namespace {

// The host whose dialog's keys the message filter looks at; nested hosts stack up.
thread_local TPageHost* t_keyboardHost = nullptr;

} // namespace

TPageHost::~TPageHost() {
    if (hook_) {
        UnhookWindowsHookEx(hook_);
        t_keyboardHost = previous_;
    }
}

void TPageHost::EnableKeyboardSwitching() {
    if (hook_)
        return;
    // A modal dialog's own loop sees Tab first, so the keys are taken before it does.
    hook_ = SetWindowsHookExA(WH_MSGFILTER, &TPageHost::FilterMessage, nullptr, GetCurrentThreadId());
    previous_ = t_keyboardHost;
    t_keyboardHost = this;
}

LRESULT CALLBACK TPageHost::FilterMessage(int code, WPARAM wParam, LPARAM lParam) {
    if (code == MSGF_DIALOGBOX && t_keyboardHost &&
        t_keyboardHost->HandleKey(*reinterpret_cast<MSG*>(lParam)))
        return 1;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool TPageHost::HandleKey(const MSG& message) {
    if (message.message != WM_KEYDOWN || GetKeyState(VK_CONTROL) >= 0 || !host_ || PageCount() == 0)
        return false;
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    if (root != host_->Handle() || !IsWindowEnabled(root))
        return false;
    int step = 0;
    if (message.wParam == VK_TAB)
        step = GetKeyState(VK_SHIFT) < 0 ? -1 : 1;
    else if (message.wParam == VK_NEXT)
        step = 1;
    else if (message.wParam == VK_PRIOR)
        step = -1;
    if (step == 0)
        return false;
    try {
        SetActivePage((active_ + step + PageCount()) % PageCount());
    } catch (...) {
        ReportCurrentException();
    }
    return true;
}

void TPageHost::Attach(TDialog& host, int tabId, bool tabsVisible) {
    host_ = &host;
    tab_ = host.Item(tabId);
    if (!tabsVisible) {
        ShowWindow(tab_, SW_HIDE);
        EnableWindow(tab_, FALSE);
    }
    host.OnResize([this] { Fit(); });
    host.OnNotify(tabId, TCN_SELCHANGING, [this](NMHDR&) -> LRESULT {
        LeaveActivePage();
        return 0;
    });
    host.OnNotify(tabId, TCN_SELCHANGE, [this](NMHDR&) -> LRESULT {
        Show(TabCtrl_GetCurSel(tab_));
        return 0;
    });
}

void TPageHost::AddPage(TPage& page, const std::string& caption) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    std::string text = caption;
    item.pszText = text.data();
    TabCtrl_InsertItem(tab_, int(pages_.size()), &item);
    page.CreateModeless(host_->Handle());
    pages_.push_back(&page);
    // Just above the tab control: drawn over it, and next after it in the Tab order.
    HWND before = GetWindow(tab_, GW_HWNDPREV);
    SetWindowPos(page.Handle(), before ? before : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Fit();
    ShowWindow(page.Handle(), pages_.size() == 1 ? SW_SHOW : SW_HIDE);
}

bool TPageHost::SetActivePage(int index) {
    if (index < 0 || index >= PageCount())
        return false;
    if (index == active_)
        return true;
    LeaveActivePage();
    TabCtrl_SetCurSel(tab_, index);
    Show(index);
    return true;
}

void TPageHost::LeaveActivePage() {
    if (active_ >= 0)
        Page(active_).Leave();
}

RECT TPageHost::PageArea() const {
    RECT area{};
    GetWindowRect(tab_, &area);
    MapWindowPoints(nullptr, host_->Handle(), reinterpret_cast<POINT*>(&area), 2);
    if (IsWindowVisible(tab_) || (GetWindowLongPtrA(tab_, GWL_STYLE) & WS_VISIBLE))
        TabCtrl_AdjustRect(tab_, FALSE, &area);
    return area;
}

void TPageHost::Fit() {
    const RECT area = PageArea();
    for (TPage* page : pages_)
        SetWindowPos(page->Handle(), nullptr, area.left, area.top, area.right - area.left,
                     area.bottom - area.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TPageHost::Show(int index) {
    if (index < 0 || index >= PageCount())
        return;
    for (int i = 0; i < PageCount(); ++i)
        if (i != index)
            ShowWindow(pages_[std::size_t(i)]->Handle(), SW_HIDE);
    ShowWindow(pages_[std::size_t(index)]->Handle(), SW_SHOW);
    active_ = index;
    Page(index).Enter();
}

} // namespace tsy::win32
