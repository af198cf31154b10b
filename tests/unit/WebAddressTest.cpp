#include "support/WebAddress.h"
#include "BrowserFakes.h"
#include "browsers/OpenUrls.h"
#include "browsers/SearchUrl.h"

#include <gtest/gtest.h>

namespace tsy {
namespace {

using Calls = std::vector<std::string>;

const std::string kAppPaths = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths";
const std::string kIePath = "C:\\IE\\IEXPLORE.EXE";
const std::string kChromePath = "C:\\Google\\Chrome\\chrome.exe";
const std::string kFirefoxPath = "C:\\Mozilla Firefox\\firefox.exe";

class WebAddressTest : public ::testing::Test, public fakes::TDetectionRig {
protected:
    WebAddressTest() {
        registry.SetString(RootKey::LocalMachine, kAppPaths + "\\IEXPLORE.EXE", "", kIePath);
        registry.SetString(RootKey::LocalMachine, kAppPaths + "\\chrome.exe", "", kChromePath);
        registry.SetString(RootKey::LocalMachine, kAppPaths + "\\firefox.exe", "", kFirefoxPath);
        versions.versions[kIePath] = 7 << 16;
        versions.versions[kFirefoxPath] = 2 << 16;
    }
    static std::string Refused(const Calls& addresses) { return "Warning: " + NotOpenedMessage(addresses); }

    fakes::FakeBrowserDriver driver;
    fakes::RecordingMessageBoxes messages;
    TUrlOpener opener{detection, driver, messages};
};

// What the system is asked to open for each address, or nothing when it is refused.
TEST_F(WebAddressTest, OnlyWebPagesAreOpenedWithTheSchemeTheyNeed) {
    const struct {
        const char* address;
        const char* opened;
    } rows[] = {
        {"file:///C:/windows/system32/notepad.exe", nullptr},
        {"FILE:x", nullptr},
        {"mailto:a@b", nullptr},
        {"javascript:alert(1)", nullptr},
        {"ms-settings:", nullptr},
        {"search-ms:query=x", nullptr},
        {"\\\\host\\share\\x.exe", nullptr},
        {"//host/x", nullptr},
        {"C:\\Windows\\notepad.exe", nullptr},
        {" \t/\\host/x", nullptr},
        {"localhost:8080/?q=x", "http://localhost:8080/?q=x"},
        {"localhost:8080", "http://localhost:8080/"},
        {"en.wikipedia.org/wiki/Special:Search?search=x",
         "http://en.wikipedia.org/wiki/Special:Search?search=x"},
        {"HTTPS://Example.org/", "HTTPS://Example.org/"},
        {"--proxy-server=http://127.0.0.1:9", "http://--proxy-server=http://127.0.0.1:9"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.address);
        driver.calls.clear();
        messages.shown.clear();
        opener.OpenURL(bkDefaultBrowser, row.address);
        if (row.opened) {
            EXPECT_EQ(driver.calls, Calls{std::string("open ") + row.opened});
            EXPECT_TRUE(messages.shown.empty());
        } else {
            EXPECT_TRUE(driver.calls.empty());
            EXPECT_EQ(fakes::ShownBoxes(messages), Calls{Refused({row.address})});
        }
    }
}

TEST_F(WebAddressTest, TheOthersOpenInOrderAndOneWarningListsTheRefusedAfterwards) {
    opener.OpenURLs(bkDefaultBrowser, {"mailto:a@b", "a.example", "ms-settings:", "https://b.example/"});
    EXPECT_EQ(driver.calls, (Calls{"open http://a.example/", "open https://b.example/"}));
    EXPECT_EQ(fakes::ShownBoxes(messages), Calls{Refused({"mailto:a@b", "ms-settings:"})});
    EXPECT_EQ(NotOpenedMessage({"mailto:a@b", "ms-settings:"}),
              "These addresses were not opened, since they are not web pages:\n\rmailto:a@b\n\rms-settings:");

    // Nothing left to open: the browser is not even looked for.
    driver.calls.clear();
    messages.shown.clear();
    registry.keys.clear();
    opener.OpenURLs(bkChrome, {"file:///x"});
    EXPECT_TRUE(driver.calls.empty());
    EXPECT_EQ(fakes::ShownBoxes(messages), Calls{Refused({"file:///x"})});
}

TEST_F(WebAddressTest, ErrorsOfTheOpenedOnesKeepTheirPlaceInTheWholeList) {
    const std::string huge = "http://big.example/?q=" + std::string(kMaxCommandLine, 'x');
    try {
        opener.OpenURLs(bkChrome, {"file:///x", "a.example", huge});
        ADD_FAILURE() << "no error raised";
    } catch (const EUrlTooLong& error) {
        EXPECT_EQ(error.Indexes(), std::vector<std::size_t>{2});
    }
    EXPECT_EQ(driver.calls, (Calls{"start " + kChromePath + " --new-window -- \"http://a.example/\""}));
    EXPECT_EQ(fakes::ShownBoxes(messages), Calls{Refused({"file:///x"})});
}

TEST_F(WebAddressTest, InternetExplorerGetsTheWebPagesUnchanged) {
    opener.OpenURLs(bkInternetExplorer, {"www.a.example", "\\\\host\\x", "javascript:alert(1)"});
    opener.OpenURL(bkInternetExplorer, "//host/x");
    EXPECT_EQ(driver.calls, (Calls{"create", "navigate www.a.example 0", "show", "release"}));
    EXPECT_EQ(fakes::ShownBoxes(messages),
              (Calls{Refused({"\\\\host\\x", "javascript:alert(1)"}), Refused({"//host/x"})}));
}

TEST_F(WebAddressTest, NoAddressReachesACommandLineAsASwitch) {
    opener.OpenURL(bkChrome, "--no-sandbox");
    opener.OpenURL(bkFirefox, "-profile:C:\\users\\Public");
    EXPECT_EQ(driver.calls,
              (Calls{"start " + kChromePath + " -- \"http://--no-sandbox/\"",
                     "start " + kFirefoxPath + " -new-tab \"http://-profile:C:\\users\\Public/\""}));
}

TEST(AddressScheme, IsWhatStandsBeforeTheFirstColonUnlessThatIsAHostAndPort) {
    EXPECT_EQ(AddressScheme("made-up.scheme+1:x"), "made-up.scheme+1");
    EXPECT_EQ(AddressScheme("x:8080y"), "x");
    EXPECT_EQ(AddressScheme("C:\\x"), "C");
    EXPECT_EQ(AddressScheme("host:80#top"), std::nullopt);
    EXPECT_EQ(AddressScheme("host:/x"), "host");
    EXPECT_EQ(AddressScheme("1host:x"), std::nullopt);
    EXPECT_EQ(AddressScheme(":x"), std::nullopt);
    EXPECT_EQ(AddressScheme("a?b:c"), std::nullopt);
}

} // namespace
} // namespace tsy
