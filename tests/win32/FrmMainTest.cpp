#include "MainFormFixture.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "controls/SearchHistory.h"
#include "resource.h"
#include "settings/Settings.h"

namespace {

using namespace tsy;
using tsy::testing::MainFormTest;
using tsy::win32::TMainForm;

TEST_F(MainFormTest, IsTheFixedHeightWindowOfTheHandOverWithItsControlsInTabOrder) {
    auto form = MakeForm();
    HWND main = form->Handle();
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(IsWindowVisible(main)) << "the minimized switch keeps it hidden";
    char name[64] = {};
    GetClassNameA(main, name, sizeof name);
    EXPECT_STREQ(name, "TMainForm");
    EXPECT_TRUE(IsWindowUnicode(main));
    EXPECT_TRUE(IsWindowUnicode(form->Control(IDC_SEARCH)));
    GetWindowTextA(main, name, sizeof name);
    EXPECT_STREQ(name, "Tessaly");
    const LONG_PTR style = GetWindowLongPtrA(main, GWL_STYLE);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_EQ(catalogue.loads, 1);

    struct {
        int id;
        const char* text;
    } captions[] = {{IDC_EXPLORE, "&Explore"},
                    {IDC_SETTINGS, "&Customize"},
                    {IDC_ABOUT, "&About"},
                    {IDC_LOOKIN_LABEL, "&Look in:"},
                    {IDC_SEARCH_LABEL, "&Search for:"}};
    for (const auto& c : captions) {
        char text[64] = {};
        GetWindowTextA(form->Control(c.id), text, sizeof text);
        EXPECT_STREQ(text, c.text) << c.id;
    }
    const int order[] = {IDC_SEARCH, IDC_EXPLORE, IDC_SETTINGS, IDC_ABOUT, IDC_COLLECTIONS, IDC_SEARCH};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        HWND next = GetNextDlgTabItem(main, form->Control(order[i]), FALSE);
        EXPECT_EQ(GetDlgCtrlID(next), order[i + 1]) << "after " << order[i];
    }
    EXPECT_EQ(SendMessageA(main, DM_GETDEFID, 0, 0), MAKELRESULT(IDC_EXPLORE, DC_HASDEFID));

    // The height stays put whatever is asked for; the width has a lower bound.
    RECT before;
    GetWindowRect(main, &before);
    MoveWindow(main, before.left, before.top, 100, 400, FALSE);
    RECT after;
    GetWindowRect(main, &after);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EXPECT_TRUE(errors.empty());
}

TEST_F(MainFormTest, CollectionsAreSortedWithCountsAndTheSettingSelectsIgnoringCase) {
    settings.NumberOfItems = true;
    WriteString(*registry.Open(RootKey::CurrentUser, "\\SOFTWARE\\Orvelle\\Tessaly", true), "Collection",
                "ALL SITES");
    auto form = MakeForm();
    HWND box = form->Control(IDC_COLLECTIONS);
    EXPECT_EQ(Entries(box), (std::vector<std::string>{"all sites (3)", "Home pages (1)", "Search (2)"}));
    EXPECT_EQ(Selected(box), "all sites (3)");

    // A setting naming no collection leaves nothing selected; the search box goes off.
    dialogs.answer = true;
    dialogs.duringSettings = [&](HWND) { settings.Collection = "gone"; };
    Click(*form, IDC_SETTINGS);
    EXPECT_EQ(Selected(box), "<none>");
    EXPECT_FALSE(IsWindowEnabled(form->Control(IDC_SEARCH)));
}

TEST_F(MainFormTest, ACollectionOfHomePagesOnlyTurnsTheSearchBoxOffAndFocusesTheCollections) {
    auto form = MakeForm(false);
    SetForegroundWindow(form->Handle());
    Select(*form, "Search");
    EXPECT_TRUE(IsWindowEnabled(form->Control(IDC_SEARCH)));
    EXPECT_TRUE(IsWindowEnabled(form->Control(IDC_SEARCH_LABEL)));
    Select(*form, "Home pages");
    EXPECT_FALSE(IsWindowEnabled(form->Control(IDC_SEARCH)));
    EXPECT_FALSE(IsWindowEnabled(form->Control(IDC_SEARCH_LABEL)));
    EXPECT_EQ(GetFocus(), form->Control(IDC_COLLECTIONS));
    // A negative member entry still counts as a site of the collection.
    Select(*form, "all sites");
    EXPECT_TRUE(IsWindowEnabled(form->Control(IDC_SEARCH)));
}

