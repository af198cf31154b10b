#pragma once

#include "browsers/OpenUrls.h"

#include <string>
#include <vector>

namespace tsy::fakes {

// Keeps what it is asked to open instead of starting a browser: one list per call, a single
// URL as a list of one.
class TRecordingOpener : public IUrlOpener {
public:
    void OpenURL(TBrowserKind kind, const std::string& url) override { OpenURLs(kind, {url}); }
    void OpenURLs(TBrowserKind kind, const std::vector<std::string>& urls) override {
        kinds.push_back(kind);
        lists.push_back(urls);
    }
    std::vector<TBrowserKind> kinds;
    std::vector<std::vector<std::string>> lists;
};

} // namespace tsy::fakes
