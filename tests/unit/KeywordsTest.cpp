#include "catalogue/Keywords.h"
#include "AnsiCollation.h"
#include "catalogue/CatalogueFile.h"

#include "support/AnsiCodePage.h"

#include "WideCaseCollation.h"

#include <gtest/gtest.h>

namespace tsy {
namespace {

class KeywordsTest : public ::testing::Test {
protected:
    KeywordsTest() {
        TTarget wiki{0, "Wikipedia", "http://w/?q=%s", "", 0, false, "", "w"};
        targets.Add(wiki);
        TTarget plain{0, "Plain", "http://p/?q=%s", "", 0, false, "", ""};
        targets.Add(plain);
        collections.GetItem(collections.Add("News")).Keyword = "caf\xE9";
        collections.Add("Other");
    }

    TAnsiCollation collation;
    TAnsiCodePage codePage;
    fakes::WideCaseCollation wideCollation;
    TTargets targets;
    TCollections collections{collation};
    TCategories categories{collation};
    TKeywordContext context{targets, collections, codePage, wideCollation};
};

TEST_F(KeywordsTest, TypedTextNamesAKeywordOnlyWhenTheWordAfterTheMarkIsOne) {
    using K = TTypedSearch::TKind;
    struct Case {
        std::u16string typed;
        K kind;
        std::u16string keyword, text;
    };
    const std::u16string longest(32, u'k');
    const Case cases[] = {
        {u"!w paris", K::Keyword, u"w", u"paris"},
        {u" \t!W   paris  texas \t", K::Keyword, u"W", u"paris  texas"},
        {u"!w", K::Keyword, u"w", u""},
        {u"!w   ", K::Keyword, u"w", u""},
        {u"!a-b_9 x", K::Keyword, u"a-b_9", u"x"},
        {u"!caf\u00E9 x", K::Keyword, u"caf\u00E9", u"x"}, // a letter of the code page
        {u"!" + longest + u" x", K::Keyword, longest, u"x"},
        {u"!" + longest + u"k x", K::Plain, u"", u""},
        {u"!\u03C9 x", K::Plain, u"", u""}, // a letter the code page lacks
        {u"!\u20AC x", K::Plain, u"", u""}, // in the code page, but no letter
        {u"!w? x", K::Plain, u"", u""},
        {u"! w", K::Plain, u"", u""},
        {u"!", K::Plain, u"", u""},
        {u"paris !w", K::Plain, u"", u""},
        {u"!!x", K::Literal, u"", u"!x"},
        {u"  !!w paris ", K::Literal, u"", u"!w paris"},
    };
    for (const Case& c : cases) {
        const TTypedSearch parsed = ParseTypedSearch(c.typed, codePage);
        EXPECT_EQ(parsed.Kind, c.kind) << c.typed.size();
        EXPECT_EQ(parsed.Keyword, c.keyword) << c.typed.size();
        if (c.kind != K::Plain) {
            EXPECT_EQ(parsed.Text, c.text) << c.typed.size();
        }
    }
}

TEST_F(KeywordsTest, KeywordsAreUniqueAmongSitesAndCollectionsIgnoringCase) {
    const TKeywordOwner newSite{TKeywordOwner::TKind::Site, 99, {}};
    EXPECT_EQ(KeywordRefusal(context, " W ", newSite),
              "The keyword \"W\" belongs to the site \"Wikipedia\".");
    EXPECT_EQ(KeywordRefusal(context, "CAF\xC9", newSite),
              "The keyword \"CAF\xC9\" belongs to the collection \"News\".");
    // A site or collection keeps its own keyword; a site id is not a collection index.
    EXPECT_FALSE(KeywordRefusal(context, "W", {TKeywordOwner::TKind::Site, 1, {}}));
    EXPECT_FALSE(KeywordRefusal(context, "caf\xE9", {TKeywordOwner::TKind::Collection, 0, {}}));
    EXPECT_TRUE(KeywordRefusal(context, "w", {TKeywordOwner::TKind::Collection, 1, {}}));
    EXPECT_FALSE(KeywordRefusal(context, "free", newSite));
    EXPECT_FALSE(KeywordRefusal(context, "  ", newSite)) << "an empty keyword takes it away";
    for (const std::string& bad :
         {std::string("a b"), std::string("a!"), std::string("\x80"), std::string(33, 'k')})
        EXPECT_EQ(KeywordRefusal(context, bad, newSite), kInvalidKeywordWarning) << bad;

    const TKeywordOwner owner = KeywordOwner(context, std::u16string_view(u"CAF\u00C9"));
    EXPECT_EQ(owner.Kind, TKeywordOwner::TKind::Collection);
    EXPECT_EQ(owner.ID, 0);
    EXPECT_FALSE(KeywordOwner(context, std::u16string_view(u"Plain")));
    EXPECT_TRUE(AnyKeyword(targets, collections));
}

TEST_F(KeywordsTest, KeywordsAreStoredOnlyWhereSetAndReadBack) {
    const std::string sites = TargetsFileText(targets, false);
    EXPECT_EQ(sites, "[001]\r\nname=Wikipedia\r\nsearch=http://w/?q=%s\r\nopen=\r\ncatid=0\r\nkeyword=w\r\n"
                     "[002]\r\nname=Plain\r\nsearch=http://p/?q=%s\r\nopen=\r\ncatid=0\r\n"
                     "[main]\r\nmaxid=2\r\n");
    collections.Add("Third");
    collections.GetItem(2).Keyword = "t";
    const std::string groups = CollectionsFileText(collections, categories);
    EXPECT_EQ(groups,
              "[main]\r\ncollections=3\r\ncategories=0\r\n[collections]\r\n000=News\r\n001=Other\r\n"
              "002=Third\r\n[targets]\r\n000=\r\n001=\r\n002=\r\n[keywords]\r\n000=caf\xE9\r\n002=t\r\n");

    // The key-by-key writer drops the old keywords with the old collections.
    TIniFile ini(groups);
    collections.GetItem(0).Keyword.clear();
    WriteCollections(collections, ini);
    EXPECT_EQ(ini.ReadSection("keywords"), std::vector<std::string>{"002"});

    TTargets readTargets;
    TCollections readCollections{collation};
    ReadTargets(readTargets, TIniFile(sites), false);
    ReadCollections(readCollections, TIniFile(groups));
    EXPECT_EQ(readTargets.GetItem(0).Keyword, "w");
    EXPECT_EQ(readTargets.GetItem(1).Keyword, "");
    EXPECT_EQ(readCollections.GetItem(0).Keyword, "caf\xE9");
    EXPECT_EQ(readCollections.GetItem(1).Keyword, "");
    EXPECT_EQ(readCollections.GetItem(2).Keyword, "t");

    TCollections none{collation};
    none.Add("Plain");
    EXPECT_EQ(CollectionsFileText(none, categories).find("keywords"), std::string::npos);
}

} // namespace
} // namespace tsy
