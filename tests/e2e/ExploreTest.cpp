// Explore from the main window, as a user does it, checked at the browser's command line.
#include "E2eFixture.h"

#include <algorithm>
#include <cstdio>

namespace tsy::e2e {
namespace {

// Every Explore runs with a Firefox of today and with the last one that takes "|"-joined lists.
class ExploreTest : public ProgramTest, public ::testing::WithParamInterface<std::string> {
protected:
    std::string FirefoxFake() const override { return GetParam(); }
    bool JoinsWithBars() const { return GetParam() == "fake_firefox36.exe"; }
    // The new-window start of the URLs: one argument joined by "|", or each URL its own.
    std::string NewWindow(const std::vector<std::string>& urls) const {
        std::string parameters = "-new-window \"";
        for (size_t i = 0; i < urls.size(); ++i)
            parameters += (i == 0 ? "" : JoinsWithBars() ? "|" : "\" \"") + urls[i];
        return parameters + "\"";
    }
};

TEST_P(ExploreTest, SearchTextOpensEverySiteOfTheCollectionInOneFirefoxWindow) {
    TProgram program;
    HWND main = StartShown(program);
    ASSERT_TRUE(main);
    HWND search = SearchBox(main), explore = ExploreButton(main);
    ASSERT_TRUE(search);
    ASSERT_TRUE(explore);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(search) != FALSE; }, 5s))
        << "the default collection has searchable sites, so the search box is enabled";

    // Leading and trailing blanks go; "&" is escaped, the inner space becomes "+".
    SetText(search, "  R&D tips ");
    PostClick(explore);

    const auto calls = WaitForFirefoxCalls(1);
    ASSERT_EQ(calls.size(), 1u) << "one Firefox start for the whole collection";
    // The site without a scheme is given "http://" before it reaches the command line.
    EXPECT_EQ(calls[0],
              NewWindow({"https://alpha.example/find?q=R%26D+tips", "http://beta.example/search/R%26D+tips",
                         "https://gamma.example/?s=R%26D+tips&lang=en"}));
    EXPECT_TRUE(program.IsRunning()) << "AutoClose is off";
}

TEST_P(ExploreTest, CtrlOpensTheHomePagesInsteadOfSearching) {
    TProgram program;
    HWND main = StartShown(program);
    ASSERT_TRUE(main);
    HWND search = SearchBox(main);
    ASSERT_TRUE(search);
    SetText(search, "ignored text");
    ASSERT_TRUE(BringToFront(main)) << "keyboard input needs the window in front";
    // Enter in the search box explores; the Ctrl key is read with that key press.
    TypeKeys({VK_CONTROL}, VK_RETURN);

    const auto calls = WaitForFirefoxCalls(1);
    ASSERT_EQ(calls.size(), 1u);
    // The bare host name of the home page gains the scheme and a trailing "/".
    EXPECT_EQ(calls[0],
              NewWindow({"https://alpha.example/", "http://beta.example/", "https://gamma.example/home"}));
}

TEST_P(ExploreTest, EmptyCollectionWarnsAndOpensNothing) {
    SetSetting("Collection", "Empty");
    TProgram program;
    HWND main = StartShown(program);
    ASSERT_TRUE(main);
    HWND search = SearchBox(main), explore = ExploreButton(main);
    ASSERT_TRUE(search);
    ASSERT_TRUE(explore);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(search) == FALSE; }, 5s))
        << "a collection without searchable sites disables the search box";

    PostClick(explore);
    HWND box = WaitForMessageBox(program.ProcessID(), "Warning", 10s);
    ASSERT_TRUE(box) << "no warning shown";
    EXPECT_EQ(MessageBoxText(box),
              "Selected collection is empty.\n\rPlease, use Settings dialog to select sites to use.");
    DismissMessageBox(box);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 5s)) << "the warning does not go away";
    EXPECT_TRUE(program.IsRunning());
    // Explore ended with the warning, so nothing can still be on its way to the browser.
    EXPECT_TRUE(FakeFirefoxCalls().empty());
}

TEST_P(ExploreTest, CollectionWithoutSearchURLsOpensTheHomePages) {
    SetSetting("Collection", "Home pages");
    TProgram program;
    HWND main = StartShown(program);
    ASSERT_TRUE(main);
    HWND explore = ExploreButton(main);
    ASSERT_TRUE(explore);
    // The search box is disabled for this collection, so Explore uses the home page.
    PostClick(explore);
    const auto calls = WaitForFirefoxCalls(1);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0], NewWindow({"https://delta.example/"}));
}

