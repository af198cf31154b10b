#include "controls/LabelText.h"

#include <cctype>
#include <utility>

#include "support/Format.h"

namespace tsy {

namespace {

char Upper(char c) {
    return char(std::toupper(static_cast<unsigned char>(c)));
}

bool MatchesAt(std::string_view text, std::size_t at, std::string_view pattern) {
    if (text.size() - at < pattern.size())
        return false;
    for (std::size_t i = 0; i < pattern.size(); ++i)
        if (Upper(text[at + i]) != Upper(pattern[i]))
            return false;
    return true;
}

} // namespace

std::string ReplaceIgnoringCase(std::string_view text, std::string_view pattern,
                                std::string_view replacement) {
    if (pattern.empty())
        return std::string(text);
    std::string result;
    std::size_t at = 0;
    while (at < text.size()) {
        if (MatchesAt(text, at, pattern)) {
            result += replacement;
            at += pattern.size();
        } else {
            result += text[at++];
        }
    }
    return result;
}

std::string ExpandAboutPlaceholders(std::string_view caption, std::string_view appTitle,
                                    const TVersionInfo& version) {
    const std::pair<std::string_view, std::string> steps[] = {
        {"<AppName>", std::string(appTitle)},
        {"<Major>", Format("%d", int(version.File.Major))},
        {"<Minor>", Format("%d", int(version.File.Minor))},
        {"<Release>", Format("%d", int(version.File.Release))},
        {"<Build>", Format("%.3d", int(version.File.Build))},
        {"<Product>", version.ProductName},
        {"<Copyright>", version.LegalCopyright},
        {"<Company>", version.CompanyName},
    };
    std::string text(caption);
    for (const auto& [placeholder, value] : steps)
        text = ReplaceIgnoringCase(text, placeholder, value);
    return text;
}

std::string URLLabelCaption(std::string_view caption, std::string_view name, std::string_view oldURL,
                            std::string_view newURL) {
    if (caption == name || caption == oldURL)
        return std::string(newURL);
    return std::string(caption);
}

} // namespace tsy
