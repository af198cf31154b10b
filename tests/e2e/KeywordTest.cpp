// Keyword searches typed into the real program's search box, checked at the fake Firefox.
#include "E2eFixture.h"

#include <iostream>

namespace tsy::e2e {
namespace {

// The starter catalogue with the keyword "w" on Alpha and "s" on the collection "Search".
class KeywordTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        std::string sites = TestSitesFile();
        sites.insert(sites.find("[002]"), "keyword=w\r\n");
        WriteTextFile(CatalogueFolder() + "targets.dat", sites);
        WriteTextFile(CatalogueFolder() + "Tessaly.dat", TestCollectionsFile() + "[keywords]\r\n000=s\r\n");
    }

    // Types the text and presses Enter, with Ctrl when asked.
    void Explore(HWND main, const std::string& text, bool ctrl = false) {
        SetText(SearchBox(main), text);
        ASSERT_TRUE(BringToFront(main)) << "keyboard input needs the window in front";
        TypeKeys(ctrl ? std::vector<WORD>{VK_CONTROL} : std::vector<WORD>{}, VK_RETURN);
    }
    static LRESULT HistoryCount(HWND search) { return SendMessageA(search, CB_GETCOUNT, 0, 0); }
};

TEST_F(KeywordTest, SiteAndCollectionKeywordsWorkWithNoCollectionSelected) {
    SetSetting("Collection", "No such collection");
    TProgram program;
    HWND main = StartShown(program);
    ASSERT_TRUE(main);
    HWND search = SearchBox(main);
    ASSERT_TRUE(search);
    ASSERT_EQ(SendMessageA(CollectionsBox(main), CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(search) != FALSE; }, 5s))
        << "a keyword exists, so the search box is enabled without a collection";

    Explore(main, "!w paris");
    auto calls = WaitForFirefoxCalls(1);
    ASSERT_EQ(calls.size(), 1u);
    std::cout << "!w paris: " << calls[0] << "\n";
    EXPECT_EQ(calls[0], "-new-window \"https://alpha.example/find?q=paris\"");

    Explore(main, "  !S   Paris  Texas ");
    calls = WaitForFirefoxCalls(2);
    ASSERT_EQ(calls.size(), 2u);
    std::cout << "!S   Paris  Texas: " << calls[1] << "\n";
    // The collection's sites in its order, joined by "|" as this Firefox takes them.
    EXPECT_EQ(calls[1], "-new-window \"https://alpha.example/find?q=Paris++Texas|"
                        "http://beta.example/search/Paris++Texas|"
                        "https://gamma.example/?s=Paris++Texas&lang=en\"");

    Explore(main, "!w");
    calls = WaitForFirefoxCalls(3);
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[2], "-new-window \"https://alpha.example/\"") << "a keyword alone opens the home page";

    Explore(main, "!w paris", true);
    calls = WaitForFirefoxCalls(4);
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[3], "-new-window \"https://alpha.example/\"") << "Ctrl opens the home page";

    // Each text typed as it was, the repeated one once; Ctrl records nothing.
    EXPECT_EQ(HistoryCount(search), 3);
    EXPECT_EQ(SendMessageA(CollectionsBox(main), CB_GETCURSEL, 0, 0), CB_ERR) << "the selection stays";
    EXPECT_TRUE(program.IsRunning());
}

TEST_F(KeywordTest, UnknownKeywordWarnsAndTwoMarksSearchTheSelectedCollection) {
    SetSetting("AutoClose", 1);
    TProgram program;
    HWND main = StartShown(program);
    ASSERT_TRUE(main);
    HWND search = SearchBox(main);
    ASSERT_TRUE(search);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(search) != FALSE; }, 5s));

    Explore(main, "!xyz paris");
    HWND box = WaitForMessageBox(program.ProcessID(), "Warning", 10s);
    ASSERT_TRUE(box) << "no warning shown";
    std::cout << "unknown keyword: " << MessageBoxText(box) << "\n";
    EXPECT_EQ(MessageBoxText(box), "No site or collection has the keyword \"xyz\".");
    DismissMessageBox(box);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 5s));
    EXPECT_EQ(WindowText(search), "!xyz paris");
    EXPECT_EQ(HistoryCount(search), 0);
    EXPECT_TRUE(program.IsRunning() && IsWindowVisible(main)) << "AutoClose does not follow the warning";
    EXPECT_TRUE(FakeFirefoxCalls().empty());

    Explore(main, "!!x");
    const auto calls = WaitForFirefoxCalls(1);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0], "-new-window \"https://alpha.example/find?q=%21x|"
                        "http://beta.example/search/%21x|https://gamma.example/?s=%21x&lang=en\"");
    EXPECT_TRUE(WaitUntil([&] { return !program.IsRunning() || !IsWindowVisible(main); }, 10s))
        << "AutoClose follows the search";
}

} // namespace
} // namespace tsy::e2e
