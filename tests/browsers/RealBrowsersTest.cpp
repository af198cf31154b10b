// The argument lists the program builds for Firefox, Chrome and Edge, given to the real browsers:
// every address of a case must be asked for, and nothing else on the case's hosts.
#include "BrowserFakes.h"
#include "RealBrowser.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tsy::browsers {
namespace {

const std::string kAppPaths = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";

// One collection: its name also names its hosts, "*.NAME.example".
struct TOpenCase {
    std::string name;
    std::vector<std::string> urls;
};

void PrintTo(const TOpenCase& openCase, std::ostream* out) {
    *out << openCase.name;
}

std::vector<std::string> Searches(const std::string& hosts, int count) {
    std::vector<std::string> urls;
    for (int i = 1; i <= count; ++i)
        urls.push_back("http://s" + std::to_string(i) + "." + hosts +
                       ".example/search?q=red+shoes&site=" + std::to_string(i));
    return urls;
}

const std::vector<TOpenCase> kCases = {
    {"five", Searches("five", 5)},
    {"odd",
     {"http://quote.odd.example/find?q=%22say+%22hi%22+now\"", "http://bar.odd.example/?q=a|b|c&x=1",
      "http://amp.odd.example/?q=R%26D&lang=en&x=a&b", "http://pct.odd.example/?q=100%25+sure&raw=50%",
      "http://utf.odd.example/search?q=caf%C3%A9+%E6%9D%B1%E4%BA%AC",
      "utf2.odd.example/caf%C3%A9/%E6%9D%B1%E4%BA%AC",
      "http://long.odd.example/?q=" + std::string(1973, 'z')}},
    {"sixty", Searches("sixty", 60)},
    // Were any of these taken as a switch or a file, the browser would use another proxy or
    // profile, or open a file, instead of asking for the one web page.
    {"switch",
     {"--user-data-dir=x", "--proxy-server=http://127.0.0.1:9", "file:///etc/hostname",
      "http://ok.switch.example/"}},
};

// What the program gives the browser of `kind` for the case, as the browser's arguments.
std::vector<std::string> ArgumentsFor(TBrowserKind kind, const std::vector<std::string>& urls) {
    fakes::TDetectionRig rig;
    rig.registry.SetString(RootKey::LocalMachine, kAppPaths + "firefox.exe", "", "C:\\Firefox\\firefox.exe");
    rig.versions.versions["C:\\Firefox\\firefox.exe"] = 153 << 16;
    rig.registry.SetString(RootKey::CurrentUser, kAppPaths + "chrome.exe", "", "C:\\Chrome\\chrome.exe");
    rig.registry.SetString(RootKey::LocalMachine, kAppPaths + "msedge.exe", "", "C:\\Edge\\msedge.exe");
    fakes::FakeBrowserDriver driver;
    fakes::RecordingMessageBoxes messages;
    TUrlOpener(rig.detection, driver, messages).OpenURLs(kind, urls);
    // Every real case fits one start: later ones would need a browser that takes remote commands.
    EXPECT_EQ(driver.calls.size(), 1u);
    if (driver.calls.empty())
        return {};
    const std::string& call = driver.calls[0];
    const std::size_t program = call.find(".exe ");
    return WindowsArguments(std::string_view(call).substr(program + 5));
}

// Every web address of the case on its own hosts, in the form the browser asks for it.
std::vector<std::string> Expected(const TOpenCase& openCase) {
    const std::string hosts = "." + openCase.name + ".example";
    std::vector<std::string> expected;
    for (const auto& url : openCase.urls) {
        std::string full = url.find("://") == std::string::npos ? "http://" + url : url;
        const std::size_t start = full.find("://") + 3;
        const std::string host = full.substr(start, full.find_first_of("/?#", start) - start);
        const bool ownHost = host.size() > hosts.size() && host.ends_with(hosts);
        if (ownHost && (full.rfind("http://", 0) == 0 || full.rfind("https://", 0) == 0)) {
            if (full.find('/', full.find("://") + 3) == std::string::npos)
                full += '/';
            expected.push_back(CanonicalURL(full));
        }
    }
    std::sort(expected.begin(), expected.end());
    return expected;
}

class RealBrowsers : public ::testing::TestWithParam<TOpenCase> {
protected:
    // Starts the browser, waits for the case's pages, then ends it; the pages asked for, sorted.
    std::vector<std::string> Requested(std::vector<std::string> command,
                                       const std::vector<std::string>& arguments) {
        command.insert(command.end(), arguments.begin(), arguments.end());
        const std::string hosts = "." + GetParam().name + ".example";
        const auto expected = Expected(GetParam());
        TProcess browser(command, 150s);
        EXPECT_TRUE(browser.Started());
        // The positive sign that the browser has done its part: as many pages as expected.
        WaitUntil([&] { return proxy.PagesOf(hosts).size() >= expected.size() || !browser.Running(); }, 120s);
        browser.Stop();
        auto pages = proxy.PagesOf(hosts);
        std::sort(pages.begin(), pages.end());
        return pages;
    }

    TLoggingProxy proxy;
    TTempFolder profile;
};

TEST_P(RealBrowsers, FirefoxAsksForEveryAddressOfTheCollection) {
    WriteFirefoxProfile(profile.Path(), proxy.Port());
    const auto arguments = ArgumentsFor(bkFirefox, GetParam().urls);
    ASSERT_FALSE(arguments.empty());
    EXPECT_EQ(arguments[0], "-new-window");
    EXPECT_EQ(Requested(FirefoxCommand(profile.Path()), arguments), Expected(GetParam()));
}

TEST_P(RealBrowsers, ChromiumAsksForEveryAddressOfTheCollectionGivenAsChromeOrEdge) {
    const auto arguments = ArgumentsFor(bkChrome, GetParam().urls);
    ASSERT_FALSE(arguments.empty());
    EXPECT_EQ(arguments, ArgumentsFor(bkEdge, GetParam().urls)) << "Edge is started as Chrome is";
    EXPECT_EQ(Requested(OnVirtualDisplay(ChromiumCommand(profile.Path(), proxy.Port())), arguments),
              Expected(GetParam()));
}

std::string CaseName(const ::testing::TestParamInfo<TOpenCase>& test) {
    return test.param.name;
}

INSTANTIATE_TEST_SUITE_P(Collections, RealBrowsers, ::testing::ValuesIn(kCases), CaseName);

TEST(WindowsArguments, SplitAsTheSystemSplitsThem) {
    using V = std::vector<std::string>;
    EXPECT_EQ(WindowsArguments(" a  \"b c\"\td"), (V{"a", "b c", "d"}));
    EXPECT_EQ(WindowsArguments("\"a\\\\\" \"b\\\"c\" d\\e"), (V{"a\\", "b\"c", "d\\e"}));
    EXPECT_EQ(WindowsArguments("\"a\"\"b\" x\"y z\""), (V{"a\"b", "xy z"}));
}

} // namespace
} // namespace tsy::browsers
