#include "BrowserFakes.h"
#include "BrowserTestSupport.h"
#include "FakeBrowsers.h"
#include "FakeClock.h"
#include "FakeRandom.h"
#include "RecordingMessageBoxes.h"
#include "app/Explore.h"
#include "browsers/BrowserDetection.h"
#include "browsers/OpenUrls.h"
#include "browsers/SearchUrl.h"
#include "browsers/win32/BrowserPlatform.h"
#include "support/win32/ComPtr.h"
#include "support/win32/Dispatch.h"
#include "support/win32/RegistryStore.h"
#include "support/win32/SystemCodePage.h"
#include "support/win32/SystemCollation.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <algorithm>
#include <memory>
#include <optional>

namespace tsy {
namespace {

using namespace tsy::testing;
using Lines = std::vector<std::string>;

const char* const kAppPaths = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths";

class NullDebugOutput : public IDebugOutput {
public:
    void Write(std::string_view) override {}
};

class BrowsersTest : public ::testing::Test {
protected:
    // The same place may be overridden twice; undo in reverse so the first saved value wins.
    ~BrowsersTest() override {
        while (!overrides.empty())
            overrides.pop_back();
    }

    // Copies a fake browser into the temporary folder under the given name and returns its path.
    std::string InstallFake(const std::string& fake, const std::string& as) {
        std::string path = folder.File(as);
        EXPECT_TRUE(CopyFileA((FakesFolder() + "\\" + fake).c_str(), path.c_str(), FALSE)) << fake;
        return path;
    }
    // Wine answers for a file named IEXPLORE.EXE with its own built-in browser unless told to use the file.
    void InstallFakeInternetExplorer(int major) {
        Override(HKEY_CURRENT_USER, "Software\\Wine\\DllOverrides", "iexplore.exe", "native");
        Override(HKEY_CURRENT_USER, "Software\\Wine\\DllOverrides", "iexplore", "native");
        std::string fake = "fake_iexplore" + std::to_string(major) + ".exe";
        RegisterAppPath("IEXPLORE.EXE", InstallFake(fake, "IEXPLORE.EXE"));
        ASSERT_EQ(detection.BrowserDisplayName(bkInternetExplorer),
                  "Internet Explorer " + std::to_string(major) + ".0");
    }
    void RegisterAppPath(const std::string& executable, const std::string& path) {
        std::string key = std::string(kAppPaths) + "\\" + executable;
        overrides.push_back(std::make_unique<RegistryOverride>(HKEY_LOCAL_MACHINE, key, "", path));
    }
    void Override(HKEY root, const std::string& key, const std::string& name, const std::string& value) {
        overrides.push_back(std::make_unique<RegistryOverride>(root, key, name, value));
    }
    // Points "InternetExplorer.Application" at the fake in-process server.
    void RegisterFakeAutomation() {
        std::string classKey = std::string("CLSID\\") + TSY_FAKE_AUTOMATION_CLSID;
        Override(HKEY_CLASSES_ROOT, classKey + "\\InprocServer32", "",
                 FakesFolder() + "\\fake_ie_automation.dll");
        Override(HKEY_CLASSES_ROOT, classKey + "\\InprocServer32", "ThreadingModel", "Apartment");
        Override(HKEY_CLASSES_ROOT, "InternetExplorer.Application\\CLSID", "", TSY_FAKE_AUTOMATION_CLSID);
        CLSID registered = {}, fake = {};
        ASSERT_EQ(CLSIDFromProgID(L"InternetExplorer.Application", &registered), S_OK);
        CLSIDFromString(const_cast<LPOLESTR>(L"" TSY_FAKE_AUTOMATION_CLSID), &fake);
        ASSERT_TRUE(IsEqualCLSID(registered, fake)) << "the real browser must never be started";
    }
    // The Navigate2 and Visible calls the fake server logged.
    Lines AutomationCalls(std::size_t expected) {
        Lines calls;
        for (auto& line : WaitForLines(automationLog, expected))
            if (line.rfind("Navigate2", 0) == 0 || line.rfind("Visible", 0) == 0)
                calls.push_back(line);
        return calls;
    }

