#include "catalogue/Keywords.h"

#include "support/Format.h"
#include "support/Text.h"

namespace tsy {

bool IsKeywordCharacter(char16_t character, const ICodePage& codePage) {
    return character == u'-' || character == u'_' || codePage.IsLetterOrDigit(character);
}

bool IsValidKeyword(std::u16string_view keyword, const ICodePage& codePage) {
    if (keyword.empty() || keyword.size() > MaxKeywordLength)
        return false;
    for (const char16_t c : keyword)
        if (!IsKeywordCharacter(c, codePage))
            return false;
    return true;
}

bool IsValidKeyword(std::string_view keyword, const ICodePage& codePage) {
    return !keyword.empty() && IsValidKeyword(codePage.ToWide(keyword), codePage);
}

TKeywordOwner KeywordOwner(const TKeywordContext& context, std::u16string_view keyword) {
    if (keyword.empty())
        return {};
    for (const TTarget& target : context.Targets)
        if (!target.Keyword.empty() &&
            context.Collation.EqualIgnoreCase(context.CodePage.ToWide(target.Keyword), keyword))
            return {TKeywordOwner::TKind::Site, target.ID, target.Name};
    for (std::int32_t i = 0; i < context.Collections.Count(); ++i) {
        const TCollection& collection = context.Collections.GetItem(i);
        if (!collection.Keyword.empty() &&
            context.Collation.EqualIgnoreCase(context.CodePage.ToWide(collection.Keyword), keyword))
            return {TKeywordOwner::TKind::Collection, i, collection.Name()};
    }
    return {};
}

TKeywordOwner KeywordOwner(const TKeywordContext& context, std::string_view keyword) {
    return KeywordOwner(context, std::u16string_view(context.CodePage.ToWide(keyword)));
}

bool AnyKeyword(const TTargets& targets, const TCollections& collections) {
    for (const TTarget& target : targets)
        if (!target.Keyword.empty())
            return true;
    for (std::int32_t i = 0; i < collections.Count(); ++i)
        if (!collections.GetItem(i).Keyword.empty())
            return true;
    return false;
}

std::string KeywordTakenWarning(std::string_view keyword, const TKeywordOwner& owner) {
    const char* kind = owner.Kind == TKeywordOwner::TKind::Site ? "site" : "collection";
    return Format("The keyword \"%s\" belongs to the %s \"%s\".", std::string(keyword).c_str(), kind,
                  owner.Name.c_str());
}

std::string UnknownKeywordWarning(std::string_view keyword) {
    return Format("No site or collection has the keyword \"%s\".", std::string(keyword).c_str());
}

std::optional<std::string> KeywordRefusal(const TKeywordContext& context, std::string_view keyword,
                                          const TKeywordOwner& self) {
    keyword = TrimText(keyword);
    if (keyword.empty())
        return std::nullopt;
    if (!IsValidKeyword(keyword, context.CodePage))
        return std::string(kInvalidKeywordWarning);
    const TKeywordOwner owner = KeywordOwner(context, keyword);
    if (owner && !(owner.Kind == self.Kind && owner.ID == self.ID))
        return KeywordTakenWarning(keyword, owner);
    return std::nullopt;
}

TTypedSearch ParseTypedSearch(std::u16string_view typed, const ICodePage& codePage) {
    const std::u16string_view text = TrimText(typed);
    if (text.size() < 2 || text[0] != u'!')
        return {};
    if (text[1] == u'!')
        return {TTypedSearch::TKind::Literal, {}, std::u16string(text.substr(1))};
    std::size_t end = 1;
    while (end < text.size() && text[end] > 32)
        ++end;
    const std::u16string_view word = text.substr(1, end - 1);
    if (!IsValidKeyword(word, codePage))
        return {};
    return {TTypedSearch::TKind::Keyword, std::u16string(word), std::u16string(TrimText(text.substr(end)))};
}

} // namespace tsy
