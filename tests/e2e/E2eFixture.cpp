#include "E2eFixture.h"

#include <shlobj.h>

#include "resource.h"

namespace tsy::e2e {

std::string TestSitesFile() {
    return "[001]\r\nname=Alpha\r\nsearch=https://alpha.example/find?q=%s\r\nopen=https://alpha.example/\r\n"
           "catid=1\r\n"
           "[002]\r\nname=Beta\r\nsearch=beta.example/search/%s\r\nopen=beta.example\r\ncatid=1\r\n"
           "[003]\r\nname=Gamma\r\nsearch=https://gamma.example/?s=%s&lang=en\r\n"
           "open=https://gamma.example/home\r\ncatid=1\r\n"
           "[004]\r\nname=Delta\r\nsearch=\r\nopen=https://delta.example/\r\ncatid=1\r\n"
           "[main]\r\nmaxid=4\r\n";
}

std::string TestCollectionsFile() {
    return "[main]\r\ncollections=3\r\ncategories=1\r\n"
           "[collections]\r\n000=Search\r\n001=Empty\r\n002=Home pages\r\n"
           "[targets]\r\n000=1,2,3\r\n001=\r\n002=4\r\n"
           "[categories]\r\n001=Test sites\r\n";
}

void ProgramTest::SetUp() {
    KillLeftovers();
    ASSERT_FALSE(FindMainWindow()) << "a program from an earlier test is still running";

    DeleteRegistryTree(HKEY_CURRENT_USER, SettingsPath);
    // A stored browser choice keeps the first-run browser message away.
    SetSetting("Browser", 1);

    hadFirefoxKey_ = RegistryKeyExists(HKEY_LOCAL_MACHINE, AppPathsFirefox);
    savedFirefoxPath_ = ReadRegistryString(HKEY_LOCAL_MACHINE, AppPathsFirefox, "");
    const std::string firefox = FakeFirefoxPath(FirefoxFake());
    WriteRegistryString(HKEY_LOCAL_MACHINE, AppPathsFirefox, "", firefox);
    ASSERT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, AppPathsFirefox, ""), firefox);
    ASSERT_NE(GetFileAttributesA(firefox.c_str()), INVALID_FILE_ATTRIBUTES)
        << "the fake Firefox is missing: " << firefox;
    RouteFakeBrowserLog();
    DeleteFileIfAny(FakeFirefoxLogPath());

    const std::string folder = CatalogueFolder();
    ASSERT_FALSE(folder.empty());
    SHCreateDirectoryExA(nullptr, folder.c_str(), nullptr);
    const std::string sites = folder + "targets.dat", collections = folder + "Tessaly.dat";
    hadSites_ = GetFileAttributesA(sites.c_str()) != INVALID_FILE_ATTRIBUTES;
    hadCollections_ = GetFileAttributesA(collections.c_str()) != INVALID_FILE_ATTRIBUTES;
    savedSites_ = ReadTextFile(sites);
    savedCollections_ = ReadTextFile(collections);
    WriteTextFile(sites, TestSitesFile());
    WriteTextFile(collections, TestCollectionsFile());
    ASSERT_EQ(ReadTextFile(collections), TestCollectionsFile());
}

void ProgramTest::TearDown() {
    KillLeftovers();
    DeleteFileIfAny(FakeFirefoxLogPath());
    DeleteRegistryTree(HKEY_CURRENT_USER, SettingsPath);
    if (savedFirefoxPath_)
        WriteRegistryString(HKEY_LOCAL_MACHINE, AppPathsFirefox, "", *savedFirefoxPath_);
    else if (hadFirefoxKey_)
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, AppPathsFirefox, nullptr);
    else
        DeleteRegistryTree(HKEY_LOCAL_MACHINE, AppPathsFirefox);
    const std::string folder = CatalogueFolder();
    auto restore = [](const std::string& path, bool had, const std::string& text) {
        if (had)
            WriteTextFile(path, text);
        else
            DeleteFileIfAny(path);
    };
    restore(folder + "targets.dat", hadSites_, savedSites_);
    restore(folder + "Tessaly.dat", hadCollections_, savedCollections_);
}

void ProgramTest::SetSetting(const std::string& name, DWORD value) {
    WriteRegistryDword(HKEY_CURRENT_USER, SettingsPath, name, value);
}

void ProgramTest::SetSetting(const std::string& name, const std::string& value) {
    WriteRegistryString(HKEY_CURRENT_USER, SettingsPath, name, value);
}

HWND ProgramTest::Start(TProgram& program, const std::string& arguments) {
    if (!program.Start(arguments)) {
        ADD_FAILURE() << "cannot start " << ProgramPath();
        return nullptr;
    }
    HWND main = program.WaitForMainWindow(30s);
    EXPECT_TRUE(main) << "no main window within 30 s";
    return main;
}

HWND ProgramTest::StartShown(TProgram& program) {
    HWND main = Start(program);
    if (!main)
        return nullptr;
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }, 10s))
        << "the main window stays hidden";
    program.WaitForIdle(10s);
    return main;
}

bool ProgramTest::WaitForStartUpDone(HWND main) const {
    HWND box = FindChildByID(main, IDC_COLLECTIONS);
    if (!WaitUntil([&] { return SendMessageA(box, CB_GETCOUNT, 0, 0) > 0; }, 10s))
        return false;
    // The program posts itself its last steps (the tray icon comes once the window shows).
    // Posted messages are handled in turn, so one posted now takes effect after them; the
    // scroll width of a list without a horizontal scroll bar changes nothing else.
    const LRESULT mark = SendMessageA(box, CB_GETHORIZONTALEXTENT, 0, 0) + 1;
    PostMessageA(box, CB_SETHORIZONTALEXTENT, WPARAM(mark), 0);
    return WaitUntil([&] { return SendMessageA(box, CB_GETHORIZONTALEXTENT, 0, 0) == mark; }, 10s);
}

HWND ProgramTest::SearchBox(HWND main) const {
    HWND box = FindChildByID(main, IDC_SEARCH);
    EXPECT_TRUE(box && (GetWindowLongPtrA(box, GWL_STYLE) & CBS_DROPDOWNLIST) == CBS_DROPDOWN)
        << "the search box is an editable drop-down";
    return box;
}

HWND ProgramTest::CollectionsBox(HWND main) const {
    HWND box = FindChildByID(main, IDC_COLLECTIONS);
    EXPECT_TRUE(box && (GetWindowLongPtrA(box, GWL_STYLE) & CBS_DROPDOWNLIST) == CBS_DROPDOWNLIST)
        << "the collections box takes no typing";
    return box;
}

HWND ProgramTest::ExploreButton(HWND main) const {
    HWND button = FindChildByID(main, IDC_EXPLORE);
    EXPECT_EQ(button, FindButtonByText(main, "&Explore"));
    return button;
}

HWND ProgramTest::FocusOf(HWND main) const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    const DWORD thread = GetWindowThreadProcessId(main, nullptr);
    if (GetGUIThreadInfo(thread, &info) && info.hwndFocus)
        return info.hwndFocus;
    return main;
}

std::vector<std::string> ProgramTest::WaitForFirefoxCalls(size_t count, Duration timeout) const {
    std::vector<std::string> calls;
    WaitUntil(
        [&] {
            calls = FakeFirefoxCalls();
            return calls.size() >= count;
        },
        timeout);
    return calls;
}

} // namespace tsy::e2e
