#include "browsers/OpenUrls.h"
#include "AnsiCollation.h"
#include "BrowserFakes.h"
#include "FakeKeyValueStore.h"
#include "RecordingMessageBoxes.h"

#include <gtest/gtest.h>

namespace tsy {
namespace {

using Calls = std::vector<std::string>;

const std::string kAppPaths = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths";
const std::string kIePath = "C:\\IE\\IEXPLORE.EXE";
const std::string kFirefoxPath = "C:\\Mozilla Firefox\\firefox.exe";
const std::string kChromePath = "C:\\Google\\Chrome\\chrome.exe";

class OpenUrlsTest : public ::testing::Test, public fakes::TDetectionRig {
protected:
    OpenUrlsTest() {
        registry.SetString(RootKey::LocalMachine, kAppPaths + "\\IEXPLORE.EXE", "", kIePath);
        registry.SetString(RootKey::LocalMachine, kAppPaths + "\\firefox.exe", "", kFirefoxPath);
        SetIeVersion(7, 0);
        versions.versions[kFirefoxPath] = 2 << 16;
        registry.SetString(RootKey::CurrentUser, kAppPaths + "\\chrome.exe", "", kChromePath);
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

TEST(OpenUrlsParameters, OnlyFirefoxUpTo36JoinsWithBars) {
    EXPECT_TRUE(FirefoxJoinsWithBars(2 << 16));
    EXPECT_TRUE(FirefoxJoinsWithBars(3 << 16 | 6));
    EXPECT_FALSE(FirefoxJoinsWithBars(3 << 16 | 7));
    EXPECT_FALSE(FirefoxJoinsWithBars(4 << 16));
    EXPECT_FALSE(FirefoxJoinsWithBars(153 << 16));
    EXPECT_FALSE(FirefoxJoinsWithBars(-1));
    // A bar of the URL itself must not split it where bars join the list.
    EXPECT_EQ(FirefoxNewWindowParameters({"http://a.com/?q=x|y", "b.com"}),
              "-new-window \"http://a.com/?q=x%7Cy|http://b.com/\"");
    EXPECT_EQ(FirefoxStartParameters({"http://a.com/|"}, 100).parameters,
              (Calls{"-new-window \"http://a.com/%7C\""}));
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

TEST_F(OpenUrlsTest, FirefoxSingleUrlIsNormalisedToo) {
    opener.OpenURL(bkFirefox, "www.b.com");
    EXPECT_EQ(driver.calls, (Calls{"start " + kFirefoxPath + " -new-tab \"http://www.b.com/\""}));
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

TEST(FirefoxStarts, AListThatFitsIsOneNewWindow) {
    std::vector<std::string> urls{"http://a.com/1", "b.org"};
    auto starts = FirefoxStartParameters(urls, 1000);
    EXPECT_EQ(starts.parameters, (Calls{FirefoxNewWindowParameters(urls)}));
    EXPECT_TRUE(starts.tooLong.empty());
    EXPECT_TRUE(FirefoxStartParameters({}, 1000).parameters.empty());
}

TEST(FirefoxStarts, OverflowJoinsTheWindowAsTabsInListOrder) {
    // The window with two URLs is 43 characters, a third needs 15 more; a tab start of one URL
    // is 25 characters, of two 51.
    std::vector<std::string> urls{"http://a.com/1", "http://a.com/2", "http://a.com/3", "http://a.com/4",
                                  "http://a.com/5"};
    auto starts = FirefoxStartParameters(urls, 51);
    EXPECT_EQ(starts.parameters, (Calls{"-new-window \"http://a.com/1|http://a.com/2\"",
                                        "-new-tab \"http://a.com/3\" -new-tab \"http://a.com/4\"",
                                        "-new-tab \"http://a.com/5\""}));
    EXPECT_TRUE(starts.tooLong.empty());
    // One character less and each tab needs a start of its own.
    starts = FirefoxStartParameters(urls, 50);
    EXPECT_EQ(starts.parameters.size(), 4u);
    EXPECT_EQ(starts.parameters[1], "-new-tab \"http://a.com/3\"");
}

TEST(FirefoxStarts, TheDoubledBackslashBeforeTheClosingQuoteCounts) {
    // Closed, the window form of these two is 43 characters, its last backslash doubled.
    std::vector<std::string> urls{"http://a.com/", "http://b.com/\\"};
    EXPECT_EQ(FirefoxStartParameters(urls, 43).parameters.size(), 1u);
    auto starts = FirefoxStartParameters(urls, 42);
    EXPECT_EQ(starts.parameters, (Calls{"-new-window \"http://a.com/\"", "-new-tab \"http://b.com/\\\\\""}));
}

TEST(FirefoxStarts, AUrlNoStartCanCarryIsLeftOutAndTheOthersStillOpen) {
    std::string huge = "http://big.com/" + std::string(100, 'x');
    auto starts = FirefoxStartParameters({huge, "http://a.com/", huge, "http://b.com/", huge}, 60);
    // The first URL that fits opens the window.
    EXPECT_EQ(starts.parameters, (Calls{"-new-window \"http://a.com/|http://b.com/\""}));
    EXPECT_EQ(starts.tooLong, (std::vector<std::size_t>{0, 2, 4}));
    starts = FirefoxStartParameters({huge}, 60);
    EXPECT_TRUE(starts.parameters.empty());
    EXPECT_EQ(starts.tooLong, (std::vector<std::size_t>{0}));
}

TEST(FirefoxStarts, BudgetLeavesRoomForTheQuotedProgramAndTheNull) {
    EXPECT_EQ(ParameterBudget(kFirefoxPath), 32767 - kFirefoxPath.size() - 4);
    EXPECT_EQ(ParameterBudget(std::string(40000, 'x')), 0u);
}

TEST(FirefoxArgumentStarts, EachUrlItsOwnArgumentInAsFewStartsAsFit) {
    std::vector<std::string> urls{"http://a.com/1", "b.org", "http://c.com/dir\\", "http://d.com/?q=\"x\"|y"};
    auto starts = FirefoxArgumentStarts(urls, 1000);
    EXPECT_EQ(starts.parameters,
              (Calls{"-new-window \"http://a.com/1\" \"http://b.org/\" \"http://c.com/dir\\\\\" "
                     "\"http://d.com/?q=%22x%22|y\""}));
    EXPECT_TRUE(starts.tooLong.empty());
    EXPECT_TRUE(FirefoxArgumentStarts({}, 1000).parameters.empty());

    // "-new-window" with two quoted URLs is 45 characters; a tab start of two is 51.
    std::string huge = "http://big.com/" + std::string(100, 'x');
    urls = {huge, "http://a.com/1", "http://a.com/2", "http://a.com/3", "http://a.com/4",
            huge, "http://a.com/5"};
    starts = FirefoxArgumentStarts(urls, 51);
    EXPECT_EQ(starts.parameters, (Calls{"-new-window \"http://a.com/1\" \"http://a.com/2\"",
                                        "-new-tab \"http://a.com/3\" -new-tab \"http://a.com/4\"",
                                        "-new-tab \"http://a.com/5\""}));
    EXPECT_EQ(starts.tooLong, (std::vector<std::size_t>{0, 5}));
    EXPECT_EQ(FirefoxArgumentStarts(urls, 50).parameters.size(), 4u);
    EXPECT_EQ(FirefoxArgumentStarts(urls, 44).parameters[0], "-new-window \"http://a.com/1\"");
}

TEST_F(OpenUrlsTest, TodaysFirefoxGetsEveryUrlAsItsOwnArgumentAndEveryFailedStartIsReported) {
    versions.versions[kFirefoxPath] = 153 << 16;
    opener.OpenURLs(bkFirefox, {"http://a.com/1", "www.b.com", "c.com/x|y"});
    EXPECT_EQ(driver.calls,
              (Calls{"start " + kFirefoxPath +
                     " -new-window \"http://a.com/1\" \"http://www.b.com/\" \"http://c.com/x|y\""}));
    driver.calls.clear();
    opener.OpenURL(bkFirefox, "www.b.com");
    EXPECT_EQ(driver.calls, (Calls{"start " + kFirefoxPath + " -new-tab \"http://www.b.com/\""}));

    // Without a version resource Firefox is taken for today's.
    versions.versions.erase(kFirefoxPath);
    std::vector<std::string> urls;
    for (int i = 0; i < 1000; ++i)
        urls.push_back("http://site" + std::to_string(i) + ".example/search?q=text&n=" + std::to_string(i));
    driver.calls.clear();
    driver.failingStarts = {"site0.", "site999."};
    EXPECT_EQ(ErrorOf([&] { opener.OpenURLs(bkFirefox, urls); }),
              "Unable to start site0.\n\rUnable to start site999.");
    const auto expected = FirefoxArgumentStarts(urls, ParameterBudget(kFirefoxPath)).parameters;
    ASSERT_GT(expected.size(), 1u);
    ASSERT_EQ(driver.calls.size(), expected.size())
        << "a failed start keeps none of the others from starting";
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(driver.calls[i],
                  (i + 1 < expected.size() ? "start+wait " : "start ") + kFirefoxPath + " " + expected[i]);
}

// Splits "start PATH PARAMETERS" parameters back into the URLs they carry.
std::vector<std::string> UrlsOfStart(std::string parameters) {
    std::vector<std::string> urls;
    for (std::size_t at = 0; (at = parameters.find('"', at)) != std::string::npos;) {
        std::size_t end = parameters.find('"', at + 1);
        std::string argument = parameters.substr(at + 1, end - at - 1);
        for (std::size_t from = 0;;) {
            std::size_t bar = argument.find('|', from);
            urls.push_back(argument.substr(from, bar - from));
            if (bar == std::string::npos)
                break;
            from = bar + 1;
        }
        at = end + 1;
    }
    return urls;
}

TEST_F(OpenUrlsTest, AThousandSearchUrlsOpenInOrderOverSeveralStarts) {
    std::vector<std::string> urls;
    for (int i = 0; i < 1000; ++i)
        urls.push_back("http://site" + std::to_string(i) +
                       ".example/search?q=some+search+text&n=" + std::to_string(i));
    for (TBrowserVersion version : {2 << 16, 153 << 16}) {
        SCOPED_TRACE(MajorVersion(version));
        versions.versions[kFirefoxPath] = version;
        driver.calls.clear();
        opener.OpenURLs(bkFirefox, urls);
        ASSERT_GT(driver.calls.size(), 1u);
        std::vector<std::string> arrived;
        const std::string prefix = kFirefoxPath + " ";
        for (std::size_t i = 0; i < driver.calls.size(); ++i) {
            const std::string& call = driver.calls[i];
            // Every start but the last waits, so the browser takes them in order.
            std::string verb = i + 1 < driver.calls.size() ? "start+wait " : "start ";
            ASSERT_EQ(call.rfind(verb + prefix, 0), 0u) << call;
            std::string parameters = call.substr(verb.size() + prefix.size());
            EXPECT_LE(parameters.size(), ParameterBudget(kFirefoxPath));
            EXPECT_EQ(parameters.rfind(i == 0 ? "-new-window \"" : "-new-tab \"", 0), 0u);
            for (auto& url : UrlsOfStart(parameters))
                arrived.push_back(url);
        }
        EXPECT_EQ(arrived, urls);
        // As few starts as the limit allows.
        std::size_t total = 0;
        for (auto& url : urls)
            total += url.size() + 12;
        EXPECT_LE(driver.calls.size(), total / ParameterBudget(kFirefoxPath) + 2);
    }
}

TEST_F(OpenUrlsTest, TooLongUrlsAreRaisedAfterTheOthersOpen) {
    std::string huge = "http://big.com/?q=" + std::string(kMaxCommandLine, 'x');
    try {
        opener.OpenURLs(bkFirefox, {"http://a.com/", huge, "http://b.com/"});
        ADD_FAILURE() << "no error raised";
    } catch (const EUrlTooLong& error) {
        EXPECT_EQ(error.Indexes(), std::vector<std::size_t>{1});
    }
    EXPECT_EQ(driver.calls,
              (Calls{"start " + kFirefoxPath + " -new-window \"http://a.com/|http://b.com/\""}));

    driver.calls.clear();
    EXPECT_THROW(opener.OpenURL(bkFirefox, huge), EUrlTooLong);
    EXPECT_TRUE(driver.calls.empty());
}

TEST_F(OpenUrlsTest, EmptyListOpensNoWindow) {
    opener.OpenURLs(bkInternetExplorer, {});
    opener.OpenURLs(bkFirefox, {});
    EXPECT_TRUE(driver.calls.empty());
}

TEST(ChromiumStarts, EachNormalisedUrlIsAQuotedArgumentAfterTheNewWindowSwitch) {
    auto starts =
        ChromiumStartParameters({"http://a.com/?q=\"x\" --incognito", "b.org", "http://c.com/dir\\"}, 1000);
    EXPECT_EQ(starts.parameters,
              (Calls{"--new-window -- \"http://a.com/?q=%22x%22 --incognito\" \"http://b.org/\" "
                     "\"http://c.com/dir\\\\\""}));
    EXPECT_TRUE(starts.tooLong.empty());
    EXPECT_EQ(ChromiumNewTabParameters("b.org/\""), "-- \"b.org/%22\"");
}

TEST(ChromiumStarts, OverflowJoinsTheWindowAsPlainArgumentsInListOrder) {
    // "--new-window -- " and two quoted URLs are 49 characters; a later start of two is 36.
    std::string huge = "http://big.com/" + std::string(100, 'x');
    std::vector<std::string> urls{
        huge, "http://a.com/1", "http://a.com/2", "http://a.com/3", "http://a.com/4", huge, "http://a.com/5"};
    auto starts = ChromiumStartParameters(urls, 49);
    EXPECT_EQ(starts.parameters,
              (Calls{"--new-window -- \"http://a.com/1\" \"http://a.com/2\"",
                     "-- \"http://a.com/3\" \"http://a.com/4\"", "-- \"http://a.com/5\""}));
    EXPECT_EQ(starts.tooLong, (std::vector<std::size_t>{0, 5}));
    // One character less and the switches leave room for one URL only.
    EXPECT_EQ(ChromiumStartParameters(urls, 48).parameters,
              (Calls{"--new-window -- \"http://a.com/1\"", "-- \"http://a.com/2\" \"http://a.com/3\"",
                     "-- \"http://a.com/4\" \"http://a.com/5\""}));
}

TEST_F(OpenUrlsTest, ChromeOpensTheListInStartsThatWaitForEachOtherAndReportsEveryFailedStart) {
    std::vector<std::string> urls;
    for (int i = 0; i < 1000; ++i)
        urls.push_back("http://site" + std::to_string(i) +
                       ".example/search?q=some+search+text&n=" + std::to_string(i));
    driver.failingStarts = {"site0.", "site999."};
    try {
        opener.OpenURLs(bkChrome, urls);
        ADD_FAILURE() << "no error raised";
    } catch (const EBrowserError& error) {
        EXPECT_STREQ(error.what(), "Unable to start site0.\n\rUnable to start site999.");
    }
    const auto expected = ChromiumStartParameters(urls, ParameterBudget(kChromePath)).parameters;
    ASSERT_GT(expected.size(), 1u);
    ASSERT_EQ(driver.calls.size(), expected.size())
        << "a failed start keeps none of the others from starting";
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(driver.calls[i],
                  (i + 1 < expected.size() ? "start+wait " : "start ") + kChromePath + " " + expected[i]);

    driver.calls.clear();
    opener.OpenURL(bkChrome, "a.com");
    EXPECT_EQ(driver.calls, (Calls{"start " + kChromePath + " -- \"http://a.com/\""}));
    EXPECT_EQ(ErrorOf([&] { opener.OpenURLs(bkEdge, three); }),
              "Unable to locate executable for Edge browser.");
}

TEST_F(OpenUrlsTest, TooLongUrlsAndFailedStartsAreReportedTogether) {
    driver.failingStarts = {"a.com"};
    try {
        opener.OpenURLs(bkChrome,
                        {"http://a.com/", "http://big.com/?q=" + std::string(kMaxCommandLine, 'x')});
        ADD_FAILURE() << "no error raised";
    } catch (const EUrlTooLong& error) {
        EXPECT_EQ(error.Indexes(), std::vector<std::size_t>{1});
        EXPECT_EQ(error.StartFailures(), "Unable to start a.com");
    }
}

TEST_F(OpenUrlsTest, TheDefaultBrowserGetsEachUrlFromTheShellInListOrder) {
    registry.failOpen = true;
    driver.failingUrls = {"http://b.com/2"};
    EXPECT_EQ(ErrorOf([&] {
                  opener.OpenURLs(bkDefaultBrowser, {"http://a.com/1", "http://b.com/2", "c.com"});
              }),
              "Unable to open http://b.com/2");
    opener.OpenURL(bkDefaultBrowser, "d.com/x");
    EXPECT_EQ(driver.calls, (Calls{"open http://a.com/1", "open http://b.com/2", "open http://c.com/",
                                   "open http://d.com/x"}));
    EXPECT_TRUE(messages.shown.empty());
}

} // namespace
} // namespace tsy
