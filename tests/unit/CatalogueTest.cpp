#include "catalogue/Catalogue.h"
#include "AnsiCollation.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace tsy {
namespace {

// Runs action and returns the EBriefcase message it raised, or a marker when it raised nothing.
template <class TAction> std::string BriefcaseMessage(TAction action) {
    try {
        action();
    } catch (const EBriefcase& error) {
        return error.what();
    }
    return "<no error>";
}

TTarget Site(std::string name, std::int32_t catID = 0, bool readOnly = false) {
    TTarget target;
    target.Name = std::move(name);
    target.Search = "http://example.com/?q=%s";
    target.Open = "http://example.com/";
    target.CatID = catID;
    target.ReadOnly = readOnly;
    return target;
}

TTarget SiteWithID(std::int32_t id, std::int32_t catID = 0) {
    TTarget target = Site("site " + std::to_string(id), catID);
    target.ID = id;
    return target;
}

std::vector<std::int32_t> IDsOf(const TTargets& targets) {
    std::vector<std::int32_t> ids;
    for (const TTarget& target : targets) {
        ids.push_back(target.ID);
    }
    return ids;
}

class CatalogueTest : public ::testing::Test {
protected:
    TAnsiCollation collation;
    TTargets targets;
    TCollections collections{collation};
    TCategories categories{collation};
};

TEST_F(CatalogueTest, EmptyContainersHaveLowZeroAndHighMinusOne) {
    TCollection collection("Empty");
    const std::vector<const TCommonCollection*> all = {&targets, &collection, &collections, &categories};
    for (const TCommonCollection* container : all) {
        EXPECT_EQ(container->Count(), 0) << container->ClassName();
        EXPECT_EQ(container->Low(), 0) << container->ClassName();
        EXPECT_EQ(container->High(), -1) << container->ClassName();
    }
}

TEST_F(CatalogueTest, IndexOutOfBoundsNamesIndexBoundsAndClass) {
    TCollection collection("Empty");
    EXPECT_EQ(BriefcaseMessage([&] { targets.GetItem(0); }),
              "Index 0 is out of bounds (0, -1) in TTargets object.");
    EXPECT_EQ(BriefcaseMessage([&] { collection.GetID(0); }),
              "Index 0 is out of bounds (0, -1) in TCollection object.");
    EXPECT_EQ(BriefcaseMessage([&] { collections.GetItem(0); }),
              "Index 0 is out of bounds (0, -1) in TCollections object.");
    EXPECT_EQ(BriefcaseMessage([&] { categories.GetItem(0); }),
              "Index 0 is out of bounds (0, -1) in TCategories object.");

    TTarget site = Site("a");
    targets.Add(site);
    targets.Add(site);
    EXPECT_EQ(BriefcaseMessage([&] { targets.GetItem(-1); }),
              "Index -1 is out of bounds (0, 1) in TTargets object.");
    EXPECT_EQ(BriefcaseMessage([&] { targets.GetItem(2); }),
              "Index 2 is out of bounds (0, 1) in TTargets object.");
    EXPECT_EQ(BriefcaseMessage([&] { targets.SetItem(2, site); }),
              "Index 2 is out of bounds (0, 1) in TTargets object.");
    EXPECT_EQ(BriefcaseMessage([&] { targets.Delete(5); }),
              "Index 5 is out of bounds (0, 1) in TTargets object.");
    EXPECT_EQ(BriefcaseMessage([&] { targets.GetItem(1); }), "<no error>");
    EXPECT_EQ(targets.Count(), 2);
}

TEST_F(CatalogueTest, FailedLookupConveniencesReportTheNotFoundIndex) {
    collections.Add("A");
    collections.Add("B");
    collections.Add("C");
    EXPECT_EQ(BriefcaseMessage([&] { collections.ByName("D"); }),
              "Index 2147483647 is out of bounds (0, 2) in TCollections object.");
    EXPECT_EQ(BriefcaseMessage([&] { targets.ByID(4); }),
              "Index 2147483647 is out of bounds (0, -1) in TTargets object.");
    categories.Add("News");
    EXPECT_EQ(BriefcaseMessage([&] { categories.NameOfID(9); }),
              "Index 2147483647 is out of bounds (0, 0) in TCategories object.");
    EXPECT_EQ(NotFound, std::numeric_limits<std::int32_t>::max());
}

TEST_F(CatalogueTest, TargetsAddGivesMaxIDPlusOneToCopyAndCaller) {
    TTarget first = Site("first");
    first.ID = 77;
    EXPECT_EQ(targets.Add(first), 0);
    EXPECT_EQ(first.ID, 1);
    TTarget second = Site("second");
    EXPECT_EQ(targets.Add(second), 1);
    EXPECT_EQ(second.ID, 2);
    EXPECT_EQ(targets.GetItem(1), second);

    targets.Append(SiteWithID(10));
    TTarget third = Site("third");
    targets.Add(third);
    EXPECT_EQ(third.ID, 11);
    EXPECT_EQ(targets.MaxID(), 11);
}

TEST_F(CatalogueTest, DeletingTheHighestSiteFreesItsID) {
    TTarget site = Site("a");
    targets.Add(site);
    targets.Add(site);
    targets.Add(site);
    ASSERT_TRUE(targets.Delete(2));
    TTarget next = Site("b");
    targets.Add(next);
    EXPECT_EQ(next.ID, 3);
    EXPECT_EQ(IDsOf(targets), (std::vector<std::int32_t>{1, 2, 3}));
}

TEST_F(CatalogueTest, DeleteClosesTheGapAndSparesReadOnlySites) {
    for (std::int32_t id = 1; id <= 4; ++id) {
        targets.Append(SiteWithID(id));
    }
    TTarget locked = targets.GetItem(2);
    locked.ReadOnly = true;
    targets.SetItem(2, locked);

    EXPECT_FALSE(targets.Delete(2));
    EXPECT_EQ(IDsOf(targets), (std::vector<std::int32_t>{1, 2, 3, 4}));
    EXPECT_TRUE(targets.Delete(1));
    EXPECT_EQ(IDsOf(targets), (std::vector<std::int32_t>{1, 3, 4}));
    EXPECT_TRUE(targets.Delete(2));
    EXPECT_EQ(IDsOf(targets), (std::vector<std::int32_t>{1, 3}));
}

TEST_F(CatalogueTest, RecordsAreCopiedOnGetAndSet) {
    targets.Append(SiteWithID(1));
    TTarget copy = targets.GetItem(0);
    copy.Name = "changed";
    EXPECT_EQ(targets.GetItem(0).Name, "site 1");
    copy.ID = 42;
    targets.SetItem(0, copy);
    EXPECT_EQ(targets.GetItem(0).ID, 42);
    EXPECT_EQ(targets.GetItem(0).Name, "changed");
}

TEST_F(CatalogueTest, TargetsIndexOfUsesTheMagnitude) {
    targets.Append(SiteWithID(3));
    targets.Append(SiteWithID(7));
    targets.Append(SiteWithID(7));
    EXPECT_EQ(targets.IndexOf(7), 1);
    EXPECT_EQ(targets.IndexOf(-7), 1);
    EXPECT_EQ(targets.ByID(-3).ID, 3);
    EXPECT_EQ(targets.IndexOf(8), NotFound);
    // The smallest integer has no 32-bit magnitude; it must not wrap onto any site.
    targets.Append(SiteWithID(std::numeric_limits<std::int32_t>::min()));
    EXPECT_EQ(targets.IndexOf(std::numeric_limits<std::int32_t>::min()), NotFound);
}

TEST_F(CatalogueTest, IDsCannotGrowPastTheLargestInteger) {
    targets.Append(SiteWithID(NotFound));
    TTarget site = Site("one too many");
    EXPECT_EQ(BriefcaseMessage([&] { targets.Add(site); }),
              "No id is left after 2147483647 in TTargets object.");
    EXPECT_EQ(targets.Count(), 1);
    categories.Append(TCategory{NotFound, "Last"});
    EXPECT_EQ(BriefcaseMessage([&] { categories.Add("Next"); }),
              "No id is left after 2147483647 in TCategories object.");
    EXPECT_EQ(categories.Count(), 1);
}

TEST_F(CatalogueTest, CategoryReassignmentTouchesOnlyMatchingSites) {
    targets.Append(SiteWithID(1, 2));
    targets.Append(SiteWithID(2, 3));
    targets.Append(SiteWithID(3, 2));
    targets.ClearCategory(2);
    EXPECT_EQ(targets.GetItem(0).CatID, 0);
    EXPECT_EQ(targets.GetItem(1).CatID, 3);
    EXPECT_EQ(targets.GetItem(2).CatID, 0);
    targets.ReplaceCategoryID(0, 5);
    EXPECT_EQ(targets.GetItem(0).CatID, 5);
    EXPECT_EQ(targets.GetItem(1).CatID, 3);
    targets.Clear();
    EXPECT_EQ(targets.Count(), 0);
}

TEST(CollectionMembers, AddComparesEntriesExactly) {
    TCollection collection("News");
    collection.Add(5);
    collection.Add(5);
    EXPECT_EQ(collection.IDs(), (TTargetIDs{5}));
    collection.SetIDs({-5});
    EXPECT_FALSE(collection.Contains(5));
    collection.Add(5);
    EXPECT_EQ(collection.IDs(), (TTargetIDs{-5, 5}));
    EXPECT_EQ(collection.IndexOf(5), 1);
    EXPECT_EQ(collection.IndexOf(-5), 0);
    EXPECT_EQ(collection.IndexOf(6), NotFound);
}

TEST(CollectionMembers, RemoveTakesTheFirstExactMatchOnly) {
    TCollection collection("News");
    collection.SetIDs({4, -7, 7, 9, 7});
    collection.Remove(7);
    EXPECT_EQ(collection.IDs(), (TTargetIDs{4, -7, 9, 7}));
    // A deleted site's id leaves its negated entry behind.
    collection.Remove(7);
    collection.Remove(12);
    EXPECT_EQ(collection.IDs(), (TTargetIDs{4, -7, 9}));
}

TEST(CollectionMembers, ExchangeValidatesBothPositions) {
    TCollection collection("News");
    collection.SetIDs({1, 2, 3});
    collection.Exchange(0, 1);
    EXPECT_EQ(collection.IDs(), (TTargetIDs{2, 1, 3}));
    collection.Exchange(2, -2);
    EXPECT_EQ(collection.IDs(), (TTargetIDs{3, 1, 2}));
    EXPECT_EQ(BriefcaseMessage([&] { collection.Exchange(0, -1); }),
              "Index -1 is out of bounds (0, 2) in TCollection object.");
    EXPECT_EQ(BriefcaseMessage([&] { collection.Exchange(2, 1); }),
              "Index 3 is out of bounds (0, 2) in TCollection object.");
    EXPECT_EQ(BriefcaseMessage([&] { collection.Exchange(3, -1); }),
              "Index 3 is out of bounds (0, 2) in TCollection object.");
    EXPECT_EQ(collection.IDs(), (TTargetIDs{3, 1, 2}));

    TCollection empty("Empty");
    EXPECT_EQ(BriefcaseMessage([&] { empty.Exchange(0, -1); }),
              "Index -1 is out of bounds (0, -1) in TCollection object.");
    // The sum is checked as it is, not wrapped into range.
    EXPECT_EQ(BriefcaseMessage([&] { collection.Exchange(2, NotFound); }),
              "Index 2147483649 is out of bounds (0, 2) in TCollection object.");
}

TEST_F(CatalogueTest, RemoveUnknownTargetsKeepsKnownMagnitudesInOrder) {
    targets.Append(SiteWithID(3));
    targets.Append(SiteWithID(4));
    targets.Append(SiteWithID(8));
    TCollection collection("News");
    collection.SetIDs({3, 9, -4, 8});
    collection.RemoveUnknownTargets(targets);
    EXPECT_EQ(collection.IDs(), (TTargetIDs{3, -4, 8}));
}

TEST_F(CatalogueTest, CollectionNamesAreUniqueIgnoringCase) {
    EXPECT_EQ(collections.Add("NEWS"), 0);
    EXPECT_EQ(collections.Add("News"), NotFound);
    EXPECT_EQ(collections.Add("Web"), 1);
    EXPECT_EQ(collections.Count(), 2);
    EXPECT_EQ(collections.IndexOfName("web"), 1);
    EXPECT_EQ(collections.IndexOfName("We"), NotFound);
    TCollection& added = collections.GetItem(1);
    EXPECT_EQ(added.Name(), "Web");
    EXPECT_TRUE(added.IDs().empty());
    EXPECT_FALSE(added.Randomize);
    // The file reader may bring duplicates; lookups find the first.
    collections.Append("news").Add(4);
    EXPECT_EQ(collections.ByName("nEwS").Name(), "NEWS");
}

TEST_F(CatalogueTest, CollectionRenameRefusesCaseOnlyChangesButAcceptsTheSameBytes) {
    collections.Add("News");
    collections.Add("Web");
    EXPECT_TRUE(collections.Rename(0, "News"));
    EXPECT_FALSE(collections.Rename(0, "news"));
    EXPECT_FALSE(collections.Rename(0, "WEB"));
    EXPECT_EQ(collections.GetItem(0).Name(), "News");
    EXPECT_TRUE(collections.Rename(0, "Papers"));
    EXPECT_EQ(collections.GetItem(0).Name(), "Papers");
    EXPECT_EQ(collections.IndexOfName("news"), NotFound);
    EXPECT_EQ(BriefcaseMessage([&] { collections.Rename(2, "Other"); }),
              "Index 2 is out of bounds (0, 1) in TCollections object.");
}

TEST_F(CatalogueTest, CollectionsDeleteAndReplaceTargetID) {
    collections.Add("A");
    collections.GetItem(0).SetIDs({1, 2, -2});
    collections.Add("B");
    collections.GetItem(1).SetIDs({2, 3, 2});
    collections.Add("C");
    collections.ReplaceTargetID(2, 20);
    EXPECT_EQ(collections.GetItem(0).IDs(), (TTargetIDs{1, 20, -2}));
    EXPECT_EQ(collections.GetItem(1).IDs(), (TTargetIDs{20, 3, 20}));
    collections.Delete(0);
    ASSERT_EQ(collections.Count(), 2);
    EXPECT_EQ(collections.GetItem(0).Name(), "B");
    EXPECT_EQ(collections.GetItem(1).Name(), "C");
    collections.Clear();
    EXPECT_EQ(collections.Count(), 0);
}

TEST_F(CatalogueTest, CategoriesAddNumbersFromMaxID) {
    EXPECT_EQ(categories.MaxID(), 0);
    EXPECT_EQ(categories.Add("News"), 0);
    EXPECT_EQ(categories.Add("NEWS"), NotFound);
    categories.Append(TCategory{9, "Papers"});
    EXPECT_EQ(categories.Add("Web"), 2);
    EXPECT_EQ(categories.GetItem(0), (TCategory{1, "News"}));
    EXPECT_EQ(categories.GetItem(2), (TCategory{10, "Web"}));
    EXPECT_EQ(categories.MaxID(), 10);
    EXPECT_TRUE(categories.Delete(1));
    EXPECT_EQ(categories.IndexOfName("papers"), NotFound);
    EXPECT_EQ(categories.IndexOfName("web"), 1);
}

TEST_F(CatalogueTest, CategoryIDZeroIsNeverFound) {
    categories.Append(TCategory{0, "Zero"});
    categories.Append(TCategory{4, "Four"});
    EXPECT_EQ(categories.IndexOfID(0), NotFound);
    EXPECT_EQ(categories.IndexOfID(4), 1);
    EXPECT_EQ(categories.IndexOfID(5), NotFound);
    EXPECT_EQ(categories.NameOfID(0), "(general)");
    EXPECT_EQ(categories.NameOfID(4), "Four");
    categories.SetID(0, 5);
    EXPECT_EQ(categories.NameOfID(5), "Zero");
}

TEST_F(CatalogueTest, CategoryRenameIsRefusedForAnyExistingNameItsOwnIncluded) {
    categories.Add("News");
    categories.Add("Web");
    EXPECT_FALSE(categories.Rename(0, "News"));
    EXPECT_FALSE(categories.Rename(0, "web"));
    EXPECT_TRUE(categories.Rename(0, "Papers"));
    EXPECT_EQ(categories.GetItem(0), (TCategory{1, "Papers"}));
    EXPECT_EQ(BriefcaseMessage([&] { categories.Rename(-1, "X"); }),
              "Index -1 is out of bounds (0, 1) in TCategories object.");
}

TEST_F(CatalogueTest, IDOfNameFindsGeneralOrCreates) {
    categories.Add("News");
    EXPECT_EQ(categories.IDOfName("news"), 1);
    EXPECT_EQ(categories.IDOfName("(general)"), 0);
    EXPECT_EQ(categories.Count(), 1);
    // Only the exact bytes name the built-in category.
    EXPECT_EQ(categories.IDOfName("(GENERAL)"), 2);
    EXPECT_EQ(categories.GetItem(1), (TCategory{2, "(GENERAL)"}));
    // Now a stored category matches ahead of the built-in one.
    EXPECT_EQ(categories.IDOfName("(general)"), 2);
    EXPECT_EQ(categories.Count(), 2);
}

TEST_F(CatalogueTest, NamesCompareThroughTheGivenCollation) {
    // Windows-1252 bytes: e acute 0xE9, E acute 0xC9, OE ligature 0x8C, oe ligature 0x9C.
    collections.Add("Caf\xE9");
    EXPECT_EQ(collections.Add("CAF\xC9"), NotFound);
    EXPECT_EQ(collections.IndexOfName("cafe"), NotFound);
    categories.Add("\x8Cuvres");
    EXPECT_EQ(categories.IndexOfName("\x9CUVRES"), 0);
}

TEST_F(CatalogueTest, EnumeratorsStartBeforeTheFirstElement) {
    targets.Append(SiteWithID(5));
    targets.Append(SiteWithID(6));
    TTargetsEnumerator walk = targets.GetEnumerator();
    EXPECT_EQ(walk.Index(), -1);
    EXPECT_EQ(BriefcaseMessage([&] { walk.Current(); }),
              "Index -1 is out of bounds (0, 1) in TTargets object.");
    ASSERT_TRUE(walk.MoveNext());
    EXPECT_EQ(walk.Current().ID, 5);
    ASSERT_TRUE(walk.MoveNext());
    EXPECT_EQ(walk.Current().ID, 6);
    EXPECT_FALSE(walk.MoveNext());
    EXPECT_FALSE(walk.MoveNext());
    EXPECT_EQ(walk.Index(), 1);
}

TEST_F(CatalogueTest, EnumeratorsAskForHighAfreshOnEveryStep) {
    collections.Add("A");
    collections.Add("B");
    collections.Add("C");
    TCollectionsEnumerator walk = collections.GetEnumerator();
    ASSERT_TRUE(walk.MoveNext());
    collections.Add("D");
    collections.Delete(0);
    std::vector<std::string> seen = {walk.Current().Name()};
    while (walk.MoveNext()) {
        seen.push_back(walk.Current().Name());
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"B", "C", "D"}));

    // A list that shrinks under the walk ends it rather than reading past the end.
    TCollectionsEnumerator shrinking = collections.GetEnumerator();
    ASSERT_TRUE(shrinking.MoveNext());
    ASSERT_TRUE(shrinking.MoveNext());
    collections.Clear();
    EXPECT_FALSE(shrinking.MoveNext());
    EXPECT_EQ(BriefcaseMessage([&] { shrinking.Current(); }),
              "Index 1 is out of bounds (0, -1) in TCollections object.");
}

