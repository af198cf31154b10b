#include "FakeBrowserInfo.h"

#include "support/Format.h"

namespace tsy::fakes {
namespace {

const char* Name(TBrowserKind kind) {
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

} // namespace

std::string FakeBrowserInfo::GetBrowserPath(TBrowserKind kind) {
    auto it = paths.find(kind);
    if (it == paths.end())
        throw std::runtime_error(Format("Unable to locate executable for %s browser.", Name(kind)));
    return it->second;
}

TBrowserVersion FakeBrowserInfo::GetBrowserVersion(TBrowserKind kind) {
    GetBrowserPath(kind);
    auto it = versions.find(kind);
    return it == versions.end() ? -1 : it->second;
}

std::string FakeBrowserInfo::BrowserDisplayName(TBrowserKind kind) {
    TBrowserVersion version = GetBrowserVersion(kind);
    return Format("%s %d.%d", Name(kind), MajorVersion(version), MinorVersion(version));
}

TBrowserSet FakeBrowserInfo::DetectInstalledBrowsers() {
    ++detectCalls;
    if (detectionError)
        throw std::runtime_error(*detectionError);
    return installed;
}

TBrowserKind FakeBrowserInfo::DetectDefaultBrowser() {
    return defaultBrowser;
}

void FakeBrowserInfo::Install(TBrowserKind kind, int major, int minor, std::string path) {
    if (path.empty())
        path = Format("C:\\Program Files\\%s\\browser.exe", Name(kind));
    paths[kind] = std::move(path);
    versions[kind] = major << 16 | minor;
    if (kind < 8)
        installed = static_cast<TBrowserSet>(installed | 1u << kind);
}

} // namespace tsy::fakes
