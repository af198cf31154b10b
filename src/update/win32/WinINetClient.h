#pragma once

#include <cstdint>
#include <string>

#include "update/UpdateServices.h"

namespace tsy::win32 {

inline constexpr const char* kHttpAgent = "Mozilla/4.0 (compatible; MSIE 7.0; Windows NT 6.0)";

// GET over WinINet: the status code, and for 200 the body cut at its first NUL; any other
// status leaves `body` as it was. Both handles are closed on every path.
std::int32_t HttpGet(const std::string& url, std::uint32_t flags, std::string& body);

// Raises std::runtime_error with WinINet's text for the calling thread's last error.
[[noreturn]] void RaiseInternetError();

class TWinINetClient : public IHttpClient {
public:
    std::int32_t Get(const std::string& url, std::uint32_t flags, std::string& body) override {
        return HttpGet(url, flags, body);
    }
};

} // namespace tsy::win32
