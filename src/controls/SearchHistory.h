#pragma once

#include "support/CodePage.h"
#include "support/Collation.h"
#include "support/KeyValueStore.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tsy {

// Where the search history is kept, under the current user.
inline constexpr const char* kSearchHistoryKeyPath = "\\SOFTWARE\\Orvelle\\Tessaly";
inline constexpr const char* kSearchHistoryValueName = "SearchMRU";

// The most-recently-used search texts, most recent first, in Unicode. No two entries are equal
// ignoring case; the collation must outlive the history.
class TSearchHistory {
public:
    explicit TSearchHistory(const IWideCollation& collation) : collation_(collation) {}

    const std::vector<std::u16string>& Entries() const { return entries_; }
    const IWideCollation& Collation() const { return collation_; }

    // Upper bound applied when the history is loaded and when a new text is added; changing it
    // trims nothing at once.
    int Limit() const { return limit_; }
    void SetLimit(int limit) { limit_ = limit; }

    // Deletes the entry equal to `text` ignoring case; false when there is none.
    bool Remove(std::u16string_view text);

    // Puts `text` at `index` (clamped to the list). A present entry equal ignoring case is
    // replaced by this form; otherwise the oldest entries go while the count is at least the
    // limit, so a list longer than a lowered limit shrinks to it. Empty texts are not recorded.
    void Add(std::u16string_view text, int index = 0);

    void Clear() { entries_.clear(); }

    // Replaces the entries as loaded, the first ones up to the limit. Duplicates are dropped.
    void Assign(const std::vector<std::u16string>& entries);

    // The drop-down items: the entries, sorted ignoring case when `sorted`.
    std::vector<std::u16string> View(bool sorted) const;

private:
    const IWideCollation& collation_;
    std::vector<std::u16string> entries_;
    int limit_ = 10;
};

// A keyword the search box offers while it is typed, with the name of its site or collection.
struct TKeywordChoice {
    std::u16string Keyword;
    std::u16string Name;
};

// While the text is "!" and the start of a keyword (ignoring case), the drop-down lists the
// matching keywords as "!w  Wikipedia", sorted, at most `limit` of them; nothing otherwise.
std::vector<std::u16string> KeywordDropDown(std::u16string_view text,
                                            const std::vector<TKeywordChoice>& choices,
                                            const IWideCollation& collation, int limit);
// What choosing such an item puts into the box: "!w " for "!w  Wikipedia"; nothing for an
// item of another form.
std::optional<std::u16string> ChosenKeywordText(std::u16string_view item);

// Index of the first item that begins with `typed` ignoring case, or -1 (also for an empty text).
int FindCompletion(const std::vector<std::u16string>& items, std::u16string_view typed,
                   const IWideCollation& collation);

// Explore records the text only when the box is enabled, Ctrl is not held and the text is not
// blank (codes 32 and below count as blank). The text is then recorded as typed.
bool ShouldRecordSearch(std::u16string_view text, bool boxEnabled, bool ctrlHeld);

// Opens the key (creating it) and reads the value into the history, duplicates skipped, up to
// the history's limit. Nothing
// happens when the key cannot be opened; a missing or empty value keeps the current entries.
// Values of a type other than text hold code-page bytes.
void LoadSearchHistory(IKeyValueStore& store, RootKey root, std::string_view path, std::string_view valueName,
                       const ICodePage& codePage, TSearchHistory& history);

// Opens the key (creating it) and writes the history; nothing when the key cannot be opened.
void SaveSearchHistory(IKeyValueStore& store, RootKey root, std::string_view path, std::string_view valueName,
                       const TSearchHistory& history);

} // namespace tsy