TEST_F(CatalogueTest, RangeForWalksEveryContainerInOrder) {
    categories.Add("X");
    categories.Add("Y");
    std::string names;
    for (const TCategory& category : categories) {
        names += category.Name;
    }
    EXPECT_EQ(names, "XY");

    collections.Add("News");
    collections.GetItem(0).SetIDs({3, -1, 2});
    collections.Add("Web");
    std::vector<std::int32_t> entries;
    for (TCollection& collection : collections) {
        collection.Randomize = true;
        for (std::int32_t entry : collection) {
            entries.push_back(entry);
        }
    }
    EXPECT_EQ(entries, (std::vector<std::int32_t>{3, -1, 2}));
    EXPECT_TRUE(collections.GetItem(1).Randomize);

    TCollectionEnumerator members = collections.GetItem(0).GetEnumerator();
    ASSERT_TRUE(members.MoveNext());
    EXPECT_EQ(members.Current(), 3);

    int steps = 0;
    for (const TTarget& target : targets) {
        steps += target.ID;
    }
    EXPECT_EQ(steps, 0);
}

TEST_F(CatalogueTest, RangeForSurvivesDeletionInsideTheLoop) {
    for (std::int32_t id = 1; id <= 4; ++id) {
        targets.Append(SiteWithID(id));
    }
    std::vector<std::int32_t> seen;
    for (const TTarget& target : targets) {
        seen.push_back(target.ID);
        targets.Delete(0);
    }
    EXPECT_EQ(seen, (std::vector<std::int32_t>{1, 3}));
    EXPECT_EQ(targets.Count(), 2);
}

