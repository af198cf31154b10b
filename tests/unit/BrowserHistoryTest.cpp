#include "browsers/BrowserHistory.h"

#include "FakeOpenPagesPlatform.h"

#include <gtest/gtest.h>

#include <string>

namespace tsy {
namespace {

const std::string kFirefox = "C:\\Users\\me\\AppData\\Roaming\\Mozilla\\Firefox\\";
// Where the fake platform's Firefox keeps its files.
const std::string kFireFoxFolder = "C:\\Users\\me\\AppData\\Roaming\\Mozilla\\FireFox\\";

std::string Profile(std::string_view ini) {
    return FirefoxProfileFolder(kFirefox, ini).value_or("(none)");
}

TEST(FirefoxProfileFolder, TheInstallationsDefaultThenTheMarkedProfileThenTheFirst) {
    const std::string profiles =
        "[Profile1]\r\nName=work\r\nIsRelative=1\r\nPath=Profiles/w.work\r\nDefault=1\r\n\r\n"
        "[Profile0]\r\nName=default\r\nIsRelative=1\r\nPath=Profiles/d.default\r\n";
    EXPECT_EQ(Profile("[Install308046B0AF4A39CB]\r\nDefault=Profiles/x.default-release\r\nLocked=1\r\n\r\n" +
                      profiles),
              kFirefox + "Profiles\\x.default-release");
    EXPECT_EQ(Profile("[InstallA]\nDefault=\n\n" + profiles), kFirefox + "Profiles\\w.work");
    EXPECT_EQ(
        Profile("\xEF\xBB\xBF[General]\nStartWithLastProfile=1\n[Profile0]\n  path = Profiles/d.default  \n"),
        kFirefox + "Profiles\\d.default");
    EXPECT_EQ(Profile("[General]\r\nStartWithLastProfile=1\r\n"), "(none)");
}

TEST(FirefoxProfileFolder, AProfileOutsideFirefoxsFolderIsTakenAsItIs) {
    EXPECT_EQ(Profile("[Profile0]\nIsRelative=0\nPath=D:\\Fox\\mine\\\n"), "D:\\Fox\\mine");
    // The installation's default takes the relativity of the profile that has its path.
    EXPECT_EQ(Profile("[Install1]\nDefault=E:\\p\n[Profile0]\nIsRelative=0\nPath=E:\\p\n"), "E:\\p");
    EXPECT_EQ(Profile("[Install1]\nDefault=E:\\q\n"), "E:\\q");
    EXPECT_EQ(Profile("[Install1]\nDefault=Profiles/q\n"), kFirefox + "Profiles\\q");
}

TEST(FirefoxProfileFolder, RefusesAPathOutOfFirefoxsFolderOrOffTheLocalDrives) {
    for (const char* ini :
         {"[Profile0]\nIsRelative=1\nPath=../../Secret\n", "[Profile0]\nPath=Profiles\\..\\..\\x\n",
          "[Install1]\nDefault=Profiles/..\n", "[Profile0]\nIsRelative=1\nPath=\\\\server\\share\n",
          "[Profile0]\nIsRelative=0\nPath=\\\\server\\share\\p\n",
          "[Profile0]\nIsRelative=0\nPath=//server/share/p\n",
          "[Profile0]\nIsRelative=0\nPath=\\\\?\\C:\\p\n", "[Profile0]\nIsRelative=0\nPath=\\\\.\\COM1\n",
          "[Profile0]\nIsRelative=0\nPath=C:p\n", "[Install1]\nDefault=\\\\server\\p\n"})
        EXPECT_EQ(Profile(ini), "(none)") << ini;
    EXPECT_EQ(Profile("[Profile0]\nIsRelative=1\nPath=Profiles/a.b\n"), kFirefox + "Profiles\\a.b");
}

TEST(ChromiumProfileName, TheLastUsedProfileOfTheLocalStateOrDefault) {
    EXPECT_EQ(ChromiumProfileName(
                  R"({"browser":{"x":[1,{"last_used":"No"},"]}"]},"profile":{"info_cache":{"Profile 2":)"
                  R"({"name":"P\"2"}},"last_used":"Profile 2"},"z":true})"),
              "Profile 2");
    EXPECT_EQ(ChromiumProfileName(R"({ "profile" : { "last_used" : "Pr\u00f6file \ud83d\ude00" } })"),
              "Pr\xC3\xB6"
              "file \xF0\x9F\x98\x80");
    // Missing, not a plain folder name, not text, unterminated, misplaced, nested too deep.
    for (
        const char* text :
        {"", R"({"profile":{"last_used":"..\\x"}})", R"({"profile":{"last_used":".."}})",
         R"({"profile":{"last_used":7}})", R"({"profile":{"last_used":"Profile 1)",
         R"({"last_used":"Profile 1"})",
         R"({"a":[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]],"profile":{"last_used":"P"}})"})
        EXPECT_EQ(ChromiumProfileName(text), "Default") << text;
}

