#pragma once

#include <windows.h>

namespace tsy::win32 {

// Base of the program's dialogs, built from a dialog template (a resource or
// one made in memory). The object is reached from the dialog through DWLP_USER;
// an exception escaping a handler is reported to the error handler
// (ErrorBoundary.h) and the message counts as handled.
class TDialog {
public:
    TDialog(const TDialog&) = delete;
    TDialog& operator=(const TDialog&) = delete;
    virtual ~TDialog();

    HWND Handle() const noexcept { return handle_; }

    // Modal: returns the value given to EndModal, or -1 when the dialog cannot be created.
    INT_PTR ShowModal(HINSTANCE instance, int templateId, HWND owner);
    INT_PTR ShowModal(HINSTANCE instance, const DLGTEMPLATE* dialogTemplate, HWND owner);
    // Modeless: raises std::runtime_error when the dialog cannot be created.
    void CreateModeless(HINSTANCE instance, int templateId, HWND owner);
    void CreateModeless(HINSTANCE instance, const DLGTEMPLATE* dialogTemplate, HWND owner);

protected:
    TDialog() = default;

    // WM_INITDIALOG: return true to let the dialog focus its first control.
    virtual bool HandleInit() { return true; }
    // Any other message; return true when handled, and set the result with SetResult where one matters.
    virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Ends a modal showing, or destroys a modeless dialog.
    void EndModal(INT_PTR result);
    void SetResult(LRESULT result) noexcept;
    HWND Item(int id) const noexcept { return GetDlgItem(handle_, id); }

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    HWND handle_ = nullptr;
    bool modal_ = false;
};

} // namespace tsy::win32
