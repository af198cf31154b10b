#include "ui/win32/FrmAbout.h"

#include <commctrl.h>

#include "controls/LabelText.h"
#include "infodialogs.h"
#include "resource.h"
#include "support/HelpTopic.h"
#include "support/WebAddresses.h"
#include "support/win32/WinText.h"

namespace tsy::win32 {

namespace {

constexpr const char* kSiteHint = "Click here to visit Tessaly site";
constexpr const char* kDeveloperHint = "The Tessaly team at Orvelle";
constexpr int kProductNamePixels = 19;

} // namespace

TAboutForm::TAboutForm(const TDialogEnvironment& environment, const TVersionInfo& version,
                       TURLLabel::TOpen open)
    : TDialog(environment, IDD_ABOUT), appInfoLabel2_(kProductName, version),
      appInfoLabel1_(kProductName, version), urlSponsor_("urlSponsor", open),
      urlDeveloper_("urlDeveloper", open), urlWebsite_("urlWebsite", open) {}

void TAboutForm::HandleInit() {
    // The program's own icon at the size the display's DPI asks for; the system keeps shared icons.
    auto icon =
        static_cast<HICON>(LoadImageA(Environment().Instance, MAKEINTRESOURCEA(IDI_MAINICON), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), LR_SHARED));
    if (!icon)
        icon = LoadIconA(nullptr, IDI_APPLICATION);
    SendMessageA(Item(IDC_ABOUT_ICON), STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);

    appInfoLabel2_.Attach(Item(IDC_APPINFO2));
    appInfoLabel2_.SetFontFace("Verdana", kProductNamePixels);
    appInfoLabel2_.SetBold(true);
    appInfoLabel1_.Attach(Item(IDC_APPINFO1));
    appInfoLabel1_.SetBold(true);
    sponsorText_.Attach(Item(IDC_SPONSOR_TEXT));
    sponsorText_.SetBold(true);
    urlSponsor_.Attach(Item(IDC_URL_SPONSOR));
    urlSponsor_.SetBold(true);
    sponsorEnd_.Attach(Item(IDC_SPONSOR_END));
    sponsorEnd_.SetBold(true);
    developerText_.Attach(Item(IDC_DEVELOPER_TEXT));
    urlDeveloper_.Attach(Item(IDC_URL_DEVELOPER));
    developerEnd_.Attach(Item(IDC_DEVELOPER_END));
    urlWebsite_.Attach(Item(IDC_URL_WEBSITE));

    urlSponsor_.SetURL(kMakerHomePage);
    urlWebsite_.SetURL(kProductHomePage);
    urlDeveloper_.SetURL(kDeveloperPage);
    FlowLine({&sponsorText_, &urlSponsor_, &sponsorEnd_});
    FlowLine({&developerText_, &urlDeveloper_, &developerEnd_});

    hints_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                             Environment().Instance, nullptr);
    AddHint(urlSponsor_.Window(), kSiteHint);
    AddHint(urlWebsite_.Window(), kSiteHint);
    AddHint(urlDeveloper_.Window(), kDeveloperHint);

    SetHelpKeyword(kAboutHelpKeyword);
}

void TAboutForm::FlowLine(std::initializer_list<TInfoLabel*> labels) {
    // Each part of the line starts where the text of the one before ends.
    int left = -1;
    for (TInfoLabel* label : labels) {
        const RECT place = PlaceIn(Handle(), label->Window());
        if (left < 0)
            left = place.left;
        const int width = label->TextWidth() + 1;
        SetWindowPos(label->Window(), nullptr, left, place.top, width, place.bottom - place.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        left += width;
    }
}

void TAboutForm::AddHint(HWND control, const char* text) {
    if (!hints_)
        return;
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<char*>(text);
    SendMessageA(hints_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void ShowAbout(const TDialogEnvironment& environment, HWND owner, const TVersionInfo& version) {
    TAboutForm form(environment, version);
    form.ShowModal(owner);
}

} // namespace tsy::win32
