#include "controls/SortList.h"
#include "support/AnsiCollation.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tsy {
namespace {

using TItem = std::vector<std::string>;

TEST(SortState, ClickingAColumnTwiceReversesThenAnotherColumnSortsAscending) {
    TSortState state;
    TSortStep step = state.SortByColumn(0, true);
    EXPECT_EQ(step.ArrowOffColumn, -1);
    EXPECT_TRUE(step.SetSortTypeBoth);
    EXPECT_FALSE(step.ResortNow);
    EXPECT_EQ(step.ArrowColumn, 0);
    EXPECT_EQ(step.ArrowOrder, TSortOrder::Ascending);

    step = state.SortByColumn(0, false);
    EXPECT_TRUE(step.ResortNow);
    EXPECT_EQ(step.ArrowOrder, TSortOrder::Descending);

    step = state.SortByColumn(1, false);
    EXPECT_EQ(step.ArrowOffColumn, 0);
    EXPECT_EQ(step.ArrowColumn, 1);
    EXPECT_EQ(step.ArrowOrder, TSortOrder::Ascending);
    // A control that does not sort yet starts ascending even on the sort column.
    EXPECT_EQ(state.SortByColumn(1, true).ArrowOrder, TSortOrder::Ascending);
}

TEST(SortState, ResortKeepsTheDirectionOfTheSortColumn) {
    TSortState state;
    EXPECT_EQ(state.ResortByColumn(0, true).ArrowOrder, TSortOrder::Ascending);
    EXPECT_EQ(state.ResortByColumn(0, false).ArrowOrder, TSortOrder::Ascending);
    state.SortByColumn(0, false);
    EXPECT_EQ(state.ResortByColumn(0, false).ArrowOrder, TSortOrder::Descending);
    EXPECT_EQ(state.ResortByColumn(2, false).ArrowOrder, TSortOrder::Ascending);
}

TEST(SortState, AutoSortChangeAndStopForgetTheColumn) {
    TSortState state;
    state.SortByColumn(1, true);
    state.SetAutoSort(true);
    EXPECT_EQ(state.Column(), 1);
    state.SetAutoSort(false);
    EXPECT_EQ(state.Column(), -1);
    EXPECT_EQ(state.Order(), TSortOrder::None);
    state.SetAutoSort(true);
    state.SortByColumn(2, true);
    EXPECT_EQ(state.StopSorting(), 2);
    EXPECT_FALSE(state.AutoSort());
    EXPECT_EQ(state.Column(), -1);
    EXPECT_EQ(state.StopSorting(), -1);
}

TEST(SortState, CompareSortsCaseSensitivelyByTheColumn) {
    const TAnsiCollation collation;
    TSortState state;
    std::vector<TItem> items = {{"b", "2"}, {"B", "1"}, {"a"}};
    auto sorted = [&] {
        std::stable_sort(items.begin(), items.end(),
                         [&](const TItem& x, const TItem& y) { return state.Compare(collation, x, y) < 0; });
        std::string captions;
        for (const TItem& item : items) {
            captions += item[0];
        }
        return captions;
    };
    EXPECT_EQ(state.Compare(collation, {"b"}, {"a"}), 0);
    state.SortByColumn(0, true);
    EXPECT_EQ(sorted(), "abB");
    state.SortByColumn(0, false);
    EXPECT_EQ(sorted(), "Bba");
    // The item without sub-item 1 equals both others, so only the two that have it are ordered.
    state.SortByColumn(1, false);
    EXPECT_EQ(state.Compare(collation, {"a"}, {"b", "2"}), 0);
    EXPECT_EQ(state.Compare(collation, {"B", "1"}, {"b", "2"}), -1);
    // Text order, not numbers.
    EXPECT_EQ(state.Compare(collation, {"x", "10"}, {"y", "9"}), -1);
}

TEST(MoveItemInsertIndex, CountsTheOldItemWhenMovingDown) {
    EXPECT_EQ(MoveItemInsertIndex(3, -1), 2);
    EXPECT_EQ(MoveItemInsertIndex(3, 1), 5);
    EXPECT_EQ(MoveItemInsertIndex(3, 0), 3);
}

} // namespace
} // namespace tsy
