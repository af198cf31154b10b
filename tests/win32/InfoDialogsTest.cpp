// The about box with its labels, the update dialog's details, and help requests.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

#include "FakeKeyValueStore.h"
#include "ModalDriver.h"
#include "TestWindow.h"
#include "controls/win32/InfoLabels.h"
#include "infodialogs.h"
#include "settings/PersistentUI.h"
#include "support/OwnerStack.h"
#include "support/WebAddresses.h"
#include "support/win32/HtmlHelp.h"
#include "support/win32/VersionResource.h"
#include "support/win32/Win32MessageBoxes.h"
#include "ui/win32/FrmAbout.h"
#include "ui/win32/FrmAutoUpdate.h"
#include "update/UpdateServices.h"

namespace {

using namespace tsy;
using namespace tsy::win32;
using tsy::testing::Click;
using tsy::testing::TModalDriver;

std::string ProgramBesideTests() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1) + "Tessaly.exe";
}

std::string VersionFromSource() {
    std::ifstream file(std::string(TESSALY_SOURCE_DIR) + "/VERSION");
    std::string line;
    std::getline(file, line);
    return line;
}

class InfoDialogsTest : public ::testing::Test {
protected:
    InfoDialogsTest() : owners(ToHandle(GetDesktopWindow())), boxes(owners) {}
    template <class TShow> void Drive(std::deque<TModalDriver::TStep> steps, TShow show) {
        TModalDriver driver(std::move(steps));
        show();
        EXPECT_TRUE(driver.AllStepsRun()) << "a dialog did not open";
        EXPECT_FALSE(driver.TimedOut());
    }
    static int Height(HWND window) {
        RECT r;
        GetWindowRect(window, &r);
        return r.bottom - r.top;
    }

    TOwnerStack owners;
    TWin32MessageBoxes boxes;
    fakes::FakeKeyValueStore registry;
    TPersistentUI layouts{registry};
    std::vector<std::string> help;
    TDialogEnvironment environment{GetModuleHandleA(nullptr), &owners, &layouts, &boxes,
                                   [this](HWND, const std::string& keyword) { help.push_back(keyword); }};
    std::vector<std::string> opened;
};

TEST_F(InfoDialogsTest, TheAboutBoxShowsTheProgramsVersionAndOpensItsLinks) {
    const TVersionInfo version = ReadVersionInfo(ProgramBesideTests());
    ASSERT_EQ(version.ProductName, "Tessaly") << "Tessaly.exe is built beside the tests";
    const std::string text = VersionFromSource(); // major.minor.release.build
    const TVersionRecord& v = version.File;
    char expected[96];
    snprintf(expected, sizeof expected, "version %d.%d, build %d.%d.%d.%03d", v.Major, v.Minor, v.Major,
             v.Minor, v.Release, v.Build);
    EXPECT_EQ(std::to_string(v.Major) + "." + std::to_string(v.Minor) + "." + std::to_string(v.Release) +
                  "." + std::to_string(v.Build),
              text);
    EXPECT_EQ(version.Product, v);

    TAboutForm form(environment, version, [this](HWND, const std::string& url) { opened.push_back(url); });
    Drive({[&](HWND about) {
              EXPECT_EQ(tsy::testing::Text(about), "About Tessaly");
              EXPECT_EQ(form.VersionLine().DrawnText(), expected);
              EXPECT_EQ(tsy::testing::Text(GetDlgItem(about, IDC_URL_WEBSITE)), kProductHomePage);
              EXPECT_EQ(tsy::testing::Text(GetDlgItem(about, IDC_URL_SPONSOR)), "Orvelle");
              // The program's own icon, at the size the display asks for.
              auto icon =
                  reinterpret_cast<HICON>(SendDlgItemMessageA(about, IDC_ABOUT_ICON, STM_GETICON, 0, 0));
              EXPECT_NE(icon, LoadIconA(nullptr, IDI_APPLICATION));
              ICONINFO parts{};
              BITMAP picture{};
              ASSERT_TRUE(GetIconInfo(icon, &parts));
              GetObjectA(parts.hbmColor, sizeof picture, &picture);
              EXPECT_EQ(picture.bmWidth, GetSystemMetrics(SM_CXICON));
              DeleteObject(parts.hbmColor);
              DeleteObject(parts.hbmMask);
              for (int id : {IDC_URL_SPONSOR, IDC_URL_DEVELOPER, IDC_URL_WEBSITE}) {
                  SendMessageA(GetDlgItem(about, id), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
                  SendMessageA(GetDlgItem(about, id), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
              }
              Click(about, IDHELP);
              SendMessageA(about, WM_HELP, 0, 0);
              Click(about, IDOK);
          }},
          [&] { return form.ShowModal(nullptr); });
    EXPECT_EQ(opened, (std::vector<std::string>{kMakerHomePage, kDeveloperPage, kProductHomePage}));
    EXPECT_EQ(help, (std::vector<std::string>{"Intro.About", "Intro.About"}));
}

TEST(VersionResource, AFileWithoutOneGivesZerosAndEmptyTexts) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const TVersionInfo info = ReadVersionInfo(path);
    EXPECT_EQ(info.File, TVersionRecord{});
    EXPECT_EQ(info.Product, TVersionRecord{});
    EXPECT_EQ(info.ProductName, "");
    EXPECT_EQ(info.Comments, "");
    EXPECT_EQ(ReadVersionInfo("Z:\\no\\such\\file.exe").CompanyName, "");
}

TEST(InfoLabels, ALinkIsBlueAndUnderlinedAndFollowsItsURLOnlyWhileShowingItsName) {
    tsy::testing::TestWindow parent;
    HWND named = CreateWindowExA(0, "STATIC", "urlWebsite", WS_CHILD | SS_NOTIFY, 0, 0, 200, 20, parent.Get(),
                                 nullptr, nullptr, nullptr);
    HWND own = CreateWindowExA(0, "STATIC", "Our site", WS_CHILD | SS_NOTIFY, 0, 30, 200, 20, parent.Get(),
                               nullptr, nullptr, nullptr);
    TURLLabel website("urlWebsite");
    TURLLabel site("urlSite");
    ASSERT_TRUE(website.Attach(named));
    ASSERT_TRUE(site.Attach(own));
    EXPECT_EQ(website.Colour(), RGB(0, 0, 255));
    EXPECT_TRUE(website.Underlined());
    website.SetURL("https://a.example/");
    site.SetURL("https://a.example/");
    EXPECT_EQ(tsy::testing::Text(named), "https://a.example/");
    EXPECT_EQ(tsy::testing::Text(own), "Our site");
    website.SetURL("https://b.example/");
    EXPECT_EQ(tsy::testing::Text(named), "https://b.example/");
    EXPECT_EQ(website.URL(), "https://b.example/");
    // Leaving the label gives back the style it had on entry.
    SendMessageA(named, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    SendMessageA(named, WM_MOUSELEAVE, 0, 0);
    EXPECT_TRUE(website.Underlined());
    EXPECT_EQ(SendMessageA(named, WM_SETCURSOR, WPARAM(named), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)), TRUE);
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_HAND));
}

