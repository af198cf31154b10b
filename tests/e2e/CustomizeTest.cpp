// The settings dialog and the add-site wizard of the real program, driven from outside:
// what the user does there must reach the data files, the registry and the main window.
#include <windows.h>

#include <commctrl.h>

#include "E2eFixture.h"
#include "dialogs.h"
#include "resource.h"
#include "win32/FakeBrowsers.h"

namespace tsy::e2e {
namespace {

constexpr const char* kShellProgID = "Shell.Application\\CLSID";
constexpr const char* kHomePage = "http://find.example/";
constexpr const char* kSearchPage = "http://find.example/results?q=StubText&lang=en%2Dgb";
enum { SitesTab = 2, SettingsTab = 4 };

BOOL CALLBACK CountEnabled(HWND control, LPARAM count) {
    if (IsWindowEnabled(control))
        ++*reinterpret_cast<int*>(count);
    return TRUE;
}

// The controls of the catalogue tabs that can be used, found through the list of each tab.
int EnabledCatalogueControls(HWND dialog) {
    int count = 0;
    for (int list : {IDC_COLLECTIONS_LIST, IDC_ACTIVE_COLLECTIONS, IDC_TARGETS, IDC_CATEGORIES}) {
        HWND page = GetParent(FindChildByID(dialog, list));
        EXPECT_TRUE(page) << list;
        EnumChildWindows(page, CountEnabled, reinterpret_cast<LPARAM>(&count));
    }
    return count;
}

// Internet Explorer, as the shell lists its windows, shows the finder's home page and a search
// for "StubText" on it.
class CustomizeTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        savedShellClass_ = ReadRegistryString(HKEY_CLASSES_ROOT, kShellProgID, "");
        const std::string classKey = std::string("CLSID\\") + TSY_FAKE_SHELL_CLSID + "\\InprocServer32";
        WriteRegistryString(HKEY_CLASSES_ROOT, classKey, "",
                            TestProgramFolder() + "fakes\\fake_shell_automation.dll");
        WriteRegistryString(HKEY_CLASSES_ROOT, classKey, "ThreadingModel", "Apartment");
        WriteRegistryString(HKEY_CLASSES_ROOT, kShellProgID, "", TSY_FAKE_SHELL_CLSID);
        const std::string windows = TestProgramFolder() + "e2e-shell-windows.txt";
        WriteTextFile(windows, std::string("Windows Internet Explorer\t") + kHomePage +
                                   "\tFinder\ttitle:Finder\r\n" + "Windows Internet Explorer\t" +
                                   kSearchPage + "\tStubText - Finder\ttitle:StubText - Finder\r\n");
        SetEnvironmentVariableA(TSY_FAKE_SHELL_WINDOWS_VARIABLE, windows.c_str());
    }
    void TearDown() override {
        ProgramTest::TearDown();
        SetEnvironmentVariableA(TSY_FAKE_SHELL_WINDOWS_VARIABLE, nullptr);
        DeleteFileIfAny(TestProgramFolder() + "e2e-shell-windows.txt");
        DeleteRegistryTree(HKEY_CLASSES_ROOT, std::string("CLSID\\") + TSY_FAKE_SHELL_CLSID);
        if (savedShellClass_)
            WriteRegistryString(HKEY_CLASSES_ROOT, kShellProgID, "", *savedShellClass_);
    }

    HWND OpenCustomize(const TProgram& program, HWND main) {
        PostClick(FindChildByID(main, IDC_SETTINGS));
        HWND dialog = WaitForDialog(program.ProcessID(), "Customize Tessaly", 15s);
        EXPECT_TRUE(dialog) << "the settings dialog did not open";
        return dialog;
    }
    // Switches tabs as a click on the tab does: the tab control tells the dialog.
    static void ShowTab(HWND dialog, int index) {
        HWND tabs = FindChildByID(dialog, IDC_PAGES);
        SendMessageA(tabs, TCM_SETCURFOCUS, WPARAM(index), 0);
        EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), index);
    }
    static bool Close(HWND dialog, int button) {
        PostClick(FindChildByID(dialog, button));
        return WaitUntil([&] { return !IsWindow(dialog); }, 15s);
    }
    static bool WaitForRows(HWND list, int count) {
        return WaitUntil([&] { return ListRowCount(list) == count; }, 10s);
    }
    static std::string SitesFile() { return ReadTextFile(CatalogueFolder() + "targets.dat"); }
    static std::string CollectionsFile() { return ReadTextFile(CatalogueFolder() + "Tessaly.dat"); }

