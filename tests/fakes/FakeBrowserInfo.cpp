#include "FakeBrowserInfo.h"

#include "browsers/BrowserDetection.h"
#include "support/Format.h"

namespace tsy::fakes {

std::string FakeBrowserInfo::GetBrowserPath(TBrowserKind kind) {
    auto it = paths.find(kind);
    if (it == paths.end())
        throw std::runtime_error(
            Format("Unable to locate executable for %s browser.", BrowserName(kind).c_str()));
    return it->second;
}

TBrowserVersion FakeBrowserInfo::GetBrowserVersion(TBrowserKind kind) {
    GetBrowserPath(kind);
    auto it = versions.find(kind);
    return it == versions.end() ? -1 : it->second;
}

std::string FakeBrowserInfo::BrowserDisplayName(TBrowserKind kind) {
    if (kind == bkDefaultBrowser)
        return BrowserName(kind);
    TBrowserVersion version = GetBrowserVersion(kind);
    return Format("%s %d.%d", BrowserName(kind).c_str(), MajorVersion(version), MinorVersion(version));
}

TBrowserSet FakeBrowserInfo::DetectInstalledBrowsers() {
    ++detectCalls;
    if (detectionError)
        throw std::runtime_error(*detectionError);
    return installed;
}

TBrowserKind FakeBrowserInfo::DetectDefaultBrowser() {
    ++defaultDetectCalls;
    if (defaultDetectionError)
        throw std::runtime_error(*defaultDetectionError);
    return defaultBrowser;
}

void FakeBrowserInfo::Install(TBrowserKind kind, int major, int minor, std::string path) {
    if (path.empty())
        path = Format("C:\\Program Files\\%s\\browser.exe", BrowserName(kind).c_str());
    paths[kind] = std::move(path);
    versions[kind] = major << 16 | minor;
    if (kind < 8)
        installed = static_cast<TBrowserSet>(installed | 1u << kind);
}

} // namespace tsy::fakes
