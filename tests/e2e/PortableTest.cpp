// Copies of the real program that carry the portable marker: everything they keep goes to the
// folder Data beside them, and copies in two folders are two programs.
#include <windows.h>

#include <commctrl.h>

#include <map>

#include "E2eFixture.h"
#include "resource.h"

namespace tsy::e2e {
namespace {

constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
enum { SitesTab = 2, SettingsTab = 4 };

// Every file of a folder with its content; empty when the folder does not exist.
std::map<std::string, std::string> FolderFiles(const std::string& folder) {
    std::map<std::string, std::string> files;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return files;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            files[found.cFileName] = ReadTextFile(folder + found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return files;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class PortableTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        // A portable copy reads nothing from the registry: the fixture's browser choice goes.
        DeleteRegistryTree(HKEY_CURRENT_USER, SettingsPath);
        RegDeleteKeyValueA(HKEY_CURRENT_USER, kRunKey, "TSY");
        profileFiles_ = FolderFiles(CatalogueFolder());
    }
    void TearDown() override {
        ProgramTest::TearDown();
        RegDeleteKeyValueA(HKEY_CURRENT_USER, kRunKey, "TSY");
        for (const char* name : {"portable-a\\", "portable-b\\"})
            RemoveCopy(TestProgramFolder() + name);
    }

    // A copy of the program with the marker and the test catalogue beside it, and the options
    // a user of it chose before: the browser, and closing that ends the program.
    static std::string MakeCopy(const std::string& name) {
        const std::string folder = TestProgramFolder() + name + "\\";
        RemoveCopy(folder);
        CreateDirectoryA(folder.c_str(), nullptr);
        CreateDirectoryA((folder + "Data").c_str(), nullptr);
        EXPECT_TRUE(CopyFileA(ProgramPath().c_str(), (folder + "Tessaly.exe").c_str(), FALSE));
        WriteTextFile(folder + "portable.ini", "");
        WriteTextFile(folder + "targets.dat", TestSitesFile());
        WriteTextFile(folder + "Tessaly.dat", TestCollectionsFile());
        WriteTextFile(folder + "Data\\settings.ini", "[Tessaly]\r\nBrowser=1\r\nMinimizeOnClose=0\r\n");
        return folder;
    }
    static void RemoveCopy(const std::string& folder) {
        for (const auto& [name, text] : FolderFiles(folder + "Data\\"))
            DeleteFileIfAny(folder + "Data\\" + name);
        RemoveDirectoryA((folder + "Data").c_str());
        for (const auto& [name, text] : FolderFiles(folder))
            DeleteFileIfAny(folder + name);
        RemoveDirectoryA(folder.c_str());
    }

    HWND StartCopy(TProgram& program, const std::string& folder, const std::string& arguments = "") {
        if (!program.Start(arguments, folder + "Tessaly.exe")) {
            ADD_FAILURE() << "cannot start the copy in " << folder;
            return nullptr;
        }
        HWND main = program.WaitForMainWindow(30s);
        EXPECT_TRUE(main) << "no main window within 30 s";
        return main;
    }
    static bool Quit(TProgram& program, HWND main) {
        SendMessageTimeoutA(main, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
        SendMessageTimeoutA(main, WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
        return program.WaitForExit(15s);
    }
    // Nothing of the run reached the user's settings key or application-data folder.
    void ExpectProfileUntouched() {
        EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, SettingsPath));
        EXPECT_EQ(FolderFiles(CatalogueFolder()), profileFiles_);
    }

private:
    std::map<std::string, std::string> profileFiles_;
};

TEST_F(PortableTest, AWholeRunKeepsEverythingInDataAndTheNextStartReadsItBack) {
    const std::string folder = MakeCopy("portable-a");
    const std::string data = folder + "Data\\";
    {
        TProgram program;
        HWND main = StartCopy(program, folder);
        ASSERT_TRUE(main);
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }, 10s));
        program.WaitForIdle(10s);
        EXPECT_EQ(FolderFiles(data)["targets.dat"], TestSitesFile()) << "the catalogue is seeded into Data";

