#include "app/CollectionList.h"

#include "support/Format.h"

#include <algorithm>
#include <numeric>

namespace tsy {

std::string CollectionDisplayText(std::string_view name, int count, bool numberOfItems) {
    if (!numberOfItems) {
        return std::string(name);
    }
    return Format("%s (%d)", std::string(name).c_str(), count);
}

TCollectionList FillCollections(const std::vector<TCollectionEntry>& collections, bool numberOfItems,
                                std::string_view selectedName, const ICollation& collation) {
    std::vector<std::string> texts;
    texts.reserve(collections.size());
    int noted = -1;
    for (std::size_t i = 0; i < collections.size(); ++i) {
        texts.push_back(CollectionDisplayText(collections[i].Name, collections[i].Count, numberOfItems));
        if (noted < 0 && collation.EqualIgnoreCase(collections[i].Name, selectedName)) {
            noted = static_cast<int>(i);
        }
    }

    std::vector<std::size_t> order(texts.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return collation.CompareIgnoreCase(texts[a], texts[b]) < 0;
    });

    TCollectionList list;
    list.Texts.reserve(texts.size());
    for (std::size_t position = 0; position < order.size(); ++position) {
        if (static_cast<int>(order[position]) == noted) {
            list.SelectedIndex = static_cast<int>(position);
        }
        list.Texts.push_back(std::move(texts[order[position]]));
    }
    return list;
}

bool CollectionCanSearch(const TCollections& collections, const TTargets& targets, std::string_view name) {
    const std::int32_t index = collections.IndexOfName(name);
    if (index < 0 || index >= collections.Count())
        return false;
    for (std::int32_t id : collections.GetItem(index).IDs()) {
        const std::int32_t site = targets.IndexOf(id);
        if (site >= 0 && site < targets.Count() && !targets.GetItem(site).Search.empty())
            return true;
    }
    return false;
}

std::vector<TKeywordChoice> KeywordChoices(const TTargets& targets, const TCollections& collections,
                                           const ICodePage& codePage) {
    std::vector<TKeywordChoice> choices;
    for (const TTarget& target : targets)
        if (!target.Keyword.empty())
            choices.push_back({codePage.ToWide(target.Keyword), codePage.ToWide(target.Name)});
    for (std::int32_t i = 0; i < collections.Count(); ++i) {
        const TCollection& collection = collections.GetItem(i);
        if (!collection.Keyword.empty())
            choices.push_back({codePage.ToWide(collection.Keyword), codePage.ToWide(collection.Name())});
    }
    return choices;
}

} // namespace tsy
