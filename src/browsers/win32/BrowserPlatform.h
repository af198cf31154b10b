#pragma once

#include "browsers/BrowserDetection.h"
#include "browsers/OpenUrls.h"

namespace tsy::win32 {

// Version resources through GetFileVersionInfoA and VerQueryValueA.
class FileVersionReader : public IVersionReader {
public:
    TBrowserVersion ProductVersion(const std::string& path) override;
};

// Protocol associations through AssocQueryStringA.
class ShellProtocolAssociation : public IProtocolAssociation {
public:
    std::optional<std::string> OpenExecutable(std::string_view protocol) override;
};

// Internet Explorer through its automation object, Firefox through ShellExecuteA.
// The calling thread must belong to a single-threaded COM apartment.
class BrowserDriver : public IBrowserDriver {
public:
    std::unique_ptr<IInternetExplorer> CreateInternetExplorer() override;
    void StartProcess(const std::string& executable, const std::string& parameters,
                      bool waitUntilReady) override;
};

} // namespace tsy::win32
