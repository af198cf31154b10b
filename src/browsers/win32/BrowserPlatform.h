#pragma once

#include "browsers/BrowserDetection.h"
#include "browsers/OpenUrls.h"
#include "support/win32/ComPtr.h"

namespace tsy::win32 {

// Version resources through GetFileVersionInfoA and VerQueryValueA.
class TFileVersionReader : public IVersionReader {
public:
    TBrowserVersion ProductVersion(const std::string& path) override;
};

// Protocol associations through AssocQueryStringA.
class TShellProtocolAssociation : public IProtocolAssociation {
public:
    std::optional<std::string> OpenExecutable(std::string_view protocol) override;
};

// Internet Explorer through its automation object, the other browsers through the shell.
// The calling thread must belong to a single-threaded COM apartment: the one given here is
// entered before the first call that needs it, else the caller's own is used.
class TBrowserDriver : public IBrowserDriver {
public:
    explicit TBrowserDriver(TComOnDemand* com = nullptr) noexcept : com_(com) {}
    std::unique_ptr<IInternetExplorer> CreateInternetExplorer() override;
    void StartProcess(const std::string& executable, const std::string& parameters,
                      bool waitUntilReady) override;
    void OpenDocument(const std::string& url) override;

private:
    void EnterCom() noexcept {
        if (com_)
            com_->Enter();
    }

    TComOnDemand* com_;
};

} // namespace tsy::win32
