// Today's browsers with the real program: a site captured from Chrome's history and explored in
// Chrome, Chrome's own search engines imported as sites, and Edge as the system's browser for web
// links on a first start.
#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>
#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "../../res/dialogs.h"
#include "../../res/resource.h"
#include "E2eFixture.h"
#include "win32/FakeBrowsers.h"

namespace tsy::e2e {
namespace {

constexpr const char* kAppPaths = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
constexpr const char* kHttpCommand = "http\\shell\\open\\command";
constexpr const char* kShellProgID = "Shell.Application\\CLSID";
constexpr const char* kHomePage = "http://chrome-find.example/";
constexpr const char* kSearchPage = "http://chrome-find.example/results?q=StubText&lang=en%2Dgb";

std::string Folder(int id) {
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, id, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

// A program the test started and ends by its own handle.
class TStartedProgram {
public:
    TStartedProgram(const std::string& program, const std::string& argument) {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        std::string commandLine = "\"" + program + "\" " + argument;
        PROCESS_INFORMATION info = {};
        if (CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                           &startup, &info)) {
            CloseHandle(info.hThread);
            process_ = info.hProcess;
        }
    }
    TStartedProgram(const TStartedProgram&) = delete;
    TStartedProgram& operator=(const TStartedProgram&) = delete;
    ~TStartedProgram() {
        if (!process_)
            return;
        TerminateProcess(process_, 0);
        WaitForSingleObject(process_, 10000);
        CloseHandle(process_);
    }
    bool Started() const { return process_ != nullptr; }

private:
    HANDLE process_ = nullptr;
};

class CurrentBrowsersTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        programs_ = std::string(temp) + "tsy-e2e-browsers-" + std::to_string(GetCurrentProcessId());
        std::filesystem::create_directories(programs_);
        savedHttpCommand_ = ReadRegistryString(HKEY_CLASSES_ROOT, kHttpCommand, "");
        // No shell window is an Internet Explorer window.
        savedShellClass_ = ReadRegistryString(HKEY_CLASSES_ROOT, kShellProgID, "");
        const std::string classKey = std::string("CLSID\\") + TSY_FAKE_SHELL_CLSID + "\\InprocServer32";
        WriteRegistryString(HKEY_CLASSES_ROOT, classKey, "",
                            TestProgramFolder() + "fakes\\fake_shell_automation.dll");
        WriteRegistryString(HKEY_CLASSES_ROOT, classKey, "ThreadingModel", "Apartment");
        WriteRegistryString(HKEY_CLASSES_ROOT, kShellProgID, "", TSY_FAKE_SHELL_CLSID);
        SetEnvironmentVariableA(TSY_FAKE_SHELL_WINDOWS_VARIABLE, nullptr);
    }
    void TearDown() override {
        ProgramTest::TearDown();
        DeleteRegistryTree(HKEY_CURRENT_USER, std::string(kAppPaths) + "chrome.exe");
        DeleteRegistryTree(HKEY_LOCAL_MACHINE, std::string(kAppPaths) + "msedge.exe");
        if (savedHttpCommand_)
            WriteRegistryString(HKEY_CLASSES_ROOT, kHttpCommand, "", *savedHttpCommand_);
        DeleteRegistryTree(HKEY_CLASSES_ROOT, std::string("CLSID\\") + TSY_FAKE_SHELL_CLSID);
        if (savedShellClass_)
            WriteRegistryString(HKEY_CLASSES_ROOT, kShellProgID, "", *savedShellClass_);
        std::error_code ignored;
        std::filesystem::remove_all(Folder(CSIDL_LOCAL_APPDATA) + "\\Google", ignored);
        std::filesystem::remove_all(programs_, ignored);
    }

