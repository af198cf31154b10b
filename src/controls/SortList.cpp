#include "controls/SortList.h"

namespace tsy {

void TSortState::SetAutoSort(bool value) {
    if (value == FAutoSort) {
        return;
    }
    FAutoSort = value;
    FColumn = -1;
    FOrder = TSortOrder::None;
}

TSortStep TSortState::SortByColumn(int column, bool sortTypeNone) {
    TSortStep step;
    step.ArrowOffColumn = FColumn;
    if (!sortTypeNone && column == FColumn) {
        FOrder = FOrder == TSortOrder::Ascending ? TSortOrder::Descending : TSortOrder::Ascending;
    } else {
        FOrder = TSortOrder::Ascending;
    }
    FColumn = column;
    step.SetSortTypeBoth = sortTypeNone;
    step.ResortNow = !sortTypeNone;
    step.ArrowColumn = column;
    step.ArrowOrder = FOrder;
    return step;
}

TSortStep TSortState::ResortByColumn(int column, bool sortTypeNone) {
    // Set up the opposite direction, which the click toggles back.
    FOrder =
        FOrder == TSortOrder::Ascending && column == FColumn ? TSortOrder::Descending : TSortOrder::Ascending;
    return SortByColumn(column, sortTypeNone);
}

int TSortState::StopSorting() {
    const int previous = FColumn;
    // Forget the column even when sorting was off already, so no stale arrow or order survives.
    FAutoSort = false;
    FColumn = -1;
    FOrder = TSortOrder::None;
    return previous;
}

int TSortState::Compare(const ICollation& collation, const std::vector<std::string>& a,
                        const std::vector<std::string>& b) const {
    if (FColumn < 0) {
        return 0;
    }
    const auto column = static_cast<std::size_t>(FColumn);
    if (a.size() <= column || b.size() <= column) {
        return 0;
    }
    const int order = collation.Compare(a[column], b[column]);
    const int result = (order > 0) - (order < 0);
    return FOrder == TSortOrder::Descending ? -result : result;
}

int MoveItemInsertIndex(int index, int delta) {
    return index + delta + (delta >= 1 ? 1 : 0);
}

} // namespace tsy