private:
    std::optional<std::string> savedShellClass_;
};

TEST_F(CustomizeTest, WizardAddsTheSearchPageAsASiteThatExploreOpensWithNewText) {
    SetSetting("Collection", "Empty");
    TProgram program;
    HWND main = StartShown(program);
    ASSERT_TRUE(main);
    HWND dialog = OpenCustomize(program, main);
    ASSERT_TRUE(dialog);
    PostClick(FindChildByID(dialog, IDC_ADD_SITE_WIZARD));
    HWND wizard = WaitForDialog(program.ProcessID(), "Add New Site (step 1 of 4)", 15s);
    ASSERT_TRUE(wizard) << "the wizard did not open";
    auto next = [&](int step) {
        PostClick(FindChildByID(wizard, IDOK));
        return WaitUntil(
            [&] { return WindowText(wizard) == "Add New Site (step " + std::to_string(step) + " of 4)"; },
            10s);
    };

    HWND openList = FindChildByID(GetParent(FindChildByID(wizard, IDC_MANUAL_OPEN_DATA)), IDC_URLLIST);
    ASSERT_TRUE(WaitForRows(openList, 2)) << "both open pages are offered to open the site";
    SelectListRow(openList, FindListRow(openList, kHomePage));
    ASSERT_TRUE(next(2));
    HWND searchList = FindChildByID(GetParent(FindChildByID(wizard, IDC_MANUAL_SEARCH_DATA)), IDC_URLLIST);
    ASSERT_TRUE(WaitForRows(searchList, 1)) << "only the search page is offered for searching";
    SelectListRow(searchList, 0);
    ASSERT_TRUE(next(3));
    SetText(FindChildByID(wizard, IDC_SITE_NAME), "Finder");
    ASSERT_TRUE(next(4));
    HWND collections = FindChildByID(wizard, IDC_SITE_COLLECTIONS);
    ASSERT_TRUE(WaitForRows(collections, 3));
    CheckListRow(collections, FindListRow(collections, "Empty"), true);
    PostClick(FindChildByID(wizard, IDOK));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(wizard); }, 15s)) << "Done did not end the wizard";
    EXPECT_EQ(SitesFile(), TestSitesFile()) << "nothing is saved before OK";
    ASSERT_TRUE(Close(dialog, IDOK));

    EXPECT_EQ(
        SitesFile(),
        "[001]\r\nname=Alpha\r\nsearch=https://alpha.example/find?q=%s\r\nopen=https://alpha.example/\r\n"
        "catid=1\r\n"
        "[002]\r\nname=Beta\r\nsearch=beta.example/search/%s\r\nopen=beta.example\r\ncatid=1\r\n"
        "[003]\r\nname=Gamma\r\nsearch=https://gamma.example/?s=%s&lang=en\r\n"
        "open=https://gamma.example/home\r\ncatid=1\r\n"
        "[004]\r\nname=Delta\r\nsearch=\r\nopen=https://delta.example/\r\ncatid=1\r\n"
        "[005]\r\nname=Finder\r\nsearch=http://find.example/results?q=%s&lang=en%%2Dgb\r\n"
        "open=http://find.example/\r\ncatid=0\r\ncharset=utf-8\r\n"
        "[main]\r\nmaxid=5\r\n");
    EXPECT_EQ(CollectionsFile(), "[main]\r\ncollections=3\r\ncategories=1\r\n"
                                 "[collections]\r\n000=Search\r\n001=Empty\r\n002=Home pages\r\n"
                                 "[targets]\r\n000=1,2,3\r\n001=5\r\n002=4\r\n"
                                 "[categories]\r\n001=Test sites\r\n");

    // The collection that had nothing to search now searches the new site, with the page's
    // other parameters as they were.
    HWND search = SearchBox(main);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(search) != FALSE; }, 10s));
    SetText(search, "new text");
    PostClick(ExploreButton(main));
    const auto calls = WaitForFirefoxCalls(1);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0], "-new-window \"http://find.example/results?q=new+text&lang=en%2Dgb\"");
}

