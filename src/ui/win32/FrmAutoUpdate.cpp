#include "ui/win32/FrmAutoUpdate.h"

#include <richedit.h>

#include <shellapi.h>

#include <algorithm>

#include "infodialogs.h"
#include "settings/win32/Win32PersistentUI.h"
#include "support/Format.h"
#include "support/MessageBoxes.h"
#include "support/WebAddresses.h"
#include "support/win32/SystemLibrary.h"
#include "support/win32/WinText.h"
#include "update/UpdateServices.h"

namespace tsy::win32 {

namespace {

// The least the details panel adds, in pixels.
constexpr int kDetailsMinimumHeight = 289;

struct TTextSource {
    std::string_view Text;
    std::size_t Read = 0;
};

DWORD CALLBACK ReadTextSource(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* written) {
    auto& source = *reinterpret_cast<TTextSource*>(cookie);
    const std::size_t count = std::min(source.Text.size() - source.Read, std::size_t(size));
    std::copy_n(source.Text.data() + source.Read, count, buffer);
    source.Read += count;
    *written = LONG(count);
    return 0;
}

// Plain text, whatever it starts with: the server's words are never read as rich text.
void StreamPlainText(HWND box, std::string_view text) {
    SendMessageA(box, EM_EXLIMITTEXT, 0, LPARAM(std::max<std::size_t>(text.size(), 32767)));
    TTextSource source{text};
    EDITSTREAM stream{};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
    stream.pfnCallback = ReadTextSource;
    SendMessageA(box, EM_STREAMIN, SF_TEXT, reinterpret_cast<LPARAM>(&stream));
}

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
    SetDetailPanel({.Controls = {Item(IDC_UPD_DESCRIPTION)},
                    .Below = IDC_UPD_OPEN_SITE,
                    .Toggle = IDC_UPD_SHOW_DETAILS,
                    .ShowCaption = kShowDetailsCaption,
                    .HideCaption = kHideDetailsCaption,
                    .MinimumHeight = kDetailsMinimumHeight});
}

void TAutoUpdateForm::FillDescription() {
    HWND box = Item(IDC_UPD_DESCRIPTION);
    StreamPlainText(box, service_.Description());
    SendMessageA(box, EM_SETSEL, 0, 0);
    SendMessageA(box, EM_SCROLLCARET, 0, 0);
}

void TAutoUpdateForm::BtnDownloadClick() {
    const std::string& url = service_.DownloadURL();
    if (!IsDownloadAddress(url)) {
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
    UniqueModule richEdit(LoadSystemLibrary("riched20.dll"));
    TAutoUpdateForm form(environment, service, std::move(open));
    form.ShowModal(owner);
}

} // namespace tsy::win32
