#include "support/win32/Dialog.h"

#include <algorithm>
#include <stdexcept>

#include <commctrl.h>

#include "support/Geometry.h"
#include "support/Layouts.h"
#include "support/OwnerStack.h"
#include "support/win32/GuardedCall.h"
#include "support/win32/LayoutWindow.h"
#include "support/win32/ScreenDpi.h"
#include "support/win32/Win32MessageBoxes.h"

namespace tsy::win32 {

void Warn(const TDialogEnvironment& environment, const std::string& text) {
    if (environment.Boxes)
        environment.Boxes->Warning(text);
}

bool Confirmed(const TDialogEnvironment& environment, const std::string& text) {
    return environment.Boxes && environment.Boxes->Confirm(text);
}

TDialog::TDialog(const TDialogEnvironment& environment, int templateId)
    : environment_(environment), templateId_(templateId) {}

TDialog::TDialog(const TDialogEnvironment& environment, const DLGTEMPLATE* dialogTemplate)
    : environment_(environment), template_(dialogTemplate) {}

TDialog::~TDialog() {
    if (handle_ && !modal_) {
        HWND dialog = handle_;
        // The destruction's messages must not reach a dying object; what they would do is done here.
        Released();
        SetWindowLongPtrA(dialog, DWLP_USER, 0);
        handle_ = nullptr;
        DestroyWindow(dialog);
    }
}

INT_PTR TDialog::ShowModal(HWND owner) {
    modal_ = true;
    closing_ = false;
    const auto param = reinterpret_cast<LPARAM>(this);
    if (template_)
        return DialogBoxIndirectParamA(environment_.Instance, template_, owner, &TDialog::DialogProc, param);
    return DialogBoxParamA(environment_.Instance, MAKEINTRESOURCEA(templateId_), owner, &TDialog::DialogProc,
                           param);
}

void TDialog::CreateModeless(HWND parent) {
    modal_ = false;
    closing_ = false;
    const auto param = reinterpret_cast<LPARAM>(this);
    HWND made = template_ ? CreateDialogIndirectParamA(environment_.Instance, template_, parent,
                                                       &TDialog::DialogProc, param)
                          : CreateDialogParamA(environment_.Instance, MAKEINTRESOURCEA(templateId_), parent,
                                               &TDialog::DialogProc, param);
    if (!made)
        throw std::runtime_error("Unable to create the dialog.");
}

void TDialog::OnCommand(int id, std::function<void()> handler, int code) {
    commands_[{id, code}] = std::move(handler);
}

void TDialog::OnNotify(int id, UINT code, std::function<LRESULT(NMHDR&)> handler) {
    notifications_[{id, code}] = std::move(handler);
}

bool TDialog::HandleMessage(UINT, WPARAM, LPARAM) {
    return false;
}

void TDialog::EndModal(INT_PTR result) {
    if (!handle_ || closing_)
        return;
    closing_ = true;
    // A layout that cannot be written must not keep the dialog from closing.
    if (layoutRegistered_ && environment_.Layouts) {
        try {
            environment_.Layouts->SaveForm(*layout_);
        } catch (...) {
            ReportCurrentException();
        }
    }
    if (modal_)
        EndDialog(handle_, result);
    else
        DestroyWindow(handle_);
}

void TDialog::SetResult(LRESULT result) noexcept {
    SetWindowLongPtrA(handle_, DWLP_MSGRESULT, result);
}

void TDialog::SetItemText(int id, std::string_view text) {
    SetWindowTextA(Item(id), std::string(text).c_str());
}

void TDialog::Released() {
    if (environment_.Owners)
        environment_.Owners->Pop(ToHandle(handle_));
    if (layoutRegistered_) {
        environment_.Layouts->UnregisterForm(*layout_);
        layoutRegistered_ = false;
    }
}

void TDialog::Resized() {
    sizing_.LayOut();
    for (const auto& handler : resized_)
        handler();
}

void TDialog::ShowHelp() {
    if (!helpKeyword_.empty() && environment_.ShowHelp)
        environment_.ShowHelp(handle_, helpKeyword_);
}

TWin32PUIWindow& TDialog::RememberLayout(std::string name, std::uint8_t options,
                                         std::vector<std::string> classes) {
    layout_ = std::make_unique<TWin32PUIWindow>(handle_, std::move(name));
    if (environment_.Layouts) {
        environment_.Layouts->RegisterForm(*layout_, std::move(classes));
        environment_.Layouts->SetOptions(*layout_, options);
        layoutRegistered_ = true;
    }
    return *layout_;
}

void TDialog::SetDetailPanel(TDetailPanel panel) {
    panel.MinimumHeight = Scaled(panel.MinimumHeight);
    OnCommand(panel.Toggle, [this] { sizing_.ShowDetail(!sizing_.DetailShown()); });
    sizing_.SetDetailPanel(std::move(panel));
    if (layoutRegistered_)
        environment_.Layouts->SetDetailPanel(
            *layout_, [this] { return sizing_.DetailShown(); },
            [this](IPUIWindow&, bool shown) { sizing_.ShowDetail(shown); });
}

void TDialog::SetLayoutIncludes(std::vector<const IPUIComponent*> components) {
    if (layoutRegistered_)
        environment_.Layouts->SetIncludes(*layout_, std::move(components));
}

void TDialog::EmbedFrame(TDialog& frame, int placeholderId, unsigned anchors) {
    frame.CreateModeless(handle_);
    HWND placeholder = Item(placeholderId);
    const RECT place = PlaceIn(handle_, placeholder);
    SetWindowPos(frame.Handle(), placeholder, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOACTIVATE);
    Anchor(frame.Handle(), anchors);
}

void TDialog::SetBold(int id) {
    if (!boldFont_) {
        LOGFONTA face{};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(handle_, WM_GETFONT, 0, 0)), sizeof face, &face);
        face.lfWeight = FW_BOLD;
        boldFont_.Reset(CreateFontIndirectA(&face));
    }
    SendMessageA(Item(id), WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.Get()), FALSE);
    bold_.push_back(Item(id));
}