TEST_F(MainFormTest, StartsAtItsDesignedOuterHeightWithTheFocusOnAControlNotTheWindow) {
    WriteString(*registry.Open(RootKey::CurrentUser, "\\SOFTWARE\\Orvelle\\Tessaly", true), "Collection",
                "Home pages");
    auto form = MakeForm(false);
    HWND main = form->Handle();
    SetForegroundWindow(main);
    SetActiveWindow(main);
    EXPECT_FALSE(IsWindowEnabled(form->Control(IDC_SEARCH)));
    EXPECT_EQ(GetFocus(), form->Control(IDC_COLLECTIONS));
    RECT r;
    GetWindowRect(main, &r);
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(r.bottom - r.top, ScaleForDpi(kMainFormHeight, dpi));

    // Coming back to the window returns the focus to the control that had it.
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(other);
    SetActiveWindow(other);
    SetForegroundWindow(main);
    SetActiveWindow(main);
    EXPECT_EQ(GetFocus(), form->Control(IDC_COLLECTIONS));
    DestroyWindow(other);
}

TEST_F(MainFormTest, CustomizeStartsOnTheFirstPageOnlyAfterMoreThanSixtyWholeMinutes) {
    auto form = MakeForm();
    Click(*form, IDC_SETTINGS);
    clock.now += 60 * 60 + 59;
    Click(*form, IDC_SETTINGS);
    clock.now += 61 * 60;
    Click(*form, IDC_SETTINGS);
    EXPECT_EQ(dialogs.firstPages, (std::vector<bool>{true, false, true}));
}

TEST_F(MainFormTest, CustomizeStoresTheStateFirstAndAppliesTheSettingsOnlyAfterOk) {
    auto form = MakeForm();
    HWND box = form->Control(IDC_COLLECTIONS);
    Select(*form, "Search");
    SetWindowTextA(form->Control(IDC_SEARCH), "  typed text ");
    dialogs.duringSettings = [&](HWND) {
        EXPECT_EQ(settings.Search, u"  typed text ");
        EXPECT_EQ(settings.Collection, "Search");
        settings.NumberOfItems = true;
    };
    dialogs.answer = false;
    Click(*form, IDC_SETTINGS);
    EXPECT_EQ(Entries(box), (std::vector<std::string>{"all sites", "Home pages", "Search"}));
    EXPECT_EQ(Selected(box), "Search");
    dialogs.answer = true;
    Click(*form, IDC_SETTINGS);
    EXPECT_EQ(Entries(box), (std::vector<std::string>{"all sites (3)", "Home pages (1)", "Search (2)"}));
    EXPECT_EQ(Selected(box), "Search (2)");
}

TEST_F(MainFormTest, TheSettingsDialogEmptiesTheSearchBoxAndItsStoredHistory) {
    auto form = MakeForm(false);
    Select(*form, "Search");
    SetWindowTextA(form->Control(IDC_SEARCH), "red fox");
    Click(*form, IDC_EXPLORE);
    ASSERT_EQ(form->History().Entries().size(), 1u);
    dialogs.duringSettings = [&](HWND) { dialogs.clearHistory(); };
    Click(*form, IDC_SETTINGS);
    EXPECT_TRUE(form->History().Entries().empty());
    EXPECT_EQ(GetWindowTextLengthA(form->Control(IDC_SEARCH)), 0);
    const RawValue* stored =
        registry.Find(RootKey::CurrentUser, kSearchHistoryKeyPath, kSearchHistoryValueName);
    ASSERT_NE(stored, nullptr);
    EXPECT_LE(stored->data.size(), 4u) << "an empty list is only its terminators";
}

