#include "controls/LabelText.h"

#include <cctype>
#include <utility>

#include "support/Format.h"
#include "support/Text.h"

namespace tsy {

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
        text = ReplaceIgnoreAsciiCase(text, placeholder, value);
    return text;
}

std::string URLLabelCaption(std::string_view caption, std::string_view name, std::string_view oldURL,
                            std::string_view newURL) {
    if (caption == name || caption == oldURL)
        return std::string(newURL);
    return std::string(caption);
}

} // namespace tsy
