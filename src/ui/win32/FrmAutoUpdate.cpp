#include "ui/win32/FrmAutoUpdate.h"

#include <richedit.h>

#include <algorithm>
#include <shellapi.h>

#include "infodialogs.h"
#include "settings/win32/Win32PersistentUI.h"
#include "support/Format.h"
#include "support/MessageBoxes.h"
#include "support/WebAddresses.h"
#include "support/win32/WinText.h"
#include "update/UpdateServices.h"

namespace tsy::win32 {

namespace {

// The least the details panel adds, in pixels.
constexpr int kDetailsMinimumHeight = 289;

void Move(HWND control, int left, int top, int width, int height) {
    SetWindowPos(control, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

HFONT MakeFont(HWND from, const char* face, bool bold) {
    LOGFONTA description{};
    auto base = reinterpret_cast<HFONT>(SendMessageA(from, WM_GETFONT, 0, 0));
    GetObjectA(base ? base : GetStockObject(DEFAULT_GUI_FONT), sizeof description, &description);
    if (face)
        lstrcpynA(description.lfFaceName, face, LF_FACESIZE);
    if (bold)
        description.lfWeight = FW_BOLD;
    return CreateFontIndirectA(&description);
}

} // namespace

TAutoUpdateForm::TAutoUpdateForm(const TDialogEnvironment& environment, const TKVUpdateServices& service,
                                 TOpen open)
    : TDialog(environment, IDD_AUTOUPDATE), service_(service),
      open_(open ? std::move(open)
                 : [](HWND owner, const std::string& url) { OpenWithShell(owner, url, SW_SHOW); }),
      detailsHeight_(kDetailsMinimumHeight) {}

void TAutoUpdateForm::HandleInit() {
    RECT window{};
    GetWindowRect(Handle(), &window);
    collapsedHeight_ = window.bottom - window.top;
    const RECT toggle = PlaceIn(Handle(), Item(IDC_UPD_SHOW_DETAILS));
    const RECT actions = PlaceIn(Handle(), Item(IDC_UPD_OPEN_SITE));
    margin_ = toggle.left;
    mainBottom_ = toggle.bottom;
    actionsTop_ = actions.top;
    buttonHeight_ = actions.bottom - actions.top;

    boldFont_.Reset(MakeFont(Handle(), nullptr, true));
    SendMessageA(Item(IDC_UPD_MESSAGE), WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.Get()), FALSE);
    descriptionFont_.Reset(MakeFont(Handle(), "Verdana", false));
    SendMessageA(Item(IDC_UPD_DESCRIPTION), WM_SETFONT, reinterpret_cast<WPARAM>(descriptionFont_.Get()),
                 FALSE);

    SetItemText(IDC_UPD_MESSAGE, Format(kUpdateMessageFormat, kProductName));
    SetItemText(IDC_UPD_DETAILS, UpdateDetailsText(service_.RunningVersion(), service_.LatestVersion()));
    SetItemText(IDC_UPD_OPEN_SITE, Format(kVisitSiteFormat, kMakerName));
    SetItemText(IDC_UPD_SHOW_DETAILS, kShowDetailsCaption);
    OnCommand(IDC_UPD_SHOW_DETAILS, [this] { BtnShowDetailsClick(); });
    OnCommand(IDC_UPD_DOWNLOAD, [this] { BtnDownloadClick(); });
    OnCommand(IDC_UPD_OPEN_SITE, [this] { BtnOpenSiteClick(); });

    SetSizeLimits({window.right - window.left, collapsedHeight_}, collapsedHeight_);
    RememberLayout("AutoUpdateForm", kPUIRestorePosition | kPUIRestoreSize);
    SetDetailPanel([this] { return detailsShown_; }, [this](bool shown) { SetDetailsShown(shown); });
}

void TAutoUpdateForm::SetDetailsShown(bool shown) {
    if (shown == detailsShown_)
        return;
    RECT window{};
    GetWindowRect(Handle(), &window);
    const int width = window.right - window.left;
    if (shown) {
        detailsShown_ = true;
        SetSizeLimits({MinimumSize().cx, collapsedHeight_ + buttonHeight_}, 0);
        SetItemText(IDC_UPD_SHOW_DETAILS, kHideDetailsCaption);
        SetWindowPos(Handle(), nullptr, 0, 0, width, collapsedHeight_ + detailsHeight_,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(Item(IDC_UPD_DESCRIPTION), SW_SHOW);
    } else {
        detailsHeight_ = std::max(kDetailsMinimumHeight, int(window.bottom - window.top) - collapsedHeight_);
        detailsShown_ = false;
        ShowWindow(Item(IDC_UPD_DESCRIPTION), SW_HIDE);
        SetSizeLimits({MinimumSize().cx, collapsedHeight_}, collapsedHeight_);
        SetItemText(IDC_UPD_SHOW_DETAILS, kShowDetailsCaption);
        SetWindowPos(Handle(), nullptr, 0, 0, width, collapsedHeight_,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    LayOut();
}

void TAutoUpdateForm::LayOut() {
    RECT client{};
    GetClientRect(Handle(), &client);
    const int width = client.right - 2 * margin_;
    for (int id : {IDC_UPD_MESSAGE, IDC_UPD_DETAILS}) {
        const RECT place = PlaceIn(Handle(), Item(id));
        Move(Item(id), margin_, place.top, width, place.bottom - place.top);
    }
    // Folded, the buttons sit under the message; unfolded, at the bottom with the details between.
    const int actionsTop = detailsShown_ ? client.bottom - margin_ - buttonHeight_ : actionsTop_;
    for (int id : {IDC_UPD_OPEN_SITE, IDC_UPD_DOWNLOAD}) {
        const RECT place = PlaceIn(Handle(), Item(id));
        Move(Item(id), place.left, actionsTop, place.right - place.left, buttonHeight_);
    }
    if (detailsShown_) {
        const int top = mainBottom_ + margin_;
        Move(Item(IDC_UPD_DESCRIPTION), margin_, top, width, std::max(0, actionsTop - margin_ - top));
    }
    InvalidateRect(Handle(), nullptr, TRUE);
}

void TAutoUpdateForm::FillDescription() {
    HWND box = Item(IDC_UPD_DESCRIPTION);
    SetWindowTextA(box, service_.Description().c_str());
    SendMessageA(box, EM_SETSEL, 0, 0);
    SendMessageA(box, EM_SCROLLCARET, 0, 0);
}

void TAutoUpdateForm::BtnDownloadClick() {
    const std::string& url = service_.DownloadURL();
    if (!IsWebAddress(url)) {
        // Whatever else the server sent could start a program or open a file here.
        Warning(kInvalidDownloadMessage);
        return;
    }
    open_(Handle(), url);
    EndModal(IDCANCEL);
}

void TAutoUpdateForm::BtnOpenSiteClick() {
    open_(Handle(), kProductHomePage);
    EndModal(IDCANCEL);
}

bool TAutoUpdateForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED && margin_ > 0)
            LayOut();
        return true;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE)
            FillDescription();
        return false;
    default:
        return TDialog::HandleMessage(message, wParam, lParam);
    }
}

void ShowUpdateDialog(const TDialogEnvironment& environment, HWND owner, const TKVUpdateServices& service,
                      TAutoUpdateForm::TOpen open) {
    // The rich edit's window class comes with its library.
    UniqueModule richEdit(LoadLibraryA("riched20.dll"));
    TAutoUpdateForm form(environment, service, std::move(open));
    form.ShowModal(owner);
}

} // namespace tsy::win32
