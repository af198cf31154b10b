#include "controls/win32/SortListView.h"

#include <commctrl.h>

#include <utility>

#include "support/win32/Dialog.h"

namespace tsy::win32 {

namespace {

struct TSortContext {
    const TSortState* State;
    const ICollation* Collation;
    std::vector<std::vector<std::string>> Rows; // by the row's place before sorting
};

int CALLBACK CompareRows(LPARAM a, LPARAM b, LPARAM context) {
    const auto& c = *reinterpret_cast<const TSortContext*>(context);
    return c.State->Compare(*c.Collation, c.Rows[std::size_t(a)], c.Rows[std::size_t(b)]);
}

} // namespace

void TSortListView::Attach(TDialog& dialog, int id, bool checkBoxes, TSortType sortType) {
    TListViewEx::Attach(dialog.Item(id), checkBoxes);
    sortType_ = sortType;
    // The header tells the list, not the dialog, when a column was resized.
    TSubclass::Attach(control_);
    dialog.OnNotify(id, LVN_COLUMNCLICK, [this](NMHDR& header) -> LRESULT {
        if (state_.AutoSort())
            SortByColumn(reinterpret_cast<NMLISTVIEW&>(header).iSubItem);
        return 0;
    });
}

void TSortListView::SetAutoSort(bool on) {
    state_.SetAutoSort(on);
}

void TSortListView::SortByColumn(int column) {
    Apply(state_.SortByColumn(column, sortType_ == TSortType::None));
}

void TSortListView::ResortByColumn(int column) {
    Apply(state_.ResortByColumn(column, sortType_ == TSortType::None));
}

void TSortListView::StopSorting() {
    SetArrow(state_.Column(), TSortOrder::None);
    state_.StopSorting();
    sortType_ = TSortType::None;
}

void TSortListView::RefreshSortArrow() {
    if (state_.Order() != TSortOrder::None)
        SetArrow(state_.Column(), state_.Order());
}

void TSortListView::StartSorted() {
    if (sortType_ != TSortType::Both)
        return;
    sortType_ = TSortType::None;
    SortByColumn(0);
}

void TSortListView::EndUpdate() {
    if (sortType_ == TSortType::Both && state_.Column() >= 0)
        SortNow();
    TListViewEx::EndUpdate();
}

void TSortListView::Apply(const TSortStep& step) {
    if (step.ArrowOffColumn >= 0)
        SetArrow(step.ArrowOffColumn, TSortOrder::None);
    if (step.SetSortTypeBoth)
        sortType_ = TSortType::Both;
    if (step.ResortNow || step.SetSortTypeBoth)
        SortNow();
    SetArrow(step.ArrowColumn, step.ArrowOrder);
}

void TSortListView::SortNow() {
    // The rows are compared by their places before the sort, so no row's data is touched: a
    // parent may refuse every change of its rows, and the data is the parent's own.
    const int count = Count();
    const int columns = ColumnCount() > 0 ? ColumnCount() : 1;
    TSortContext context{&state_, &collation_, std::vector<std::vector<std::string>>(std::size_t(count))};
    for (int i = 0; i < count; ++i)
        for (int c = 0; c < columns; ++c)
            context.Rows[std::size_t(i)].push_back(ItemText(i, c));
    SendMessageA(control_, LVM_SORTITEMSEX, WPARAM(&context), LPARAM(&CompareRows));
}

void TSortListView::SetArrow(int column, TSortOrder order) {
    HWND header = ListView_GetHeader(control_);
    if (column < 0 || !header)
        return;
    HDITEMA item{};
    item.mask = HDI_FORMAT;
    item.fmt = HDF_STRING;
    if (order == TSortOrder::Ascending)
        item.fmt |= HDF_SORTUP;
    else if (order == TSortOrder::Descending)
        item.fmt |= HDF_SORTDOWN;
    SendMessageA(header, HDM_SETITEMA, WPARAM(column), LPARAM(&item));
}

LRESULT TSortListView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = CallOriginal(message, wParam, lParam);
    if (message == WM_NOTIFY) {
        const UINT code = reinterpret_cast<const NMHDR*>(lParam)->code;
        // The header forgets the arrow when a column's width is set.
        if (code == HDN_ENDTRACKA || code == HDN_ENDTRACKW || code == HDN_DIVIDERDBLCLICKA ||
            code == HDN_DIVIDERDBLCLICKW)
            RefreshSortArrow();
    }
    return result;
}

} // namespace tsy::win32
