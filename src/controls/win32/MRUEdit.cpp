#include "controls/win32/MRUEdit.h"

#include "support/win32/SystemCodePage.h"
#include "support/win32/WinText.h"

#include <algorithm>

namespace tsy::win32 {

namespace {

std::u16string TextOf(HWND window) {
    return Utf16Of(WindowTextW(window));
}

void SetTextOf(HWND window, std::u16string_view text) {
    SetWindowTextW(window, WideOf(text).c_str());
}

} // namespace

TMRUEdit::TMRUEdit(const IWideCollation& collation, const ICodePage& codePage)
    : history_(collation), codePage_(codePage) {}

TMRUEdit::~TMRUEdit() {
    // The edit part dies with the combo box: while it is hooked the box is still there.
    const bool alive = edit_.Window() != nullptr;
    edit_.Detach();
    if (combo_ && alive) {
        DestroyWindow(combo_);
    }
}

bool TMRUEdit::Create(HWND parent, int id, int x, int y, int width, int height, int dropDownHeight) {
    combo_ = CreateWindowExW(
        0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
        x, y, width, height + dropDownHeight, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
    if (!combo_) {
        return false;
    }
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    HWND edit =
        GetComboBoxInfo(combo_, &info) ? info.hwndItem : FindWindowExW(combo_, nullptr, L"EDIT", nullptr);
    if (!edit_.Attach(edit)) {
        DestroyWindow(combo_);
        combo_ = nullptr;
        return false;
    }
    return true;
}

void TMRUEdit::SetMRUIsSorted(bool sorted) {
    sorted_ = sorted;
    RebuildDropDown();
}

bool TMRUEdit::RemoveFromMRU(std::u16string_view text) {
    return history_.Remove(text);
}

void TMRUEdit::AddToMRU(std::u16string_view text, int index) {
    history_.Add(text, index);
}

void TMRUEdit::AddSearchText(std::u16string_view text) {
    const std::u16string copy(text); // `text` may be our own Text()
    AddToMRU(copy, 0);
    RebuildDropDown();
    SetText(copy);
}

void TMRUEdit::AddCurrentText() {
    AddSearchText(Text());
}

void TMRUEdit::ClearMRU() {
    history_.Clear();
    RebuildDropDown();
}

void TMRUEdit::LoadMRU(IKeyValueStore& store, RootKey root, std::string_view path,
                       std::string_view valueName) {
    try {
        LoadSearchHistory(store, root, path, valueName, codePage_, history_);
    } catch (...) {
        RebuildDropDown();
        throw;
    }
    RebuildDropDown();
}

void TMRUEdit::SaveMRU(IKeyValueStore& store, RootKey root, std::string_view path,
                       std::string_view valueName) const {
    SaveSearchHistory(store, root, path, valueName, history_);
}

std::u16string TMRUEdit::Text() const {
    return combo_ ? TextOf(combo_) : std::u16string();
}

void TMRUEdit::SetText(std::u16string_view text) {
    if (combo_) {
        SetTextOf(combo_, text);
    }
}

bool TMRUEdit::Enabled() const {
    return combo_ && IsWindowEnabled(combo_);
}

void TMRUEdit::SetEnabled(bool enabled) {
    if (combo_) {
        EnableWindow(combo_, enabled ? TRUE : FALSE);
    }
}

std::vector<std::u16string> TMRUEdit::DropDownItems() const {
    std::vector<std::u16string> items;
    if (!combo_) {
        return items;
    }
    const LRESULT count = SendMessageW(combo_, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        items.push_back(Utf16Of(ComboItemTextW(combo_, int(i))));
    }
    return items;
}

void TMRUEdit::SetKeywordChoices(std::vector<TKeywordChoice> choices) {
    choices_ = std::move(choices);
    UpdateDropDown();
}

void TMRUEdit::RebuildDropDown() {
    if (!combo_) {
        return;
    }
    // Emptying the list empties the edit part too.
    const std::u16string text = Text();
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit_.Window(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    SendMessageW(combo_, CB_RESETCONTENT, 0, 0);
    for (const std::u16string& item : keywordItems_.empty() ? history_.View(sorted_) : keywordItems_) {
        SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideOf(item).c_str()));
    }
    SetText(text);
    SendMessageW(edit_.Window(), EM_SETSEL, start, end);
}

void TMRUEdit::UpdateDropDown() {
    std::vector<std::u16string> items =
        KeywordDropDown(Text(), choices_, history_.Collation(), history_.Limit());
    if (items == keywordItems_) {
        return;
    }
    keywordItems_ = std::move(items);
    RebuildDropDown();
}

std::optional<std::u16string> TMRUEdit::KeywordChosen(LPARAM text) const {
    if (keywordItems_.empty() || text == 0) {
        return std::nullopt;
    }
    const std::u16string item = Utf16Of(reinterpret_cast<const wchar_t*>(text));
    if (std::find(keywordItems_.begin(), keywordItems_.end(), item) == keywordItems_.end()) {
        return std::nullopt;
    }
    return ChosenKeywordText(item);
}

void TMRUEdit::CompleteTypedText() {
    HWND edit = edit_.Window();
    const std::u16string typed = TextOf(edit);
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    // Only typing at the end is completed; an edit in the middle is left as it is.
    if (start != end || end != typed.size()) {
        return;
    }
    const std::vector<std::u16string> items = history_.View(sorted_);
    const int found = FindCompletion(items, typed, history_.Collation());
    if (found < 0 || items[static_cast<std::size_t>(found)].size() <= typed.size()) {
        return;
    }
    const std::u16string completed = typed + items[static_cast<std::size_t>(found)].substr(typed.size());
    SetTextOf(edit, completed);
    SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(typed.size()), static_cast<LPARAM>(completed.size()));
}

LRESULT TMRUEdit::TEditHook::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN && wParam == VK_RETURN && owner_.onEnter_) {
        if (SendMessageW(owner_.combo_, CB_GETDROPPEDSTATE, 0, 0)) {
            SendMessageW(owner_.combo_, CB_SHOWDROPDOWN, FALSE, 0);
        }
        owner_.onEnter_();
        return 0;
    }
    if (message == WM_CHAR && wParam == '\r' && owner_.onEnter_) {
        return 0; // already handled on key-down; a single-line edit would beep
    }
    if (message == WM_SETTEXT) {
        if (const auto chosen = owner_.KeywordChosen(lParam)) {
            const std::wstring text = WideOf(*chosen);
            const LRESULT result = CallOriginal(message, wParam, reinterpret_cast<LPARAM>(text.c_str()));
            // After the box has selected the whole text, the caret goes to its end for the search text.
            PostMessageW(Window(), EM_SETSEL, text.size(), text.size());
            return result;
        }
    }
    const LRESULT result = CallOriginal(message, wParam, lParam);
    if (message == WM_CHAR && owner_.autoComplete_ && wParam >= 32 && wParam != 127 &&
        owner_.keywordItems_.empty()) {
        owner_.CompleteTypedText();
    }
    const bool typed = message == WM_CHAR || message == WM_PASTE || message == WM_CUT ||
                       message == WM_CLEAR || message == WM_UNDO ||
                       (message == WM_KEYDOWN && wParam == VK_DELETE);
    if (typed) {
        owner_.UpdateDropDown();
    }
    return result;
}

} // namespace tsy::win32
