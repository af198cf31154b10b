#include "controls/SearchHistory.h"

#include "controls/RegistryEx.h"

#include <algorithm>

namespace tsy {

bool TSearchHistory::Remove(std::u16string_view text) {
    const auto found = std::find_if(entries_.begin(), entries_.end(), [&](const std::u16string& entry) {
        return collation_.EqualIgnoreCase(entry, text);
    });
    if (found == entries_.end()) {
        return false;
    }
    entries_.erase(found);
    return true;
}

void TSearchHistory::Add(std::u16string_view text, int index) {
    // An empty entry could not be stored: it would end the stored list.
    if (text.empty()) {
        return;
    }
    if (!Remove(text)) {
        // At or over the limit, the oldest go until there is room for one.
        while (!entries_.empty() && static_cast<int>(entries_.size()) >= limit_) {
            entries_.pop_back();
        }
    }
    const int count = static_cast<int>(entries_.size());
    const int position = std::clamp(index, 0, count);
    entries_.insert(entries_.begin() + position, std::u16string(text));
}

void TSearchHistory::Assign(const std::vector<std::u16string>& entries) {
    entries_.clear();
    for (const std::u16string& entry : entries) {
        if (static_cast<int>(entries_.size()) >= limit_) {
            break;
        }
        const bool present = std::any_of(entries_.begin(), entries_.end(), [&](const std::u16string& kept) {
            return collation_.EqualIgnoreCase(kept, entry);
        });
        if (!present && !entry.empty()) {
            entries_.push_back(entry);
        }
    }
}

std::vector<std::u16string> TSearchHistory::View(bool sorted) const {
    std::vector<std::u16string> view = entries_;
    if (sorted) {
        std::stable_sort(view.begin(), view.end(), [&](const std::u16string& a, const std::u16string& b) {
            return collation_.CompareIgnoreCase(a, b) < 0;
        });
    }
    return view;
}

namespace {

constexpr std::u16string_view kKeywordSeparator = u"  ";

} // namespace

std::vector<std::u16string> KeywordDropDown(std::u16string_view text,
                                            const std::vector<TKeywordChoice>& choices,
                                            const IWideCollation& collation, int limit) {
    std::vector<const TKeywordChoice*> matches;
    if (text.empty() || text.front() != u'!' ||
        text.substr(1).find_first_of(u" !") != std::u16string_view::npos)
        return {};
    const std::u16string_view start = text.substr(1);
    for (const TKeywordChoice& choice : choices) {
        if (choice.Keyword.size() >= start.size() &&
            collation.EqualIgnoreCase(std::u16string_view(choice.Keyword).substr(0, start.size()), start))
            matches.push_back(&choice);
    }
    std::stable_sort(matches.begin(), matches.end(), [&](const TKeywordChoice* a, const TKeywordChoice* b) {
        return collation.CompareIgnoreCase(a->Keyword, b->Keyword) < 0;
    });
    std::vector<std::u16string> items;
    for (const TKeywordChoice* match : matches) {
        if (static_cast<int>(items.size()) >= limit)
            break;
        items.push_back(u"!" + match->Keyword + std::u16string(kKeywordSeparator) + match->Name);
    }
    return items;
}

std::optional<std::u16string> ChosenKeywordText(std::u16string_view item) {
    const std::size_t separator = item.find(kKeywordSeparator);
    if (item.size() < 2 || item.front() != u'!' || separator == std::u16string_view::npos || separator < 2 ||
        item.substr(1, separator - 1).find_first_of(u" !") != std::u16string_view::npos)
        return std::nullopt;
    return std::u16string(item.substr(0, separator)) + u" ";
}

int FindCompletion(const std::vector<std::u16string>& items, std::u16string_view typed,
                   const IWideCollation& collation) {
    if (typed.empty()) {
        return -1;
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].size() >= typed.size() &&
            collation.EqualIgnoreCase(std::u16string_view(items[i]).substr(0, typed.size()), typed)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool ShouldRecordSearch(std::u16string_view text, bool boxEnabled, bool ctrlHeld) {
    if (!boxEnabled || ctrlHeld) {
        return false;
    }
    return std::any_of(text.begin(), text.end(), [](char16_t c) { return c > u' '; });
}

void LoadSearchHistory(IKeyValueStore& store, RootKey root, std::string_view path, std::string_view valueName,
                       const ICodePage& codePage, TSearchHistory& history) {
    const std::unique_ptr<IKey> key = store.Open(root, path, true);
    if (!key) {
        return;
    }
    std::vector<std::u16string> entries = history.Entries();
    // Cut while reading: a value of any size costs no more than the entries kept.
    TRegistryEx(*key, history.Collation())
        .ReadMultiString(valueName, entries, true, codePage,
                         static_cast<std::size_t>(std::max(history.Limit(), 0)));
    history.Assign(entries);
}

void SaveSearchHistory(IKeyValueStore& store, RootKey root, std::string_view path, std::string_view valueName,
                       const TSearchHistory& history) {
    const std::unique_ptr<IKey> key = store.Open(root, path, true);
    if (!key) {
        return;
    }
    TRegistryEx(*key, history.Collation()).WriteMultiString(valueName, history.Entries());
}

} // namespace tsy