    // A copy of a fake under a browser's file name.
    std::string Install(const std::string& fake, const std::string& as) {
        const std::string path = programs_ + "\\" + as;
        EXPECT_TRUE(CopyFileA((TestProgramFolder() + "fakes\\" + fake).c_str(), path.c_str(), FALSE)) << fake;
        return path;
    }
    // Chrome's last used profile with a history of the two pages, the search the newest.
    void WriteChromeProfile() {
        const std::string userData = Folder(CSIDL_LOCAL_APPDATA) + "\\Google\\Chrome\\User Data";
        std::filesystem::create_directories(userData + "\\Profile 3");
        WriteTextFile(userData + "\\Local State", "{\"profile\":{\"last_used\":\"Profile 3\"}}");
        sqlite3* history = nullptr;
        ASSERT_EQ(sqlite3_open((userData + "\\Profile 3\\History").c_str(), &history), SQLITE_OK);
        const std::string sql =
            std::string("CREATE TABLE urls(id INTEGER PRIMARY KEY, url LONGVARCHAR, title "
                        "LONGVARCHAR, last_visit_time INTEGER NOT NULL);"
                        "INSERT INTO urls(url, title, last_visit_time) VALUES ('") +
            kHomePage + "', 'Chrome Finder', 1), ('" + kSearchPage +
            "', 'StubText - Chrome Finder', 2), ('chrome://newtab/', 'New Tab', 3);";
        EXPECT_EQ(sqlite3_exec(history, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(history);
    }
    // The arguments of each start of the fake Chrome or Edge, oldest first.
    static std::vector<std::vector<std::string>> LoggedStarts() {
        std::vector<std::vector<std::string>> starts;
        std::istringstream lines(ReadTextFile(FakeFirefoxLogPath()));
        for (std::string line; std::getline(lines, line);) {
            std::vector<std::string> arguments;
            std::istringstream fields(line);
            for (std::string field; std::getline(fields, field, '\t');)
                arguments.push_back(field);
            starts.push_back(arguments);
        }
        return starts;
    }

    // Sites with these home pages and no search, all in the collection "Pages", which is chosen.
    void UseHomePages(const std::vector<std::string>& pages) {
        std::string sites, members;
        for (std::size_t i = 0; i < pages.size(); ++i) {
            const std::string id = std::to_string(i + 1);
            sites +=
                "[00" + id + "]\r\nname=Site " + id + "\r\nsearch=\r\nopen=" + pages[i] + "\r\ncatid=1\r\n";
            members += (i ? "," : "") + id;
        }
        WriteTextFile(CatalogueFolder() + "targets.dat",
                      sites + "[main]\r\nmaxid=" + std::to_string(pages.size()) + "\r\n");
        WriteTextFile(
            CatalogueFolder() + "Tessaly.dat",
            "[main]\r\ncollections=1\r\ncategories=1\r\n[collections]\r\n000=Pages\r\n[targets]\r\n000=" +
                members + "\r\n[categories]\r\n001=Test sites\r\n");
        SetSetting("Collection", "Pages");
    }

    std::string programs_;

private:
    std::optional<std::string> savedHttpCommand_, savedShellClass_;
};

TEST_F(CurrentBrowsersTest, TheWizardCapturesASearchFromChromeThatExploreThenOpensInChrome) {
    SetSetting("Browser", 3);
    SetSetting("Collection", "Empty");
    const std::string chrome = TestProgramFolder() + "fakes\\fake_chrome.exe";
    WriteRegistryString(HKEY_CURRENT_USER, std::string(kAppPaths) + "chrome.exe", "", chrome);
    WriteChromeProfile();
    TStartedProgram window(Install("fake_mozilla_window.exe", "chrome.exe"), "Chrome_WidgetWin_1");
    ASSERT_TRUE(window.Started());
    ASSERT_TRUE(
        WaitUntil([] { return IsWindowVisible(FindWindowA("Chrome_WidgetWin_1", nullptr)) != FALSE; }, 20s));

    TProgram program;
    HWND main = StartShown(program);
    ASSERT_TRUE(main);
    PostClick(FindChildByID(main, IDC_SETTINGS));
    HWND dialog = WaitForDialog(program.ProcessID(), "Customize Tessaly", 15s);
    ASSERT_TRUE(dialog);
    PostClick(FindChildByID(dialog, IDC_ADD_SITE_WIZARD));
    HWND wizard = WaitForDialog(program.ProcessID(), "Add New Site (step 1 of 4)", 15s);
    ASSERT_TRUE(wizard);
    auto next = [&](int step) {
        PostClick(FindChildByID(wizard, IDOK));
        return WaitUntil(
            [&] { return WindowText(wizard) == "Add New Site (step " + std::to_string(step) + " of 4)"; },
            10s);
    };
    auto waitForRows = [](HWND list, int count) {
        return WaitUntil([&] { return ListRowCount(list) == count; }, 10s);
    };
    HWND openList = FindChildByID(GetParent(FindChildByID(wizard, IDC_MANUAL_OPEN_DATA)), IDC_URLLIST);
    ASSERT_TRUE(waitForRows(openList, 2)) << "Chrome's two web pages, not its new-tab page";
    EXPECT_EQ(ListCellText(openList, 0, 1), kSearchPage) << "newest first";
    SelectListRow(openList, FindListRow(openList, kHomePage));
    ASSERT_TRUE(next(2));
    HWND searchList = FindChildByID(GetParent(FindChildByID(wizard, IDC_MANUAL_SEARCH_DATA)), IDC_URLLIST);
    ASSERT_TRUE(waitForRows(searchList, 1));
    SelectListRow(searchList, 0);
    ASSERT_TRUE(next(3));
    SetText(FindChildByID(wizard, IDC_SITE_NAME), "Chrome Finder");
    ASSERT_TRUE(next(4));
    HWND collections = FindChildByID(wizard, IDC_SITE_COLLECTIONS);
    ASSERT_TRUE(waitForRows(collections, 3));
    CheckListRow(collections, FindListRow(collections, "Empty"), true);
    PostClick(FindChildByID(wizard, IDOK));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(wizard); }, 15s));
    PostClick(FindChildByID(dialog, IDOK));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 15s));
    const std::string sites = ReadTextFile(CatalogueFolder() + "targets.dat");
    EXPECT_NE(sites.find("search=http://chrome-find.example/results?q=%s&lang=en%%2Dgb\r\n"),
              std::string::npos)
        << sites;
    EXPECT_NE(sites.find("open=http://chrome-find.example/\r\n"), std::string::npos) << sites;

    HWND search = SearchBox(main);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(search) != FALSE; }, 10s));
    SetText(search, "new text");
    PostClick(ExploreButton(main));
    ASSERT_TRUE(WaitUntil([] { return LoggedStarts().size() >= 1; }, 15s));
    EXPECT_EQ(LoggedStarts(), (std::vector<std::vector<std::string>>{
                                  {chrome, "--new-window", "--",
                                   "http://chrome-find.example/results?q=new+text&lang=en%2Dgb"}}));
}