TEST_P(ExploreTest, NoHomePageReachesFirefoxAsASwitch) {
    WriteTextFile(
        CatalogueFolder() + "targets.dat",
        "[001]\r\nname=Profile\r\nsearch=\r\nopen=-profile:C:\\users\\Public\r\ncatid=1\r\n"
        "[002]\r\nname=Web\r\nsearch=\r\nopen=http://ok.example/\r\ncatid=1\r\n[main]\r\nmaxid=2\r\n");
    WriteTextFile(CatalogueFolder() + "Tessaly.dat",
                  "[main]\r\ncollections=1\r\ncategories=1\r\n[collections]\r\n000=Pages\r\n[targets]\r\n"
                  "000=1,2\r\n[categories]\r\n001=Test sites\r\n");
    SetSetting("Collection", "Pages");
    TProgram program;
    HWND main = StartShown(program);
    ASSERT_TRUE(main);
    PostClick(ExploreButton(main));
    const auto calls = WaitForFirefoxCalls(1);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_NE(calls[0].find("http://-profile:C:\\users\\Public/"), std::string::npos) << calls[0];
    EXPECT_EQ(calls[0].find(" -profile"), std::string::npos) << calls[0];
    EXPECT_EQ(calls[0].find("\"-profile"), std::string::npos) << calls[0];
}

// The URLs of each Firefox start: each quoted argument, split at "|".
std::vector<std::vector<std::string>> UrlsOf(const std::vector<std::string>& calls) {
    std::vector<std::vector<std::string>> starts;
    for (const std::string& call : calls) {
        auto& urls = starts.emplace_back();
        for (size_t open = call.find('"'); open != std::string::npos; open = call.find('"', open + 1)) {
            const size_t close = call.find('"', open + 1);
            std::string quoted = call.substr(open + 1, close - open - 1);
            for (size_t begin = 0, bar; begin <= quoted.size(); begin = bar + 1) {
                bar = std::min(quoted.find('|', begin), quoted.size());
                urls.push_back(quoted.substr(begin, bar - begin));
            }
            open = close;
        }
    }
    return starts;
}

std::string NumberedSiteUrl(int id, const std::string& text) {
    char url[96];
    std::snprintf(url, sizeof url, "http://s%04d.example/path/to/search/results?query=%s&lang=en-us", id,
                  text.c_str());
    return url;
}

// A browser that hands its pages to a running instance exits at once; every start must still
// carry its share, and no URL may be lost or reordered between starts.
TEST_P(ExploreTest, ThousandSitesReachFirefoxInOrderOverSeveralStarts) {
    constexpr int kSites = 1000;
    std::string sites, members;
    for (int id = 1; id <= kSites; ++id) {
        char section[16];
        std::snprintf(section, sizeof section, "[%.3d]", id);
        sites += section + std::string("\r\nname=Site ") + std::to_string(id) +
                 "\r\nsearch=" + NumberedSiteUrl(id, "%s") + "\r\nopen=\r\ncatid=1\r\n";
        members += (id > 1 ? "," : "") + std::to_string(id);
    }
    WriteTextFile(CatalogueFolder() + "targets.dat", sites + "[main]\r\nmaxid=1000\r\n");
    WriteTextFile(
        CatalogueFolder() + "Tessaly.dat",
        "[main]\r\ncollections=1\r\ncategories=1\r\n[collections]\r\n000=Many\r\n[targets]\r\n000=" +
            members + "\r\n[categories]\r\n001=Test sites\r\n");
    SetSetting("Collection", "Many");
    TProgram program;
    HWND main = StartShown(program);
    ASSERT_TRUE(main);
    HWND search = SearchBox(main);
    ASSERT_TRUE(search);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(search) != FALSE; }, 5s));
    SetText(search, "needle");
    ASSERT_TRUE(BringToFront(main));
    TypeKeys({}, VK_RETURN);

    // Each start carries a run of the list in order; the starts may log in any order.
    std::vector<std::string> calls, urls;
    WaitUntil(
        [&] {
            calls = FakeFirefoxCalls();
            auto starts = UrlsOf(calls);
            std::sort(starts.begin(), starts.end());
            urls.clear();
            for (const auto& start : starts)
                urls.insert(urls.end(), start.begin(), start.end());
            return urls.size() >= size_t(kSites);
        },
        60s);
    ASSERT_EQ(urls.size(), size_t(kSites)) << "over " << calls.size() << " starts";
    for (int id = 1; id <= kSites; ++id)
        ASSERT_EQ(urls[size_t(id - 1)], NumberedSiteUrl(id, "needle"));
    EXPECT_EQ(std::count_if(calls.begin(), calls.end(),
                            [](const std::string& call) { return call.rfind("-new-window \"", 0) == 0; }),
              1);
}

std::string FakeName(const ::testing::TestParamInfo<std::string>& test) {
    return test.param == "fake_firefox36.exe" ? "V3_6" : "V153";
}

INSTANTIATE_TEST_SUITE_P(Firefox, ExploreTest, ::testing::Values("fake_firefox153.exe", "fake_firefox36.exe"),
                         FakeName);

} // namespace
} // namespace tsy::e2e
