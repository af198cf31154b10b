// The histories that the real Firefox and Chromium wrote on this machine (left by the native
// browser tests), placed where the program looks for them and offered by the import dialog.
#include "browsers/OpenPages.h"
#include "browsers/win32/OpenPagesPlatform.h"

#include "../browsers/RealVisits.h"
#include "BrowserTestSupport.h"
#include "FakeAppServices.h"
#include "ModalDriver.h"
#include "ui/win32/FrameImport.h"

#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace tsy {
namespace {

namespace fs = std::filesystem;
using testing::FakesFolder;
using testing::TempFolder;

std::string Folder(int id) {
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, id, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

// What the native tests left, as a path of this prefix.
fs::path RealHistory(const std::string& browser) {
    std::string path = "Z:" TESSALY_REAL_HISTORY "/" + browser;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// A stand-in window of the browser's class in a program of the browser's file name; closed at the end.
class TBrowserWindow {
public:
    TBrowserWindow(const std::string& program, const std::string& className) : className_(className) {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        std::string commandLine = "\"" + program + "\" " + className;
        if (CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                           &startup, &process_))
            CloseHandle(process_.hThread);
        for (DWORD start = GetTickCount(); process_.hProcess && !FindWindowA(className_.c_str(), nullptr) &&
                                           GetTickCount() - start < 20000;)
            Sleep(20);
    }
    TBrowserWindow(const TBrowserWindow&) = delete;
    TBrowserWindow& operator=(const TBrowserWindow&) = delete;
    ~TBrowserWindow() {
        if (!process_.hProcess)
            return;
        if (HWND window = FindWindowA(className_.c_str(), nullptr))
            PostMessageA(window, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process_.hProcess, 20000) != WAIT_OBJECT_0)
            TerminateProcess(process_.hProcess, 1);
        CloseHandle(process_.hProcess);
    }
    bool Shown() const { return FindWindowA(className_.c_str(), nullptr) != nullptr; }

private:
    std::string className_;
    PROCESS_INFORMATION process_ = {};
};

// Folders made for the test, removed with what they hold at the end however the test ends.
struct TMadeFolders {
    std::vector<fs::path> folders;
    ~TMadeFolders() {
        std::error_code ignored;
        for (const auto& folder : folders)
            fs::remove_all(folder, ignored);
    }
};

TEST(RealHistoryImport, TheImportListOffersWhatTheRealBrowsersVisitedNewestFirst) {
    testing::RegistryLock lock;
    ASSERT_TRUE(fs::exists(RealHistory("firefox") / "places.sqlite") &&
                fs::exists(RealHistory("chrome") / "History"))
        << "the native browser tests write these histories first";
    const fs::path mozilla = fs::path(Folder(CSIDL_APPDATA)) / "Mozilla";
    const fs::path google = fs::path(Folder(CSIDL_LOCAL_APPDATA)) / "Google";
    TMadeFolders made{{mozilla, google}};
    fs::create_directories(mozilla / "Firefox" / "Profiles" / "real.default");
    fs::create_directories(google / "Chrome" / "User Data" / "Default");
    std::ofstream(mozilla / "Firefox" / "profiles.ini")
        << "[Profile0]\r\nName=default\r\nIsRelative=1\r\nPath=Profiles/real.default\r\nDefault=1\r\n";
    fs::copy(RealHistory("firefox"), mozilla / "Firefox" / "Profiles" / "real.default",
             fs::copy_options::overwrite_existing | fs::copy_options::recursive);
    fs::copy(RealHistory("chrome"), google / "Chrome" / "User Data" / "Default",
             fs::copy_options::overwrite_existing | fs::copy_options::recursive);

    TempFolder programs;
    for (const char* name : {"firefox.exe", "chrome.exe"})
        ASSERT_TRUE(CopyFileA((FakesFolder() + "\\fake_mozilla_window.exe").c_str(),
                              programs.File(name).c_str(), FALSE));
    std::vector<std::string> listed;
    std::string url, title;
    {
        TBrowserWindow firefox(programs.File("firefox.exe"), "MozillaWindowClass");
        TBrowserWindow chrome(programs.File("chrome.exe"), "Chrome_WidgetWin_1");
        ASSERT_TRUE(firefox.Shown() && chrome.Shown());
        win32::TOpenPagesPlatform platform;
        fakes::TFakeAppServices app;
        win32::TEditorContext context = app.services.Editor();
        context.ListOpenPages = [&] {
            TPageInfos pages;
            ListOpenPages(platform.System(), 1 << bkFirefox | 1 << bkChrome, pages);
            return pages;
        };
        tsy::testing::TModalDriver driver({[&](HWND dialog) {
            HWND list = FindWindowExA(FindWindowExA(dialog, nullptr, "#32770", nullptr), nullptr,
                                      "SysListView32", nullptr);
            for (int i = 0; i < ListView_GetItemCount(list); ++i) {
                char text[512] = {};
                ListView_GetItemText(list, i, 1, text, sizeof text);
                listed.emplace_back(text);
            }
            ListView_SetItemState(list, 0, LVIS_SELECTED, LVIS_SELECTED);
            tsy::testing::Click(dialog, IDOK);
        }});
        ASSERT_TRUE(win32::ImportURL(context, nullptr, TImportKind::Open, url, title));
        EXPECT_TRUE(driver.AllStepsRun());
        EXPECT_TRUE(app.boxes.shown.empty());
    }
    // Firefox's pages come before Chrome's; each browser's newest first.
    std::vector<std::string> expected(browsers::kFirefoxVisits.rbegin(), browsers::kFirefoxVisits.rend());
    expected.insert(expected.end(), browsers::kChromiumVisits.rbegin(), browsers::kChromiumVisits.rend());
    EXPECT_EQ(listed, expected);
    EXPECT_EQ(url, browsers::kFirefoxVisits.back());
    EXPECT_EQ(title, browsers::VisitTitle(browsers::kFirefoxVisits.back()));
}

} // namespace
} // namespace tsy