    RegistryLock lock;
    TempFolder folder;
    std::vector<std::unique_ptr<RegistryOverride>> overrides;
    win32::TRegistryStore store;
    win32::TFileVersionReader versions;
    win32::TShellProtocolAssociation associations;
    win32::TSystemCollation collation;
    NullDebugOutput debug;
    TBrowserDetection detection{store, versions, associations, collation, debug};
    win32::TBrowserDriver driver;
    fakes::RecordingMessageBoxes messages;
    TUrlOpener opener{detection, driver, messages};
    std::string browserLog = folder.File("browser.log");
    std::string automationLog = folder.File("automation.log");
    EnvironmentOverride browserLogVariable{TSY_FAKE_BROWSER_LOG_VARIABLE, browserLog};
    EnvironmentOverride automationLogVariable{TSY_FAKE_AUTOMATION_LOG_VARIABLE, automationLog};
};

TEST_F(BrowsersTest, VersionResourcesOfTheFakeBrowsers) {
    EXPECT_EQ(versions.ProductVersion(FakesFolder() + "\\fake_iexplore6.exe"), 6 << 16);
    EXPECT_EQ(versions.ProductVersion(FakesFolder() + "\\fake_iexplore7.exe"), 7 << 16);
    EXPECT_EQ(versions.ProductVersion(InstallFake("fake_firefox.exe", "firefox.exe")), 2 << 16);
    EXPECT_EQ(versions.ProductVersion(FakesFolder() + "\\fake_ie_automation.dll"), -1);
    EXPECT_EQ(versions.ProductVersion(folder.File("missing.exe")), -1);
}

TEST_F(BrowsersTest, FirefoxCommandLines) {
    RegisterAppPath("firefox.exe", InstallFake("fake_firefox.exe", "firefox.exe"));
    EXPECT_EQ(detection.BrowserDisplayName(bkFirefox), "FireFox 2.0");

    opener.OpenURL(bkFirefox, "http://one.example/?q=a+b");
    auto lines = WaitForLines(browserLog, 1);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(ProgramOf(lines[0]), folder.File("firefox.exe"));
    EXPECT_EQ(ParametersOf(lines[0]), "-new-tab \"http://one.example/?q=a+b\"");

    opener.OpenURLs(bkFirefox, {"http://a.example/1", "b.example/2", "c.example"});
    lines = WaitForLines(browserLog, 2);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(ParametersOf(lines[1]),
              "-new-window \"http://a.example/1|http://b.example/2|http://c.example/\"");

    opener.OpenURL(bkFirefox, "bare.example");
    opener.OpenURLs(bkFirefox, {"bare.example"});
    lines = WaitForLines(browserLog, 4);
    ASSERT_EQ(lines.size(), 4u);
    // Two processes may log in either order.
    std::sort(lines.begin() + 2, lines.end(),
              [](const std::string& a, const std::string& b) { return ParametersOf(a) < ParametersOf(b); });
    // A single address is normalised as a list is.
    EXPECT_EQ(ParametersOf(lines[2]), "-new-tab \"http://bare.example/\"");
    EXPECT_EQ(ParametersOf(lines[3]), "-new-window \"http://bare.example/\"");
}

TEST_F(BrowsersTest, ADoubleQuoteCannotEndTheFirefoxArgument) {
    RegisterAppPath("firefox.exe", InstallFake("fake_firefox.exe", "firefox.exe"));
    opener.OpenURLs(bkFirefox, {"http://q.example/?q=\"x\" -P other"});
    auto lines = WaitForLines(browserLog, 1);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(ParametersOf(lines[0]), "-new-window \"http://q.example/?q=%22x%22 -P other\"");
}

// The arguments a program gets when it splits its command line the usual way.
Lines ArgumentsOf(const std::string& commandLine) {
    std::wstring wide(commandLine.size(), L'\0');
    wide.resize(std::size_t(MultiByteToWideChar(CP_ACP, 0, commandLine.data(), int(commandLine.size()),
                                                wide.data(), int(wide.size()))));
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(wide.c_str(), &count);
    Lines split;
    for (int i = 0; arguments && i < count; ++i) {
        std::string narrow(
            std::size_t(WideCharToMultiByte(CP_ACP, 0, arguments[i], -1, nullptr, 0, nullptr, nullptr)),
            '\0');
        WideCharToMultiByte(CP_ACP, 0, arguments[i], -1, narrow.data(), int(narrow.size()), nullptr, nullptr);
        narrow.resize(narrow.empty() ? 0 : narrow.size() - 1);
        split.push_back(std::move(narrow));
    }
    LocalFree(arguments);
    return split;
}

TEST_F(BrowsersTest, EveryUrlReachesFirefoxAsOneArgument) {
    RegisterAppPath("firefox.exe", InstallFake("fake_firefox.exe", "firefox.exe"));
    opener.OpenURL(bkFirefox, "http://q.example/?q=\"x\" -P other");
    auto lines = WaitForLines(browserLog, 1);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(ParametersOf(lines[0]), "-new-tab \"http://q.example/?q=%22x%22 -P other\"");
    EXPECT_EQ(ArgumentsOf(lines[0]),
              (Lines{folder.File("firefox.exe"), "-new-tab", "http://q.example/?q=%22x%22 -P other"}));

    opener.OpenURL(bkFirefox, "http://b.example/dir\\");
    lines = WaitForLines(browserLog, 2);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(ArgumentsOf(lines[1]),
              (Lines{folder.File("firefox.exe"), "-new-tab", "http://b.example/dir\\"}));

    opener.OpenURLs(bkFirefox, {"http://a.example/\"1\"", "http://b.example/dir\\"});
    lines = WaitForLines(browserLog, 3);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(ArgumentsOf(lines[2]), (Lines{folder.File("firefox.exe"), "-new-window",
                                            "http://a.example/%221%22|http://b.example/dir\\"}));
}

TEST_F(BrowsersTest, AThousandSearchUrlsReachFirefoxInOrderOverSeveralStarts) {
    std::string firefox = InstallFake("fake_firefox.exe", "firefox.exe");
    RegisterAppPath("firefox.exe", firefox);
    Lines urls;
    for (int i = 0; i < 1000; ++i)
        urls.push_back("http://site" + std::to_string(i) +
                       ".example/search?q=several+words&n=" + std::to_string(i));
    std::size_t starts = FirefoxStartParameters(urls, ParameterBudget(firefox)).parameters.size();
    ASSERT_GT(starts, 1u);

    opener.OpenURLs(bkFirefox, urls);
    auto lines = WaitForLines(browserLog, starts);
    ASSERT_EQ(lines.size(), starts);
    // Each start as its own arguments, the window first, then the tab starts by their first URL.
    std::vector<Lines> received;
    for (auto& line : lines) {
        EXPECT_LT(line.size(), kMaxCommandLine);
        received.push_back(ArgumentsOf(line));
        ASSERT_GE(received.back().size(), 3u) << line;
        EXPECT_EQ(received.back()[0], firefox);
    }
    auto position = [&](const Lines& start) {
        if (start[1] == "-new-window")
            return std::size_t(0);
        return std::size_t(std::find(urls.begin(), urls.end(), start[2]) - urls.begin()) + 1;
    };
    std::sort(received.begin(), received.end(),
              [&](const Lines& a, const Lines& b) { return position(a) < position(b); });
    ASSERT_EQ(received[0][1], "-new-window");
    ASSERT_EQ(received[0].size(), 3u);
    Lines arrived;
    for (std::size_t from = 0, bar;; from = bar + 1) {
        bar = received[0][2].find('|', from);
        arrived.push_back(received[0][2].substr(from, bar - from));
        if (bar == std::string::npos)
            break;
    }
    for (std::size_t i = 1; i < received.size(); ++i) {
        for (std::size_t a = 1; a + 1 < received[i].size(); a += 2) {
            EXPECT_EQ(received[i][a], "-new-tab");
            arrived.push_back(received[i][a + 1]);
        }
    }
    EXPECT_EQ(arrived, urls);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(BrowsersTest, ExploreSendsTheCollectionToOneFirefoxWindow) {
    RegisterAppPath("firefox.exe", InstallFake("fake_firefox.exe", "firefox.exe"));
    TTargets targets;
    TCollections collections{collation};
    TTarget site;
    site.Search = "http://find.example/?q=%s";
    site.Open = "find.example";
    targets.Add(site);
    site.Search = "";
    site.Open = "home.example/start";
    targets.Add(site);
    collections.GetItem(collections.Add("Web")).SetIDs({1, 2});
    TAppSettings settings;
    settings.Browser = bkFirefox;
    fakes::TFakeRandom random;
    random.drawsZero = true;
    fakes::TFakeClock clock;
    win32::TSystemCodePage codePage;
    win32::TSystemWideCollation wideCollation;
    TExplorer explorer(targets, collections, settings, opener, messages, random, clock, codePage,
                       wideCollation);

    explorer.ExploreTargets(collections.ByName("web").IDs(), PrepareSearchText(u"say \"hi\"", codePage));
    explorer.ExploreTargets(collections.ByName("web").IDs(), TEncodedSearch{});
    auto lines = WaitForLines(browserLog, 2);
    ASSERT_EQ(lines.size(), 2u);
    std::sort(lines.begin(), lines.end(),
              [](const std::string& a, const std::string& b) { return ParametersOf(a) < ParametersOf(b); });
    EXPECT_EQ(ParametersOf(lines[0]), "-new-window \"http://find.example/?q=say+%22hi%22\"");
    EXPECT_EQ(ParametersOf(lines[1]), "-new-window \"http://find.example/|http://home.example/start\"");
    EXPECT_TRUE(messages.shown.empty());
}

// What the main window would answer, set by the test.
class ScriptedExploreView : public IExploreView {
public:
    std::optional<std::string> SelectedCollectionEntry() const override { return selected; }
    std::u16string SearchBoxText() const override { return win32::TSystemCodePage().ToWide(search); }
    bool SearchBoxEnabled() const override { return true; }
    bool CtrlHeld() const override { return ctrl; }
    bool AltHeld() const override { return alt; }
    void AddSearchToHistory() override { history.push_back(search); }
    void CloseWindow() override { ++closed; }

    std::optional<std::string> selected;
    std::string search;
    bool ctrl = false, alt = false;
    Lines history;
    int closed = 0;
};

TEST_F(BrowsersTest, ExploreClicksEndToEndBelowTheWindow) {
    RegisterAppPath("firefox.exe", InstallFake("fake_firefox.exe", "firefox.exe"));
    TTargets targets;
    TCollections collections{collation};
    auto addSite = [&](const char* search, const char* open) {
        TTarget site;
        site.Search = search;
        site.Open = open;
        targets.Add(site);
    };
    addSite("http://one.example/?q=%s", "one.example");
    addSite("http://two.example/find/%s", "");
    addSite("", "three.example/home");
    collections.GetItem(collections.Add("Mixed (daily)")).SetIDs({1, 2, 3});
    collections.GetItem(collections.Add("Homes")).SetIDs({3});
    collections.GetItem(collections.Add("Finders")).SetIDs({2});
    TAppSettings settings;
    settings.Browser = bkFirefox;
    settings.NumberOfItems = true;
    settings.AutoClose = true;
    fakes::TFakeRandom random;
    random.drawsZero = true;
    fakes::TFakeClock clock;
    win32::TSystemCodePage codePage;
    win32::TSystemWideCollation wideCollation;
    TExplorer explorer(targets, collections, settings, opener, messages, random, clock, codePage,
                       wideCollation);
    ScriptedExploreView view;
    std::size_t started = 0;
    auto nextParameters = [&] {
        auto lines = WaitForLines(browserLog, ++started);
        return lines.size() == started ? ParametersOf(lines.back()) : std::string("(not started)");
    };

    // The entry carries the count after a name that ends in a parenthesised word.
    view.selected = "Mixed (daily) (3)";
    view.search = " big cats ";
    explorer.btnExploreClick(view);
    EXPECT_EQ(nextParameters(),
              "-new-window \"http://one.example/?q=big+cats|http://two.example/find/big+cats\"");
    EXPECT_EQ(view.history, Lines{" big cats "});

    view.ctrl = true;
    explorer.btnExploreClick(view);
    EXPECT_EQ(nextParameters(), "-new-window \"http://one.example/|http://three.example/home\"");
    view.ctrl = false;

    // Alt shuffles a collection kept in order; the fixed draws reverse-rotate it.
    view.alt = true;
    explorer.btnExploreClick(view);
    EXPECT_EQ(nextParameters(),
              "-new-window \"http://two.example/find/big+cats|http://one.example/?q=big+cats\"");
    collections.ByName("Mixed (daily)").Randomize = true;
    explorer.btnExploreClick(view);
    EXPECT_EQ(nextParameters(),
              "-new-window \"http://one.example/?q=big+cats|http://two.example/find/big+cats\"");
    view.alt = false;

    view.selected = "Homes (1)";
    explorer.btnExploreClick(view);
    view.selected = "Finders (1)";
    view.search = "   ";
    explorer.btnExploreClick(view);
    explorer.ExploreTargets({}, TEncodedSearch{"x", "x"});
    EXPECT_EQ(
        fakes::ShownBoxes(messages),
        (Lines{"Warning: All the sites in the collection are just open commands. No URLs opened.",
               "Warning: All the sites in the collection require a search string to be provided.  No URLs "
               "opened.",
               "Warning: The selected collection has no sites."}));
    EXPECT_EQ(view.closed, 6) << "AutoClose follows every click, warned or not";
    EXPECT_EQ(WaitForLines(browserLog, started + 1, 500).size(), started) << "the warnings start nothing";
}

TEST_F(BrowsersTest, InternetExplorer7OpensTabsThenShowsTheWindow) {
    win32::ComApartment apartment;
    InstallFakeInternetExplorer(7);
    RegisterFakeAutomation();
    opener.OpenURLs(bkInternetExplorer, {"http://a.example/", "http://b.example/", "http://c.example/"});
    EXPECT_EQ(AutomationCalls(1),
              (Lines{"Navigate2 \"http://a.example/\" 0", "Navigate2 \"http://b.example/\" 4096",
                     "Navigate2 \"http://c.example/\" 4096", "Visible true"}));
    auto log = WaitForLines(automationLog, 1);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), "create");
    EXPECT_EQ(log.back(), "release");
}

DWORD WINAPI EnterFromAnotherThread(void* com) {
    static_cast<win32::TComOnDemand*>(com)->Enter();
    return 0;
}

TEST_F(BrowsersTest, TheProgramsApartmentIsEnteredForAutomationAndOnlyOnItsOwnThread) {
    win32::TComOnDemand com;
    HANDLE other = CreateThread(nullptr, 0, EnterFromAnotherThread, &com, 0, nullptr);
    ASSERT_EQ(WaitForSingleObject(other, 10000), WAIT_OBJECT_0);
    CloseHandle(other);
    EXPECT_FALSE(com.Entered()) << "another thread keeps an apartment of its own";

    InstallFakeInternetExplorer(7);
    RegisterFakeAutomation();
    win32::TBrowserDriver onDemand(&com);
    onDemand.CreateInternetExplorer()->Navigate("http://a.example/");
    EXPECT_TRUE(com.Entered());
}

TEST_F(BrowsersTest, InternetExplorer6OpensNewWindows) {
    win32::ComApartment apartment;
    InstallFakeInternetExplorer(6);
    RegisterFakeAutomation();
    opener.OpenURLs(bkInternetExplorer, {"http://a.example/", "http://b.example/", "http://c.example/"});
    EXPECT_EQ(AutomationCalls(1),
              (Lines{"Navigate2 \"http://a.example/\" 0", "Navigate2 \"http://b.example/\" 1",
                     "Navigate2 \"http://c.example/\" 1", "Visible true"}));
}

TEST_F(BrowsersTest, AFailingNavigationDoesNotStopTheList) {
    win32::ComApartment apartment;
    InstallFakeInternetExplorer(7);
    RegisterFakeAutomation();
    opener.OpenURLs(bkInternetExplorer,
                    {"http://a.example/", "http://fail-navigation.example/", "http://c.example/"});
    EXPECT_EQ(AutomationCalls(1), (Lines{"Navigate2 \"http://a.example/\" 0",
                                         "Navigate2 \"http://fail-navigation.example/\" 4096",
                                         "Navigate2 \"http://c.example/\" 4096", "Visible true"}));
}

TEST_F(BrowsersTest, InternetExplorerSingleUrl) {
    win32::ComApartment apartment;
    InstallFakeInternetExplorer(7);
    RegisterFakeAutomation();
    opener.OpenURL(bkInternetExplorer, "www.example.com");
    EXPECT_EQ(AutomationCalls(1), (Lines{"Navigate2 \"www.example.com\"", "Visible true"}));
    EXPECT_THROW(opener.OpenURL(bkInternetExplorer, "http://fail-navigation.example/"), win32::EComError);
}

TEST_F(BrowsersTest, UnregisteredAutomationObjectIsAnError) {
    win32::ComApartment apartment;
    Override(HKEY_CLASSES_ROOT, "InternetExplorer.Application\\CLSID", "",
             "{6A1E0B52-0000-0000-0000-000000000000}");
    EXPECT_THROW(win32::Dispatch::Create("InternetExplorer.Application"), win32::EComError);
    EXPECT_THROW(win32::Dispatch::Create("Tessaly.NoSuchObject"), win32::EComError);
}

TEST_F(BrowsersTest, LateBoundFailuresCarryTheSystemText) {
    win32::ComApartment apartment;
    RegisterFakeAutomation();
    auto browser = win32::Dispatch::Create("InternetExplorer.Application");
    try {
        browser.Call("Quit", {});
        ADD_FAILURE() << "no error";
    } catch (const win32::EComError& e) {
        EXPECT_EQ(e.Result(), DISP_E_UNKNOWNNAME);
        EXPECT_STREQ(e.what(), win32::ComErrorText(DISP_E_UNKNOWNNAME).c_str());
        EXPECT_STRNE(e.what(), "");
    }
    win32::Variant url("http://fail-navigation.example/");
    EXPECT_THROW(browser.Call("Navigate2", {&url}), win32::EComError);
    browser.Put("Visible", win32::Variant(false));
    EXPECT_EQ(AutomationCalls(1), (Lines{"Navigate2 \"http://fail-navigation.example/\"", "Visible false"}));
}

TEST_F(BrowsersTest, ApplicationPathWithoutDefaultValue) {
    std::string key = std::string(kAppPaths) + "\\firefox.exe";
    overrides.push_back(std::make_unique<RegistryOverride>(HKEY_LOCAL_MACHINE, key, "", "", true));
    EXPECT_TRUE(detection.IsBrowserInstalled(bkFirefox));
    EXPECT_TRUE(InBrowserSet(detection.DetectInstalledBrowsers(), bkFirefox));
    try {
        detection.GetBrowserPath(bkFirefox);
        ADD_FAILURE() << "no error";
    } catch (const EBrowserError& e) {
        EXPECT_STREQ(e.what(), "Unable to locate executable for FireFox browser.");
    }
    EXPECT_THROW(opener.OpenURLs(bkFirefox, {"http://a.example/"}), EBrowserError);
    EXPECT_FALSE(detection.IsBrowserInstalled(bkOpera));
}

// The arguments a fake Chrome or Edge logged for one start.
Lines LoggedArguments(const std::string& line) {
    Lines arguments;
    for (std::size_t from = 0;;) {
        const std::size_t tab = line.find('\t', from);
        arguments.push_back(line.substr(from, tab - from));
        if (tab == std::string::npos)
            return arguments;
        from = tab + 1;
    }
}

TEST_F(BrowsersTest, ChromeAndEdgeGetEachUrlAsAnArgumentOfOneNewWindow) {
    const std::string chrome = InstallFake("fake_chrome.exe", "chrome.exe");
    const std::string edge = InstallFake("fake_msedge.exe", "msedge.exe");
    // Chrome installs per user where it may not write to the machine's keys.
    overrides.push_back(std::make_unique<RegistryOverride>(
        HKEY_CURRENT_USER, std::string(kAppPaths) + "\\chrome.exe", "", chrome));
    RegisterAppPath("msedge.exe", edge);
    const auto installed = detection.DetectInstalledBrowsers();
    EXPECT_TRUE(InBrowserSet(installed, bkChrome));
    EXPECT_TRUE(InBrowserSet(installed, bkEdge));
    EXPECT_EQ(detection.BrowserDisplayName(bkChrome), "Chrome 156.0");
    EXPECT_EQ(detection.BrowserDisplayName(bkEdge), "Edge 155.0");

    opener.OpenURLs(bkChrome, {"http://a.example/\"1\" --incognito", "b.example", "http://c.example/dir\\"});
    auto lines = WaitForLines(browserLog, 1);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(LoggedArguments(lines[0]),
              (Lines{chrome, "--new-window", "--", "http://a.example/%221%22 --incognito",
                     "http://b.example/", "http://c.example/dir\\"}));
    opener.OpenURLs(bkEdge, {"http://e.example/?q=StubText"});
    lines = WaitForLines(browserLog, 2);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(LoggedArguments(lines[1]), (Lines{edge, "--new-window", "--", "http://e.example/?q=StubText"}));
    opener.OpenURL(bkEdge, "bare.example/\"x\"");
    lines = WaitForLines(browserLog, 3);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(LoggedArguments(lines[2]), (Lines{edge, "--", "http://bare.example/%22x%22"}));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(BrowsersTest, AThousandSearchUrlsReachChromeInOrderOverSeveralStarts) {
    const std::string chrome = InstallFake("fake_chrome.exe", "chrome.exe");
    RegisterAppPath("chrome.exe", chrome);
    Lines urls;
    for (int i = 0; i < 1000; ++i)
        urls.push_back("http://site" + std::to_string(i) +
                       ".example/search?q=several+words&n=" + std::to_string(i));
    const std::size_t starts = ChromiumStartParameters(urls, ParameterBudget(chrome)).parameters.size();
    ASSERT_GT(starts, 1u);

    opener.OpenURLs(bkChrome, urls);
    const auto lines = WaitForLines(browserLog, starts);
    ASSERT_EQ(lines.size(), starts);
    std::vector<Lines> received;
    for (const auto& line : lines) {
        received.push_back(LoggedArguments(line));
        ASSERT_GE(received.back().size(), 3u) << line;
        EXPECT_EQ(received.back()[0], chrome);
    }
    // Processes may log in any order: the window's start first, then by their first URL.
    auto position = [&](const Lines& start) {
        if (start[1] == "--new-window")
            return std::size_t(0);
        return std::size_t(std::find(urls.begin(), urls.end(), start[2]) - urls.begin()) + 1;
    };
    std::sort(received.begin(), received.end(),
              [&](const Lines& a, const Lines& b) { return position(a) < position(b); });
    ASSERT_EQ(received[0][1], "--new-window");
    Lines arrived;
    for (std::size_t i = 0; i < received.size(); ++i) {
        EXPECT_EQ(received[i][i == 0 ? 2 : 1], "--") << "every start ends its switches before its URLs";
        arrived.insert(arrived.end(), received[i].begin() + (i == 0 ? 3 : 2), received[i].end());
    }
    EXPECT_EQ(arrived, urls) << "only the first start opens a window; the others join it in list order";
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(BrowsersTest, DefaultBrowserFromTheHttpAssociation) {
    std::string firefox = InstallFake("fake_firefox.exe", "FIREFOX.EXE");
    Override(HKEY_CLASSES_ROOT, "http\\shell\\open\\command", "", "\"" + firefox + "\" -url \"%1\"");
    auto executable = associations.OpenExecutable("http");
    ASSERT_TRUE(executable.has_value());
    EXPECT_EQ(FileNamePart(*executable), "FIREFOX.EXE");
    EXPECT_EQ(detection.DetectDefaultBrowser(), bkFirefox);

    std::string edge = InstallFake("fake_msedge.exe", "msedge.exe");
    Override(HKEY_CLASSES_ROOT, "http\\shell\\open\\command", "", "\"" + edge + "\" --single-argument %1");
    EXPECT_EQ(detection.DetectDefaultBrowser(), bkEdge);

    // Any other browser is reached through the shell, one URL at a time.
    std::string other = InstallFake("fake_msedge.exe", "otherbrowser.exe");
    Override(HKEY_CLASSES_ROOT, "http\\shell\\open\\command", "", "\"" + other + "\" \"%1\"");
    EXPECT_EQ(detection.DetectDefaultBrowser(), bkDefaultBrowser);
    opener.OpenURLs(bkDefaultBrowser, {"http://a.example/?q=1&r=2", "b.example"});
    auto lines = WaitForLines(browserLog, 2);
    ASSERT_EQ(lines.size(), 2u);
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ(LoggedArguments(lines[0]), (Lines{other, "http://a.example/?q=1&r=2"}));
    EXPECT_EQ(LoggedArguments(lines[1]), (Lines{other, "http://b.example/"}));
    EXPECT_TRUE(messages.shown.empty());
}

} // namespace
} // namespace tsy
