#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

namespace tsy::win32 {

class TDialog;

// A report-style list view of a dialog, with the selection and item-moving helpers the
// editing dialogs share, and the rows' changes as events. It does not own the control.
class TListViewEx {
public:
    TListViewEx() = default;
    TListViewEx(const TListViewEx&) = delete;
    TListViewEx& operator=(const TListViewEx&) = delete;
    virtual ~TListViewEx() = default;

    // Takes the control of `dialog` with this id (whole-row selection, check boxes when asked),
    // whose row changes the events below then hear.
    void Attach(TDialog& dialog, int id, bool checkBoxes);
    HWND Handle() const noexcept { return control_; }

    // A row's selection came or went.
    void OnSelectionChanged(std::function<void()> handler) { selectionChanged_ = std::move(handler); }
    // A row was ticked or unticked; not the first state a new row gets.
    void OnCheckChanged(std::function<void(int row, bool checked)> handler) {
        checkChanged_ = std::move(handler);
    }
    // Before a row changes, true refuses the change; `ticks` when it would tick the row.
    void OnChanging(std::function<bool(int row, bool ticks)> refuse) { changing_ = std::move(refuse); }
    // Rewrites rows (clears, adds, ticks, selects) with redrawing stopped and unheard by the
    // events: a rebuild is no change the dialog should act on or refuse.
    void Refill(const std::function<void()>& change);

    // `width` in pixels at 96 DPI, like every width given here.
    int AddColumn(const std::string& caption, int width);
    int ColumnCount() const;
    // Fits the column to its widest entry, kept within [minWidth, maxWidth].
    void FitColumn(int column, int minWidth, int maxWidth);
    // The last column takes the rest of the width (at least its header's).
    void StretchLastColumn();
    // Appends a row; returns its index.
    int AddItem(const std::string& caption, const std::vector<std::string>& subItems = {}, LPARAM data = 0);
    void Clear();
    void DeleteItem(int index);
    // Offers each selected row, the last first, to `remove`; a row it removed goes from the list.
    void DeleteSelected(const std::function<bool(int index)>& remove);
    int Count() const;
    std::string ItemText(int index, int column = 0) const;
    void SetItemText(int index, int column, const std::string& text);
    LPARAM ItemData(int index) const;
    bool Checked(int index) const;
    void SetChecked(int index, bool checked);
    bool Selected(int index) const;
    int SelectedCount() const;
    // The first selected row, or -1.
    int SelectedIndex() const;
    int FindCaption(const std::string& caption) const;
    // The row whose data is the value, or -1.
    int FindData(LPARAM data) const;

    bool HasCheckedItems() const;
    // Clears the selection, then selects the row (none for -1) and gives it the focus mark.
    void SelectItem(int index);
    // SelectItem, then the control takes the keyboard focus.
    void SelectAndFocus(int index);
    void EnsureVisible(int index);
    // The background of the rows and of the area below them.
    void SetBackColour(COLORREF colour);
    // Moves the row by delta places; the row takes all its data and states along.
    void MoveItem(int index, int delta);
    // Moves the selected row by delta and keeps it the current one.
    void MoveSelected(int delta);

    // Redrawing stops until the matching EndUpdate.
    void BeginUpdate();
    virtual void EndUpdate();

protected:
    // Runs `change` unheard by the events.
    void Quietly(const std::function<void()>& change);

    HWND control_ = nullptr;

private:
    int muted_ = 0;
    std::function<void()> selectionChanged_;
    std::function<void(int, bool)> checkChanged_;
    std::function<bool(int, bool)> changing_;
};

} // namespace tsy::win32
