#include "browsers/BrowserDetection.h"

#include "support/Format.h"

namespace tsy {

std::string BrowserName(TBrowserKind kind) {
    switch (kind) {
    case bkInternetExplorer:
        return "Internet Explorer";
    case bkFirefox:
        return "FireFox";
    case bkOpera:
        return "Opera";
    default:
        return "<unknown>";
    }
}

std::string_view BrowserExecutableName(TBrowserKind kind) {
    switch (kind) {
    case bkInternetExplorer:
        return "IEXPLORE.EXE";
    case bkFirefox:
        return "firefox.exe";
    default:
        return {};
    }
}

std::string_view FileNamePart(std::string_view path) {
    auto separator = path.find_last_of("\\:");
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

TBrowserDetection::TBrowserDetection(IKeyValueStore& registry, IVersionReader& versions,
                                     IProtocolAssociation& associations, const ICollation& collation,
                                     IDebugOutput& debug)
    : registry_(registry), versions_(versions), associations_(associations), collation_(collation),
      debug_(debug) {}

bool TBrowserDetection::IsBrowserInstalled(TBrowserKind kind) {
    auto executable = BrowserExecutableName(kind);
    if (executable.empty()) {
        debug_.Write(BrowserName(kind));
        return false;
    }
    auto appPaths = registry_.Open(RootKey::LocalMachine, AppPathsKey, false);
    if (!appPaths)
        throw EBrowserError("Unable to detect if browsers are installed.");
    return appPaths->HasSubKey(executable);
}

TBrowserSet TBrowserDetection::DetectInstalledBrowsers() {
    TBrowserSet installed = 0;
    for (TBrowserKind kind : {bkInternetExplorer, bkFirefox, bkOpera})
        if (IsBrowserInstalled(kind))
            installed = TBrowserSet(installed | 1u << kind);
    return installed;
}

std::string TBrowserDetection::GetBrowserPath(TBrowserKind kind) {
    std::string path;
    auto executable = BrowserExecutableName(kind);
    if (!executable.empty()) {
        std::string keyPath(AppPathsKey);
        keyPath += '\\';
        keyPath += executable;
        if (auto key = registry_.Open(RootKey::LocalMachine, keyPath, false))
            path = ReadString(*key, "").value_or("");
    }
    if (path.empty())
        throw EBrowserError(Format("Unable to locate executable for %s browser.", BrowserName(kind).c_str()));
    return path;
}

TBrowserVersion TBrowserDetection::GetBrowserVersion(TBrowserKind kind) {
    return versions_.ProductVersion(GetBrowserPath(kind));
}

std::string TBrowserDetection::BrowserDisplayName(TBrowserKind kind) {
    auto version = GetBrowserVersion(kind);
    return Format("%s %d.%d", BrowserName(kind).c_str(), MajorVersion(version), MinorVersion(version));
}

TBrowserKind TBrowserDetection::DetectDefaultBrowser() {
    auto executable = associations_.OpenExecutable("http");
    if (!executable)
        throw EBrowserError("Unable to detect default browser.");
    auto name = FileNamePart(*executable);
    if (collation_.EqualIgnoreCase(name, BrowserExecutableName(bkInternetExplorer)))
        return bkInternetExplorer;
    if (collation_.EqualIgnoreCase(name, BrowserExecutableName(bkFirefox)))
        return bkFirefox;
    return bkInternetExplorer;
}

} // namespace tsy
