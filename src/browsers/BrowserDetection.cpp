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
    case bkChrome:
        return "Chrome";
    case bkEdge:
        return "Edge";
    case bkDefaultBrowser:
        return "Default browser";
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
    case bkChrome:
        return "chrome.exe";
    case bkEdge:
        return "msedge.exe";
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

namespace {

std::string AppPathKey(std::string_view executable) {
    std::string keyPath(AppPathsKey);
    keyPath += '\\';
    keyPath += executable;
    return keyPath;
}

} // namespace

bool TBrowserDetection::IsBrowserInstalled(TBrowserKind kind) {
    if (kind == bkDefaultBrowser)
        return true;
    auto executable = BrowserExecutableName(kind);
    if (executable.empty()) {
        debug_.Write(BrowserName(kind));
        return false;
    }
    // Chrome installs per user when it may not write to the machine's keys.
    if (IsChromium(kind) && registry_.Open(RootKey::CurrentUser, AppPathKey(executable), false))
        return true;
    auto appPaths = registry_.Open(RootKey::LocalMachine, AppPathsKey, false);
    if (!appPaths)
        throw EBrowserError("Unable to detect if browsers are installed.");
    return appPaths->HasSubKey(executable);
}

TBrowserSet TBrowserDetection::DetectInstalledBrowsers() {
    TBrowserSet installed = 0;
    for (TBrowserKind kind : {bkInternetExplorer, bkFirefox, bkOpera, bkChrome, bkEdge})
        if (IsBrowserInstalled(kind))
            installed = TBrowserSet(installed | 1u << kind);
    return installed;
}

std::string TBrowserDetection::GetBrowserPath(TBrowserKind kind) {
    std::string path;
    auto executable = BrowserExecutableName(kind);
    if (!executable.empty()) {
        if (IsChromium(kind))
            if (auto key = registry_.Open(RootKey::CurrentUser, AppPathKey(executable), false))
                path = ReadString(*key, "").value_or("");
        if (path.empty())
            if (auto key = registry_.Open(RootKey::LocalMachine, AppPathKey(executable), false))
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
    // Whatever opens web links has no executable of its own to take a version from.
    if (kind == bkDefaultBrowser)
        return BrowserName(kind);
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
    for (TBrowserKind kind : {bkFirefox, bkChrome, bkEdge})
        if (collation_.EqualIgnoreCase(name, BrowserExecutableName(kind)))
            return kind;
    // Any other browser is reached through the system's own way of opening links.
    return bkDefaultBrowser;
}

} // namespace tsy
