#include "app/MainLayout.h"
#include "app/CollectionList.h"

#include "AsciiCollation.h"

#include <gtest/gtest.h>

namespace tsy {

TEST(MainLayout, RoundsHalfToEven) {
    EXPECT_EQ(RoundHalfEven(0.5f), 0);
    EXPECT_EQ(RoundHalfEven(1.5f), 2);
    EXPECT_EQ(RoundHalfEven(2.5f), 2);
    EXPECT_EQ(RoundHalfEven(2.4999998f), 2);
    EXPECT_EQ(RoundHalfEven(2.5000002f), 3);
    EXPECT_EQ(RoundHalfEven(-0.5f), 0);
    EXPECT_EQ(RoundHalfEven(-1.5f), -2);
    EXPECT_EQ(RoundHalfEven(-2.6f), -3);
}

TEST(MainLayout, MulDivRoundsLikeThePlatform) {
    EXPECT_EQ(MulDivRound(10, 3, 2), 15);
    EXPECT_EQ(MulDivRound(5, 1, 2), 3); // half away from zero
    EXPECT_EQ(MulDivRound(-5, 1, 2), -3);
    EXPECT_EQ(MulDivRound(5, -1, 2), -3);
    EXPECT_EQ(MulDivRound(5, 1, -2), -3);
    EXPECT_EQ(MulDivRound(7, 1, 0), -1);
    EXPECT_EQ(MulDivRound(2000000000, 2000000000, 1), -1);
    EXPECT_EQ(MulDivRound(2000000000, 2000000000, 2000000000), 2000000000);
}

TEST(MainLayout, ScalesDesignPixelsForTheDpi) {
    EXPECT_EQ(ScaleForDpi(135, 96), 135);
    EXPECT_EQ(ScaleForDpi(135, 120), 169); // 168.75
    EXPECT_EQ(ScaleForDpi(566, 144), 849);
    EXPECT_EQ(ScaleForDpi(21, 0), 21);
    EXPECT_EQ(ScaleRect({8, 22, 150, 21}, 192), (TRect{16, 44, 300, 42}));
}

TEST(MainLayout, MetricsComeFromTheCreatedControls) {
    const TLayoutMetrics m = TakeLayoutMetrics(558, {8, 22, 150, 21}, {166, 6, 58, 13}, {170, 22, 200, 21});
    EXPECT_EQ(m.CollectionsWidth, 150);
    EXPECT_EQ(m.SearchWidth, 200);
    EXPECT_EQ(m.Rest, 208);
    EXPECT_EQ(m.LabelGap, 8);
    EXPECT_EQ(m.SearchGap, 12);
}

TEST(MainLayout, WideningSharesTheGainInProportionAndMovesTheSearchBox) {
    const TLayoutMetrics m{150, 200, 208, 8, 12};
    const TResizedBoxes same = ResizeBoxes(m, 8, 558);
    EXPECT_EQ(same.CollectionsWidth, 150);
    EXPECT_EQ(same.SearchWidth, 200);
    EXPECT_EQ(same.SearchLabelLeft, 166);
    EXPECT_EQ(same.SearchLeft, 170);

    // 100 more pixels: 450/350 of each design width, 192.857 and 257.143.
    const TResizedBoxes wide = ResizeBoxes(m, 8, 658);
    EXPECT_EQ(wide.CollectionsWidth, 193);
    EXPECT_EQ(wide.SearchWidth, 257);
    EXPECT_EQ(wide.SearchLabelLeft, 8 + 193 + 8);
    EXPECT_EQ(wide.SearchLeft, 8 + 193 + 12);
}

TEST(MainLayout, ResizeWorksInSinglePrecisionWithTiesToEven) {
    // 1.09 is not exact in binary: in single precision 50 * f is exactly 54.5 (to even: 54),
    // in double it lies just above (55).
    const TLayoutMetrics m{50, 50, 208, 8, 8};
    EXPECT_EQ(ResizeBoxes(m, 0, 317).CollectionsWidth, 54);
    // Here single precision lands just below the half (105), double exactly on it (106).
    EXPECT_EQ(ResizeBoxes(m, 0, 419).CollectionsWidth, 105);

    const TLayoutMetrics ties{3, 5, 0, 0, 0};
    const TResizedBoxes half = ResizeBoxes(ties, 0, 4); // f = 0.5: 1.5 and 2.5
    EXPECT_EQ(half.CollectionsWidth, 2);
    EXPECT_EQ(half.SearchWidth, 2);
    const TResizedBoxes oneAndHalf = ResizeBoxes(ties, 0, 12); // f = 1.5: 4.5 and 7.5
    EXPECT_EQ(oneAndHalf.CollectionsWidth, 4);
    EXPECT_EQ(oneAndHalf.SearchWidth, 8);
}

TEST(MainLayout, DegenerateSizesDoNotProduceNegativeOrUndefinedWidths) {
    const TResizedBoxes narrow = ResizeBoxes({150, 200, 208, 8, 12}, 8, 100);
    EXPECT_EQ(narrow.CollectionsWidth, 0);
    EXPECT_EQ(narrow.SearchWidth, 0);
    const TResizedBoxes empty = ResizeBoxes({0, 0, 100, 8, 12}, 8, 600);
    EXPECT_EQ(empty.CollectionsWidth, 0);
    EXPECT_EQ(empty.SearchLeft, 20);
}

TEST(MainLayout, WholeLayoutKeepsButtonsOnTheRightAndStretchesTheBanner) {
    const TMainFormLayout design = DesignedMainFormLayout();
    EXPECT_EQ(LayoutMainForm(design, kMainFormDesignClientWidth, kMainFormDesignClientWidth), design);
    EXPECT_LE(design.About.Right(), kMainFormDesignClientWidth);
    EXPECT_LE(design.Banner.Top + design.Banner.Height, kMainFormDesignClientHeight);

    const TMainFormLayout wide = LayoutMainForm(design, 558, 658);
    EXPECT_EQ(wide.Explore.Left, design.Explore.Left + 100);
    EXPECT_EQ(wide.About.Right(), design.About.Right() + 100);
    EXPECT_EQ(wide.Banner.Width, design.Banner.Width + 100);
    EXPECT_EQ(wide.Collections.Width + wide.Search.Width,
              design.Collections.Width + design.Search.Width + 100);
    EXPECT_EQ(wide.Search.Left - wide.Collections.Right(), design.Search.Left - design.Collections.Right());
    EXPECT_EQ(wide.Search.Top, design.Search.Top);
    EXPECT_EQ(wide.LookInLabel, design.LookInLabel);
    // The search box ends where the Explore button's gap begins, as designed.
    EXPECT_EQ(wide.Explore.Left - wide.Search.Right(), design.Explore.Left - design.Search.Right());
}

TEST(CollectionList, ShowsNamesOrNamesWithCounts) {
    EXPECT_EQ(CollectionDisplayText("Search", 4, false), "Search");
    EXPECT_EQ(CollectionDisplayText("Search", 4, true), "Search (4)");
    EXPECT_EQ(CollectionDisplayText("100% (old)", 0, true), "100% (old) (0)");
}

TEST(CollectionList, SortsIgnoringCaseAndSelectsTheNamedCollection) {
    fakes::AsciiCollation collation;
    const std::vector<TCollectionEntry> entries{{"news", 3}, {"Books", 1}, {"art", 12}};
    TCollectionList list = FillCollections(entries, true, "NEWS", collation);
    EXPECT_EQ(list.Texts, (std::vector<std::string>{"art (12)", "Books (1)", "news (3)"}));
    EXPECT_EQ(list.SelectedIndex, 2);

    list = FillCollections(entries, false, "books", collation);
    EXPECT_EQ(list.Texts, (std::vector<std::string>{"art", "Books", "news"}));
    EXPECT_EQ(list.SelectedIndex, 1);
}

TEST(CollectionList, CanSearchOnlyWithASiteThatHasASearchURL) {
    fakes::AsciiCollation collation;
    TTargets targets;
    TTarget home{0, "Home", "", "http://home.example/", 0, false, {}, {}},
        finder{0, "Finder", "http://find.example/?q=%s", "", 0, false, {}, {}};
    targets.Add(home);
    targets.Add(finder);
    TCollections collections(collation);
    collections.Add("Homes");
    collections.Add("Both");
    collections.GetItem(0).SetIDs({home.ID});
    collections.GetItem(1).SetIDs({home.ID, -finder.ID});
    EXPECT_FALSE(CollectionCanSearch(collections, targets, "homes"));
    EXPECT_TRUE(CollectionCanSearch(collections, targets, "BOTH")) << "a negative entry names its site too";
    EXPECT_FALSE(CollectionCanSearch(collections, targets, "missing"));
}

TEST(CollectionList, UnknownOrEmptySelectionSelectsNothing) {
    fakes::AsciiCollation collation;
    EXPECT_EQ(FillCollections({{"a", 1}}, false, "b", collation).SelectedIndex, -1);
    EXPECT_EQ(FillCollections({{"a", 1}}, false, "", collation).SelectedIndex, -1);
    const TCollectionList none = FillCollections({}, true, "a", collation);
    EXPECT_TRUE(none.Texts.empty());
    EXPECT_EQ(none.SelectedIndex, -1);
}

} // namespace tsy
