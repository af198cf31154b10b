#include "controls/win32/ListViewEx.h"

#include <algorithm>

#include <commctrl.h>

#include "controls/SortList.h"
#include "support/Geometry.h"
#include "support/win32/Dialog.h"
#include "support/win32/ScreenDpi.h"

namespace tsy::win32 {

namespace {

constexpr UINT kTicked = INDEXTOSTATEIMAGEMASK(2);

} // namespace

void TListViewEx::Attach(TDialog& dialog, int id, bool checkBoxes) {
    control_ = dialog.Item(id);
    DWORD extended = LVS_EX_FULLROWSELECT | (checkBoxes ? LVS_EX_CHECKBOXES : 0);
    ListView_SetExtendedListViewStyleEx(control_, extended, extended);
    dialog.OnNotify(id, LVN_ITEMCHANGED, [this](NMHDR& header) -> LRESULT {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        const UINT flipped = change.uNewState ^ change.uOldState;
        if (muted_ || !(change.uChanged & LVIF_STATE))
            return 0;
        if ((flipped & LVIS_SELECTED) && selectionChanged_)
            selectionChanged_();
        if ((flipped & LVIS_STATEIMAGEMASK) && (change.uOldState & LVIS_STATEIMAGEMASK) &&
            change.iItem >= 0 && checkChanged_)
            checkChanged_(change.iItem, (change.uNewState & LVIS_STATEIMAGEMASK) == kTicked);
        return 0;
    });
    dialog.OnNotify(id, LVN_ITEMCHANGING, [this](NMHDR& header) -> LRESULT {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        const bool ticks =
            (change.uChanged & LVIF_STATE) && (change.uNewState & LVIS_STATEIMAGEMASK) == kTicked;
        return !muted_ && changing_ && changing_(change.iItem, ticks);
    });
}

void TListViewEx::Quietly(const std::function<void()>& change) {
    ++muted_;
    try {
        change();
    } catch (...) {
        --muted_;
        throw;
    }
    --muted_;
}

void TListViewEx::Refill(const std::function<void()>& change) {
    Quietly([&] {
        BeginUpdate();
        change();
        EndUpdate();
    });
}

int TListViewEx::AddColumn(const std::string& caption, int width) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    std::string text = caption;
    column.pszText = text.data();
    column.cx = ScaleForDpi(width, WindowDpi(control_));
    return int(SendMessageA(control_, LVM_INSERTCOLUMNA, WPARAM(ColumnCount()), LPARAM(&column)));
}

int TListViewEx::ColumnCount() const {
    HWND header = ListView_GetHeader(control_);
    return header ? Header_GetItemCount(header) : 0;
}

int TListViewEx::AddItem(const std::string& caption, const std::vector<std::string>& subItems, LPARAM data) {
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = Count();
    std::string text = caption;
    item.pszText = text.data();
    item.lParam = data;
    const int index = int(SendMessageA(control_, LVM_INSERTITEMA, 0, LPARAM(&item)));
    for (std::size_t i = 0; i < subItems.size() && index >= 0; ++i)
        SetItemText(index, int(i) + 1, subItems[i]);
    return index;
}

void TListViewEx::Clear() {
    ListView_DeleteAllItems(control_);
}

void TListViewEx::DeleteItem(int index) {
    ListView_DeleteItem(control_, index);
}

void TListViewEx::DeleteSelected(const std::function<bool(int index)>& remove) {
    for (int row = Count() - 1; row >= 0; --row)
        if (Selected(row) && remove(row))
            DeleteItem(row);
}

void TListViewEx::FitColumn(int column, int minWidth, int maxWidth) {
    const int dpi = WindowDpi(control_);
    ListView_SetColumnWidth(control_, column, LVSCW_AUTOSIZE);
    ListView_SetColumnWidth(control_, column,
                            std::clamp(ListView_GetColumnWidth(control_, column), ScaleForDpi(minWidth, dpi),
                                       ScaleForDpi(maxWidth, dpi)));
}

void TListViewEx::StretchLastColumn() {
    ListView_SetColumnWidth(control_, ColumnCount() - 1, LVSCW_AUTOSIZE_USEHEADER);
}

void TListViewEx::EnsureVisible(int index) {
    ListView_EnsureVisible(control_, index, FALSE);
}

void TListViewEx::SetBackColour(COLORREF colour) {
    ListView_SetBkColor(control_, colour);
    ListView_SetTextBkColor(control_, colour);
    InvalidateRect(control_, nullptr, TRUE);
}