TEST_F(MainFormTest, TheHotkeyIsFreeWhileTheSettingsDialogIsOpenAndBackAfterwards) {
    settings.UseHotkey = true;
    settings.HotkeyMod = MOD_CONTROL | MOD_ALT;
    settings.HotkeyKey = VK_F9;
    auto form = MakeForm();
    bool freeDuringDialog = false;
    dialogs.duringSettings = [&](HWND owner) {
        freeDuringDialog = RegisterHotKey(owner, 0, MOD_CONTROL | MOD_ALT, VK_F9) != FALSE;
        UnregisterHotKey(owner, 0);
    };
    Click(*form, IDC_SETTINGS);
    EXPECT_TRUE(freeDuringDialog);
    // Registered again, even though the dialog was cancelled.
    EXPECT_TRUE(UnregisterHotKey(form->Handle(), 0));
}

TEST_F(MainFormTest, WideningTheWindowWidensItsBoxes) {
    auto form = MakeForm();
    HWND main = form->Handle();
    const int before = WidthOf(form->Control(IDC_COLLECTIONS)) + WidthOf(form->Control(IDC_SEARCH));
    RECT r;
    GetWindowRect(main, &r);
    MoveWindow(main, r.left, r.top, r.right - r.left + 100, r.bottom - r.top, TRUE);
    EXPECT_EQ(WidthOf(form->Control(IDC_COLLECTIONS)) + WidthOf(form->Control(IDC_SEARCH)), before + 100);
}

