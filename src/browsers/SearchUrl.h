#pragma once

#include "catalogue/Catalogue.h"
#include "support/CodePage.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace tsy {

// A search URL that cannot be expanded; the message quotes the template and says why.
class ESearchTemplate : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// ASCII letters and digits pass; every other byte becomes "%" and two upper-case hex digits.
std::string EncodeSearchText(std::string_view text);

// Trims, encodes, then turns every encoded space into "+": the text that goes into a template.
std::string PrepareSearchText(std::string_view text);

// The search text encoded once for each way a site may read it.
struct TEncodedSearch {
    TEncodedSearch() = default;
    TEncodedSearch(std::string codePage, std::string utf8)
        : CodePage(std::move(codePage)), Utf8(std::move(utf8)) {}

    // The code-page bytes escaped, or the UTF-8 form when the code page cannot hold the text.
    std::string CodePage;
    std::string Utf8;
    // The trimmed text and the conversion, for sites that name another code page; without them
    // such a site gets CodePage.
    std::u16string Text;
    const ICodePage* Conversion = nullptr;

    bool Empty() const { return Utf8.empty(); }
    // The form the site asks for by its charset: the text escaped in that encoding, or as UTF-8
    // when the encoding cannot hold all of it, as browsers send it. An unknown charset counts as none.
    std::string For(const TTarget& target) const;
};

// The charset value of a site that reads its search text as UTF-8.
inline constexpr const char* kUtf8Charset = "utf-8";

// Whether a site's charset asks for UTF-8 (in any letter case); any other value counts as none.
bool IsUtf8Charset(std::string_view charset);

// Trims the text, then encodes it both ways as PrepareSearchText does with bytes.
TEncodedSearch PrepareSearchText(std::u16string_view text, const ICodePage& codePage);

// Puts encodedText in place of the one "%s" and turns "%%" into "%". Any other percent sign,
// or a second "%s", raises ESearchTemplate.
std::string ExpandSearchURL(std::string_view searchURL, std::string_view encodedText);

// The URL one Explore opens for target: its expanded search URL when encodedText is not empty,
// otherwise its open URL. True exactly when that URL is not empty.
bool BuildTargetURL(const TTarget& target, std::string_view encodedText, std::string& url);
// The same for the site with the magnitude of targetID; an unknown id raises EBriefcase.
bool BuildTargetURL(const TTargets& targets, std::int32_t targetID, std::string_view encodedText,
                    std::string& url);
// The same with the form of the search text that the site reads.
bool BuildTargetURL(const TTargets& targets, std::int32_t targetID, const TEncodedSearch& search,
                    std::string& url);

// The form a URL takes on a browser command line: "/" appended when it has none anywhere,
// then "http://" put in front when it names no scheme (AddressScheme).
std::string NormalizeURL(std::string_view url);

// The system's test for an absolute URL (UrlIsA with URLIS_URL): a scheme of two or more
// ASCII letters, digits, "+", "-" or "." followed by ":".
bool UrlIsURL(std::string_view text);

// Whether a typed address is taken for a web address: a URL with a scheme, or a host made of
// letters, digits and dots that ends in a dot and two or three characters, optionally followed
// by a path.
bool IsURLLike(std::string_view text);

} // namespace tsy
