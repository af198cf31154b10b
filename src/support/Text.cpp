#include "support/Text.h"

namespace tsy {

std::string AsciiLowerCase(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        c = AsciiLower(c);
    return lower;
}

bool ContainsIgnoreAsciiCase(std::string_view text, std::string_view pattern) {
    for (std::size_t i = 0; i + pattern.size() <= text.size(); ++i)
        if (StartsWithIgnoreAsciiCase(text.substr(i), pattern))
            return true;
    return false;
}

std::string ReplaceIgnoreAsciiCase(std::string_view text, std::string_view pattern,
                                   std::string_view replacement) {
    if (pattern.empty())
        return std::string(text);
    std::string result;
    result.reserve(text.size());
    std::size_t at = 0;
    while (at < text.size()) {
        if (StartsWithIgnoreAsciiCase(text.substr(at), pattern)) {
            result += replacement;
            at += pattern.size();
        } else {
            result += text[at++];
        }
    }
    return result;
}

} // namespace tsy
