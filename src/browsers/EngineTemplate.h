#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tsy {

// What the placeholders of a browser's search address stand for besides the search text.
struct TTemplateValues {
    // The engine's first input encoding.
    std::string InputEncoding = "UTF-8";
    // The system's language tag, such as "en-US".
    std::string Language;
};

// How a browser marks the search text in an address.
enum class TSearchMark {
    // "{searchTerms}", as Chrome, Edge and Firefox's engines keep it.
    Placeholder,
    // "%s" or "%S", as Firefox's keyword bookmarks keep it; "{...}" placeholders are taken too.
    Percent,
};

// A browser's search address in the catalogue's stored form: every literal "%" doubled, the
// search text as "%s", the known placeholders given their values and every other "{...}"
// removed, then an "&" left doubled, trailing or just after "?" dropped. nullopt when a "{" has
// no "}" or the search text is not marked exactly once, for such a template cannot be expanded.
std::optional<std::string> EngineTemplate(std::string_view address, TSearchMark mark,
                                          const TTemplateValues& values);

} // namespace tsy
