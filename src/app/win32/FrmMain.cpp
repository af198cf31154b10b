#include "app/win32/FrmMain.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "app/CollectionList.h"
#include "app/CustomizeRule.h"
#include "app/ScreenSnap.h"
#include "catalogue/Catalogue.h"
#include "catalogue/Keywords.h"
#include "controls/TrayLogic.h"
#include "controls/win32/WinHotKey.h"
#include "resource.h"
#include "settings/Autorun.h"
#include "settings/PersistentUI.h"
#include "settings/Settings.h"
#include "settings/SettingsService.h"
#include "support/Clock.h"
#include "support/CodePage.h"
#include "support/HelpTopic.h"
#include "support/MessageBoxes.h"
#include "support/OwnerStack.h"
#include "support/StartupTrace.h"
#include "support/win32/ErrorBoundary.h"
#include "support/win32/HtmlHelp.h"
#include "support/win32/ScreenDpi.h"
#include "support/win32/WinText.h"

namespace tsy::win32 {

namespace {

constexpr int kSnapDistance = 10;
// A combo box's height with its drop-down open: 15 entries and the box itself.
constexpr int kDropDownRows = 16;
// Posted to the window itself: the notice comes once the window (and the tray icon) are up.
constexpr UINT kHotkeyTakenMessage = WM_APP + 1;
// Posted by a click on the notice, so that the dialog does not open inside the icon's message.
constexpr UINT kCustomizeHotkeyMessage = WM_APP + 2;
// Posted to the window itself at start-up: what the first picture does without comes once it shows.
constexpr UINT kFinishStartMessage = WM_APP + 3;

// Moving a control where it already is still costs a round of messages; at creation every
// control is in place already.
bool IsPlaced(HWND control, const TRect& r, bool heightToo) {
    const RECT now = PlaceIn(GetParent(control), control);
    return now.left == r.Left && now.top == r.Top && now.right - now.left == r.Width &&
           (!heightToo || now.bottom - now.top == r.Height);
}

void Place(HWND control, const TRect& r) {
    if (!IsPlaced(control, r, true))
        SetWindowPos(control, nullptr, r.Left, r.Top, r.Width, r.Height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// A combo box is sized with its drop-down, which its window rectangle leaves out.
void PlaceComboBox(HWND box, const TRect& r) {
    if (!IsPlaced(box, r, false))
        SetWindowPos(box, nullptr, r.Left, r.Top, r.Width, r.Height * kDropDownRows,
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

void OpenWebPageWithShell(HWND owner, const char* url) {
    OpenWithShell(owner, url, SW_SHOWMAXIMIZED);
}

TMainForm::TMainForm(TMainFormContext context)
    : context_(std::move(context)), services_(context_.Services),
      tray_(services_.Instance, context_.TrayNotify), mru_(services_.WideCollation, services_.CodePage) {
    if (!context_.OpenWebPage)
        context_.OpenWebPage = OpenWebPageWithShell;
}

TMainForm::~TMainForm() = default;

namespace {

constexpr DWORD kMainFormStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_THICKFRAME | WS_CLIPCHILDREN;
constexpr DWORD kMainFormExStyle = WS_EX_CONTROLPARENT;
// The controls that take the window's font, in creation order.
constexpr int kFontedControls[] = {IDC_SEARCH_LABEL, IDC_SEARCH,       IDC_EXPLORE,    IDC_SETTINGS,
                                   IDC_ABOUT,        IDC_LOOKIN_LABEL, IDC_COLLECTIONS};

} // namespace

void TMainForm::ScaleTo(int dpi) {
    dpi_ = dpi;
    created_ = ScaleLayout(DesignedMainFormLayout(), dpi_);
    RECT frame{0, 0, ScaleForDpi(kMainFormDesignClientWidth, dpi_),
               ScaleForDpi(kMainFormDesignClientHeight, dpi_)};
    AdjustWindowRectEx(&frame, kMainFormStyle, FALSE, kMainFormExStyle);
    fixedSize_.cx = std::max(int(frame.right - frame.left), ScaleForDpi(kMainFormMinWidth, dpi_));
    // The outer height is the designed one whatever the frame's metrics; the banner takes
    // up what the client area gains or loses.
    fixedSize_.cy = ScaleForDpi(kMainFormHeight, dpi_);
    LOGFONTA lf{};
    lf.lfHeight = -MulDiv(8, dpi_, 72);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynA(lf.lfFaceName, "Tahoma", LF_FACESIZE);
    font_.Reset(CreateFontIndirectA(&lf));
}

void TMainForm::SetWindowIcons() {
    const auto load = [&](int metric) {
        const int size = SystemMetricForDpi(metric, dpi_);
        return static_cast<HICON>(
            LoadImageA(services_.Instance, MAKEINTRESOURCEA(IDI_MAINICON), IMAGE_ICON, size, size, 0));
    };
    bigIcon_.Reset(load(SM_CXICON));
    smallIcon_.Reset(load(SM_CXSMICON));
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.Get()));
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.Get()));
}

void TMainForm::HandleDpiChanged(int dpi, const RECT* suggested) {
    ScaleTo(dpi);
    for (int id : kFontedControls)
        SendMessageA(Control(id), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), TRUE);
    // The boxes share a width change as designed for this DPI.
    createdClientWidth_ = ScaleForDpi(kMainFormDesignClientWidth, dpi_);
    metrics_ =
        TakeLayoutMetrics(createdClientWidth_, created_.Collections, created_.SearchLabel, created_.Search);
    SetWindowIcons();
    if (suggested)
        SetWindowPos(Handle(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client;
    GetClientRect(Handle(), &client);
    LayOut(client.right);
}

void TMainForm::Create() {
    ScaleTo(SystemDpi());
    TWindowClass wc;
    // The search box inside takes any Unicode text.
    wc.Unicode = true;
    wc.Name = kMainFormClassName;
    wc.Instance = services_.Instance;
    wc.Icon = LoadIconA(services_.Instance, MAKEINTRESOURCEA(IDI_MAINICON));
    // Loaded from its own image rather than shrunk from the large one; the tray shares it.
    wc.SmallIcon = static_cast<HICON>(LoadImageA(services_.Instance, MAKEINTRESOURCEA(IDI_MAINICON),
                                                 IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                 GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    wc.Cursor = LoadCursorA(nullptr, IDC_ARROW);
    TWindowPlacement placement;
    placement.Style = kMainFormStyle;
    placement.ExStyle = kMainFormExStyle;
    // Designed to open in the centre of the work area; a remembered placement replaces this.
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    placement.Width = fixedSize_.cx;
    placement.Height = fixedSize_.cy;
    placement.Left = work.left + (work.right - work.left - fixedSize_.cx) / 2;
    placement.Top = work.top + (work.bottom - work.top - fixedSize_.cy) / 2;
    TWindow::Create(wc, kApplicationTitle, placement);
    // Placed on a monitor of another DPI than the system's, the window has heard of it already.
    // At the system's DPI the class icon is the right one: setting it again would only cost the
    // window manager a second conversion before the first picture.
    if (const int dpi = WindowDpi(Handle()); dpi != dpi_) {
        ScaleTo(dpi);
        SetWindowIcons();
    }
    MarkStartupStep("main window");

    CreateControls();
    CreateTrayIcon();
    MarkStartupStep("tray icon");
    tray_.SetApplicationShown(!context_.Switches.StartHidden());
    try {
        services_.Service.LoadSettings(true, false);
    } catch (...) {
        // A failed load (browser detection, an unreadable catalogue) is shown; the window still
        // opens with what is in memory, so the user can correct the settings.
        ReportCurrentException();
    }
    RECT client;
    GetClientRect(Handle(), &client);
    createdClientWidth_ = client.right;
    metrics_ = TakeLayoutMetrics(client.right, created_.Collections, created_.SearchLabel, created_.Search);
    LayOut(client.right);
    layout_ = std::make_unique<TWin32PUIWindow>(Handle(), "MainForm");
    services_.Layouts.RegisterForm(*layout_);
    services_.Layouts.LoadForm(*layout_);
    MarkStartupStep("placement");
    try {
        ApplyToWindow();
    } catch (...) {
        ReportCurrentException();
    }
    startPending_ = true;
    if (!PostMessageA(Handle(), kFinishStartMessage, 0, 0))
        FinishStart();
    if (tray_.ApplicationShown()) {
        ShowWindow(Handle(), SW_SHOWNORMAL);
        MarkStartupStep("shown");
        UpdateWindow(Handle());
        MarkStartupStep("first paint");
    }
}

void TMainForm::CreateControls() {
    struct TControlDef {
        int Id;
        const char* Class;
        const char* Text;
        DWORD Style;
        TRect TMainFormLayout::*Rect;
    };
    // Creation order is the tab order; each label comes right before the box its access key selects.
    const TControlDef controls[] = {
        {IDC_SEARCH_LABEL, "STATIC", "&Search for:", SS_LEFT, &TMainFormLayout::SearchLabel},
        {IDC_SEARCH, nullptr, "", 0, &TMainFormLayout::Search},
        {IDC_EXPLORE, "BUTTON", "&Explore", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP,
         &TMainFormLayout::Explore},
        {IDC_SETTINGS, "BUTTON", "&Customize", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP,
         &TMainFormLayout::Settings},
        {IDC_ABOUT, "BUTTON", "&About", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, &TMainFormLayout::About},
        {IDC_LOOKIN_LABEL, "STATIC", "&Look in:", SS_LEFT, &TMainFormLayout::LookInLabel},
        {IDC_COLLECTIONS, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP,
         &TMainFormLayout::Collections},
    };
    for (const TControlDef& def : controls) {
        const TRect& r = created_.*def.Rect;
        int height = r.Height;
        if (def.Id == IDC_COLLECTIONS || def.Id == IDC_SEARCH)
            height = r.Height * kDropDownRows;
        HWND control = nullptr;
        if (def.Id == IDC_SEARCH) {
            if (mru_.Create(Handle(), def.Id, r.Left, r.Top, r.Width, r.Height, height - r.Height))
                control = mru_.Handle();
        } else {
            control = CreateWindowExA(
                0, def.Class, def.Text, WS_CHILD | WS_VISIBLE | def.Style, r.Left, r.Top, r.Width, height,
                Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(def.Id)), services_.Instance, nullptr);
        }
        if (!control)
            throw std::runtime_error("Unable to create the main window's controls.");
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    }
    collections_.Attach(Control(IDC_COLLECTIONS));
    collections_.SetMinVisible(15);
    mru_.SetMRUIsSorted(false);
    mru_.SetOnEnter([this] { BtnExploreClick(); });
    banner_ =
        std::make_unique<TBannerPanel>(services_.Instance, Handle(), IDC_BANNER, IDR_BANNER_BACK, IDR_BANNER);
    banner_->OnClick = [this] { context_.OpenWebPage(Handle(), kMakerHomePage); };
    Place(banner_->Handle(), created_.Banner);
    MarkStartupStep("controls");
}

void TMainForm::CreateTrayIcon() {
    tray_.SetMainWindow(Handle());
    tray_.SetIcon(static_cast<HICON>(LoadImageA(services_.Instance, MAKEINTRESOURCEA(IDI_MAINICON),
                                                IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                GetSystemMetrics(SM_CYSMICON), LR_SHARED)));
    tray_.SetTip(kApplicationTitle);
    tray_.SetAutoToggle(false);
    tray_.SetBringUpFirst(true);
    tray_.SetMinimizeToTray(false);
    trayMenu_ = CreateTrayMenu(IDM_TRAY_TOGGLE, IDM_TRAY_EXIT);
    TTrayIconEvents events;
    events.OnDblClick = [this] { tray_.ShowApplication(); };
    events.OnContextMenu = [this](POINT at) { ShowTrayMenu(at); };
    events.OnBalloonClick = [this] { PostMessageA(Handle(), kCustomizeHotkeyMessage, 0, 0); };
    tray_.SetEvents(std::move(events));
}

void TMainForm::ShowTrayMenu(POINT at) {
    HMENU popup = trayMenu_.Get();
    // The menu's owner must be in front, or the menu does not close when clicked away.
    HWND owner = IsWindowVisible(Handle()) ? Handle() : tray_.MessageWindow();
    SetForegroundWindow(owner);
    const UINT command = UINT(
        TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, owner, nullptr));
    PostMessageA(owner, WM_NULL, 0, 0);
    if (command != 0)
        HandleCommand(int(command), BN_CLICKED, nullptr);
}

void TMainForm::LayOut(int clientWidth) {
    if (createdClientWidth_ == 0)
        return;
    const TMainFormLayout l = LayoutMainForm(created_, createdClientWidth_, clientWidth);
    Place(Control(IDC_LOOKIN_LABEL), l.LookInLabel);
    Place(Control(IDC_SEARCH_LABEL), l.SearchLabel);
    PlaceComboBox(Control(IDC_COLLECTIONS), l.Collections);
    PlaceComboBox(Control(IDC_SEARCH), l.Search);
    Place(Control(IDC_EXPLORE), l.Explore);
    Place(Control(IDC_SETTINGS), l.Settings);
    Place(Control(IDC_ABOUT), l.About);
    RECT client;
    GetClientRect(Handle(), &client);
    TRect banner = l.Banner;
    banner.Height = std::max(banner.Height, int(client.bottom) - banner.Top);
    Place(banner_->Handle(), banner);
}

void TMainForm::ApplySettings(bool startedForSlider) {
    ApplyToWindow();
    ApplyToCompanions(startedForSlider);
}

void TMainForm::ApplyToWindow() {
    TAppSettings& s = services_.Settings;
    mru_.SetText(s.Search);
    mru_.LoadMRU(services_.Options, RootKey::CurrentUser, kSearchHistoryKeyPath, kSearchHistoryValueName);
    MarkStartupStep("search history");
    SetWindowPos(Handle(), s.AlwaysOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    mru_.SetAutoComplete(s.AutoComplete);
    tray_.SetMinimizeToTray(s.MinimizeToTray);
    FillCollections();
    MarkStartupStep("collections");
}

void TMainForm::ApplyToCompanions(bool startedForSlider) {
    RegisterHotkey();
    MarkStartupStep("hotkey");
    if (context_.ApplySlider)
        context_.ApplySlider(services_.Autorun.IsAutorunSlider());
    MarkStartupStep("slider");
    // Last: the shell answers from another process, at its own pace.
    tray_.SetVisible(TrayIconVisibleOnApply(services_.Settings.MinimizeToTray, startedForSlider));
    MarkStartupStep("tray icon shown");
}

void TMainForm::FinishStart() {
    if (!std::exchange(startPending_, false))
        return;
    try {
        ApplyToCompanions(context_.Switches.Slider);
    } catch (...) {
        ReportCurrentException();
    }
}

void TMainForm::FillCollections() {
    std::vector<TCollectionEntry> entries;
    for (std::int32_t i = 0; i < services_.Collections.Count(); ++i) {
        const TCollection& c = services_.Collections.GetItem(i);
        entries.push_back({c.Name(), c.Count()});
    }
    const TCollectionList list = tsy::FillCollections(entries, services_.Settings.NumberOfItems,
                                                      services_.Settings.Collection, services_.Collation);
    collections_.SetItems(list.Texts, list.SelectedIndex);
    mru_.SetKeywordChoices(KeywordChoices(services_.Targets, services_.Collections, services_.CodePage));
}

std::string TMainForm::SelectedCollectionText() const {
    return collections_.ItemText(collections_.ItemIndex());
}

std::string TMainForm::SelectedCollectionName() const {
    return CollectionNameOfEntry(SelectedCollectionText(), services_.Settings.NumberOfItems);
}

void TMainForm::CbxCollectionsChange() {
    // A keyword needs the box whatever the collection.
    const bool enable =
        (collections_.ItemIndex() >= 0 &&
         CollectionCanSearch(services_.Collections, services_.Targets, SelectedCollectionName())) ||
        AnyKeyword(services_.Targets, services_.Collections);
    EnableWindow(Control(IDC_SEARCH), enable);
    EnableWindow(Control(IDC_SEARCH_LABEL), enable);
    if (!enable)
        SetFocus(Control(IDC_COLLECTIONS));
}

void TMainForm::RegisterHotkey() {
    const TAppSettings& s = services_.Settings;
    const auto modifiers = std::uint32_t(s.HotkeyMod);
    const auto key = std::uint32_t(s.HotkeyKey);
    if (RegisterMainHotKey(Handle(), s.UseHotkey, modifiers, key) == THotKeyRegistration::Taken &&
        hotKeyNotices_.FirstTime(modifiers, key))
        PostMessageA(Handle(), kHotkeyTakenMessage, WPARAM(modifiers), LPARAM(key));
}

void TMainForm::ReportTakenHotkey(std::uint32_t modifiers, std::uint32_t key) {
    const std::string text = HotKeyTakenNotice(HotKeyText(modifiers, key));
    if (tray_.Visible())
        tray_.ShowWarningBalloon(kHotKeyNoticeTitle, text);
    else
        services_.Boxes.Warning(text);
}

void TMainForm::UnregisterHotkey() {
    UnregisterMainHotKey(Handle());
}

void TMainForm::HandleCommand(int id, int code, HWND) {
    switch (id) {
    case IDC_EXPLORE:
        if (code == BN_CLICKED)
            BtnExploreClick();
        break;
    case IDC_SETTINGS:
        if (code == BN_CLICKED)
            OpenSettings(kSettingsRuleDecides);
        break;
    case IDC_ABOUT:
        if (code == BN_CLICKED)
            DoAbout();
        break;
    case IDC_COLLECTIONS:
        if (code == CBN_SELCHANGE)
            CbxCollectionsChange();
        break;
    case IDCANCEL:
        CloseWith(TCloseRequest::CloseButton);
        break;
    case IDM_TRAY_TOGGLE:
        tray_.ShowApplication();
        break;
    case IDM_TRAY_EXIT:
        CloseWith(TCloseRequest::TrayExit);
        break;
    default:
        break;
    }
}

LRESULT TMainForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == context_.SwitchToWindowMessage && message != 0) {
        FinishStart();
        tray_.SetVisible(services_.Settings.MinimizeToTray);
        tray_.ShowApplication();
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        return 0;
    }
    switch (message) {
    case kFinishStartMessage:
        FinishStart();
        return 0;
    case kHotkeyTakenMessage:
        ReportTakenHotkey(std::uint32_t(wParam), std::uint32_t(lParam));
        return 0;
    case kCustomizeHotkeyMessage:
        CustomizeHotkey();
        return 0;
    case WM_COMMAND:
        HandleCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case DM_GETDEFID:
        return MAKELRESULT(IDC_EXPLORE, DC_HASDEFID);
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(Handle(), focus))
                lastFocus_ = focus;
            return 0;
        }
        HandleActivate();
        // The default handling would give the focus to the window itself, where no key works.
        if (HIWORD(wParam) == 0)
            RestoreFocus();
        return 0;
    case WM_MOVING: {
        // Snaps to the edges of the work area of the monitor the window is on.
        auto* r = reinterpret_cast<RECT*>(lParam);
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        if (GetMonitorInfoA(MonitorFromRect(r, MONITOR_DEFAULTTONEAREST), &monitor)) {
            const RECT& work = monitor.rcWork;
            const int distance = ScaleForDpi(kSnapDistance, dpi_);
            const int width = r->right - r->left;
            const int height = r->bottom - r->top;
            r->left = SnapToEdges(r->left, width, work.left, work.right, distance);
            r->top = SnapToEdges(r->top, height, work.top, work.bottom, distance);
            r->right = r->left + width;
            r->bottom = r->top + height;
        }
        return TRUE;
    }
    case kDpiChangedMessage:
        HandleDpiChanged(LOWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize.x = fixedSize_.cx;
        info->ptMinTrackSize.y = fixedSize_.cy;
        info->ptMaxTrackSize.y = fixedSize_.cy;
        return 0;
    }
    case WM_SIZE:
        if (wParam == SIZE_MINIMIZED) {
            tray_.ApplicationMinimized();
            return 0;
        }
        LayOut(LOWORD(lParam));
        return 0;
    case WM_CLOSE:
        HandleClose();
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        if (wParam)
            CloseWith(TCloseRequest::EndSession);
        return 0;
    case WM_HOTKEY:
        if (wParam == kMainHotKeyId)
            tray_.ToggleApplication(false);
        return 0;
    case WM_HELP:
        context_.Help.ShowTopic(kMainFormHelpKeyword);
        return TRUE;
    case WM_DESTROY:
        UnregisterHotkey();
        PostQuitMessage(0);
        return 0;
    default:
        return TWindow::HandleMessage(message, wParam, lParam);
    }
}

} // namespace tsy::win32