TEST_F(MainFormTest, EscQuitsAndSavesWhenMinimizeOnCloseIsOffAndTheWindowWasActivated) {
    settings.MinimizeOnClose = false;
    WriteDword(*registry.Open(RootKey::CurrentUser, "\\SOFTWARE\\Orvelle\\Tessaly", true), "MinimizeOnClose",
               0);
    auto form = MakeForm(false);
    HWND main = form->Handle();
    SendMessageA(main, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_TRUE(form->ActivatedOnce());
    EXPECT_EQ(owners.Top(), TWindowHandle(main));
    SetWindowTextA(form->Control(IDC_SEARCH), "last words");
    SendMessageA(main, WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(IsWindow(main));
    EXPECT_EQ(StoredSearch(), "last words");
    EXPECT_EQ(catalogue.saves, 0) << "quitting writes the options only";
    EXPECT_EQ(owners.Top(), owners.Desktop());
}

TEST_F(MainFormTest, QuittingAWindowNeverActivatedSavesNothing) {
    settings.MinimizeOnClose = false;
    WriteDword(*registry.Open(RootKey::CurrentUser, "\\SOFTWARE\\Orvelle\\Tessaly", true), "MinimizeOnClose",
               0);
    auto form = MakeForm();
    HWND main = form->Handle();
    SendMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(main));
    EXPECT_EQ(StoredSearch(), std::nullopt);
}

TEST_F(MainFormTest, EscWithMinimizeOnCloseMinimizesAndSavesNothingButShutdownQuitsAndSaves) {
    settings.MinimizeToTray = false;
    WriteDword(*registry.Open(RootKey::CurrentUser, "\\SOFTWARE\\Orvelle\\Tessaly", true), "MinimizeToTray",
               0);
    auto form = MakeForm(false);
    HWND main = form->Handle();
    SendMessageA(main, WM_ACTIVATE, WA_ACTIVE, 0);
    SendMessageA(main, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(IsWindow(main));
    EXPECT_TRUE(IsIconic(main));
    EXPECT_EQ(StoredSearch(), std::nullopt);

    SendMessageA(main, WM_ENDSESSION, TRUE, 0);
    EXPECT_FALSE(IsWindow(main));
    EXPECT_TRUE(StoredSearch().has_value());
}

TEST_F(MainFormTest, TheBannerOpensTheMakersPageAndHelpForAMissingFileIsHarmless) {
    auto form = MakeForm();
    HWND banner = form->Control(IDC_BANNER);
    ASSERT_NE(banner, nullptr);
    SendMessageA(banner, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(banner, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], tsy::kMakerHomePage);
    HELPINFO info{};
    info.cbSize = sizeof info;
    info.iContextType = HELPINFO_WINDOW;
    EXPECT_EQ(SendMessageA(form->Handle(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info)), TRUE);
    Click(*form, IDC_ABOUT);
    EXPECT_EQ(dialogs.abouts, 1);
    EXPECT_TRUE(errors.empty());
}

TEST_F(MainFormTest, F1AsksTheHelpViewerForTheMainWindowsTopic) {
    std::vector<std::string> requests;
    helpViewer = win32::THtmlHelp("TSY.chm", [&](HWND, LPCSTR file, UINT command, DWORD_PTR) -> HWND {
        requests.push_back(std::to_string(command) + " " + file);
        return nullptr;
    });
    auto form = MakeForm();
    HELPINFO info{};
    info.cbSize = sizeof info;
    info.iContextType = HELPINFO_WINDOW;
    SendMessageA(form->Handle(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(requests, std::vector<std::string>{"0 TSY.chm::/Intro.About.htm"});
}

TEST_F(MainFormTest, TheSwitchMessageShowsAHiddenWindow) {
    auto form = MakeForm();
    HWND main = form->Handle();
    EXPECT_FALSE(IsWindowVisible(main));
    SendMessageA(main, RegisterWindowMessageA("SwitchToWindow"), 0, 0);
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_TRUE(form->ApplicationShown());
}

TEST_F(MainFormTest, TheTrayIconShowsWithMinimizeToTrayUnlessStartedForTheSlider) {
    {
        auto form = MakeForm();
        EXPECT_TRUE(form->TrayIcon().Visible());
        EXPECT_TRUE(form->TrayIcon().MinimizeToTray());
    }
    {
        auto form = MakeForm(true, true);
        EXPECT_FALSE(form->TrayIcon().Visible());
        EXPECT_FALSE(IsWindowVisible(form->Handle()));
        // The hand-over shows the icon again, as the option says.
        SendMessageA(form->Handle(), RegisterWindowMessageA("SwitchToWindow"), 0, 0);
        EXPECT_TRUE(form->TrayIcon().Visible());
    }
    settings.MinimizeToTray = false;
    WriteDword(*registry.Open(RootKey::CurrentUser, "\\SOFTWARE\\Orvelle\\Tessaly", true), "MinimizeToTray",
               0);
    auto form = MakeForm();
    EXPECT_FALSE(form->TrayIcon().Visible());
}

TEST_F(MainFormTest, MinimizingWithMinimizeToTrayHidesTheApplicationAndTheHotkeyBringsItBack) {
    auto form = MakeForm(false);
    HWND main = form->Handle();
    ASSERT_TRUE(IsWindowVisible(main));
    SendMessageA(main, WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_FALSE(form->ApplicationShown());
    EXPECT_TRUE(IsWindow(main));
    SendMessageA(main, WM_HOTKEY, 0, 0);
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_TRUE(form->ApplicationShown());
    // Another hotkey identifier is not ours.
    SendMessageA(main, WM_HOTKEY, 5, 0);
    EXPECT_TRUE(IsWindowVisible(main));
}

TEST_F(MainFormTest, TheTrayMenuExitEndsTheProgram) {
    auto form = MakeForm(false);
    HWND main = form->Handle();
    SendMessageA(main, WM_COMMAND, IDM_TRAY_EXIT, 0);
    EXPECT_FALSE(IsWindow(main));
}

TEST_F(MainFormTest, WithTheSliderEnabledTheTrayMenuExitOnlyHidesAndSavesNothing) {
    autorun.SetAutorunSlider(true);
    auto form = MakeForm(false);
    HWND main = form->Handle();
    SendMessageA(main, WM_ACTIVATE, WA_ACTIVE, 0);
    ASSERT_TRUE(form->TrayIcon().Visible());
    SendMessageA(main, WM_COMMAND, IDM_TRAY_EXIT, 0);
    EXPECT_TRUE(IsWindow(main));
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_FALSE(form->ApplicationShown());
    EXPECT_FALSE(form->TrayIcon().Visible()) << "only the slider remains";
    EXPECT_EQ(StoredSearch(), std::nullopt);
    // The close button takes the same way while the slider is on.
    SendMessageA(main, RegisterWindowMessageA("SwitchToWindow"), 0, 0);
    settings.MinimizeOnClose = false;
    SendMessageA(main, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(IsWindow(main));
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_EQ(StoredSearch(), std::nullopt);
}

TEST_F(MainFormTest, AboutAndCustomizeGiveTheFocusBackToTheSearchBoxOrTheCollections) {
    auto form = MakeForm(false);
    SetForegroundWindow(form->Handle());
    SetActiveWindow(form->Handle());
    HWND search = form->Control(IDC_SEARCH);
    HWND collectionsBox = form->Control(IDC_COLLECTIONS);
    auto focusIsIn = [](HWND control) {
        HWND focus = GetFocus();
        return focus == control || (focus && IsChild(control, focus));
    };
    Select(*form, "Search");
    SetFocus(form->Control(IDC_ABOUT));
    Click(*form, IDC_ABOUT);
    EXPECT_TRUE(focusIsIn(search));
    SetFocus(form->Control(IDC_SETTINGS));
    Click(*form, IDC_SETTINGS);
    EXPECT_TRUE(focusIsIn(search));

    Select(*form, "Home pages");
    SetFocus(form->Control(IDC_ABOUT));
    Click(*form, IDC_ABOUT);
    EXPECT_TRUE(focusIsIn(collectionsBox));
    SetFocus(form->Control(IDC_SETTINGS));
    Click(*form, IDC_SETTINGS);
    EXPECT_TRUE(focusIsIn(form->Control(IDC_SETTINGS))) << "a disabled search box takes no focus";
}

TEST_F(MainFormTest, FirstStartOpensCentredInTheWorkAreaInTahomaEightPoint) {
    auto form = MakeForm(false);
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT r;
    GetWindowRect(form->Handle(), &r);
    EXPECT_LE(std::abs((r.left + r.right) - (work.left + work.right)), 1);
    EXPECT_LE(std::abs((r.top + r.bottom) - (work.top + work.bottom)), 1);

    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    for (int id : {IDC_SEARCH, IDC_EXPLORE, IDC_COLLECTIONS, IDC_LOOKIN_LABEL}) {
        auto font = reinterpret_cast<HFONT>(SendMessageA(form->Control(id), WM_GETFONT, 0, 0));
        ASSERT_NE(font, nullptr) << id;
        LOGFONTA lf{};
        ASSERT_NE(GetObjectA(font, sizeof lf, &lf), 0);
        EXPECT_STREQ(lf.lfFaceName, "Tahoma");
        EXPECT_EQ(lf.lfHeight, -MulDiv(8, dpi, 72));
    }
}

TEST_F(MainFormTest, DraggingNearAnEdgeOfTheWorkAreaSnapsToIt) {
    auto form = MakeForm();
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT drag{work.left + 6, work.top + 200, work.left + 6 + 570, work.top + 335};
    EXPECT_EQ(SendMessageA(form->Handle(), WM_MOVING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&drag)), TRUE);
    EXPECT_EQ(drag.left, work.left);
    EXPECT_EQ(drag.right - drag.left, 570);
    EXPECT_EQ(drag.top, work.top + 200);
}

TEST_F(MainFormTest, ExploreOpensTheCollectionsSitesRecordsTheTextAndAutoCloseCloses) {
    auto form = MakeForm(false);
    SendMessageA(form->Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
    Select(*form, "Search");
    SetWindowTextA(form->Control(IDC_SEARCH), "red fox");
    SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(IDC_EXPLORE, BN_CLICKED),
                 reinterpret_cast<LPARAM>(form->Control(IDC_EXPLORE)));
    ASSERT_EQ(opener.lists.size(), 1u);
    EXPECT_EQ(opener.kinds[0], settings.Browser);
    EXPECT_EQ(opener.lists[0], (std::vector<std::string>{"http://alpha.example/?q=red+fox",
                                                         "http://beta.example/find/red+fox"}));
    ASSERT_EQ(form->History().Entries().size(), 1u);
    EXPECT_EQ(form->History().Entries()[0], u"red fox");
    EXPECT_TRUE(IsWindowVisible(form->Handle()));

    settings.AutoClose = true;
    settings.MinimizeOnClose = false;
    HWND main = form->Handle();
    SendMessageA(main, WM_COMMAND, MAKEWPARAM(IDC_EXPLORE, BN_CLICKED), 0);
    EXPECT_EQ(opener.lists.size(), 2u);
    EXPECT_FALSE(IsWindow(main)) << "AutoClose takes the ordinary close path, here the quit";
    EXPECT_TRUE(errors.empty());
}

TEST_F(MainFormTest, AFailedLoadIsShownAndTheWindowStillOpens) {
    catalogue.failLoad = true;
    auto form = MakeForm(false);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "The sites file cannot be read.");
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_EQ(SendMessageA(form->Control(IDC_COLLECTIONS), CB_GETCOUNT, 0, 0), 0);
}

} // namespace
