#pragma once

#include "controls/SearchHistory.h"
#include "controls/win32/Subclass.h"
#include "support/CodePage.h"
#include "support/Collation.h"
#include "support/KeyValueStore.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tsy::win32 {

// The search box: an editable drop-down combo box whose list shows the search history. The
// list is only a view, rebuilt from the history after every change; rebuilding keeps the text.
// The box is a Unicode window: it takes and shows any text, typed or pasted.
class TMRUEdit {
public:
    // The collation compares history entries; the code page reads histories stored as bytes.
    // Both must outlive the control.
    TMRUEdit(const IWideCollation& collation, const ICodePage& codePage);
    TMRUEdit(const TMRUEdit&) = delete;
    TMRUEdit& operator=(const TMRUEdit&) = delete;
    ~TMRUEdit();

    // `height` is the edit part's; `dropDownHeight` the open list's.
    bool Create(HWND parent, int id, int x, int y, int width, int height, int dropDownHeight = 200);
    HWND Handle() const { return combo_; }
    HWND EditHandle() const { return edit_.Window(); }

    const TSearchHistory& History() const { return history_; }
    int MRULimit() const { return history_.Limit(); }
    bool MRUIsSorted() const { return sorted_; }
    void SetMRUIsSorted(bool sorted);

    // Typed text is completed from the first list item that begins with it, ignoring case;
    // the completed part is selected.
    bool AutoComplete() const { return autoComplete_; }
    void SetAutoComplete(bool on) { autoComplete_ = on; }

    // The keywords the drop-down offers while "!" and the start of one is typed; choosing one
    // puts "!w " into the box.
    void SetKeywordChoices(std::vector<TKeywordChoice> choices);

    // Enter in the box; the owner runs Explore.
    void SetOnEnter(std::function<void()> onEnter) { onEnter_ = std::move(onEnter); }

    bool RemoveFromMRU(std::u16string_view text);
    void AddToMRU(std::u16string_view text, int index);
    // Records the text at the top, rebuilds the list and shows the text.
    void AddSearchText(std::u16string_view text);
    // AddSearchText with the text exactly as typed.
    void AddCurrentText();
    // Empties list and history; the text stays.
    void ClearMRU();

    // Read and write the history through the store (see LoadSearchHistory, SaveSearchHistory);
    // loading rebuilds the list whatever happens.
    void LoadMRU(IKeyValueStore& store, RootKey root, std::string_view path, std::string_view valueName);
    void SaveMRU(IKeyValueStore& store, RootKey root, std::string_view path,
                 std::string_view valueName) const;

    std::u16string Text() const;
    void SetText(std::u16string_view text);
    bool Enabled() const;
    void SetEnabled(bool enabled);

    // The list as the control holds it.
    std::vector<std::u16string> DropDownItems() const;

private:
    class TEditHook : public TSubclass {
    public:
        explicit TEditHook(TMRUEdit& owner) : owner_(owner) {}

    private:
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
        TMRUEdit& owner_;
    };

    void RebuildDropDown();
    void CompleteTypedText();
    // Switches the list between the history and the keywords as the text asks.
    void UpdateDropDown();
    // The text a keyword item puts into the box instead of its own, or nothing.
    std::optional<std::u16string> KeywordChosen(LPARAM text) const;

    TSearchHistory history_;
    const ICodePage& codePage_;
    bool sorted_ = false;
    bool autoComplete_ = true;
    std::function<void()> onEnter_;
    std::vector<TKeywordChoice> choices_;
    // The keyword items the list shows; empty while it shows the history.
    std::vector<std::u16string> keywordItems_;
    HWND combo_ = nullptr;
    TEditHook edit_{*this};
};

} // namespace tsy::win32
