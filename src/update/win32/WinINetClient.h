#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "update/UpdateRules.h"
#include "update/UpdateServices.h"

namespace tsy::win32 {

inline constexpr const char* kHttpAgent = "Mozilla/4.0 (compatible; MSIE 7.0; Windows NT 6.0)";

// How long a fetch may wait to connect and for each piece of the answer, in milliseconds, and
// the longest answer it takes.
struct THttpLimits {
    std::uint32_t ConnectTimeout = kConnectTimeout;
    std::uint32_t ReceiveTimeout = kReceiveTimeout;
    std::size_t MostBytes = kMostAnswerBytes;
};

// GET over WinINet, loaded from the system folder: the status code, and for 200 the body cut
// at its first NUL; any other status leaves `body` as it was. A failure of the network, a
// time-out included, raises std::runtime_error with WinINet's text; a longer answer than the
// limit raises it with kUpdateFailedMessage. Both handles are closed on every path.
std::int32_t HttpGet(const std::string& url, std::uint32_t flags, std::string& body,
                     const THttpLimits& limits = {});

// Raises std::runtime_error with WinINet's text for the calling thread's last error.
[[noreturn]] void RaiseInternetError();

class TWinINetClient : public IHttpClient {
public:
    std::int32_t Get(const std::string& url, std::uint32_t flags, std::string& body) override {
        return HttpGet(url, flags, body);
    }
};

} // namespace tsy::win32
