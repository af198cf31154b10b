#include "controls/win32/SortListView.h"

#include <commctrl.h>

#include <algorithm>
#include <numeric>
#include <string>
#include <utility>
#include <vector>

#include "support/win32/Dialog.h"

namespace tsy::win32 {

namespace {

constexpr UINT kRowStates =
    LVIS_STATEIMAGEMASK | LVIS_OVERLAYMASK | LVIS_SELECTED | LVIS_FOCUSED | LVIS_CUT | LVIS_DROPHILITED;

struct TRow {
    std::vector<std::string> Cells; // caption, then sub-items
    LPARAM Data;
    UINT State;
};

} // namespace

void TSortListView::Attach(TDialog& dialog, int id, bool checkBoxes, TSortType sortType) {
    TListViewEx::Attach(dialog, id, checkBoxes);
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
    // The list's own sort hands its callback item indexes that Windows and Wine count against
    // different orders, so the rows are sorted here and written back in their new order, each
    // with its data, check and selection.
    const int count = Count();
    const int columns = ColumnCount() > 0 ? ColumnCount() : 1;
    std::vector<TRow> rows;
    for (int i = 0; i < count; ++i) {
        TRow row{{}, ItemData(i), ListView_GetItemState(control_, i, kRowStates)};
        for (int c = 0; c < columns; ++c)
            row.Cells.push_back(ItemText(i, c));
        rows.push_back(std::move(row));
    }
    std::vector<int> order(std::size_t(count), 0);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return state_.Compare(collation_, rows[std::size_t(a)].Cells, rows[std::size_t(b)].Cells) < 0;
    });
    if (std::is_sorted(order.begin(), order.end()))
        return;
    const int mark = ListView_GetSelectionMark(control_);
    // The parent must neither refuse nor act on the rows' rewriting.
    Quietly([&] {
        SendMessageA(control_, WM_SETREDRAW, FALSE, 0);
        for (int i = 0; i < count; ++i) {
            TRow& row = rows[std::size_t(order[std::size_t(i)])];
            LVITEMA item{};
            item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_STATE;
            item.iItem = i;
            item.pszText = row.Cells[0].data();
            item.lParam = row.Data;
            item.state = row.State;
            item.stateMask = kRowStates;
            SendMessageA(control_, LVM_SETITEMA, 0, LPARAM(&item));
            for (int c = 1; c < columns; ++c)
                SetItemText(i, c, row.Cells[std::size_t(c)]);
            if (order[std::size_t(i)] == mark)
                ListView_SetSelectionMark(control_, i);
        }
    });
    SendMessageA(control_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(control_, nullptr, TRUE);
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
