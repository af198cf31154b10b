#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "support/KeyValueStore.h"
#include "support/VersionInfo.h"
#include "update/UpdateRules.h"

namespace tsy {

class IDebugOutput;

// One HTTP GET: the status code, and for 200 the body (any other status leaves it as it was).
// A failure of the network raises std::runtime_error with the system's text.
class IHttpClient {
public:
    virtual ~IHttpClient() = default;
    virtual std::int32_t Get(const std::string& url, std::uint32_t flags, std::string& body) = 0;
};

// What the check shows. The boxes belong to a window of the program, whatever thread asks.
class IUpdateUI {
public:
    virtual ~IUpdateUI() = default;
    // "Warning", exclamation icon, OK.
    virtual void Warning(std::string_view text) = 0;
    // A plain notice under the program's title.
    virtual void Message(std::string_view text) = 0;
};

// What a check works with; all of it outlives the check.
struct TUpdateServicesContext {
    IKeyValueStore* Registry = nullptr;
    IHttpClient* Http = nullptr;
    IUpdateUI* UI = nullptr;
    IDebugOutput* Debug = nullptr;
    // The local date and time now.
    std::function<TDateTime()> Now;
    // The running program's version.
    TVersionRecord Running;
};

// The update server's protocol: asks for the latest version, compares it with the running
// one, fetches the download address and description, and keeps the time of the last check.
class TKVUpdateServices {
public:
    TKVUpdateServices(const TUpdateServicesContext& context, RootKey root, std::string productCode,
                      std::string baseURL, std::string keyPath);
    TKVUpdateServices(const TKVUpdateServices&) = delete;
    TKVUpdateServices& operator=(const TKVUpdateServices&) = delete;
    virtual ~TKVUpdateServices() = default;

    virtual bool IsNewerVersion(const TVersionRecord& version) const;
    bool IsCheckDue(bool force);
    void StoreLastCheck();
    std::string BuildRequestURL(std::string_view format, std::string_view mode) const;
    // The warning with the status text when the answer is not 200.
    bool FetchText(const std::string& url, std::string& body);
    bool CheckForUpdate(bool force);
    void FetchDetails();

    const TVersionRecord& LatestVersion() const noexcept { return latest_; }
    const TVersionRecord& RunningVersion() const noexcept { return context_.Running; }
    const std::string& DownloadURL() const noexcept { return downloadURL_; }
    const std::string& Description() const noexcept { return description_; }

private:
    void Debug(std::string_view line) const;

    TUpdateServicesContext context_;
    std::string productCode_;
    RootKey root_;
    std::string keyPath_;
    std::string baseURL_;
    std::string description_;
    std::string downloadURL_;
    TVersionRecord latest_;
};

// A whole check: asks, shows the dialog (through `showDialog`) or the latest-release notice
// when forced, and stores the check time whatever happened. A failure of the network is shown
// as a warning and ends the check like any other.
void RunUpdateCheck(const TUpdateServicesContext& context, const std::string& baseURL, bool force,
                    const std::function<void(TKVUpdateServices&)>& showDialog);

} // namespace tsy