TEST_F(InfoDialogsTest, TheUpdateDetailsUnfoldAndAreRememberedOpen) {
    TUpdateServicesContext context;
    context.Running = {1, 0, 0, 1};
    TKVUpdateServices service(context, RootKey::CurrentUser, "TSY", "", kUpdateKeyPath);
    auto open = [this](HWND, const std::string& url) { opened.push_back(url); };
    int folded = 0;
    Drive({[&](HWND dialog) {
              folded = Height(dialog);
              HWND details = GetDlgItem(dialog, IDC_UPD_DESCRIPTION);
              EXPECT_FALSE(IsWindowVisible(details));
              Click(dialog, IDC_UPD_SHOW_DETAILS);
              EXPECT_EQ(tsy::testing::Text(GetDlgItem(dialog, IDC_UPD_SHOW_DETAILS)),
                        "<< Hide Update Details");
              EXPECT_TRUE(IsWindowVisible(details));
              EXPECT_GE(Height(dialog), folded + 289);
              // The buttons went below the details.
              RECT list, button;
              GetWindowRect(details, &list);
              GetWindowRect(GetDlgItem(dialog, IDC_UPD_DOWNLOAD), &button);
              EXPECT_GT(button.top, list.bottom - 1);
              SendMessageA(dialog, WM_CLOSE, 0, 0);
          }},
          [&] { ShowUpdateDialog(environment, nullptr, service, open); });
    const RawValue* stored =
        registry.Find(RootKey::CurrentUser, "\\SOFTWARE\\Orvelle\\Tessaly\\PUI\\Dialogs\\AutoUpdateForm", "");
    ASSERT_NE(stored, nullptr);
    ASSERT_EQ(stored->data.size(), 20u);
    EXPECT_EQ(stored->data[16], 1) << "the details were open";
    Drive({[&](HWND dialog) {
               EXPECT_EQ(tsy::testing::Text(GetDlgItem(dialog, IDC_UPD_SHOW_DETAILS)),
                         "<< Hide Update Details");
               EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, IDC_UPD_DESCRIPTION)));
               Click(dialog, IDC_UPD_SHOW_DETAILS);
               EXPECT_EQ(tsy::testing::Text(GetDlgItem(dialog, IDC_UPD_SHOW_DETAILS)),
                         "Show Update Details >>");
               EXPECT_EQ(Height(dialog), folded);
               Click(dialog, IDC_UPD_DOWNLOAD); // no address at all: refused, the dialog stays
               EXPECT_TRUE(IsWindow(dialog));
               SendMessageA(dialog, WM_CLOSE, 0, 0);
           },
           [&](HWND box) {
               EXPECT_EQ(tsy::testing::Text(GetDlgItem(box, 0xFFFF)), kInvalidDownloadMessage);
               Click(box, IDOK);
           }},
          [&] { ShowUpdateDialog(environment, nullptr, service, open); });
    EXPECT_TRUE(opened.empty());
}

TEST(HelpViewer, AsksForKeywordTopicsAndTheContentsThroughItsEntryPoint) {
    std::vector<std::string> requests;
    THtmlHelp viewer("C:\\Tessaly\\TSY.chm", [&](HWND, LPCSTR file, UINT command, DWORD_PTR) -> HWND {
        requests.push_back(std::to_string(command) + " " + file);
        return nullptr;
    });
    EXPECT_TRUE(viewer.ShowTopic("Settings.Sites"));
    EXPECT_TRUE(viewer.HandleRequest(42));
    EXPECT_TRUE(viewer.HandleRequest(reinterpret_cast<DWORD_PTR>("Settings.Advanced")));
    EXPECT_EQ(requests, (std::vector<std::string>{"0 C:\\Tessaly\\TSY.chm::/Settings.Sites.htm",
                                                  "1 C:\\Tessaly\\TSY.chm",
                                                  "0 C:\\Tessaly\\TSY.chm::/Settings.Advanced.htm"}));
}

} // namespace
