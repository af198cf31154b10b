#include "support/HelpLibrary.h"

#include "support/HelpTopic.h"
#include "support/Text.h"

namespace tsy {

namespace {

constexpr std::string_view kSystemRoot = "%SYSTEMROOT%";

} // namespace

std::string ResolveHelpLibraryPath(std::string_view registered, std::string_view windowsFolder,
                                   std::string_view systemFolder,
                                   const std::function<bool(const std::string&)>& fileExists) {
    std::string path(registered);
    if (StartsWithIgnoreAsciiCase(path, kSystemRoot))
        path = std::string(windowsFolder) + path.substr(kSystemRoot.size());
    // A bare or relative name would be looked for in the current folder.
    if (!IsDrivePath(path) || !fileExists(path))
        path.clear();
    if (path.empty())
        path = std::string(systemFolder) + "\\" + kHelpControlFileName;
    return fileExists(path) ? path : std::string();
}

std::string HelpFileBeside(std::string_view executablePath) {
    const auto slash = executablePath.find_last_of("\\/");
    const std::string folder(slash == std::string_view::npos ? std::string_view()
                                                             : executablePath.substr(0, slash + 1));
    return folder + kHelpFileName;
}

} // namespace tsy
