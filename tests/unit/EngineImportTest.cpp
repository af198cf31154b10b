#include "ui/EngineImport.h"

#include "AsciiCollation.h"
#include "WideCaseCollation.h"
#include "support/AnsiCodePage.h"

#include <gtest/gtest.h>

namespace tsy {
namespace {

TEST(EngineTemplates, SchemeAndHostCaseAndASlashBeforeTheQueryOrAtTheEndDoNotCount) {
    EXPECT_TRUE(SameSearchTemplate("HTTPS://WWW.Example.COM/find?q=%s", "https://www.example.com/find?q=%s"));
    EXPECT_TRUE(SameSearchTemplate("https://example.com/?q=%s", "https://example.com?q=%s"));
    EXPECT_TRUE(SameSearchTemplate("https://example.com/s/%s/", "https://example.com/s/%s"));
    EXPECT_TRUE(SameSearchTemplate("https://example.com/#q=%s", "https://example.com#q=%s"));
    // The path and the query keep their letter case.
    EXPECT_FALSE(SameSearchTemplate("https://example.com/Find?q=%s", "https://example.com/find?q=%s"));
    EXPECT_FALSE(SameSearchTemplate("https://example.com/find?Q=%s", "https://example.com/find?q=%s"));
    EXPECT_FALSE(SameSearchTemplate("http://example.com/?q=%s", "https://example.com/?q=%s"));
    EXPECT_FALSE(SameSearchTemplate("https://example.com/a/?q=%s", "https://example.com/a?q=%s"));
}

TEST(EngineTemplates, AnEngineIsInTheCatalogueWhenASiteSearchesWithItsTemplate) {
    TTargets targets;
    TTarget home{0, "Home only", "", "https://example.com/", 0, false, {}, {}};
    TTarget search{0, "Search", "https://Find.Example/?q=%s", "", 0, false, {}, {}};
    targets.Add(home);
    EXPECT_FALSE(InCatalogue(targets, "https://find.example?q=%s"));
    targets.Add(search);
    EXPECT_TRUE(InCatalogue(targets, "https://find.example?q=%s"));
    EXPECT_FALSE(InCatalogue(targets, "https://find.example?s=%s"));
}

TEST(EngineTemplates, TheHomePageIsSchemeAndHostWithASlash) {
    EXPECT_EQ(HomePageOf("https://www.google.com/search?q=%s&ie=UTF-8"), "https://www.google.com/");
    EXPECT_EQ(HomePageOf("https://duckduckgo.com/?q=%s"), "https://duckduckgo.com/");
    EXPECT_EQ(HomePageOf("http://find.example:8080?q=%s"), "http://find.example:8080/");
    EXPECT_EQ(HomePageOf("http://find.example#%s"), "http://find.example/");
    EXPECT_EQ(HomePageOf("find.example/?q=%s"), "");
}

TEST(EngineSites, AreAddedInOrderWithTheirFieldsAndJoinTheCollectionInThatOrder) {
    fakes::AsciiCollation collation;
    TAnsiCodePage codePage;
    fakes::WideCaseCollation wideCollation;
    TTargets targets;
    TTarget existing{0, "Old", "", "http://old.example/", 0, false, {}, "old"};
    targets.Add(existing);
    TCollections collections(collation);
    collections.Add("Engines");
    TCollection& engines = collections.GetItem(0);
    engines.Add(1);
    collections.GetItem(0).Keyword = "news";
    const TKeywordContext keywords{targets, collections, codePage, wideCollation};
    // Keywords come along only when valid and free: a host name is none, "OLD" and "News" are
    // taken, and the second "ya" is taken by the first.
    const TSearchEngines found = {
        {"Bing", "bing.com", "https://www.bing.com/search?q=%s", "UTF-8", bkChrome},
        {"Yandex", "ya", "https://yandex.ru/search/?text=%s", "Windows-1251", bkEdge},
        {"Old again", "OLD", "https://o.example/?q=%s", "UTF-8", bkFirefox},
        {"Yahoo", "ya", "https://search.yahoo.com/search?p=%s", "UTF-8", bkFirefox},
        {"News", "News", "https://n.example/?q=%s", "UTF-8", bkFirefox},
    };
    const auto added = AddEngineSites(targets, &engines, found, 3, keywords);
    EXPECT_EQ(added, (std::vector<std::int32_t>{2, 3, 4, 5, 6}));
    EXPECT_EQ(engines.IDs(), (TTargetIDs{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(targets.ByID(2), (TTarget{2, "Bing", "https://www.bing.com/search?q=%s",
                                        "https://www.bing.com/", 3, false, "utf-8", ""}));
    EXPECT_EQ(targets.ByID(3), (TTarget{3, "Yandex", "https://yandex.ru/search/?text=%s",
                                        "https://yandex.ru/", 3, false, "windows-1251", "ya"}));
    for (std::int32_t id : {4, 5, 6})
        EXPECT_EQ(targets.ByID(id).Keyword, "") << id;
    // Without a collection the sites are only added.
    EXPECT_EQ(AddEngineSites(targets, nullptr, {found[0]}, 0, keywords), (std::vector<std::int32_t>{7}));
    EXPECT_EQ(targets.Count(), 7);
    EXPECT_EQ(engines.IDs(), (TTargetIDs{1, 2, 3, 4, 5, 6}));
}

} // namespace
} // namespace tsy
