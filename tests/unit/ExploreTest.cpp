#include "app/Explore.h"
#include "AnsiCollation.h"
#include "BrowserFakes.h"
#include "FakeBrowserInfo.h"
#include "FakeClock.h"
#include "FakeRandom.h"
#include "RecordingMessageBoxes.h"
#include "WideCaseCollation.h"
#include "browsers/SearchUrl.h"
#include "support/AnsiCodePage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace tsy {
namespace {

using Texts = std::vector<std::string>;

class FakeExploreView : public IExploreView {
public:
    std::optional<std::string> SelectedCollectionEntry() const override { return selected; }
    // The box's text: `search` in Windows-1252, or any Unicode text in `wide`.
    std::u16string SearchBoxText() const override {
        return wide.empty() ? TAnsiCodePage().ToWide(search) : wide;
    }
    bool SearchBoxEnabled() const override { return searchEnabled; }
    bool CtrlHeld() const override { return ctrl; }
    bool AltHeld() const override { return alt; }
    void AddSearchToHistory() override { events.push_back("history " + search); }
    void CloseWindow() override { events.push_back("close"); }

    std::optional<std::string> selected;
    std::string search;
    std::u16string wide;
    bool searchEnabled = true, ctrl = false, alt = false;
    Texts events;
};

const std::string kFirefox = "C:\\ff\\firefox.exe";

class ExploreTest : public ::testing::Test {
protected:
    ExploreTest() {
        AddSite("Both", "http://s1.com/?q=%s", "http://o1.com/");
        AddSite("Search only", "http://s2.com/find?q=%s&p=100%%", "");
        AddSite("Open only", "", "o3.com");
        AddSite("Broken", "http://s4.com/?q=%s&x=%41", "http://o4.com/");
        browsers.Install(bkInternetExplorer, 7, 0);
        browsers.Install(bkFirefox, 2, 0, kFirefox);
        settings.Browser = bkFirefox;
    }
    void AddSite(std::string name, std::string search, std::string open) {
        TTarget target;
        target.Name = std::move(name);
        target.Search = std::move(search);
        target.Open = std::move(open);
        targets.Add(target);
    }
    TCollection& AddCollection(const std::string& name, TTargetIDs ids, bool randomize = false) {
        auto& collection = collections.GetItem(collections.Add(name));
        collection.SetIDs(std::move(ids));
        collection.Randomize = randomize;
        return collection;
    }
    void Select(const std::string& entry, const std::string& search = {}) {
        view.selected = entry;
        view.search = search;
    }
    std::string Firefox(const std::string& joined) {
        return "start " + kFirefox + " -new-window \"" + joined + "\"";
    }

