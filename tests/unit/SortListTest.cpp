#include "controls/SortList.h"
#include "AnsiCollation.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tsy {
namespace {

constexpr TSortOrder Up = TSortOrder::Ascending;
constexpr TSortOrder Down = TSortOrder::Descending;

TEST(SortState, ClickingAColumnTwiceReversesThenAnotherColumnSortsAscending) {
    TSortState state;
    EXPECT_EQ(state.SortByColumn(0, true), (TSortStep{-1, true, false, 0, Up}));
    EXPECT_EQ(state.SortByColumn(0, false), (TSortStep{0, false, true, 0, Down}));
    EXPECT_EQ(state.SortByColumn(1, false), (TSortStep{0, false, true, 1, Up}));
    // A control that does not sort yet starts ascending even on the sort column.
    EXPECT_EQ(state.SortByColumn(1, true).ArrowOrder, Up);
}

TEST(SortState, ResortKeepsTheDirectionOfTheSortColumn) {
    TSortState state;
    EXPECT_EQ(state.ResortByColumn(0, true).ArrowOrder, Up);
    EXPECT_EQ(state.ResortByColumn(0, false).ArrowOrder, Up);
    state.SortByColumn(0, false);
    EXPECT_EQ(state.ResortByColumn(0, false).ArrowOrder, Down);
    EXPECT_EQ(state.ResortByColumn(2, false).ArrowOrder, Up);
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
    EXPECT_EQ(state.StopSorting(), -1);
}

TEST(SortState, CompareSortsCaseSensitivelyByTheColumn) {
    const TAnsiCollation collation;
    TSortState state;
    std::vector<std::vector<std::string>> items = {{"b", "2"}, {"B", "1"}, {"a"}};
    auto captions = [&] {
        std::stable_sort(items.begin(), items.end(),
                         [&](const auto& x, const auto& y) { return state.Compare(collation, x, y) < 0; });
        return items[0][0] + items[1][0] + items[2][0];
    };
    EXPECT_EQ(state.Compare(collation, {"b"}, {"a"}), 0);
    state.SortByColumn(0, true);
    EXPECT_EQ(captions(), "abB");
    state.SortByColumn(0, false);
    EXPECT_EQ(captions(), "Bba");
    // Without sub-item 1 an item equals every other; texts are not numbers.
    state.SortByColumn(1, false);
    EXPECT_EQ(state.Compare(collation, {"a"}, {"b", "2"}), 0);
    EXPECT_EQ(state.Compare(collation, {"B", "1"}, {"b", "2"}), -1);
    EXPECT_EQ(state.Compare(collation, {"x", "10"}, {"y", "9"}), -1);
}

TEST(MoveItemInsertIndex, CountsTheOldItemWhenMovingDown) {
    EXPECT_EQ(MoveItemInsertIndex(3, -1), 2);
    EXPECT_EQ(MoveItemInsertIndex(3, 1), 5);
}

} // namespace
} // namespace tsy
