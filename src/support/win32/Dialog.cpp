#include "support/win32/Dialog.h"

#include <stdexcept>

#include "support/win32/ErrorBoundary.h"

namespace tsy::win32 {

TDialog::~TDialog() {
    if (handle_ && !modal_) {
        HWND dialog = handle_;
        SetWindowLongPtrA(dialog, DWLP_USER, 0);
        handle_ = nullptr;
        DestroyWindow(dialog);
    }
}

INT_PTR TDialog::ShowModal(HINSTANCE instance, int templateId, HWND owner) {
    modal_ = true;
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(templateId), owner, &TDialog::DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

INT_PTR TDialog::ShowModal(HINSTANCE instance, const DLGTEMPLATE* dialogTemplate, HWND owner) {
    modal_ = true;
    return DialogBoxIndirectParamA(instance, dialogTemplate, owner, &TDialog::DialogProc,
                                   reinterpret_cast<LPARAM>(this));
}

void TDialog::CreateModeless(HINSTANCE instance, int templateId, HWND owner) {
    modal_ = false;
    if (!CreateDialogParamA(instance, MAKEINTRESOURCEA(templateId), owner, &TDialog::DialogProc,
                            reinterpret_cast<LPARAM>(this)))
        throw std::runtime_error("Unable to create the dialog.");
}

void TDialog::CreateModeless(HINSTANCE instance, const DLGTEMPLATE* dialogTemplate, HWND owner) {
    modal_ = false;
    if (!CreateDialogIndirectParamA(instance, dialogTemplate, owner, &TDialog::DialogProc,
                                    reinterpret_cast<LPARAM>(this)))
        throw std::runtime_error("Unable to create the dialog.");
}

bool TDialog::HandleMessage(UINT, WPARAM, LPARAM) {
    return false;
}

void TDialog::EndModal(INT_PTR result) {
    if (!handle_)
        return;
    if (modal_)
        EndDialog(handle_, result);
    else
        DestroyWindow(handle_);
}

void TDialog::SetResult(LRESULT result) noexcept {
    SetWindowLongPtrA(handle_, DWLP_MSGRESULT, result);
}

INT_PTR CALLBACK TDialog::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (!self && message == WM_INITDIALOG) {
        self = reinterpret_cast<TDialog*>(lParam);
        self->handle_ = dialog;
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    }
    if (!self)
        return FALSE;
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(dialog, DWLP_USER, 0);
        self->handle_ = nullptr;
        return FALSE;
    }
    try {
        if (message == WM_INITDIALOG)
            return self->HandleInit() ? TRUE : FALSE;
        return self->HandleMessage(message, wParam, lParam) ? TRUE : FALSE;
    } catch (...) {
        ReportCurrentException();
        return TRUE;
    }
}

} // namespace tsy::win32
