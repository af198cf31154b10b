#include "CatalogueSamples.h"

namespace tsy::fakes {
namespace {

std::uint32_t Next(std::uint32_t& state) {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
}

bool IsSpaceByte(unsigned char c) {
    return c <= 0x20 || c == 0x7F || c == 0xA0;
}

} // namespace

std::string SampleText(std::uint32_t& state, std::size_t maxLength) {
    static const std::string pieces[] = {"a", "Z", "0",  " ",   "=",    "\"",   "'",    "[",    "]",
                                         ";", "~", "%s", "&q=", "\xE9", "\xC4", "\xFF", "\x80", ","};
    const std::size_t length = 1 + Next(state) % maxLength;
    std::string text;
    while (text.size() < length) {
        const std::string& piece = pieces[Next(state) % (sizeof pieces / sizeof pieces[0])];
        if (text.size() + piece.size() > length)
            break;
        text += piece;
    }
    while (!text.empty() && IsSpaceByte(static_cast<unsigned char>(text.back())))
        text.pop_back();
    while (!text.empty() && IsSpaceByte(static_cast<unsigned char>(text.front())))
        text.erase(0, 1);
    if (text.size() >= 2 && (text[0] == '"' || text[0] == '\'') && text.back() == text[0])
        text.insert(0, "x");
    if (text.empty())
        text = "x";
    return text;
}

void MakeSampleCatalogue(std::uint32_t seed, SampleSizes sizes, TTargets& targets, TCollections& collections,
                         TCategories& categories) {
    std::uint32_t state = seed;
    std::int32_t categoryID = 0;
    for (int i = 0; i < sizes.categories; ++i) {
        categoryID += 1 + static_cast<std::int32_t>(Next(state) % 3);
        categories.Append(TCategory{categoryID, SampleText(state, 30) + std::to_string(i)});
    }
    std::int32_t siteID = 0;
    for (int i = 0; i < sizes.sites; ++i) {
        TTarget target;
        siteID += 1 + static_cast<std::int32_t>(Next(state) % 4);
        target.ID = siteID;
        target.Name = SampleText(state, 40);
        target.Search = Next(state) % 5 == 0 ? std::string() : "http://s/" + SampleText(state, 80);
        target.Open = Next(state) % 5 == 0 ? std::string() : "http://o/" + SampleText(state, 60);
        if (Next(state) % 50 == 0)
            target.Search = "http://long/" + std::string(2047 - 12, 'L');
        // Some keywords, taken from nothing else so the other samples stay as they were.
        if (i % 3 == 1)
            target.Keyword = "k" + std::to_string(i);
        target.CatID =
            categories.Count() == 0 || Next(state) % 4 == 0
                ? 0
                : categories.GetItem(static_cast<std::int32_t>(Next(state) % categories.Count())).ID;
        targets.Append(target);
    }
    for (int i = 0; i < sizes.collections; ++i) {
        // Names keep a leading character other than "~", which the file reserves.
        std::string name = "c" + SampleText(state, 30);
        TCollection& collection = collections.Append(name);
        collection.Randomize = Next(state) % 3 == 0;
        if (i % 2 == 0)
            collection.Keyword = "c-" + std::to_string(i);
        TTargetIDs ids;
        const int members = targets.Count() == 0 ? 0 : static_cast<int>(Next(state) % 12);
        for (int m = 0; m < members; ++m) {
            const std::int32_t id =
                targets.GetItem(static_cast<std::int32_t>(Next(state) % targets.Count())).ID;
            ids.push_back(Next(state) % 6 == 0 ? -id : id);
        }
        collection.SetIDs(ids);
    }
}

std::string Describe(const TTargets& targets, const TCollections& collections,
                     const TCategories& categories) {
    std::string text;
    for (const TTarget& target : targets)
        text += "site " + std::to_string(target.ID) + " [" + target.Name + "] [" + target.Search + "] [" +
                target.Open + "] cat " + std::to_string(target.CatID) + (target.ReadOnly ? " ro" : "") + "\n";
    for (std::int32_t i = 0; i < collections.Count(); ++i) {
        const TCollection& collection = collections.GetItem(i);
        text += "collection [" + collection.Name() + "]" + (collection.Randomize ? " random" : "") + ":";
        for (std::int32_t entry : collection.IDs())
            text += " " + std::to_string(entry);
        text += "\n";
    }
    for (const TCategory& category : categories)
        text += "category " + std::to_string(category.ID) + " [" + category.Name + "]\n";
    return text;
}

} // namespace tsy::fakes