TEST_F(CurrentBrowsersTest, TwoOfChromesOwnEnginesImportedIntoACollectionOpenWithTheirTemplates) {
    SetSetting("Browser", 3);
    SetSetting("Collection", "Empty");
    const std::string chrome = TestProgramFolder() + "fakes\\fake_chrome.exe";
    WriteRegistryString(HKEY_CURRENT_USER, std::string(kAppPaths) + "chrome.exe", "", chrome);
    // The "Web Data" and "Local State" that the real Chromium wrote on its first start, left by
    // the native tests.
    std::string written = "Z:" TESSALY_REAL_HISTORY "/chromium-engines";
    std::replace(written.begin(), written.end(), '/', '\\');
    ASSERT_TRUE(std::filesystem::exists(written + "\\Default\\Web Data"))
        << "the native browser tests write it first";
    const std::string userData = Folder(CSIDL_LOCAL_APPDATA) + "\\Google\\Chrome\\User Data";
    std::filesystem::create_directories(userData);
    std::filesystem::copy(written, userData,
                          std::filesystem::copy_options::overwrite_existing |
                              std::filesystem::copy_options::recursive);

    TProgram program;
    HWND main = StartShown(program);
    ASSERT_TRUE(main);
    PostClick(FindChildByID(main, IDC_SETTINGS));
    HWND dialog = WaitForDialog(program.ProcessID(), "Customize Tessaly", 15s);
    ASSERT_TRUE(dialog);
    SendMessageA(FindChildByID(dialog, IDC_PAGES), TCM_SETCURFOCUS, 2, 0); // "Sites"
    PostClick(FindChildByID(dialog, IDC_IMPORT_ENGINES));
    HWND engines = WaitForDialog(program.ProcessID(), "Import search engines", 15s);
    ASSERT_TRUE(engines);
    HWND list = FindChildByID(engines, IDC_ENGINES);
    ASSERT_TRUE(WaitUntil([&] { return ListRowCount(list) > 2; }, 10s));
    const int google = FindListRow(list, "Google");
    const int duck = FindListRow(list, "DuckDuckGo");
    ASSERT_TRUE(google >= 0 && duck >= 0);
    for (int row = 0; row < ListRowCount(list); ++row)
        CheckListRow(list, row, row == google || row == duck);
    const std::string googleTemplate = ListCellText(list, google, 2);
    const std::string duckTemplate = ListCellText(list, duck, 2);
    EXPECT_EQ(googleTemplate, "https://www.google.com/search?q=%s&ie=UTF-8");
    SendMessageA(FindChildByID(engines, IDC_ENGINE_COLLECTION), CB_SETCURSEL, 2, 0); // "Empty"
    PostClick(FindChildByID(engines, IDOK));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(engines); }, 15s));
    PostClick(FindChildByID(dialog, IDOK));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 15s));

    HWND search = SearchBox(main);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(search) != FALSE; }, 10s));
    SetText(search, "new text");
    PostClick(ExploreButton(main));
    ASSERT_TRUE(WaitUntil([] { return LoggedStarts().size() >= 1; }, 15s));
    auto opened = [](std::string url) { return url.replace(url.find("%s"), 2, "new+text"); };
    std::vector<std::string> expected = {chrome, "--new-window", "--", opened(googleTemplate),
                                         opened(duckTemplate)};
    // The collection holds them in the order the list showed them.
    if (duck < google)
        std::swap(expected[3], expected[4]);
    EXPECT_EQ(LoggedStarts(), (std::vector<std::vector<std::string>>{expected}));
}

