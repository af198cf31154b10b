#include "controls/SortList.h"

namespace tsy {

void TSortState::SetAutoSort(bool value) {
    if (value == autoSort_) {
        return;
    }
    autoSort_ = value;
    column_ = -1;
    order_ = TSortOrder::None;
}

TSortStep TSortState::SortByColumn(int column, bool sortTypeNone) {
    TSortStep step;
    step.ArrowOffColumn = column_;
    if (!sortTypeNone && column == column_) {
        order_ = order_ == TSortOrder::Ascending ? TSortOrder::Descending : TSortOrder::Ascending;
    } else {
        order_ = TSortOrder::Ascending;
    }
    column_ = column;
    step.SetSortTypeBoth = sortTypeNone;
    step.ResortNow = !sortTypeNone;
    step.ArrowColumn = column;
    step.ArrowOrder = order_;
    return step;
}

TSortStep TSortState::ResortByColumn(int column, bool sortTypeNone) {
    // Set up the opposite direction, which the click toggles back.
    order_ =
        order_ == TSortOrder::Ascending && column == column_ ? TSortOrder::Descending : TSortOrder::Ascending;
    return SortByColumn(column, sortTypeNone);
}

int TSortState::StopSorting() {
    const int previous = column_;
    // Forget the column even when sorting was off already, so no stale arrow or order survives.
    autoSort_ = false;
    column_ = -1;
    order_ = TSortOrder::None;
    return previous;
}

int TSortState::Compare(const ICollation& collation, const std::vector<std::string>& a,
                        const std::vector<std::string>& b) const {
    if (column_ < 0) {
        return 0;
    }
    const auto column = static_cast<std::size_t>(column_);
    if (a.size() <= column || b.size() <= column) {
        return 0;
    }
    const int order = collation.Compare(a[column], b[column]);
    const int result = (order > 0) - (order < 0);
    return order_ == TSortOrder::Descending ? -result : result;
}

int MoveItemInsertIndex(int index, int delta) {
    return index + delta + (delta >= 1 ? 1 : 0);
}

} // namespace tsy
