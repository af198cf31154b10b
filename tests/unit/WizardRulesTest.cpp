#include "ui/WizardRules.h"

#include "AsciiCollation.h"

#include <gtest/gtest.h>

namespace tsy {
namespace {

TEST(WizardLeaveChecks, SiteFieldsAreTrimmedThenCheckedInOrder) {
    TWizardSiteFields blankName{" \t", "http://a.example/", ""};
    EXPECT_EQ(CheckSiteFieldsLeave(blankName), kProvideSiteData);
    EXPECT_TRUE(blankName.Name.empty());
    TWizardSiteFields noURL{"Site", "  ", ""};
    EXPECT_EQ(CheckSiteFieldsLeave(noURL), kProvideSiteData);
    // The open URL is checked before the search URL.
    TWizardSiteFields both{"Site", "localhost", "nowhere"};
    EXPECT_EQ(CheckSiteFieldsLeave(both),
              "Open URL seems to be invalid. Please, specify correct URL before continue.");
    TWizardSiteFields search{" Site ", " a.b.de ", "nowhere"};
    EXPECT_EQ(CheckSiteFieldsLeave(search),
              "Search URL seems to be invalid. Please, specify correct URL before continue.");
    EXPECT_EQ(search.Name, "Site");
    EXPECT_EQ(search.Open, "a.b.de");
    // No "%s" is asked of the search URL.
    TWizardSiteFields good{"Site", "a.bc/path", "http://find.example/?q=fixed"};
    EXPECT_EQ(CheckSiteFieldsLeave(good), std::nullopt);
    // A scheme the wizard's own address test accepts is still no web address.
    TWizardSiteFields other{"Site", "a.bc", "javascript:alert(1)"};
    EXPECT_EQ(CheckSiteFieldsLeave(other),
              "Only web addresses can be stored: \"javascript:alert(1)\" is not an http or https address.");
}

TEST(WizardNavigation, BackSetsTheFlagThatSparesTheLeaveCheckAndNextClearsIt) {
    TWizardNavigation navigation;
    navigation.Arrive(navigation.Next());
    navigation.Arrive(navigation.Next());
    EXPECT_EQ(navigation.Page(), 2);
    EXPECT_TRUE(navigation.ChecksLeave());
    EXPECT_EQ(navigation.Back(), 1);
    EXPECT_FALSE(navigation.ChecksLeave());
    EXPECT_EQ(navigation.Next(), 3);
    EXPECT_TRUE(navigation.ChecksLeave());
}

class WizardSiteTest : public ::testing::Test {
protected:
    WizardSiteTest() {
        targets.Append({4, "Old", "", "http://old.example/", 0, false, {}, {}});
        categories.Append({7, "News"});
    }
    fakes::AsciiCollation collation;
    TTargets targets;
    TCategories categories{collation};
    TWizardSite site;
};

TEST_F(WizardSiteTest, AddedAgainAfterBackIsInTheCatalogueOnce) {
    const TWizardSiteFields fields{"New", "http://new.example/", "http://new.example/?q=%s"};
    EXPECT_EQ(site.Add(targets, categories, fields, " News ").ID, 5);
    EXPECT_EQ(targets.ByID(5).CatID, 7);
    EXPECT_EQ(targets.ByID(5).Charset, "utf-8");
    site.Remove(targets);
    EXPECT_EQ(targets.Count(), 1);
    site.Add(targets, categories, fields, "(general)");
    ASSERT_EQ(targets.Count(), 2);
    EXPECT_EQ(targets.GetItem(1).ID, 5);
    EXPECT_EQ(targets.GetItem(1).CatID, 0);
    EXPECT_EQ(targets.GetItem(1).Search, "http://new.example/?q=%s");
}

TEST_F(WizardSiteTest, RemoveTouchesOnlyTheAddedSiteAndOnlyOnce) {
    site.Remove(targets);
    EXPECT_EQ(targets.Count(), 1) << "nothing was added yet";
    site.Add(targets, categories, {"New", "http://new.example/", ""}, "(general)");
    // A site added by someone else after it stays.
    targets.Append({9, "Later", "", "http://later.example/", 0, false, {}, {}});
    site.Remove(targets);
    site.Remove(targets);
    ASSERT_EQ(targets.Count(), 2);
    EXPECT_EQ(targets.GetItem(1).ID, 9);
    EXPECT_FALSE(site.Added());
}

TEST_F(WizardSiteTest, ASiteThatCannotBeAddedIsNotTakenBackLater) {
    targets.Append({2147483647, "Last", "", "http://last.example/", 0, false, {}, {}});
    EXPECT_THROW(site.Add(targets, categories, {"New", "http://new.example/", ""}, "(general)"), EBriefcase);
    EXPECT_FALSE(site.Added());
    site.Remove(targets);
    EXPECT_EQ(targets.Count(), 2);
}

} // namespace
} // namespace tsy