int TDialog::Scaled(int designPixels) const {
    return ScaleForDpi(designPixels, dpi_);
}

void TDialog::RescaleTo(int dpi, WPARAM dpiParam) {
    if (dpi <= 0 || dpi == dpi_)
        return;
    sizing_.Rescale(dpi_, dpi);
    if (boldFont_) {
        boldFont_.Reset(ScaledFont(static_cast<HFONT>(boldFont_.Get()), dpi_, dpi));
        for (HWND control : bold_)
            SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.Get()), TRUE);
    }
    for (HWND child = GetWindow(handle_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[32] = {};
        GetClassNameA(child, name, sizeof name);
        if (std::string_view(name) != WC_LISTVIEWA)
            continue;
        HWND header = ListView_GetHeader(child);
        for (int column = 0, count = header ? Header_GetItemCount(header) : 0; column < count; ++column)
            ListView_SetColumnWidth(child, column, MulDiv(ListView_GetColumnWidth(child, column), dpi, dpi_));
    }
    dpi_ = dpi;
    // Each page or frame relays the change to its own.
    for (HWND child = GetWindow(handle_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[16] = {};
        GetClassNameA(child, name, sizeof name);
        if (std::string_view(name) == "#32770")
            SendMessageA(child, kDpiChangedMessage, dpiParam, 0);
    }
}

bool TDialog::IsChild() const {
    return (GetWindowLongPtrA(handle_, GWL_STYLE) & WS_CHILD) != 0;
}

void TDialog::Initialise() {
    dpi_ = WindowDpi(handle_);
    sizing_.Attach(handle_);
    if (!IsChild() && environment_.Owners)
        environment_.Owners->Push(ToHandle(handle_));
    HandleInit();
    FinishLayout();
}

void TDialog::FinishLayout() {
    if (layoutRegistered_)
        environment_.Layouts->LoadForm(*layout_);
    Resized();
    HandleLayoutRestored();
}

bool TDialog::RouteCommand(int id, int code) {
    if (auto it = commands_.find({id, code}); it != commands_.end()) {
        // A copy: the handler may replace its own routing while it runs.
        auto handler = it->second;
        handler();
        return true;
    }
    if (code == BN_CLICKED && id == IDHELP) {
        ShowHelp();
        return true;
    }
    if (code != BN_CLICKED || (id != IDOK && id != IDCANCEL))
        return false;
    if (IsChild()) {
        // Enter and Esc inside a page belong to the dialog that hosts it.
        SendMessageA(GetParent(handle_), WM_COMMAND, MAKEWPARAM(id, code), 0);
        return true;
    }
    if (id == IDOK) {
        if (CanAccept())
            EndModal(IDOK);
    } else {
        HandleCancel();
        EndModal(IDCANCEL);
    }
    return true;
}

bool TDialog::RouteNotify(NMHDR& header) {
    auto it = notifications_.find({int(header.idFrom), header.code});
    if (it == notifications_.end())
        return false;
    auto handler = it->second;
    SetResult(handler(header));
    return true;
}

INT_PTR TDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        return RouteCommand(LOWORD(wParam), HIWORD(wParam));
    case WM_NOTIFY:
        return RouteNotify(*reinterpret_cast<NMHDR*>(lParam));
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED)
            Resized();
        return HandleMessage(message, wParam, lParam);
    case WM_GETMINMAXINFO:
        if (!IsChild() && sizing_.Limit(*reinterpret_cast<MINMAXINFO*>(lParam)))
            return TRUE;
        return HandleMessage(message, wParam, lParam);
    case WM_CTLCOLORSTATIC:
        if (std::find(hints_.begin(), hints_.end(), reinterpret_cast<HWND>(lParam)) != hints_.end()) {
            const auto dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
            SetBkMode(dc, TRANSPARENT);
            // The brush itself is the answer here, not a message result.
            return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
        }
        return HandleMessage(message, wParam, lParam);
    case kDpiChangedMessage:
        RescaleTo(LOWORD(wParam), wParam);
        // A relayed change has no rectangle: the window that got the real one places the page.
        if (IsChild())
            return TRUE;
        // The dialog manager takes the suggested rectangle and scales what it made.
        return HandleMessage(message, wParam, lParam);
    case kDpiChangedAfterParentMessage: {
        const int dpi = WindowDpi(handle_);
        RescaleTo(dpi, MAKEWPARAM(dpi, dpi));
        return HandleMessage(message, wParam, lParam);
    }
    case WM_HELP:
        if (helpKeyword_.empty() || !environment_.ShowHelp)
            return HandleMessage(message, wParam, lParam);
        ShowHelp();
        return TRUE;
    case WM_DESTROY:
        HandleMessage(message, wParam, lParam);
        Released();
        return FALSE;
    default:
        return HandleMessage(message, wParam, lParam);
    }
}

INT_PTR CALLBACK TDialog::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (!self && message == WM_INITDIALOG) {
        self = reinterpret_cast<TDialog*>(lParam);
        self->handle_ = dialog;
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        const bool made = GuardedCall(dialog, message, false, [&] {
            self->Initialise();
            return true;
        });
        if (!made) {
            // A half-made dialog is of no use to anyone: it closes before it is seen.
            self->closing_ = true;
            if (self->modal_)
                EndDialog(dialog, -1);
            else
                DestroyWindow(dialog);
        }
        return TRUE;
    }
    if (!self)
        return FALSE;
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(dialog, DWLP_USER, 0);
        self->handle_ = nullptr;
        return FALSE;
    }
    return GuardedCall(dialog, message, INT_PTR(TRUE),
                       [&] { return self->Dispatch(message, wParam, lParam); });
}

} // namespace tsy::win32
