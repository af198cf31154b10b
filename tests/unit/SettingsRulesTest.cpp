#include "ui/SettingsRules.h"

#include <gtest/gtest.h>

#include "AsciiCollation.h"
#include "browsers/SearchUrl.h"

namespace tsy {
namespace {

TEST(SelectionRules, OnlyTheCurrentListWithTheRightCountPasses) {
    EXPECT_FALSE(SingleSelectionRefusal(true, 1, "site", "edit"));
    EXPECT_EQ(SingleSelectionRefusal(true, 3, "site", "edit"), "You have to select a single site to edit.");
    EXPECT_EQ(SingleSelectionRefusal(true, 0, "site", "edit"), "Please, select a site to edit first.");
    // A selection in a list that did not have the focus last does not count.
    EXPECT_EQ(SingleSelectionRefusal(false, 1, "collection", "rename"),
              "Please, select a collection to rename first.");
    EXPECT_EQ(SingleSelectionRefusal(false, 2, "collection", "rename"),
              "Please, select a collection to rename first.");
    EXPECT_FALSE(SomeSelectionRefusal(true, 4, "category", "delete"));
    EXPECT_EQ(SomeSelectionRefusal(true, 0, "category", "delete"),
              "Please, select at least one category to delete first.");
    EXPECT_EQ(SomeSelectionRefusal(false, 2, "site", "delete"),
              "Please, select at least one site to delete first.");
}

TEST(SelectionRules, RowsMoveOnlyWithinTheList) {
    EXPECT_EQ(MovedIndex(0, 1, 3), 1);
    EXPECT_EQ(MovedIndex(2, -1, 3), 1);
    EXPECT_FALSE(MovedIndex(0, -1, 3));
    EXPECT_FALSE(MovedIndex(2, 1, 3));
    EXPECT_FALSE(MovedIndex(-1, 1, 3));
}

TEST(Preview, HomePageFirstElseTheSearchForTheProbeWord) {
    EXPECT_EQ(PreviewURL({1, "A", "http://a.example/?q=%s", "http://a.example/", 0, false, {}, {}}),
              "http://a.example/");
    EXPECT_EQ(PreviewURL({1, "A", "http://a.example/?q=%s&p=5%%", "", 0, false, {}, {}}),
              "http://a.example/?q=StubText&p=5%");
    EXPECT_THROW(PreviewURL({1, "A", "http://a.example/?q=%d", "", 0, false, {}, {}}), ESearchTemplate);
}

TEST(Preview, CategoryCaptionFallsBackToGeneral) {
    fakes::AsciiCollation collation;
    TCategories categories(collation);
    categories.Append({4, "News"});
    EXPECT_EQ(CategoryCaption(categories, 4), "News");
    EXPECT_EQ(CategoryCaption(categories, 0), "(general)");
    EXPECT_EQ(CategoryCaption(categories, 9), "(general)");
}

TEST(TabBookkeeping, LeavingATabMakesItsSelectionCurrentAndKeepsWhatItDoesNotList) {
    TCatalogueTabState state;
    LeaveTab(state, {true, "News", 7});
    EXPECT_EQ(state.CurrentCollection, "News");
    EXPECT_EQ(state.CurrentSite, 7);
    // The Sites tab lists no collections: the collection stays for the next tab.
    LeaveTab(state, {false, {}, 9});
    EXPECT_EQ(state.CurrentCollection, "News");
    EXPECT_EQ(state.CurrentSite, 9);
    // No site row selected keeps the site; no collection row selected clears the collection.
    LeaveTab(state, {true, "", std::nullopt});
    EXPECT_EQ(state.CurrentCollection, "");
    EXPECT_EQ(state.CurrentSite, 9);
}

TEST(TabBookkeeping, CategoriesTabSelectsTheCurrentSitesCategoryOnlyWhileItExists) {
    TTargets targets;
    targets.Append({1, "Alpha", "", "http://a.example/", 3, false, {}, {}});
    targets.Append({2, "Beta", "", "http://b.example/", 0, false, {}, {}});
    TCatalogueTabState state;
    EXPECT_EQ(CategoryOfCurrentSite(state, targets), std::nullopt) << "no current site yet";
    state.CurrentSite = 1;
    EXPECT_EQ(CategoryOfCurrentSite(state, targets), 3);
    state.CurrentSite = 2;
    EXPECT_EQ(CategoryOfCurrentSite(state, targets), std::nullopt) << "\"(general)\" has no row";
    state.CurrentSite = 1;
    targets.Delete(0);
    EXPECT_EQ(CategoryOfCurrentSite(state, targets), std::nullopt) << "the site was deleted";
}

TEST(OrderMode, RandomOrderSortsByNameAndLocksTheOrder) {
    const TOrderMode fixed = OrderModeFor(false, 2), random = OrderModeFor(true, 2),
                     none = OrderModeFor(false, 0);
    EXPECT_TRUE(fixed.MoveButtons && fixed.ListEnabled && !fixed.SortedByName);
    EXPECT_TRUE(!random.MoveButtons && !random.ListEnabled && random.SortedByName);
    EXPECT_FALSE(none.ListEnabled) << "an empty catalogue has no order to show";
}

} // namespace
} // namespace tsy
