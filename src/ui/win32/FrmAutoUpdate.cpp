#include "ui/win32/FrmAutoUpdate.h"

#include <richedit.h>

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

} // namespace

TAutoUpdateForm::TAutoUpdateForm(const TDialogEnvironment& environment, const TKVUpdateServices& service,
                                 TOpen open)
    : TDialog(environment, IDD_AUTOUPDATE), service_(service),
      open_(open ? std::move(open)
                 : [](HWND owner, const std::string& url) { OpenWithShell(owner, url, SW_SHOW); }) {}

void TAutoUpdateForm::HandleInit() {
    SetBold(IDC_UPD_MESSAGE);
    LOGFONTA face{};
    GetObjectA(HGDIOBJ(SendMessageA(Handle(), WM_GETFONT, 0, 0)), sizeof face, &face);
    lstrcpynA(face.lfFaceName, "Verdana", LF_FACESIZE);
    descriptionFont_.Reset(CreateFontIndirectA(&face));
    SendMessageA(Item(IDC_UPD_DESCRIPTION), WM_SETFONT, reinterpret_cast<WPARAM>(descriptionFont_.Get()),
                 FALSE);

    SetItemText(IDC_UPD_MESSAGE, Format(kUpdateMessageFormat, kProductName));
    SetItemText(IDC_UPD_DETAILS, UpdateDetailsText(service_.RunningVersion(), service_.LatestVersion()));
    SetItemText(IDC_UPD_OPEN_SITE, Format(kVisitSiteFormat, kMakerName));
    OnCommand(IDC_UPD_DOWNLOAD, [this] { BtnDownloadClick(); });
    OnCommand(IDC_UPD_OPEN_SITE, [this] { BtnOpenSiteClick(); });

    for (int id : {IDC_UPD_MESSAGE, IDC_UPD_DETAILS})
        Anchor(id, akLeft | akTop | akRight);
    Anchor(IDC_UPD_DESCRIPTION, akAll);
    for (int id : {IDC_UPD_OPEN_SITE, IDC_UPD_DOWNLOAD})
        Anchor(id, akLeft | akBottom);
    RememberLayout("AutoUpdateForm", kPUIRestorePosition | kPUIRestoreSize);
    SetDetailPanel({{Item(IDC_UPD_DESCRIPTION)},
                    IDC_UPD_OPEN_SITE,
                    IDC_UPD_SHOW_DETAILS,
                    kShowDetailsCaption,
                    kHideDetailsCaption,
                    kDetailsMinimumHeight});
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
    if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE)
        FillDescription();
    return TDialog::HandleMessage(message, wParam, lParam);
}

void ShowUpdateDialog(const TDialogEnvironment& environment, HWND owner, const TKVUpdateServices& service,
                      TAutoUpdateForm::TOpen open) {
    // The rich edit's window class comes with its library.
    UniqueModule richEdit(LoadLibraryA("riched20.dll"));
    TAutoUpdateForm form(environment, service, std::move(open));
    form.ShowModal(owner);
}

} // namespace tsy::win32
