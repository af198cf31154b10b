#include "browsers/EngineTemplate.h"

namespace tsy {
namespace {

std::string Doubled(std::string_view text) {
    std::string out;
    for (char c : text) {
        out += c;
        if (c == '%')
            out += '%';
    }
    return out;
}

// The stored form of a placeholder's value; nullopt for one that is dropped.
std::optional<std::string> PlaceholderValue(std::string_view name, const TTemplateValues& values) {
    // An OpenSearch parameter may be marked optional with a trailing "?".
    if (name.ends_with('?'))
        name.remove_suffix(1);
    if (name == "searchTerms")
        return "%s";
    if (name == "inputEncoding")
        return Doubled(values.InputEncoding.empty() ? "UTF-8" : values.InputEncoding);
    if (name == "google:baseURL" || name == "google:baseSuggestURL")
        return "https://www.google.com/";
    if (name == "language")
        return Doubled(values.Language);
    if (name == "count")
        return "10";
    if (name == "startIndex" || name == "startPage")
        return "1";
    if (name == "outputEncoding")
        return "UTF-8";
    return std::nullopt;
}

std::string TidyAmpersands(const std::string& address) {
    std::string out;
    for (char c : address) {
        if (c == '&' && (out.ends_with('&') || out.ends_with('?')))
            continue;
        out += c;
    }
    while (out.ends_with('&'))
        out.pop_back();
    return out;
}

int SearchMarks(std::string_view stored) {
    int marks = 0;
    for (std::size_t i = 0; i + 1 < stored.size(); ++i) {
        if (stored[i] != '%')
            continue;
        if (stored[i + 1] == 's')
            ++marks;
        ++i;
    }
    return marks;
}

} // namespace

std::optional<std::string> EngineTemplate(std::string_view address, TSearchMark mark,
                                          const TTemplateValues& values) {
    std::string stored;
    for (std::size_t i = 0; i < address.size(); ++i) {
        const char c = address[i];
        if (c == '%' && mark == TSearchMark::Percent && i + 1 < address.size() &&
            (address[i + 1] == 's' || address[i + 1] == 'S')) {
            stored += "%s";
            ++i;
        } else if (c == '%') {
            stored += "%%";
        } else if (c == '{') {
            const std::size_t close = address.find('}', i + 1);
            if (close == std::string_view::npos)
                return std::nullopt;
            if (auto value = PlaceholderValue(address.substr(i + 1, close - i - 1), values))
                stored += *value;
            i = close;
        } else {
            stored += c;
        }
    }
    stored = TidyAmpersands(stored);
    if (SearchMarks(stored) != 1)
        return std::nullopt;
    return stored;
}

} // namespace tsy