        PostClick(FindChildByID(main, IDC_SETTINGS));
        HWND dialog = WaitForDialog(program.ProcessID(), "Customize Tessaly", 15s);
        ASSERT_TRUE(dialog);
        HWND tabs = FindChildByID(dialog, IDC_PAGES);
        SendMessageA(tabs, TCM_SETCURFOCUS, SitesTab, 0);
        HWND sites = FindChildByID(dialog, IDC_TARGETS);
        ASSERT_TRUE(WaitUntil([&] { return ListRowCount(sites) == 4; }, 10s));
        FocusDialogControl(sites);
        SelectListRow(sites, FindListRow(sites, "Beta"));
        PostClick(FindChildByID(dialog, IDC_DELETE_TARGET));
        HWND question = WaitForMessageBox(program.ProcessID(), "Confirm", 10s);
        ASSERT_TRUE(question);
        AnswerMessageBox(question, "&Yes");
        ASSERT_TRUE(WaitUntil([&] { return ListRowCount(sites) == 3; }, 10s));
        SendMessageA(tabs, TCM_SETCURFOCUS, SettingsTab, 0);
        EXPECT_EQ(WindowText(FindChildByID(dialog, IDC_AUTORUN)),
                  "&Load Tessaly when Windows starts (written to this computer's start-up list)");
        PostToggle(FindChildByID(dialog, IDC_ALWAYS_ON_TOP), true);
        PostToggle(FindChildByID(dialog, IDC_AUTORUN), true);
        PostClick(FindChildByID(dialog, IDOK));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 15s));

        HWND search = SearchBox(main);
        SetText(search, "portable words");
        PostClick(ExploreButton(main));
        EXPECT_EQ(WaitForFirefoxCalls(1).size(), 1u);
        ASSERT_TRUE(Quit(program, main)) << "the end of the session did not end the program";
    }

    ExpectProfileUntouched();
    // Start with Windows can live nowhere but the computer's start-up list.
    EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, kRunKey, "TSY"),
              "\"" + folder + "Tessaly.exe\" /minimized");
    auto files = FolderFiles(data);
    EXPECT_EQ(files.size(), 3u) << "Data holds the two catalogue files and the settings, nothing else";
    EXPECT_FALSE(Contains(files["targets.dat"], "Beta"));
    EXPECT_TRUE(Contains(files["Tessaly.dat"], "000=1,3\r\n"));
    const std::string settings = files["settings.ini"];
    for (const char* line :
         {"[Tessaly]\r\n", "AlwaysOnTop=1\r\n", "Search=portable words\r\n", "SearchMRU.0=portable words\r\n",
          "[PUI\\Dialogs\\MainForm]\r\n@=", "[PUI\\Dialogs\\SettingsForm]\r\n"})
        EXPECT_TRUE(Contains(settings, line)) << line << " missing from\n" << settings;

    TProgram again;
    HWND main = StartCopy(again, folder);
    ASSERT_TRUE(main);
    ASSERT_TRUE(WaitForStartUpDone(main));
    HWND search = SearchBox(main);
    EXPECT_EQ(WindowText(search), "portable words");
    EXPECT_EQ(SendMessageA(search, CB_GETCOUNT, 0, 0), 1) << "the search history is back";
    EXPECT_TRUE(GetWindowLongPtrA(main, GWL_EXSTYLE) & WS_EX_TOPMOST) << "the options are back";
    EXPECT_TRUE(Quit(again, main));
    ExpectProfileUntouched();
}

TEST_F(PortableTest, CopiesInTwoFoldersRunSideBySideAndEachHandsOverToItself) {
    const std::string one = MakeCopy("portable-a");
    const std::string two = MakeCopy("portable-b");
    TProgram first, second;
    HWND mainOne = StartCopy(first, one, "/minimized");
    HWND mainTwo = StartCopy(second, two, "/minimized");
    ASSERT_TRUE(mainOne && mainTwo) << "the second folder's copy must not hand over to the first";
    ASSERT_NE(mainOne, mainTwo);
    ASSERT_TRUE(WaitForStartUpDone(mainOne) && WaitForStartUpDone(mainTwo));
    EXPECT_FALSE(IsWindowVisible(mainOne) || IsWindowVisible(mainTwo));

    // A second start in the second folder shows that folder's copy, and only it.
    TProgram handOver;
    ASSERT_TRUE(handOver.Start("", two + "Tessaly.exe"));
    ASSERT_TRUE(handOver.WaitForExit(20s)) << "the second start did not end";
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(mainTwo) != FALSE; }, 10s));
    EXPECT_FALSE(IsWindowVisible(mainOne));
    EXPECT_TRUE(first.IsRunning() && second.IsRunning());
    EXPECT_TRUE(Quit(first, mainOne));
    EXPECT_TRUE(Quit(second, mainTwo));
    ExpectProfileUntouched();
}

} // namespace
} // namespace tsy::e2e
