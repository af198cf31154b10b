#include "browsers/OpenUrls.h"
#include "BrowserFakes.h"
#include "FakeKeyValueStore.h"
#include "RecordingMessageBoxes.h"
#include "support/AnsiCollation.h"

#include <gtest/gtest.h>

namespace tsy {
namespace {

using Calls = std::vector<std::string>;

const std::string kAppPaths = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths";
const std::string kIePath = "C:\\IE\\IEXPLORE.EXE";
const std::string kFirefoxPath = "C:\\Mozilla Firefox\\firefox.exe";

class OpenUrlsTest : public ::testing::Test, public fakes::TDetectionRig {
protected:
    OpenUrlsTest() {
        registry.SetString(RootKey::LocalMachine, kAppPaths + "\\IEXPLORE.EXE", "", kIePath);
        registry.SetString(RootKey::LocalMachine, kAppPaths + "\\firefox.exe", "", kFirefoxPath);
        SetIeVersion(7, 0);
        versions.versions[kFirefoxPath] = 2 << 16;
    }
    void SetIeVersion(int major, int minor) { versions.versions[kIePath] = major << 16 | minor; }
    std::string ErrorOf(auto&& call) { return fakes::ErrorOf<std::exception>(call); }

    fakes::FakeBrowserDriver driver;
    fakes::RecordingMessageBoxes messages;
    TUrlOpener opener{detection, driver, messages};
    const std::vector<std::string> three{"http://a.com/1", "http://b.com/2", "http://c.com/3"};
};

TEST(OpenUrlsParameters, NavigateFlagsPerVersion) {
    EXPECT_EQ(NavigateFlags(0, 6 << 16), 0);
    EXPECT_EQ(NavigateFlags(1, 6 << 16), 1);
    EXPECT_EQ(NavigateFlags(2, 6 << 16 | 99), 1);
    EXPECT_EQ(NavigateFlags(1, 5 << 16), 1);
    EXPECT_EQ(NavigateFlags(0, 7 << 16), 0);
    EXPECT_EQ(NavigateFlags(1, 7 << 16), 4096);
    EXPECT_EQ(NavigateFlags(5, 8 << 16), 4096);
    // No version resource reads as 65535.65535, which is "7 or higher".
    EXPECT_EQ(NavigateFlags(1, -1), 4096);
}

TEST(OpenUrlsParameters, FirefoxCommandLines) {
    EXPECT_EQ(FirefoxNewTabParameters("www.example.com"), "-new-tab \"www.example.com\"");
    EXPECT_EQ(FirefoxNewWindowParameters({"www.example.com"}), "-new-window \"http://www.example.com/\"");
    EXPECT_EQ(FirefoxNewWindowParameters({"http://a.com/x", "b.org/y", "c.net"}),
              "-new-window \"http://a.com/x|http://b.org/y|http://c.net/\"");
}

TEST(OpenUrlsParameters, DoubleQuotesCannotEndTheArgument) {
    EXPECT_EQ(QuoteSafeURL("http://a.com/?q=%22x%22"), "http://a.com/?q=%22x%22");
    EXPECT_EQ(QuoteSafeURL("\"\""), "%22%22");
    EXPECT_EQ(FirefoxNewTabParameters("http://a.com/?q=\"x\" -P evil"),
              "-new-tab \"http://a.com/?q=%22x%22 -P evil\"");
    EXPECT_EQ(FirefoxNewWindowParameters({"http://a.com/\"", "b.com/\" -x \""}),
              "-new-window \"http://a.com/%22|http://b.com/%22 -x %22\"");
}

TEST(OpenUrlsParameters, TrailingBackslashesCannotEscapeTheClosingQuote) {
    // 2n backslashes before a quote stand for n backslashes and the quote ends the argument.
    EXPECT_EQ(FirefoxNewTabParameters("http://a.com/x\\"), "-new-tab \"http://a.com/x\\\\\"");
    EXPECT_EQ(FirefoxNewTabParameters("http://a.com/\\\\"), "-new-tab \"http://a.com/\\\\\\\\\"");
    EXPECT_EQ(FirefoxNewWindowParameters({"http://a.com/x\\", "http://b.com/y\\"}),
              "-new-window \"http://a.com/x\\|http://b.com/y\\\\\"");
    // Backslashes elsewhere stay single.
    EXPECT_EQ(FirefoxNewTabParameters("http://a.com/\\x"), "-new-tab \"http://a.com/\\x\"");
}

TEST_F(OpenUrlsTest, InternetExplorer7OpensBackgroundTabsThenShowsTheWindow) {
    opener.OpenURLs(bkInternetExplorer, three);
    EXPECT_EQ(driver.calls, (Calls{"create", "navigate http://a.com/1 0", "navigate http://b.com/2 4096",
                                   "navigate http://c.com/3 4096", "show", "release"}));
}

TEST_F(OpenUrlsTest, InternetExplorer6OpensNewWindows) {
    SetIeVersion(6, 0);
    opener.OpenURLs(bkInternetExplorer, three);
    EXPECT_EQ(driver.calls, (Calls{"create", "navigate http://a.com/1 0", "navigate http://b.com/2 1",
                                   "navigate http://c.com/3 1", "show", "release"}));
}

TEST_F(OpenUrlsTest, AFailingNavigationIsSkippedInAList) {
    driver.failingUrls = {"http://a.com/1", "http://c.com/3"};
    opener.OpenURLs(bkInternetExplorer, three);
    EXPECT_EQ(driver.calls, (Calls{"create", "failed http://a.com/1", "navigate http://b.com/2 4096",
                                   "failed http://c.com/3", "show", "release"}));
}

TEST_F(OpenUrlsTest, InternetExplorerSingleUrlUsesNoFlags) {
    opener.OpenURL(bkInternetExplorer, "www.example.com");
    EXPECT_EQ(driver.calls, (Calls{"create", "navigate www.example.com", "show", "release"}));
}

TEST_F(OpenUrlsTest, AFailingSingleNavigationEndsTheCall) {
    driver.failingUrls = {"http://a.com/1"};
    EXPECT_EQ(ErrorOf([&] { opener.OpenURL(bkInternetExplorer, "http://a.com/1"); }), "Navigation failed");
    EXPECT_EQ(driver.calls, (Calls{"create", "failed http://a.com/1", "release"}));
}

TEST_F(OpenUrlsTest, AutomationObjectThatCannotBeCreatedOpensNothing) {
    driver.failCreate = true;
    EXPECT_EQ(ErrorOf([&] { opener.OpenURLs(bkInternetExplorer, three); }), "Class not registered");
    EXPECT_EQ(ErrorOf([&] { opener.OpenURL(bkInternetExplorer, "a.com"); }), "Class not registered");
    EXPECT_TRUE(driver.calls.empty());
}

TEST_F(OpenUrlsTest, FirefoxListGoesToOneProcessStart) {
    opener.OpenURLs(bkFirefox, {"http://a.com/1", "www.b.com", "c.com/x"});
    EXPECT_EQ(driver.calls, (Calls{"start " + kFirefoxPath +
                                   " -new-window \"http://a.com/1|http://www.b.com/|http://c.com/x\""}));
}

TEST_F(OpenUrlsTest, FirefoxSingleUrlIsPassedUnchanged) {
    opener.OpenURL(bkFirefox, "www.b.com");
    EXPECT_EQ(driver.calls, (Calls{"start " + kFirefoxPath + " -new-tab \"www.b.com\""}));
}

TEST_F(OpenUrlsTest, BrowserThatCannotBeLocatedStopsBeforeAnythingOpens) {
    registry.keys.erase(
        fakes::FakeKeyValueStore::Normalize(RootKey::LocalMachine, kAppPaths + "\\firefox.exe"));
    registry.At(RootKey::LocalMachine, kAppPaths + "\\IEXPLORE.EXE").values.clear();
    const std::string ie = "Unable to locate executable for Internet Explorer browser.";
    const std::string ff = "Unable to locate executable for FireFox browser.";
    EXPECT_EQ(ErrorOf([&] { opener.OpenURLs(bkInternetExplorer, three); }), ie);
    EXPECT_EQ(ErrorOf([&] { opener.OpenURL(bkInternetExplorer, "a.com"); }), ie);
    EXPECT_EQ(ErrorOf([&] { opener.OpenURLs(bkFirefox, three); }), ff);
    EXPECT_EQ(ErrorOf([&] { opener.OpenURL(bkFirefox, "a.com"); }), ff);
    EXPECT_TRUE(driver.calls.empty());
}

TEST_F(OpenUrlsTest, OtherKindsAreRefusedWithAWarning) {
    opener.OpenURLs(bkOpera, three);
    opener.OpenURL(7, "a.com");
    opener.OpenURLs(200, three);
    EXPECT_EQ(fakes::ShownBoxes(messages),
              (Calls{"Warning: Opera browser is not supported. Please, refer to documentation.",
                     "Warning: <unknown> browser is not supported. Please, refer to documentation.",
                     "Warning: <unknown> browser is not supported. Please, refer to documentation."}));
    EXPECT_TRUE(driver.calls.empty());
    EXPECT_TRUE(versions.asked.empty());
}

TEST_F(OpenUrlsTest, EmptyListOpensNoWindow) {
    opener.OpenURLs(bkInternetExplorer, {});
    opener.OpenURLs(bkFirefox, {});
    EXPECT_TRUE(driver.calls.empty());
}

} // namespace
} // namespace tsy
