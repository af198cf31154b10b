#pragma once

#include "support/Collation.h"

#include <string>
#include <vector>

namespace tsy {

enum class TSortOrder { None = 0, Ascending = 1, Descending = 2 };

// What a list view must do after a column click: take the arrow off one header column, then either
// switch its own sorting on (which sorts and keeps it sorted) or sort again now, then show the
// arrow. A column of -1 means none.
struct TSortStep {
    int ArrowOffColumn = -1;
    bool SetSortTypeBoth = false;
    bool ResortNow = false;
    int ArrowColumn = -1;
    TSortOrder ArrowOrder = TSortOrder::None;

    bool operator==(const TSortStep&) const = default;
};

// The sort state of a sortable list view, apart from the control itself. sortTypeNone tells
// whether the control's own sorting is off at the moment.
class TSortState {
public:
    int Column() const { return column_; }
    TSortOrder Order() const { return order_; }
    bool AutoSort() const { return autoSort_; }
    // A change of value forgets the sort column and order; setting the same value keeps them.
    void SetAutoSort(bool value);

    // A click on column: the same column again reverses the order while the control sorts,
    // any other column (or a control that does not sort yet) sorts ascending.
    TSortStep SortByColumn(int column, bool sortTypeNone);
    // Sorts by column keeping the direction when it already is the sort column, ascending otherwise.
    TSortStep ResortByColumn(int column, bool sortTypeNone);
    // Turns automatic sorting off; returns the column whose arrow must go (-1 for none). The
    // control then sets its own sorting to none.
    int StopSorting();

    // Orders two items given as caption followed by sub-items: column 0 is the caption, column N
    // sub-item N - 1. An item that lacks the column compares equal, as does everything while no
    // column is sorted. Case counts; descending order negates.
    int Compare(const ICollation& collation, const std::vector<std::string>& a,
                const std::vector<std::string>& b) const;

private:
    bool autoSort_ = true;
    int column_ = -1;
    TSortOrder order_ = TSortOrder::None;
};

// Where moving the item at index by delta inserts its copy, before the old item is deleted.
int MoveItemInsertIndex(int index, int delta);

} // namespace tsy