TEST(MemberListText, TextToIDsTrimsEachPart) {
    EXPECT_EQ(TextToIDs(" 1, -2 ,3"), (TTargetIDs{1, -2, 3}));
    EXPECT_EQ(TextToIDs("\t7\r\n"), (TTargetIDs{7}));
    EXPECT_EQ(TextToIDs("+4"), (TTargetIDs{4}));
    EXPECT_EQ(TextToIDs("-2147483648,2147483647"),
              (TTargetIDs{std::numeric_limits<std::int32_t>::min(), NotFound}));
}

TEST(MemberListText, EmptyTextsAndTrailingCommasGiveNoEntries) {
    EXPECT_TRUE(TextToIDs("").empty());
    EXPECT_TRUE(TextToIDs("   ").empty());
    EXPECT_EQ(TextToIDs("1,2,"), (TTargetIDs{1, 2}));
}

TEST(MemberListText, PartsThatAreNotIntegersAreSkipped) {
    EXPECT_EQ(TextToIDs(",5"), (TTargetIDs{5}));
    EXPECT_EQ(TextToIDs("1,,2"), (TTargetIDs{1, 2}));
    EXPECT_EQ(TextToIDs("1,x,2,3y,4 5,6"), (TTargetIDs{1, 2, 6}));
    EXPECT_EQ(TextToIDs("2147483648,-2147483649,8"), (TTargetIDs{8}));
    EXPECT_EQ(TextToIDs("+-3,-+3,-,+,0x10,9"), (TTargetIDs{9}));
}

TEST(MemberListText, IDsToTextJoinsWithoutSpaces) {
    EXPECT_EQ(IDsToText({}), "");
    EXPECT_EQ(IDsToText({7}), "7");
    EXPECT_EQ(IDsToText({1, -2, 30}), "1,-2,30");
    const TTargetIDs ids = {std::numeric_limits<std::int32_t>::min(), 0, NotFound, 12};
    EXPECT_EQ(TextToIDs(IDsToText(ids)), ids);
}

} // namespace
} // namespace tsy