TEST_F(CurrentBrowsersTest, TheSystemsBrowserOpensTheWebPagesOnlyAndTheOthersAreNamedInAWarning) {
    const std::string other = Install("fake_msedge.exe", "otherbrowser.exe");
    WriteRegistryString(HKEY_CLASSES_ROOT, kHttpCommand, "", "\"" + other + "\" \"%1\"");
    // Were it opened, this program would log its start as the browser does.
    std::string tool = Install("fake_msedge.exe", "tool.exe");
    std::replace(tool.begin(), tool.end(), '\\', '/');
    const std::string file = "file:///" + tool;
    SetSetting("Browser", 5);
    UseHomePages({file, "web.example"});

    TProgram program;
    HWND main = StartShown(program);
    ASSERT_TRUE(main);
    PostClick(ExploreButton(main));
    HWND box = WaitForMessageBox(program.ProcessID(), "Warning", 20s);
    ASSERT_TRUE(box) << "no warning shown";
    EXPECT_EQ(MessageBoxText(box),
              "These addresses were not opened, since they are not web pages:\n\r" + file);
    DismissMessageBox(box);
    ASSERT_TRUE(WaitUntil([] { return LoggedStarts().size() >= 1; }, 15s));
    EXPECT_EQ(LoggedStarts(), (std::vector<std::vector<std::string>>{{other, "http://web.example/"}}));
}

TEST_F(CurrentBrowsersTest, NoHomePageReachesChromeAsASwitch) {
    SetSetting("Browser", 3);
    const std::string chrome = TestProgramFolder() + "fakes\\fake_chrome.exe";
    WriteRegistryString(HKEY_CURRENT_USER, std::string(kAppPaths) + "chrome.exe", "", chrome);
    UseHomePages(
        {"http://ok.example/", "--proxy-server=http://127.0.0.1:9", "--user-data-dir=C:\\users\\Public:x"});

    TProgram program;
    HWND main = StartShown(program);
    ASSERT_TRUE(main);
    PostClick(ExploreButton(main));
    ASSERT_TRUE(WaitUntil([] { return LoggedStarts().size() >= 1; }, 15s));
    EXPECT_EQ(LoggedStarts(),
              (std::vector<std::vector<std::string>>{{chrome, "--new-window", "--", "http://ok.example/",
                                                      "http://--proxy-server=http://127.0.0.1:9",
                                                      "http://--user-data-dir=C:\\users\\Public:x/"}}));
}

TEST_F(CurrentBrowsersTest, AFirstStartWithEdgeForWebLinksChoosesEdge) {
    DeleteRegistryTree(HKEY_CURRENT_USER, SettingsPath);
    SetSetting("MinimizeOnClose", 0);
    const std::string edge = Install("fake_msedge.exe", "msedge.exe");
    WriteRegistryString(HKEY_CLASSES_ROOT, kHttpCommand, "", "\"" + edge + "\" --single-argument %1");
    WriteRegistryString(HKEY_LOCAL_MACHINE, std::string(kAppPaths) + "msedge.exe", "", edge);

    TProgram program;
    ASSERT_TRUE(program.Start());
    HWND advice = WaitForMessageBox(program.ProcessID(), "Information", 30s);
    ASSERT_TRUE(advice) << "the first start names the browser it chose";
    EXPECT_EQ(MessageBoxText(advice).rfind("Tessaly is set to use Edge 155.0.", 0), 0u)
        << MessageBoxText(advice);
    DismissMessageBox(advice);
    HWND main = program.WaitForMainWindow(30s);
    ASSERT_TRUE(main);
    ASSERT_TRUE(WaitForStartUpDone(main));
    PostKey(FocusOf(main), VK_ESCAPE);
    ASSERT_TRUE(program.WaitForExit(15s));
    EXPECT_EQ(ReadRegistryDword(HKEY_CURRENT_USER, SettingsPath, "Browser"), 4u);
}

} // namespace
} // namespace tsy::e2e