class BrowserHistory : public ::testing::Test {
protected:
    std::string List(TBrowserSet kinds) {
        TPageInfos pages;
        ListOpenPages(platform.System(), kinds, pages);
        std::string text;
        for (const auto& page : pages)
            text += (text.empty() ? "" : " ; ") + page.URL + "=" + page.Title;
        return text;
    }
    std::string RunFirefoxWithPlaces(THistoryRows rows) {
        platform.RunFirefox("Profiles/d.default", "@$$<(80=http://old.example/)>");
        const std::string places = kFireFoxFolder + "Profiles\\d.default\\places.sqlite";
        platform.files.AddFile(places, "");
        platform.databases.rows[places] = std::move(rows);
        return places;
    }

    fakes::FakeOpenPagesPlatform platform;
    const TBrowserSet all = (1 << bkInternetExplorer) | (1 << bkFirefox) | (1 << bkChrome) | (1 << bkEdge);
};

TEST_F(BrowserHistory, KindsInOrderEachNewestFirstWebPagesOnlyAndNoUrlTwice) {
    const std::string places =
        RunFirefoxWithPlaces({{"https://f.example/new", "New"}, {"http://f.example/old", ""}});
    const std::string chrome = platform.RunChromium(bkChrome, "Profile 1",
                                                    {{"http://c.example/?q=StubText", "StubText - C"},
                                                     {"chrome://settings/", "Settings"},
                                                     {"file:///C:/x.html", "x"},
                                                     {"HTTP://f.example/old", "Upper"},
                                                     {"http://f.example/old", "Again"}});
    platform.RunChromium(bkEdge, "Default",
                         {{"https://e.example/", "E"}, {"http://c.example/?q=StubText", "Dup"}});
    EXPECT_EQ(
        List(all),
        "https://f.example/new=New ; http://f.example/old=http://f.example/old ; "
        "http://c.example/?q=StubText=StubText - C ; HTTP://f.example/old=Upper ; https://e.example/=E");
    EXPECT_EQ(platform.databases.queries,
              (std::vector<std::string>{
                  places + ": " + kFirefoxHistoryQuery, chrome + ": " + kChromiumHistoryQuery,
                  "C:\\Users\\me\\AppData\\Local\\Microsoft\\Edge\\User Data\\Default\\History: " +
                      std::string(kChromiumHistoryQuery)}));
    EXPECT_EQ(List(1 << bkEdge), "https://e.example/=E ; http://c.example/?q=StubText=Dup");
}

TEST_F(BrowserHistory, OnlyRunningBrowsersAreRead) {
    RunFirefoxWithPlaces({{"http://f.example/", "F"}});
    platform.RunChromium(bkEdge, "Default", {{"http://e.example/", "E"}});
    platform.windowClasses.clear();
    platform.programWindows = {"Chrome_WidgetWin_1 chrome.exe"};
    EXPECT_EQ(List(all), "");
    // Today's Firefox names its windows differently; a Chrome window says nothing about Edge.
    platform.windowClasses = {"MozillaWindowClass"};
    platform.programWindows = {"Chrome_WidgetWin_1 msedge.exe"};
    EXPECT_EQ(List(all), "http://f.example/=F ; http://e.example/=E");
}

TEST_F(BrowserHistory, PlacesReplaceTheOldHistoryFileOnlyWhereTheyExist) {
    platform.RunFirefox("Profiles/d.default", "@$$<(80=http://old.example/)(82=Old)>");
    EXPECT_EQ(List(1 << bkFirefox), "http://old.example/=Old");
    RunFirefoxWithPlaces({{"http://new.example/", "New"}});
    EXPECT_EQ(List(1 << bkFirefox), "http://new.example/=New");
}

TEST_F(BrowserHistory, MissingLockedOrCorruptFilesGiveNoPagesAndNoError) {
    const std::string places = RunFirefoxWithPlaces({{"http://f.example/", "F"}});
    const std::string chrome = platform.RunChromium(bkChrome, "Default", {{"http://c.example/", "C"}});
    const std::string edge = platform.RunChromium(bkEdge, "Default", {{"http://e.example/", "E"}});
    platform.databases.corrupt.insert(places);
    platform.Unreadable({chrome});
    platform.databases.rows.erase(edge);
    EXPECT_EQ(List(all), "");
    // An unreadable state file leaves the default profile.
    const std::string state = "C:\\Users\\me\\AppData\\Local\\Google\\Chrome\\User Data\\Local State";
    platform.Unreadable({state, kFireFoxFolder + "profiles.ini"});
    EXPECT_EQ(List(all), "http://c.example/=C");
}

TEST_F(BrowserHistory, AChromiumProfileNameWithoutAnExactCodePageFormIsNotFollowed) {
    platform.RunChromium(bkChrome, "Default", {{"http://c.example/", "C"}});
    // Fullwidth "..\\" that a best-fit conversion would make a step out of the browser's folder.
    platform.files.AddFile(platform.localAppData + "\\Google\\Chrome\\User Data\\Local State",
                           R"({"profile":{"last_used":"\uff0e\uff0e\uff3cx"}})");
    EXPECT_EQ(List(1 << bkChrome), "http://c.example/=C");
}

} // namespace
} // namespace tsy