TEST_F(CustomizeTest, CancelAfterDeletingASiteKeepsItAndLeavesTheFilesUntouched) {
    TProgram program;
    HWND main = StartShown(program);
    ASSERT_TRUE(main);
    HWND dialog = OpenCustomize(program, main);
    ASSERT_TRUE(dialog);
    ShowTab(dialog, SitesTab);
    HWND sites = FindChildByID(dialog, IDC_TARGETS);
    ASSERT_TRUE(WaitForRows(sites, 4));
    FocusDialogControl(sites);
    SelectListRow(sites, FindListRow(sites, "Beta"));
    PostClick(FindChildByID(dialog, IDC_DELETE_TARGET));
    HWND question = WaitForMessageBox(program.ProcessID(), "Confirm", 10s);
    ASSERT_TRUE(question);
    AnswerMessageBox(question, "&Yes");
    ASSERT_TRUE(WaitForRows(sites, 3)) << "the site is gone from the list";
    ASSERT_TRUE(Close(dialog, IDCANCEL));

    EXPECT_EQ(SitesFile(), TestSitesFile());
    EXPECT_EQ(CollectionsFile(), TestCollectionsFile());
    dialog = OpenCustomize(program, main);
    ASSERT_TRUE(dialog);
    sites = FindChildByID(dialog, IDC_TARGETS);
    EXPECT_EQ(SendMessageA(FindChildByID(dialog, IDC_PAGES), TCM_GETCURSEL, 0, 0), SitesTab)
        << "the dialog opens on the tab it was left on";
    EXPECT_TRUE(WaitForRows(sites, 4)) << "the deleted site is back after Cancel";
    EXPECT_GE(FindListRow(sites, "Beta"), 0);
    EXPECT_TRUE(Close(dialog, IDCANCEL));
}

