#pragma once

#include "controls/SortList.h"
#include "controls/win32/ListViewEx.h"
#include "controls/win32/Subclass.h"

namespace tsy {
class ICollation;
}

namespace tsy::win32 {

// A list view that sorts itself by the clicked column, shows the direction as an arrow
// in the header, and can be switched to a fixed, user-ordered mode.
class TSortListView : public TListViewEx, private TSubclass {
public:
    enum class TSortType { None, Both };

    explicit TSortListView(const ICollation& collation) : collation_(collation) {}

    // Takes the control of `dialog` with this id and its column clicks. A list that starts
    // sorted is sorted by its first column, ascending, once its columns exist (StartSorted).
    void Attach(TDialog& dialog, int id, bool checkBoxes, TSortType sortType);

    bool AutoSort() const noexcept { return state_.AutoSort(); }
    void SetAutoSort(bool on);

    // The column-click sort.
    void SortByColumn(int column);
    // Sorts by the column, keeping the direction when it is already the sort column.
    void ResortByColumn(int column);
    void StopSorting();
    void RefreshSortArrow();
    // A list whose sort type is both: column 0, ascending, with its arrow.
    void StartSorted();
    // Rows added while the list keeps itself sorted take their places here.
    void EndUpdate() override;

private:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Apply(const TSortStep& step);
    void SortNow();
    void SetArrow(int column, TSortOrder order);

    const ICollation& collation_;
    TSortState state_;
    TSortType sortType_ = TSortType::None;
};

} // namespace tsy::win32
