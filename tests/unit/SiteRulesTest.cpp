#include "ui/SiteRules.h"
#include "ui/ImportRules.h"

#include "AsciiCollation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

namespace tsy {
namespace {

TEST(SearchURLForms, DisplayAndStoredFormsRoundTrip) {
    EXPECT_EQ(SearchURLToStored("  http://x/?q=StubText&p=5%\t"), "http://x/?q=%s&p=5%%");
    EXPECT_EQ(SearchURLToDisplay("http://x/?q=%s&x=100%%"), "http://x/?q=StubText&x=100%");
    EXPECT_EQ(SearchURLToStored(SearchURLToDisplay("http://x/?q=%s&x=100%%")), "http://x/?q=%s&x=100%%");
    EXPECT_EQ(SearchURLToDisplay("q=%S"), "q=StubText");
    EXPECT_EQ(SearchURLToStored("q=STUBTEXT"), "q=%s");
    // Replacements do not rescan what they produced.
    EXPECT_EQ(SearchURLToDisplay("%%%s"), "%StubText");
}

// The entry the encoding box shows for a text.
int EntryOf(const TCharsetBoxEntries& entries, std::string_view text) {
    const auto found = std::find(entries.Items.begin(), entries.Items.end(), text);
    return found == entries.Items.end() ? -1 : static_cast<int>(found - entries.Items.begin());
}

TEST(CharsetBox, ShowsTheStoredEncodingAndAnUnknownNameAsItStands) {
    const TCharsetBoxEntries none = CharsetBoxEntries("");
    ASSERT_EQ(none.Items.size(), 31u);
    EXPECT_EQ(none.Items[0], "(system code page)");
    EXPECT_EQ(none.Items[1], "UTF-8");
    EXPECT_EQ(none.Items.back(), "euc-kr");
    EXPECT_EQ(EntryOf(none, "sjis"), -1);
    EXPECT_EQ(none.Selected, 0);
    EXPECT_EQ(CharsetBoxEntries("Utf-8").Selected, 1);
    EXPECT_EQ(CharsetBoxEntries("SJIS").Selected, EntryOf(none, "shift_jis"));
    EXPECT_EQ(CharsetBoxEntries("GBK").Selected, EntryOf(none, "gb2312"));
    const TCharsetBoxEntries unknown = CharsetBoxEntries("x-mac-cyrillic");
    ASSERT_EQ(unknown.Items.size(), 32u);
    EXPECT_EQ(unknown.Items.back(), "x-mac-cyrillic");
    EXPECT_EQ(unknown.Selected, 31);
}

TEST(CharsetBox, StoresTheChosenEncodingAndKeepsTheStoredValueUnlessChanged) {
    const TCharsetBoxEntries entries = CharsetBoxEntries("");
    EXPECT_EQ(CharsetAfterEdit("", EntryOf(entries, "windows-1251")), "windows-1251");
    EXPECT_EQ(CharsetAfterEdit("", 1), "utf-8");
    EXPECT_EQ(CharsetAfterEdit("UTF-8", 0), "");
    EXPECT_EQ(CharsetAfterEdit("UTF-8", 1), "UTF-8");
    EXPECT_EQ(CharsetAfterEdit("SJIS", EntryOf(entries, "shift_jis")), "SJIS");
    EXPECT_EQ(CharsetAfterEdit("Shift_JIS", EntryOf(entries, "gb18030")), "gb18030");
    EXPECT_EQ(CharsetAfterEdit("x-mac-cyrillic", 31), "x-mac-cyrillic");
    EXPECT_EQ(CharsetAfterEdit("x-mac-cyrillic", -1), "x-mac-cyrillic");
}

TEST(ValidateSite, FirstBrokenRuleGivesItsWarning) {
    EXPECT_EQ(ValidateSite(" \t", "http://x/?q=StubText", ""), kInvalidSiteData);
    EXPECT_EQ(ValidateSite("Site", "  ", " "), kInvalidSiteData);
    EXPECT_EQ(ValidateSite("Site", "http://x/?q=", ""), kInvalidSearchURL);
    EXPECT_EQ(ValidateSite("Site", "http://x/?q=stubtext", ""), std::nullopt);
    EXPECT_EQ(ValidateSite("Site", "", "http://x/"), std::nullopt);
}

TEST(ValidateSite, OnlyWebAddressesAreStoredInEitherField) {
    const auto refusal = [](const char* address) {
        return "Only web addresses can be stored: \"" + std::string(address) +
               "\" is not an http or https address.";
    };
    EXPECT_EQ(ValidateSite("Site", "", " file:///C:/x.exe "), refusal("file:///C:/x.exe"));
    EXPECT_EQ(ValidateSite("Site", "search-ms:query=StubText", "localhost:8080/"),
              refusal("search-ms:query=StubText"));
    EXPECT_EQ(ValidateSite("Site", "", "\\\\host\\x"), refusal("\\\\host\\x"));
    EXPECT_EQ(ValidateSite("Site", "HTTPS://x/?q=StubText", "x.example/wiki/Special:Home"), std::nullopt);
}

class NamePromptTest : public ::testing::Test {
protected:
    fakes::AsciiCollation collation;
    TCategories categories{collation};
    TCollections collections{collation};
};

TEST_F(NamePromptTest, CaseOnlyRenameRefusedSameNameAcceptedEmptyRefused) {
    categories.Add("Books");
    collections.Add("News");
    EXPECT_EQ(CheckCategoryName(categories, "Books", " books "), kCategoryExists);
    EXPECT_EQ(CheckCategoryName(categories, "Books", " Books "), std::nullopt);
    EXPECT_EQ(CheckCategoryName(categories, "", "Music"), std::nullopt);
    EXPECT_EQ(CheckCategoryName(categories, "", " "), kCategoryNameEmpty);
    EXPECT_EQ(CheckCollectionName(collections, "News", "NEWS"), kCollectionExists);
    EXPECT_EQ(CheckCollectionName(collections, "News", "News"), std::nullopt);
    EXPECT_EQ(CheckCollectionName(collections, "", "\t"), kCollectionNameEmpty);
    // Accepting the add prompt's default is refused when that category exists.
    categories.Add(kNewCategoryDefault);
    EXPECT_EQ(CheckCategoryName(categories, "", kNewCategoryDefault), kCategoryExists);
}

TEST_F(NamePromptTest, OperationsTrimTheNameAndFindByNameIgnoringCase) {
    EXPECT_EQ(AddCategoryNamed(categories, "  Books "), 0);
    EXPECT_TRUE(RenameCategoryNamed(categories, "books", " Novels "));
    EXPECT_EQ(categories.GetItem(0).Name, "Novels");
    EXPECT_FALSE(RenameCategoryNamed(categories, "Missing", "Other"));
    EXPECT_EQ(AddCollectionNamed(collections, " News "), 0);
    EXPECT_TRUE(RenameCollectionNamed(collections, "NEWS", " Daily"));
    EXPECT_EQ(collections.GetItem(0).Name(), "Daily");
    DeleteCollectionByName(collections, "daily");
    EXPECT_EQ(collections.Count(), 0);
    EXPECT_THROW(DeleteCollectionByName(collections, "daily"), EBriefcase);
}

TEST_F(NamePromptTest, DeletingACategoryMovesItsSitesToGeneral) {
    TTargets targets;
    categories.Add("Books");
    categories.Add("Music");
    TTarget book{0, "Shop", "", "http://shop/", categories.GetItem(0).ID, false, {}, {}};
    TTarget song{0, "Songs", "", "http://songs/", categories.GetItem(1).ID, false, {}, {}};
    targets.Add(book);
    targets.Add(song);
    DeleteCategoryAndClear(categories, targets, "BOOKS");
    EXPECT_EQ(categories.Count(), 1);
    EXPECT_EQ(targets.GetItem(0).CatID, 0);
    EXPECT_EQ(targets.GetItem(1).CatID, song.CatID);
}

TEST_F(NamePromptTest, DeletingASiteTakesItOutOfEveryCollectionButKeepsAReadOnlySite) {
    TTargets targets;
    TTarget site{0, "Site", "", "", 0, false, {}, {}}, locked{0, "Locked", "", "", 0, true, {}, {}};
    targets.Add(site);
    targets.Add(locked);
    const std::int32_t siteId = site.ID, lockedId = locked.ID;
    collections.Add("A");
    collections.Add("B");
    collections.GetItem(0).SetIDs({siteId, lockedId});
    collections.GetItem(1).SetIDs({lockedId, siteId});
    EXPECT_TRUE(DeleteSiteEverywhere(targets, collections, siteId));
    EXPECT_FALSE(DeleteSiteEverywhere(targets, collections, lockedId));
    EXPECT_EQ(targets.Count(), 1);
    EXPECT_EQ(collections.GetItem(0).IDs(), TTargetIDs{lockedId});
    EXPECT_EQ(collections.GetItem(1).IDs(), TTargetIDs{lockedId});
}

TEST_F(NamePromptTest, CategoryBoxSortsNamesAndSelectsTheSiteCategory) {
    categories.Add("music");
    categories.Add("Books");
    categories.Add("art");
    const TCategoryBoxEntries entries = CategoryBoxEntries(categories, collation, categories.GetItem(1).ID);
    EXPECT_EQ(entries.Items,
              (std::vector<std::string>{"(general)", "art", "Books", "music", kAddCategoryEntry}));
    EXPECT_EQ(entries.Selected, 2);
    EXPECT_EQ(CategoryBoxEntries(categories, collation, 0).Selected, 0);
    EXPECT_EQ(CategoryBoxEntries(categories, collation, 99).Selected, 0);
}

TEST_F(NamePromptTest, MembershipsListAndApplyByNameIgnoringCase) {
    collections.Add("News");
    collections.Add("Shops");
    collections.GetItem(0).Add(7);
    collections.GetItem(1).SetIDs({3});
    EXPECT_EQ(Memberships(collections, 7),
              (std::vector<std::pair<std::string, bool>>{{"News", true}, {"Shops", false}}));
    ApplyMemberships(collections, 7, {{"shops", true}, {"NEWS", false}, {"Gone", true}});
    ApplyMemberships(collections, 7, {{"Shops", true}});
    EXPECT_EQ(collections.GetItem(0).IDs(), TTargetIDs{});
    EXPECT_EQ(collections.GetItem(1).IDs(), (TTargetIDs{3, 7}));
}

// Accepts URLs holding the probe word, rewriting them; cannot parse "bad://".
bool Recognize(std::string& url) {
    if (url == "bad://") {
        throw std::runtime_error("unparsable");
    }
    const std::size_t at = url.find(kProbeWord);
    if (at != std::string::npos) {
        url.replace(at, 8, "%s");
    }
    return at != std::string::npos;
}

TEST(ImportRows, OpenKeepsEveryPageSearchOnlyRecognisedOnes) {
    const std::vector<std::pair<std::string, std::string>> pages = {
        {"http://a/", "Home"}, {"bad://", "Broken"}, {"http://b/?q=StubText", "Search"}};
    const std::vector<TImportRow> open = ImportRows(pages, TImportKind::Open, Recognize);
    ASSERT_EQ(open.size(), 3u);
    EXPECT_EQ(open[1].Title + " " + open[1].URL, "Broken bad://");
    const std::vector<TImportRow> search = ImportRows(pages, TImportKind::Search, Recognize);
    ASSERT_EQ(search.size(), 1u);
    EXPECT_EQ(search[0].Title + " " + search[0].URL, "Search http://b/?q=%s");
}

TEST(ImportTexts, CaptionsAndEmptyListMessagesAreExact) {
    EXPECT_EQ(ImportCaption(TImportKind::Search), "Import search URL");
    EXPECT_EQ(
        EmptyImportMessage(TImportKind::Open),
        "No open URLs found. Either you do not have any sites open or all the open sites are search URLs "
        "containing the search text \xABStubText\xBB.");
    EXPECT_EQ(
        EmptyImportMessage(TImportKind::Search),
        "No search URLs found containing a search for the text string \xABStubText\xBB.\n\rPlease submit a "
        "search for \xABStubText\xBB and then click on the import button.");
}

} // namespace
} // namespace tsy
