// Explore from the main window, as a user does it, checked at the browser's command line.
#include "E2eFixture.h"

namespace tsy::e2e {
namespace {

class ExploreTest : public ProgramTest {};

TEST_F(ExploreTest, SearchTextOpensEverySiteOfTheCollectionInOneFirefoxWindow) {
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
    EXPECT_EQ(calls[0], "-new-window \"https://alpha.example/find?q=R%26D+tips|"
                        "http://beta.example/search/R%26D+tips|"
                        "https://gamma.example/?s=R%26D+tips&lang=en\"");
    EXPECT_TRUE(program.IsRunning()) << "AutoClose is off";
}

TEST_F(ExploreTest, CtrlOpensTheHomePagesInsteadOfSearching) {
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
              "-new-window \"https://alpha.example/|http://beta.example/|https://gamma.example/home\"");
}

TEST_F(ExploreTest, EmptyCollectionWarnsAndOpensNothing) {
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

TEST_F(ExploreTest, CollectionWithoutSearchURLsOpensTheHomePages) {
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
    EXPECT_EQ(calls[0], "-new-window \"https://delta.example/\"");
}

} // namespace
} // namespace tsy::e2e
