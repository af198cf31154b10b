#pragma once

#include "catalogue/Catalogue.h"
#include "support/CodePage.h"
#include "support/Collation.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tsy {

// A keyword names one site or one collection from the search box: "!w paris".
inline constexpr std::size_t MaxKeywordLength = 32;
inline constexpr const char* kInvalidKeywordWarning = "A keyword is 1 to 32 letters, digits, \"-\" or \"_\".";

// A letter or digit of the code page, "-" or "_".
bool IsKeywordCharacter(char16_t character, const ICodePage& codePage);
// 1 to 32 keyword characters; the text is taken as it is, not trimmed.
bool IsValidKeyword(std::u16string_view keyword, const ICodePage& codePage);
bool IsValidKeyword(std::string_view keyword, const ICodePage& codePage);

// Who holds a keyword. Keywords are unique among sites and collections together, ignoring case.
struct TKeywordOwner {
    enum class TKind { None, Site, Collection };
    TKind Kind = TKind::None;
    std::int32_t ID = 0; // the site's id, or the collection's index
    std::string Name;

    explicit operator bool() const { return Kind != TKind::None; }
};

// The keys the catalogue knows the keyword owners by: the code page turns the stored keywords
// into the text the search box compares them with, the collation matches them ignoring case.
struct TKeywordContext {
    const TTargets& Targets;
    const TCollections& Collections;
    const ICodePage& CodePage;
    const IWideCollation& Collation;
};

TKeywordOwner KeywordOwner(const TKeywordContext& context, std::u16string_view keyword);
TKeywordOwner KeywordOwner(const TKeywordContext& context, std::string_view keyword);
bool AnyKeyword(const TTargets& targets, const TCollections& collections);

// Why a site or collection (`self`, Kind None for a new one) cannot take the keyword, or nothing.
// The keyword is trimmed first; an empty one takes the keyword away and is always accepted.
std::optional<std::string> KeywordRefusal(const TKeywordContext& context, std::string_view keyword,
                                          const TKeywordOwner& self);

// "The keyword "w" belongs to the site "Wikipedia"." (or "the collection").
std::string KeywordTakenWarning(std::string_view keyword, const TKeywordOwner& owner);

// "No site or collection has the keyword "xyz"."
std::string UnknownKeywordWarning(std::string_view keyword);

// What a typed search text asks for.
struct TTypedSearch {
    enum class TKind {
        Plain,   // no keyword: the selected collection and the text as it is
        Literal, // "!!" at the start stands for "!": the selected collection and Text
        Keyword, // "!" and a keyword: that site or collection, searched for Text
    };
    TKind Kind = TKind::Plain;
    std::u16string Keyword;
    std::u16string Text; // trimmed for a keyword; the text with one "!" less for a literal
};

TTypedSearch ParseTypedSearch(std::u16string_view typed, const ICodePage& codePage);

} // namespace tsy