TEST_F(CustomizeTest, OptionsOfTheSettingsTabReachTheRegistryAndTheMainWindow) {
    TProgram program;
    HWND main = StartShown(program);
    ASSERT_TRUE(main);
    HWND collections = CollectionsBox(main);
    ASSERT_EQ(WindowText(collections), "Search");
    ASSERT_FALSE(GetWindowLongPtrA(main, GWL_EXSTYLE) & WS_EX_TOPMOST);
    // The program holds Win+Q, so nobody else can have it.
    ASSERT_FALSE(RegisterHotKey(nullptr, 1, MOD_WIN, 'Q'));

    HWND dialog = OpenCustomize(program, main);
    ASSERT_TRUE(dialog);
    ShowTab(dialog, SettingsTab);
    PostToggle(FindChildByID(dialog, IDC_ALWAYS_ON_TOP), true);
    PostToggle(FindChildByID(dialog, IDC_NUMBER_OF_ITEMS), true);
    PostToggle(FindChildByID(dialog, IDC_USE_HOTKEY), false);
    ASSERT_TRUE(Close(dialog, IDOK));

    EXPECT_EQ(ReadRegistryDword(HKEY_CURRENT_USER, SettingsPath, "AlwaysOnTop"), 1u);
    EXPECT_EQ(ReadRegistryDword(HKEY_CURRENT_USER, SettingsPath, "NumberOfItems"), 1u);
    EXPECT_EQ(ReadRegistryDword(HKEY_CURRENT_USER, SettingsPath, "UseHotkey"), 0u);
    EXPECT_TRUE(WaitUntil([&] { return (GetWindowLongPtrA(main, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }, 10s));
    EXPECT_TRUE(WaitUntil([&] { return WindowText(collections) == "Search (3)"; }, 10s))
        << WindowText(collections);
    EXPECT_TRUE(WaitUntil([&] { return RegisterHotKey(nullptr, 1, MOD_WIN, 'Q') != FALSE; }, 10s))
        << "Win+Q is still held";
    UnregisterHotKey(nullptr, 1);
}

// A backup or sync tool holds the sites file open without sharing while the program starts.
TEST_F(CustomizeTest, ASitesFileThatCouldNotBeReadIsNeverWrittenOverAndIsReadOnceFree) {
    const std::string path = CatalogueFolder() + "targets.dat";
    win32::UniqueFile holder(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder);
    TProgram program;
    HWND main = Start(program);
    ASSERT_TRUE(main);
    HWND error = WaitForMessageBox(program.ProcessID(), "Tessaly", 15s);
    ASSERT_TRUE(error) << "the failed read is reported at start";
    EXPECT_NE(MessageBoxText(error).find("targets.dat"), std::string::npos) << MessageBoxText(error);
    DismissMessageBox(error);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }, 10s));
    program.WaitForIdle(10s);

    // Still held: Customize tries again, warns, and offers the options alone.
    PostClick(FindChildByID(main, IDC_SETTINGS));
    HWND warning = WaitForMessageBox(program.ProcessID(), "Warning", 15s);
    EXPECT_TRUE(warning) << "no warning";
    if (warning) {
        EXPECT_EQ(MessageBoxText(warning).rfind("The catalogue could not be read: Cannot read \"" + path, 0),
                  0u)
            << MessageBoxText(warning);
        DismissMessageBox(warning);
    }
    HWND dialog = WaitForDialog(program.ProcessID(), "Customize Tessaly", 15s);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(EnabledCatalogueControls(dialog), 0);
    EXPECT_FALSE(IsWindowEnabled(FindChildByID(dialog, IDC_ADD_SITE_WIZARD)));
    ShowTab(dialog, SettingsTab);
    PostToggle(FindChildByID(dialog, IDC_ALWAYS_ON_TOP), true);
    ASSERT_TRUE(Close(dialog, IDOK));
    EXPECT_EQ(ReadRegistryDword(HKEY_CURRENT_USER, SettingsPath, "AlwaysOnTop"), 1u)
        << "OK saves the options";
    holder.Reset();
    EXPECT_EQ(SitesFile(), TestSitesFile());
    EXPECT_EQ(CollectionsFile(), TestCollectionsFile());

    // Let go: the next Customize reads the files and saves an edit.
    dialog = OpenCustomize(program, main);
    ASSERT_TRUE(dialog);
    EXPECT_GT(EnabledCatalogueControls(dialog), 0);
    ShowTab(dialog, SitesTab);
    HWND sites = FindChildByID(dialog, IDC_TARGETS);
    ASSERT_TRUE(WaitForRows(sites, 4));
    FocusDialogControl(sites);
    SelectListRow(sites, FindListRow(sites, "Delta"));
    PostClick(FindChildByID(dialog, IDC_DELETE_TARGET));
    HWND question = WaitForMessageBox(program.ProcessID(), "Confirm", 10s);
    ASSERT_TRUE(question);
    AnswerMessageBox(question, "&Yes");
    ASSERT_TRUE(WaitForRows(sites, 3));
    ASSERT_TRUE(Close(dialog, IDOK));
    std::string expected = TestSitesFile();
    expected.replace(expected.find("[004]"), std::string::npos, "[main]\r\nmaxid=3\r\n");
    EXPECT_EQ(SitesFile(), expected);
    EXPECT_TRUE(WaitUntil([&] { return WindowText(CollectionsBox(main)) == "Search"; }, 10s))
        << "the remembered collection is still chosen";
}

} // namespace
} // namespace tsy::e2e