    TAnsiCollation collation;
    TTargets targets;
    TCollections collections{collation};
    TAppSettings settings;
    fakes::FakeBrowserInfo browsers;
    fakes::FakeBrowserDriver driver;
    fakes::RecordingMessageBoxes messages;
    TUrlOpener opener{browsers, driver, messages};
    fakes::TFakeRandom random;
    fakes::TFakeClock clock;
    TAnsiCodePage codePage;
    fakes::WideCaseCollation wideCollation;
    TExplorer explorer{targets, collections, settings, opener,       messages,
                       random,  clock,       codePage, wideCollation};
    FakeExploreView view;
};

TEST(CollectionEntries, CountIsCutAtTheLastParenthesis) {
    EXPECT_EQ(CollectionNameOfEntry("News (3)", true), "News");
    EXPECT_EQ(CollectionNameOfEntry("News (beta) (12)", true), "News (beta)");
    EXPECT_EQ(CollectionNameOfEntry("News (beta)", false), "News (beta)");
    EXPECT_EQ(CollectionNameOfEntry("  News \t", false), "News");
    // An entry without a count keeps its whole name rather than losing it.
    EXPECT_EQ(CollectionNameOfEntry("News", true), "News");
}

TEST_F(ExploreTest, NothingSelectedWarnsAndKeepsTheWindow) {
    settings.AutoClose = true;
    explorer.btnExploreClick(view);
    EXPECT_EQ(fakes::ShownBoxes(messages), Texts{"Warning: You have to select a collection to use"});
    EXPECT_TRUE(view.events.empty());
    EXPECT_TRUE(driver.calls.empty());
}

TEST_F(ExploreTest, EmptyCollectionWarnsBeforeTheHistoryIsTouched) {
    settings.AutoClose = true;
    AddCollection("Nothing", {});
    Select("Nothing", "query");
    explorer.btnExploreClick(view);
    EXPECT_EQ(
        fakes::ShownBoxes(messages),
        Texts{
            "Warning: Selected collection is empty.\n\rPlease, use Settings dialog to select sites to use."});
    EXPECT_TRUE(view.events.empty());
    EXPECT_TRUE(driver.calls.empty());
}

TEST_F(ExploreTest, SearchTextGoesToEverySiteThatCanSearch) {
    AddCollection("Search", {1, 2, 3});
    Select("search", "  R&D tips ");
    explorer.btnExploreClick(view);
    EXPECT_EQ(driver.calls,
              Texts{Firefox("http://s1.com/?q=R%26D+tips|http://s2.com/find?q=R%26D+tips&p=100%")});
    EXPECT_EQ(view.events, Texts{"history   R&D tips "});
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ExploreTest, EachSiteGetsTheTextInItsOwnCharset) {
    TTarget unicode;
    unicode.Search = "http://s5.com/?q=%s";
    unicode.Charset = "UTF-8";
    targets.Add(unicode);
    AddCollection("Mixed", {1, 5});
    Select("Mixed");
    view.wide = u"caf\u00e9";
    explorer.btnExploreClick(view);
    view.wide = u"\u6771 caf\u00e9";
    explorer.btnExploreClick(view);
    EXPECT_EQ(driver.calls,
              (Texts{Firefox("http://s1.com/?q=caf%E9|http://s5.com/?q=caf%C3%A9"),
                     Firefox("http://s1.com/?q=%E6%9D%B1+caf%C3%A9|http://s5.com/?q=%E6%9D%B1+caf%C3%A9")}));
}

TEST_F(ExploreTest, NegativeMemberEntriesAreStillSubmitted) {
    AddCollection("Search", {-3, 1});
    settings.Browser = bkInternetExplorer;
    Select("Search");
    explorer.btnExploreClick(view);
    EXPECT_EQ(driver.calls,
              (Texts{"create", "navigate o3.com 0", "navigate http://o1.com/ 4096", "show", "release"}));
}

TEST_F(ExploreTest, BlankTextDisabledBoxAndCtrlAllOpenHomePagesWithoutHistory) {
    AddCollection("Search", {1, 2, 3});
    const std::string homes = Firefox("http://o1.com/|http://o3.com/");

    Select("Search", " \t ");
    explorer.btnExploreClick(view);
    view.search = "query";
    view.searchEnabled = false;
    explorer.btnExploreClick(view);
    view.searchEnabled = true;
    view.ctrl = true;
    explorer.btnExploreClick(view);

    EXPECT_EQ(driver.calls, (Texts{homes, homes, homes}));
    EXPECT_TRUE(view.events.empty());
}

TEST_F(ExploreTest, SitesThatOnlyOpenCannotSearch) {
    AddCollection("Openers", {3, 3});
    Select("Openers", "query");
    explorer.btnExploreClick(view);
    EXPECT_EQ(fakes::ShownBoxes(messages),
              Texts{"Warning: All the sites in the collection are just open commands. No URLs opened."});
    EXPECT_TRUE(driver.calls.empty());

    view.ctrl = true;
    explorer.btnExploreClick(view);
    EXPECT_EQ(driver.calls, Texts{Firefox("http://o3.com/|http://o3.com/")});
}

TEST_F(ExploreTest, SitesThatOnlySearchNeedAText) {
    AddCollection("Searchers", {2});
    Select("Searchers", "");
    explorer.btnExploreClick(view);
    EXPECT_EQ(fakes::ShownBoxes(messages), Texts{"Warning: All the sites in the collection require a search "
                                                 "string to be provided.  No URLs opened."});
    EXPECT_TRUE(driver.calls.empty());
}

TEST_F(ExploreTest, ExploreTargetsOfAnEmptyListNamesTheMissingSites) {
    explorer.ExploreTargets({}, TEncodedSearch{"query", "query"});
    explorer.ExploreTargets({}, TEncodedSearch{});
    EXPECT_EQ(fakes::ShownBoxes(messages), (Texts{"Warning: The selected collection has no sites.",
                                                  "Warning: The selected collection has no sites."}));
}

TEST_F(ExploreTest, AutoCloseFollowsOpeningAndTheWarningsOfExploreTargets) {
    settings.AutoClose = true;
    AddCollection("Openers", {3});
    AddCollection("Search", {1});
    Select("Openers", "query");
    explorer.btnExploreClick(view); // warns
    Select("Search", "query");
    explorer.btnExploreClick(view); // opens
    settings.Browser = bkOpera;
    explorer.btnExploreClick(view); // refused by the opener
    EXPECT_EQ(view.events,
              (Texts{"history query", "close", "history query", "close", "history query", "close"}));
    EXPECT_EQ(messages.shown.size(), 2u);

    settings.AutoClose = false;
    view.events.clear();
    settings.Browser = bkFirefox;
    explorer.btnExploreClick(view);
    EXPECT_EQ(view.events, Texts{"history query"});
}

TEST_F(ExploreTest, ErrorsEndTheExploreBeforeAnythingOpensOrCloses) {
    settings.AutoClose = true;
    AddCollection("Broken", {1, 4});
    AddCollection("Unknown", {1, 99});
    Select("Broken", "x");
    EXPECT_THROW(explorer.btnExploreClick(view), ESearchTemplate);
    Select("Unknown", "x");
    EXPECT_THROW(explorer.btnExploreClick(view), EBriefcase);
    // The history entry was made before the failure.
    EXPECT_EQ(view.events, (Texts{"history x", "history x"}));
    EXPECT_TRUE(driver.calls.empty());

    Select("Not there", "x");
    EXPECT_THROW(explorer.btnExploreClick(view), EBriefcase);
    browsers.paths.erase(bkFirefox);
    Select("Unknown", "");
    collections.ByName("Unknown").SetIDs({1});
    EXPECT_THROW(explorer.btnExploreClick(view), std::runtime_error);
    EXPECT_EQ(view.events.size(), 2u);
}

TEST_F(ExploreTest, ASiteTooLongToOpenIsNamedAfterTheOthersOpen) {
    settings.AutoClose = true;
    AddSite("Huge", "http://huge.com/?q=%s&pad=" + std::string(kMaxCommandLine, 'p'), "");
    AddCollection("Mixed", {1, 5, 2});
    Select("Mixed", "x");
    try {
        explorer.btnExploreClick(view);
        ADD_FAILURE() << "no error raised";
    } catch (const EBrowserError& error) {
        EXPECT_STREQ(
            error.what(),
            "The address of the site \"Huge\" is too long to pass to the browser; it was not opened.");
    }
    EXPECT_EQ(driver.calls, Texts{Firefox("http://s1.com/?q=x|http://s2.com/find?q=x&p=100%")});
    EXPECT_EQ(view.events, Texts{"history x"});
}

TEST_F(ExploreTest, NumberOfItemsFindsANameThatEndsInParentheses) {
    settings.NumberOfItems = true;
    AddCollection("News (beta)", {1});
    AddCollection("News", {3});
    Select("NEWS (Beta) (1)");
    explorer.btnExploreClick(view);
    EXPECT_EQ(driver.calls, Texts{Firefox("http://o1.com/")});

    settings.NumberOfItems = false;
    Select("News (beta)");
    explorer.btnExploreClick(view);
    EXPECT_EQ(driver.calls.back(), Firefox("http://o1.com/"));
}

class ExploreOrderTest : public ExploreTest {
protected:
    ExploreOrderTest() {
        for (int i = 0; i < 12; ++i)
            AddSite("Site", "", "s" + std::to_string(targets.MaxID() + 1) + ".com/");
        for (int id = 5; id <= targets.MaxID(); ++id)
            stored.push_back(id);
    }
    TTargetIDs Explored(bool randomize, bool alt) {
        driver.calls.clear();
        collections.Clear();
        AddCollection("Many", stored, randomize);
        Select("Many");
        view.alt = alt;
        explorer.btnExploreClick(view);
        EXPECT_EQ(collections.ByName("Many").IDs(), stored) << "the collection itself is never reordered";
        TTargetIDs order;
        std::string line = driver.calls.at(0);
        for (std::size_t at = line.find("http://s"); at != std::string::npos;
             at = line.find("http://s", at + 1))
            order.push_back(std::stoi(line.substr(at + 8)));
        return order;
    }
    bool IsPermutationOfStored(TTargetIDs order) {
        std::sort(order.begin(), order.end());
        return order == stored;
    }
    TTargetIDs stored;
};

TEST_F(ExploreOrderTest, AltInvertsTheCollectionsRandomFlag) {
    EXPECT_EQ(Explored(false, false), stored);
    EXPECT_EQ(Explored(true, true), stored);
    EXPECT_EQ(random.seedCount, 0);

    auto shuffled = Explored(true, false);
    EXPECT_TRUE(IsPermutationOfStored(shuffled));
    EXPECT_NE(shuffled, stored);
    auto altShuffled = Explored(false, true);
    EXPECT_TRUE(IsPermutationOfStored(altShuffled));
    EXPECT_NE(altShuffled, stored);
    EXPECT_EQ(random.seedCount, 2);
}

TEST_F(ExploreTest, ShuffleIsSeededFromTheClockOnEveryCall) {
    clock.next = 1000;
    explorer.ShuffleTargetIDs({1, 2});
    EXPECT_EQ(random.seedCount, 1);
    EXPECT_EQ(clock.next, 1001u);
    EXPECT_EQ(explorer.ShuffleTargetIDs({}), TTargetIDs{});
    EXPECT_EQ(explorer.ShuffleTargetIDs({-4}), TTargetIDs{-4});
    EXPECT_EQ(random.seedCount, 3);
    // The same clock reading gives the same order.
    clock.next = 77;
    auto first = explorer.ShuffleTargetIDs({1, 2, 3, 4, 5, 6, 7, 8});
    clock.next = 77;
    EXPECT_EQ(explorer.ShuffleTargetIDs({1, 2, 3, 4, 5, 6, 7, 8}), first);
}

TEST_F(ExploreTest, ShuffleMakesEveryOrderEquallyLikely) {
    // 27000 shuffles of three: each of the six orders is expected 4500 times (standard deviation
    // about 61). A simple exchange pass from the whole list would give some orders 4000 and others 5000.
    std::map<TTargetIDs, int> seen;
    const TTargetIDs ids{1, 2, 3};
    for (int run = 0; run < 27000; ++run)
        ++seen[explorer.ShuffleTargetIDs(ids)];
    ASSERT_EQ(seen.size(), 6u);
    for (const auto& [order, count] : seen) {
        EXPECT_GT(count, 4200) << order[0] << order[1] << order[2];
        EXPECT_LT(count, 4800) << order[0] << order[1] << order[2];
    }
}

} // namespace
} // namespace tsy
