#include "support/HelpLibrary.h"

#include <cctype>

namespace tsy {

namespace {

constexpr std::string_view kSystemRoot = "%SYSTEMROOT%";

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(text[i])) !=
            std::toupper(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}

} // namespace

std::string ResolveHelpLibraryPath(std::string_view registered, std::string_view windowsFolder,
                                   std::string_view systemFolder,
                                   const std::function<bool(const std::string&)>& fileExists) {
    std::string path(registered);
    if (StartsWithIgnoringCase(path, kSystemRoot))
        path = std::string(windowsFolder) + path.substr(kSystemRoot.size());
    if (!path.empty() && !fileExists(path))
        path.clear();
    if (path.empty())
        path = std::string(systemFolder) + "\\" + kHelpControlFileName;
    return fileExists(path) ? path : std::string();
}

} // namespace tsy
