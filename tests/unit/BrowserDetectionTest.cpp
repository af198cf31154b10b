#include "browsers/BrowserDetection.h"
#include "AnsiCollation.h"
#include "BrowserFakes.h"
#include "FakeKeyValueStore.h"
#include "RecordingMessageBoxes.h"

#include <gtest/gtest.h>

namespace tsy {
namespace {

const std::string kIePath = "C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE";
const std::string kFirefoxPath = "C:\\Program Files\\Mozilla Firefox\\firefox.exe";
const std::string kAppPaths = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths";

class BrowserDetectionTest : public ::testing::Test, public fakes::TDetectionRig {
protected:
    void RegisterApp(const std::string& executable, const std::string& path) {
        registry.SetString(RootKey::LocalMachine, kAppPaths + "\\" + executable, "", path);
    }
    void RegisterAppWithoutPath(const std::string& executable) {
        registry.At(RootKey::LocalMachine, kAppPaths + "\\" + executable);
    }
    std::string ErrorOf(auto&& call) { return fakes::ErrorOf<EBrowserError>(call); }
};

TEST(BrowserNames, NameEveryKind) {
    EXPECT_EQ(BrowserName(0), "Internet Explorer");
    EXPECT_EQ(BrowserName(1), "FireFox");
    EXPECT_EQ(BrowserName(2), "Opera");
    EXPECT_EQ(BrowserName(3), "Chrome");
    EXPECT_EQ(BrowserName(4), "Edge");
    EXPECT_EQ(BrowserName(5), "Default browser");
    EXPECT_EQ(BrowserName(6), "<unknown>");
    EXPECT_EQ(BrowserName(7), "<unknown>");
    EXPECT_EQ(BrowserName(255), "<unknown>");
}

TEST(BrowserNames, FileNamePartFollowsTheLastSeparator) {
    EXPECT_EQ(FileNamePart("C:\\a\\b\\firefox.exe"), "firefox.exe");
    EXPECT_EQ(FileNamePart("C:firefox.exe"), "firefox.exe");
    EXPECT_EQ(FileNamePart("firefox.exe"), "firefox.exe");
    EXPECT_EQ(FileNamePart("C:\\dir\\"), "");
}

TEST_F(BrowserDetectionTest, InstalledTestLooksForTheApplicationPathSubkey) {
    registry.At(RootKey::LocalMachine, kAppPaths);
    EXPECT_FALSE(detection.IsBrowserInstalled(0));
    EXPECT_FALSE(detection.IsBrowserInstalled(1));
    RegisterApp("iexplore.exe", kIePath); // the registry ignores case
    EXPECT_TRUE(detection.IsBrowserInstalled(0));
    EXPECT_FALSE(detection.IsBrowserInstalled(1));
    RegisterAppWithoutPath("firefox.exe");
    EXPECT_TRUE(detection.IsBrowserInstalled(1));
}

TEST_F(BrowserDetectionTest, OtherKindsAreNeverInstalledAndNamedOnTheDebugger) {
    RegisterApp("IEXPLORE.EXE", kIePath);
    registry.failOpen = true; // no registry access is needed for them
    EXPECT_FALSE(detection.IsBrowserInstalled(2));
    EXPECT_FALSE(detection.IsBrowserInstalled(7));
    EXPECT_EQ(debug.lines, (std::vector<std::string>{"Opera", "<unknown>"}));
}

TEST_F(BrowserDetectionTest, MissingApplicationPathsKeyIsAnError) {
    EXPECT_EQ(ErrorOf([&] { detection.IsBrowserInstalled(0); }),
              "Unable to detect if browsers are installed.");
    EXPECT_EQ(ErrorOf([&] { detection.IsBrowserInstalled(1); }),
              "Unable to detect if browsers are installed.");
    EXPECT_EQ(ErrorOf([&] { detection.DetectInstalledBrowsers(); }),
              "Unable to detect if browsers are installed.");
}

TEST_F(BrowserDetectionTest, InstalledSetHoldsOnlyKindsZeroAndOne) {
    registry.At(RootKey::LocalMachine, kAppPaths + "\\Opera.exe");
    EXPECT_EQ(detection.DetectInstalledBrowsers(), 0);
    RegisterApp("firefox.exe", kFirefoxPath);
    EXPECT_EQ(detection.DetectInstalledBrowsers(), 2);
    RegisterApp("IEXPLORE.EXE", kIePath);
    auto installed = detection.DetectInstalledBrowsers();
    EXPECT_EQ(installed, 3);
    EXPECT_FALSE(InBrowserSet(installed, bkOpera));
}

TEST_F(BrowserDetectionTest, PathIsTheDefaultValueAsStored) {
    RegisterApp("IEXPLORE.EXE", "%ProgramFiles%\\Internet Explorer\\IEXPLORE.EXE");
    RegisterApp("firefox.exe", kFirefoxPath);
    EXPECT_EQ(detection.GetBrowserPath(0), "%ProgramFiles%\\Internet Explorer\\IEXPLORE.EXE");
    EXPECT_EQ(detection.GetBrowserPath(1), kFirefoxPath);
}

TEST_F(BrowserDetectionTest, MissingPathNamesTheBrowser) {
    EXPECT_EQ(ErrorOf([&] { detection.GetBrowserPath(0); }),
              "Unable to locate executable for Internet Explorer browser.");
    RegisterAppWithoutPath("firefox.exe");
    EXPECT_TRUE(detection.IsBrowserInstalled(1));
    EXPECT_EQ(ErrorOf([&] { detection.GetBrowserPath(1); }),
              "Unable to locate executable for FireFox browser.");
    RegisterApp("firefox.exe", "");
    EXPECT_EQ(ErrorOf([&] { detection.GetBrowserPath(1); }),
              "Unable to locate executable for FireFox browser.");
    registry.At(RootKey::LocalMachine, kAppPaths + "\\firefox.exe").values[""] = {ValueType::Dword,
                                                                                  {1, 0, 0, 0}};
    EXPECT_EQ(ErrorOf([&] { detection.GetBrowserPath(1); }),
              "Unable to locate executable for FireFox browser.");
}

TEST_F(BrowserDetectionTest, OperaAndUnknownKindsHaveNoExecutable) {
    RegisterApp("IEXPLORE.EXE", kIePath);
    EXPECT_EQ(ErrorOf([&] { detection.GetBrowserPath(2); }),
              "Unable to locate executable for Opera browser.");
    EXPECT_EQ(ErrorOf([&] { detection.GetBrowserPath(9); }),
              "Unable to locate executable for <unknown> browser.");
    EXPECT_EQ(ErrorOf([&] { detection.BrowserDisplayName(2); }),
              "Unable to locate executable for Opera browser.");
    EXPECT_EQ(ErrorOf([&] { detection.BrowserDisplayName(6); }),
              "Unable to locate executable for <unknown> browser.");
    EXPECT_TRUE(versions.asked.empty());
}

TEST_F(BrowserDetectionTest, VersionComesFromTheRegisteredExecutable) {
    RegisterApp("IEXPLORE.EXE", kIePath);
    RegisterApp("firefox.exe", kFirefoxPath);
    versions.versions[kIePath] = 7 << 16;
    versions.versions[kFirefoxPath] = 2 << 16 | 17;
    EXPECT_EQ(detection.GetBrowserVersion(0), 7 << 16);
    EXPECT_EQ(detection.GetBrowserVersion(1), 2 << 16 | 17);
    EXPECT_EQ(detection.BrowserDisplayName(0), "Internet Explorer 7.0");
    EXPECT_EQ(detection.BrowserDisplayName(1), "FireFox 2.17");
    EXPECT_EQ(ErrorOf([&] { detection.GetBrowserVersion(2); }),
              "Unable to locate executable for Opera browser.");
}

TEST_F(BrowserDetectionTest, ExecutableWithoutVersionResourceShowsAllBitsSet) {
    RegisterApp("firefox.exe", kFirefoxPath);
    EXPECT_EQ(detection.GetBrowserVersion(1), -1);
    EXPECT_EQ(detection.BrowserDisplayName(1), "FireFox 65535.65535");
}

TEST_F(BrowserDetectionTest, NothingIsCached) {
    RegisterApp("firefox.exe", kFirefoxPath);
    versions.versions[kFirefoxPath] = 1 << 16 | 5;
    EXPECT_EQ(detection.BrowserDisplayName(1), "FireFox 1.5");
    RegisterApp("firefox.exe", "D:\\ff\\firefox.exe");
    versions.versions["D:\\ff\\firefox.exe"] = 3 << 16;
    EXPECT_EQ(detection.BrowserDisplayName(1), "FireFox 3.0");
}

TEST_F(BrowserDetectionTest, DefaultBrowserByExecutableFileName) {
    associations.executables["http"] = "C:\\Program Files\\Mozilla Firefox\\FIREFOX.EXE";
    EXPECT_EQ(detection.DetectDefaultBrowser(), bkFirefox);
    associations.executables["http"] = "C:\\PROGRA~1\\INTERN~1\\iexplore.exe";
    EXPECT_EQ(detection.DetectDefaultBrowser(), bkInternetExplorer);
    associations.executables["http"] = "D:firefox.exe";
    EXPECT_EQ(detection.DetectDefaultBrowser(), bkFirefox);
}

TEST_F(BrowserDetectionTest, ChromeAndEdgeAreDefaultsByTheirFileNamesAndAnyOtherIsTheSystemsOwn) {
    associations.executables["http"] =
        "C:\\Users\\me\\AppData\\Local\\Google\\Chrome\\Application\\chrome.exe";
    EXPECT_EQ(detection.DetectDefaultBrowser(), bkChrome);
    associations.executables["http"] = "C:\\Program Files (x86)\\Microsoft\\Edge\\Application\\MSEDGE.EXE";
    EXPECT_EQ(detection.DetectDefaultBrowser(), bkEdge);
    associations.executables["http"] = "C:\\Program Files\\Opera\\opera.exe";
    EXPECT_EQ(detection.DetectDefaultBrowser(), bkDefaultBrowser);
    // Only the file name counts, not a folder that happens to be named like a browser.
    associations.executables["http"] = "C:\\chrome.exe\\brave.exe";
    EXPECT_EQ(detection.DetectDefaultBrowser(), bkDefaultBrowser);
    associations.executables["http"] = "C:\\Mozilla\\firefox.exe.bak";
    EXPECT_EQ(detection.DetectDefaultBrowser(), bkDefaultBrowser);
}

TEST_F(BrowserDetectionTest, ChromeInstalledPerUserIsFoundBeforeTheMachinesCopy) {
    const std::string userChrome = "C:\\Users\\me\\AppData\\Local\\Google\\Chrome\\Application\\chrome.exe";
    const std::string edge = "C:\\Program Files (x86)\\Microsoft\\Edge\\Application\\msedge.exe";
    registry.At(RootKey::LocalMachine, kAppPaths);
    EXPECT_EQ(detection.DetectInstalledBrowsers(), 0);
    registry.SetString(RootKey::CurrentUser, kAppPaths + "\\chrome.exe", "", userChrome);
    RegisterApp("chrome.exe", "C:\\Program Files\\Google\\Chrome\\Application\\chrome.exe");
    RegisterApp("msedge.exe", edge);
    versions.versions[userChrome] = 120 << 16 | 1;
    versions.versions[edge] = 119 << 16;
    EXPECT_EQ(detection.DetectInstalledBrowsers(), (1 << bkChrome) | (1 << bkEdge));
    EXPECT_EQ(detection.GetBrowserPath(bkChrome), userChrome);
    EXPECT_EQ(detection.BrowserDisplayName(bkChrome), "Chrome 120.1");
    EXPECT_EQ(detection.BrowserDisplayName(bkEdge), "Edge 119.0");
    // A per-user key without a path leaves the machine's path in force.
    registry.At(RootKey::CurrentUser, kAppPaths + "\\msedge.exe");
    EXPECT_EQ(detection.GetBrowserPath(bkEdge), edge);
}

TEST_F(BrowserDetectionTest, TheDefaultBrowserIsAlwaysThereAndNeedsNoLookUp) {
    registry.failOpen = true;
    EXPECT_TRUE(detection.IsBrowserInstalled(bkDefaultBrowser));
    EXPECT_EQ(detection.BrowserDisplayName(bkDefaultBrowser), "Default browser");
    EXPECT_TRUE(versions.asked.empty());
    registry.failOpen = false;
    registry.At(RootKey::LocalMachine, kAppPaths);
    EXPECT_FALSE(InBrowserSet(detection.DetectInstalledBrowsers(), bkDefaultBrowser));
}

TEST_F(BrowserDetectionTest, NoHttpAssociationIsAnError) {
    EXPECT_EQ(ErrorOf([&] { detection.DetectDefaultBrowser(); }), "Unable to detect default browser.");
}

} // namespace
} // namespace tsy
