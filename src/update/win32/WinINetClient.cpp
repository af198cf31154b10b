#include "update/win32/WinINetClient.h"

#include <windows.h>

#include <wininet.h>

#include <stdexcept>

#include "support/Format.h"
#include "support/win32/SystemLibrary.h"
#include "support/win32/WinText.h"

namespace tsy::win32 {

namespace {

constexpr DWORD kReadStep = 1024;

// WinINet's entry points, bound from the system folder's library for one fetch.
class TWinINet {
public:
    using TOpen = HINTERNET(WINAPI*)(LPCSTR, DWORD, LPCSTR, LPCSTR, DWORD);
    using TCrackUrl = BOOL(WINAPI*)(LPCSTR, DWORD, DWORD, LPURL_COMPONENTSA);
    using TConnect = HINTERNET(WINAPI*)(HINTERNET, LPCSTR, INTERNET_PORT, LPCSTR, LPCSTR, DWORD, DWORD,
                                        DWORD_PTR);
    using TOpenRequest = HINTERNET(WINAPI*)(HINTERNET, LPCSTR, LPCSTR, LPCSTR, LPCSTR, LPCSTR*, DWORD,
                                            DWORD_PTR);
    using TSendRequest = BOOL(WINAPI*)(HINTERNET, LPCSTR, DWORD, LPVOID, DWORD);
    using TSetOption = BOOL(WINAPI*)(HINTERNET, DWORD, LPVOID, DWORD);
    using TQueryInfo = BOOL(WINAPI*)(HINTERNET, DWORD, LPVOID, LPDWORD, LPDWORD);
    using TReadFile = BOOL(WINAPI*)(HINTERNET, LPVOID, DWORD, LPDWORD);
    using TCloseHandle = BOOL(WINAPI*)(HINTERNET);

    TWinINet()
        : library_("wininet.dll"), Open(library_.Find<TOpen>("InternetOpenA")),
          CrackUrl(library_.Find<TCrackUrl>("InternetCrackUrlA")),
          Connect(library_.Find<TConnect>("InternetConnectA")),
          OpenRequest(library_.Find<TOpenRequest>("HttpOpenRequestA")),
          SendRequest(library_.Find<TSendRequest>("HttpSendRequestA")),
          SetOption(library_.Find<TSetOption>("InternetSetOptionA")),
          QueryInfo(library_.Find<TQueryInfo>("HttpQueryInfoA")),
          ReadFile(library_.Find<TReadFile>("InternetReadFile")),
          CloseHandle(library_.Find<TCloseHandle>("InternetCloseHandle")) {}

    bool Complete() const {
        return Open && CrackUrl && Connect && OpenRequest && SendRequest && SetOption && QueryInfo &&
               ReadFile && CloseHandle;
    }

private:
    TSystemLibrary library_;

public:
    const TOpen Open;
    const TCrackUrl CrackUrl;
    const TConnect Connect;
    const TOpenRequest OpenRequest;
    const TSendRequest SendRequest;
    const TSetOption SetOption;
    const TQueryInfo QueryInfo;
    const TReadFile ReadFile;
    const TCloseHandle CloseHandle;
};

// One handle of the library, closed with it.
class TInternetHandle {
public:
    TInternetHandle(const TWinINet& api, HINTERNET handle) : api_(api), handle_(handle) {}
    TInternetHandle(const TInternetHandle&) = delete;
    TInternetHandle& operator=(const TInternetHandle&) = delete;
    ~TInternetHandle() {
        if (Valid())
            api_.CloseHandle(handle_);
    }
    bool Valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
    HINTERNET Get() const { return handle_; }

private:
    const TWinINet& api_;
    HINTERNET handle_;
};

void SetTimeout(const TWinINet& api, HINTERNET handle, DWORD option, DWORD milliseconds) {
    if (!api.SetOption(handle, option, &milliseconds, sizeof milliseconds))
        RaiseInternetError();
}

} // namespace

void RaiseInternetError() {
    const DWORD code = GetLastError();
    std::string message = ErrorMessageText(code, GetModuleHandleA("wininet.dll"));
    // A code without a text still has to tell the user something.
    if (message.empty())
        message = Format("Internet error %lu.", static_cast<unsigned long>(code));
    throw std::runtime_error(message);
}

std::int32_t HttpGet(const std::string& url, std::uint32_t flags, std::string& body,
                     const THttpLimits& limits) {
    const TWinINet api;
    if (!api.Complete())
        throw std::runtime_error(kUpdateFailedMessage);
    char host[INTERNET_MAX_HOST_NAME_LENGTH] = {};
    char path[INTERNET_MAX_PATH_LENGTH] = {};
    char extra[INTERNET_MAX_PATH_LENGTH] = {};
    URL_COMPONENTSA parts{};
    parts.dwStructSize = sizeof parts;
    parts.lpszHostName = host;
    parts.dwHostNameLength = sizeof host;
    parts.lpszUrlPath = path;
    parts.dwUrlPathLength = sizeof path;
    parts.lpszExtraInfo = extra;
    parts.dwExtraInfoLength = sizeof extra;
    if (!api.CrackUrl(url.c_str(), 0, 0, &parts))
        RaiseInternetError();
    const bool secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
    if (!secure && parts.nScheme != INTERNET_SCHEME_HTTP)
        throw std::runtime_error(kUpdateFailedMessage);
    // Declared in closing order: the request goes first, the root handle last. The waits are set
    // on the connection, which hands them to its request on every system.
    const TInternetHandle root(api, api.Open(kHttpAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!root.Valid())
        RaiseInternetError();
    const TInternetHandle connection(
        api, api.Connect(root.Get(), host, parts.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection.Valid())
        RaiseInternetError();
    SetTimeout(api, connection.Get(), INTERNET_OPTION_CONNECT_TIMEOUT, limits.ConnectTimeout);
    SetTimeout(api, connection.Get(), INTERNET_OPTION_RECEIVE_TIMEOUT, limits.ReceiveTimeout);
    const std::string object = std::string(path) + extra;
    const TInternetHandle request(api,
                                  api.OpenRequest(connection.Get(), "GET", object.c_str(), nullptr, nullptr,
                                                  nullptr, flags | (secure ? INTERNET_FLAG_SECURE : 0), 0));
    if (!request.Valid() || !api.SendRequest(request.Get(), nullptr, 0, nullptr, 0))
        RaiseInternetError();
    DWORD status = 0;
    DWORD size = sizeof status;
    DWORD index = 0;
    if (!api.QueryInfo(request.Get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                       &index))
        RaiseInternetError();
    if (status == 200) {
        std::string received;
        for (;;) {
            const std::size_t before = received.size();
            received.resize(before + kReadStep);
            DWORD read = 0;
            if (!api.ReadFile(request.Get(), received.data() + before, kReadStep, &read))
                RaiseInternetError();
            received.resize(before + read);
            if (read == 0)
                break;
            // Nothing the server may say needs more; what does is not read to its end.
            if (received.size() > limits.MostBytes)
                throw std::runtime_error(kUpdateFailedMessage);
        }
        const auto nul = received.find('\0');
        if (nul != std::string::npos)
            received.resize(nul);
        body = std::move(received);
    }
    return std::int32_t(status);
}

} // namespace tsy::win32