int TListViewEx::Count() const {
    return ListView_GetItemCount(control_);
}

std::string TListViewEx::ItemText(int index, int column) const {
    // The control says only how much it copied: a buffer it filled may have cut the text.
    std::string text(256, '\0');
    for (;;) {
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = text.data();
        item.cchTextMax = int(text.size());
        const auto length = std::size_t(
            std::max<LRESULT>(0, SendMessageA(control_, LVM_GETITEMTEXTA, WPARAM(index), LPARAM(&item))));
        if (length + 1 < text.size()) {
            text.resize(length);
            return text;
        }
        text.assign(text.size() * 2, '\0');
    }
}

void TListViewEx::SetItemText(int index, int column, const std::string& text) {
    LVITEMA item{};
    item.iSubItem = column;
    std::string copy = text;
    item.pszText = copy.data();
    SendMessageA(control_, LVM_SETITEMTEXTA, WPARAM(index), LPARAM(&item));
}

LPARAM TListViewEx::ItemData(int index) const {
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    SendMessageA(control_, LVM_GETITEMA, 0, LPARAM(&item));
    return item.lParam;
}

bool TListViewEx::Checked(int index) const {
    return ListView_GetCheckState(control_, index) != 0;
}

void TListViewEx::SetChecked(int index, bool checked) {
    ListView_SetCheckState(control_, index, checked ? TRUE : FALSE);
}

bool TListViewEx::Selected(int index) const {
    return ListView_GetItemState(control_, index, LVIS_SELECTED) != 0;
}

int TListViewEx::SelectedCount() const {
    return int(ListView_GetSelectedCount(control_));
}

int TListViewEx::SelectedIndex() const {
    return ListView_GetNextItem(control_, -1, LVNI_SELECTED);
}

int TListViewEx::FindCaption(const std::string& caption) const {
    for (int i = 0; i < Count(); ++i)
        if (ItemText(i) == caption)
            return i;
    return -1;
}

int TListViewEx::FindData(LPARAM data) const {
    for (int i = 0; i < Count(); ++i)
        if (ItemData(i) == data)
            return i;
    return -1;
}

bool TListViewEx::HasCheckedItems() const {
    for (int i = 0; i < Count(); ++i)
        if (Checked(i))
            return true;
    return false;
}

void TListViewEx::SelectItem(int index) {
    ListView_SetItemState(control_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (index >= 0 && index < Count()) {
        ListView_SetItemState(control_, index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        ListView_EnsureVisible(control_, index, FALSE);
    }
}

void TListViewEx::SelectAndFocus(int index) {
    SelectItem(index);
    SetFocus(control_);
}

void TListViewEx::MoveItem(int index, int delta) {
    const int count = Count();
    const int target = MoveItemInsertIndex(index, delta);
    if (index < 0 || index >= count || target < 0 || target > count)
        return;
    const int columns = ColumnCount();
    LVITEMA item{};
    item.mask = LVIF_PARAM | LVIF_STATE;
    item.stateMask = UINT(-1);
    item.iItem = index;
    SendMessageA(control_, LVM_GETITEMA, 0, LPARAM(&item));
    const bool checked = Checked(index);
    std::vector<std::string> texts;
    for (int c = 0; c < (columns > 0 ? columns : 1); ++c)
        texts.push_back(ItemText(index, c));

    LVITEMA copy{};
    copy.mask = LVIF_TEXT | LVIF_PARAM;
    copy.iItem = target;
    copy.pszText = texts[0].data();
    copy.lParam = item.lParam;
    const int made = int(SendMessageA(control_, LVM_INSERTITEMA, 0, LPARAM(&copy)));
    if (made < 0)
        return;
    for (std::size_t c = 1; c < texts.size(); ++c)
        SetItemText(made, int(c), texts[c]);
    SetChecked(made, checked);
    ListView_SetItemState(control_, made, item.state & ~LVIS_STATEIMAGEMASK, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_DeleteItem(control_, made <= index ? index + 1 : index);
}

void TListViewEx::MoveSelected(int delta) {
    const int index = SelectedIndex();
    if (index < 0)
        return;
    const int moved = index + delta;
    if (moved < 0 || moved >= Count())
        return;
    MoveItem(index, delta);
    SelectItem(moved);
}

void TListViewEx::BeginUpdate() {
    SendMessageA(control_, WM_SETREDRAW, FALSE, 0);
}

void TListViewEx::EndUpdate() {
    SendMessageA(control_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(control_, nullptr, TRUE);
}

} // namespace tsy::win32
